#include "products/ean_check_digit.h"

namespace products {

int Ean_Check_Digit(const QString& digits)
{
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        const int digit = digits.at(i).isDigit() ? digits.at(i).digitValue() : 0;
        sum += weight * (digit < 0 ? 0 : digit);
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10;
}

}  // namespace products
