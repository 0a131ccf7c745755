// The composition table's first load, the material search as the user types
// (one search per keystroke), and the computation of a 40-material recipe.
// Goals: first load <= 50 ms, a keystroke <= 5 ms, a 40-material recipe <= 1 ms.
#include "recipes/product_recipe.h"

#include <benchmark/benchmark.h>

namespace {

const QString kTableFolder = QStringLiteral(RESOURCES_DIR "/food-composition-2020");

const recipes::Food_Table& Table()
{
    static const recipes::Food_Tables tables;
    static const recipes::Food_Table* table = tables.Of_Folder(kTableFolder);
    return *table;
}

const recipes::Allergen_Dictionary& Dictionary()
{
    static const recipes::Allergen_Dictionary dictionary =
        *recipes::Allergen_Dictionary::Load(QStringLiteral(RESOURCES_DIR), QStringLiteral(RESOURCES_DIR));
    return dictionary;
}

// Forty table foods spread over the table, each proposed as a material.
std::vector<recipes::Material> Forty_Materials()
{
    std::vector<recipes::Material> materials;
    const auto& foods = Table().Foods();
    for (size_t n = 0; n < 40; ++n)
        materials.push_back(recipes::Material_From_Food(foods[n * foods.size() / 40], Dictionary()));
    return materials;
}

void BM_Table_First_Load(benchmark::State& state)
{
    for (auto _ : state) {
        std::optional<recipes::Food_Table> table = recipes::Food_Table::Read(kTableFolder);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_Table_First_Load)->Unit(benchmark::kMillisecond);

// Each keystroke of a query searches the registered materials and the whole table again.
void BM_Search_Per_Keystroke(benchmark::State& state)
{
    static const QStringList typed[] = {
        {QStringLiteral("は"), QStringLiteral("はく"), QStringLiteral("はくり"), QStringLiteral("はくりき")},
        {QStringLiteral("ト"), QStringLiteral("トマ"), QStringLiteral("トマト")},
        {QStringLiteral("鶏"), QStringLiteral("鶏卵"), QStringLiteral("鶏卵 全"), QStringLiteral("鶏卵 全卵")},
    };
    const QStringList& keystrokes = typed[state.range(0)];
    const std::vector<recipes::Material> registered = Forty_Materials();
    Table();
    size_t found = 0;
    for (auto _ : state) {
        for (const QString& query : keystrokes)
            found += recipes::Find_Materials(query, registered, &Table(), 100).size();
    }
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(state.iterations() * keystrokes.size());  // keystrokes
}
BENCHMARK(BM_Search_Per_Keystroke)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_Compute_40_Materials(benchmark::State& state)
{
    const std::vector<recipes::Material> materials = Forty_Materials();
    recipes::Recipe recipe;
    recipe.product_no = QStringLiteral("0001");
    for (size_t n = 0; n < materials.size(); ++n)
        recipe.lines.push_back({materials[n].code, 10.0 + static_cast<double>(n)});
    recipe.batch_grams = 1000;
    recipe.pieces = 20;
    for (auto _ : state) {
        recipes::Recipe_Label label = recipes::Compute_Label(recipe, materials, &Table(), Dictionary());
        benchmark::DoNotOptimize(label);
    }
}
BENCHMARK(BM_Compute_40_Materials)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
