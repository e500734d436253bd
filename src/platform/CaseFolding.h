// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Unicode simple case folding, the rule by which a search ignores case: Å and
// å, Σ, σ and ς, K and the Kelvin sign all fold to one character.
#include <vector>

namespace platform {

char32_t FoldCase(char32_t c);

// Every character that folds to the same character as c, c included.
std::vector<char32_t> CaseForms(char32_t c);

}  // namespace platform
