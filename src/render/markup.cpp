#include "render/markup.h"

#include "render/date_stamp.h"
#include "store/cp932.h"

#include <array>

namespace render {
namespace {

const QString kHide = QStringLiteral("<m>");
const QString kDate = QStringLiteral("<d>");

bool Starts_At(const QString& text, qsizetype i, const QString& tag)
{
    return QStringView(text).mid(i).startsWith(tag);
}

}  // namespace

Styled_Text Prepare_Markup_Text(const QString& markup, const QDateTime& now)
{
    QString text = markup.left(markup.indexOf(kHide));  // indexOf -1 keeps the whole text
    if (text.startsWith(kDate))
        text = Expand_Date_Expression(text.mid(kDate.size()), now);

    static const QString bold_on = QStringLiteral("<b>"), bold_off = QStringLiteral("</b>");
    static const QString under_on = QStringLiteral("<u>"), under_off = QStringLiteral("</u>");
    Styled_Text result;
    bool bold = false;
    bool underline = false;
    for (qsizetype i = 0; i < text.size();) {
        if (Starts_At(text, i, bold_on)) {
            bold = true;
            i += bold_on.size();
        } else if (Starts_At(text, i, bold_off)) {
            bold = false;
            i += bold_off.size();
        } else if (Starts_At(text, i, under_on)) {
            underline = true;
            i += under_on.size();
        } else if (Starts_At(text, i, under_off)) {
            underline = false;
            i += under_off.size();
        } else {
            result.text += text[i];
            result.bold.push_back(bold);
            result.underline.push_back(underline);
            ++i;
        }
    }
    return result;
}

QString Strip_Tags(const QString& text)
{
    static const std::array<QString, 4> opening = {QStringLiteral("<b>"), QStringLiteral("<u>"), QStringLiteral("<d>"),
                                                   QStringLiteral("<m>")};
    static const std::array<QString, 4> closing = {QStringLiteral("</b>"), QStringLiteral("</u>"),
                                                   QStringLiteral("</d>"), QStringLiteral("</m>")};
    auto starts_any = [&text](qsizetype i, const std::array<QString, 4>& tags) {
        for (const QString& tag : tags)
            if (Starts_At(text, i, tag))
                return true;
        return false;
    };
    QString result;
    for (qsizetype i = 0; i < text.size();) {
        if (starts_any(i, opening))
            i += 3;
        else if (starts_any(i, closing))
            i += 4;
        else
            result += text[i++];
    }
    return result;
}

double Measure_Text_Width(const QString& text, double size_pt, double width_percent)
{
    return store::Byte_Width(Strip_Tags(text)) * size_pt * 0.1625 * width_percent / 100;
}

}  // namespace render
