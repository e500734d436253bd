// SPDX-License-Identifier: GPL-3.0-or-later
// How much memory the window takes to search (and convert) one very large
// file: writes a log file of SIZE megabytes (default 1536) with two lines that
// hold "conn.Open", searches it the way a click on "Sök igenom filer" does,
// prints the report's hit lines, the time and how far the program's resident
// memory rose above what it held before the run, and removes the file.
//
//   bench_large_file [--size-mb SIZE] [--convert] [--folder DIR]
//
// --convert also converts the file (a click on "Konvertera till UTF-8") and
// measures that run the same way. The file is written in DIR (default
// $TMPDIR). The window is shown on the platform QT_QPA_PLATFORM names
// (offscreen when unset).
#include "BenchWindow.h"
#include "uSok/uSok.h"

#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TMemo.h"

#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// A line of /proc/self/status, in kB.
long StatusKb(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0)
            return std::atol(line.c_str() + prefix.size());
    return -1;
}

// Sets the peak back to what the program holds now.
void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

bool WriteLog(const std::string& path, long long megabytes)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    std::string block;
    for (int i = 0; block.size() < (1 << 20); ++i)
        block += "2024-03-05 12:34:" + std::to_string(10 + i % 50) +
                 " INFO  [worker-3] request /kund/order.asp?id=" + std::to_string(4000 + i) + " took 35 ms\r\n";
    const long long blocks = megabytes * (1 << 20) / (long long)block.size();
    bool written = true;
    for (long long b = 0; b < blocks && written; ++b) {
        if (b == blocks / 3 || b == 2 * blocks / 3) {
            const std::string hit = "2024-03-05 12:35:00 ERROR [worker-1] conn.Open failed: timeout\r\n";
            written = std::fwrite(hit.data(), 1, hit.size(), out) == hit.size();
        }
        written = written && std::fwrite(block.data(), 1, block.size(), out) == block.size();
    }
    return std::fclose(out) == 0 && written;
}

template <typename Run>
void Measure(const char* what, Run run)
{
    const long before = StatusKb("VmRSS");
    ResetPeak();
    const auto start = std::chrono::steady_clock::now();
    run();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long peak = StatusKb("VmHWM");
    std::printf("%s: %.1f s, resident memory %ld MB before, peak %ld MB during the run (+%ld MB)\n", what, seconds,
                before / 1024, peak / 1024, (peak - before) / 1024);
}

}  // namespace

int main(int argc, char** argv)
{
    long long megabytes = 1536;
    bool convert = false;
    QString folder = qEnvironmentVariable("TMPDIR", "/tmp");
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--size-mb" && i + 1 < argc)
            megabytes = std::atoll(argv[++i]);
        else if (arg == "--convert")
            convert = true;
        else if (arg == "--folder" && i + 1 < argc)
            folder = argv[++i];
        else {
            std::fprintf(stderr, "usage: %s [--size-mb SIZE] [--convert] [--folder DIR]\n", argv[0]);
            return 2;
        }
    }
    QTemporaryDir home;
    benchwindow::UsePrivateHome(home);
    QApplication app(argc, argv);

    QTemporaryDir scratch(folder + "/filsok-large-XXXXXX");
    const std::string path = (scratch.path() + "/server.log").toStdString();
    if (!scratch.isValid() || !WriteLog(path, megabytes)) {
        std::fprintf(stderr, "bench_large_file: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("file: %s, %lld MB, two lines with conn.Open; window on the %s platform\n", path.c_str(), megabytes,
                qPrintable(QGuiApplication::platformName()));

    TForm1 form;
    benchwindow::ShowExposed(form);
    form.Memofil->SetText(QString::fromStdString(path));
    form.edSoktxt->SetText(QStringLiteral("conn.Open"));
    form.cbNocase->SetChecked(true);
    app.processEvents();

    Measure("search", [&] { form.btnSokClick(nullptr); });
    const QStringList report = form.MemoResult->Lines();
    for (const QString& line : report.mid(2, report.size() - 5))
        std::printf("  %s\n", qPrintable(line.mid(line.indexOf(QStringLiteral(" Rad:")) + 1)));
    std::printf("  %s\n", qPrintable(report.value(report.size() - 2)));
    if (convert) {
        app.processEvents();
        Measure("conversion", [&] { form.Button1Click(nullptr); });
        std::printf("  %s\n", qPrintable(form.MemoResult->Lines().value(2)));
    }
    return 0;
}
