// A reservation run of 1000 labels (10 lines of 100) with "する", every copy
// composed on a page of its own: on the built-in PDF printer and on the ZPL
// queue "Zebra" of the test scheduler (scripts/start-cups.sh), from a product
// file of 2 products and, on the built-in printer, of 9999. Reports labels per
// second and per CPU-second of this process (the machine may be shared), the
// peak resident memory of each run and, on the built-in printer, the PDF bytes
// per label; the ZPL jobs are cancelled once submitted, so that the scheduler
// does not rasterise them all.
#include "platform/qt_printer_platform.h"
#include "print_fixtures.h"
#include "printing/print_run.h"
#include "products/product_file.h"
#include "support/gui_application.h"
#include "support/scripted_confirmation.h"
#include "support/temp_folder.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QDirIterator>
#include <QProcess>

#include <sys/resource.h>

namespace {

constexpr int kLines = 10;
constexpr int kLabelsPerLine = 100;

// Peak resident memory since the last reset, in MiB (VmHWM).
double Peak_Memory_MiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

void Reset_Peak_Memory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// User and system CPU time of this process so far, in seconds.
double Process_Cpu_Seconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Bytes of all files in the folder and below it.
qint64 Folder_Bytes(const QString& folder)
{
    qint64 bytes = 0;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        bytes += QFileInfo(it.next()).size();
    return bytes;
}

// Fills the product file up to number `last` with copies of its last product.
bool Fill_Product_File(const QString& data_folder, int last)
{
    QFile file(data_folder + products::kProductFileName);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const QByteArray bytes = file.readAll();
    const QByteArray template_line = bytes.left(bytes.size() - 2).mid(bytes.lastIndexOf("\r\n", bytes.size() - 3) + 2);
    QByteArray added;
    for (int number = template_line.left(4).toInt() + 1; number <= last; ++number)
        added += QByteArray::number(number).rightJustified(4, '0') + template_line.mid(4) + "\r\n";
    return file.write(added) == added.size();
}

void Print_Run_Of_1000_Labels(benchmark::State& state, const QString& printer, int products = 2)
{
    test_support::Ensure_Gui_Application();
    test_support::Temp_Folder data;
    if (!print_fixtures::Prepare_Data_Folder(data.Data_Folder()) || !Fill_Product_File(data.Data_Folder(), products)) {
        state.SkipWithError("data folder");
        return;
    }
    const QString output = data.Data_Folder() + platform::kPdf_Output_Folder_Name;
    platform::Qt_Printer_Platform printers([&output] { return output; });
    if (!printers.Installed_Printers().contains(printer)) {
        state.SkipWithError("printer not installed: run scripts/start-cups.sh");
        return;
    }
    QStringList lines;
    for (int line = 0; line < kLines; ++line)
        lines << print_fixtures::Line_For(line % 2 ? QStringLiteral("2") : QStringLiteral("1"), kLabelsPerLine);

    printing::Print_Run_Context context;
    context.data_folder = data.Data_Folder();
    context.settings = print_fixtures::Settings_For(printer, QStringLiteral("する"));
    context.printers = &printers;
    double first_peak = 0;
    double last_peak = 0;
    double cpu_seconds = 0;
    qint64 output_bytes = 0;
    for (auto _ : state) {
        test_support::Scripted_Confirmation ui;
        context.ui = &ui;
        Reset_Peak_Memory();
        const double cpu_before = Process_Cpu_Seconds();
        const QStringList left = printing::Run_Print(lines, printing::Print_Mode::Reservation, context);
        cpu_seconds += Process_Cpu_Seconds() - cpu_before;
        last_peak = Peak_Memory_MiB();
        if (first_peak == 0)
            first_peak = last_peak;
        state.PauseTiming();
        if (!left.isEmpty() || ui.requests.size() != kLines + 1)
            state.SkipWithError("the run did not send every line");
        output_bytes += Folder_Bytes(output);
        QDir(output).removeRecursively();
        if (printer != platform::kBuilt_In_Pdf_Printer)
            QProcess::execute(QStringLiteral("cancel"), {QStringLiteral("-a"), printer});
        state.ResumeTiming();
    }
    const double labels = double(kLines * kLabelsPerLine) * state.iterations();
    state.counters["labels_per_second"] = benchmark::Counter(labels, benchmark::Counter::kIsRate);
    state.counters["labels_per_cpu_second"] = cpu_seconds > 0 ? labels / cpu_seconds : 0;
    if (printer == platform::kBuilt_In_Pdf_Printer)
        state.counters["pdf_bytes_per_label"] = double(output_bytes) / labels;
    state.counters["peak_MiB_first_run"] = first_peak;
    state.counters["peak_MiB_last_run"] = last_peak;
}

void BM_Run_Print_Built_In_Pdf(benchmark::State& state)
{
    Print_Run_Of_1000_Labels(state, platform::kBuilt_In_Pdf_Printer);
}

void BM_Run_Print_Zpl_Queue(benchmark::State& state)
{
    Print_Run_Of_1000_Labels(state, QStringLiteral("Zebra"));
}

void BM_Run_Print_Built_In_Pdf_9999_Products(benchmark::State& state)
{
    Print_Run_Of_1000_Labels(state, platform::kBuilt_In_Pdf_Printer, 9999);
}

}  // namespace

BENCHMARK(BM_Run_Print_Built_In_Pdf)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Run_Print_Zpl_Queue)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Run_Print_Built_In_Pdf_9999_Products)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
