// A reservation run of 1000 labels (10 lines of 100) with "する", every copy
// a page of its own: on the built-in PDF printer and on the ZPL queue "Zebra"
// of the test scheduler (scripts/start-cups.sh; PRINT_BENCH_QUEUE names
// another), from a product file of 2 products, and the same run from 9999
// products timed in turn with it. Reports labels per CPU-second of this
// process (user + system; the machine may be shared) and per wall-clock
// second, the peak resident memory of each run and, on the built-in printer,
// the PDF bytes per label. The queue's jobs are cancelled, each by its id,
// once the run has submitted them; the queue's own filters are not counted here.
#include "platform/qt_printer_platform.h"
#include "print_fixtures.h"
#include "printing/print_run.h"
#include "products/product_file.h"
#include "support/gui_application.h"
#include "support/scripted_answerer.h"
#include "support/temp_folder.h"

#include <benchmark/benchmark.h>

#include <cups/cups.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <thread>

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

// A job of the system's printers that keeps its name once sent ("Zebra-12").
class Recorded_Job : public platform::Print_Job {
public:
    Recorded_Job(std::unique_ptr<platform::Print_Job> job, QStringList& sent) : job_(std::move(job)), sent_(sent) { }
    QPainter& Painter() override { return job_->Painter(); }
    bool New_Page() override { return job_->New_Page(); }
    platform::Job_Result End() override
    {
        platform::Job_Result result = job_->End();
        if (result.sent)
            sent_ << result.output;
        return result;
    }

private:
    std::unique_ptr<platform::Print_Job> job_;
    QStringList& sent_;
};

// A printer of the system's whose jobs are recorded.
class Recorded_Printer : public platform::Printer {
public:
    Recorded_Printer(platform::Printer& printer, QStringList& sent) : printer_(printer), sent_(sent) { }
    QString Name() const override { return printer_.Name(); }
    std::vector<platform::Paper_Size> Paper_Sizes() const override { return printer_.Paper_Sizes(); }
    bool Set_Paper_Number(int number) override { return printer_.Set_Paper_Number(number); }
    int Paper_Number() const override { return printer_.Paper_Number(); }
    QSizeF Page_Size_Twips() const override { return printer_.Page_Size_Twips(); }
    void Set_Label_Size_mm(const QSizeF& size) override { printer_.Set_Label_Size_mm(size); }
    bool Label_Sized_Page() const override { return printer_.Label_Sized_Page(); }
    int Set_Copy_Count(int copies) override { return printer_.Set_Copy_Count(copies); }
    int Set_Page_Copies(int copies) override { return printer_.Set_Page_Copies(copies); }
    int Resolution() const override { return printer_.Resolution(); }
    bool Raster_Driver() const override { return printer_.Raster_Driver(); }
    std::unique_ptr<platform::Print_Job> Begin_Job(QString& error) override
    {
        std::unique_ptr<platform::Print_Job> job = printer_.Begin_Job(error);
        return job ? std::make_unique<Recorded_Job>(std::move(job), sent_) : nullptr;
    }

private:
    platform::Printer& printer_;
    QStringList& sent_;
};

// The system's printers, keeping the name of every job sent ("Zebra-12").
class Recording_Printers : public platform::Printer_Finder {
public:
    explicit Recording_Printers(std::function<QString()> pdf_output_folder) : system_(std::move(pdf_output_folder)) { }
    QStringList Installed_Printers() const override { return system_.Installed_Printers(); }
    platform::Printer* Find_Printer(const QString& device_name) override
    {
        platform::Printer* found = system_.Find_Printer(device_name);
        if (!found)
            return nullptr;
        recorded_ = std::make_unique<Recorded_Printer>(*found, jobs);
        return recorded_.get();
    }
    // Cancels the queue jobs sent so far, each by its id, and forgets them.
    void Cancel_Queue_Jobs()
    {
        for (const QString& job : std::as_const(jobs))
            if (!job.startsWith(QLatin1Char('/')))  // the built-in printer's jobs are its files
                QProcess::execute(QStringLiteral("cancel"), {job});
        jobs.clear();
    }
    QStringList jobs;

private:
    platform::Qt_Printer_Platform system_;
    std::unique_ptr<Recorded_Printer> recorded_;
};

QString Bench_Queue()
{
    const QString queue = qEnvironmentVariable("PRINT_BENCH_QUEUE");
    return queue.isEmpty() ? QStringLiteral("Zebra") : queue;
}

