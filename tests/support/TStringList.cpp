// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TStringList.h"

#include "platform/InputFile.h"

#include <stdexcept>

#include <QFile>

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
    platform::InputFile file(path);
    if (!file.IsOpen())
        return false;
    // Read straight into the buffer: one byte more than the reported size,
    // so that a file that grew meanwhile is still read to its end.
    std::size_t size = 0;
    buffer.resize(file.ReportedSize() > 0 ? file.ReportedSize() + 1 : 4096);
    for (;;) {
        if (size == buffer.size())
            buffer.resize(buffer.size() * 2);
        const std::ptrdiff_t got = file.ReadFully(buffer.data() + size, buffer.size() - size);
        if (got < 0) {
            buffer.clear();
            return false;
        }
        size += std::size_t(got);
        if (size < buffer.size())
            break;
    }
    buffer.resize(size);
    return true;
}

void TStringList::LoadFromFile(const QString& path)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        throw std::runtime_error(("Cannot open file " + path).toStdString());
    SetText(bytes);
}
