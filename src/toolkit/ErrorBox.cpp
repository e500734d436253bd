// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ErrorBox.h"

#include "platform/CodeModule.h"
#include "toolkit/Exceptions.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace toolkit {
namespace {

MessageBoxHook& Hook()
{
    static MessageBoxHook hook;
    return hook;
}

QString ExecutableFileName()
{
    QString path = QCoreApplication::applicationFilePath();
    if (path.isEmpty() && QCoreApplication::arguments().size() > 0)
        path = QCoreApplication::arguments().first();
    return QFileInfo(path).fileName();
}

void Show(QMessageBox::Icon icon, const QString& caption, const QString& text, Qt::WindowModality modality)
{
    if (Hook()) {
        Hook()(caption, text);
        return;
    }
    QMessageBox box(icon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(modality);
    box.exec();
}

}  // namespace

QString ApplicationTitle()
{
    QString name = ExecutableFileName();
    const qsizetype dot = name.indexOf('.');
    if (dot >= 0)
        name.truncate(dot);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name;
}

QString ErrorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QChar('.'))
        return message + '.';
    return message;
}

void ShowException(const std::exception& error)
{
    const auto* own = dynamic_cast<const Exception*>(&error);
    const QString message = own ? own->Message() : QString::fromUtf8(error.what());
    Show(QMessageBox::Critical, ApplicationTitle(), ErrorBoxText(message), Qt::ApplicationModal);
}

QString StartupFailureText(const std::exception& error)
{
    const auto* own = dynamic_cast<const Exception*>(&error);
    const QString kind = own ? own->ClassName() : QStringLiteral("Exception");
    QString message = own ? own->Message() : QString::fromUtf8(error.what());
    if (!message.isEmpty() && !message.endsWith('.'))
        message += '.';
    quintptr offset = 0;
    QString module = ExecutableFileName();
    if (platform::CodeModule found; own && platform::ModuleOfAddress(own->Address(), found)) {
        offset = quintptr(own->Address()) - found.base;
        if (!found.fileName.isEmpty())
            module = found.fileName;
    }
    const QString address = QStringLiteral("%1").arg(quint32(offset), 8, 16, QChar('0')).toUpper();
    return QStringLiteral("Exception %1 in module %2 at %3.\r\n%4\r\n").arg(kind, module, address, message);
}

void ShowStartupFailure(const std::exception& error)
{
    Show(QMessageBox::Critical, QStringLiteral("Application Error"), StartupFailureText(error), Qt::ApplicationModal);
}

void SetMessageBoxHook(MessageBoxHook hook)
{
    Hook() = std::move(hook);
}

}  // namespace toolkit
