// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/MemoText.h"

#include <algorithm>
#include <cstring>

namespace memotext {
namespace {

// The next place of c at or after from, or the end; QStringView's search
// looks at many characters at a time.
qsizetype Next(const char16_t* text, qsizetype size, qsizetype from, char16_t c)
{
    const qsizetype at = QStringView(text, size).indexOf(QChar(c), from);
    return at < 0 ? size : at;
}

}  // namespace

DocumentText ForDocument(QString text)
{
    DocumentText result;
    const bool hasSeparator = text.contains(kLineSeparator);
    qsizetype breaks = 0;
    if (text.contains(QLatin1Char('\r'))) {
        // Every break becomes one LF, in place: a break never grows, so what
        // is written never overtakes what is still to be read. A text shared
        // with the caller is copied first.
        const qsizetype size = text.size();
        char16_t* buffer = reinterpret_cast<char16_t*>(text.data());
        qsizetype length = 0;
        qsizetype from = 0;
        qsizetype nextCr = Next(buffer, size, 0, u'\r');
        qsizetype nextLf = Next(buffer, size, 0, u'\n');
        for (;;) {
            const qsizetype at = std::min(nextCr, nextLf);
            std::memmove(buffer + length, buffer + from, size_t(at - from) * sizeof(char16_t));
            length += at - from;
            if (at == size)
                break;
            buffer[length++] = u'\n';
            ++breaks;
            if (at == nextLf) {
                from = at + 1;
                nextLf = Next(buffer, size, from, u'\n');
            } else if (at + 1 < size && buffer[at + 1] == u'\n') {
                from = at + 2;
                nextCr = Next(buffer, size, from, u'\r');
                nextLf = Next(buffer, size, from, u'\n');
            } else {
                from = at + 1;
                nextCr = Next(buffer, size, from, u'\r');
            }
        }
        text.truncate(length);
    } else {
        breaks = text.count(QLatin1Char('\n'));
    }
    result.lines = int(breaks + 1);
    result.grouped = result.lines > kOneBlockPerLineUpTo && !hasSeparator;
    if (result.grouped) {
        result.firstLines.reserve(size_t(result.lines / kLinesPerBlock) + 2);
        result.firstLines.push_back(0);
        int lines = 1;
        GroupLines(text, lines, result.firstLines);
        result.firstLines.push_back(result.lines);
    }
    result.text = std::move(text);
    return result;
}

void GroupLines(QString& text, int& lines, std::vector<int>& firstLines)
{
    const qsizetype size = text.size();
    char16_t* buffer = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype at = Next(buffer, size, 0, u'\n'); at < size; at = Next(buffer, size, at + 1, u'\n')) {
        // The LF begins the line with index lines.
        if (lines % kLinesPerBlock == 0)
            firstLines.push_back(lines);
        else
            buffer[at] = kLineSeparator.unicode();
        ++lines;
    }
}

QString WithCrLf(const QString& plain)
{
    const qsizetype breaks = plain.count(QLatin1Char('\n'));
    if (breaks == 0)
        return plain;
    const char16_t* in = reinterpret_cast<const char16_t*>(plain.constData());
    const qsizetype size = plain.size();
    QString out(size + breaks, Qt::Uninitialized);
    char16_t* to = reinterpret_cast<char16_t*>(out.data());
    qsizetype from = 0;
    for (qsizetype at = Next(in, size, 0, u'\n'); at < size; at = Next(in, size, from, u'\n')) {
        std::memcpy(to, in + from, size_t(at - from) * sizeof(char16_t));
        to += at - from;
        *to++ = u'\r';
        *to++ = u'\n';
        from = at + 1;
    }
    std::memcpy(to, in + from, size_t(size - from) * sizeof(char16_t));
    return out;
}

}  // namespace memotext
