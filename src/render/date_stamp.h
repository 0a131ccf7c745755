#pragma once
// Use-by and best-before dates: base date plus addition days, the date format
// language, the full-width option and the date line of a label.
#include "products/product_record.h"
#include "render/issue_values.h"
#include "store/width_conversion.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace render {

inline const QString kDateHidden = QStringLiteral("表示しない");
inline const QString kFullWidthPrefix = QStringLiteral("全角)");

// The base date and time as the five boxes of the printing screen hold it.
struct Base_Texts {
    QString year;  // four digits, or two: 00-29 are 2000s, 30-99 are 1900s
    QString month;
    QString day;
    QString hour;
    QString minute;

    bool operator==(const Base_Texts&) const = default;
};

// The texts as a date and time (seconds 0); no value when they do not make a
// valid calendar date and time (non-number, month 13, 30 February, hour 24, empty).
std::optional<QDateTime> Base_Date(const Base_Texts& texts);

// The base as the boxes show it: plain numbers, without leading zeros.
Base_Texts Base_Texts_Of(const QDateTime& base);

// The base as the reservation list and the print history write it,
// "2024/03/05 09:05" (empty for an invalid base), and back; no value for a
// text that is no such date.
QString Base_Text(const QDateTime& base);
std::optional<QDateTime> Read_Base_Text(const QString& text);

// Addition days as the 加算日 box and the reservation list write them ("3", "0.5").
QString Add_Days_Text(double add_days);

// A moment to the minute, as a base.
QDateTime Base_At(const QDateTime& moment);

// Base plus floor(add_days) whole days, then the fraction of a day, to the
// second. No value when the result is not a date of the years 1 to 9999, the
// dates the formats can print (days beyond kMaxAddDays never are).
constexpr double kMaxAddDays = 3660000;

// What the printing screen's 加算日 box accepts as typed: a sign, at most five
// whole digits (some 270 years) and a fraction.
inline const QString kAddDaysBoxPattern = QStringLiteral("-?[0-9]{0,5}(\\.[0-9]{0,4})?");
std::optional<QDateTime> Stamp_Date(const QDateTime& base, double add_days);

// The pattern with its tokens (yyyy yy mm m dd d hh h nn n ss s ggg e, any case)
// replaced by the parts of the moment; other characters are copied.
QString Format_Date(const QDateTime& moment, const QString& pattern);

// Format_Date, converted to full width when the format begins with "全角)".
QString Format_Stamp(const QDateTime& moment, const QString& date_format);

// Printable ASCII and half-width katakana to their full-width forms, blank to U+3000.
using store::To_Full_Width;

// The Japanese era of a date and the year within it (明治 .. 令和).
struct Era_Year {
    QString era;
    int year = 0;
};
Era_Year Japanese_Era(const QDate& date);

// Why a date could not be computed.
enum class Date_Fault {
    None,
    Invalid_Base,   // the issue has no valid base date
    Outside_Years,  // base plus addition days is not a printable date
};

// What the user is told of a date fault: its first line, then whether the
// label goes on with the current moment or the screen's base is corrected to it.
inline const QString kDateFaultNotice = QStringLiteral("入力された日付が異常です");
inline const QString kContinueWithToday = QStringLiteral("本日の日付にて継続します");
inline const QString kCorrectedToToday = QStringLiteral("本日の日付に修正します");

struct Date_Line_Result {
    // The date item: the product's caption, then the stamped date or the
    // product's note; nothing when the product or the date mode prints none.
    std::optional<QString> line;
    // Why the date could not be computed; the line then stamps the issue's
    // moment of printing, as the label is printed after the user has been told.
    Date_Fault fault = Date_Fault::None;
    bool stamped = false;  // the line ends in a computed date
    // The base the date was stamped from: the issue's, or the current moment
    // in place of an invalid one; invalid when no date was stamped.
    QDateTime base;
};

// The date line printed as the 日付 item for this product and issue. It asks
// nothing: the caller tells the user of a fault.
Date_Line_Result Date_Line(const products::Product_Record& product, const Issue_Values& issue);

// The text of the printing screen's 期限表示 box for that date line:
// "表示しない" for a product without a date, and with a "全角)" format the
// whole text, caption included, in full width.
QString Date_Display(const products::Product_Record& product, const Date_Line_Result& date);

// "<d>" expressions: the moment formatted by the pattern; a result beginning
// with "全角)" loses it and is converted to full width.
QString Expand_Date_Expression(const QString& pattern, const QDateTime& now);

// The issue a preview shows for a product: printed and based now, with the
// product's addition days, contents, price and barcode; its date note replaces
// the date when it has one.
Issue_Values Preview_Issue(const products::Product_Record& product, const QDateTime& now);

}  // namespace render
