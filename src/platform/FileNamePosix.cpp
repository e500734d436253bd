// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileName.h"

#include <cerrno>
#include <unistd.h>

namespace platform {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // + byte, for bytes 0x80..0xFF

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at the start of bytes (with its
// code point in codePoint), or 0 when it does not start one: an overlong
// form, a surrogate, a code point beyond U+10FFFF and a cut sequence are
// not valid.
size_t Utf8Sequence(std::string_view bytes, char32_t& codePoint)
{
    const auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(0);
    size_t length = 0;
    char32_t value = 0;
    unsigned char low = 0x80;  // the range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;  // no overlong forms
        else if (lead == 0xED)
            high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;  // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() < length || at(1) < low || at(1) > high)
        return 0;
    for (size_t i = 1; i < length; ++i) {
        if (!IsContinuation(at(i)))
            return 0;
        value = (value << 6) | (at(i) & 0x3F);
    }
    codePoint = value;
    return length;
}

void AppendUtf8(QByteArray& out, char32_t c)
{
    if (c < 0x80) {
        out.append(char(c));
    } else if (c < 0x800) {
        out.append(char(0xC0 | (c >> 6)));
        out.append(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.append(char(0xE0 | (c >> 12)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    } else {
        out.append(char(0xF0 | (c >> 18)));
        out.append(char(0x80 | ((c >> 12) & 0x3F)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    }
}

// The process's current folder as the system names it, or nothing.
QByteArray CurrentFolder()
{
    QByteArray folder(4096, Qt::Uninitialized);
    for (;;) {
        if (::getcwd(folder.data(), size_t(folder.size())) != nullptr) {
            folder.truncate(qsizetype(qstrlen(folder.constData())));
            return folder;
        }
        if (errno != ERANGE)
            return {};
        folder.resize(folder.size() * 2);
    }
}

}  // namespace

QString DecodeFileName(std::string_view bytes)
{
    QString text;
    text.reserve(qsizetype(bytes.size()));
    size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            text.append(QChar(char16_t(byte)));
            ++i;
            continue;
        }
        char32_t codePoint = 0;
        const size_t length = Utf8Sequence(bytes.substr(i), codePoint);
        if (length == 0) {
            // One byte at a time: the bytes after a broken lead are
            // continuation bytes, which start nothing valid either.
            text.append(QChar(char16_t(kEscapeBase + byte)));
            ++i;
            continue;
        }
        if (codePoint < 0x10000) {
            text.append(QChar(char16_t(codePoint)));
        } else {
            text.append(QChar(QChar::highSurrogate(codePoint)));
            text.append(QChar(QChar::lowSurrogate(codePoint)));
        }
        i += length;
    }
    return text;
}

QByteArray EncodeFileName(const QString& path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    const qsizetype size = path.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = path[i].unicode();
        if (unit < 0x80) {
            bytes.append(char(unit));
        } else if (QChar::isHighSurrogate(unit) && i + 1 < size && path[i + 1].isLowSurrogate()) {
            AppendUtf8(bytes, QChar::surrogateToUcs4(unit, path[i + 1].unicode()));
            ++i;
        } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            bytes.append(char(unit - kEscapeBase));
        } else if (QChar::isSurrogate(unit)) {
            AppendUtf8(bytes, QChar::ReplacementCharacter);
        } else {
            AppendUtf8(bytes, unit);
        }
    }
    return bytes;
}

QByteArray NativePath(const QString& path)
{
    QByteArray bytes = EncodeFileName(path);
    if (bytes.contains('\0'))
        return {};
    return bytes;
}

QUrl FileUrl(const QString& path)
{
    QByteArray bytes = EncodeFileName(path);
    if (!bytes.startsWith('/')) {
        // A relative file URL means nothing to the desktop's launcher.
        QByteArray folder = CurrentFolder();
        if (!folder.endsWith('/'))
            folder.append('/');
        bytes.prepend(folder);
    }
    // Every byte but the unreserved ones and "/" percent-encoded: QUrl keeps
    // an escape that is no UTF-8 as it stands, so the launcher gets back
    // exactly these bytes.
    return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"), QUrl::StrictMode);
}

}  // namespace platform
