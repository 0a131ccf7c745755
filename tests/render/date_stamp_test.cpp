#include "render/date_stamp.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using products::Product_Record;
using render::Issue_Values;

// The tests' labels are printed at 2025/06/07 08:09:10.
const QDateTime kNow(QDate(2025, 6, 7), QTime(8, 9, 10));

Issue_Values Issue(const QDateTime& base, double add_days, const QString& mode = render::kDateModeAdd)
{
    Issue_Values issue;
    issue.now = kNow;
    issue.base = base;
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
        {At(2024, 2, 1, 9, 0), 29, At(2024, 3, 1, 9, 0)},  // leap year
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
    EXPECT_EQ(*render::Base_Date({"2024", "3", "5", "9", "7"}), At(2024, 3, 5, 9, 7));
    EXPECT_EQ(*render::Base_Date({"2024", "03", "05", "09", "07"}), At(2024, 3, 5, 9, 7));
    EXPECT_EQ(*render::Base_Date({"24", "3", "5", "9", "7"}), At(2024, 3, 5, 9, 7));
    EXPECT_EQ(*render::Base_Date({"95", "3", "5", "9", "7"}), At(1995, 3, 5, 9, 7));
    const render::Base_Texts invalid[] = {
        {"2024", "13", "1", "0", "0"}, {"2024", "2", "30", "0", "0"}, {"2024", "2", "1", "24", "0"},
        {"2024", "2", "1", "0", "60"}, {"", "2", "1", "0", "0"},      {"2024", "x", "1", "0", "0"},
        {"2024", "-1", "1", "0", "0"}, {"2024", "2", "1", " ", "0"},
    };
    for (const render::Base_Texts& base : invalid)
        EXPECT_FALSE(render::Base_Date(base).has_value()) << base.month.toStdString() << base.day.toStdString();
}

// The boxes, the reservation list and the print history write the same moment.
TEST(Base_Date, TextsAndLinesOfOneMoment)
{
    const QDateTime base = At(2024, 3, 5, 9, 7);
    const render::Base_Texts texts = render::Base_Texts_Of(base);
    EXPECT_EQ(QStringList({texts.year, texts.month, texts.day, texts.hour, texts.minute}),
              QStringList({"2024", "3", "5", "9", "7"}));
    EXPECT_EQ(render::Base_Date(texts), base);
    EXPECT_EQ(render::Base_Text(base), "2024/03/05 09:07");
    EXPECT_EQ(render::Read_Base_Text("2024/03/05 09:07"), base);
    EXPECT_EQ(render::Read_Base_Text(render::Base_Text(At(9, 12, 31, 23, 59))), At(9, 12, 31, 23, 59));
    for (const char* damaged : {"", "2024/3/5 9:07", "2024/02/30 09:00", "2024/03/05", "2024/03/05 09:07:00", "x"})
        EXPECT_FALSE(render::Read_Base_Text(damaged).has_value()) << damaged;
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
        {"hh時mm分", "14時07分"},    // minutes after an hour token
        {"yyyy/MM月", "2024/03月"},  // month after a date token
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
        {QDate(2019, 5, 1), "令和", 1},   {QDate(2019, 4, 30), "平成", 31}, {QDate(1989, 1, 8), "平成", 1},
        {QDate(1989, 1, 7), "昭和", 64},  {QDate(1926, 12, 25), "昭和", 1}, {QDate(1926, 12, 24), "大正", 15},
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
    const Issue_Values issue = Issue(At(2024, 3, 5, 20, 0), 0.5);
    EXPECT_EQ(*render::Date_Line(Product("消費期限:", "YYYY/MM/DD"), issue).line, "消費期限:2024/03/06");
    // The caption keeps its half-width colon; only the date is widened.
    EXPECT_EQ(*render::Date_Line(Product("消費期限:", "全角)YYYY/MM/DD"), issue).line, "消費期限:２０２４／０３／０６");
    EXPECT_FALSE(render::Date_Line(Product("表示しない", "YYYY/MM/DD"), issue).line.has_value());
    EXPECT_FALSE(render::Date_Line(Product("消費期限:", "YYYY/MM/DD"), Issue(At(2024, 3, 5, 20, 0), 0.5, "手入力"))
                     .line.has_value());
    const Issue_Values elsewhere = Issue(At(2024, 3, 5, 20, 0), 0.5, render::kDateModeElsewhere);
    const render::Date_Line_Result note = render::Date_Line(Product("賞味期限:", "全角)YYYY/MM/DD", "枠外上部に記載"),
                                                            elsewhere);
    EXPECT_EQ(*note.line, "賞味期限:枠外上部に記載");
    EXPECT_EQ(note.fault, render::Date_Fault::None);
    EXPECT_FALSE(note.stamped);
}

