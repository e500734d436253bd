// SPDX-License-Identifier: GPL-3.0-or-later
// The search over a warm corpus, run by the window exactly as a click on
// "Sök igenom filer" runs it, beside grep and ripgrep with the same case rule.
//
//   bench_search [--corpus web|mixed|vocabulary|large|FOLDER]... [--root DIR] [--runs R] [--files N] [--cold]
//
// The window is shown on the platform QT_QPA_PLATFORM names (offscreen when
// unset; xcb with DISPLAY set puts it on a real X server, as a user sees it),
// and the header line says which. The corpora are written below DIR (default
// $TMPDIR/filsok-bench) once and reused: "web" is N generated web pages and
// scripts (default 5000), "vocabulary" 3000 pages of 40 KB of a few ASP and
// HTML words, "large" four log files of 64 MB; a FOLDER is searched as it
// is. Without --corpus all three are searched. Each figure is the best of R
// rounds (default 5) after a warm-up round; the tools take turns within each
// round, each round starting with the next one. The window's figure is its whole run, from the click until the
// report is in the memo and the caret moved (painting the report comes
// after); beside it is what the report's own timing line says. With --cold
// the corpus's pages leave the page cache before every timed search (sync,
// then POSIX_FADV_DONTNEED on every file), so that every tool reads the
// files from the disk. The tables are printed in Markdown.
#include "BenchWindow.h"
#include "SearchCorpus.h"
#include "uSok/uSok.h"

#include "search/SearchMatcher.h"
#include "search/SearchPipeline.h"

#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TMemo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

double Millis(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

long CountLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    long lines = 0;
    std::string line;
    while (std::getline(in, line))
        ++lines;
    return lines;
}

std::string Quoted(const std::string& s)
{
    return "'" + s + "'";
}

struct Corpus {
    std::string name;
    std::string folder;
    std::vector<std::string> searchTexts;
};

// Writes a generated corpus once; a finished one is marked and reused.
Corpus Prepare(const std::string& name, const fs::path& root, int webFiles)
{
    const fs::path folder = root / name;
    const fs::path done = root / (name + ".done");
    if (!fs::exists(done)) {
        fs::remove_all(folder);
        benchcorpus::Stats stats;
        if (name == "web")
            stats = benchcorpus::Generate(folder, webFiles);
        else if (name == "mixed")
            stats = benchcorpus::GenerateMixed(folder, webFiles);
        else if (name == "vocabulary")
            stats = benchcorpus::GenerateVocabulary(folder);
        else
            stats = benchcorpus::GenerateLarge(folder);
        std::fprintf(stderr, "wrote %s: %d files, %.1f MB\n", folder.c_str(), stats.files, double(stats.bytes) / 1e6);
        std::ofstream(done) << stats.files << "\n";
    }
    if (name == "web")
        return {name, folder.string(), {"conn.", "Response.Redirect", "zq_nothing"}};
    // A word that Swedish pages hold in both encodings: rg finds only its
    // UTF-8 lines.
    if (name == "mixed")
        return {name, folder.string(), {"Kundtjänst", "conn."}};
    return {name, folder.string(), {"conn.Open"}};
}

// The milliseconds of the report's timing line: "Tidsåtgång 47 ms" or
// "Tidsåtgång 1,5 sekunder".
double TimingLineMs(const QString& line)
{
    QString text = line.section(QChar(' '), 1);
    if (text.endsWith(QStringLiteral(" ms")))
        return text.chopped(3).toDouble();
    text.chop(QStringLiteral(" sekunder").size());
    return text.replace(QChar(','), QChar('.')).toDouble() * 1000;
}

// Takes the pages of every file below folder out of the page cache, so that
// the next search reads them from the disk: sync, then DONTNEED on each file.
// (This needs no root, where writing /proc/sys/vm/drop_caches is refused
// even to root on some machines.) False when no file's pages could go.
bool DropCaches(const std::string& folder)
{
    ::sync();
    bool any = false;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        any = ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0 || any;
        ::close(fd);
    }
    return any;
}

