// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a file's text is, one rule for the search, its report and the
// conversion. A file that starts with the UTF-8 mark holds UTF-8, one that
// starts with a UTF-16 mark UTF-16 of that byte order; the mark is no part of
// the text. In any other file each line is read on its own: UTF-8 when its
// bytes are valid UTF-8, the ANSI code page otherwise, so that a UTF-8 file
// with one broken line keeps its other lines, and a legacy file edited in a
// UTF-8 editor reads right. (A marked UTF-8 file is read by lines in the same
// way, so a line in it that is not UTF-8 still shows its characters.)
//
// UTF-16 text is turned into UTF-8 as it is read, so that everything after
// the mark is handled as lines of bytes in one way.
#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class TextForm {
    Lines,     // no mark
    Utf8Mark,  // EF BB BF
    Utf16LE,   // FF FE
    Utf16BE,   // FE FF
};

// The form of a file whose first bytes are head: at least the first three,
// or the whole of a shorter file.
TextForm FormOf(std::string_view head);
std::size_t MarkSize(TextForm form);
inline bool IsUtf16(TextForm form)
{
    return form == TextForm::Utf16LE || form == TextForm::Utf16BE;
}

// The text of one line's bytes (without its line break).
QString LineText(std::string_view line);
// Writes the UTF-16 units of the line's text to out, never more units than
// the line has bytes, and returns where it stopped.
char16_t* WriteLineText(std::string_view line, char16_t* out);
// Appends the UTF-8 form of the line's text to out: the bytes themselves
// when they are UTF-8 already.
void AppendLineAsUtf8(std::string& out, std::string_view line);

// UTF-16 bytes as UTF-8, piece by piece, wherever the pieces end. A surrogate
// half without its partner, or an odd byte at the very end, becomes U+FFFD;
// WellFormed tells whether there was any.
class Utf16ToUtf8 {
public:
    explicit Utf16ToUtf8(bool bigEndian) : bigEndian_(bigEndian) {}

    // The room Add needs in out for a piece of n bytes.
    static constexpr std::size_t MaxOutput(std::size_t n) { return 3 * (n / 2 + 2); }

    // Writes the UTF-8 form of what the piece completes to out and returns
    // where it stopped.
    char* Add(std::string_view piece, char* out);
    // Writes what is left at the end of the text.
    char* Finish(char* out);
    bool WellFormed() const { return wellFormed_; }

private:
    char* Unit(char16_t unit, char* out);

    bool bigEndian_;
    bool wellFormed_ = true;
    int oddByte_ = -1;      // the first byte of a unit the next piece ends
    char16_t high_ = 0;     // a high surrogate waiting for its low one
};

// A file's bytes, piece by piece, as the bytes of its text: the mark left
// out, UTF-16 turned into UTF-8. The first bytes are held back until three
// of them tell the form (or the file ends).
class TextBytesReader {
public:
    // The text bytes the piece completes; valid until the next call.
    std::string_view Add(std::string_view piece);
    // The text bytes left at the end of the file.
    std::string_view Finish();

    bool FormKnown() const { return formKnown_; }
    TextForm Form() const { return form_; }
    // False once UTF-16 held a surrogate half without its partner, or an
    // odd byte at its end.
    bool WellFormed() const { return !toUtf8_ || toUtf8_->WellFormed(); }

private:
    std::string_view Text(std::string_view bytes, bool last);

    bool formKnown_ = false;
    TextForm form_ = TextForm::Lines;
    std::string head_;
    std::optional<Utf16ToUtf8> toUtf8_;
    std::string decoded_;
};

}  // namespace platform
