// The attributes window: from Ctrl+Shift+A on the tree screen of a level-99
// Paladin with an attribute plan and milestones to the window shown and
// painted beside it, its table and plot filled. Target: at most 16 ms.
#include <model/Build.h>
#include <report/ReportText.h>
#include <toolkit/ScriptedToolkit.h>

#include <QAction>
#include <QApplication>
#include <QtBenchMain.h>

#include <benchmark/benchmark.h>

#include <Program.h>
#include <document/PlanDocument.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace skillwright;

namespace {

/// A level-99 Paladin, his points in turn over the first tiers, with three
/// targets, both quests in every difficulty and ten milestones.
model::Plan paladin() {
    model::Build build;
    build.startCharacter(model::ClassId::Paladin);
    for (int n = 0; build.characterLevel() < 99; ++n) {
        const auto tree = model::classInfo(model::ClassId::Paladin).trees[static_cast<std::size_t>(n % 3)];
        if (!build.click(tree, static_cast<std::int16_t>((n / 3) % 2)).accepted()) {
            build.reservePoint();
        }
    }
    model::Plan plan = build.plan();
    for (std::size_t m = 0; m < 10; ++m) {
        plan.milestones.push_back({m * 9 + 4, "Stage " + std::to_string(m + 1), {}});
    }
    plan.attributes.targets = {
        {model::Attribute::Strength, 100}, {model::Attribute::Dexterity, 75}, {model::Attribute::Energy, 60}};
    plan.attributes.tome = {20, 45, 70};
    plan.attributes.goldenBird = {21, 46, 71};
    return plan;
}

void KeyToAttributesWindowShown(benchmark::State& state) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("sw-bench-attributes-" + std::to_string(::getpid()) + ".txt");
    std::ofstream(file, std::ios::binary) << report::reportText(paladin());
    toolkit::ScriptedToolkit toolkit;
    toolkit.journalFolder = (std::filesystem::temp_directory_path() /
                             ("sw-bench-attributes-journal-" + std::to_string(::getpid())))
                                .string();
    document::PlanDocument document;
    app::Program program(document, toolkit);
    if (!program.openCharacter(file.string()) || !toolkit.messages.empty()) {
        state.SkipWithError("the report did not open cleanly");
        return;
    }
    QApplication::processEvents();
    // The action the key runs, made from the command table.
    auto* key = program.treeScreen()->findChild<QAction*>(QStringLiteral("mnu_Attributes"));
    if (key == nullptr) {
        state.SkipWithError("no Attributes action on the tree screen");
        return;
    }
    for (auto _ : state) {
        key->trigger();
        QWidget* window = program.attributesWindow();
        if (window == nullptr || !window->isVisible()) {
            state.SkipWithError("no attributes window shown");
            break;
        }
        window->repaint();
        state.PauseTiming();
        delete window;
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    std::filesystem::remove(file);
    std::filesystem::remove_all(toolkit.journalFolder);
}
BENCHMARK(KeyToAttributesWindowShown)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    return skillwright::bench::runWithQt(argc, argv);
}
