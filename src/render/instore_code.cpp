#include "render/instore_code.h"

#include "render/ean.h"
#include "store/cp932.h"
#include "store/text_helpers.h"

namespace render {
namespace {

int Digit_At(const QString& text, int i)
{
    const int value = text.at(i).digitValue();
    return value < 0 ? 0 : value;
}

// Weight "2-" or "5-": the product, less its tens digit when above 9, then its
// units digit when still above 9.
int Minus_Weighted(int digit, int weight)
{
    int value = weight * digit;
    if (value > 9)
        value -= value / 10;
    if (value > 9)
        value %= 10;
    return value;
}

// Exactly `width` bytes, all of them ASCII digits: a letter would make a code
// no scanner reads.
bool Is_Digits(const QString& text, int width)
{
    if (store::Byte_Width(text) != width)
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

}  // namespace

QString Digit_Counter(int bytes, int width)
{
    return QStringLiteral("(%1/%2桁) ").arg(bytes).arg(width);
}

QString Pad_Code(const QString& text, int width)
{
    return store::Pad_Zero(text, width);
}

int Price_Check_Digit(const QString& price)
{
    const int sum = Minus_Weighted(Digit_At(price, 0), 2) + Minus_Weighted(Digit_At(price, 1), 2)
        + (3 * Digit_At(price, 2)) % 10 + Minus_Weighted(Digit_At(price, 3), 5);
    return (3 * sum) % 10;
}

QString Instore_Code(const QString& header, const QString& item, const QString& price)
{
    if (!Is_Digits(header, kHeaderDigits) || !Is_Digits(item, kItemDigits) || !Is_Digits(price, kPriceDigits))
        return {};
    const QString first12 = header + item + QString::number(Price_Check_Digit(price)) + price;
    return first12 + QString::number(Ean_Check_Digit(first12));
}

}  // namespace render
