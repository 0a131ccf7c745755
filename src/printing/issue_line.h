#pragma once
// The reservation line of the printing screen: how the reservation list shows
// one issue. Its head is fixed, "No.0012 0005枚 2024/03/05 09:05" (30
// characters) and 20 blanks; then contents, addition days, date mode, price
// and barcode, split by TABs.
#include "printing/print_job.h"

#include <QString>

namespace printing {

// The line of an issue; the numbers padded with zeros, the five TAB fields
// without control characters so that they stay five.
QString Issue_Line(const Print_Issue& issue);

}  // namespace printing
