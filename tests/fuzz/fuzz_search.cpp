// SPDX-License-Identifier: GPL-3.0-or-later
// The search of one file's bytes against the plain line-by-line reading: the
// text by the file-text rule (Qt's decoders for UTF-16, UTF-32 and UTF-8), split into
// lines by the text list, each line decoded and compared as a QString (both
// case-folded when case is ignored); the hits are the same lines with the
// same text. The same bytes read from a file in small blocks give the same
// hits too.
#include "search/FileSearch.h"
#include "search/SearchMatcher.h"
#include "platform/CodePage.h"
#include "platform/FileText.h"
#include "support/TStringList.h"

#include <QStringDecoder>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using Hits = std::vector<std::pair<long long, QString>>;

// Qt's UTF-8 decoder, keeping a U+FEFF at the start as the character it is.
QString ReferenceLineText(const std::string& raw)
{
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(QByteArray::fromStdString(raw));
    return utf8.hasError() ? platform::AnsiToQString(raw) : text;
}

Hits ReferenceHits(const QString& needle, std::string_view file, bool ignoreCase)
{
    std::string text(file);
    // Only the file's own mark is left out: a U+FEFF after it is text.
    auto decoded = [&](QStringConverter::Encoding encoding, std::size_t mark) {
        QStringDecoder decode(encoding, QStringConverter::Flag::ConvertInitialBom);
        return QString(decode(QByteArray::fromStdString(std::string(file.substr(mark))))).toStdString();
    };
    if (file.substr(0, 3) == "\xEF\xBB\xBF")
        text = file.substr(3);
    else if (file.substr(0, 4) == std::string_view("\xFF\xFE\0\0", 4))
        text = decoded(QStringConverter::Utf32LE, 4);
    else if (file.substr(0, 4) == std::string_view("\0\0\xFE\xFF", 4))
        text = decoded(QStringConverter::Utf32BE, 4);
    else if (file.substr(0, 2) == "\xFF\xFE")
        text = decoded(QStringConverter::Utf16LE, 2);
    else if (file.substr(0, 2) == "\xFE\xFF")
        text = decoded(QStringConverter::Utf16BE, 2);
    TStringList list;
    list.SetText(text);
    Hits hits;
    const QString wanted = ignoreCase ? needle.toCaseFolded() : needle;
    for (int j = 0; j < list.Count() && !wanted.isEmpty(); ++j) {
        const QString line = ReferenceLineText(list[j]);
        if ((ignoreCase ? line.toCaseFolded() : line).contains(wanted))
            hits.emplace_back(j, ReferenceLineText(std::string(search::TrimLine(list[j]))));
    }
    return hits;
}

void Report(const char* what, const Hits& got, const Hits& want)
{
    std::fprintf(stderr, "%s: %zu hits, %zu expected\n", what, got.size(), want.size());
    for (const auto& h : got)
        std::fprintf(stderr, "  got line %lld %s\n", h.first, h.second.toUtf8().constData());
    for (const auto& h : want)
        std::fprintf(stderr, "  want line %lld %s\n", h.first, h.second.toUtf8().constData());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Byte 0: bit 0 ignores case, the rest gives the search text's length in
    // bytes (0 to 127), read as UTF-8; the search text follows, then the
    // file's bytes.
    if (size < 1)
        return 0;
    const bool ignoreCase = data[0] & 1;
    const size_t needleLength = std::min<size_t>(data[0] >> 1, size - 1);
    const QString needle = QString::fromUtf8(reinterpret_cast<const char*>(data) + 1, qsizetype(needleLength));
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1 + needleLength, size - 1 - needleLength);

    const search::Matcher matcher(needle, ignoreCase);
    Hits hits;
    for (const auto& hit : search::FindHitLines(matcher, bytes))
        hits.emplace_back(hit.index, hit.text);
    // Qt's decoder and ours agree on well-formed UTF-16 only; a surrogate
    // half is U+FFFD in both, but Qt may take a different count of bytes
    // for it, so those files are compared with the block reading alone.
    platform::TextBytesReader check;
    check.Add(bytes, true);
    const bool wellFormed = check.WellFormed();
    const Hits expected = wellFormed ? ReferenceHits(needle, bytes, ignoreCase) : hits;
    if (hits != expected)
        Report("search differs", hits, expected);

    // Read in blocks of a few bytes, so that lines, CR LF pairs, marks,
    // UTF-16 units, the NUL and the hits lie across block edges.
    static const int fd = memfd_create("fuzz_search", MFD_CLOEXEC);
    if (fd < 0 || ::ftruncate(fd, 0) != 0 || ::pwrite(fd, bytes.data(), bytes.size(), 0) != ssize_t(bytes.size()))
        std::abort();
    static const QString path = QStringLiteral("/proc/self/fd/%1").arg(fd);
    for (size_t block : {size_t(1) + size % 7, size_t(16) + size % 23}) {
        search::FileBuffer buffer(block);
        Hits got;
        const bool searched = buffer.Search(path, matcher, [&](const search::LineHit& h) {
            got.emplace_back(h.index, platform::LineText(h.text));
        });
        if (!searched || got != expected)
            Report("block search differs", got, expected);
    }
    return 0;
}
