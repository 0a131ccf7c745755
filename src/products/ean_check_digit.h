#pragma once
// The EAN check digit of an EAN-13 or EAN-8 code.
#include <QString>

namespace products {

// Check digit of the 12 (EAN-13) or 7 (EAN-8) leading digits: weights 3 and 1
// alternate from the rightmost digit; the digit completes the sum to a multiple of 10.
// Characters that are not digits count as 0.
int Ean_Check_Digit(const QString& digits);

}  // namespace products
