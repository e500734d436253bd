#include "convert/Utf8Conversion.h"

#include "platform/CodePage.h"

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
    size_t size = out.size();
    for (char c : ansi)
        size += table[static_cast<unsigned char>(c)].size;
    out.reserve(size);
    for (char c : ansi) {
        const Utf8Unit& unit = table[static_cast<unsigned char>(c)];
        out.append(unit.bytes, unit.size);
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
