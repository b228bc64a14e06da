// Opening a saved character: a level-99 report with quest points of every
// quest and points held in reserve and spent, from reading the file to its
// tree screen shown and painted with the replayed history, journalled as the
// program journals it. Continuing such a plan from the journal, and a click
// on a tree screen whose plan the journal keeps, to the repainted screen.
// And refusing the largest file read, 1 MiB of one long line, from the file
// to its message box shown and painted: at most 50 ms. Comparing with the
// level-99 report: at most 10 ms.
#include <model/Build.h>
#include <report/ReportReader.h>
#include <report/ReportText.h>
#include <toolkit/QtToolkit.h>
#include <toolkit/ScriptedToolkit.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QtBenchMain.h>

#include <benchmark/benchmark.h>

#include <ClickInTurns.h>
#include <Program.h>
#include <document/PlanDocument.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace skillwright;

namespace {

/// A level-99 Sorceress: twelve quest points, thirty points held in reserve
/// and spent at level 60, the rest ordinary points.
std::string fullReport() {
    model::Build build;
    build.startCharacter(model::ClassId::Sorceress);
    model::SkillRef aimed{};
    const auto aim = [&](model::TreeId tree, std::int16_t index) { aimed = {tree, index}; };
    const std::array<std::pair<model::TreeId, std::int16_t>, 6> firstTier{
        {{model::TreeId::SorceressFire, 0},
         {model::TreeId::SorceressFire, 1},
         {model::TreeId::SorceressLightning, 0},
         {model::TreeId::SorceressLightning, 1},
         {model::TreeId::SorceressCold, 0},
         {model::TreeId::SorceressCold, 1}}};
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
                build.takeQuestPoint(model::Quest::DenOfEvil, aimed);
                build.takeQuestPoint(model::Quest::BookOfSkill, aimed);
            }
            for (int n = 0; n < 6; ++n) {
                build.takeQuestPoint(model::Quest::Izual, aimed);
            }
            while (build.reservedPoints() > 0) {
                const auto [t, i] = firstTier[next++ % firstTier.size()];
                aim(t, i);
                build.useReservedPoint(aimed);
            }
        }
    }
    build.setCharacterName("Bench");
    return report::reportText(build.plan());
}

/// A journal folder of the benchmark's own, gone at the end.
struct JournalFolder {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("sw-bench-journal-" + std::to_string(::getpid()));
    JournalFolder() { std::filesystem::remove_all(path); }
    ~JournalFolder() { std::filesystem::remove_all(path); }
    JournalFolder(const JournalFolder&) = delete;
    JournalFolder& operator=(const JournalFolder&) = delete;
};

/// The level-99 report with 20 milestones and a note of 64 KiB.
std::string fullReportWithNotes() {
    const report::ReportReading reading = report::parseReport(fullReport());
    model::Plan plan = reading.report->plan;
    std::string line(63, 'n');
    line += '\n';
    while (plan.note.size() + line.size() <= model::kMaxNoteBytes) {
        plan.note += line;
    }
    for (std::size_t m = 0; m < 20; ++m) {
        plan.milestones.push_back(
            {m * (plan.history.size() / 20), "Stage " + std::to_string(m + 1), "Its note"});
    }
    return report::reportText(plan);
}

// Opening the level-99 report until its screen is painted: Arg 0 the
// report alone, Arg 1 with 20 milestones and a note of 64 KiB. Target: at
// most 10 ms.
void OpenLevel99Report(benchmark::State& state) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("sw-bench-open-" + std::to_string(::getpid()) + ".txt");
    std::ofstream(file, std::ios::binary) << (state.range(0) == 0 ? fullReport() : fullReportWithNotes());
    const JournalFolder journal;
    toolkit::ScriptedToolkit toolkit;
    toolkit.journalFolder = journal.path.string();
    document::PlanDocument document;
    app::Program program(document, toolkit);
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
BENCHMARK(OpenLevel99Report)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

