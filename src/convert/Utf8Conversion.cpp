// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/Utf8Conversion.h"

#include <cstring>

bool HoldsNulByte(std::string_view bytes)
{
    return !bytes.empty() && std::memchr(bytes.data(), 0, bytes.size()) != nullptr;
}

void TextClassifier::Add(std::string_view text)
{
    if (nul_ || text.empty())
        return;
    empty_ = false;
    nul_ = HoldsNulByte(text);
}

UnmarkedContent TextClassifier::Result(bool wellFormed) const
{
    if (nul_)
        return UnmarkedContent::HoldsNul;
    if (!wellFormed)
        return UnmarkedContent::BrokenUtf16;
    return UnmarkedContent::Text;
}

UnmarkedContent ClassifyUnmarked(std::string_view bytes)
{
    platform::TextBytesReader reader;
    TextClassifier classifier;
    classifier.Add(reader.Add(bytes, true));
    return classifier.Result(reader.WellFormed());
}

namespace {

// Position of the first CR or LF at or after from, or the text's size.
std::size_t FindBreak(std::string_view text, std::size_t from)
{
    const char* p = text.data();
    for (std::size_t i = from; i < text.size(); ++i)
        if (p[i] == '\r' || p[i] == '\n')
            return i;
    return text.size();
}

}  // namespace

std::string TextAsUtf8(std::string_view text)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t end = FindBreak(text, i);
        platform::AppendLineAsUtf8(out, text.substr(i, end - i));
        if (end < text.size())
            out.push_back(text[end]);
        i = end + 1;
    }
    return out;
}

void Utf8Writer::EndLine(std::string_view rest, std::string& out)
{
    // A line is judged whole, so one that the pieces cut is put together first.
    if (line_.empty()) {
        platform::AppendLineAsUtf8(out, rest);
    } else {
        line_.append(rest);
        platform::AppendLineAsUtf8(out, line_);
        line_.clear();
    }
    out.append("\r\n");
    inLine_ = false;
}

void Utf8Writer::Add(std::string_view text, std::string& out)
{
    if (text.empty())
        return;
    if (!started_) {
        out.append(platform::kUtf8Mark);
        started_ = true;
    }
    std::size_t i = 0;
    if (afterCr_ && text.front() == '\n')
        i = 1;  // the LF of a CR LF, already written
    afterCr_ = false;
    while (i < text.size()) {
        const std::size_t end = FindBreak(text, i);
        if (end == text.size()) {
            line_.append(text.substr(i));
            inLine_ = true;
            return;
        }
        EndLine(text.substr(i, end - i), out);
        i = end + 1;
        if (text[end] == '\r') {
            if (i == text.size())
                afterCr_ = true;
            else if (text[i] == '\n')
                ++i;
        }
    }
}

void Utf8Writer::Finish(std::string& out)
{
    if (inLine_)
        EndLine({}, out);
}

std::string Utf8Output(std::string_view fileBytes, bool withBom)
{
    std::string out;
    platform::TextBytesReader reader;
    Utf8Writer writer;
    writer.Add(reader.Add(fileBytes, true), out);
    writer.Finish(out);
    if (!withBom && out.starts_with(platform::kUtf8Mark))
        out.erase(0, platform::kUtf8Mark.size());
    return out;
}
