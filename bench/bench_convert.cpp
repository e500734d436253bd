// SPDX-License-Identifier: GPL-3.0-or-later
// Times the UTF-8 conversion over a corpus of web and script files.
//
//   bench_convert [-n runs] [corpus-folder]
//
// The window is shown on the platform QT_QPA_PLATFORM names (offscreen when
// unset; xcb with DISPLAY set puts it on a real X server), and the first line
// of the output says which.
// With a corpus folder, its files (every plain file below it) are converted
// in a copy, so the corpus stays as it is; without one, a corpus of 3000
// files is made in a temporary folder first by the search benchmark's
// corpus generator (bench_corpus writes the same files to a folder). Each run converts a fresh copy
// (ANSI files encoded, unmarked UTF-8 gaining the mark) and then runs again
// over the result (every file marked: three bytes read per file).
#include "BenchWindow.h"
#include "SearchCorpus.h"
#include "uSok/uSok.h"

#include "toolkit/TMemo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    benchwindow::UsePrivateHome(home);
    QApplication app(argc, argv);

    int runs = 5;
    fs::path corpus;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-n" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            corpus = arg;
    }
    QTemporaryDir scratch;
    if (corpus.empty()) {
        corpus = fs::path(scratch.path().toStdString()) / "corpus";
        benchcorpus::Generate(corpus, 3000);
    } else if (!fs::is_directory(corpus)) {
        std::fprintf(stderr, "bench_convert: no folder %s\n", corpus.c_str());
        return 2;
    }

    std::uintmax_t bytes = 0;
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(corpus))
        if (entry.is_regular_file()) {
            bytes += entry.file_size();
            ++files;
        }

    // The window as a user has it: shown and painted.
    TForm1 form;
    benchwindow::ShowExposed(form);
    std::vector<double> first;
    std::vector<double> second;
    for (int run = 0; run < runs; ++run) {
        const fs::path copy = fs::path(scratch.path().toStdString()) / ("run" + std::to_string(run));
        fs::copy(corpus, copy, fs::copy_options::recursive);
        QStringList paths;
        for (const auto& entry : fs::recursive_directory_iterator(copy))
            if (entry.is_regular_file())
                paths.append(QString::fromStdString(entry.path().string()));
        paths.sort();
        form.Memofil->SetText(paths.join('\n'));

        using Clock = std::chrono::steady_clock;
        app.processEvents();
        const auto t0 = Clock::now();
        form.Button1Click(nullptr);
        const auto t1 = Clock::now();
        app.processEvents();  // the report is painted outside the time
        const auto t2 = Clock::now();
        form.Button1Click(nullptr);
        const auto t3 = Clock::now();
        app.processEvents();
        first.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        second.push_back(std::chrono::duration<double, std::milli>(t3 - t2).count());
        fs::remove_all(copy);
    }
    std::printf("conversion on the %s platform: %d files, %.1f MB, %d runs\n",
                qPrintable(QGuiApplication::platformName()), files, double(bytes) / 1e6, runs);
    std::printf("  first run (rewrites):      median %.0f ms (%.0f files/s)\n", Median(first),
                files / (Median(first) / 1000.0));
    std::printf("  second run (all marked):   median %.0f ms\n", Median(second));
    return 0;
}
