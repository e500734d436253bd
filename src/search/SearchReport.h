// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer of the search: the report's lines as the result memo shows them.
#include <QLocale>
#include <QString>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>

namespace search {

// "Sökt text :" followed by the search text.
QString HeaderLine(const QString& searchText);
// 62 hyphen-minus characters.
QString DashLine();
// path " Rad:" index " | " line; the line's bytes (already trimmed) show as
// the characters they hold by the file-text rule.
QString HitLine(const QString& path, long long lineIndex, std::string_view line);
// Appends the hit line to out, written in place: a report may hold millions
// of them, and a line built on its own first would be copied once more.
void AppendHitLine(QString& out, const QString& path, long long lineIndex, std::string_view line);
// "Avbruten efter N av M filer": a run stopped after N of its M files.
QString StoppedLine(int done, int files);
// N förekomster av "text" i M genomsökta filer
QString SummaryLine(int hits, const QString& searchText, int files);
// "47 ms" up to 1000 ms; above it the seconds with the locale's decimal
// separator, at most three decimals and no trailing zeros, then " sekunder".
QString ElapsedText(std::uint32_t elapsedMs, const QLocale& locale);
// "Tidsåtgång " followed by the elapsed text.
QString TimingLine(std::uint32_t elapsedMs, const QLocale& locale);
// end - start modulo 2^32, right also when the tick wrapped in between.
constexpr std::uint32_t ElapsedMs(std::uint32_t start, std::uint32_t end)
{
    return end - start;
}

// The report of one run, written piece by piece to out (the memo's
// document on its way): the lines joined by LF, as the memo's document holds
// them, without a break after the last one. The header and the first dash
// line are written at once.
class Report {
public:
    using Out = std::function<void(QString)>;
    Report(const QString& searchText, Out out);

    void AddHit(const QString& path, long long lineIndex, std::string_view line);
    // Writes the hit lines of a file, each preceded by LF, as the search of
    // the file wrote them.
    void AddHits(QString lines, int count);
    // The closing dash line and the summary.
    void Close(int files);
    // The same for a run stopped after searched of its files, then the
    // line that says so.
    void CloseStopped(int searched, int files);
    // Close, then the timing line.
    void Finish(int files, std::uint32_t elapsedMs, const QLocale& locale);

    int HitCount() const { return hits_; }

private:
    QString searchText_;
    Out out_;
    int hits_ = 0;
};

}  // namespace search
