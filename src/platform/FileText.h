// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a file's text is, one rule for the search, its report, the
// conversion and the mark test. A file that starts with the UTF-8 mark holds
// UTF-8, one that starts with a UTF-16 or UTF-32 mark text of that form and
// byte order; the mark is no part of the text. In any other file each line
// is read on its own: UTF-8 when its bytes are valid UTF-8, the ANSI code
// page otherwise, so that a UTF-8 file with one broken line keeps its other
// lines, and a legacy file edited in a UTF-8 editor reads right. (A marked
// UTF-8 file is read by lines in the same way, so a line in it that is not
// UTF-8 still shows its characters.)
//
// UTF-16 and UTF-32 are turned into UTF-8 as they are read, so that
// everything after the mark is handled as lines of bytes in one way.
#include "platform/InputFile.h"

#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

// The UTF-8 byte-order mark, EF BB BF.
inline constexpr std::string_view kUtf8Mark{"\xEF\xBB\xBF", 3};

enum class TextForm {
    Lines,     // no mark
    Utf8Mark,  // EF BB BF
    Utf16LE,   // FF FE
    Utf16BE,   // FE FF
    Utf32LE,   // FF FE 00 00
    Utf32BE,   // 00 00 FE FF
};

// How many first bytes tell the form.
inline constexpr std::size_t kFormHead = 4;

// The form of a file whose first bytes are head: at least the first four,
// or the whole of a shorter file.
TextForm FormOf(std::string_view head);
std::size_t MarkSize(TextForm form);
// True for the forms that are turned into UTF-8 as they are read.
bool IsWide(TextForm form);

// The text of one line's bytes (without its line break).
QString LineText(std::string_view line);
// Writes the UTF-16 units of the line's text to out, never more units than
// the line has bytes, and returns where it stopped.
char16_t* WriteLineText(std::string_view line, char16_t* out);
// Appends the UTF-8 form of the line's text to out: the bytes themselves
// when they are UTF-8 already.
void AppendLineAsUtf8(std::string& out, std::string_view line);

// UTF-16 or UTF-32 bytes as UTF-8, piece by piece, wherever the pieces end.
// A surrogate half without its partner, a value beyond U+10FFFF, or the
// bytes of an unfinished unit at the very end become U+FFFD; WellFormed
// tells whether there was any.
class WideToUtf8 {
public:
    explicit WideToUtf8(TextForm form);

    // The room Add and Finish need in out for a piece of n bytes.
    static constexpr std::size_t MaxOutput(std::size_t n) { return 3 * (n / 2 + 4); }

    // Writes the UTF-8 form of what the piece completes to out and returns
    // where it stopped.
    char* Add(std::string_view piece, char* out);
    // Writes what is left at the end of the text.
    char* Finish(char* out);
    bool WellFormed() const { return wellFormed_; }

private:
    char* Unit(char32_t unit, char* out);
    char32_t UnitAt(const unsigned char* p) const;

    std::size_t unitSize_;
    bool bigEndian_;
    bool wellFormed_ = true;
    unsigned char partial_[4] = {};  // the first bytes of a unit the next piece ends
    std::size_t partialSize_ = 0;
    char16_t high_ = 0;  // a high surrogate waiting for its low one
};

// A file's bytes, piece by piece, as the bytes of its text: the mark left
// out, UTF-16 and UTF-32 turned into UTF-8. The first bytes are held back
// until four of them tell the form (or the file ends). Where the bytes are
// the text, the text handed back lies in the piece itself.
class TextBytesReader {
public:
    // The text bytes the piece completes, and with last set everything up
    // to the end of the file; valid until the next call.
    std::string_view Add(std::string_view piece, bool last = false);
    std::string_view Finish() { return Add({}, true); }

    bool FormKnown() const { return formKnown_; }
    TextForm Form() const { return form_; }
    // False once wide text held a broken unit.
    bool WellFormed() const { return !wide_ || wide_->WellFormed(); }

private:
    std::string_view Text(std::string_view bytes, bool last);

    bool formKnown_ = false;
    TextForm form_ = TextForm::Lines;
    std::string head_;
    std::optional<WideToUtf8> wide_;
    std::string decoded_;
};

// A file's text read a block at a time by the rule above: the one block
// reader of the search and the conversion.
class TextReader {
public:
    explicit TextReader(const QString& path) : file_(path) {}
    explicit TextReader(InputFile file) : file_(std::move(file)) {}

    bool IsOpen() const { return file_.IsOpen(); }
    InputFile& File() { return file_; }

    struct Piece {
        std::string_view text;  // in the block read into, or the reader's own
        bool last = false;      // nothing follows it
    };
    // Reads the next block of the file into [to, to + room) and gives the
    // text it completes, which lies there where the bytes are the text and
    // in the reader's own memory where they are turned into UTF-8. Empty
    // when a read failed (the file's Error() tells).
    std::optional<Piece> Next(char* to, std::size_t room);
    // The file's bytes read so far.
    std::size_t Position() const { return read_; }
    TextForm Form() const { return text_.Form(); }
    bool WellFormed() const { return text_.WellFormed(); }

private:
    InputFile file_;
    TextBytesReader text_;
    std::size_t read_ = 0;
    bool done_ = false;
};

}  // namespace platform