// One data folder with its product file, and the 1000 labels of its run.
struct Print_Data {
    test_support::Temp_Folder data;
    QString output;
    printing::Print_Run_Context context;
    printing::Print_Issues lines;
    bool ready = false;

    Print_Data(const QString& printer, int products, Recording_Printers& printers)
    {
        ready = print_fixtures::Prepare_Data_Folder(data.Data_Folder())
            && Fill_Product_File(data.Data_Folder(), products);
        output = data.Data_Folder() + platform::kPdf_Output_Folder_Name;
        for (int line = 0; line < kLines; ++line)
            lines << print_fixtures::Issue_For(line % 2 ? QStringLiteral("2") : QStringLiteral("1"), kLabelsPerLine);
        context.data_folder = data.Data_Folder();
        context.settings = print_fixtures::Settings_For(printer, QStringLiteral("する"));
        context.printers = &printers;
    }
};

// What one run cost this process.
struct Run_Cost {
    double cpu_seconds = 0;
    double wall_seconds = 0;
    double peak_mib = 0;
    qint64 output_bytes = 0;
    bool sent_all = false;
};

Run_Cost Run_1000_Labels(Print_Data& run, Recording_Printers& printers)
{
    test_support::Scripted_Answerer answerer;
    run.context.answerer = &answerer;
    Reset_Peak_Memory();
    Run_Cost cost;
    const double cpu_before = Process_Cpu_Seconds();
    const auto wall_before = std::chrono::steady_clock::now();
    const printing::Print_Issues left = print_fixtures::Run_Issues(run.lines, printing::Print_Mode::Reservation,
                                                                   run.context);
    cost.wall_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_before).count();
    cost.cpu_seconds = Process_Cpu_Seconds() - cpu_before;
    cost.peak_mib = Peak_Memory_MiB();
    cost.sent_all = left.isEmpty() && answerer.requests.size() == kLines + 1;
    cost.output_bytes = Folder_Bytes(run.output);
    QDir(run.output).removeRecursively();
    printers.Cancel_Queue_Jobs();
    return cost;
}

bool Printer_Ready(benchmark::State& state, const Recording_Printers& printers, const QString& printer)
{
    if (printers.Installed_Printers().contains(printer))
        return true;
    state.SkipWithError("printer not installed: run scripts/start-cups.sh");
    return false;
}

void Print_Run_Of_1000_Labels(benchmark::State& state, const QString& printer)
{
    test_support::Ensure_Gui_Application();
    QString output;
    Recording_Printers printers([&output] { return output; });
    Print_Data run(printer, 2, printers);
    output = run.output;
    if (!run.ready) {
        state.SkipWithError("data folder");
        return;
    }
    if (!Printer_Ready(state, printers, printer))
        return;
    Run_Cost total;
    double first_peak = 0;
    for (auto _ : state) {
        const Run_Cost cost = Run_1000_Labels(run, printers);
        if (!cost.sent_all)
            state.SkipWithError("the run did not send every line");
        total.cpu_seconds += cost.cpu_seconds;
        total.wall_seconds += cost.wall_seconds;
        total.output_bytes += cost.output_bytes;
        total.peak_mib = cost.peak_mib;
        if (first_peak == 0)
            first_peak = cost.peak_mib;
    }
    const double labels = double(kLines * kLabelsPerLine) * state.iterations();
    state.counters["labels_per_cpu_second"] = total.cpu_seconds > 0 ? labels / total.cpu_seconds : 0;
    state.counters["labels_per_wall_second"] = total.wall_seconds > 0 ? labels / total.wall_seconds : 0;
    state.counters["cpu_ms_per_label"] = total.cpu_seconds * 1e3 / labels;
    if (printer == platform::kBuilt_In_Pdf_Printer)
        state.counters["pdf_bytes_per_label"] = double(total.output_bytes) / labels;
    state.counters["peak_MiB_first_run"] = first_peak;
    state.counters["peak_MiB_last_run"] = total.peak_mib;
}

void BM_Run_Print_Built_In_Pdf(benchmark::State& state)
{
    Print_Run_Of_1000_Labels(state, platform::kBuilt_In_Pdf_Printer);
}

void BM_Run_Print_Zpl_Queue(benchmark::State& state)
{
    Print_Run_Of_1000_Labels(state, Bench_Queue());
}

