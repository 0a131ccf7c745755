#include "products/product_list.h"

#include "products/product_file.h"
#include "store/text_helpers.h"

namespace products {
namespace {

QString After_First_Separator(const QString& text)
{
    const qsizetype ascii = text.indexOf(QLatin1Char(':'));
    const qsizetype wide = text.indexOf(QChar(0xFF1A));
    qsizetype at = ascii;
    if (at < 0 || (wide >= 0 && wide < at))
        at = wide;
    return at < 0 ? text : text.mid(at + 1);
}

const QString kHideMark = QStringLiteral("<m>");

QString Search_Result_Line(const QString& line)
{
    store::Field_Array fields;
    store::Split_Tab_Fields(line, 3, fields);
    return Product_List_Line(fields[1], fields[2], Search_Result_Name(fields[3]));
}

}  // namespace

QString Full_List_Name(const QString& product_name, const QString& category_name)
{
    QString name = product_name.isEmpty() ? category_name : product_name;
    if (const qsizetype at = name.indexOf(kHideMark); at >= 0)
        name = name.mid(at + kHideMark.size());
    return After_First_Separator(name);
}

QString Search_Result_Name(const QString& product_name)
{
    QString name = product_name;
    if (name.startsWith(QStringLiteral("品名:")))
        name.remove(0, 3);
    if (name.startsWith(kHideMark))
        name.remove(0, kHideMark.size());
    return name;
}

QString Product_List_Line(const QString& number, const QString& layout_name, const QString& display_name)
{
    const QString layout_column = store::Left_By_Bytes(layout_name + QString(20, QLatin1Char(' ')), 20);
    return number + QLatin1Char('|') + layout_column + QLatin1Char('|') + display_name;
}

QStringList Full_Product_List(const QString& data_folder)
{
    QStringList list;
    for (const QString& line : Read_Product_Lines(data_folder)) {
        store::Field_Array fields;
        store::Split_Tab_Fields(line, 4, fields);
        list << Product_List_Line(fields[1], fields[2], Full_List_Name(fields[3], fields[4]));
    }
    return list;
}

QStringList Split_Search_Words(const QString& text)
{
    QStringList words;
    QString word;
    for (QChar c : text + QLatin1Char(' ')) {
        if (c == QLatin1Char(' ') || c == QChar(0x3000)) {
            words << word;
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

QStringList Search_Product_List(const QString& data_folder, const QString& search_text)
{
    const QStringList words = Split_Search_Words(search_text);
    QStringList list;
    for (const QString& line : Read_Product_Lines(data_folder)) {
        bool matches = true;
        for (const QString& word : words)
            matches = matches && line.contains(word);
        if (matches)
            list << Search_Result_Line(line);
    }
    return list;
}

}  // namespace products
