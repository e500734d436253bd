// SPDX-License-Identifier: GPL-3.0-or-later
// A search that gives a report of hundreds of thousands of lines, in the real
// window, beside ripgrep writing the same kind of report to a file.
//
//   bench_report [--folder DIR] [--mask MASK] [--text T]... [--runs R] [--first]
//
// Needs an X server (bench/run_bench_report.sh starts Xvfb and openbox and runs
// this program on them). Without --folder a corpus of C-header-like files is
// written once to $TMPDIR/filsok-report-corpus and kept for later runs; with
// it, the files of that folder and its subfolders that match the mask
// (default *.h) are searched, e.g. --folder /usr/include. Default search texts:
// "int" (about 320,000 hit lines in the corpus) and "e" (about 1.9 million),
// case ignored, in that order.
//
// For each search text the window is given the file list by a click on
// "Hämta filnamn", then the search runs as Enter in the search box runs it.
// "wait" is the time from that call until the event loop is quiet again with
// the report painted (the Home press included), as the user sees it; "timing
// line" is what the report says; "scroll" is a jump to the middle of the
// report until it is painted. Peak memory is the process's high-water mark
// after the runs of that text.
//
// With --first every round is the first search of a newly started program,
// as a user's large search usually is: a new process per round starts,
// shows the window, lists the files and searches once; what it reports is
// the same "wait", "handler" and "timing line", and its own peak memory.
// The environment goes to it as it is, so GLIBC_TUNABLES=glibc.malloc.hugetlb=1
// there tries the C library's large pages.
#include "uSok/uSok.h"

#include "toolkit/TButton.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TMemo.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double Millis(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long PeakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