// The same run from 9999 products and from 2, each warmed by one untimed run
// and then timed in turn, so that both meet the same caches and machine load.
void BM_Run_Print_Built_In_Pdf_9999_Against_2_Products(benchmark::State& state)
{
    test_support::Ensure_Gui_Application();
    const QString printer = platform::kBuilt_In_Pdf_Printer;
    QString output;
    Recording_Printers printers([&output] { return output; });
    Print_Data full(printer, 9999, printers);
    Print_Data small(printer, 2, printers);
    if (!full.ready || !small.ready) {
        state.SkipWithError("data folder");
        return;
    }
    const auto run = [&](Print_Data& data) {
        output = data.output;
        return Run_1000_Labels(data, printers);
    };
    run(full);
    run(small);
    Run_Cost full_total;
    Run_Cost small_total;
    for (auto _ : state) {
        const Run_Cost with_full = run(full);
        const Run_Cost with_small = run(small);
        if (!with_full.sent_all || !with_small.sent_all)
            state.SkipWithError("the run did not send every line");
        full_total.cpu_seconds += with_full.cpu_seconds;
        small_total.cpu_seconds += with_small.cpu_seconds;
        full_total.peak_mib = std::max(full_total.peak_mib, with_full.peak_mib);
        state.SetIterationTime(with_full.wall_seconds);
    }
    const double labels = double(kLines * kLabelsPerLine) * state.iterations();
    state.counters["labels_per_cpu_second_9999"] = labels / full_total.cpu_seconds;
    state.counters["labels_per_cpu_second_2"] = labels / small_total.cpu_seconds;
    state.counters["rate_9999_of_2_pct"] = small_total.cpu_seconds / full_total.cpu_seconds * 100;
    state.counters["peak_MiB_9999"] = full_total.peak_mib;
}

// CPU seconds of the CUPS scheduler: its own, and that of its finished
// children (the filters of every job, counted when each one ends).
struct Scheduler_Cpu {
    double own = 0;
    double children = 0;
};

Scheduler_Cpu Scheduler_Cpu_Now()
{
    QFile pid_file(QStringLiteral("/run/cups/cupsd.pid"));
    if (!pid_file.open(QIODevice::ReadOnly))
        return {};
    QFile stat(QStringLiteral("/proc/%1/stat").arg(QString::fromLatin1(pid_file.readAll().trimmed())));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    // The fields after the command's closing parenthesis, from field 3 (state) on.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double tick = 1.0 / double(sysconf(_SC_CLK_TCK));
    if (fields.size() < 15)
        return {};
    return {(fields[11].toDouble() + fields[12].toDouble()) * tick,
            (fields[13].toDouble() + fields[14].toDouble()) * tick};
}

// Where a queue's device puts the data of a job, for the devices that write
// files: a file: device's file, or the cups-pdf device's file of that job in
// its output folder (CUPS_PDF_FOLDER, else ~/PDF), "…job_<id>.pdf".
class Device_Output {
public:
    explicit Device_Output(const QString& queue)
    {
        cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), nullptr);
        const QByteArray uri = dest ? cupsGetOption("device-uri", dest->num_options, dest->options) : "";
        cupsFreeDests(1, dest);
        if (uri.startsWith("file://"))
            file_ = QString::fromUtf8(uri.mid(7));
        else if (uri.startsWith("cups-pdf:"))
            folder_ = qEnvironmentVariable("CUPS_PDF_FOLDER", QDir::homePath() + QStringLiteral("/PDF"));
    }
    bool Known() const { return !file_.isEmpty() || !folder_.isEmpty(); }
    // Empties the file: device's file before a job.
    void Clear() const
    {
        if (!file_.isEmpty())
            QFile::resize(file_, 0);
    }
    // Whether data of the job has reached the device's file.
    bool Reached(int job) const
    {
        if (!file_.isEmpty())
            return QFileInfo(file_).size() > 0;
        const QString pattern = QStringLiteral("*job_%1.pdf").arg(job);
        const QFileInfoList files = QDir(folder_).entryInfoList({pattern}, QDir::Files);
        return !files.isEmpty() && files.first().size() > 0;
    }
    // Removes the cups-pdf file of the job.
    void Remove(int job) const
    {
        if (folder_.isEmpty())
            return;
        for (const QFileInfo& file : QDir(folder_).entryInfoList({QStringLiteral("*job_%1.pdf").arg(job)}, QDir::Files))
            QFile::remove(file.filePath());
    }

private:
    QString file_;
    QString folder_;
};

// Jobs of all queues that are not finished.
int Active_Jobs()
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ACTIVE);
    cupsFreeJobs(count, jobs);
    return count;
}

bool Job_Finished(int job)
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ACTIVE);
    const bool active = std::any_of(jobs, jobs + count, [job](const cups_job_t& j) { return j.id == job; });
    cupsFreeJobs(count, jobs);
    return !active;
}

