#include "products/item_rules.h"

#include "layouts/layout_record.h"
#include "store/width_conversion.h"

#include <algorithm>

namespace products {

Product_Record New_Product_Record()
{
    Product_Record record;
    record[Product_Name] = QStringLiteral("品名:");
    record[Category_Name] = QStringLiteral("名称:");
    record[Ingredients] = QStringLiteral("原材料名:");
    record[Contents] = QStringLiteral("内容量:");
    record[Date_Kind] = QStringLiteral("消費期限:");
    record[Date_Format] = QStringLiteral("YYYY年MM月DD日");
    record[Date_Add_Days] = QStringLiteral("0");
    record[Storage] = QStringLiteral("保存方法:");
    record[Responsible] = QStringLiteral("製造者:");
    record[Nutrition_Title] = QStringLiteral("栄養成分(1食分○g当たり)");
    record[Energy] = QStringLiteral("エネルギー:");
    record[Protein] = QStringLiteral("たんぱく質:");
    record[Fat] = QStringLiteral("　脂　質　:");
    record[Carbohydrate] = QStringLiteral(" 炭水化物 :");
    record[Salt_Equivalent] = QStringLiteral("ナトリウム:");
    record[Recycle1_Mark] = QStringLiteral("なし");
    record[Recycle2_Mark] = QStringLiteral("なし");
    return record;
}

QStringList Unit_Options()
{
    return {QStringLiteral("ｇ"), QStringLiteral("ｋｇ"), QStringLiteral("ｍｌ"), QStringLiteral("Ｌ"),
            QStringLiteral("個"), QStringLiteral("本"),   QStringLiteral("組"),   QStringLiteral("枚"),
            QStringLiteral("袋"), QStringLiteral("ｃｃ"), QStringLiteral("匹"),   QStringLiteral("杯"),
            QStringLiteral("房")};
}

QStringList Date_Kind_Options()
{
    return {QStringLiteral("消費期限:"), QStringLiteral("賞味期限:"), QStringLiteral("表示しない")};
}

QStringList Date_Format_Options()
{
    return {QStringLiteral("YYYY年MM月DD日"),
            QStringLiteral("YYYY年MM月DD日hh時mm分"),
            QStringLiteral("YYYY年MM月DD日 hh:mm"),
            QStringLiteral("YYYY年MM月DD日hh時mm分ss秒"),
            QStringLiteral("YYYY年MM月DD日hh:mm:ss"),
            QStringLiteral("YYYY年M月D日"),
            QStringLiteral("YY年MM月DD日"),
            QStringLiteral("YY年M月D日"),
            QStringLiteral("YYYY/MM/DD hh:mm:ss"),
            QStringLiteral("YYYY/MM/DD hh:mm"),
            QStringLiteral("YYYY/MM/DD"),
            QStringLiteral("YYYY/M/D"),
            QStringLiteral("YY/MM/DD"),
            QStringLiteral("YYYY.MM.DD"),
            QStringLiteral("YYYY.M.D"),
            QStringLiteral("YY.MM.DD"),
            QStringLiteral("YY.M.D"),
            QStringLiteral("YY/M/D hh:mm"),
            QStringLiteral("YY/M/D"),
            QStringLiteral("GGGE年MM月DD日"),
            QStringLiteral("GGGE年M月D日"),
            QStringLiteral("全角)YYYY年MM月DD日"),
            QStringLiteral("全角)YYYY年MM月DD日hh時mm分"),
            QStringLiteral("全角)YYYY年MM月DD日 hh:mm"),
            QStringLiteral("全角)YYYY年MM月DD日hh時mm分ss秒"),
            QStringLiteral("全角)YYYY年MM月DD日hh:mm:ss"),
            QStringLiteral("全角)YYYY年M月D日"),
            QStringLiteral("全角)YY年MM月DD日 hh:mm:ss"),
            QStringLiteral("全角)YY年MM月DD日 hh:mm"),
            QStringLiteral("全角)YY年MM月DD日"),
            QStringLiteral("全角)YY年M月D日"),
            QStringLiteral("全角)YYYY/MM/DD"),
            QStringLiteral("全角)YYYY/M/D"),
            QStringLiteral("全角)YY/MM/DD"),
            QStringLiteral("全角)YY/M/D"),
            QStringLiteral("全角)YYYY.MM.DD"),
            QStringLiteral("全角)YYYY.M.D"),
            QStringLiteral("全角)YY.MM.DD"),
            QStringLiteral("全角)YY.M.D hh:mm"),
            QStringLiteral("全角)YY.M.D"),
            QStringLiteral("全角)GGGE年MM月DD日"),
            QStringLiteral("全角)GGGE年M月D日")};
}

QStringList Date_Elsewhere_Options()
{
    QStringList options;
    for (const QString& side :
         {QStringLiteral("枠外"), QStringLiteral("表面"), QStringLiteral("裏面"), QStringLiteral("側面")})
        for (const QString& place :
             {QStringLiteral("上部"), QStringLiteral("下部"), QStringLiteral("左部"), QStringLiteral("右部")})
            options << side + place + QStringLiteral("に記載");
    return options;
}

QStringList Recycle_Mark_Options()
{
    return {QStringLiteral("なし"), QStringLiteral("プラ"), QStringLiteral("紙")};
}

QString Normalize_Add_Days(const QString& text)
{
    QString number = layouts::Normalize_Layout_Number(store::To_Half_Width(text));
    if (number.startsWith(QLatin1Char('-')))
        number.remove(0, 1);
    return number;
}

namespace {

bool Is_Separator(QChar c)
{
    return c == QLatin1Char(':') || c == QChar(0xFF1A);
}

bool Holds_Separator(const QString& text)
{
    return text.contains(QLatin1Char(':')) || text.contains(QChar(0xFF1A));
}

}  // namespace

QString With_Caption_Colon(const QString& text)
{
    const qsizetype colon = std::find_if(text.begin(), text.end(), Is_Separator) - text.begin();
    if (colon <= 0 || colon >= text.size() || text.at(colon) == QLatin1Char(':'))
        return text;
    QString result = text;
    result[colon] = QLatin1Char(':');
    return result;
}

bool Ends_With_Separator(const QString& text)
{
    return !text.isEmpty() && Is_Separator(text.back());
}

bool Removes_Item_Separator(const QString& text, int cursor, int selection_start, int selection_length, Delete_Key key)
{
    if (selection_length > 0)
        return Holds_Separator(text.mid(selection_start, selection_length));
    const int at = key == Delete_Key::Backspace ? cursor - 1 : cursor;
    return at >= 0 && at < text.size() && Is_Separator(text.at(at));
}

}  // namespace products
