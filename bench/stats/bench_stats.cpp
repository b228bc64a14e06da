// Speed of the statistics viewer: from the skill menu's "&Skill Stats" to
// the viewer painted with the right-clicked skill, and loading a skill.
#include <screens/common/ScreenKit.h>
#include <stats/SkillStatsViewer.h>
#include <toolkit/ScriptedToolkit.h>

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QtBenchMain.h>

#include <benchmark/benchmark.h>

#include <Program.h>
#include <document/PlanDocument.h>

using namespace skillwright;

namespace {

// The menu entry on Meteor (four columns, three plots, a marked row): the
// viewer open before is replaced, the new one created, loaded, shown and
// painted.
void BM_MenuEntryToViewerShown(benchmark::State& state) {
    toolkit::ScriptedToolkit toolkit;
    document::PlanDocument document;
    app::Program program(document, toolkit);
    document.startNew(model::ClassId::Sorceress);
    // A right click on Meteor, the menu dismissed.
    program.menu().setPopper([](QMenu&, QPoint) { return nullptr; });
    program.menu().popupSkillMenu(document.build().state(), {model::TreeId::SorceressFire, 7}, QPoint());
    for (auto _ : state) {
        program.menu().showSkillStats();
        QApplication::processEvents();
        if (program.statsViewer() == nullptr) {
            state.SkipWithError("no viewer opened");
            break;
        }
    }
}
BENCHMARK(BM_MenuEntryToViewerShown)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

// Loading another skill into an open viewer: the eighty cells, the titles,
// the marked row and the plots.
void BM_LoadSkill(benchmark::State& state) {
    QPointer<stats::SkillStatsViewer> viewer = new stats::SkillStatsViewer;
    viewer->show();
    QApplication::processEvents();
    int next = 0;
    for (auto _ : state) {
        const model::TreeId tree =
            next % 2 == 0 ? model::TreeId::SorceressFire : model::TreeId::NecromancerPoisonBone;
        viewer->load(model::SkillRef{tree, static_cast<std::int16_t>(next % 10)}, next % 21);
        ++next;
        QApplication::processEvents();
    }
    delete viewer.data();
}
BENCHMARK(BM_LoadSkill)->Unit(benchmark::kMicrosecond)->Repetitions(5)->DisplayAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    return skillwright::bench::runWithQt(argc, argv);
}
