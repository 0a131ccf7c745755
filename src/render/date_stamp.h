#pragma once
// Use-by and best-before dates: base date plus addition days, the date format
// language, the full-width option and the date line of a label.
#include "store/width_conversion.h"
#include "products/product_record.h"
#include "render/issue_values.h"
#include "store/confirmation.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace render {

inline const QString kDateHidden = QStringLiteral("表示しない");
inline const QString kFullWidthPrefix = QStringLiteral("全角)");

// The issue's five base texts as a date and time; no value when they do not
// make a valid calendar date and time (non-number, month 13, 30 February, hour 24, empty).
std::optional<QDateTime> Base_Date(const Issue_Values& issue);

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

// The date line printed as the 日付 item, or nothing. An invalid base date is
// reported and the current moment is used instead; so is a stamped date
// outside the printable years.
std::optional<QString> Date_Line(const products::Product_Record& product, const Issue_Values& issue,
                                 store::Confirmation& confirmation);

// The text of the printing screen's 期限表示 box. An invalid base date is
// reported and the five base texts of `issue` are set to the current moment
// (the screen writes them back into its boxes). A stamped date outside the
// printable years is reported and the current moment shown.
QString Date_Display(const products::Product_Record& product, Issue_Values& issue,
                     store::Confirmation& confirmation);

// "<d>" expressions: the current moment formatted by the pattern; a result
// beginning with "全角)" loses it and is converted to full width.
QString Expand_Date_Expression(const QString& pattern);

// The issue a preview shows for a product: based now, with the product's addition
// days, contents, price and barcode; its date note replaces the date when it has one.
Issue_Values Preview_Issue(const products::Product_Record& product);

}  // namespace render
