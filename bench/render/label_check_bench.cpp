// Checking a label (composing it onto a recording and deriving every finding,
// the allergen list included) for each built-in layout with the filled product
// at 203 dpi: it runs on every preview, so it has to stay well under a millisecond.
#include "label_fixtures.h"
#include "layouts/default_layouts.h"
#include "render/label_check.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_Check_Label(benchmark::State& state)
{
    static QTemporaryDir folder;
    const QString data = folder.path() + QLatin1Char('/');
    static const bool copied = render_fixtures::Copy_Mark_Pictures(data);
    if (!copied) {
        state.SkipWithError("mark pictures not copied");
        return;
    }
    const layouts::Layout_Record& layout = layouts::Default_Layouts().at(static_cast<size_t>(state.range(0))).record;
    const products::Product_Record product = render_fixtures::Filled_Product();
    const render::Issue_Values issue = render_fixtures::Filled_Issue();
    render::Check_Context context;
    context.settings = store::Default_Settings();
    context.data_folder = data;
    context.allergens = products::Allergen_Dictionary::Load(QStringLiteral(FOODLABEL_REFERENCE_FOLDER), {});
    render::Label_Resources resources;  // shared by the labels checked before a print run
    context.resources = &resources;
    for (auto _ : state)
        benchmark::DoNotOptimize(render::Check_Label(product, layout, issue, context));
}
BENCHMARK(BM_Check_Label)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
