// Start-up of the class selection screen.
//
// ProcessStartToStartScreen: the wall time from spawning a process until it
// has shown the start screen with all five animations split (their frames
// are decoded later, when a class is first hovered),
// and that process's peak resident memory. The process is this program
// again, running the program's own start sequence (QApplication, fonts and
// pictures, toolkit, plan document, start screen and its load step) and ending right
// after it.
//
// child_cpu_ms is the processor time the child used; peak_MB its VmHWM
// (ru_maxrss).
//
// ProgramAgainstBareWindow: the same child alternated with bin/bare_window, a
// bare Qt window of the same size with 60 labels, painted once: the floor
// that any Qt Widgets program pays on this machine. Each iteration spawns one
// of each, in turns of which goes first. program_ms and floor_ms are the
// medians of their wall times, ratio is program_ms / floor_ms, pair_ratio the
// median of each pair's own ratio (which a change of load between pairs
// moves less); the peaks are the largest VmHWM of each.
//
// StartScreenLoad: the same start screen built and loaded inside one running
// application (no process or Qt start-up costs).
//
// FirstHoverOfAClass: the first hover of each of the five classes, which
// decodes that class's first two frames (items are hovers).
#include <screens/select/GifSplit.h>
#include <screens/select/StartScreen.h>
#include <toolkit/QtToolkit.h>

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QtBenchMain.h>

#include <benchmark/benchmark.h>

#include <Program.h>
#include <algorithm>
#include <art/Art.h>
#include <chrono>
#include <cstdlib>
#include <document/PlanDocument.h>
#include <memory>
#include <presentation/Presentation.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace skillwright;

namespace {

constexpr const char* kChildVariable = "SKILLWRIGHT_BENCH_START_SCREEN";

/// Notes that the start screen has been painted.
class PaintWatch : public QObject {
public:
    bool painted = false;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return QObject::eventFilter(watched, event);
    }
};

/// What main() does up to its event loop, then the loaded screen painted.
int runStartSequence(int argc, char** argv) {
    QApplication app(argc, argv);
    app::applyLook(app);
    art::initialise();
    toolkit::QtToolkit toolkit;
    document::PlanDocument document;
    app::Program program(document, toolkit);
    PaintWatch watch;
    program.startScreen().installEventFilter(&watch);
    program.start();
    QApplication::processEvents();
    if (!watch.painted) {
        return 4;
    }
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

struct ChildRun {
    bool ok = false;
    double seconds = 0;
    long peakKb = 0;
    double cpuSeconds = 0;
};

/// Spawns the program and waits for it; the time runs from the spawn to its end.
ChildRun runChild(char* program) {
    char* const args[] = {program, nullptr};
    ChildRun run;
    const auto begin = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program, nullptr, nullptr, args, environ) != 0) {
        return run;
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        return run;
    }
    const auto end = std::chrono::steady_clock::now();
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.seconds = std::chrono::duration<double>(end - begin).count();
    run.peakKb = usage.ru_maxrss;
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return run;
}

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 == 1) {
        return *middle;
    }
    return (*middle + *std::max_element(values.begin(), middle)) / 2;
}

void ProcessStartToStartScreen(benchmark::State& state) {
    char self[] = "/proc/self/exe";
    setenv(kChildVariable, "1", 1);
    long peakKb = 0;
    double cpuSeconds = 0;
    for (auto _ : state) {
        const ChildRun run = runChild(self);
        if (!run.ok) {
            state.SkipWithError("the child did not load the animations");
            break;
        }
        state.SetIterationTime(run.seconds);
        peakKb = std::max(peakKb, run.peakKb);
        cpuSeconds += run.cpuSeconds;
    }
    unsetenv(kChildVariable);
    state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024.0;
    // The child's own processor time (user + system), less sensitive to a busy machine than wall time.
    state.counters["child_cpu_ms"] =
        benchmark::Counter(cpuSeconds * 1000.0 / static_cast<double>(state.iterations()));
}
BENCHMARK(ProcessStartToStartScreen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void ProgramAgainstBareWindow(benchmark::State& state) {
    char self[] = "/proc/self/exe";
    QByteArray floorPath = QCoreApplication::applicationDirPath().toLocal8Bit() + "/bare_window";
    setenv(kChildVariable, "1", 1); // the bare window ignores it
    std::vector<double> programMs;
    std::vector<double> floorMs;
    std::vector<double> pairRatios;
    long programPeakKb = 0;
    long floorPeakKb = 0;
    bool programFirst = true;
    for (auto _ : state) {
        ChildRun program;
        ChildRun floor;
        if (programFirst) {
            program = runChild(self);
            floor = runChild(floorPath.data());
        } else {
            floor = runChild(floorPath.data());
            program = runChild(self);
        }
        programFirst = !programFirst;
        if (!program.ok || !floor.ok) {
            state.SkipWithError(program.ok ? "the bare window did not paint (is bin/bare_window built?)"
                                           : "the child did not load the animations");
            break;
        }
        state.SetIterationTime(program.seconds);
        programMs.push_back(program.seconds * 1000.0);
        floorMs.push_back(floor.seconds * 1000.0);
        pairRatios.push_back(program.seconds / floor.seconds);
        programPeakKb = std::max(programPeakKb, program.peakKb);
        floorPeakKb = std::max(floorPeakKb, floor.peakKb);
    }
    unsetenv(kChildVariable);
    const double program = median(programMs);
    const double floor = median(floorMs);
    state.counters["program_ms"] = program;
    state.counters["floor_ms"] = floor;
    state.counters["ratio"] = floor > 0 ? program / floor : 0;
    state.counters["pair_ratio"] = median(pairRatios);
    state.counters["program_peak_MiB"] = static_cast<double>(programPeakKb) / 1024.0;
    state.counters["floor_peak_MiB"] = static_cast<double>(floorPeakKb) / 1024.0;
}
BENCHMARK(ProgramAgainstBareWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

void StartScreenLoad(benchmark::State& state) {
    toolkit::QtToolkit toolkit;
    for (auto _ : state) {
        screens::StartScreen start(toolkit);
        start.load();
        benchmark::DoNotOptimize(start.pictures(model::ClassId::Sorceress).count());
    }
    state.counters["process_peak_MB"] = static_cast<double>(peakResidentKb()) / 1024.0;
}
BENCHMARK(StartScreenLoad)->Unit(benchmark::kMillisecond);

// The first frame change is due the first frame's delay after the hover
// (shortest_first_delay_ms). Each iteration hovers the five classes of a
// freshly loaded screen in turn.
void FirstHoverOfAClass(benchmark::State& state) {
    toolkit::QtToolkit toolkit;
    int shortestDelay = 1 << 30;
    for (auto _ : state) {
        state.PauseTiming();
        auto start = std::make_unique<screens::StartScreen>(toolkit);
        start->load();
        state.ResumeTiming();
        for (model::ClassId id : screens::StartScreen::kClassOrder) {
            QLabel* picture = start->pictures(id).element(0);
            QMouseEvent move(QEvent::MouseMove, QPointF(70, 130), picture->mapToGlobal(QPointF(70, 130)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(picture, &move);
            shortestDelay = std::min(shortestDelay, start->pictures(id).delay(0));
        }
        state.PauseTiming();
        start.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 5);
    state.counters["shortest_first_delay_ms"] = shortestDelay;
}
BENCHMARK(FirstHoverOfAClass)->Unit(benchmark::kMillisecond);

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
