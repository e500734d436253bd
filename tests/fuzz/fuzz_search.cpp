// SPDX-License-Identifier: GPL-3.0-or-later
// The search of one buffer against the plain line-by-line reading: split the
// bytes into lines, look for the search text in each line with a plain find
// (both lowered when case is ignored); the hits are the same lines, trimmed.
// The same bytes read from a file in small blocks give the same hits too.
#include "search/FileSearch.h"
#include "search/SearchMatcher.h"
#include "platform/CodePage.h"
#include "toolkit/TStringList.h"

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

std::string Lowered(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = char(platform::AnsiLower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view Trimmed(std::string_view line)
{
    while (!line.empty() && static_cast<unsigned char>(line.front()) <= 32)
        line.remove_prefix(1);
    while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32)
        line.remove_suffix(1);
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Byte 0: bit 0 ignores case, the rest gives the search text's length
    // (0 to 127); the search text follows, then the file's bytes.
    if (size < 1)
        return 0;
    const bool ignoreCase = data[0] & 1;
    const size_t needleLength = std::min<size_t>(data[0] >> 1, size - 1);
    const std::string_view needle(reinterpret_cast<const char*>(data) + 1, needleLength);
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1 + needleLength,
                                 size - 1 - needleLength);

    const search::Matcher matcher(needle, ignoreCase);
    std::vector<search::LineHit> hits;
    search::FindHitLines(matcher, bytes, hits);

    std::vector<search::LineHit> expected;
    const std::string wanted = ignoreCase ? Lowered(needle) : std::string(needle);
    const std::vector<std::string_view> lines = SplitLines(bytes);
    for (size_t i = 0; i < lines.size() && !wanted.empty(); ++i) {
        const std::string line = ignoreCase ? Lowered(lines[i]) : std::string(lines[i]);
        if (line.find(wanted) != std::string::npos)
            expected.push_back({int(i), Trimmed(lines[i])});
    }

    if (hits != expected) {
        std::fprintf(stderr, "search differs: %zu hits, %zu expected (ignore case %d)\n",
                     hits.size(), expected.size(), int(ignoreCase));
        for (const auto& h : hits)
            std::fprintf(stderr, "  got line %lld\n", h.index);
        for (const auto& h : expected)
            std::fprintf(stderr, "  want line %lld\n", h.index);
        std::abort();
    }
    // Read in blocks of a few bytes, so that lines, CR LF pairs, the NUL and
    // the hits lie across block edges.
    static const int fd = memfd_create("fuzz_search", MFD_CLOEXEC);
    if (fd < 0 || ::ftruncate(fd, 0) != 0 || ::pwrite(fd, bytes.data(), bytes.size(), 0) != ssize_t(bytes.size()))
        std::abort();
    std::vector<std::pair<long long, std::string>> wantedBlocks;
    for (const auto& h : expected)
        wantedBlocks.emplace_back(h.index, std::string(h.text));
    for (size_t block : {size_t(1) + size % 7, size_t(16) + size % 23}) {
        search::FileBuffer buffer(block);
        std::vector<std::pair<long long, std::string>> got;
        if (::lseek(fd, 0, SEEK_SET) != 0)
            std::abort();
        // Now and then the size reported is out of date.
        const size_t reported = size % 3 == 0 ? bytes.size() : size % 3 == 1 ? 0 : bytes.size() / 2;
        const bool searched = buffer.Search(fd, reported, matcher, [&](const search::LineHit& h) {
            got.emplace_back(h.index, std::string(h.text));
        });
        if (!searched || got != wantedBlocks) {
            std::fprintf(stderr, "block search differs: block %zu, %zu hits, %zu expected\n", block, got.size(),
                         wantedBlocks.size());
            std::abort();
        }
    }
    // The matcher on the whole text agrees with a plain find as well.
    const std::string text = ignoreCase ? Lowered(bytes) : std::string(bytes);
    const bool contains = !wanted.empty() && text.find(wanted) != std::string::npos;
    if (matcher.Contains(bytes) != contains) {
        std::fprintf(stderr, "Contains differs: got %d\n", int(!contains));
        std::abort();
    }
    return 0;
}
