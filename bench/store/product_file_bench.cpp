// Product-file operations on 9999 filled records (24 MB). Each operation is
// timed beside its floors in the same run, turn about in its first iterations,
// so that the ratio holds on a busy machine: a plain read of the file for the
// queries; for the operations that rewrite it, a plain read and rewrite of the
// same bytes, and the floor that a safe rewrite cannot go below (read, write
// the same bytes to a temporary file, fsync it, rename it over the file).
// Counters: "<floor>_ms" each floor's mean, "x_<floor>" the operation's time
// over it; "x_<floor>_cpu" the same for the CPU time of the thread, which a
// busy machine does not inflate as it does the wall-clock times; "cpu_ms" and
// "<floor>_cpu_ms" those CPU times.
#include "app/startup.h"
#include "fixtures/full_product_file.h"
#include "fixtures/timing.h"
#include "products/product_file.h"
#include "products/product_list.h"
#include "support/scripted_answerer.h"
#include "support/temp_folder.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

#include <unistd.h>

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

// The file read into a buffer of its size in one system call: the cheapest
// read there is (QFile::readAll reads through blocks of its own, at several
// times the cost of the copy).
QByteArray Plain_Read()
{
    QFile in(File().Path());
    in.open(QIODevice::ReadOnly);
    QByteArray bytes(in.size(), Qt::Uninitialized);
    const ssize_t read = ::read(in.handle(), bytes.data(), size_t(bytes.size()));
    bytes.resize(std::max<qsizetype>(read, 0));
    return bytes;
}

void Plain_Read_And_Rewrite()
{
    const QByteArray bytes = Plain_Read();
    QFile out(File().dir.File(QStringLiteral("copy.tmp")));
    out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    out.write(bytes);
}

// What any safe rewrite of the file must do: read it, write the same bytes to
// a temporary file, put them on the disk and rename the temporary file over it.
void Safe_Rewrite_Floor()
{
    const QByteArray bytes = Plain_Read();
    const QString temporary = File().dir.File(QStringLiteral("floor.tmp"));
    QFile out(temporary);
    out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    out.write(bytes);
    out.flush();
    ::fsync(out.handle());
    out.close();
    std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(File().Path()).constData());
}

using bench_support::Seconds;
using bench_support::Times;
using bench_support::Wall_And_Cpu;
using Floors = std::vector<std::pair<std::string, std::function<void()>>>;

// Times `operation` (the reported time) and, in its first iterations, each
// floor in turn; `reset` runs untimed after the operation.
void Beside_Floors(benchmark::State& state, const std::function<void()>& operation, const Floors& floors,
                   const std::function<void()>& reset = {})
{
    constexpr int kFloorRuns = 30;  // enough for a mean; fast operations run thousands of times
    File();                         // made before the first timing
    Times operation_total;
    std::vector<Times> floor_totals(floors.size());
    int floor_runs = 0;
    const auto add = [](Times& total, const Times& times) {
        total.wall += times.wall;
        total.cpu += times.cpu;
    };
    for (auto _ : state) {
        const Times times = Wall_And_Cpu(operation);
        state.SetIterationTime(times.wall);
        add(operation_total, times);
        if (reset)
            reset();
        if (floor_runs < kFloorRuns) {
            for (size_t i = 0; i < floors.size(); ++i)
                add(floor_totals[i], Wall_And_Cpu(floors[i].second));
            ++floor_runs;
        }
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["cpu_ms"] = operation_total.cpu / iterations * 1000;
    for (size_t i = 0; i < floors.size(); ++i) {
        const Times& floor = floor_totals[i];
        state.counters[floors[i].first + "_ms"] = floor.wall / floor_runs * 1000;
        state.counters["x_" + floors[i].first] = operation_total.wall / iterations / (floor.wall / floor_runs);
        state.counters[floors[i].first + "_cpu_ms"] = floor.cpu / floor_runs * 1000;
        state.counters["x_" + floors[i].first + "_cpu"] = operation_total.cpu / iterations / (floor.cpu / floor_runs);
    }
}

void Beside_Floor(benchmark::State& state, const std::function<void()>& operation, const std::function<void()>& floor)
{
    Beside_Floors(state, operation, {{"floor", floor}});
}

// The floors of an operation that rewrites the file.
const Floors kRewriteFloors = {{"plain_rewrite", Plain_Read_And_Rewrite}, {"safe_floor", Safe_Rewrite_Floor}};

void BM_Store_Product_Replace(benchmark::State& state)
{
    test_support::Scripted_Answerer answerer;
    Beside_Floors(
        state,
        [&] {
            answerer.answers = {true};
            products::Product_Record r = bench_support::Full_Product(5000);
            products::Store_Product(File().Folder(), r, answerer);
        },
        kRewriteFloors);
}

void BM_Delete_Product(benchmark::State& state)
{
    Beside_Floors(
        state, [] { products::Delete_Product(File().Folder(), QStringLiteral("5000")); }, kRewriteFloors,
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
