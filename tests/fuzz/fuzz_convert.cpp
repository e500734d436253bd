// SPDX-License-Identifier: GPL-3.0-or-later
// The conversion of any file bytes: a file with a NUL character or broken
// UTF-16 is left alone; any other gives the mark followed by valid UTF-8
// with the same characters, line for line, as the file's text read by the
// file-text rule. Read in pieces, as a file is read in blocks, the answer
// and the output are the same wherever the pieces end.
#include "convert/Utf8Conversion.h"
#include "platform/FileText.h"
#include "platform/Utf8.h"

#include <QString>
#include <QStringDecoder>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

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

// The lines of a text, split at CR, LF and CR LF (a break at the end adds
// no line).
std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    Check(platform::IsValidUtf8(bytes) == ReferenceValidUtf8(bytes));
    Check(HoldsNulByte(bytes) == (std::memchr(data, 0, size) != nullptr));

    const UnmarkedContent kind = ClassifyUnmarked(bytes);
    const size_t piece = 1 + size % 13;
    platform::TextBytesReader pieces;
    TextClassifier classifier;
    for (size_t at = 0; at < size; at += piece)
        classifier.Add(pieces.Add(bytes.substr(at, piece)));
    classifier.Add(pieces.Finish());
    Check(classifier.Result(pieces.WellFormed()) == kind);
    if (kind != UnmarkedContent::Text)
        return 0;

    const std::string out = Utf8Output(bytes, true);
    auto written = [&](size_t pieceSize) {
        platform::TextBytesReader reader;
        Utf8Writer writer;
        std::string text;
        for (size_t at = 0; at < size; at += pieceSize)
            writer.Add(reader.Add(bytes.substr(at, pieceSize)), text);
        writer.Add(reader.Finish(), text);
        writer.Finish(text);
        return text;
    };
    Check(written(piece) == out);
    if (out.empty())
        return 0;
    Check(out.starts_with(platform::kUtf8Mark));
    const std::string_view body = std::string_view(out).substr(platform::kUtf8Mark.size());
    Check(ReferenceValidUtf8(body));
    Check(Utf8Output(bytes, false) == body);

    // Line for line the same characters: the file's lines by the rule, the
    // output's as UTF-8, each ending in CR LF.
    platform::TextBytesReader whole;
    const std::string text(whole.Add(bytes, true));
    const std::vector<std::string_view> before = Lines(text);
    const std::vector<std::string_view> after = Lines(body);
    Check(before.size() == after.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        Check(platform::LineText(before[i]) ==
              QStringDecoder(QStringConverter::Utf8,
                             QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless)
                  .decode(QByteArrayView(after[i].data(), qsizetype(after[i].size()))));
    Check(body.size() >= 2 && body.substr(body.size() - 2) == "\r\n");
    return 0;
}
