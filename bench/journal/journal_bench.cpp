// The journal is written after every click, so a level-99 plan's journal must
// be written well within the millisecond a click has to be repainted in;
// reading one back, rules and all, is what continuing a plan costs first.
#include <journal/Journal.h>
#include <model/Build.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

using namespace skillwright;

/// The longest plan there is: every level-up held in reserve and spent
/// later, and all twelve quest points.
model::Plan longestPlan(std::string name) {
    model::Build build;
    build.startCharacter(model::ClassId::Necromancer);
    const auto trees = model::classInfo(model::ClassId::Necromancer).trees;
    auto onFirstSkillTaking = [&](auto take) {
        for (int s = 0; s < 30; ++s) {
            if (take(model::SkillRef{trees[static_cast<std::size_t>(s / 10)],
                                     static_cast<std::int16_t>(s % 10)})
                    .accepted()) {
                return;
            }
        }
    };
    while (build.characterLevel() < model::kMaxLevel) {
        build.reservePoint();
        onFirstSkillTaking([&](model::SkillRef skill) { return build.useReservedPoint(skill); });
    }
    for (const model::Quest quest :
         {model::Quest::DenOfEvil, model::Quest::BookOfSkill, model::Quest::Izual}) {
        for (int k = 0; k < model::questLimit(quest); ++k) {
            onFirstSkillTaking([&](model::SkillRef skill) { return build.takeQuestPoint(quest, skill); });
        }
    }
    return model::Plan{model::ClassId::Necromancer, build.character()->history(), std::move(name)};
}

const journal::Seconds kNow = journal::systemClock();

/// A folder of its own for one benchmark, removed after it.
struct Folder {
    std::string path;
    Folder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "sw-bench-journal-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path = pattern;
        }
    }
    ~Folder() { std::filesystem::remove_all(path); }
};

void BM_FormatLevel99Journal(benchmark::State& state) {
    const journal::JournalRecord record{longestPlan("Character"), false, kNow};
    for (auto _ : state) {
        std::string text = journal::formatJournal(record);
        benchmark::DoNotOptimize(text);
    }
    state.counters["entries"] = static_cast<double>(record.plan.history.size());
    state.counters["bytes"] = static_cast<double>(journal::formatJournal(record).size());
}
BENCHMARK(BM_FormatLevel99Journal)->Unit(benchmark::kMicrosecond);

// What every click adds: the journal of the plan on screen written anew.
void BM_WriteLevel99Journal(benchmark::State& state) {
    Folder folder;
    journal::Journal journal({folder.path});
    const model::Plan plans[] = {longestPlan("Character"), longestPlan("Character 2")};
    int n = 0;
    for (auto _ : state) {
        journal.planChanged(plans[n++ % 2]);
    }
    journal.planSaved(plans[0]); // nothing to keep
}
BENCHMARK(BM_WriteLevel99Journal)->Unit(benchmark::kMicrosecond);

// For a quiet moment, not for a click: the latest journal made to survive a
// power cut (fsync).
void BM_WriteAndMakeDurableLevel99Journal(benchmark::State& state) {
    Folder folder;
    journal::Journal journal({folder.path});
    const model::Plan plans[] = {longestPlan("Character"), longestPlan("Character 2")};
    int n = 0;
    for (auto _ : state) {
        journal.planChanged(plans[n++ % 2]);
        journal.makeDurable();
    }
    journal.planSaved(plans[0]);
}
BENCHMARK(BM_WriteAndMakeDurableLevel99Journal)->Unit(benchmark::kMillisecond)->Iterations(50);

// Reading a level-99 journal back, its history replayed through the rules.
void BM_ReadLevel99Journal(benchmark::State& state) {
    const std::string text = journal::formatJournal({longestPlan("Character"), false, kNow});
    for (auto _ : state) {
        journal::JournalReading reading = journal::parseJournal(text);
        benchmark::DoNotOptimize(reading);
    }
}
BENCHMARK(BM_ReadLevel99Journal)->Unit(benchmark::kMicrosecond);

// The start screen's list: ten level-99 plans read and checked.
void BM_ListTenLevel99Plans(benchmark::State& state) {
    Folder folder;
    journal::Journal journal({folder.path});
    for (int n = 0; n < 10; ++n) {
        journal.planChanged(longestPlan("Character " + std::to_string(n)));
        journal.planLeft();
    }
    for (auto _ : state) {
        auto plans = journal.recoverablePlans();
        benchmark::DoNotOptimize(plans);
    }
}
BENCHMARK(BM_ListTenLevel99Plans)->Unit(benchmark::kMicrosecond);

// The first window waits for the journal's start: with `files` in its folder
// of every kind (other names, journals and locks of ended programs, good and
// damaged, plans that left), at most 1 s over an empty folder for 100,000.
void BM_StartWithFilesInTheFolder(benchmark::State& state) {
    const auto files = static_cast<int>(state.range(0));
    const std::string good = journal::formatJournal({longestPlan("Left behind"), false, kNow});
    for (auto _ : state) {
        state.PauseTiming();
        auto folder = std::make_unique<Folder>();
        for (int i = 0; i < files; ++i) {
            const std::string n = std::to_string(1000000 + i);
            const char* const names[] = {"note-", "plan-", "left-", "plan-"};
            const char* const tails[] = {".txt", ".1.journal", ".journal", ".lock"};
            std::ofstream(folder->path + "/" + names[i % 4] + n + tails[i % 4])
                << (i % 8 == 1 ? good : std::string("not a journal"));
        }
        state.ResumeTiming();
        {
            journal::Journal journal({folder->path});
            benchmark::DoNotOptimize(journal.usable());
        }
        state.PauseTiming(); // the folder's removal is no part of the start
        folder.reset();
        state.ResumeTiming();
    }
    state.counters["files"] = static_cast<double>(files);
}
BENCHMARK(BM_StartWithFilesInTheFolder)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
