// Pasting a build code: Ctrl+V on the start screen with the code of a
// level-99 Sorceress on the clipboard (all twelve quest points, thirty
// points held in reserve and spent, a name), to her tree screen shown and
// painted with the replayed history: at most 10 ms.
#include <model/BuildCode.h>
#include <toolkit/ScriptedToolkit.h>

#include <QApplication>
#include <QTest>
#include <QtBenchMain.h>

#include <benchmark/benchmark.h>

#include <PlanMaker.h>
#include <Program.h>
#include <document/PlanDocument.h>

using namespace skillwright;

namespace {

void PasteLevel99Code(benchmark::State& state) {
    const model::Plan plan = testing::fullPlan(model::ClassId::Sorceress, "Frost Witch");
    toolkit::ScriptedToolkit toolkit;
    toolkit.clipboard = model::encodeBuildCode(plan);
    document::PlanDocument document;
    app::Program program(document, toolkit);
    program.start();
    QWidget& start = program.startScreen();
    for (auto _ : state) {
        state.PauseTiming();
        start.show();
        start.activateWindow();
        if (!QTest::qWaitForWindowActive(&start)) {
            state.SkipWithError("the start screen has not the keyboard");
            break;
        }
        state.ResumeTiming();
        QTest::keyClick(&start, Qt::Key_V, Qt::ControlModifier);
        if (program.treeScreen() == nullptr || !toolkit.messages.empty()) {
            state.SkipWithError("the code did not open cleanly");
            break;
        }
        program.treeScreen()->repaint();
        state.PauseTiming();
        delete program.treeScreen();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["characters"] = static_cast<double>(toolkit.clipboard->size());
    state.counters["entries"] = static_cast<double>(plan.history.size());
}
BENCHMARK(PasteLevel99Code)->Unit(benchmark::kMillisecond)->Repetitions(5)->DisplayAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithQt(argc, argv);
}
