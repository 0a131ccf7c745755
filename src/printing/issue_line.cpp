#include "printing/issue_line.h"

#include "render/date_stamp.h"
#include "store/text_helpers.h"

namespace printing {

QString Issue_Line(const Print_Issue& issue)
{
    const render::Issue_Values& v = issue.values;
    const QString head = QStringLiteral("No.") + store::Pad_Zero(issue.product_no, 4) + QLatin1Char(' ')
        + store::Pad_Zero(QString::number(issue.copies), 4) + QStringLiteral("枚 ") + render::Base_Text(v.base)
        + QString(20, QLatin1Char(' '));
    const QChar tab(QLatin1Char('\t'));
    const QStringList fields = {v.contents, render::Add_Days_Text(v.add_days), v.date_mode, v.price, v.barcode};
    QString line = head;
    for (const QString& field : fields)
        line += store::Strip_Control_Chars(field) + tab;
    line.chop(1);
    return line;
}

}  // namespace printing
