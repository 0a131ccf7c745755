#pragma once
// A product's recipe read from the data folder and computed with the
// materials, the composition table and the allergen list: what the command
// line, the recipe window and the label check start from.
#include "layouts/layout_record.h"
#include "recipes/recipe_label.h"
#include "render/label_check.h"

#include <QString>

#include <optional>

namespace recipes {

struct Product_Recipe {
    std::optional<Recipe> recipe;  // none: the product has no recipe
    Recipe_Label label;
    QString error;  // a file or the table could not be read
    bool ok() const { return error.isEmpty(); }
};

// The allergen list and dictionary beside the program (copies in the data
// folder take precedence); nullopt, with `error` set, when they cannot be read.
std::optional<Allergen_Dictionary> Read_Allergen_Dictionary(const QString& program_folder, const QString& data_folder,
                                                            QString* error = nullptr);

// The composition table for the folders (Food_Table_Folder), read on first use into `tables`.
const Food_Table* Composition_Table(const Food_Tables& tables, const QString& program_folder,
                                    const QString& data_folder, QString* error = nullptr);

// The materials whose name, printed name or reading holds every word of the
// query: the shop's registered materials first, then the table's other foods
// with their proposed printed name, at most `limit` in all. The allergens of
// a food not registered are proposed when it is taken (Taken_Material), not
// for every food found, so that a search stays quick at every keystroke.
std::vector<Material> Find_Materials(const QString& query, const std::vector<Material>& registered,
                                     const Food_Table* table, int limit = 200);

// The material as it goes into a recipe or the materials window: a registered
// one as it is, a food of the table as first proposed (Material_From_Food).
Material Taken_Material(const Material& found, const std::vector<Material>& registered, const Food_Table* table,
                        const Allergen_Dictionary& dictionary);

// What of the computed items would not fit the product's label: parts of the
// main column (原材料名) or of the nutrition table that the changed product
// puts outside the label and the product as it is does not. Each line names
// the item and what the label check finds, on labels printed at `now`.
QStringList Fit_Problems(const products::Product_Record& before, const products::Product_Record& after,
                         const layouts::Layout_Record& layout, const render::Check_Context& context,
                         const QDateTime& now);

// Reads the product's recipe and computes it. The table is read only when the
// recipe uses a food of it, and kept in `tables`.
Product_Recipe Compute_Product_Recipe(const QString& data_folder, const QString& program_folder,
                                      const QString& product_no, const Food_Tables& tables);

}  // namespace recipes
