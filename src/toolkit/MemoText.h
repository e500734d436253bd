// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a memo hands its text to the document behind it. A text of many lines
// goes in blocks of kLinesPerBlock lines, the lines of one block parted by
// U+2028 (the line separator, which the document shows as a line break), so
// that the document holds a few thousand blocks instead of one per line:
// building it is then cheap and only the blocks in view are ever laid out.
#include <QString>
#include <vector>

namespace memotext {

inline constexpr int kLinesPerBlock = 128;
// Up to this many lines a text keeps one block per line.
inline constexpr int kOneBlockPerLineUpTo = 10000;
inline constexpr QChar kLineSeparator = QChar(QChar::LineSeparator);

struct DocumentText {
    QString text;      // every line break as the document takes it
    int lines = 0;     // lines of the text, a last empty one included
    bool grouped = false;
    std::vector<int> firstLines;  // grouped: of each block, and the line count after the last
};

// Breaks at CR LF, a lone CR and a lone LF. The text is grouped when it has
// more than kOneBlockPerLineUpTo lines and holds no U+2028 of its own (which
// would then read as a break); otherwise every break becomes LF.
DocumentText ForDocument(QString text);

// Parts the lines of text into blocks of kLinesPerBlock: every LF becomes
// U+2028 but the one that begins a block, whose first line is added to
// firstLines. lines counts the lines before the text's first LF, the one it
// ends included, and goes on counting over the text.
void GroupLines(QString& text, int& lines, std::vector<int>& firstLines);

// Every LF written as CR LF.
QString WithCrLf(const QString& plain);

}  // namespace memotext
