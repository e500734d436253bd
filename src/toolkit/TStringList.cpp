// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TStringList.h"

#include "toolkit/Exceptions.h"
#include "platform/OpenForReading.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::vector<std::string_view> SplitLines(std::string_view text)
{
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);
    std::vector<std::string_view> lines;
    size_t start = 0;
    const size_t n = text.size();
    while (start < n) {
        size_t i = start;
        while (i < n && text[i] != '\r' && text[i] != '\n')
            ++i;
        lines.push_back(text.substr(start, i - start));
        if (i < n && text[i] == '\r' && i + 1 < n && text[i + 1] == '\n')
            i += 2;
        else if (i < n)
            i += 1;
        start = i;
    }
    return lines;
}

void TStringList::SetText(std::string_view text)
{
    lines_.clear();
    for (std::string_view line : SplitLines(text))
        lines_.emplace_back(line);
}

std::string TStringList::Text() const
{
    size_t size = 0;
    for (const std::string& line : lines_)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool ReadWholeFile(const QString& path, std::string& buffer)
{
    buffer.clear();
    size_t reported = 0;
    const int fd = platform::OpenForReading(path, reported);
    if (fd < 0)
        return false;
    // Read straight into the buffer: one byte more than the reported size,
    // so that a file that grew meanwhile is still read to its end.
    size_t size = 0;
    buffer.resize(reported > 0 ? reported + 1 : 4096);
    for (;;) {
        if (size == buffer.size())
            buffer.resize(buffer.size() * 2);
        const ssize_t got = ::read(fd, buffer.data() + size, buffer.size() - size);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            buffer.clear();
            return false;
        }
        if (got == 0)
            break;
        size += size_t(got);
    }
    ::close(fd);
    buffer.resize(size);
    return true;
}

void TStringList::LoadFromFile(const QString& path)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        throw EFOpenError(CannotOpenFileMessage(path));
    SetText(bytes);
}
