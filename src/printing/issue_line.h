#pragma once
// The reservation line of the printing screen: one issue of labels as text.
// Its head is fixed: "No.0012 0005枚 2024/03/05 09:05" (30 characters) and 20
// blanks; then contents, addition days, date mode, price and barcode, split by TABs.
#include "render/issue_values.h"

#include <QString>

namespace printing {

constexpr int kIssue_Line_Head = 50;

// One issue as the printing screen's boxes hold it.
struct Issue_Entry {
    QString product_no;
    QString labels;
    render::Issue_Values values;
};

// The line of an issue; numbers go through Pad_Zero, the year as the base date
// reads it (four digits), the five TAB fields lose control characters so that
// they stay five.
QString Issue_Line(const Issue_Entry& entry);

// The issue of a line, taken by position.
Issue_Entry Read_Issue_Line(const QString& line);

}  // namespace printing
