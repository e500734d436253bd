// SPDX-License-Identifier: GPL-3.0-or-later
// The conversion of any file bytes: a file with a NUL byte is left alone;
// any other gives the mark followed by valid UTF-8, which for a file that
// already is UTF-8 is its text unchanged, and for an ANSI file is its
// Windows-1252 reading. Read in pieces, as a file is read in blocks, the
// answer and the output are the same wherever the pieces end.
#include "convert/Utf8Conversion.h"
#include "platform/CodePage.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Well-formed UTF-8 checked through a plain decode: every sequence of the
// shortest form, no surrogate halves, nothing above U+10FFFF.
bool ReferenceValidUtf8(std::string_view s)
{
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        int n;
        char32_t cp;
        if (b < 0x80) { ++i; continue; }
        else if ((b & 0xE0) == 0xC0) { n = 1; cp = b & 0x1F; }
        else if ((b & 0xF0) == 0xE0) { n = 2; cp = b & 0x0F; }
        else if ((b & 0xF8) == 0xF0) { n = 3; cp = b & 0x07; }
        else return false;
        if (i + size_t(n) >= s.size())
            return false;
        for (int k = 1; k <= n; ++k) {
            const unsigned char c = static_cast<unsigned char>(s[i + size_t(k)]);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        const char32_t minimum = n == 1 ? 0x80 : n == 2 ? 0x800 : 0x10000;
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += size_t(n) + 1;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    Check(IsValidUtf8(bytes) == ReferenceValidUtf8(bytes));
    Check(HoldsNulByte(bytes) == (std::memchr(data, 0, size) != nullptr));

    const UnmarkedContent kind = ClassifyUnmarked(bytes);
    const size_t piece = 1 + size % 13;
    UnmarkedClassifier classifier;
    for (size_t at = 0; at < size; at += piece)
        classifier.Add(bytes.substr(at, piece));
    Check(classifier.Result() == kind);
    if (HoldsNulByte(bytes)) {
        Check(kind == UnmarkedContent::HoldsNul);
        return 0;
    }
    bool high = false;
    for (char c : bytes)
        high = high || static_cast<unsigned char>(c) >= 0x80;
    Check(kind == ((ReferenceValidUtf8(bytes) && high) ? UnmarkedContent::Utf8 : UnmarkedContent::Ansi));

    const std::string out = Utf8Output(bytes, true, kind == UnmarkedContent::Utf8);
    Check(StartsWithUtf8Bom(out));
    const std::string_view body = std::string_view(out).substr(kUtf8Bom.size());
    Check(ReferenceValidUtf8(body));
    if (kind == UnmarkedContent::Utf8) {
        Check(body == bytes);
    } else {
        // Each byte is its code-page character, encoded by Qt as a check.
        QString expected;
        for (char c : bytes)
            expected += QChar(platform::AnsiToUnicode(static_cast<unsigned char>(c)));
        Check(body == expected.toUtf8().toStdString());
        Check(AnsiToUtf8(bytes) == body);
    }
    Check(Utf8Output(bytes, false, kind == UnmarkedContent::Utf8) == body);

    auto written = [&](size_t pieceSize) {
        Utf8Writer writer(kind == UnmarkedContent::Utf8);
        std::string text;
        for (size_t at = 0; at < size; at += pieceSize)
            writer.Add(bytes.substr(at, pieceSize), text);
        writer.Finish(text);
        return text;
    };
    const std::string whole = written(size + 1);
    Check(written(piece) == whole);
    // Without line breaks the text is one line, which gains CR LF.
    if (size > 0 && bytes.find_first_of("\r\n") == std::string_view::npos)
        Check(whole == out + "\r\n");
    return 0;
}
