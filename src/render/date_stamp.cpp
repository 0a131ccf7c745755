#include "render/date_stamp.h"

#include "store/text_helpers.h"

#include <QRegularExpression>

#include <array>
#include <cmath>

namespace render {
namespace {

using products::Product_Record;

// A base text as a whole number of at most `digits` digits; -1 when it is none.
int Whole_Number(const QString& text, int digits)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > digits)
        return -1;
    for (QChar c : trimmed)
        if (c < u'0' || c > u'9')
            return -1;
    return trimmed.toInt();
}

// Two-digit years as the calendar reads them: 00-29 are 2000s, 30-99 are 1900s.
int Full_Year(const QString& text)
{
    const int year = Whole_Number(text, 4);
    if (year < 0 || text.trimmed().size() > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

QString Two_Digits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

enum class Token {
    None,
    Year4,
    Year2,
    Month2,
    Month1,
    Day2,
    Day1,
    Hour2,
    Hour1,
    Minute2,
    Minute1,
    Second2,
    Second1,
    Era,
    Era_Year
};

struct Token_Text {
    const char* text;
    Token token;
};

// Longest first, so "yyyy" wins over "yy" and "mm" over "m".
constexpr std::array<Token_Text, 14> kTokens = {{
    {"yyyy", Token::Year4},
    {"ggg", Token::Era},
    {"yy", Token::Year2},
    {"mm", Token::Month2},
    {"dd", Token::Day2},
    {"hh", Token::Hour2},
    {"nn", Token::Minute2},
    {"ss", Token::Second2},
    {"m", Token::Month1},
    {"d", Token::Day1},
    {"h", Token::Hour1},
    {"n", Token::Minute1},
    {"s", Token::Second1},
    {"e", Token::Era_Year},
}};

Token Token_At(const QString& pattern, qsizetype i, qsizetype* length)
{
    for (const Token_Text& candidate : kTokens) {
        const QLatin1StringView text(candidate.text);
        if (QStringView(pattern).mid(i, text.size()).compare(text, Qt::CaseInsensitive) == 0) {
            *length = text.size();
            return candidate.token;
        }
    }
    return Token::None;
}

QString Token_Value(Token token, const QDateTime& moment, bool minutes_context)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    switch (token) {
    case Token::Year4:
        return QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
    case Token::Year2:
        return Two_Digits(date.year() % 100);
    case Token::Month2:
        return Two_Digits(minutes_context ? time.minute() : date.month());
    case Token::Month1:
        return QString::number(minutes_context ? time.minute() : date.month());
    case Token::Day2:
        return Two_Digits(date.day());
    case Token::Day1:
        return QString::number(date.day());
    case Token::Hour2:
        return Two_Digits(time.hour());
    case Token::Hour1:
        return QString::number(time.hour());
    case Token::Minute2:
        return Two_Digits(time.minute());
    case Token::Minute1:
        return QString::number(time.minute());
    case Token::Second2:
        return Two_Digits(time.second());
    case Token::Second1:
        return QString::number(time.second());
    case Token::Era:
        return Japanese_Era(date).era;
    case Token::Era_Year:
        return QString::number(Japanese_Era(date).year);
    case Token::None:
        break;
    }
    return {};
}

}  // namespace

std::optional<QDateTime> Base_Date(const Base_Texts& texts)
{
    const QDate date(Full_Year(texts.year), Whole_Number(texts.month, 2), Whole_Number(texts.day, 2));
    const int hour = Whole_Number(texts.hour, 2);
    const int minute = Whole_Number(texts.minute, 2);
    if (!date.isValid() || date.year() < 1 || hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return std::nullopt;
    return QDateTime(date, QTime(hour, minute, 0), Qt::UTC);
}

Base_Texts Base_Texts_Of(const QDateTime& base)
{
    const QDate date = base.date();
    const QTime time = base.time();
    return {QString::number(date.year()), QString::number(date.month()), QString::number(date.day()),
            QString::number(time.hour()), QString::number(time.minute())};
}

QString Base_Text(const QDateTime& base)
{
    if (!base.isValid())
        return {};
    return Format_Date(base, QStringLiteral("yyyy/mm/dd hh:nn"));
}

std::optional<QDateTime> Read_Base_Text(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{4})/(\\d{2})/(\\d{2}) (\\d{2}):(\\d{2})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return Base_Date({match.captured(1), match.captured(2), match.captured(3), match.captured(4), match.captured(5)});
}

QString Add_Days_Text(double add_days)
{
    return QString::number(add_days, 'g', 15);
}

