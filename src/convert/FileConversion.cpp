// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/FileConversion.h"

#include "convert/SafeFileWrite.h"
#include "convert/Utf8Conversion.h"
#include "platform/FileText.h"
#include "platform/InputFile.h"
#include "platform/PageBuffer.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace {

// What one reading of a file's text found out besides its text.
struct TextRead {
    bool read = false;  // the file could be opened and read
    platform::TextForm form = platform::TextForm::Lines;
    bool wellFormed = true;
};

// Reads the text of the file at path a block at a time, handing each piece
// to onText until it returns false or the text ends.
TextRead ReadText(const QString& path, char* buffer, std::size_t blockSize,
                  const std::function<bool(std::string_view)>& onText, const std::function<void()>& betweenBlocks)
{
    platform::TextReader reader(path);
    if (!reader.IsOpen())
        return {};
    for (;;) {
        const std::optional<platform::TextReader::Piece> piece = reader.Next(buffer, blockSize);
        if (!piece)
            return {};
        if (!onText(piece->text) || piece->last)
            break;
        if (betweenBlocks)
            betweenBlocks();
    }
    return {true, reader.Form(), reader.WellFormed()};
}

// A file that another program changes between the two passes is looked at
// again, a few times at most.
constexpr int kAttempts = 3;

}  // namespace

std::optional<bool> StartsWithUtf8Mark(const QString& path, int& error)
{
    platform::InputFile file(path);
    char head[platform::kUtf8Mark.size()];
    const std::ptrdiff_t got = file.IsOpen() ? file.ReadFully(head, sizeof head) : -1;
    if (got < 0 || !file.Close()) {
        error = file.Error();
        return std::nullopt;
    }
    return std::string_view(head, std::size_t(got)) == platform::kUtf8Mark;
}

FileConversion ConvertUnmarkedFile(const QString& path, std::size_t blockSize,
                                   const std::function<void()>& betweenBlocks)
{
    blockSize = std::max<std::size_t>(blockSize, 1);
    const platform::PageBuffer buffer = platform::NewPageBuffer(blockSize);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        TextClassifier first;
        const TextRead firstRead = ReadText(path, buffer.get(), blockSize, [&](std::string_view text) {
            first.Add(text);
            return !first.HoldsNul();  // a NUL settles it
        }, betweenBlocks);
        if (!firstRead.read)
            return FileConversion::CannotRead;
        switch (first.Result(firstRead.wellFormed)) {
        case UnmarkedContent::HoldsNul: return FileConversion::HoldsNul;
        case UnmarkedContent::BrokenUtf16:
            return firstRead.form == platform::TextForm::Utf32LE || firstRead.form == platform::TextForm::Utf32BE
                       ? FileConversion::BrokenUtf32
                       : FileConversion::BrokenUtf16;
        case UnmarkedContent::Text: break;
        }
        // An empty text is not written: the file stays as it is, without the mark.
        if (first.Empty())
            return FileConversion::Converted;

        // The second pass checks the text again as it writes it, so that
        // what it writes is what the first pass found.
        bool readAgain = true;
        const ContentSource content = [&](const std::function<bool(std::string_view)>& put) {
            Utf8Writer writer;
            TextClassifier second;
            std::string out;
            bool written = true;
            const TextRead secondRead = ReadText(path, buffer.get(), blockSize, [&](std::string_view text) {
                second.Add(text);
                if (second.HoldsNul())
                    return false;
                out.clear();
                writer.Add(text, out);
                written = put(out);
                return written;
            }, betweenBlocks);
            readAgain = secondRead.read;
            if (!readAgain || !written)
                return false;
            const bool sameKind = second.Result(secondRead.wellFormed) == UnmarkedContent::Text && !second.Empty() &&
                                  secondRead.form == firstRead.form;
            if (!sameKind)
                return false;
            out.clear();
            writer.Finish(out);
            return put(out);
        };
        switch (WriteFileSafely(path, content)) {
        case SafeWriteResult::Written: return FileConversion::Converted;
        case SafeWriteResult::CannotCreate: return FileConversion::CannotCreate;
        case SafeWriteResult::WriteFailed: return FileConversion::WriteFailed;
        case SafeWriteResult::ContentFailed:
            if (!readAgain)
                return FileConversion::CannotRead;
            break;  // changed under way: once more from the start
        }
    }
    return FileConversion::CannotRead;
}
