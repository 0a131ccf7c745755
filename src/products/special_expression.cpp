#include "products/special_expression.h"

#include <utility>
#include <vector>

namespace products {
namespace {

const std::vector<std::pair<QString, int>>& Title_Table()
{
    static const std::vector<std::pair<QString, int>> table = [] {
        std::vector<std::pair<QString, int>> t = {
            {QStringLiteral("品名の登録"), 1},
            {QStringLiteral("名称の登録"), 2},
            {QStringLiteral("原材料名の登録"), 3},
            {QStringLiteral("追加欄１の登録"), 4},
            {QStringLiteral("追加欄２の登録"), 5},
            {QStringLiteral("内容量の登録"), 6},
            {QStringLiteral("保存方法の登録"), 8},
            {QStringLiteral("追加欄３の登録"), 9},
            {QStringLiteral("追加欄４の登録"), 10},
            {QStringLiteral("責任者の登録"), 11},
            {QStringLiteral("追加欄５の登録"), 12},
            {QStringLiteral("備考１の登録"), 13},
            {QStringLiteral("備考２の登録"), 14},
            {QStringLiteral("表示価格の登録"), 15},
            {QStringLiteral("成分表タイトルの登録"), 17},
            {QStringLiteral("エネルギーの登録"), 18},
            {QStringLiteral("たんぱく質の登録"), 19},
            {QStringLiteral("脂質の登録"), 20},
            {QStringLiteral("炭水化物の登録"), 21},
            {QStringLiteral("食塩相当量の登録"), 22},
        };
        static const QString wide_digits = QStringLiteral("１２３４５６７８９");
        for (int n = 1; n <= 9; ++n)
            t.emplace_back(QStringLiteral("成分追加") + wide_digits.at(n - 1) + QStringLiteral("の登録"), 22 + n);
        t.emplace_back(QStringLiteral("成分追加１０の登録"), 32);
        return t;
    }();
    return table;
}

bool Has_Leading_Tag(const QString& text)
{
    return text.size() >= 3 && text.at(0) == QLatin1Char('<') && text.at(2) == QLatin1Char('>');
}

bool Has_Replaceable_Tag(const QString& text)
{
    if (!Has_Leading_Tag(text))
        return false;
    const QString tag = text.left(3);
    return tag != QStringLiteral("<m>") && tag != QStringLiteral("<M>");
}

}  // namespace

QStringList Item_Titles()
{
    QStringList titles;
    for (const auto& [title, box] : Title_Table())
        titles << title;
    return titles;
}

int Item_Box_Of_Title(const QString& title)
{
    for (const auto& [t, box] : Title_Table())
        if (t == title)
            return box;
    return -1;
}

QString Title_Of_Item_Box(int box)
{
    for (const auto& [title, b] : Title_Table())
        if (b == box)
            return title;
    return {};
}

QString Apply_Special_Expression(const QString& text, Special_Expression option)
{
    if (option == Special_Expression::None)
        return Has_Replaceable_Tag(text) ? text.mid(3) : text;
    const QString tag = option == Special_Expression::Date ? QStringLiteral("<d>") : QStringLiteral("<b>");
    if (Has_Replaceable_Tag(text))
        return tag + text.mid(3);
    return tag + text;
}

Special_Expression Initial_Special_Expression(const QString& text)
{
    if (text.size() > 2 && text.startsWith(QStringLiteral("<d>")))
        return Special_Expression::Date;
    if (text.size() > 2 && text.startsWith(QStringLiteral("<b>")))
        return Special_Expression::Bold;
    return Special_Expression::None;
}

Special_Expression Special_Expression_For_Typing(const QString& text, const QString& typed)
{
    if (text.size() <= 1)
        return Special_Expression::None;
    const QString with_typed = text.left(2) + typed;
    const QString head = text.left(3);
    const auto either = [&](const QString& lower, const QString& upper) {
        return with_typed == lower || with_typed == upper || head == lower || head == upper;
    };
    if (either(QStringLiteral("<d>"), QStringLiteral("<D>")))
        return Special_Expression::Date;
    if (either(QStringLiteral("<b>"), QStringLiteral("<B>")))
        return Special_Expression::Bold;
    return Special_Expression::None;
}

QString Insert_Button_Caption(const QString& text)
{
    QString compact = text;
    compact.remove(QLatin1Char(' '));
    compact.remove(QChar(0x3000));
    return QStringLiteral("｢") + compact.left(10) + QStringLiteral("｣を左枠へ表示");
}

}  // namespace products