// 1000 labels of one line, as the printing screen's 印刷 sends them, to a
// queue of the scheduler (PRINT_BENCH_QUEUE, else Zebra), each job printed to
// its end: the CPU of the whole machine for them, that is of this process and
// of the scheduler with every filter of the job, and the time until the first
// label's data reaches the device's file (a file: device's, or the file
// cups-pdf writes when it has the whole job), beside the time until the job was
// submitted (the run returned), one label having been printed before. range(0): 1 each copy a page of its
// own ("する"), 0 the copies as one ("しない"). Filter CPU is counted while the
// job runs: another job on the machine at the time is counted too
// ("other_jobs_at_start" says whether one was waiting).
void BM_Whole_Machine_1000_Labels(benchmark::State& state)
{
    test_support::Ensure_Gui_Application();
    const QString queue = Bench_Queue();
    QString output;
    Recording_Printers printers([&output] { return output; });
    Print_Data run(queue, 2, printers);
    output = run.output;
    if (!run.ready || !Printer_Ready(state, printers, queue))
        return;
    run.context.settings[store::Setting::Print_Per_Copy] = state.range(0) ? QStringLiteral("する")
                                                                          : QStringLiteral("しない");
    const printing::Print_Issues line = {print_fixtures::Issue_For(QStringLiteral("1"), 1000)};
    const Device_Output device(queue);
    double own_cpu = 0, filter_cpu = 0, scheduler_cpu = 0, first_label = 0, other_jobs = 0, submitted = 0;
    // One label before, untimed: the queue has been read and the fonts prepared,
    // as the printing screen's label check has done when 印刷 is pressed.
    {
        test_support::Scripted_Answerer answerer;
        run.context.answerer = &answerer;
        print_fixtures::Run_Issues({print_fixtures::Issue_For(QStringLiteral("1"), 1)}, printing::Print_Mode::Immediate,
                                   run.context);
        for (const QString& job : std::as_const(printers.jobs))
            while (!Job_Finished(job.section(QLatin1Char('-'), -1).toInt()))
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        printers.jobs.clear();
    }
    for (auto _ : state) {
        other_jobs += Active_Jobs();
        device.Clear();
        test_support::Scripted_Answerer answerer;
        run.context.answerer = &answerer;
        const Scheduler_Cpu scheduler_before = Scheduler_Cpu_Now();
        const double cpu_before = Process_Cpu_Seconds();
        const auto start = std::chrono::steady_clock::now();
        const printing::Print_Issues left = print_fixtures::Run_Issues(line, printing::Print_Mode::Immediate,
                                                                       run.context);
        own_cpu += Process_Cpu_Seconds() - cpu_before;
        submitted += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!left.isEmpty() || printers.jobs.size() != 1) {
            state.SkipWithError("the job was not sent");
            break;
        }
        const int job = printers.jobs.first().section(QLatin1Char('-'), -1).toInt();
        printers.jobs.clear();
        bool reached = !device.Known();
        for (int poll = 0;; ++poll) {
            if (!reached && device.Reached(job)) {
                first_label += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                reached = true;
            }
            if (poll % 50 == 0 && Job_Finished(job))
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        const Scheduler_Cpu scheduler_after = Scheduler_Cpu_Now();
        device.Remove(job);
        filter_cpu += scheduler_after.children - scheduler_before.children;
        scheduler_cpu += scheduler_after.own - scheduler_before.own;
    }
    const double runs = double(state.iterations());
    state.counters["whole_machine_cpu_s"] = (own_cpu + filter_cpu + scheduler_cpu) / runs;
    state.counters["program_cpu_s"] = own_cpu / runs;
    state.counters["filters_cpu_s"] = filter_cpu / runs;
    state.counters["scheduler_cpu_s"] = scheduler_cpu / runs;
    state.counters["submitted_ms"] = submitted / runs * 1e3;
    if (device.Known())
        state.counters["first_label_ms"] = first_label / runs * 1e3;
    state.counters["other_jobs_at_start"] = other_jobs;
}

}  // namespace

BENCHMARK(BM_Run_Print_Built_In_Pdf)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Run_Print_Zpl_Queue)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Whole_Machine_1000_Labels)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Run_Print_Built_In_Pdf_9999_Against_2_Products)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
int main(int argc, char** argv)
{
    // The heap as the application's main sets it: QPdfWriter's page buffers stay in the heap.
    constexpr int kMmapThreshold = 32 * 1024 * 1024;
    ::mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
    ::mallopt(M_TRIM_THRESHOLD, 2 * kMmapThreshold);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
