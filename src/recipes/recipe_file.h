#pragma once
// The recipe (配合) of a product: its materials with their weights in grams,
// the weight of the finished batch, and how the product is sold (per piece or
// per 100 g). Kept in "配合_v2.tsv" in the data folder, one product a line,
// keyed by 登録番号; the product file itself stays as the Windows version has it.
#include "store/outcome.h"

#include <QString>

#include <optional>
#include <vector>

namespace recipes {

inline const QString kRecipesFileName = QStringLiteral("配合_v2.tsv");
inline const QString kRecipesTempName = QStringLiteral("配合_v2.tmp");

enum class Sale_Unit { Per_Piece, Per_100g };
enum class Allergen_Form { Summary, Individual };  // 一括表示 / 個別表示

struct Recipe_Line {
    QString code;  // the material's code
    double grams = 0;
    bool operator==(const Recipe_Line&) const = default;
};

struct Recipe {
    QString product_no;  // four digits
    std::vector<Recipe_Line> lines;
    double batch_grams = 0;  // weight of the finished batch; 0: the materials' total (no loss)
    Sale_Unit unit = Sale_Unit::Per_Piece;
    int pieces = 0;          // pieces per batch (per piece, when no piece weight is given)
    double piece_grams = 0;  // weight of one piece (per piece; takes precedence over pieces)
    Allergen_Form allergen_form = Allergen_Form::Summary;
    bool operator==(const Recipe&) const = default;
};

struct Recipes_File {
    std::vector<Recipe> recipes;
    QString error;  // the file is damaged: its line is named, and nothing is written over it
    bool ok() const { return error.isEmpty(); }
    const Recipe* Find(const QString& product_no) const;
};

Recipes_File Read_Recipes(const QString& data_folder);
// The recipe of the product (登録番号 as typed, "12" = "0012"), nullopt when it has none;
// `error` is set when the file cannot be read.
std::optional<Recipe> Find_Recipe(const QString& data_folder, const QString& product_no, QString* error = nullptr);

// Adds the recipe or replaces the product's, keeping the lines in the order of
// their numbers; the other lines stay as they were.
store::Outcome Store_Recipe(const QString& data_folder, const Recipe& recipe);
store::Outcome Delete_Recipe(const QString& data_folder, const QString& product_no);
// Deletes the product and its recipe, so that a product registered later under
// the number does not inherit the recipe.
store::Outcome Delete_Product_And_Recipe(const QString& data_folder, const QString& product_no);

QString Recipe_Line_Text(const Recipe& recipe);
std::optional<Recipe> Parse_Recipe_Line(const QString& line);

}  // namespace recipes
