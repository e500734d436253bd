// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileText.h"

#include "platform/CodePage.h"
#include "platform/Utf8.h"

namespace platform {

TextForm FormOf(std::string_view head)
{
    auto startsWith = [head](std::string_view mark) { return head.substr(0, mark.size()) == mark; };
    using namespace std::string_view_literals;
    if (startsWith(kUtf8Mark))
        return TextForm::Utf8Mark;
    // FF FE 00 00 is also the UTF-16 mark followed by U+0000, a text that
    // would end before its first character: it is read as UTF-32.
    if (startsWith("\xFF\xFE\0\0"sv))
        return TextForm::Utf32LE;
    if (startsWith("\xFF\xFE"sv))
        return TextForm::Utf16LE;
    if (startsWith("\xFE\xFF"sv))
        return TextForm::Utf16BE;
    if (startsWith("\0\0\xFE\xFF"sv))
        return TextForm::Utf32BE;
    return TextForm::Lines;
}

std::size_t MarkSize(TextForm form)
{
    switch (form) {
    case TextForm::Lines: return 0;
    case TextForm::Utf8Mark: return 3;
    case TextForm::Utf16LE:
    case TextForm::Utf16BE: return 2;
    case TextForm::Utf32LE:
    case TextForm::Utf32BE: return 4;
    }
    return 0;
}

bool IsWide(TextForm form)
{
    return form != TextForm::Lines && form != TextForm::Utf8Mark;
}

char16_t* WriteLineText(std::string_view line, char16_t* out)
{
    if (IsValidUtf8(line))
        return DecodeUtf8(line, out);
    AnsiToUnicode(line, out);
    return out + line.size();
}

QString LineText(std::string_view line)
{
    QString text(qsizetype(line.size()), Qt::Uninitialized);
    char16_t* begin = reinterpret_cast<char16_t*>(text.data());
    text.truncate(WriteLineText(line, begin) - begin);
    return text;
}

void AppendLineAsUtf8(std::string& out, std::string_view line)
{
    if (IsValidUtf8(line)) {
        out.append(line);
        return;
    }
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            out.push_back(c);
        else
            AppendUtf8(out, AnsiToUnicode(byte));
    }
}

WideToUtf8::WideToUtf8(TextForm form)
    : unitSize_(form == TextForm::Utf32LE || form == TextForm::Utf32BE ? 4 : 2),
      bigEndian_(form == TextForm::Utf16BE || form == TextForm::Utf32BE)
{
}

char32_t WideToUtf8::UnitAt(const unsigned char* p) const
{
    if (unitSize_ == 2)
        return bigEndian_ ? char32_t(p[0] << 8 | p[1]) : char32_t(p[1] << 8 | p[0]);
    return bigEndian_ ? char32_t(p[0]) << 24 | char32_t(p[1]) << 16 | char32_t(p[2]) << 8 | p[3]
                      : char32_t(p[3]) << 24 | char32_t(p[2]) << 16 | char32_t(p[1]) << 8 | p[0];
}

char* WideToUtf8::Unit(char32_t unit, char* out)
{
    const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
    if (unitSize_ == 4) {
        if (surrogate || unit > 0x10FFFF) {
            wellFormed_ = false;
            unit = 0xFFFD;
        }
        return EncodeUtf8(unit, out);
    }
    if (high_ != 0) {
        const char16_t high = high_;
        high_ = 0;
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return EncodeUtf8(0x10000 + ((char32_t(high) - 0xD800) << 10) + (unit - 0xDC00), out);
        wellFormed_ = false;
        out = EncodeUtf8(0xFFFD, out);
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        high_ = char16_t(unit);
        return out;
    }
    if (surrogate) {
        wellFormed_ = false;
        return EncodeUtf8(0xFFFD, out);
    }
    return EncodeUtf8(unit, out);
}

char* WideToUtf8::Add(std::string_view piece, char* out)
{
    const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
    const std::size_t n = piece.size();
    std::size_t i = 0;
    if (partialSize_ > 0) {
        while (partialSize_ < unitSize_ && i < n)
            partial_[partialSize_++] = p[i++];
        if (partialSize_ < unitSize_)
            return out;
        out = Unit(UnitAt(partial_), out);
        partialSize_ = 0;
    }
    for (; i + unitSize_ <= n; i += unitSize_) {
        const char32_t unit = UnitAt(p + i);
        // Runs of ASCII, most of a text, go straight through.
        if (unit < 0x80 && high_ == 0)
            *out++ = char(unit);
        else
            out = Unit(unit, out);
    }
    while (i < n)
        partial_[partialSize_++] = p[i++];
    return out;
}

char* WideToUtf8::Finish(char* out)
{
    if (high_ != 0) {
        high_ = 0;
        wellFormed_ = false;
        out = EncodeUtf8(0xFFFD, out);
    }
    if (partialSize_ > 0) {
        partialSize_ = 0;
        wellFormed_ = false;
        out = EncodeUtf8(0xFFFD, out);
    }
    return out;
}

std::string_view TextBytesReader::Text(std::string_view bytes, bool last)
{
    if (!wide_)
        return bytes;
    decoded_.resize(WideToUtf8::MaxOutput(bytes.size()));
    char* end = wide_->Add(bytes, decoded_.data());
    if (last)
        end = wide_->Finish(end);
    decoded_.resize(std::size_t(end - decoded_.data()));
    return decoded_;
}

std::string_view TextBytesReader::Add(std::string_view piece, bool last)
{
    if (formKnown_)
        return Text(piece, last);
    // The form waits for its first bytes; where one piece holds them, the
    // text stays in the piece.
    std::string_view head = piece;
    if (!head_.empty() || (piece.size() < kFormHead && !last)) {
        head_.append(piece);
        if (head_.size() < kFormHead && !last)
            return {};
        head = head_;
    }
    formKnown_ = true;
    form_ = FormOf(head);
    if (IsWide(form_))
        wide_.emplace(form_);
    return Text(head.substr(MarkSize(form_)), last);
}

std::optional<TextReader::Piece> TextReader::Next(char* to, std::size_t room)
{
    if (done_)
        return Piece{{}, true};
    const std::ptrdiff_t got = file_.Read(to, room);
    if (got < 0)
        return std::nullopt;
    read_ += std::size_t(got);
    // A plain file read short at its reported size is at its end; a further
    // read would only return nothing.
    const std::size_t reported = file_.ReportedSize();
    done_ = got == 0 || (reported > 0 && read_ >= reported && std::size_t(got) < room);
    return Piece{text_.Add(std::string_view(to, std::size_t(got)), done_), done_};
}

}  // namespace platform
