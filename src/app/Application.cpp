// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Application.h"

#include "toolkit/ErrorBox.h"
#include "toolkit/Fonts.h"
#include "toolkit/TForm.h"

#include <QIcon>
#include <memory>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setWindowIcon(QIcon(QStringLiteral(":/filsok/filsok.png")));
    // The menu entry is installed as <id>.desktop; a Wayland desktop ties the
    // window to it (its icon in the dock) by this name.
    setDesktopFileName(QStringLiteral(FILSOK_APP_ID));
    toolkit::InstallFontSubstitutions();
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        toolkit::ShowException(error);
    } catch (...) {
        toolkit::ShowException(std::runtime_error("Unknown error"));
    }
    return true;
}

int RunMainForm(const MainFormFactory& factory)
{
    std::unique_ptr<TForm> mainForm;
    try {
        mainForm.reset(factory());
    } catch (const std::exception& error) {
        toolkit::ShowStartupFailure(error);
        return 1;
    }
    mainForm->show();
    QApplication::exec();
    // The window and its components go before the application object, so the
    // settings component can still save while it is destroyed.
    mainForm.reset();
    return 0;
}

int RunApplication(int argc, char** argv, const MainFormFactory& factory)
{
    // The program takes no arguments, so the toolkit is handed none of its
    // own either (-platform, -style, -reverse, -qwindowgeometry, ...): only
    // the program's name.
    char fallbackName[] = "filsok";
    char* programOnly[] = {argc > 0 && argv[0] ? argv[0] : fallbackName, nullptr};
    int programOnlyCount = 1;
    TApplication app(programOnlyCount, programOnly);
    return RunMainForm(factory);
}