// Comparing the plan on a Sorceress's screen with the level-99 report: from
// reading the file, through its replay, to the differences, the summary and
// the marks on the repainted screen. Target: at most 10 ms.
void CompareWithLevel99Report(benchmark::State& state) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("sw-bench-compare-" + std::to_string(::getpid()) + ".txt");
    std::ofstream(file, std::ios::binary) << fullReport();
    const JournalFolder journal;
    toolkit::ScriptedToolkit toolkit;
    toolkit.journalFolder = journal.path.string();
    document::PlanDocument document;
    app::Program program(document, toolkit);
    program.start();
    QTest::mouseClick(program.startScreen().findChild<QLabel*>("lbl_Sorceress"), Qt::LeftButton);
    screens::SkillTreeScreen* screen = program.treeScreen();
    for (int n = 0; n < 20; ++n) { // a plan of its own to compare, in the first tier
        document.click(model::TreeId::SorceressCold, static_cast<std::int16_t>(n % 2));
    }
    QApplication::processEvents();
    for (auto _ : state) {
        if (!program.compareWithCharacter(file.string()) || !toolkit.messages.empty()) {
            state.SkipWithError("the report was not compared cleanly");
            break;
        }
        screen->repaint();
        state.PauseTiming();
        screen->stopComparing();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    std::filesystem::remove(file);
}
BENCHMARK(CompareWithLevel99Report)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

/// The number of the plan that left the screen last.
std::uint64_t newestPlan(const std::filesystem::path& folder) {
    std::uint64_t newest = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("left-") && name.ends_with(".journal")) {
            newest = std::max<std::uint64_t>(newest, std::stoull(name.substr(5)));
        }
    }
    return newest;
}

void ContinueLevel99Plan(benchmark::State& state) {
    const JournalFolder journal;
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("sw-bench-continue-" + std::to_string(::getpid()) + ".txt");
    std::ofstream(file, std::ios::binary) << fullReport();
    toolkit::ScriptedToolkit toolkit;
    toolkit.journalFolder = journal.path.string();
    document::PlanDocument document;
    app::Program program(document, toolkit);
    program.start();
    // The report's character with its last point taken again: unsaved.
    if (!program.openCharacter(file.string())) {
        state.SkipWithError("the report did not open");
        return;
    }
    std::filesystem::remove(file);
    const model::SkillRef last = document.build().character()->history().back().skill;
    document.undoLast();
    document.click(last.tree, last.index);
    for (auto _ : state) {
        state.PauseTiming();
        QTest::mouseClick(program.treeScreen()->findChild<QLabel*>("lbl_ChangeClass"), Qt::LeftButton);
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const std::uint64_t number = newestPlan(journal.path);
        state.ResumeTiming();
        if (!program.continuePlan(number) || document.build().characterLevel() != 99) {
            state.SkipWithError("the plan was not continued");
            break;
        }
        program.treeScreen()->repaint();
    }
}
BENCHMARK(ContinueLevel99Plan)->Unit(benchmark::kMillisecond)->Repetitions(5)->DisplayAggregatesOnly(true);

// From the press of the left button to the repainted screen, the journal
// written on the way.
void ClickWithJournalToRepaint(benchmark::State& state) {
    const JournalFolder journal;
    toolkit::ScriptedToolkit toolkit;
    toolkit.journalFolder = journal.path.string();
    document::PlanDocument document;
    app::Program program(document, toolkit);
    program.start();
    QTest::mouseClick(program.startScreen().findChild<QLabel*>("lbl_Necromancer"), Qt::LeftButton);
    screens::SkillTreeScreen* screen = program.treeScreen();
    QApplication::processEvents();
    bench::clickTierOneSkillsInTurns(state, document, *screen);
}
BENCHMARK(ClickWithJournalToRepaint)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

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
    document::PlanDocument document;
    app::Program program(document, toolkit);
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
