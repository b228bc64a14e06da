// Speed of the statistics viewer: from creating it to its first painting
// with a skill loaded, the way each opening from the skill menu goes.
#include <stats/frm_SkillStats.h>

#include <QApplication>
#include <QPointer>
#include <QtBenchMain.h>

#include <benchmark/benchmark.h>

using namespace skillwright;

namespace {

// Create, load Meteor (four columns, three plots, a marked row), show and
// paint; closing and deleting it again is counted too, so the figure is an
// upper bound of an opening.
void BM_OpenViewer(benchmark::State& state) {
    for (auto _ : state) {
        QPointer<stats::frm_SkillStats> viewer = new stats::frm_SkillStats;
        viewer->load("SorcFire", 7, 8);
        viewer->show();
        QApplication::processEvents();
        viewer->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!viewer.isNull()) {
            state.SkipWithError("the viewer was not deleted on close");
            break;
        }
    }
}
BENCHMARK(BM_OpenViewer)->Unit(benchmark::kMillisecond)->Repetitions(5)->DisplayAggregatesOnly(true);

// Loading another skill into an open viewer: the eighty cells, the titles,
// the marked row and the plots.
void BM_LoadSkill(benchmark::State& state) {
    QPointer<stats::frm_SkillStats> viewer = new stats::frm_SkillStats;
    viewer->show();
    QApplication::processEvents();
    int next = 0;
    for (auto _ : state) {
        viewer->load(next % 2 == 0 ? "SorcFire" : "NecroBone", next % 10, next % 21);
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
