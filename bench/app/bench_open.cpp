// Opening a saved character: a level-99 report with quest points of every
// quest and points held in reserve and spent, from reading the file to its
// tree screen shown and painted with the replayed history. And refusing the
// largest file read, 1 MiB of one long line, from the file to its message
// box shown and painted: at most 50 ms.
#include <model/Build.h>
#include <report/ReportReader.h>
#include <report/ReportText.h>
#include <toolkit/QtToolkit.h>
#include <toolkit/ScriptedToolkit.h>

#include <QApplication>
#include <QMessageBox>
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

/// A report of 1 MiB whose line `longLine` (2 the class, 7 an entry) takes
/// all the room the others leave.
std::string oneLongLine(int longLine) {
    std::vector<std::string> lines{"Bench",
                                   "Class: Sorceress",
                                   "Level: 2",
                                   std::string(report::kRuleLine),
                                   "",
                                   "Clvl 1 Slvl 0: Starting Level",
                                   "Clvl 2 Slvl 1: Fire Bolt",
                                   "",
                                   std::string(report::kRuleLine)};
    std::size_t others = 0;
    for (const std::string& line : lines) {
        others += line.size() + 2;
    }
    std::string& line = lines[static_cast<std::size_t>(longLine - 1)];
    others -= line.size();
    line += std::string(report::kMaxReportBytes - others - line.size(), 'x');
    std::string text;
    for (const std::string& l : lines) {
        text += l + "\r\n";
    }
    return text;
}

void RefuseOneLongLineReport(benchmark::State& state) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("sw-bench-long-" + std::to_string(::getpid()) + ".txt");
    const std::string text = oneLongLine(static_cast<int>(state.range(0)));
    std::ofstream(file, std::ios::binary) << text;
    if (text.size() != report::kMaxReportBytes) {
        state.SkipWithError("the file is not 1 MiB");
    }
    toolkit::ScriptedToolkit toolkit;
    model::Build build;
    app::Program program(build, toolkit);
    for (auto _ : state) {
        toolkit.messages.clear();
        if (program.openCharacter(file.string()) || toolkit.messages.size() != 1) {
            state.SkipWithError("the file was not refused with one message");
            break;
        }
        // The box the program shows, shown and painted as the player sees it.
        QMessageBox box;
        const auto& message = toolkit.messages.front();
        toolkit::prepareMessageBox(box, message.text, message.title, message.icon, message.buttons);
        box.show();
        box.repaint();
        QApplication::processEvents();
    }
    std::filesystem::remove(file);
}
BENCHMARK(RefuseOneLongLineReport)
    ->ArgName("line")
    ->Arg(2)
    ->Arg(7)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithQt(argc, argv);
}
