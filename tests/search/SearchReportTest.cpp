// SPDX-License-Identifier: GPL-3.0-or-later
// The report's lines: header, dash line, hit line, summary and timing line.
#include "search/SearchReport.h"

#include <gtest/gtest.h>

namespace {

TEST(SearchReport, FixedLines)
{
    EXPECT_EQ(search::HeaderLine("conn."), QStringLiteral("Sökt text :conn."));
    EXPECT_EQ(search::HeaderLine(" x "), QStringLiteral("Sökt text : x "));
    EXPECT_EQ(search::DashLine(), QString(62, '-'));
    EXPECT_EQ(search::HitLine("c:\\tmp\\a.asp", 3, "conn.Open"), QStringLiteral("c:\\tmp\\a.asp Rad:3 | conn.Open"));
    // The line's bytes show as what they hold: UTF-8, or else the code page.
    EXPECT_EQ(search::HitLine("/tmp/å.asp", 12345, "\xE5r \x80\x81"), QStringLiteral("/tmp/å.asp Rad:12345 | år €\u0081"));
    EXPECT_EQ(search::HitLine("/a", 0, "\xC3\xA5r \xE2\x82\xAC"), QStringLiteral("/a Rad:0 | år €"));
    EXPECT_EQ(search::SummaryLine(3, "conn.", 12), QStringLiteral("3 förekomster av \"conn.\" i 12 genomsökta filer"));
    EXPECT_EQ(search::SummaryLine(0, "", 0), QStringLiteral("0 förekomster av \"\" i 0 genomsökta filer"));
    EXPECT_EQ(search::SummaryLine(1234567, "x", 1000000), QStringLiteral("1234567 förekomster av \"x\" i 1000000 genomsökta filer"));
}

struct TimingCase {
    std::uint32_t ms;
    const char* comma;  // with a Swedish locale
    const char* point;  // with an American locale
};

TEST(SearchReport, TimingLineMillisecondsAndSeconds)
{
    const TimingCase cases[] = {
        {0, "0 ms", "0 ms"},
        {47, "47 ms", "47 ms"},
        {1000, "1000 ms", "1000 ms"},
        {1001, "1,001 sekunder", "1.001 sekunder"},
        {1010, "1,01 sekunder", "1.01 sekunder"},
        {1500, "1,5 sekunder", "1.5 sekunder"},
        {2000, "2 sekunder", "2 sekunder"},
        {12345, "12,345 sekunder", "12.345 sekunder"},
        {1234000, "1234 sekunder", "1234 sekunder"},
        {4294967295u, "4294967,295 sekunder", "4294967.295 sekunder"},
    };
    const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
    const QLocale american(QLocale::English, QLocale::UnitedStates);
    for (const TimingCase& c : cases) {
        EXPECT_EQ(search::TimingLine(c.ms, swedish), QStringLiteral("Tidsåtgång ") + QString::fromUtf8(c.comma)) << c.ms;
        EXPECT_EQ(search::TimingLine(c.ms, american), QStringLiteral("Tidsåtgång ") + QString::fromUtf8(c.point)) << c.ms;
    }
}

TEST(SearchReport, ElapsedAcrossTheWrap)
{
    EXPECT_EQ(search::ElapsedMs(100, 147), 47u);
    EXPECT_EQ(search::ElapsedMs(0xFFFFFF00u, 0x10u), 0x110u);
    EXPECT_EQ(search::ElapsedMs(0xFFFFFFFFu, 1000u), 1001u);
    EXPECT_EQ(search::ElapsedMs(5, 5), 0u);
}

TEST(SearchReport, ReportJoinsLinesWithLineFeeds)
{
    QString text;
    search::Report report("conn.", [&](QString piece) { text += piece; });
    EXPECT_EQ(text, QStringLiteral("Sökt text :conn.\n") + QString(62, '-'));
    report.AddHit("/a.asp", 0, "conn.Open");
    report.AddHit("/b.asp", 7, "x conn.");
    EXPECT_EQ(report.HitCount(), 2);
    report.Finish(5, 47, QLocale(QLocale::Swedish, QLocale::Sweden));
    const QString dashes(62, '-');
    EXPECT_EQ(text, QStringLiteral("Sökt text :conn.\n") + dashes +
                                 QStringLiteral("\n/a.asp Rad:0 | conn.Open\n/b.asp Rad:7 | x conn.\n") + dashes +
                                 QStringLiteral("\n2 förekomster av \"conn.\" i 5 genomsökta filer\nTidsåtgång 47 ms"));
}

}  // namespace
