// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window benchmarks set up before the clock starts: a private home
// and settings folder, so no run reads or writes the user's settings, and the
// window shown and exposed on the screen, as a user has it.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

namespace benchwindow {

// Points HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR into home, and picks the
// offscreen platform unless QT_QPA_PLATFORM names one. Call it before
// QApplication exists.
inline void UsePrivateHome(const QTemporaryDir& home)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
    const QString runtime = home.path() + "/runtime";
    if (QDir().mkpath(runtime))
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
}

// Shows the window and waits (10 s at most) until the screen exposes it.
inline void ShowExposed(QWidget& window)
{
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
}

}  // namespace benchwindow
