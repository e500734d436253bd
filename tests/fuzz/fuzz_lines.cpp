// SPDX-License-Identifier: GPL-3.0-or-later
// Splitting any bytes into lines: no line holds CR, LF or NUL, the text list
// and SplitLines agree, and the joined text splits into the same lines.
#include "support/TStringList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Lines by the plain rule: the first NUL ends the text, CR LF, CR and LF each
// end a line, a break at the very end adds no empty line.
std::vector<std::string> ReferenceLines(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> lines;
    std::string line;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        } else {
            line += c;
            ++i;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const std::vector<std::string_view> split = SplitLines(input);
    TStringList list;
    list.SetText(input);
    const std::vector<std::string> expected = ReferenceLines(input);

    Check(int(split.size()) == list.Count());
    Check(split.size() == expected.size());
    for (size_t i = 0; i < split.size(); ++i) {
        Check(split[i].find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos);
        Check(split[i] == list[int(i)]);
        Check(split[i] == expected[i]);
    }

    // Joined with CR LF after every line, the text splits back into the same
    // lines, and joining again changes nothing.
    const std::string joined = list.Text();
    std::string manual;
    for (const auto& line : expected)
        manual += line + "\r\n";
    Check(joined == manual);
    TStringList again;
    again.SetText(joined);
    Check(again.Strings() == list.Strings());
    Check(again.Text() == joined);
    return 0;
}