TEST(Date_Line, WithoutABaseTheMomentOfPrintingIsStampedAndTheFaultSaid)
{
    const render::Date_Line_Result date = render::Date_Line(Product("消費期限:", "YYYY/MM/DD hh:nn:ss"), Issue({}, 1));
    EXPECT_EQ(*date.line, "消費期限:2025/06/08 08:09:10");
    EXPECT_EQ(date.fault, render::Date_Fault::Invalid_Base);
}

TEST(Date_Display, BoxTextOfTheDateLine)
{
    const Issue_Values issue = Issue(At(2024, 3, 5, 20, 0), 1);
    const auto display = [&](const Product_Record& product, const Issue_Values& values) {
        return render::Date_Display(product, render::Date_Line(product, values));
    };
    // The whole text, caption included, in full width.
    EXPECT_EQ(display(Product("消費期限:", "全角)YYYY/MM/DD"), issue), "消費期限：２０２４／０３／０６");
    EXPECT_EQ(display(Product("消費期限:", "YYYY/MM/DD"), issue), "消費期限:2024/03/06");
    EXPECT_EQ(display(Product("表示しない", "YYYY/MM/DD"), issue), "表示しない");
    EXPECT_EQ(display(Product("表示しない", "YYYY/MM/DD"), Issue(At(2024, 3, 5, 20, 0), 1, render::kDateModeElsewhere)),
              "表示しない");
    EXPECT_EQ(display(Product("賞味期限:", "全角)YYYY/MM/DD", "枠外上部に記載"),
                      Issue(At(2024, 3, 5, 20, 0), 1, render::kDateModeElsewhere)),
              "賞味期限:枠外上部に記載");
    EXPECT_EQ(display(Product("消費期限:", "YYYY/MM/DD"), Issue(At(2024, 3, 5, 20, 0), 1, "手入力")), "");
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

TEST(Date_Line, HugeAdditionDaysAreAFaultAndTodayIsStamped)
{
    for (const double days : {1e9, 1e20, -99999999.0, 3659999.0, std::numeric_limits<double>::quiet_NaN()}) {
        const Product_Record product = Product("消費期限:", "YYYY.MM.DD");
        const render::Date_Line_Result date = render::Date_Line(product, Issue(At(2024, 3, 5, 20, 0), days));
        EXPECT_EQ(*date.line, "消費期限:2025.06.07") << days;
        EXPECT_EQ(date.fault, render::Date_Fault::Outside_Years) << days;
        EXPECT_EQ(render::Date_Display(product, date), "消費期限:2025.06.07") << days;
    }
    // Without a base and with days past the years, the moment of printing itself.
    const render::Date_Line_Result both = render::Date_Line(Product("消費期限:", "YYYY.MM.DD"), Issue({}, 1e9));
    EXPECT_EQ(*both.line, "消費期限:2025.06.07");
    EXPECT_EQ(both.fault, render::Date_Fault::Invalid_Base);
}

TEST(Expand_Date_Expression, ShowsTheMomentGiven)
{
    const QDateTime now(QDate(2024, 3, 5), QTime(14, 7));
    EXPECT_EQ(render::Expand_Date_Expression("製造日:yyyy.m.d", now), "製造日:2024.3.5");
    EXPECT_EQ(render::Expand_Date_Expression("全角)hh時mm分", now), "１４時０７分");
}

// A preview issue is based on the moment it is made, to the minute, and printed at it.
TEST(Preview_Issue, BasedAndPrintedAtTheMomentGiven)
{
    Product_Record product = Product("消費期限:", "YYYY/MM/DD hh:nn:ss");
    product[products::Date_Add_Days] = QStringLiteral("1");
    const Issue_Values issue = render::Preview_Issue(product, kNow);
    EXPECT_EQ(issue.now, kNow);
    EXPECT_EQ(issue.base, QDateTime(QDate(2025, 6, 7), QTime(8, 9), Qt::UTC));
    EXPECT_EQ(*render::Date_Line(product, issue).line, "消費期限:2025/06/08 08:09:00");
}

}  // namespace
