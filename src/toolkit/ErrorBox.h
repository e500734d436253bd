// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The error box of the running program and the start-up failure box.
#include <QString>
#include <exception>
#include <functional>

namespace toolkit {

// The executable's file name without folder, cut before its first dot, every
// character after the first in lower case.
QString ApplicationTitle();

// The running program's box text: the message, with a full stop appended when
// its last character sorts after "." (a letter or digit gets one; ".", ")" or a
// quotation mark does not).
QString ErrorBoxText(const QString& message);

// Shows an error that escaped an operation: application-modal, error icon,
// one OK button, caption the application title.
void ShowException(const std::exception& error);

// The start-up failure text: "Exception %s in module %s at %p." CR LF message
// (with a full stop unless it is empty or ends in one) CR LF.
QString StartupFailureText(const std::exception& error);
void ShowStartupFailure(const std::exception& error);

// Tests install a hook so that boxes are recorded instead of shown; an empty
// hook shows real boxes again.
using MessageBoxHook = std::function<void(const QString& caption, const QString& text)>;
void SetMessageBoxHook(MessageBoxHook hook);

}  // namespace toolkit
