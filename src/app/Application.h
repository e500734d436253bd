// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object: one per process. It catches every error that
// escapes an event and shows it in the error box, and the loop goes on.
#include <QApplication>
#include <functional>

class TForm;

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

using MainFormFactory = std::function<TForm*()>;

// Start-up, event loop and shut-down on the running application object:
// creates the main window with factory, shows it, runs the loop until it is
// closed and destroys it. Returns 0 after a normal end and 1 when the window
// could not be created (after the "Application Error" box).
int RunMainForm(const MainFormFactory& factory);

// The program: the application object, given the program's name and no
// other argument, then RunMainForm.
int RunApplication(int argc, char** argv, const MainFormFactory& factory);
