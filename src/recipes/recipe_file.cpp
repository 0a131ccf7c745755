#include "recipes/recipe_file.h"

#include "products/product_file.h"
#include "products/product_record.h"
#include "recipes/data_lines.h"
#include "recipes/materials.h"
#include "store/cp932.h"
#include "store/text_helpers.h"

#include <QDir>
#include <QFileInfo>

namespace recipes {
namespace {

constexpr int kHeadFields = 6;
const QString kPerPiece = QStringLiteral("1個");
const QString kPer100g = QStringLiteral("100g");
const QString kSummary = QStringLiteral("一括表示");
const QString kIndividual = QStringLiteral("個別表示");

bool Valid_Recipe_Line(const QString& line)
{
    return Parse_Recipe_Line(line).has_value();
}

std::optional<double> Amount(const QString& text)
{
    const std::optional<std::optional<double>> amount = Parse_Amount(text);
    if (!amount)
        return std::nullopt;
    return amount->value_or(0);
}

}  // namespace

const Recipe* Recipes_File::Find(const QString& product_no) const
{
    const QString key = products::Format_Product_No(product_no);
    for (const Recipe& recipe : recipes) {
        if (recipe.product_no == key)
            return &recipe;
    }
    return nullptr;
}

QString Recipe_Line_Text(const Recipe& r)
{
    QStringList fields = {products::Format_Product_No(r.product_no),
                          Number_Text(r.batch_grams),
                          r.unit == Sale_Unit::Per_100g ? kPer100g : kPerPiece,
                          QString::number(r.pieces),
                          Number_Text(r.piece_grams),
                          r.allergen_form == Allergen_Form::Individual ? kIndividual : kSummary};
    for (const Recipe_Line& line : r.lines)
        fields << store::Strip_Control_Chars(line.code) << Number_Text(line.grams);
    return fields.join(QLatin1Char('\t'));
}

std::optional<Recipe> Parse_Recipe_Line(const QString& line)
{
    const QStringList fields = line.split(QLatin1Char('\t'));
    if (fields.size() < kHeadFields || (fields.size() - kHeadFields) % 2 != 0)
        return std::nullopt;
    Recipe r;
    r.product_no = fields[0];
    bool pieces_ok = false;
    r.pieces = fields[3].toInt(&pieces_ok);
    const std::optional<double> batch = Amount(fields[1]);
    const std::optional<double> piece = Amount(fields[4]);
    const bool unit_ok = fields[2] == kPerPiece || fields[2] == kPer100g;
    const bool form_ok = fields[5] == kSummary || fields[5] == kIndividual;
    if (r.product_no.size() != 4 || r.product_no != products::Format_Product_No(r.product_no) || !batch || !piece
        || !pieces_ok || r.pieces < 0 || !unit_ok || !form_ok)
        return std::nullopt;
    r.batch_grams = *batch;
    r.piece_grams = *piece;
    r.unit = fields[2] == kPer100g ? Sale_Unit::Per_100g : Sale_Unit::Per_Piece;
    r.allergen_form = fields[5] == kIndividual ? Allergen_Form::Individual : Allergen_Form::Summary;
    for (qsizetype n = kHeadFields; n < fields.size(); n += 2) {
        const QString code = store::Strip_Control_Chars(fields[n]);  // as it is written back
        const std::optional<double> grams = Amount(fields[n + 1]);
        if (code.isEmpty() || !grams)
            return std::nullopt;
        r.lines.push_back({code, *grams});
    }
    return r;
}

Recipes_File Read_Recipes(const QString& data_folder)
{
    Recipes_File file;
    const Data_Lines lines = Read_Data_Lines(data_folder, kRecipesFileName, Valid_Recipe_Line);
    file.error = lines.error;
    for (const QString& line : lines.records)
        file.recipes.push_back(*Parse_Recipe_Line(line));
    return file;
}

std::optional<Recipe> Find_Recipe(const QString& data_folder, const QString& product_no, QString* error)
{
    const Recipes_File file = Read_Recipes(data_folder);
    if (!file.ok() && error)
        *error = file.error;
    if (const Recipe* recipe = file.Find(product_no))
        return *recipe;
    return std::nullopt;
}

store::Outcome Store_Recipe(const QString& data_folder, const Recipe& recipe)
{
    const QString failed = QStringLiteral("配合を保存できません");
    if (store::Lenient_Int(recipe.product_no) <= 0)
        return store::Outcome::Failed({failed, QStringLiteral("(登録番号が異常です)")});
    const QString key = products::Format_Product_No(recipe.product_no);
    const QString text = Recipe_Line_Text(recipe);
    const QString unencodable = store::First_Unencodable(text);
    if (!unencodable.isEmpty())
        return store::Outcome::Failed({failed, store::Unencodable_Message(unencodable)});
    return Change_Data_Lines(data_folder, kRecipesFileName, kRecipesTempName, Valid_Recipe_Line, failed,
                             [&](QStringList& records) {
                                 qsizetype at = 0;
                                 while (at < records.size() && records[at].left(4) < key)
                                     ++at;
                                 if (at < records.size() && records[at].left(4) == key)
                                     records[at] = text;
                                 else
                                     records.insert(at, text);
                             });
}

store::Outcome Delete_Recipe(const QString& data_folder, const QString& product_no)
{
    const QString key = products::Format_Product_No(product_no);
    return Change_Data_Lines(
        data_folder, kRecipesFileName, kRecipesTempName, Valid_Recipe_Line, QStringLiteral("配合を削除できません"),
        [&key](QStringList& records) { records.removeIf([&](const QString& l) { return l.left(4) == key; }); });
}

store::Outcome Delete_Product_And_Recipe(const QString& data_folder, const QString& product_no)
{
    const store::Outcome deleted = products::Delete_Product(data_folder, product_no);
    if (!deleted.Is_Done() || !QFileInfo::exists(QDir(data_folder).filePath(kRecipesFileName)))
        return deleted;
    if (const store::Outcome recipe = Delete_Recipe(data_folder, product_no); !recipe.Is_Done())
        return store::Outcome::Done_With_Problem(deleted.lines + recipe.lines);
    return deleted;
}

}  // namespace recipes
