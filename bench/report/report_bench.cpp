// A full character's report must be written well within a frame (16 ms), so
// SAVE never makes the screen stutter.
#include <model/Build.h>
#include <report/ReportText.h>
#include <report/SaveBuildReport.h>
#include <toolkit/ScriptedToolkit.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace skillwright;

/// The longest history a character reaches: 98 level-ups plus the 12 quest points.
std::vector<model::HistoryEntry> fullHistory() {
    std::vector<model::HistoryEntry> history;
    for (std::int16_t level = 2; level <= 99; ++level) {
        history.push_back(
            {model::EntryKind::Ordinary, level, 20, 0, {model::TreeId::NecromancerPoisonBone, 3}});
    }
    for (std::int16_t k = 0; k < 12; ++k) {
        history.push_back({model::EntryKind::Izual, 0, 20, 1, {model::TreeId::NecromancerPoisonBone, 9}});
    }
    return history;
}

void BM_ReportText(benchmark::State& state) {
    const model::Plan plan{model::ClassId::Necromancer, fullHistory(), "Character"};
    for (auto _ : state) {
        std::string text = report::reportText(plan);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_ReportText);

void BM_SaveFullCharacter(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "sw-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    toolkit::ScriptedToolkit toolkit;
    toolkit.folder = pattern;
    model::Build build;
    build.startCharacter(model::ClassId::Necromancer);
    while (build.levelsGained() < 97) {
        build.reservePoint();
    }
    for (auto _ : state) {
        toolkit.inputs.push_back("Character");
        report::saveBuildReport(build.plan(), toolkit, report::ReportName::of("Character"),
                                report::reportPath(pattern, "Character"), {});
    }
    std::filesystem::remove_all(pattern);
}
BENCHMARK(BM_SaveFullCharacter)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
