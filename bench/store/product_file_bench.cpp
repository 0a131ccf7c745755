// Product-file operations on 9999 filled records, each beside a plain copy of
// the same file (read it, write it elsewhere) as the floor; and a first start.
#include "app/startup.h"
#include "products/product_file.h"
#include "support/scripted_confirmation.h"
#include "support/temp_folder.h"

#include <QFile>

#include <benchmark/benchmark.h>

namespace {

products::Product_Record Filled(int number)
{
    products::Product_Record r;
    for (int c = 1; c <= products::kColumns; ++c)
        r[c] = QStringLiteral("項目%1:国産小麦粉、砂糖、鶏卵、バター、食塩／膨張剤、香料").arg(c);
    r[products::Product_No] = QString::number(number);
    r[products::Layout_Name] = QStringLiteral("標準01 65x45");
    r[products::Barcode] = QStringLiteral("4901234567894");
    return r;
}

struct Full_File {
    test_support::Temp_Folder dir;
    QByteArray bytes;
    Full_File()
    {
        QStringList lines{products::kProductVersionLine};
        for (int n = 1; n <= 9999; ++n)
            lines << products::Join_Product_Line(Filled(n));
        bytes = test_support::Cp932_Lines(lines);
        Restore();
    }
    void Restore() const { dir.Write(products::kProductFileName, bytes); }
    QString Folder() const { return dir.Data_Folder(); }
};

Full_File& File()
{
    static Full_File file;
    return file;
}

void BM_Plain_Copy(benchmark::State& state)
{
    Full_File& f = File();
    for (auto _ : state) {
        QFile in(f.dir.File(products::kProductFileName));
        in.open(QIODevice::ReadOnly);
        const QByteArray bytes = in.readAll();
        QFile out(f.dir.File(QStringLiteral("copy.tmp")));
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(bytes);
    }
    state.counters["bytes"] = static_cast<double>(f.bytes.size());
}

void BM_Store_Product_Replace(benchmark::State& state)
{
    Full_File& f = File();
    test_support::Scripted_Confirmation ui;
    for (auto _ : state) {
        ui.answers = {true};
        products::Product_Record r = Filled(5000);
        products::Store_Product(f.Folder(), r, ui);
    }
}

void BM_Delete_Product(benchmark::State& state)
{
    Full_File& f = File();
    test_support::Scripted_Confirmation ui;
    for (auto _ : state) {
        products::Delete_Product(f.Folder(), QStringLiteral("5000"));
        state.PauseTiming();
        f.Restore();
        state.ResumeTiming();
    }
}

void BM_Find_Product(benchmark::State& state)
{
    Full_File& f = File();
    for (auto _ : state)
        benchmark::DoNotOptimize(products::Find_Product(f.Folder(), QStringLiteral("9999")));
}

void BM_Next_Product_No(benchmark::State& state)
{
    Full_File& f = File();
    for (auto _ : state)
        benchmark::DoNotOptimize(products::Next_Product_No(f.Folder()));
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

BENCHMARK(BM_Plain_Copy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Store_Product_Replace)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Delete_Product)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find_Product)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Next_Product_No)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_First_Start)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
