// The file-mask matcher and the locale lowercase.
#include "uXprocs.h"

bool MatchMaskPart(std::string_view, std::string_view) { return false; }

bool MatchFileMask(std::string_view, std::string_view) { return false; }

std::string LowerText(std::string_view text) { return std::string(text); }