std::string Quoted(const std::string& s)
{
    std::string quoted = "'";
    for (char c : s)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// 8000 files of 300 lines in 80 folders, about 100 MB. Words are drawn so
// that about 14 % of the lines hold "int" and about 80 % an "e", in any case.
constexpr const char* kCorpusStamp = ".filsok-report-corpus-1";

bool WriteCorpus(const fs::path& root)
{
    std::mt19937 random(18);
    auto pick = [&](const std::vector<std::string>& from) -> const std::string& {
        return from[random() % from.size()];
    };
    auto chance = [&](int percent) { return int(random() % 100) < percent; };
    // Neither "int" nor "e" in any case.
    const std::vector<std::string> plain = {
        "char", "long", "void", "struct", "union", "for", "do", "switch", "if", "const", "static", "bool", "far",
        "buf", "ptr", "flag", "mask", "bits", "data", "count", "id", "x", "y", "n", "len", "pos", "top", "out", "arg",
        "opts", "cb", "fd", "u8", "u16", "u32", "u64", "NULL", "0", "1", "(", ")", "{", "}", ";", "*", "=", "&&", "/*",
        "*/", "//", "lock", "irq", "dma", "BUF_LOW", "MAX_LOOP", "ops", "list", "hash"};
    const std::vector<std::string> withE = {"define", "extern", "typedef", "unsigned", "enum", "else", "size_t",
                                            "errno", "header", "buffer", "offset", "version", "RESERVED", "Entry"};
    const std::vector<std::string> withInt = {"int", "uint32_t", "int64_t", "print", "INT_MAX", "Hint", "maint"};
    std::error_code error;
    fs::remove_all(root, error);
    for (int folder = 0; folder < 80; ++folder) {
        const fs::path dir = root / ("inc" + std::to_string(100 + folder));
        fs::create_directories(dir, error);
        if (error)
            return false;
        for (int file = 0; file < 100; ++file) {
            std::string text;
            for (int line = 0; line < 300; ++line) {
                if (chance(5)) {
                    text += '\n';
                    continue;
                }
                std::string out(size_t(random() % 3) * 4, ' ');
                const int words = 3 + int(random() % 6);
                const bool hasInt = chance(14);
                const bool hasE = chance(84);
                const int intAt = int(random() % unsigned(words));
                const int eAt = int(random() % unsigned(words));
                for (int w = 0; w < words; ++w) {
                    if (w > 0)
                        out += ' ';
                    out += hasInt && w == intAt ? pick(withInt) : hasE && w == eAt ? pick(withE) : pick(plain);
                }
                text += out + '\n';
            }
            std::ofstream(dir / ("hdr" + std::to_string(1000 + file) + ".h"), std::ios::binary) << text;
        }
    }
    std::ofstream(root / kCorpusStamp) << "done\n";
    return true;
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Handles events until the memo has painted and a pass finds nothing more to
// do, then makes a round trip to the X server, so that what was drawn is on
// the screen.
void WaitUntilShown(TForm1& form, const PaintCounter& counter, int paintsBefore)
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    for (;;) {
        QCoreApplication::sendPostedEvents();
        const bool busy = dispatcher->processEvents(QEventLoop::AllEvents);
        if (!busy && counter.paints > paintsBefore)
            break;
    }
    form.screen()->grabWindow(form.winId(), 0, 0, 1, 1);
}

// The milliseconds a timing line gives: "Tidsåtgång 47 ms" or
// "Tidsåtgång 1,5 sekunder" (any decimal separator).
double TimingLineMs(const QString& line)
{
    QString value = line.section(QChar(' '), 1, 1);
    value.replace(QChar(','), QChar('.'));
    const double number = value.toDouble();
    return line.endsWith(QStringLiteral(" ms")) ? number : number * 1000;
}

struct Figures {
    std::vector<double> wait, handler, timing, scroll;
    int lines = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    std::string folder;
    std::string mask = "*.h";
    std::vector<std::string> texts;
    int runs = 3;
    bool first = false;
    std::string one;  // the one search of a round of --first
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--first")
            first = true;
        else if (arg == "--one" && i + 1 < argc)
            one = argv[++i];
        else if (arg == "--folder" && i + 1 < argc)
            folder = argv[++i];
        else if (arg == "--mask" && i + 1 < argc)
            mask = argv[++i];
        else if (arg == "--text" && i + 1 < argc)
            texts.push_back(argv[++i]);
        else if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr, "usage: %s [--folder DIR] [--mask MASK] [--text T]... [--runs R] [--first]\n", argv[0]);
            return 2;
        }
    }
    if (texts.empty())
        texts = {"int", "e"};
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "needs an X server: run bench/run_bench_report.sh\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", (scratch.path() + "/config").toLocal8Bit());
    QApplication app(argc, argv);

    if (folder.empty()) {
        const fs::path root = fs::path(QDir::tempPath().toStdString()) / "filsok-report-corpus";
        if (!fs::exists(root / kCorpusStamp)) {
            const Clock::time_point start = Clock::now();
            if (!WriteCorpus(root)) {
                std::fprintf(stderr, "cannot write the corpus in %s\n", root.c_str());
                return 2;
            }
            std::printf("wrote the corpus in %s in %.1f s\n", root.c_str(), Millis(start) / 1000);
        }
        folder = root.string();
    }

    TForm1 form;
    form.Edit1->SetText(QString::fromStdString(folder));
    form.edWild->SetText(QString::fromStdString(mask));
    form.CheckBox1->SetChecked(true);
    form.cbNocase->SetChecked(true);
    form.show();
    form.activateWindow();
    while (!form.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    PaintCounter counter;
    form.MemoResult->viewport()->installEventFilter(&counter);
    WaitUntilShown(form, counter, -1);

    Clock::time_point start = Clock::now();
    form.btnHamtafilnamnClick(form.btnHamtafilnamn);
    const double listing = Millis(start);
    const int files = form.Memofil->LineCount();
    if (!one.empty()) {
        // One round of --first: this process's first search.
        form.edSoktxt->SetText(QString::fromStdString(one));
        form.edSoktxt->setFocus();
        WaitUntilShown(form, counter, -1);
        const int paints = counter.paints;
        start = Clock::now();
        form.btnSokClick(nullptr);
        const double handler = Millis(start);
        WaitUntilShown(form, counter, paints);
        const double wait = Millis(start);
        std::printf("%d %.1f %.1f %.1f %ld\n", form.MemoResult->LineCount() - 5, wait, handler,
                    TimingLineMs(form.MemoResult->Line(form.MemoResult->LineCount() - 1)), PeakRssMb());
        return 0;
    }
    std::printf("%s, mask %s: %d files listed in %.0f ms; peak memory %ld MB\n", folder.c_str(), mask.c_str(), files,
                listing, PeakRssMb());

    const std::string out = (scratch.path() + "/rg.txt").toStdString();
    std::printf("\n%-6s %9s %9s %9s %10s %10s %11s %9s %9s %8s %8s\n", "text", "lines", "rg lines", "wait ms",
                "handler ms", "timing ms", "timing/wait", "scroll ms", "rg ms", "wait/rg", "peak MB");
    for (const std::string& text : texts) {
        form.edSoktxt->SetText(QString::fromStdString(text));
        Figures figures;
        std::vector<double> rg;
        long rgLines = 0;
        // rg walks the folder itself, which it does faster than it takes a
        // list of files. It does not follow links to folders; the listing
        // follows each once, so where there are any, rg searches fewer files.
        const std::string command = "rg -nF -i -j1 --no-config -g " + Quoted(mask) + " -e " + Quoted(text) + " " +
                                    Quoted(folder) + " > " + Quoted(out);
        if (first) {
            // Each round a new program: started, shown, listed, one search.
            std::vector<double> peaks;
            for (int round = 0; round <= runs; ++round) {
                start = Clock::now();
                if (std::system(command.c_str()) == -1)
                    std::perror("system");
                if (round > 0)
                    rg.push_back(Millis(start));
                const std::string child = Quoted(QCoreApplication::applicationFilePath().toStdString()) +
                                          " --folder " + Quoted(folder) + " --mask " + Quoted(mask) + " --one " +
                                          Quoted(text) + " | tail -n 1";
                FILE* pipe = ::popen(child.c_str(), "r");
                double wait = 0, handler = 0, timing = 0;
                long peak = 0;
                int lines = 0;
                if (!pipe || std::fscanf(pipe, "%d %lf %lf %lf %ld", &lines, &wait, &handler, &timing, &peak) != 5) {
                    std::fprintf(stderr, "the round's program gave no figures\n");
                    return 1;
                }
                ::pclose(pipe);
                if (round > 0) {
                    figures.wait.push_back(wait);
                    figures.handler.push_back(handler);
                    figures.timing.push_back(timing);
                    figures.scroll.push_back(0);
                    peaks.push_back(double(peak));
                }
                figures.lines = lines;
            }
            const double wait = Median(figures.wait);
            const double rgMs = Median(rg);
            std::printf("%-6s %9d %9s %9.0f %10.0f %10.0f %11.2f %9s %9.0f %8.2f %8.0f\n", text.c_str(), figures.lines,
                        "-", wait, Median(figures.handler), Median(figures.timing), Median(figures.timing) / wait, "-",
                        rgMs, wait / rgMs, *std::max_element(peaks.begin(), peaks.end()));
            std::fflush(stdout);
            continue;
        }
        // The first round warms the page cache and is not counted; the
        // window and rg take turns in every round.
        for (int round = 0; round <= runs; ++round) {
            start = Clock::now();
            if (std::system(command.c_str()) == -1)
                std::perror("system");
            const double rgTook = Millis(start);
            if (round > 0)
                rg.push_back(rgTook);

            form.edSoktxt->setFocus();
            WaitUntilShown(form, counter, -1);
            const int paints = counter.paints;
            start = Clock::now();
            form.btnSokClick(nullptr);
            const double handler = Millis(start);
            WaitUntilShown(form, counter, paints);
            const double wait = Millis(start);

            // A report that fits the memo has nowhere to scroll to.
            QScrollBar* bar = form.MemoResult->verticalScrollBar();
            double scroll = 0;
            if (bar->value() != bar->maximum() / 2) {
                const int scrollPaints = counter.paints;
                start = Clock::now();
                bar->setValue(bar->maximum() / 2);
                WaitUntilShown(form, counter, scrollPaints);
                scroll = Millis(start);
            }
            if (round > 0) {
                figures.wait.push_back(wait);
                figures.handler.push_back(handler);
                figures.timing.push_back(TimingLineMs(form.MemoResult->Line(form.MemoResult->LineCount() - 1)));
                figures.scroll.push_back(scroll);
            }
            figures.lines = form.MemoResult->LineCount() - 5;
        }
        if (std::ifstream in{out, std::ios::binary}) {
            rgLines = 0;
            std::string line;
            while (std::getline(in, line))
                ++rgLines;
        }
        const double wait = Median(figures.wait);
        const double rgMs = Median(rg);
        const double timing = Median(figures.timing);
        std::printf("%-6s %9d %9ld %9.0f %10.0f %10.0f %11.2f %9.0f %9.0f %8.2f %8ld\n", text.c_str(), figures.lines,
                    rgLines, wait, Median(figures.handler), timing, timing / wait, Median(figures.scroll), rgMs,
                    wait / rgMs, PeakRssMb());
        std::fflush(stdout);
    }
    return 0;
}