QDateTime Base_At(const QDateTime& moment)
{
    return QDateTime(moment.date(), QTime(moment.time().hour(), moment.time().minute()), Qt::UTC);
}

std::optional<QDateTime> Stamp_Date(const QDateTime& base, double add_days)
{
    if (!(std::abs(add_days) <= kMaxAddDays))  // also NaN
        return std::nullopt;
    // Calendar arithmetic without time zones: the label's date is wall-clock time.
    QDateTime moment(base.date(), base.time(), Qt::UTC);
    const double whole_days = std::floor(add_days);
    moment = moment.addDays(static_cast<qint64>(whole_days));
    const double fraction = add_days - whole_days;
    if (fraction > 0)
        moment = moment.addSecs(std::llround(fraction * 86400));
    if (!moment.isValid() || moment.date().year() < 1 || moment.date().year() > 9999)
        return std::nullopt;
    return moment;
}

QString Format_Date(const QDateTime& moment, const QString& pattern)
{
    QString result;
    bool after_hour = false;  // the nearest preceding token was h or hh
    for (qsizetype i = 0; i < pattern.size();) {
        qsizetype length = 0;
        const Token token = Token_At(pattern, i, &length);
        if (token == Token::None) {
            result += pattern[i++];
            continue;
        }
        result += Token_Value(token, moment, after_hour);
        after_hour = token == Token::Hour1 || token == Token::Hour2;
        i += length;
    }
    return result;
}

QString Format_Stamp(const QDateTime& moment, const QString& date_format)
{
    if (date_format.startsWith(kFullWidthPrefix))
        return To_Full_Width(Format_Date(moment, date_format.mid(kFullWidthPrefix.size())));
    return Format_Date(moment, date_format);
}

Era_Year Japanese_Era(const QDate& date)
{
    struct Era {
        const char* name;
        QDate start;
    };
    static const std::array<Era, 4> eras = {{
        {"令和", QDate(2019, 5, 1)},
        {"平成", QDate(1989, 1, 8)},
        {"昭和", QDate(1926, 12, 25)},
        {"大正", QDate(1912, 7, 30)},
    }};
    for (const Era& era : eras)
        if (date >= era.start)
            return {QString::fromUtf8(era.name), date.year() - era.start.year() + 1};
    return {QStringLiteral("明治"), date.year() - 1868 + 1};
}

Date_Line_Result Date_Line(const Product_Record& product, const Issue_Values& issue)
{
    const QString& kind = product[products::Date_Kind];
    if (kind == kDateHidden)
        return {};
    Date_Line_Result result;
    if (issue.date_mode == kDateModeElsewhere)
        result.line = kind + product[products::Date_Elsewhere_Note];
    if (issue.date_mode != kDateModeAdd)
        return result;
    // Without a valid base the moment of printing is the base; a stamp outside
    // the printable years is that moment itself.
    const QDateTime& now = issue.now;
    result.stamped = true;
    if (!issue.base.isValid())
        result.fault = Date_Fault::Invalid_Base;
    result.base = issue.base.isValid() ? issue.base : now;
    const std::optional<QDateTime> stamp = Stamp_Date(result.base, issue.add_days);
    if (!stamp && result.fault == Date_Fault::None)
        result.fault = Date_Fault::Outside_Years;
    result.line = kind + Format_Stamp(stamp.value_or(now), product[products::Date_Format]);
    return result;
}

QString Date_Display(const Product_Record& product, const Date_Line_Result& date)
{
    if (product[products::Date_Kind] == kDateHidden)
        return kDateHidden;
    if (!date.line)
        return {};
    const bool full_width = date.stamped && product[products::Date_Format].startsWith(kFullWidthPrefix);
    return full_width ? To_Full_Width(*date.line) : *date.line;
}

QString Expand_Date_Expression(const QString& pattern, const QDateTime& now)
{
    const QString expanded = Format_Date(now, pattern);
    if (expanded.startsWith(kFullWidthPrefix))
        return To_Full_Width(expanded.mid(kFullWidthPrefix.size()));
    return expanded;
}

Issue_Values Preview_Issue(const Product_Record& product, const QDateTime& now)
{
    Issue_Values issue;
    issue.now = now;
    issue.base = Base_At(now);
    issue.add_days = store::Lenient_Number(product[products::Date_Add_Days]);
    issue.date_mode = product[products::Date_Elsewhere_Note].isEmpty() ? kDateModeAdd : kDateModeElsewhere;
    issue.contents = product[products::Contents];
    issue.price = product[products::Price_Text];
    issue.barcode = product[products::Barcode];
    return issue;
}

}  // namespace render
