#include "render/clock.h"
#include "render/date_stamp.h"
#include "support/scripted_confirmation.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using products::Product_Record;
using render::Issue_Values;

Issue_Values Issue(const QString& y, const QString& mo, const QString& d, const QString& h, const QString& mi,
                   const QString& add_days, const QString& mode = render::kDateModeAdd)
{
    Issue_Values issue;
    issue.year = y;
    issue.month = mo;
    issue.day = d;
    issue.hour = h;
    issue.minute = mi;
    issue.add_days = add_days;
    issue.date_mode = mode;
    return issue;
}

Product_Record Product(const QString& kind, const QString& format, const QString& note = {})
{
    Product_Record product;
    product[products::Date_Kind] = kind;
    product[products::Date_Format] = format;
    product[products::Date_Elsewhere_Note] = note;
    return product;
}

QDateTime At(int y, int mo, int d, int h, int mi, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

TEST(Stamp_Date, CalendarArithmetic)
{
    struct Case {
        QDateTime base;
        double add_days;
        QDateTime expected;
    };
    const Case cases[] = {
        {At(2024, 1, 31, 9, 0), 1, At(2024, 2, 1, 9, 0)},
        {At(2024, 2, 1, 9, 0), 29, At(2024, 3, 1, 9, 0)},     // leap year
        {At(2023, 2, 1, 9, 0), 28, At(2023, 3, 1, 9, 0)},
        {At(2024, 3, 5, 20, 0), 0.5, At(2024, 3, 6, 8, 0)},
        {At(2024, 3, 5, 9, 0), 2.25, At(2024, 3, 7, 15, 0)},
        {At(2024, 3, 5, 9, 0), -1.5, At(2024, 3, 4, 9, 0).addSecs(-12 * 3600)},
        {At(2024, 12, 31, 23, 0), 0.1, At(2025, 1, 1, 1, 24)},  // 0.1 day = 2 h 24 min exactly
        {At(2024, 3, 5, 9, 0), 1.0 / 86400 * 61, At(2024, 3, 5, 9, 1, 1)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(render::Stamp_Date(c.base, c.add_days), c.expected) << c.add_days;
}

TEST(Base_Date, RejectsWhatIsNoDateAndTime)
{
    EXPECT_EQ(*render::Base_Date(Issue("2024", "3", "5", "9", "7", "0")), At(2024, 3, 5, 9, 7));
    EXPECT_EQ(*render::Base_Date(Issue("2024", "03", "05", "09", "07", "0")), At(2024, 3, 5, 9, 7));
    const Issue_Values invalid[] = {
        Issue("2024", "13", "1", "0", "0", "0"), Issue("2024", "2", "30", "0", "0", "0"),
        Issue("2024", "2", "1", "24", "0", "0"), Issue("2024", "2", "1", "0", "60", "0"),
        Issue("", "2", "1", "0", "0", "0"),     Issue("2024", "x", "1", "0", "0", "0"),
        Issue("2024", "-1", "1", "0", "0", "0"),
    };
    for (const Issue_Values& issue : invalid)
        EXPECT_FALSE(render::Base_Date(issue).has_value()) << issue.month.toStdString() << issue.day.toStdString();
}

TEST(Format_Date, TokensAnyCaseLongestFirst)
{
    const QDateTime moment = At(2024, 3, 5, 14, 7, 9);
    struct Case {
        QString pattern;
        QString expected;
    };
    const Case cases[] = {
        {"YYYY年MM月DD日hh時mm分", "2024年03月05日14時07分"},
        {"GGGE年M月D日", "令和6年3月5日"},
        {"YY.M.D", "24.3.5"},
        {"hh時mm分", "14時07分"},      // minutes after an hour token
        {"yyyy/MM月", "2024/03月"},   // month after a date token
        {"h:m:s", "14:7:9"},
        {"nn:ss", "07:09"},
        {"yyyy/mm/dd hh:nn", "2024/03/05 14:07"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(render::Format_Date(moment, c.pattern), c.expected) << c.pattern.toStdString();
}

TEST(Japanese_Era, EarlierErasHaveTheirOwnYears)
{
    struct Case {
        QDate date;
        QString era;
        int year;
    };
    const Case cases[] = {
        {QDate(2019, 5, 1), "令和", 1},  {QDate(2019, 4, 30), "平成", 31}, {QDate(1989, 1, 8), "平成", 1},
        {QDate(1989, 1, 7), "昭和", 64}, {QDate(1926, 12, 25), "昭和", 1}, {QDate(1926, 12, 24), "大正", 15},
        {QDate(1912, 7, 29), "明治", 45},
    };
    for (const Case& c : cases) {
        const render::Era_Year era = render::Japanese_Era(c.date);
        EXPECT_EQ(era.era, c.era) << c.date.toString().toStdString();
        EXPECT_EQ(era.year, c.year) << c.date.toString().toStdString();
    }
}

TEST(Date_Line, CaptionThenStampedDate)
{
    test_support::Scripted_Confirmation ui;
    const Issue_Values issue = Issue("2024", "3", "5", "20", "0", "0.5");
    EXPECT_EQ(*render::Date_Line(Product("消費期限:", "YYYY/MM/DD"), issue, ui), "消費期限:2024/03/06");
    // The caption keeps its half-width colon; only the date is widened.
    EXPECT_EQ(*render::Date_Line(Product("消費期限:", "全角)YYYY/MM/DD"), issue, ui),
              "消費期限:２０２４／０３／０６");
    EXPECT_FALSE(render::Date_Line(Product("表示しない", "YYYY/MM/DD"), issue, ui).has_value());
    const Issue_Values elsewhere = Issue("2024", "3", "5", "20", "0", "0.5", render::kDateModeElsewhere);
    EXPECT_EQ(*render::Date_Line(Product("賞味期限:", "YYYY/MM/DD", "枠外上部に記載"), elsewhere, ui),
              "賞味期限:枠外上部に記載");
    EXPECT_TRUE(ui.requests.empty());
}

TEST(Date_Line, InvalidBaseDateContinuesWithNow)
{
    const render::Fixed_Clock clock(QDateTime(QDate(2025, 6, 7), QTime(8, 9, 10)));
    test_support::Scripted_Confirmation ui;
    const Issue_Values issue = Issue("2024", "13", "5", "20", "0", "1");
    EXPECT_EQ(*render::Date_Line(Product("消費期限:", "YYYY/MM/DD hh:nn:ss"), issue, ui),
              "消費期限:2025/06/08 08:09:10");
    ASSERT_EQ(ui.requests.size(), 1u);
    EXPECT_EQ(ui.requests[0].line1, "入力された日付が異常です");
    EXPECT_EQ(ui.requests[0].line2, "本日の日付にて継続します");
    EXPECT_EQ(ui.requests[0].back_colour, store::kInformationColour);
}

TEST(Date_Display, BoxTextAndCorrectedBaseDate)
{
    const render::Fixed_Clock clock(QDateTime(QDate(2025, 6, 7), QTime(8, 9, 10)));
    test_support::Scripted_Confirmation ui;
    Issue_Values issue = Issue("2024", "3", "5", "20", "0", "1");
    EXPECT_EQ(render::Date_Display(Product("消費期限:", "全角)YYYY/MM/DD"), issue, ui),
              "消費期限：２０２４／０３／０６");
    EXPECT_EQ(render::Date_Display(Product("表示しない", "YYYY/MM/DD"), issue, ui), "表示しない");
    EXPECT_TRUE(ui.requests.empty());

    Issue_Values wrong = Issue("2024", "13", "5", "20", "0", "1");
    EXPECT_EQ(render::Date_Display(Product("消費期限:", "YYYY/MM/DD hh:mm"), wrong, ui),
              "消費期限:2025/06/08 08:09");
    EXPECT_EQ(wrong.year + "/" + wrong.month + "/" + wrong.day + " " + wrong.hour + ":" + wrong.minute, "2025/6/7 8:9");
    ASSERT_EQ(ui.requests.size(), 1u);
    EXPECT_EQ(ui.requests[0].line2, "本日の日付に修正します");
}

TEST(Stamp_Date, NoDateOutsideThePrintableYears)
{
    const struct {
        QDateTime base;
        double add_days;
    } cases[] = {
        {At(9999, 12, 31, 9, 0), 1},
        {At(1, 1, 1, 9, 0), -1},
        {At(2024, 3, 5, 9, 0), 1e9},
        {At(2024, 3, 5, 9, 0), -1e20},
        {At(2024, 3, 5, 9, 0), render::kMaxAddDays - 1},  // within the limit, past 9999
        {At(2024, 3, 5, 9, 0), std::numeric_limits<double>::infinity()},
        {At(2024, 3, 5, 9, 0), std::numeric_limits<double>::quiet_NaN()},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(render::Stamp_Date(c.base, c.add_days).has_value()) << c.add_days;
    EXPECT_EQ(render::Stamp_Date(At(9999, 12, 30, 9, 0), 1), At(9999, 12, 31, 9, 0));
    EXPECT_EQ(render::Stamp_Date(At(1, 1, 2, 9, 0), -1), At(1, 1, 1, 9, 0));
}

TEST(Date_Line, HugeAdditionDaysAreReportedAndTodayIsPrinted)
{
    const render::Fixed_Clock clock(QDateTime(QDate(2025, 6, 7), QTime(8, 9, 10)));
    for (const char* days : {"1000000000", "100000000000000000000", "-99999999", "3659999"}) {
        test_support::Scripted_Confirmation ui;
        const Issue_Values issue = Issue("2024", "3", "5", "20", "0", days);
        EXPECT_EQ(*render::Date_Line(Product("消費期限:", "YYYY.MM.DD"), issue, ui), "消費期限:2025.06.07") << days;
        ASSERT_EQ(ui.requests.size(), 1u) << days;
        EXPECT_EQ(ui.requests[0].line1, "入力された日付が異常です");
        EXPECT_EQ(ui.requests[0].line2, "本日の日付にて継続します");

        Issue_Values box = issue;
        EXPECT_EQ(render::Date_Display(Product("消費期限:", "YYYY.MM.DD"), box, ui), "消費期限:2025.06.07") << days;
        EXPECT_EQ(ui.requests.size(), 2u) << days;
    }
}

TEST(Expand_Date_Expression, UsesTheClockNotTheIssue)
{
    const render::Fixed_Clock clock(QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
    EXPECT_EQ(render::Expand_Date_Expression("製造日:yyyy.m.d"), "製造日:2024.3.5");
    EXPECT_EQ(render::Expand_Date_Expression("全角)hh時mm分"), "１４時０７分");
}

}  // namespace
