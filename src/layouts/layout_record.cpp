#include "layouts/layout_record.h"

#include "store/data_folder.h"
#include "store/text_helpers.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace layouts {

double Layout_Record::Number(int n) const
{
    const double value = store::Lenient_Number(line[n]);
    if (std::isnan(value))
        return 0;
    if (n >= Label_Length && n < First_Item_Style)
        return std::clamp(value, -kMaxLabelMm, kMaxLabelMm);
    if (n >= First_Item_Style && n < First_Ruled_Flag)
        return std::clamp(value, 0.0, kMaxStyleValue);
    if (n == Layout_Paper_Number)
        return std::clamp(value, 0.0, 9999.0);
    return value;
}

QString Layout_Path(const QString& data_folder, const QString& name)
{
    return data_folder + name + QStringLiteral(".lay");
}

std::optional<Layout_Record> Read_Layout(const QString& data_folder, const QString& name)
{
    const store::Text_File file = store::Read_Text_Lines(Layout_Path(data_folder, name));
    if (!file.opened)
        return std::nullopt;
    Layout_Record record;
    for (int n = 1; n <= kLayoutCapacity && n <= file.lines.size(); ++n)
        record[n] = file.lines.at(n - 1);
    return record;
}

store::Write_Result Write_Layout(const QString& path, const Layout_Record& record)
{
    QStringList lines;
    for (int n = 1; n <= kLayoutLines; ++n)
        lines << record[n];
    return store::Replace_File_Locked(path, lines);
}

std::optional<QStringList> Read_Layout_Values(const QString& path)
{
    const store::Text_File file = store::Read_Text_Lines(path);
    if (!file.opened)
        return std::nullopt;
    QStringList values;
    for (const QString& line : file.lines)
        values << line.split(QLatin1Char(','));
    return values;
}

QString Normalize_Layout_Number(const QString& text)
{
    const float value = static_cast<float>(store::Lenient_Number(text));
    if (value == 0.0f || std::isnan(value))
        return QStringLiteral("0");
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(value));
    QString result = QString::fromLatin1(buffer);
    if (result.startsWith(QStringLiteral("0.")))
        result.remove(0, 1);
    else if (result.startsWith(QStringLiteral("-0.")))
        result.remove(1, 1);
    return result;
}

QString Escape_Background_Name(const QString& text)
{
    return store::Kanma_Henkan(store::Strip_Control_Chars(text), 0);
}

QString Format_Paper_Number(const QString& text)
{
    return (QStringLiteral("0000") + Normalize_Layout_Number(text)).right(4);
}

QString Format_Ruled_Flag(int colour)
{
    return QLatin1Char(' ') + QString::number(colour) + QLatin1Char(' ');
}

}  // namespace layouts
