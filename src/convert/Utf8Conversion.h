// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The byte-level side of the UTF-8 conversion: recognising the mark, telling
// whether a file's bytes already are UTF-8, and encoding ANSI text (the
// Windows-1252 table) as UTF-8. No widgets, no files.
#include <string>
#include <string_view>

// The UTF-8 byte-order mark, EF BB BF.
inline constexpr std::string_view kUtf8Bom{"\xEF\xBB\xBF", 3};

// True when bytes start with the byte-order mark.
bool StartsWithUtf8Bom(std::string_view bytes);

// True when bytes hold a NUL byte anywhere; such a file is left alone, since
// the text list would end at the NUL and a rewrite would lose the rest.
bool HoldsNulByte(std::string_view bytes);

// True when bytes are well-formed UTF-8: shortest forms only, no surrogate
// halves, nothing above U+10FFFF. Plain ASCII (and an empty text) is valid.
bool IsValidUtf8(std::string_view bytes);

// True when bytes are valid UTF-8 and hold at least one byte of 0x80 or
// above: a file that is UTF-8 already, only without the mark. Encoding it
// again would turn every "ä" into "Ã¤".
bool IsUnmarkedUtf8(std::string_view bytes);

// Appends the UTF-8 form of an ANSI (Windows-1252) text to out: each byte
// becomes its UTF-16 unit by the code-page table, and each unit is encoded
// in one, two or three bytes.
void AppendAnsiAsUtf8(std::string& out, std::string_view ansi);
std::string AnsiToUtf8(std::string_view ansi);

// How one file without the mark is to be handled by the conversion.
enum class UnmarkedContent {
    HoldsNul,  // left alone and reported as such
    Utf8,      // gains the mark and CR LF line ends, characters unchanged
    Ansi,      // encoded from Windows-1252
};
UnmarkedContent ClassifyUnmarked(std::string_view bytes);

// The bytes the conversion writes for a file's joined text (every line
// followed by CR LF): the mark when withBom is set, then the text itself when
// it already is UTF-8, else its UTF-8 form.
std::string Utf8Output(std::string_view joinedText, bool withBom, bool textIsUtf8);

// ClassifyUnmarked for bytes that come in pieces, one block of a file after
// the other: the same answer as over the whole, wherever the pieces end.
class UnmarkedClassifier {
public:
    void Add(std::string_view piece);
    UnmarkedContent Result() const;
    // True once a NUL byte was seen, which settles the answer.
    bool HoldsNul() const { return nul_; }
    bool Empty() const { return empty_; }

private:
    bool empty_ = true;
    bool nul_ = false;
    bool high_ = false;   // a byte of 0x80 or above
    bool valid_ = true;   // UTF-8 so far
    std::string pending_; // the start of a sequence the next piece goes on with
};

// The conversion's output for a text that comes in pieces: the mark, then
// every line ending in CR LF (a lone CR or LF becomes CR LF, a last line
// without a break gains one), as UTF-8: encoded from Windows-1252, or
// unchanged when the text is UTF-8 already. For a text without NUL bytes
// these are the bytes of Utf8Output over the text list's joined text.
class Utf8Writer {
public:
    explicit Utf8Writer(bool textIsUtf8) : textIsUtf8_(textIsUtf8) {}
    // Appends to out the output for the next piece of the text.
    void Add(std::string_view piece, std::string& out);
    // Appends what ends the output: the break of a last line without one.
    void Finish(std::string& out);

private:
    void AppendRun(std::string_view run, std::string& out) const;

    bool textIsUtf8_;
    bool started_ = false;
    bool afterCr_ = false;      // the last byte was a CR, whose LF may follow
    bool afterBreak_ = false;   // the last byte ended a line
};
