// SPDX-License-Identifier: GPL-3.0-or-later
// How long "Hämta filnamn" takes on a large tree, beside find | sort.
//
//   bench_listing [FOLDER] [RUNS]
//
// Without FOLDER a tree of 100,000 files (100 folders x 10 subfolders x 100
// files) is written below a temporary folder and removed at the end. The
// listing runs through the window itself (offscreen), with "Underkataloger"
// ticked and the mask "*.*", so the walk, the mask test, the sort and the
// memo's text are all measured.
#include "uSok/uSok.h"

#include "toolkit/TButton.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TMemo.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool WriteTree(const QString& root)
{
    const char body[] = "<% Response.Write(\"x\") %>\r\n";
    for (int top = 0; top < 100; ++top)
        for (int sub = 0; sub < 10; ++sub) {
            const QString folder = QString("%1/site%2/part%3").arg(root).arg(top, 3, 10, QChar('0')).arg(sub);
            if (!QDir().mkpath(folder))
                return false;
            for (int file = 0; file < 100; ++file) {
                const QByteArray path = QFile::encodeName(QString("%1/Page%2.asp").arg(folder).arg(file));
                const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                if (fd < 0)
                    return false;
                const bool ok = ::write(fd, body, sizeof body - 1) == ssize_t(sizeof body - 1);
                ::close(fd);
                if (!ok)
                    return false;
            }
        }
    return true;
}

QString ShellQuote(const QString& text)
{
    QString quoted = text;
    quoted.replace("'", "'\\''");
    return "'" + quoted + "'";
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir temp;
    QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    if (root.isEmpty()) {
        if (!temp.isValid())
            return 2;
        root = temp.path() + "/tree";
        const Clock::time_point start = Clock::now();
        if (!WriteTree(root)) {
            std::fprintf(stderr, "cannot write the tree below %s\n", qPrintable(root));
            return 2;
        }
        std::printf("wrote 100000 files below %s in %.2f s\n", qPrintable(root), SecondsSince(start));
    }

    TForm1 form;
    form.Edit1->SetText(root);
    form.edWild->SetText("*.*");
    form.CheckBox1->SetChecked(true);

    std::vector<double> listing;
    int lines = 0;
    for (int run = 0; run < runs; ++run) {
        const Clock::time_point start = Clock::now();
        form.btnHamtafilnamnClick(form.btnHamtafilnamn);
        listing.push_back(SecondsSince(start));
        lines = form.Memofil->LineCount();
    }

    const QString find = "find " + ShellQuote(root) + " -type f | sort > /dev/null";
    const QString count = "find " + ShellQuote(root) + " -type f | wc -l";
    std::vector<double> findSort;
    for (int run = 0; run < runs; ++run) {
        const Clock::time_point start = Clock::now();
        if (std::system(find.toLocal8Bit().constData()) != 0)
            return 3;
        findSort.push_back(SecondsSince(start));
    }
    int found = -1;
    if (FILE* pipe = ::popen(count.toLocal8Bit().constData(), "r")) {
        if (std::fscanf(pipe, "%d", &found) != 1)
            found = -1;
        ::pclose(pipe);
    }

    std::printf("files listed by the window: %d (find -type f: %d)\n", lines, found);
    std::printf("listing (walk, mask, sort, memo), %d runs: min %.3f s, median %.3f s, first %.3f s\n", runs,
                *std::min_element(listing.begin(), listing.end()), Median(listing), listing.front());
    std::printf("find DIR -type f | sort,       %d runs: min %.3f s, median %.3f s\n", runs,
                *std::min_element(findSort.begin(), findSort.end()), Median(findSort));
    return lines == found ? 0 : 1;
}
