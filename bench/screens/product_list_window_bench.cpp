// Opening the product list window (S_List) until it is shown and painted, with
// a product file of 2 products (the floor) and of 9999 filled ones, on the
// offscreen platform unless another is set.
#include "fixtures/full_product_file.h"
#include "products/product_file.h"
#include "screens/products/s_list.h"
#include "support/screen_support.h"

#include <QApplication>
#include <QListWidget>

#include <benchmark/benchmark.h>

namespace {

void BM_Open_Product_List(benchmark::State& state)
{
    maintenance_test::Session_Fixture fixture;
    fixture.application.Write(products::kProductFileName,
                              bench_support::Full_Product_File(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        auto* window = new screens::S_List(fixture.session);
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
