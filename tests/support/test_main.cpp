// Every test program starts here: Qt's offscreen platform, and a private
// temporary folder as home and settings folder, so that no test touches the
// real home folder or needs a display.
#include <QApplication>
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
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
    std::unique_ptr<QApplication> app(CreateTestApplication ? CreateTestApplication(argc, argv)
                                                             : new QApplication(argc, argv));
    return RUN_ALL_TESTS();
}
