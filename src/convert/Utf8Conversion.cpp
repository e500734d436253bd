// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/Utf8Conversion.h"

#include "platform/CodePage.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The UTF-8 form of each of the 256 ANSI bytes, made once from the
// code-page table: up to three bytes and their count.
struct Utf8Unit {
    char bytes[3];
    unsigned char size;
};

std::array<Utf8Unit, 256> MakeAnsiTable()
{
    std::array<Utf8Unit, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const char16_t u = platform::AnsiToUnicode(static_cast<unsigned char>(b));
        Utf8Unit& unit = table[size_t(b)];
        if (u < 0x80) {
            unit.bytes[0] = char(u);
            unit.size = 1;
        } else if (u < 0x800) {
            unit.bytes[0] = char(0xC0 | (u >> 6));
            unit.bytes[1] = char(0x80 | (u & 0x3F));
            unit.size = 2;
        } else {
            unit.bytes[0] = char(0xE0 | (u >> 12));
            unit.bytes[1] = char(0x80 | ((u >> 6) & 0x3F));
            unit.bytes[2] = char(0x80 | (u & 0x3F));
            unit.size = 3;
        }
    }
    return table;
}

const std::array<Utf8Unit, 256>& AnsiTable()
{
    static const std::array<Utf8Unit, 256> table = MakeAnsiTable();
    return table;
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

bool StartsWithUtf8Bom(std::string_view bytes)
{
    return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom;
}

bool HoldsNulByte(std::string_view bytes)
{
    return std::memchr(bytes.data(), 0, bytes.size()) != nullptr;
}

bool IsValidUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        size_t length;
        unsigned char low = 0x80;  // allowed range of the second byte
        unsigned char high = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0)
                low = 0xA0;  // shorter forms
            else if (b == 0xED)
                high = 0x9F;  // surrogate halves
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;  // above U+10FFFF
        } else {
            return false;  // a continuation byte first, C0, C1 or F5 and above
        }
        if (n - i < length)
            return false;
        if (p[i + 1] < low || p[i + 1] > high)
            return false;
        for (size_t k = 2; k < length; ++k)
            if (!IsContinuation(p[i + k]))
                return false;
        i += length;
    }
    return true;
}

bool IsUnmarkedUtf8(std::string_view bytes)
{
    bool high = false;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            high = true;
            break;
        }
    return high && IsValidUtf8(bytes);
}

void AppendAnsiAsUtf8(std::string& out, std::string_view ansi)
{
    const auto& table = AnsiTable();
    size_t i = 0;
    while (i < ansi.size()) {
        // ASCII, most of a text, is copied as it is.
        size_t j = i;
        while (j < ansi.size() && static_cast<unsigned char>(ansi[j]) < 0x80)
            ++j;
        out.append(ansi.data() + i, j - i);
        for (; j < ansi.size() && static_cast<unsigned char>(ansi[j]) >= 0x80; ++j) {
            const Utf8Unit& unit = table[static_cast<unsigned char>(ansi[j])];
            out.append(unit.bytes, unit.size);
        }
        i = j;
    }
}

std::string AnsiToUtf8(std::string_view ansi)
{
    std::string out;
    AppendAnsiAsUtf8(out, ansi);
    return out;
}

UnmarkedContent ClassifyUnmarked(std::string_view bytes)
{
    if (HoldsNulByte(bytes))
        return UnmarkedContent::HoldsNul;
    if (IsUnmarkedUtf8(bytes))
        return UnmarkedContent::Utf8;
    return UnmarkedContent::Ansi;
}

std::string Utf8Output(std::string_view joinedText, bool withBom, bool textIsUtf8)
{
    std::string out;
    if (withBom)
        out.append(kUtf8Bom);
    if (textIsUtf8)
        out.append(joinedText);
    else
        AppendAnsiAsUtf8(out, joinedText);
    return out;
}

namespace {

// Where a sequence begun in the last three bytes of bytes would run past
// its end: the position of its first byte, or the size when none does.
size_t IncompleteTail(std::string_view bytes)
{
    const size_t n = bytes.size();
    for (size_t k = 1; k <= 3 && k <= n; ++k) {
        const unsigned char b = static_cast<unsigned char>(bytes[n - k]);
        if (b < 0x80)
            return n;
        if (IsContinuation(b))
            continue;
        const size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        return length > k ? n - k : n;
    }
    return n;
}

size_t SequenceLength(unsigned char lead)
{
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
}

}  // namespace

void UnmarkedClassifier::Add(std::string_view piece)
{
    if (piece.empty() || nul_)
        return;
    empty_ = false;
    if (HoldsNulByte(piece)) {
        nul_ = true;
        return;
    }
    if (!high_)
        for (char c : piece)
            if (static_cast<unsigned char>(c) >= 0x80) {
                high_ = true;
                break;
            }
    if (!valid_)
        return;
    if (!pending_.empty()) {
        // The sequence the last piece ended in goes on here.
        const size_t need = SequenceLength(static_cast<unsigned char>(pending_[0])) - pending_.size();
        const size_t take = std::min(need, piece.size());
        pending_.append(piece.substr(0, take));
        piece.remove_prefix(take);
        if (take < need)
            return;
        valid_ = IsValidUtf8(pending_);
        pending_.clear();
        if (!valid_)
            return;
    }
    const size_t tail = IncompleteTail(piece);
    valid_ = IsValidUtf8(piece.substr(0, tail));
    pending_.assign(piece.substr(tail));
}

UnmarkedContent UnmarkedClassifier::Result() const
{
    if (nul_)
        return UnmarkedContent::HoldsNul;
    // A sequence cut off at the end is no UTF-8.
    if (high_ && valid_ && pending_.empty())
        return UnmarkedContent::Utf8;
    return UnmarkedContent::Ansi;
}

void Utf8Writer::AppendRun(std::string_view run, std::string& out) const
{
    if (textIsUtf8_)
        out.append(run);
    else
        AppendAnsiAsUtf8(out, run);
}

void Utf8Writer::Add(std::string_view piece, std::string& out)
{
    if (piece.empty())
        return;
    if (!started_) {
        out.append(kUtf8Bom);
        started_ = true;
    }
    size_t i = 0;
    while (i < piece.size()) {
        size_t end = i;
        while (end < piece.size() && piece[end] != '\r' && piece[end] != '\n')
            ++end;
        if (end > i) {
            AppendRun(piece.substr(i, end - i), out);
            afterCr_ = afterBreak_ = false;
        }
        if (end == piece.size())
            break;
        if (piece[end] == '\n' && afterCr_) {
            afterCr_ = false;  // the LF of a CR LF, already written
        } else {
            out.append("\r\n");
            afterCr_ = piece[end] == '\r';
        }
        afterBreak_ = true;
        i = end + 1;
    }
}

void Utf8Writer::Finish(std::string& out)
{
    if (started_ && !afterBreak_)
        out.append("\r\n");
}
