// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace testfiles {

void Write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray Read(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

Folder::Folder()
{
    EXPECT_TRUE(dir_.isValid());
}

QString Folder::Put(const QString& name, const QByteArray& bytes) const
{
    const QString path = (*this)(name);
    Write(path, bytes);
    return path;
}

QString Folder::PutPipe(const QString& name) const
{
    const QString path = (*this)(name);
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0) << path.toStdString();
    return path;
}

}  // namespace testfiles
