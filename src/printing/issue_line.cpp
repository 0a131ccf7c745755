#include "printing/issue_line.h"

#include "render/date_stamp.h"
#include "store/text_helpers.h"

namespace printing {
namespace {

// "2024/03/05 09:05"; a base that is no date as it was typed, each part padded
// with zeros ("2024/13/05 09:05"), so that the head keeps its width.
QString Base_Column(const Print_Issue& issue)
{
    if (issue.values.base.isValid())
        return render::Base_Text(issue.values.base);
    const render::Base_Texts typed = issue.base_as_typed.value_or(render::Base_Texts{});
    return store::Pad_Zero(typed.year, 4) + QLatin1Char('/') + store::Pad_Zero(typed.month, 2) + QLatin1Char('/')
        + store::Pad_Zero(typed.day, 2) + QLatin1Char(' ') + store::Pad_Zero(typed.hour, 2) + QLatin1Char(':')
        + store::Pad_Zero(typed.minute, 2);
}

}  // namespace

QString Issue_Line(const Print_Issue& issue)
{
    const render::Issue_Values& v = issue.values;
    const QString head = QStringLiteral("No.") + store::Pad_Zero(issue.product_no, 4) + QLatin1Char(' ')
        + store::Pad_Zero(QString::number(issue.copies), 4) + QStringLiteral("枚 ") + Base_Column(issue)
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
