// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The errors the program raises. Each carries the message text the user sees
// in the error box and the name of its kind, which the start-up failure box
// shows.
#include <QString>
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(const QString& message);
    const QString& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }
    virtual QString ClassName() const { return QStringLiteral("Exception"); }
    // Where in the program the error was raised, for the start-up failure box.
    const void* Address() const { return address_; }

private:
    QString message_;
    std::string utf8_;
    const void* address_;
};

#define FILSOK_DECLARE_EXCEPTION(Name, Base)                                 \
    class Name : public Base {                                               \
    public:                                                                  \
        using Base::Base;                                                    \
        QString ClassName() const override { return QStringLiteral(#Name); } \
    };

FILSOK_DECLARE_EXCEPTION(EStreamError, Exception)
// "Cannot open file %s"
FILSOK_DECLARE_EXCEPTION(EFOpenError, EStreamError)
// "Cannot create file %s"
FILSOK_DECLARE_EXCEPTION(EFCreateError, EStreamError)
// "Stream write error"
FILSOK_DECLARE_EXCEPTION(EWriteError, EStreamError)
FILSOK_DECLARE_EXCEPTION(ERegistryException, Exception)
FILSOK_DECLARE_EXCEPTION(EComponentError, Exception)
FILSOK_DECLARE_EXCEPTION(EStringListError, Exception)

// An input/output error with the platform's error code; the message follows
// the code ("File not found", ..., "I/O error %d").
class EInOutError : public Exception {
public:
    explicit EInOutError(int errorCode);
    int ErrorCode() const { return errorCode_; }
    QString ClassName() const override { return QStringLiteral("EInOutError"); }
    static QString MessageFor(int errorCode);

private:
    int errorCode_;
};

// The messages with a path in them, spelled once.
QString CannotOpenFileMessage(const QString& path);
QString CannotCreateFileMessage(const QString& path);
