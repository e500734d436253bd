// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers for tests that work on real files in a temporary folder.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <string>

namespace testfiles {

// Writes bytes to path (creating parent folders); fails the test on error.
void Write(const QString& path, const QByteArray& bytes);
QByteArray Read(const QString& path);

// A temporary folder that is removed with the object.
class Folder {
public:
    Folder();
    QString Path() const { return dir_.path(); }
    // Path of name inside the folder, with "/" between.
    QString operator()(const QString& name) const { return dir_.path() + "/" + name; }
    // Writes a file inside the folder and returns its full path.
    QString Put(const QString& name, const QByteArray& bytes) const;
    // Makes a named pipe inside the folder, with no writer, and returns its
    // full path: whoever opens it for reading in blocking mode waits for ever.
    QString PutPipe(const QString& name) const;

private:
    QTemporaryDir dir_;
};

}  // namespace testfiles
