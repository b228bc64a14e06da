// Opening a saved character: a level-99 report with quest points of every
// quest and points held in reserve and spent, from reading the file to its
// tree screen shown and painted with the replayed history.
#include <model/Build.h>
#include <report/ReportText.h>
#include <toolkit/ScriptedToolkit.h>

#include <QApplication>
#include <QtBenchMain.h>

#include <benchmark/benchmark.h>

#include <Program.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace skillwright;

namespace {

/// A level-99 Sorceress: twelve quest points, thirty points held in reserve
/// and spent at level 60, the rest ordinary points.
std::string fullReport() {
    model::Build build;
    build.openScreen(model::ClassId::Sorceress);
    const auto aim = [&](model::TreeId tree, std::int16_t index) { build.prepareRightClick(tree, index); };
    const std::array<std::pair<model::TreeId, std::int16_t>, 6> firstTier{{{model::TreeId::SorcFire, 0},
                                                                           {model::TreeId::SorcFire, 1},
                                                                           {model::TreeId::SorcLight, 0},
                                                                           {model::TreeId::SorcLight, 1},
                                                                           {model::TreeId::SorcCold, 0},
                                                                           {model::TreeId::SorcCold, 1}}};
    std::size_t next = 0;
    while (build.characterLevel() < 99) {
        const auto [tree, index] = firstTier[next++ % firstTier.size()];
        aim(tree, index);
        if (build.characterLevel() < 60 && build.characterLevel() % 2 == 0) {
            build.reservePoint();
        } else {
            build.click(tree, index);
        }
        if (build.characterLevel() == 60) {
            for (int n = 0; n < 3; ++n) {
                build.takeDenOfEvilPoint();
                build.takeBookOfSkillPoint();
            }
            for (int n = 0; n < 6; ++n) {
                build.takeIzualPoint();
            }
            while (build.reservedPoints() > 0) {
                const auto [t, i] = firstTier[next++ % firstTier.size()];
                aim(t, i);
                build.useReservedPoint();
            }
        }
    }
    build.setCharacterName("Bench");
    return report::reportText(build.plan());
}

void OpenLevel99Report(benchmark::State& state) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("sw-bench-open-" + std::to_string(::getpid()) + ".txt");
    std::ofstream(file, std::ios::binary) << fullReport();
    toolkit::ScriptedToolkit toolkit;
    model::Build build;
    app::Program program(build, toolkit);
    for (auto _ : state) {
        if (!program.openCharacter(file.string()) || !toolkit.messages.empty()) {
            state.SkipWithError("the report did not open cleanly");
            break;
        }
        program.treeScreen()->repaint();
        state.PauseTiming();
        delete program.treeScreen();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    std::filesystem::remove(file);
}
BENCHMARK(OpenLevel99Report)->Unit(benchmark::kMillisecond)->Repetitions(5)->DisplayAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithQt(argc, argv);
}
