// The print history at ten years of 100 jobs a day (365 000 lines): reading it
// as the history window opens (newest first, unfiltered), and filtering it by
// product number, 品名 words and a range of days. Goal: under 200 ms each.
#include "printing/print_history.h"
#include "store/cp932.h"
#include "support/temp_folder.h"

#include <benchmark/benchmark.h>

#include <QDateTime>

namespace {

constexpr int kJobs = 365000;

const QStringList kNames = {QStringLiteral("品名:苺のショートケーキ"), QStringLiteral("品名:苺大福"),
                            QStringLiteral("品名:柏餅 こしあん"),      QStringLiteral("品名:手作りプリン"),
                            QStringLiteral("品名:国産牛すき焼き弁当"), QStringLiteral("品名:季節の野菜サラダ")};

// A history file of kJobs jobs, 100 a day from 2015/01/01, in a folder that lives for the run.
QString History_Folder()
{
    static test_support::Temp_Folder folder;
    static const bool written = [] {
        QStringList lines = {printing::kHistoryVersionLine};
        const QDateTime start(QDate(2015, 1, 1), QTime(8, 0));
        for (int i = 0; i < kJobs; ++i) {
            printing::History_Entry e;
            e.time = start.addDays(i / 100).addSecs((i % 100) * 300).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
            e.product_no = QStringLiteral("%1").arg(i % 250 + 1, 4, 10, QLatin1Char('0'));
            e.product_name = kNames[i % kNames.size()];
            e.layout = QStringLiteral("標準01 65x45");
            e.copies = QString::number(i % 20 + 1);
            e.printer = QStringLiteral("Zebra");
            e.base = e.time.left(16);
            e.date_line = QStringLiteral("消費期限:") + e.time.left(10);
            e.result = printing::kHistorySent;
            lines << printing::History_Line(e);
        }
        return store::Write_Text_Lines(folder.Data_Folder() + printing::kHistoryFileName, lines).ok();
    }();
    if (!written)
        std::abort();
    return folder.Data_Folder();
}

void BM_OpenHistory(benchmark::State& state)
{
    const QString folder = History_Folder();
    for (auto _ : state) {
        const auto log = printing::Read_History(folder);
        benchmark::DoNotOptimize(printing::Filter_History(*log, {}));
    }
    state.counters["lines"] = kJobs;
}
BENCHMARK(BM_OpenHistory)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_FilterHistory(benchmark::State& state, printing::History_Filter filter)
{
    const auto log = printing::Read_History(History_Folder());
    std::size_t kept = 0;
    for (auto _ : state)
        kept = printing::Filter_History(*log, filter).size();
    state.counters["kept"] = double(kept);
}
BENCHMARK_CAPTURE(BM_FilterHistory, number, printing::History_Filter{QStringLiteral("12"), {}, {}, {}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterHistory, words, printing::History_Filter{{}, QStringLiteral("苺 大福"), {}, {}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterHistory, days, printing::History_Filter{{}, {}, QDate(2020, 3, 1), QDate(2020, 3, 31)})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterHistory, all_three,
                  printing::History_Filter{QStringLiteral("2"), QStringLiteral("大福"), QDate(2016, 1, 1),
                                           QDate(2024, 12, 31)})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
