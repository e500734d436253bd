// SPDX-License-Identifier: GPL-3.0-or-later
// Every test program starts here: Qt's offscreen platform, and a private
// temporary folder as home, settings and runtime folder, so that no test
// touches the real home folder, needs a display or depends on the caller's
// environment.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <memory>

// A test program may make its own application object (the program's own, for
// instance); the others get a plain QApplication.
__attribute__((weak)) QApplication* CreateTestApplication(int& argc, char** argv);

int main(int argc, char** argv)
{
    ::testing::InitGoogleMock(&argc, argv);
    // The end-to-end tests run a few window tests on their own X server by
    // naming its platform here; everything else runs offscreen.
    const QByteArray platform = qgetenv("FILSOK_TEST_PLATFORM");
    qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
    // Qt's offscreen platform on Windows knows only the fonts of one folder;
    // the runner under Wine names the one with the window's fonts (Wine
    // hands a program no QT_ variables of its caller).
    if (const QByteArray fonts = qgetenv("FILSOK_TEST_FONT_FOLDER"); !fonts.isEmpty())
        qputenv("QT_QPA_FONTDIR", fonts);
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
    // Qt wants a private runtime folder; without one (a minimal environment)
    // it warns and falls back to a shared one under /tmp.
    const QString runtime = home.path() + "/runtime";
    if (!QDir().mkdir(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return 2;
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    std::unique_ptr<QApplication> app(CreateTestApplication ? CreateTestApplication(argc, argv)
                                                             : new QApplication(argc, argv));
    return RUN_ALL_TESTS();
}
