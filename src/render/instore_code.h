#pragma once
// The 13-digit in-store code with an embedded price: header code (2 digits),
// item code (5), price check digit, price (4) and the EAN-13 check digit.
#include <QString>

namespace render {

constexpr int kHeaderDigits = 2;
constexpr int kItemDigits = 5;
constexpr int kPriceDigits = 4;

// Counter shown beside an input box: "(n/w桁) ".
QString Digit_Counter(int bytes, int width);

// The text of an input box after leaving it: its number, w digits with leading zeros.
QString Pad_Code(const QString& text, int width);

// The four-digit price check digit (weights 2-, 2-, 3, 5-).
int Price_Check_Digit(const QString& price);

// The complete code; empty unless the texts are exactly 2, 5 and 4 ASCII digits.
QString Instore_Code(const QString& header, const QString& item, const QString& price);

}  // namespace render
