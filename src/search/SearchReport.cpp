// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/SearchReport.h"

#include "platform/FileText.h"

#include <algorithm>
#include <charconv>

namespace search {

QString HeaderLine(const QString& searchText)
{
    return QStringLiteral("Sökt text :") + searchText;
}

QString DashLine()
{
    return QString(62, QChar('-'));
}

void AppendHitLine(QString& out, const QString& path, long long lineIndex, std::string_view line)
{
    char digits[24];
    const qsizetype digitCount = std::to_chars(digits, digits + sizeof digits, lineIndex).ptr - digits;
    constexpr char16_t kRad[] = u" Rad:";
    constexpr char16_t kBar[] = u" | ";
    const qsizetype at = out.size();
    const qsizetype size = at + path.size() + 5 + digitCount + 3 + qsizetype(line.size());
    if (size > out.capacity())
        out.reserve(std::max(size, 2 * out.capacity()));
    out.resize(size);
    char16_t* to = reinterpret_cast<char16_t*>(out.data()) + at;
    to = std::copy_n(reinterpret_cast<const char16_t*>(path.constData()), path.size(), to);
    to = std::copy_n(kRad, 5, to);
    to = std::copy(digits, digits + digitCount, to);
    to = std::copy_n(kBar, 3, to);
    // The line's text takes at most as many units as it has bytes.
    to = platform::WriteLineText(line, to);
    out.truncate(to - reinterpret_cast<const char16_t*>(out.constData()));
}

QString HitLine(const QString& path, long long lineIndex, std::string_view line)
{
    QString text;
    AppendHitLine(text, path, lineIndex, line);
    return text;
}

QString SummaryLine(int hits, const QString& searchText, int files)
{
    return QString::number(hits) + QStringLiteral(" förekomster av \"") + searchText + QStringLiteral("\" i ") +
           QString::number(files) + QStringLiteral(" genomsökta filer");
}

QString StoppedLine(int done, int files)
{
    return QStringLiteral("Avbruten efter %1 av %2 filer").arg(done).arg(files);
}

QString ElapsedText(std::uint32_t elapsedMs, const QLocale& locale)
{
    if (elapsedMs <= 1000)
        return QString::number(elapsedMs) + QStringLiteral(" ms");
    // Whole milliseconds are exact in decimal, so the seconds are written
    // from the integer parts rather than through a floating-point value.
    QString text = QString::number(elapsedMs / 1000);
    QString decimals = QStringLiteral("%1").arg(elapsedMs % 1000, 3, 10, QChar('0'));
    while (decimals.endsWith(QChar('0')))
        decimals.chop(1);
    if (!decimals.isEmpty())
        text += locale.decimalPoint() + decimals;
    return text + QStringLiteral(" sekunder");
}

QString TimingLine(std::uint32_t elapsedMs, const QLocale& locale)
{
    return QStringLiteral("Tidsåtgång ") + ElapsedText(elapsedMs, locale);
}

Report::Report(const QString& searchText, Out out) : searchText_(searchText), out_(std::move(out))
{
    out_(HeaderLine(searchText) + QLatin1Char('\n') + DashLine());
}

void Report::AddHit(const QString& path, long long lineIndex, std::string_view line)
{
    QString text(QLatin1Char('\n'));
    AppendHitLine(text, path, lineIndex, line);
    AddHits(std::move(text), 1);
}

void Report::AddHits(QString lines, int count)
{
    if (!lines.isEmpty())
        out_(std::move(lines));
    hits_ += count;
}

void Report::Close(int files)
{
    out_(QLatin1Char('\n') + DashLine() + QLatin1Char('\n') + SummaryLine(hits_, searchText_, files));
}

void Report::CloseStopped(int searched, int files)
{
    Close(searched);
    out_(QLatin1Char('\n') + StoppedLine(searched, files));
}

void Report::Finish(int files, std::uint32_t elapsedMs, const QLocale& locale)
{
    Close(files);
    out_(QLatin1Char('\n') + TimingLine(elapsedMs, locale));
}

}  // namespace search
