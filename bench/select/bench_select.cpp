// Start-up of the class selection screen.
//
// ProcessStartToStartScreen: the wall time from spawning a process until it
// has shown the start screen with all five animations split and decoded,
// and that process's peak resident memory. The process is this program
// again, running the program's own start sequence (QApplication, fonts and
// pictures, toolkit, build, start screen and its load step) and ending right
// after it.
//
// child_cpu_ms is the processor time the child used; peak_MB its VmHWM
// (ru_maxrss).
//
// StartScreenLoad: the same start screen built and loaded inside one running
// application (no process or Qt start-up costs).
#include <model/Build.h>
#include <model/Presentation.h>
#include <screens/select/GifSplit.h>
#include <screens/select/frm_MainSelect.h>
#include <toolkit/QtToolkit.h>

#include <QApplication>
#include <QFile>
#include <QtBenchMain.h>

#include <benchmark/benchmark.h>

#include <Program.h>
#include <art/Art.h>
#include <chrono>
#include <cstdlib>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace skillwright;

namespace {

constexpr const char* kChildVariable = "SKILLWRIGHT_BENCH_START_SCREEN";

int runStartSequence(int argc, char** argv) {
    QApplication app(argc, argv);
    art::initialise();
    toolkit::QtToolkit toolkit;
    model::Build build(toolkit);
    app::Program program(build, toolkit);
    program.start();
    QApplication::processEvents();
    return program.startScreen().pictures(model::ClassId::Sorceress).count() > 1 ? 0 : 3;
}

long peakResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').front().toLong();
        }
    }
    return 0;
}

void ProcessStartToStartScreen(benchmark::State& state) {
    char self[] = "/proc/self/exe";
    char* const args[] = {self, nullptr};
    setenv(kChildVariable, "1", 1);
    long peakKb = 0;
    double cpuSeconds = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, self, nullptr, nullptr, args, environ) != 0) {
            state.SkipWithError("cannot start the child process");
            break;
        }
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        const auto end = std::chrono::steady_clock::now();
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the child did not load the animations");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
        peakKb = std::max(peakKb, usage.ru_maxrss);
        cpuSeconds += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    unsetenv(kChildVariable);
    state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024.0;
    // The child's own processor time (user + system), less sensitive to a busy machine than wall time.
    state.counters["child_cpu_ms"] =
        benchmark::Counter(cpuSeconds * 1000.0 / static_cast<double>(state.iterations()));
}
BENCHMARK(ProcessStartToStartScreen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void StartScreenLoad(benchmark::State& state) {
    toolkit::QtToolkit toolkit;
    model::Build build(toolkit);
    model::SkillMenuTexts menuTexts(build);
    for (auto _ : state) {
        screens::frm_MainSelect start(menuTexts, toolkit);
        start.Form_Load();
        benchmark::DoNotOptimize(start.pictures(model::ClassId::Sorceress).count());
    }
    state.counters["process_peak_MB"] = static_cast<double>(peakResidentKb()) / 1024.0;
}
BENCHMARK(StartScreenLoad)->Unit(benchmark::kMillisecond);

void SplitAnimations(benchmark::State& state) {
    std::vector<QByteArray> files;
    for (const char* stem : {"amazon", "barbarian", "necromancer", "paladin", "sorceress"}) {
        QFile f(QCoreApplication::applicationDirPath() +
                QStringLiteral("/%1move.gif").arg(QLatin1String(stem)));
        f.open(QIODevice::ReadOnly);
        files.push_back(f.readAll());
    }
    for (auto _ : state) {
        for (const QByteArray& bytes : files) {
            benchmark::DoNotOptimize(screens::splitAnimatedGif(
                std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                              static_cast<std::size_t>(bytes.size()))));
        }
    }
}
BENCHMARK(SplitAnimations)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (std::getenv(kChildVariable) != nullptr) {
        return runStartSequence(argc, argv);
    }
    return skillwright::bench::runWithQt(argc, argv);
}
