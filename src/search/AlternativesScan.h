// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where any one of a few byte strings occurs: the forms a character takes in
// the encodings a file may use (ä is C3 A4 or C3 84 in UTF-8, E4 or C4 in
// Windows-1252). Each place where a first byte of a form occurs is tried
// against the forms that start with it.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace search {

class AlternativesScan {
public:
    static constexpr std::size_t npos = std::string_view::npos;

    // The forms, none empty.
    explicit AlternativesScan(std::vector<std::string> forms);

    // Position of the first place at or after from where a form occurs.
    std::size_t Find(std::string_view text, std::size_t from = 0) const;

private:
    bool FormAt(std::string_view text, std::size_t at) const;

    std::vector<std::string> forms_;
    std::vector<unsigned char> leads_;     // the distinct first bytes
    std::array<bool, 256> isLead_{};
};

}  // namespace search
