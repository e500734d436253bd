#include "search/SearchReport.h"

#include "platform/CodePage.h"

namespace search {

QString HeaderLine(const QString& searchText)
{
    return QStringLiteral("Sökt text :") + searchText;
}

QString DashLine()
{
    return QString(62, QChar('-'));
}

QString HitLine(const QString& path, int lineIndex, std::string_view line)
{
    QString text;
    text.reserve(path.size() + qsizetype(line.size()) + 20);
    text += path;
    text += QLatin1String(" Rad:");
    text += QString::number(lineIndex);
    text += QLatin1String(" | ");
    text += platform::AnsiToQString(line);
    return text;
}

QString SummaryLine(int hits, const QString& searchText, int files)
{
    return QString::number(hits) + QStringLiteral(" förekomster av \"") + searchText + QStringLiteral("\" i ") +
           QString::number(files) + QStringLiteral(" genomsökta filer");
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

Report::Report(const QString& searchText) : searchText_(searchText)
{
    text_ = HeaderLine(searchText);
    AddLine(DashLine());
}

void Report::AddLine(const QString& line)
{
    text_ += QLatin1String("\r\n");
    text_ += line;
}

void Report::AddHit(const QString& path, int lineIndex, std::string_view line)
{
    AddLine(HitLine(path, lineIndex, line));
    ++hits_;
}

void Report::Close(int files)
{
    AddLine(DashLine());
    AddLine(SummaryLine(hits_, searchText_, files));
}

void Report::Finish(int files, std::uint32_t elapsedMs, const QLocale& locale)
{
    Close(files);
    AddLine(TimingLine(elapsedMs, locale));
}

}  // namespace search
