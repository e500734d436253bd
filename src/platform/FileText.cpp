// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileText.h"

#include "platform/CodePage.h"
#include "platform/Utf8.h"

namespace platform {

TextForm FormOf(std::string_view head)
{
    if (head.size() >= 3 && head.substr(0, 3) == std::string_view("\xEF\xBB\xBF", 3))
        return TextForm::Utf8Mark;
    if (head.size() >= 2 && head.substr(0, 2) == std::string_view("\xFF\xFE", 2))
        return TextForm::Utf16LE;
    if (head.size() >= 2 && head.substr(0, 2) == std::string_view("\xFE\xFF", 2))
        return TextForm::Utf16BE;
    return TextForm::Lines;
}

std::size_t MarkSize(TextForm form)
{
    switch (form) {
    case TextForm::Lines: return 0;
    case TextForm::Utf8Mark: return 3;
    case TextForm::Utf16LE:
    case TextForm::Utf16BE: return 2;
    }
    return 0;
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

char* Utf16ToUtf8::Unit(char16_t unit, char* out)
{
    if (high_ != 0) {
        const char16_t high = high_;
        high_ = 0;
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return EncodeUtf8(0x10000 + ((char32_t(high) - 0xD800) << 10) + (unit - 0xDC00), out);
        wellFormed_ = false;
        out = EncodeUtf8(0xFFFD, out);
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        high_ = unit;
        return out;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
        wellFormed_ = false;
        return EncodeUtf8(0xFFFD, out);
    }
    if (unit < 0x80) {
        *out++ = char(unit);
        return out;
    }
    return EncodeUtf8(unit, out);
}

char* Utf16ToUtf8::Add(std::string_view piece, char* out)
{
    const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
    std::size_t n = piece.size();
    std::size_t i = 0;
    auto unitOf = [this](unsigned first, unsigned second) {
        return bigEndian_ ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
    };
    if (oddByte_ >= 0 && n > 0) {
        out = Unit(unitOf(unsigned(oddByte_), p[0]), out);
        oddByte_ = -1;
        i = 1;
    }
    for (; i + 2 <= n; i += 2) {
        const char16_t unit = unitOf(p[i], p[i + 1]);
        // Runs of ASCII, most of a text, go straight through.
        if (unit < 0x80 && high_ == 0)
            *out++ = char(unit);
        else
            out = Unit(unit, out);
    }
    if (i < n)
        oddByte_ = p[i];
    return out;
}

char* Utf16ToUtf8::Finish(char* out)
{
    if (high_ != 0) {
        high_ = 0;
        wellFormed_ = false;
        out = EncodeUtf8(0xFFFD, out);
    }
    if (oddByte_ >= 0) {
        oddByte_ = -1;
        wellFormed_ = false;
        out = EncodeUtf8(0xFFFD, out);
    }
    return out;
}

std::string_view TextBytesReader::Text(std::string_view bytes, bool last)
{
    if (!toUtf8_)
        return bytes;
    decoded_.resize(Utf16ToUtf8::MaxOutput(bytes.size()));
    char* end = toUtf8_->Add(bytes, decoded_.data());
    if (last)
        end = toUtf8_->Finish(end);
    decoded_.resize(std::size_t(end - decoded_.data()));
    return decoded_;
}

std::string_view TextBytesReader::Add(std::string_view piece)
{
    if (!formKnown_) {
        std::string_view head = piece;
        if (!head_.empty() || piece.size() < 3) {
            head_.append(piece);
            if (head_.size() < 3)
                return {};
            head = head_;
        }
        formKnown_ = true;
        form_ = FormOf(head);
        if (IsUtf16(form_))
            toUtf8_.emplace(form_ == TextForm::Utf16BE);
        return Text(head.substr(MarkSize(form_)), false);
    }
    return Text(piece, false);
}

std::string_view TextBytesReader::Finish()
{
    if (!formKnown_) {
        formKnown_ = true;
        form_ = FormOf(head_);
        if (IsUtf16(form_))
            toUtf8_.emplace(form_ == TextForm::Utf16BE);
        return Text(std::string_view(head_).substr(MarkSize(form_)), true);
    }
    return Text({}, true);
}

}  // namespace platform
