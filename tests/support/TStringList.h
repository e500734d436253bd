// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text list, the plain reading of a file's lines that the search and its
// fuzzer are checked against: an ordered list of lines, each a byte string in the ANSI code
// page. Loading reads all bytes without decoding and splits them at CR, LF and
// CR LF; a last line without a break counts, a break at the very end adds no
// empty line, and the first NUL byte ends the text. The joined text is every
// line followed by CR LF.
#include <QString>
#include <string>
#include <string_view>
#include <vector>

class TStringList {
public:
    // Raises std::runtime_error "Cannot open file %s" (the path as given)
    // when the file cannot be opened or read.
    void LoadFromFile(const QString& path);
    void SetText(std::string_view text);
    std::string Text() const;

    int Count() const { return int(lines_.size()); }
    const std::string& operator[](int index) const { return lines_[size_t(index)]; }
    void Add(std::string line) { lines_.push_back(std::move(line)); }
    void Clear() { lines_.clear(); }
    const std::vector<std::string>& Strings() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

// Splits text into lines by the text list's rules (the first NUL ends it).
std::vector<std::string_view> SplitLines(std::string_view text);

// Reads a whole file into buffer (reusing its storage); false when the file
// cannot be opened or read. The path goes through the file-system encoding.
bool ReadWholeFile(const QString& path, std::string& buffer);
