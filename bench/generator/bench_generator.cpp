// Speed of the random character generator: from the player's Yes to the
// closing message of a level-75 character, on a shown skill tree screen that
// lets the window events run twice per level as the player watches.
#include <generator/RandomFillRun.h>
#include <model/RandomGeneration.h>
#include <screens/tree/SkillTreeScreen.h>
#include <toolkit/ScriptedToolkit.h>

#include <QApplication>
#include <QtBenchMain.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <document/PlanDocument.h>
#include <random>

using namespace skillwright;

namespace {

void GenerateLevel75(benchmark::State& state) {
    // The scripted answers (Yes, then OK), with the real event loop run where
    // the fill lets events run, and the moment the closing message came.
    toolkit::ScriptedToolkit toolkit;
    toolkit.onProcessEvents = [] { QApplication::processEvents(); };
    std::mt19937 random(75);
    toolkit.randomSource = [&random] { return std::uniform_real_distribution<double>(0.0, 1.0)(random); };
    std::chrono::steady_clock::time_point closedAt;
    toolkit.onMessage = [&closedAt](const toolkit::ScriptedToolkit::MessageRecord& shown) {
        if (shown.title == model::kGenerationDoneTitle) {
            closedAt = std::chrono::steady_clock::now();
        }
    };
    document::PlanDocument document;
    const auto classes = model::classes();
    std::size_t next = 0;
    for (auto _ : state) {
        const model::ClassInfo& c = classes[next++ % classes.size()];
        const auto yes = std::chrono::steady_clock::now();
        const model::GenerationPlan plan =
            model::drawGeneration({c.id, 75}, [&toolkit] { return toolkit.random(); });
        document.startNew(plan.classId, document::Origin::Generator);
        auto* screen = new screens::SkillTreeScreen(document, toolkit);
        screen->show();
        generator::fillRandomly(document, toolkit, plan.level);
        state.SetIterationTime(std::chrono::duration<double>(closedAt - yes).count());
        delete screen;
        document.close();
    }
}
BENCHMARK(GenerateLevel75)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithQt(argc, argv);
}
