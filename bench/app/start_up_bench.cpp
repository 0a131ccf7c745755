// Start-up to the first painted frame of the main menu, as a whole process,
// beside a Qt Widgets hello-world started in turn in the same run and ended at
// its own first painted frame. The application runs from a folder of its own
// (as an unpacked copy does), with its data there and 9999 filled products in
// the product file.
// Reported time: the application's CPU time (user + system) per start.
// Counters: "app_cpu_ms" and "hello_cpu_ms" the means, "x_hello" their ratio.
#include "fixtures/full_product_file.h"
#include "products/product_file.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

extern char** environ;

namespace {

// CPU seconds of one run of the program, which must exit 0.
double Cpu_Seconds_Of(const QString& program, benchmark::State& state)
{
    const std::string path = QFile::encodeName(program).toStdString();
    char* const argv[] = {const_cast<char*>(path.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        state.SkipWithError(("cannot run " + path).c_str());
        return 0;
    }
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The application folder: the program and the files it keeps beside itself,
// its data after a first start, and a full product file.
struct Application_Folder {
    test_support::Temp_Folder dir;
    QString program;

    Application_Folder()
    {
        const QDir built(QStringLiteral(APP_OUTPUT_DIR));
        for (const QFileInfo& file : built.entryInfoList(QDir::Files)) {
            const QString copy = dir.File(file.fileName());
            if (::link(QFile::encodeName(file.filePath()).constData(), QFile::encodeName(copy).constData()) != 0)
                QFile::copy(file.filePath(), copy);
        }
        program = dir.File(QStringLiteral("paruberina"));
    }

    // False when the program did not start.
    bool Fill(benchmark::State& state)
    {
        if (Cpu_Seconds_Of(program, state) <= 0)  // the first start writes the default data
            return false;
        dir.Write(products::kProductFileName, bench_support::Full_Product_File(9999));
        return true;
    }
};

void BM_Start_Up_To_Main_Menu(benchmark::State& state)
{
    // Without a display the programs draw off screen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("PARUBERINA_EXIT_WHEN_SHOWN", "1");
    Application_Folder folder;
    if (!folder.Fill(state))
        return;
    const QString hello = QStringLiteral(HELLO_WORLD);
    Cpu_Seconds_Of(hello, state);  // warm the page cache for both
    Cpu_Seconds_Of(folder.program, state);
    double app_total = 0;
    double hello_total = 0;
    for (auto _ : state) {
        hello_total += Cpu_Seconds_Of(hello, state);
        const double app = Cpu_Seconds_Of(folder.program, state);
        app_total += app;
        state.SetIterationTime(app);
    }
    const double runs = double(state.iterations());
    state.counters["app_cpu_ms"] = app_total / runs * 1e3;
    state.counters["hello_cpu_ms"] = hello_total / runs * 1e3;
    state.counters["x_hello"] = hello_total > 0 ? app_total / hello_total : 0;
}
BENCHMARK(BM_Start_Up_To_Main_Menu)->UseManualTime()->Iterations(20)->Repetitions(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
