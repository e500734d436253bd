// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The byte-level side of the UTF-8 conversion: recognising the mark, telling
// how a file's text is held, and writing it as UTF-8 by the file-text rule
// (the rule the search reads by, so that a search finds the same text before
// and after). No widgets, no files.
#include "platform/FileText.h"

#include <string>
#include <string_view>

// True when bytes hold a NUL byte anywhere.
bool HoldsNulByte(std::string_view bytes);

// How one file without the mark is to be handled by the conversion.
enum class UnmarkedContent {
    HoldsNul,     // holds a NUL character: left alone, since its text ends there
                  // and a rewrite would lose the rest
    BrokenUtf16,  // UTF-16 or UTF-32 with a broken unit: left alone rather
                  // than written with replacement characters
    Text,         // converted
};

// The first pass over a file's text (platform::TextReader's pieces): how
// the file is to be handled, the same answer wherever the pieces end.
class TextClassifier {
public:
    void Add(std::string_view text);
    // True once a NUL character was seen, which settles the answer.
    bool HoldsNul() const { return nul_; }
    // True when the file holds no text (nothing, or only a mark).
    bool Empty() const { return empty_; }
    // wellFormed: the reader found no broken unit in wide text.
    UnmarkedContent Result(bool wellFormed) const;

private:
    bool empty_ = true;
    bool nul_ = false;
};

UnmarkedContent ClassifyUnmarked(std::string_view bytes);

// The conversion's output for a file's text that comes in pieces: the mark,
// then every line ending in CR LF (a lone CR or LF becomes CR LF, a last
// line without a break gains one), as UTF-8: a line that is UTF-8 already
// as it is, any other from the code page. For a text without NUL
// characters these are the bytes of Utf8Output over the whole file.
class Utf8Writer {
public:
    // Appends to out the output for the next piece of the text.
    void Add(std::string_view text, std::string& out);
    // Appends what ends the output: the break of a last line without one.
    void Finish(std::string& out);

private:
    void EndLine(std::string_view rest, std::string& out);

    bool started_ = false;
    bool afterCr_ = false;  // the last text byte was a CR, whose LF may follow
    std::string line_;      // the start of a line the next piece goes on with
    bool inLine_ = false;   // a line has begun that no break has ended yet
};

// A text's bytes as UTF-8, line by line by the file-text rule, with its line
// breaks as they stand.
std::string TextAsUtf8(std::string_view text);

// The bytes the conversion writes for a whole file's bytes: the mark when
// withBom is set, then each line of its text as UTF-8 followed by CR LF.
// Nothing for a file without text.
std::string Utf8Output(std::string_view fileBytes, bool withBom);
