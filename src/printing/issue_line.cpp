#include "printing/issue_line.h"

#include "render/date_stamp.h"
#include "store/text_helpers.h"

namespace printing {

namespace {

QString Field(const QString& text)
{
    return store::Strip_Control_Chars(text);
}

// The year as the base date reads it ("24" is 2024), so that the label prints
// the date the screen showed; the text as typed when the base date is invalid.
QString Base_Year(const render::Issue_Values& values)
{
    const std::optional<QDateTime> base = render::Base_Date(values);
    return base ? QString::number(base->date().year()) : values.year;
}

}  // namespace

QString Issue_Line(const Issue_Entry& entry)
{
    using store::Pad_Zero;
    const render::Issue_Values& v = entry.values;
    const QString head = QStringLiteral("No.") + Pad_Zero(entry.product_no, 4) + QLatin1Char(' ')
                         + Pad_Zero(entry.labels, 4) + QStringLiteral("枚 ") + Pad_Zero(Base_Year(v), 4) + QLatin1Char('/')
                         + Pad_Zero(v.month, 2) + QLatin1Char('/') + Pad_Zero(v.day, 2) + QLatin1Char(' ')
                         + Pad_Zero(v.hour, 2) + QLatin1Char(':') + Pad_Zero(v.minute, 2) + QString(20, QLatin1Char(' '));
    const QChar tab(QLatin1Char('\t'));
    return head + Field(v.contents) + tab + Field(v.add_days) + tab + Field(v.date_mode) + tab + Field(v.price) + tab
           + Field(v.barcode);
}

Issue_Entry Read_Issue_Line(const QString& line)
{
    Issue_Entry entry;
    entry.product_no = line.mid(3, 4);
    entry.labels = line.mid(8, 4);
    render::Issue_Values& v = entry.values;
    v.year = line.mid(14, 4);
    v.month = line.mid(19, 2);
    v.day = line.mid(22, 2);
    v.hour = line.mid(25, 2);
    v.minute = line.mid(28, 2);
    store::Field_Array fields;
    store::Split_Tab_Line(line.mid(kIssue_Line_Head), fields);
    v.contents = fields[1];
    v.add_days = fields[2];
    v.date_mode = fields[3];
    v.price = fields[4];
    v.barcode = fields[5];
    return entry;
}

}  // namespace printing
