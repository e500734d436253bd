// The search over a warm corpus, run by the window exactly as a click on
// "Sök igenom filer" runs it, beside grep -rnF and ripgrep with the same case
// rule.
//
//   bench_search [FOLDER] [--files N] [--runs R]
//
// Without FOLDER a corpus of N files (default 5000) is written to a temporary
// folder first. Every tool searches every file of the folder; each figure is
// the best of R runs (default 5) after one warm-up run.
#include "SearchCorpus.h"
#include "uSok/uSok.h"

#include "search/FileSearch.h"
#include "search/SearchMatcher.h"

#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TMemo.h"

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
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

struct Tool {
    std::string name;
    std::string command;  // the search text and folder are appended
};

std::string Quoted(const std::string& s)
{
    return "'" + s + "'";
}

}  // namespace

int main(int argc, char** argv)
{
    std::string folder;
    int files = 5000;
    int runs = 5;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--files" && i + 1 < argc)
            files = std::atoi(argv[++i]);
        else if (arg == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else
            folder = arg;
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", (scratch.path() + "/config").toLocal8Bit());
    QApplication app(argc, argv);

    if (folder.empty()) {
        folder = (scratch.path() + "/corpus").toStdString();
        const benchcorpus::Stats stats = benchcorpus::Generate(folder, files);
        std::printf("corpus: %d files, %.1f MB in %s\n", stats.files, double(stats.bytes) / 1e6, folder.c_str());
    }

    // The file list as a listing leaves it: full paths, sorted.
    std::vector<std::string> paths;
    std::uint64_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) {
            paths.push_back(entry.path().string());
            bytes += entry.file_size();
        }
    std::sort(paths.begin(), paths.end());
    QStringList list;
    for (const std::string& p : paths)
        list << QString::fromStdString(p);
    std::printf("searching %zu files, %.1f MB, best of %d runs\n\n", paths.size(), double(bytes) / 1e6, runs);

    TForm1 form;
    form.Memofil->SetText(list.join("\r\n") + "\r\n");

    const std::string out = (scratch.path() + "/out.txt").toStdString();
    const std::vector<Tool> tools = {
        {"grep -rnF (LC_ALL=C)", "LC_ALL=C grep -rnF"},
        {"grep -rnF (C.UTF-8)", "LC_ALL=C.UTF-8 grep -rnF"},
        {"rg -nF -j1", "rg -nF -j1 --no-config"},
    };
    const std::vector<std::string> searchTexts = {"conn.", "Response.Redirect", "zq_nothing"};

    // The search code alone, without the window: the buffer and the line
    // search over the same list.
    auto core = [&](const std::string& text, bool nocase) {
        const search::Matcher matcher(text, nocase);
        search::FileBuffer buffer;
        std::vector<search::LineHit> hits;
        long lines = 0;
        for (const QString& path : list) {
            if (!buffer.Load(path))
                std::abort();
            hits.clear();
            search::FindHitLines(matcher, buffer.Bytes(), hits);
            lines += long(hits.size());
        }
        return lines;
    };

    std::printf("%-20s %-6s %-22s %10s %8s %8s\n", "search text", "case", "tool", "ms", "lines", "tool/us");
    for (const std::string& text : searchTexts) {
        for (bool nocase : {false, true}) {
            form.edSoktxt->SetText(QString::fromStdString(text));
            form.cbNocase->SetChecked(nocase);
            std::vector<std::string> commands;
            for (const Tool& tool : tools)
                commands.push_back(tool.command + (nocase ? " -i" : "") + " -e " + Quoted(text) + " " +
                                   Quoted(folder) + " > " + Quoted(out) + " 2>/dev/null");
            // The tools take turns within each round, so that a busy moment
            // of the machine does not fall on one of them only.
            const size_t n = tools.size() + 2;
            std::vector<double> best(n, 1e300);
            std::vector<long> lines(n, 0);
            for (int round = 0; round <= runs; ++round) {
                for (size_t t = 0; t < n; ++t) {
                    const auto start = std::chrono::steady_clock::now();
                    if (t == 0) {
                        form.btnSokClick(nullptr);
                    } else if (t == 1) {
                        lines[t] = core(text, nocase);
                    } else if (std::system(commands[t - 2].c_str()) == -1) {
                        std::perror("system");
                    }
                    const double took = Millis(std::chrono::steady_clock::now() - start);
                    if (round > 0)  // round 0 warms the page cache and the code
                        best[t] = std::min(best[t], took);
                    if (t == 0)
                        lines[t] = form.MemoResult->LineCount() - 5;
                    else if (t >= 2)
                        lines[t] = CountLines(out);
                }
            }
            const char* rule = nocase ? "-i" : "exact";
            for (size_t t = 0; t < n; ++t) {
                const std::string name = t == 0 ? "filsok (window)" : t == 1 ? "filsok (search code)" : tools[t - 2].name;
                std::printf("%-20s %-6s %-22s %10.1f %8ld %8.2f\n", text.c_str(), rule, name.c_str(), best[t], lines[t],
                            best[t] / best[0]);
            }
        }
    }
    return 0;
}
