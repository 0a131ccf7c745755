// Opening the product list window (S_List) until it is shown and painted, with
// a product file of 2 products (the floor) and of 9999 filled ones, on the
// offscreen platform unless another is set.
#include "products/product_file.h"
#include "screens/products/s_list.h"
#include "support/screen_support.h"

#include <QApplication>
#include <QListWidget>

#include <benchmark/benchmark.h>

namespace {

products::Product_Record Filled(int number)
{
    products::Product_Record r;
    for (int c = 1; c <= products::kColumns; ++c)
        r[c] = QStringLiteral("項目%1:国産小麦粉、砂糖、鶏卵、バター、食塩／膨張剤、香料").arg(c);
    r[products::Product_No] = QString::number(number);
    r[products::Layout_Name] = QStringLiteral("標準01 65x45");
    r[products::Product_Name] = QStringLiteral("品名:焼き菓子%1号").arg(number);
    return r;
}

void BM_Open_Product_List(benchmark::State& state)
{
    maintenance_test::Session_Fixture fixture;
    QStringList lines{products::kProductVersionLine};
    for (int n = 1; n <= state.range(0); ++n)
        lines << products::Join_Product_Line(Filled(n));
    fixture.application.Write(products::kProductFileName, test_support::Cp932_Lines(lines));
    for (auto _ : state) {
        auto* window = new products::S_List;
        window->show();
        window->repaint();
        QApplication::processEvents();
        if (window->List1->count() != state.range(0))
            state.SkipWithError("the list does not hold every product");
        state.PauseTiming();
        delete window;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_Open_Product_List)->Arg(2)->Arg(9999)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