struct Tool {
    std::string name;
    std::string command;  // the case rule, search text and folder are appended
};

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> corpusNames;
    fs::path root = fs::path(qEnvironmentVariable("TMPDIR", "/tmp").toStdString()) / "filsok-bench";
    int files = 5000;
    int runs = 5;
    bool cold = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--cold")
            cold = true;
        else if (arg == "--files" && i + 1 < argc)
            files = std::atoi(argv[++i]);
        else if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--root" && i + 1 < argc)
            root = argv[++i];
        else if (arg == "--corpus" && i + 1 < argc)
            corpusNames.push_back(argv[++i]);
        else if (arg == "--workers" && i + 1 < argc)
            search::SearchPipeline::SetWorkersForTesting(std::atoi(argv[++i]));
        else {
            std::fprintf(stderr, "usage: %s [--corpus web|mixed|vocabulary|large|FOLDER]... [--root DIR] [--runs R] [--files N] [--workers N] [--cold]\n",
                         argv[0]);
            return 2;
        }
    }
    if (corpusNames.empty())
        corpusNames = {"web", "mixed", "vocabulary", "large"};

    QTemporaryDir scratch;
    benchwindow::UsePrivateHome(scratch);
    QApplication app(argc, argv);

    std::vector<Corpus> corpora;
    for (const std::string& name : corpusNames) {
        if (name == "web" || name == "mixed" || name == "vocabulary" || name == "large")
            corpora.push_back(Prepare(name, root, files));
        else
            corpora.push_back({fs::path(name).filename().string(), name, {"conn."}});
    }

    // The window as a user has it: shown, painted, on the screen.
    TForm1 form;
    benchwindow::ShowExposed(form);
    const search::SearchPipeline::Limits limits = search::SearchPipeline::DefaultLimits();
    std::printf("Window on the %s platform, %s page cache, search threads %d (up to %d); best of %d rounds, "
                "milliseconds (each tool's time over the window's)\n\n",
                qPrintable(QGuiApplication::platformName()), cold ? "a cold" : "a warm", limits.workers,
                limits.maxWorkers, runs);

    const std::string out = (scratch.path() + "/out.txt").toStdString();
    const std::vector<Tool> tools = {
        {"grep -rnF", "LC_ALL=C grep -rnF"},
        {"rg -nF -j1", "rg -nF -j1 --no-config"},
        {"rg -nF", "rg -nF --no-config"},
        {"rg -nF -j8", "rg -nF -j8 --no-config"},
    };

    std::printf("| corpus | search text | case | filsok (window) | its timing line | search code alone |");
    for (const Tool& tool : tools)
        std::printf(" %s |", tool.name.c_str());
    std::printf(" hit lines (window / rg) |\n|---|---|---|---|---|---|");
    for (size_t t = 0; t < tools.size(); ++t)
        std::printf("---|");
    std::printf("---|\n");
    std::fflush(stdout);

    for (const Corpus& corpus : corpora) {
        // The file list as a listing leaves it: full paths, sorted.
        std::vector<std::string> paths;
        std::uint64_t bytes = 0;
        for (const auto& entry : fs::recursive_directory_iterator(corpus.folder))
            if (entry.is_regular_file()) {
                paths.push_back(entry.path().string());
                bytes += entry.file_size();
            }
        std::sort(paths.begin(), paths.end());
        QStringList list;
        for (const std::string& p : paths)
            list << QString::fromStdString(p);
        form.Memofil->SetText(list.join("\r\n") + "\r\n");
        app.processEvents();
        const std::string label = corpus.name + " (" + std::to_string(paths.size()) + " files, " +
                                  std::to_string(int(double(bytes) / 1e6 + 0.5)) + " MB)";

        // The search code alone, without the window: the threads and the
        // line search over the same list, the results taken in list order.
        auto core = [&](const std::string& text, bool nocase) {
            search::SearchPipeline pipeline(list, search::Matcher(QString::fromStdString(text), nocase));
            long lines = 0;
            for (int i = 0; i < int(list.size()); ++i) {
                search::FileHits hits;
                if (!pipeline.TakeNext(hits) || !hits.searched)
                    std::abort();
                lines += hits.hits;
            }
            return lines;
        };

        for (const std::string& text : corpus.searchTexts) {
            for (bool nocase : {false, true}) {
                form.edSoktxt->SetText(QString::fromStdString(text));
                form.cbNocase->SetChecked(nocase);
                std::vector<std::string> commands;
                for (const Tool& tool : tools)
                    commands.push_back(tool.command + (nocase ? " -i" : "") + " -e " + Quoted(text) + " " +
                                       Quoted(corpus.folder) + " > " + Quoted(out) + " 2>/dev/null");
                const size_t n = tools.size() + 2;
                std::vector<double> best(n, 1e300);
                std::vector<long> lines(n, 0);
                double timingLine = 1e300;
                for (int round = 0; round <= runs; ++round) {
                    // Each round starts with another tool, so that none
                    // always follows the same one.
                    for (size_t turn = 0; turn < n; ++turn) {
                        const size_t t = (turn + size_t(round)) % n;
                        if (cold && !DropCaches(corpus.folder)) {
                            std::fprintf(stderr, "bench_search: no page of %s could leave the cache\n",
                                         corpus.folder.c_str());
                            return 2;
                        }
                        const auto start = std::chrono::steady_clock::now();
                        if (t == 0)
                            form.btnSokClick(nullptr);
                        else if (t == 1)
                            lines[t] = core(text, nocase);
                        else if (std::system(commands[t - 2].c_str()) == -1)
                            std::perror("system");
                        const double took = Millis(std::chrono::steady_clock::now() - start);
                        if (round > 0)  // round 0 warms the page cache and the code
                            best[t] = std::min(best[t], took);
                        if (t == 0) {
                            lines[t] = form.MemoResult->LineCount() - 5;
                            if (round > 0)
                                timingLine = std::min(timingLine, TimingLineMs(form.MemoResult->Lines().constLast()));
                            // The report is painted as a user sees it, outside the time.
                            app.processEvents();
                        } else if (t >= 2) {
                            lines[t] = CountLines(out);
                        }
                    }
                }
                std::printf("| %s | %s | %s | %.1f | %.0f | %.1f |", label.c_str(), text.c_str(), nocase ? "-i" : "exact",
                            best[0], timingLine, best[1]);
                for (size_t t = 2; t < n; ++t)
                    std::printf(" %.1f (%.2f) |", best[t], best[t] / best[0]);
                std::printf(" %ld / %ld |\n", lines[0], lines[3]);
                std::fflush(stdout);
            }
        }
    }
    return 0;
}
