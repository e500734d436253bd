// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the search benchmark's corpus: bench_corpus FOLDER [FILES]
#include "SearchCorpus.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [FILES]\n", argv[0]);
        return 2;
    }
    const int files = argc > 2 ? std::atoi(argv[2]) : 5000;
    const benchcorpus::Stats stats = benchcorpus::Generate(argv[1], files);
    std::printf("%d files, %.1f MB in %s\n", stats.files, double(stats.bytes) / 1e6, argv[1]);
    return stats.files == files ? 0 : 1;
}
