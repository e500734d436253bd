// Every test program starts here: Qt's offscreen platform, and a private
// temporary folder as home and settings folder, so that no test touches the
// real home folder or needs a display.
#include <QApplication>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <cstdlib>

int main(int argc, char** argv)
{
    ::testing::InitGoogleMock(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
