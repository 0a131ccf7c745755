#pragma once
// Materials (材料): the foods of the composition table a shop uses and its own
// materials (a bought こしあん, a flavouring), each with the name it is printed
// under in 原材料名, its allergens and, for its own, the values per 100 g from
// the supplier's sheet, its own ingredient list, whether it is an additive and
// its origin. Kept in "材料_v2.tsv" in the data folder, one material a line.
#include "recipes/data_lines.h"
#include "recipes/food_table.h"
#include "store/outcome.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace recipes {

inline const QString kMaterialsFileName = QStringLiteral("材料_v2.tsv");
inline const QString kMaterialsTempName = QStringLiteral("材料_v2.tmp");
// Codes of the shop's own materials start with this letter; a table food's code is its 食品番号.
inline const QChar kOwnCodeLetter = QLatin1Char('U');

struct Material {
    QString code;            // 食品番号 ("01015") or an own code ("U0001")
    QString name;            // the table's name, or the shop's own name
    QString label_name;      // printed in 原材料名 (for an additive: its name after "／")
    QStringList allergens;   // names of the allergen list: "小麦", "卵", "乳" …
    bool additive = false;   // 添加物
    QString ingredients;     // an own material's ingredient list: "小豆、砂糖、水あめ"
    QString origin;          // 原料原産地, "" when not known
    Nutrient_Values values;  // an own material's values per 100 g (a table food's come from the table)

    bool Is_Own() const { return code.startsWith(kOwnCodeLetter); }
    bool operator==(const Material&) const = default;
};

// The materials file: every material, or the reason it cannot be used
// (a damaged line is named and nothing is written over it).
struct Materials_File {
    std::vector<Material> materials;
    QString error;
    bool ok() const { return error.isEmpty(); }
    const Material* Find(const QString& code) const;
};

Materials_File Read_Materials(const QString& data_folder);

// Adds the materials or replaces those with the same code, keeping the other
// lines as they were; refuses (writing nothing) when the file is damaged or a
// text cannot be stored.
store::Outcome Store_Materials(const QString& data_folder, const std::vector<Material>& materials);
// Removes the material with that code; refuses, naming the products, while a
// recipe uses it.
store::Outcome Delete_Material(const QString& data_folder, const QString& code);

// The next free own code ("U0001" for the first).
QString Next_Own_Code(const std::vector<Material>& materials);

// A line of the file and back (nullopt for a damaged line).
QString Material_Line(const Material& material);
std::optional<Material> Parse_Material_Line(const QString& line);

// Number text as the files and windows write it: no exponent, no trailing
// zeros ("12.5", "0.35", "100"); "" for a value not given.
QString Number_Text(std::optional<double> value);
// A number typed by the user or read from a file: "" is not given; anything
// else must be a plain non-negative decimal number (full-width digits allowed).
std::optional<std::optional<double>> Parse_Amount(const QString& text);

}  // namespace recipes
