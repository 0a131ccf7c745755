#include "recipes/proposals.h"

#include <QRegularExpression>

#include <algorithm>

namespace recipes {
namespace {

// Printed names of foods whose table name is a kind or a reading rather than
// what a label calls them.
struct Printed_Name {
    const char16_t* word;
    const char16_t* printed;
};
constexpr Printed_Name kPrintedNames[] = {
    {u"上白糖", u"砂糖"},
    {u"グラニュー糖", u"砂糖"},
    {u"三温糖", u"砂糖"},
    {u"車糖", u"砂糖"},
    {u"こむぎ", u"小麦"},
    {u"こめ", u"米"},
    {u"だいず", u"大豆"},
    {u"あずき", u"小豆"},
    {u"鶏卵", u"鶏卵"},
    {u"有塩バター", u"バター"},
    {u"食塩不使用バター", u"バター"},
    {u"うるち米", u"米"},
    {u"精製塩", u"食塩"},
    {u"並塩", u"食塩"},
};

bool Has_Kanji_Or_Kana(const QString& word)
{
    return std::any_of(word.begin(), word.end(), [](QChar c) { return c.unicode() >= 0x3040; });
}

}  // namespace

QStringList Propose_Allergens(const QString& text, const Allergen_Dictionary& dictionary)
{
    return dictionary.Allergens_In(text);
}

bool Names_Allergen(const QString& text, const QString& allergen, const Allergen_Dictionary& dictionary)
{
    return dictionary.Allergens_Named_In(text).contains(allergen);
}

QString Declared_Allergen_Name(const QString& allergen)
{
    return allergen == QStringLiteral("乳") ? QStringLiteral("乳成分") : allergen;
}

QString Propose_Label_Name(const QString& food_name)
{
    // A kind in square brackets that names the food itself ("[小麦粉]") is its name.
    static const QRegularExpression kind(QStringLiteral("\\[([^\\]]+粉)\\]"));
    if (const QRegularExpressionMatch match = kind.match(food_name); match.hasMatch())
        return match.captured(1);
    QString name = food_name;
    name.remove(QRegularExpression(QStringLiteral("<[^>]*>|\\([^)]*\\)|\\[[^\\]]*\\]|（[^）]*）")));
    const QStringList words = name.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        for (const Printed_Name& printed : kPrintedNames) {
            if (word == QString::fromUtf16(printed.word))
                return QString::fromUtf16(printed.printed);
        }
    }
    for (const QString& word : words) {
        if (Has_Kanji_Or_Kana(word))
            return word;
    }
    return food_name.simplified();
}

Material Material_From_Food(const Food& food, const Allergen_Dictionary& dictionary)
{
    Material material;
    material.code = food.id;
    material.name = food.name;
    material.label_name = Propose_Label_Name(food.name);
    material.allergens = Propose_Allergens(food.name + QLatin1Char(' ') + material.label_name, dictionary);
    return material;
}

}  // namespace recipes
