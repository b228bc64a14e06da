// The rules' hot paths: an accepted click, a whole character, UNDO LAST; the
// plan document's undo and redo of an edit; a plan's build code written
// and read back; a plan's summary; and the attributes, life, mana and
// stamina at every level.
#include "PlanMaker.h"

#include <model/Attributes.h>
#include <model/Build.h>
#include <model/BuildCode.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <document/PlanDocument.h>
#include <functional>
#include <presentation/PlanSummary.h>
#include <presentation/Presentation.h>

namespace {

namespace model = skillwright::model;
using skillwright::model::Build;
using skillwright::model::ClassId;
using skillwright::model::TreeId;

// The Necromancer's five first-tier skills take 100 points between them,
// enough for every level-up of a character.
constexpr std::array<std::pair<TreeId, std::int16_t>, 5> kFirstTier{{
    {TreeId::NecromancerSummoning, 0},
    {TreeId::NecromancerSummoning, 1},
    {TreeId::NecromancerPoisonBone, 0},
    {TreeId::NecromancerPoisonBone, 1},
    {TreeId::NecromancerCurses, 0},
}};

/// The click with what the program has listening to it, and the history
/// and status texts a screen shows afterwards.
void OrdinaryClick(benchmark::State& state) {
    Build build;
    skillwright::presentation::NoticeLine notice;
    skillwright::presentation::SkillMenuTexts menuTexts(build);
    skillwright::presentation::StatusLabels status;
    const skillwright::model::FollowBuild follow(build, [&](const skillwright::model::BuildChange& change) {
        status.follow(change, build.state());
        notice.follow(change);
    });
    build.startCharacter(ClassId::Necromancer);
    std::size_t next = 0;
    for (auto _ : state) {
        const auto [tree, index] = kFirstTier[next++ % kFirstTier.size()];
        build.click(tree, index);
        benchmark::DoNotOptimize(skillwright::model::formatEntry(build.character()->history().back()).data());
        benchmark::DoNotOptimize(status.levelLabel().data());
        benchmark::DoNotOptimize(status.pointsLabel().data());
        if (build.levelsGained() == 98) {
            state.PauseTiming();
            build.reset();
            build.startCharacter(ClassId::Necromancer);
            next = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(OrdinaryClick);

void WholeBuildToLevel99(benchmark::State& state) {
    Build build;
    for (auto _ : state) {
        build.reset();
        build.startCharacter(ClassId::Necromancer);
        for (int n = 0; n < 98; ++n) {
            const auto [tree, index] = kFirstTier[static_cast<std::size_t>(n) % kFirstTier.size()];
            build.click(tree, index);
        }
        if (build.levelsGained() != 98) {
            state.SkipWithError("the build did not reach level 99");
        }
    }
}
BENCHMARK(WholeBuildToLevel99)->Unit(benchmark::kMicrosecond);

/// Undo of one kind of entry: the entry is made untimed, the undo timed.
/// Every entry goes into a skill open from level 1, so that none is refused.
void UndoLast(benchmark::State& state, const std::function<void(Build&)>& makeEntry) {
    Build build;
    skillwright::presentation::SkillMenuTexts menuTexts(build);
    skillwright::presentation::StatusLabels status;
    const skillwright::model::FollowBuild follow(
        build, [&](const skillwright::model::BuildChange& change) { status.follow(change, build.state()); });
    build.startCharacter(ClassId::Necromancer);
    for (int n = 0; n < 40; ++n) {
        build.reservePoint(); // level 41, so that every quest is open
    }
    for (auto _ : state) {
        makeEntry(build);
        const auto start = std::chrono::steady_clock::now();
        build.undoLast();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

skillwright::model::SkillRef teeth(std::int16_t index) {
    return {TreeId::NecromancerPoisonBone, index};
}

BENCHMARK_CAPTURE(UndoLast, OrdinaryPoint, [](Build& b) {
    b.click(TreeId::NecromancerPoisonBone, 0);
})->UseManualTime();
BENCHMARK_CAPTURE(UndoLast, ReservedForLater, [](Build& b) { b.reservePoint(); })->UseManualTime();
BENCHMARK_CAPTURE(UndoLast, ReservedSpent, [](Build& b) { b.useReservedPoint(teeth(1)); })->UseManualTime();
BENCHMARK_CAPTURE(UndoLast, DenOfEvil, [](Build& b) {
    b.takeQuestPoint(skillwright::model::Quest::DenOfEvil, teeth(0));
})->UseManualTime();
BENCHMARK_CAPTURE(UndoLast, BookOfSkill, [](Build& b) {
    b.takeQuestPoint(skillwright::model::Quest::BookOfSkill, teeth(0));
})->UseManualTime();
BENCHMARK_CAPTURE(UndoLast, Izual, [](Build& b) {
    b.takeQuestPoint(skillwright::model::Quest::Izual, teeth(0));
})->UseManualTime();

/// The document's undo and redo of one edit on a level-99 plan: the click
/// that took the character from level 98 to 99, with every quest point and
/// 30 reserved points before it. Each is the snapshot before or after the
/// edit replayed through the rules; both run every iteration, one is timed.
/// Target: at most 10 us each.
void UndoRedoOfOneEdit(benchmark::State& state, bool timeRedo) {
    using skillwright::document::PlanDocument;
    model::Plan plan = skillwright::testing::fullPlan(ClassId::Sorceress, "Bench");
    while (plan.history.back().kind != model::EntryKind::Ordinary) {
        plan.history.pop_back();
    }
    const model::SkillRef last = plan.history.back().skill;
    plan.history.pop_back();
    PlanDocument document;
    skillwright::presentation::SkillMenuTexts menuTexts(document.build());
    document.open({plan, skillwright::document::Origin::Report, "Bench.txt"});
    if (!document.click(last.tree, last.index).accepted() || document.build().characterLevel() != 99) {
        state.SkipWithError("the edit did not reach level 99");
        return;
    }
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        const bool undone = document.undo();
        auto end = std::chrono::steady_clock::now();
        if (timeRedo) {
            start = std::chrono::steady_clock::now();
        }
        const bool redone = document.redo();
        if (timeRedo) {
            end = std::chrono::steady_clock::now();
        }
        if (!undone || !redone) {
            state.SkipWithError("the edit was not undone and redone");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["entries"] = static_cast<double>(document.build().character()->history().size());
}
BENCHMARK_CAPTURE(UndoRedoOfOneEdit, Undo, false)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(UndoRedoOfOneEdit, Redo, true)->UseManualTime()->Unit(benchmark::kMicrosecond);

/// Copying a level-99 character's code and pasting it back, without the
/// rules: every quest, 30 points reserved and spent, a 12-letter name.
/// Target: at most 20 us.
void BuildCodeLevel99(benchmark::State& state) {
    const skillwright::model::Plan plan = skillwright::testing::fullPlan(ClassId::Sorceress, "Tyrael Archo");
    for (auto _ : state) {
        const std::string code = skillwright::model::encodeBuildCode(plan);
        const skillwright::model::CodeReading reading = skillwright::model::decodeBuildCode(code);
        if (!reading.plan || reading.plan->history.size() != plan.history.size()) {
            state.SkipWithError("the code did not open to the plan");
        }
        benchmark::DoNotOptimize(reading.plan->history.data());
    }
    state.counters["characters"] = static_cast<double>(skillwright::model::encodeBuildCode(plan).size());
}
BENCHMARK(BuildCodeLevel99)->Unit(benchmark::kMicrosecond);

/// The summary of a level-99 character (every quest, 30 points reserved and
/// spent, 140 entries, two milestones) with its skill lines and its level
/// order in runs, as the summary window writes them. Target: at most 100 us.
void SummaryLevel99(benchmark::State& state) {
    skillwright::model::Plan plan = skillwright::testing::fullPlan(ClassId::Sorceress, "Tyrael Archo");
    plan.milestones = {{20, "Act 2", ""}, {90, "Nightmare", ""}};
    for (auto _ : state) {
        const skillwright::presentation::PlanSummary summary = skillwright::presentation::summarize(plan);
        std::size_t characters = skillwright::presentation::levelOrderText(summary.levelOrder).size();
        for (const auto& skill : summary.skills) {
            characters += skillwright::presentation::skillLine(skill).size();
        }
        benchmark::DoNotOptimize(characters);
    }
}
BENCHMARK(SummaryLevel99)->Unit(benchmark::kMicrosecond);

// The whole table of a level-99 plan with four targets (one never met), the
// rest, and both quests in every difficulty: 99 rows of attributes, life,
// mana and stamina. Target: at most 100 us.
void AttributeTableToLevel99(benchmark::State& state) {
    model::AttributePlan plan;
    plan.targets = {{model::Attribute::Strength, 100},
                    {model::Attribute::Dexterity, 120},
                    {model::Attribute::Strength, 156},
                    {model::Attribute::Energy, 400}};
    plan.rest = model::Attribute::Vitality;
    plan.tome = {20, 45, 70};
    plan.goldenBird = {21, 46, 71};
    for (auto _ : state) {
        std::vector<model::CharacterFigures> table = model::figuresByLevel(ClassId::Paladin, plan);
        benchmark::DoNotOptimize(table.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(AttributeTableToLevel99)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
