#include "recipes/product_recipe.h"

#include "render/date_stamp.h"

#include <QSet>

#include <algorithm>

namespace recipes {

std::optional<Allergen_Dictionary> Read_Allergen_Dictionary(const QString& program_folder, const QString& data_folder,
                                                            QString* error)
{
    return Allergen_Dictionary::Load(program_folder, data_folder, error);
}

const Food_Table* Composition_Table(const Food_Tables& tables, const QString& program_folder,
                                    const QString& data_folder, QString* error)
{
    return tables.Of_Folder(Food_Table_Folder(program_folder, data_folder), error);
}

std::vector<Material> Find_Materials(const QString& query, const std::vector<Material>& registered,
                                     const Food_Table* table, int limit)
{
    QStringList keys;
    for (const QString& word : query.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        keys << Search_Key(word);
    std::vector<Material> found;
    QSet<QString> codes;
    for (const Material& material : registered) {
        const Food* food = table && !material.Is_Own() ? table->Find(material.code) : nullptr;
        const QString key = Search_Key(material.name) + QLatin1Char('\n') + Search_Key(material.label_name)
            + QLatin1Char('\n') + (food ? food->search_key : QString());
        if (std::all_of(keys.begin(), keys.end(), [&](const QString& k) { return key.contains(k); })) {
            found.push_back(material);
            codes.insert(material.code);
        }
    }
    if (table && !keys.isEmpty()) {
        for (const Food* food : table->Search(query, limit)) {
            if (static_cast<int>(found.size()) >= limit)
                break;
            if (!codes.contains(food->id)) {
                Material proposal;
                proposal.code = food->id;
                proposal.name = food->name;
                proposal.label_name = Propose_Label_Name(food->name);
                found.push_back(std::move(proposal));
            }
        }
    }
    if (static_cast<int>(found.size()) > limit)
        found.resize(limit);
    return found;
}

QStringList Fit_Problems(const products::Product_Record& before, const products::Product_Record& after,
                         const layouts::Layout_Record& layout, const render::Check_Context& context,
                         const QDateTime& now)
{
    const auto outside = [&](const products::Product_Record& product) {
        QStringList messages;
        for (const render::Finding& finding :
             render::Check_Layout(product, layout, render::Preview_Issue(product, now), context)) {
            const bool ours = finding.block == render::Label_Block::Main_Column
                || finding.block == render::Label_Block::Nutrition;
            const bool cut = finding.message.contains(QStringLiteral("はみ出"))
                || finding.message.contains(QStringLiteral("外にあり"));
            if (ours && cut)
                messages << finding.message;
        }
        return messages;
    };
    const QStringList already = outside(before);
    QStringList problems;
    for (const QString& message : outside(after)) {
        if (!already.contains(message))
            problems << QStringLiteral("計算した表示がレイアウト「%1」に収まりません: %2")
                            .arg(after[products::Layout_Name], message);
    }
    return problems;
}

Material Taken_Material(const Material& found, const std::vector<Material>& registered, const Food_Table* table,
                        const Allergen_Dictionary& dictionary)
{
    for (const Material& material : registered) {
        if (material.code == found.code)
            return material;
    }
    const Food* food = table && !found.Is_Own() ? table->Find(found.code) : nullptr;
    return food ? Material_From_Food(*food, dictionary) : found;
}

Product_Recipe Compute_Product_Recipe(const QString& data_folder, const QString& program_folder,
                                      const QString& product_no, const Food_Tables& tables)
{
    Product_Recipe result;
    result.recipe = Find_Recipe(data_folder, product_no, &result.error);
    if (!result.recipe || !result.ok())
        return result;
    const Materials_File materials = Read_Materials(data_folder);
    if (!materials.ok()) {
        result.error = materials.error;
        return result;
    }
    const bool uses_table = std::any_of(result.recipe->lines.begin(), result.recipe->lines.end(),
                                        [&](const Recipe_Line& line) {
                                            const Material* m = materials.Find(line.code);
                                            return m && !m->Is_Own();
                                        });
    const Food_Table* table = uses_table ? Composition_Table(tables, program_folder, data_folder, &result.error)
                                         : nullptr;
    if (uses_table && !table)
        return result;
    const std::optional<Allergen_Dictionary> dictionary = Read_Allergen_Dictionary(program_folder, data_folder);
    result.label = Compute_Label(*result.recipe, materials.materials, table,
                                 dictionary.value_or(Allergen_Dictionary{}));
    return result;
}

}  // namespace recipes
