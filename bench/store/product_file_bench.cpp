// Product-file operations on 9999 filled records (24 MB). Each operation is
// timed beside its floor in the same run, turn about in its first iterations,
// so that the ratio holds on a busy machine: a plain read of the file for the queries, a plain
// read and rewrite of the same bytes for the operations that rewrite it.
// Counters: "floor_ms" the floor's mean, "x_floor" the operation's time over it.
#include "app/startup.h"
#include "fixtures/full_product_file.h"
#include "fixtures/timing.h"
#include "products/product_file.h"
#include "products/product_list.h"
#include "support/scripted_confirmation.h"
#include "support/temp_folder.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

struct Full_File {
    test_support::Temp_Folder dir;
    QByteArray bytes;
    Full_File()
    {
        bytes = bench_support::Full_Product_File(9999);
        Restore();
    }
    void Restore() const { dir.Write(products::kProductFileName, bytes); }
    QString Folder() const { return dir.Data_Folder(); }
    QString Path() const { return dir.File(products::kProductFileName); }
};

Full_File& File()
{
    static Full_File file;
    return file;
}

QByteArray Plain_Read()
{
    QFile in(File().Path());
    in.open(QIODevice::ReadOnly);
    return in.readAll();
}

void Plain_Read_And_Rewrite()
{
    const QByteArray bytes = Plain_Read();
    QFile out(File().dir.File(QStringLiteral("copy.tmp")));
    out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    out.write(bytes);
}

using bench_support::Seconds;

// Times `operation` (the reported time) and, in its first iterations, `floor`
// in turn; `reset` runs untimed after the operation.
void Beside_Floor(benchmark::State& state, const std::function<void()>& operation, const std::function<void()>& floor,
                  const std::function<void()>& reset = {})
{
    constexpr int kFloorRuns = 30;  // enough for a mean; fast operations run thousands of times
    File();  // made before the first timing
    double operation_total = 0;
    double floor_total = 0;
    int floor_runs = 0;
    for (auto _ : state) {
        const double seconds = Seconds(operation);
        state.SetIterationTime(seconds);
        operation_total += seconds;
        if (reset)
            reset();
        if (floor_runs < kFloorRuns) {
            floor_total += Seconds(floor);
            ++floor_runs;
        }
    }
    const double operation_mean = operation_total / static_cast<double>(state.iterations());
    const double floor_mean = floor_total / floor_runs;
    state.counters["floor_ms"] = floor_mean * 1000;
    state.counters["x_floor"] = operation_mean / floor_mean;
}

void BM_Store_Product_Replace(benchmark::State& state)
{
    test_support::Scripted_Confirmation ui;
    Beside_Floor(
        state,
        [&] {
            ui.answers = {true};
            products::Product_Record r = bench_support::Full_Product(5000);
            products::Store_Product(File().Folder(), r, ui);
        },
        Plain_Read_And_Rewrite);
}

void BM_Delete_Product(benchmark::State& state)
{
    Beside_Floor(
        state, [] { products::Delete_Product(File().Folder(), QStringLiteral("5000")); }, Plain_Read_And_Rewrite,
        [] { File().Restore(); });
}

void BM_Find_Product(benchmark::State& state)
{
    const QString number = QString::number(state.range(0));
    Beside_Floor(
        state, [&] { benchmark::DoNotOptimize(products::Find_Product(File().Folder(), number)); },
        [] { benchmark::DoNotOptimize(Plain_Read()); });
}

void BM_Next_Product_No(benchmark::State& state)
{
    Beside_Floor(
        state, [] { benchmark::DoNotOptimize(products::Next_Product_No(File().Folder())); },
        [] { benchmark::DoNotOptimize(Plain_Read()); });
}

void BM_Full_Product_List(benchmark::State& state)
{
    Beside_Floor(
        state, [] { benchmark::DoNotOptimize(products::Full_Product_List(File().Folder())); },
        [] { benchmark::DoNotOptimize(Plain_Read()); });
}

// A name that one product holds, words that every product holds, a word none holds.
void BM_Search_Product_List(benchmark::State& state)
{
    static const QString kSearches[] = {QStringLiteral("焼き菓子5000号"), QStringLiteral("小麦粉 バター"),
                                        QStringLiteral("チョコレート")};
    const QString& search = kSearches[state.range(0)];
    state.SetLabel(search.toStdString());
    Beside_Floor(
        state, [&] { benchmark::DoNotOptimize(products::Search_Product_List(File().Folder(), search)); },
        [] { benchmark::DoNotOptimize(Plain_Read()); });
}

void BM_First_Start(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        test_support::Temp_Folder dir;
        store::Folder_Context context;
        context.application_folder = dir.Path();
        state.ResumeTiming();
        benchmark::DoNotOptimize(app::Prepare_Data(context));
    }
}

}  // namespace

BENCHMARK(BM_Store_Product_Replace)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Delete_Product)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find_Product)->Arg(1)->Arg(5000)->Arg(9999)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Next_Product_No)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Full_Product_List)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search_Product_List)->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_First_Start)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
