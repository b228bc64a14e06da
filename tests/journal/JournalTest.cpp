// The journal's files: every plan that leaves the screen unsaved comes back
// whole, ten are kept, damaged and foreign files are set aside, two programs
// at once keep apart, and a program killed while writing leaves a whole journal.
#include "Files.h"
#include "PlanMaker.h"
#include "RandomPlay.h"

#include <journal/Journal.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <sched.h>
#include <set>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace skillwright::journal {
namespace {

namespace fs = std::filesystem;
using model::ClassId;

constexpr Seconds at(long long seconds) {
    return Seconds(std::chrono::seconds(seconds));
}
/// 2026-12-06 18:40:00 UTC.
constexpr Seconds kStart = at(1796582400);

/// A plan made by playing `classId` at random up to `level`.
model::Plan randomPlan(ClassId classId, int level, std::string name, unsigned seed) {
    std::mt19937 random(seed);
    model::Build build;
    support::playAtRandom(build, classId, level, random);
    return testing::planOf(build, std::move(name));
}

class JournalFiles : public ::testing::Test {
protected:
    testing::TemporaryFolder temporary;
    const fs::path folder = temporary.path / "state" / "skillwright"; // made by the journal
    Seconds now = kStart;

    [[nodiscard]] JournalSetup setup(bool unnamedFiles = true) {
        return JournalSetup{folder.string(), [this] { return now; }, unnamedFiles};
    }
    [[nodiscard]] std::set<std::string> names() const { return testing::namesIn(folder); }
    [[nodiscard]] std::vector<std::string> listedNames(Journal& journal) const {
        std::vector<std::string> listed;
        for (const RecoverablePlan& p : journal.recoverablePlans()) {
            listed.push_back(p.name);
        }
        return listed;
    }
};

TEST_F(JournalFiles, aPlanThatLeavesTheScreenUnsavedComesBackWhole) {
    const model::Plan plan = randomPlan(ClassId::Sorceress, 57, "Hero", 1);
    const model::Plan empty{ClassId::Amazon, {}, "Nobody"};
    // Steps: c the plan changed, e an empty plan changed, s saved, d made
    // durable, t left and taken back (then it is on screen again, unlisted).
    const struct {
        const char* steps;
        bool kept;
    } cases[] = {{"c", true},   {"sc", true}, {"cd", true}, {"s", false},
                 {"cs", false}, {"e", false}, {"ct", true}};
    const auto play = [&](Journal& j, char step) {
        switch (step) {
        case 'c':
            return j.planChanged(plan);
        case 'e':
            return j.planChanged(empty);
        case 's':
            return j.planSaved(plan);
        case 'd':
            return j.makeDurable();
        default:
            j.planLeft();
            ASSERT_EQ(j.recoverablePlans().size(), 1u);
            EXPECT_EQ(j.takeBack(j.recoverablePlans().front().number), plan);
            EXPECT_EQ(j.recoverablePlans().size(), 0u);
        }
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        for (const bool byTheEnd : {false, true}) {
            fs::remove_all(folder);
            {
                Journal journal(setup());
                for (const char* step = c.steps; *step != '\0'; ++step) {
                    play(journal, *step);
                }
                if (!byTheEnd) {
                    journal.planLeft();
                    EXPECT_EQ(journal.recoverablePlans().size(), c.kept ? 1u : 0u);
                }
                now += std::chrono::minutes(5);
            } // the end of the program: the plan on screen leaves it
            Journal next(setup());
            const std::vector<RecoverablePlan> listed = next.recoverablePlans();
            ASSERT_EQ(listed.size(), c.kept ? 1u : 0u);
            if (c.kept) {
                EXPECT_EQ(continueText(listed[0].classId, listed[0].level, listed[0].saved,
                                       listed[0].changedAt, now),
                          "Continue: Sorceress, level 57, unsaved, 5 minutes ago");
                EXPECT_EQ(next.takeBack(listed[0].number), plan);
                EXPECT_EQ(next.recoverablePlans().size(), 0u);
            }
            now = kStart;
        }
    }
}

TEST_F(JournalFiles, theTenPlansThatLeftLastAreKeptNewestFirst) {
    Journal journal(setup());
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all)
        << "the player's alone";
    for (int n = 1; n <= 13; ++n) {
        journal.planChanged(randomPlan(static_cast<ClassId>(n % 5), 2 + n, "plan " + std::to_string(n), n));
        journal.planLeft();
    }
    const std::vector<std::string> expected{"plan 13", "plan 12", "plan 11", "plan 10", "plan 9",
                                            "plan 8",  "plan 7",  "plan 6",  "plan 5",  "plan 4"};
    EXPECT_EQ(listedNames(journal), expected);
    const std::vector<RecoverablePlan> listed = journal.recoverablePlans();
    EXPECT_EQ(listed[0].level, 15);
    EXPECT_EQ(listed[9].level, 6);
    EXPECT_EQ(listed[0].classId, ClassId::Paladin);

    // Taking one back and leaving it again makes it the newest.
    const std::optional<model::Plan> seventh = journal.takeBack(listed[6].number);
    ASSERT_TRUE(seventh);
    EXPECT_EQ(seventh->name, "plan 7");
    journal.planChanged(randomPlan(ClassId::Amazon, 20, "plan 7", 7));
    journal.planLeft();
    EXPECT_EQ(listedNames(journal),
              (std::vector<std::string>{"plan 7", "plan 13", "plan 12", "plan 11", "plan 10", "plan 9",
                                        "plan 8", "plan 6", "plan 5", "plan 4"}));
    // Taking back another with a plan on screen: that one leaves the screen.
    journal.planChanged(randomPlan(ClassId::Amazon, 20, "on screen", 14));
    ASSERT_TRUE(journal.takeBack(journal.recoverablePlans().back().number));
    EXPECT_EQ(listedNames(journal),
              (std::vector<std::string>{"on screen", "plan 7", "plan 13", "plan 12", "plan 11", "plan 10",
                                        "plan 9", "plan 8", "plan 6", "plan 5"}));
    EXPECT_EQ(std::ranges::count_if(names(), [](const std::string& n) { return n.starts_with("left-"); }),
              10);
}

TEST_F(JournalFiles, damagedAndForeignJournalsAreSetAsideUnread) {
    const std::string good = formatJournal({randomPlan(ClassId::Barbarian, 30, "Good", 3), false, kStart});
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
    };
    const Case cases[] = {
        {"damaged", [&](const fs::path& p) { std::ofstream(p) << good.substr(0, good.size() - 20); }},
        {"huge", [&](const fs::path& p) { std::ofstream(p) << good << std::string(kMaxJournalBytes, '\n'); }},
        {"empty", [&](const fs::path& p) { std::ofstream(p) << ""; }},
        {"a pipe", [&](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
        {"a folder", [&](const fs::path& p) { fs::create_directory(p); }},
        {"a link to /dev/zero", [&](const fs::path& p) { fs::create_symlink("/dev/zero", p); }},
        {"a link to a good journal",
         [&](const fs::path& p) {
             std::ofstream(p.parent_path().parent_path() / "elsewhere") << good;
             fs::create_symlink(p.parent_path().parent_path() / "elsewhere", p);
         }},
        {"unreadable",
         [&](const fs::path& p) {
             std::ofstream(p) << good;
             fs::permissions(p, fs::perms::none);
         }},
    };
    // Where a journal may lie: the journal of a program that ended without
    // its lock, or a plan that left the screen.
    for (const char* place : {"plan-999999.7.journal", "left-3.journal"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + " as " + place);
            fs::remove_all(folder);
            fs::create_directories(folder);
            c.make(folder / place);
            std::ofstream(folder / "left-2.journal") << good;
            if (std::string_view(c.what) == "unreadable" && ::access((folder / place).c_str(), R_OK) == 0) {
                fs::remove(folder / place); // root reads it all the same: it is good
                std::ofstream(folder / place) << good.substr(0, good.size() - 20);
            }

            Journal journal(setup());
            const std::vector<std::string> listed = listedNames(journal);
            EXPECT_EQ(listed, std::vector<std::string>{"Good"});
            const std::set<std::string> expected{"journal-2026-12-06T18-40-00.bad", "journal.lock",
                                                 journal.sessionName() + ".lock", "left-2.journal"};
            EXPECT_EQ(names(), expected);
        }
    }
}

// A journal of a later version is that program's to read: it stays as it is,
// as the journal of an ended program or a plan that left the screen, however
// many plans leave after it, and the list tells of it.
TEST_F(JournalFiles, aJournalOfALaterVersionIsKeptUntouched) {
    const std::string newer = "skillwright journal 5\nwhatever comes later\n";
    fs::create_directories(folder);
    std::ofstream(folder / "left-1.journal") << newer;
    std::ofstream(folder / "plan-999999.7.journal") << newer;
    Journal journal(setup());
    for (int n = 1; n <= 12; ++n) {
        journal.planChanged(randomPlan(ClassId::Paladin, 2 + n, "plan " + std::to_string(n), n));
        journal.planLeft();
    }
    const std::vector<RecoverablePlan> listed = journal.recoverablePlans();
    ASSERT_EQ(listed.size(), 11u);
    EXPECT_EQ(listed[9].name, "plan 3");
    EXPECT_EQ(listed[10].number, 1u);
    EXPECT_TRUE(listed[10].newerVersion);
    EXPECT_FALSE(journal.takeBack(1));
    for (const char* name : {"left-1.journal", "plan-999999.7.journal"}) {
        EXPECT_EQ(testing::readFile(folder / name), newer) << name;
    }
}

TEST_F(JournalFiles, setAsideFilesOfTheSameMomentKeepApartAndTheTenNewestStay) {
    fs::create_directories(folder);
    for (int n = 1; n <= 12; ++n) {
        std::ofstream(folder / ("left-" + std::to_string(n) + ".journal")) << "not a journal " << n;
    }
    now = kStart;
    Journal journal(setup());
    EXPECT_EQ(journal.recoverablePlans().size(), 0u);
    std::set<std::string> setAside;
    std::ranges::copy_if(names(), std::inserter(setAside, setAside.end()),
                         [](const std::string& name) { return name.ends_with(".bad"); });
    // Ten are set aside, the two oldest removed for the ten plans kept.
    EXPECT_EQ(setAside.size(), 10u);
    EXPECT_TRUE(setAside.contains("journal-2026-12-06T18-40-00.bad"));
    EXPECT_TRUE(setAside.contains("journal-2026-12-06T18-40-00-9.bad"));
}

TEST_F(JournalFiles, twoProgramsAtOnceKeepTheirJournalsApart) {
    const model::Plan first = randomPlan(ClassId::Necromancer, 40, "first", 4);
    const model::Plan second = randomPlan(ClassId::Paladin, 41, "second", 5);
    auto a = std::make_unique<Journal>(setup());
    auto b = std::make_unique<Journal>(setup());
    ASSERT_TRUE(a->usable());
    ASSERT_TRUE(b->usable());
    EXPECT_NE(a->sessionName(), b->sessionName());
    a->planChanged(first);
    b->planChanged(second);
    {
        // A third start takes neither: both are running.
        Journal third(setup());
        EXPECT_EQ(third.recoverablePlans().size(), 0u);
    }
    b.reset();
    EXPECT_EQ(listedNames(*a), std::vector<std::string>{"second"});
    a.reset();
    Journal after(setup());
    EXPECT_EQ(listedNames(after), (std::vector<std::string>{"first", "second"}));
}

// A journal that cannot be written says why, and once it can, holds the
// whole plan as it stands: the disk fills (a small tmpfs, where the test may
// mount one) and gets space again before the plan leaves. (A folder that is
// a file, the program's suites.)
TEST_F(JournalFiles, aJournalThatCannotBeWrittenSaysWhyAndCatchesUpOnceItCan) {
    const model::Plan early = randomPlan(ClassId::Amazon, 10, "early", 6);
    const model::Plan late = randomPlan(ClassId::Amazon, 57, "late", 7);
    const fs::path small = temporary.path / "small";
    fs::create_directory(small);
    if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "no tmpfs may be mounted here for a full disk";
    }
    const struct Unmount {
        fs::path at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{small};
    const JournalSetup onSmallDisk{(small / "skillwright").string(), [this] { return now; }};
    {
        Journal journal(onSmallDisk);
        journal.planChanged(early);
        ASSERT_FALSE(journal.failure());
        {
            std::ofstream filler(small / "filler");
            const std::string block(4096, 'x');
            while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
            }
        }
        journal.planChanged(late);
        ASSERT_TRUE(journal.failure());
        EXPECT_EQ(journal.failure()->description, "No space left on device");
        fs::remove(small / "filler");
    } // leaving, the plan as it stands is written
    Journal next(onSmallDisk);
    ASSERT_EQ(next.recoverablePlans().size(), 1u);
    EXPECT_EQ(next.takeBack(next.recoverablePlans()[0].number), late);
}

/// Forks a child that starts a journal and writes `plans` over and over;
/// kills it `delay` after it finished its `writes`-th journal. Returns its pid.
pid_t writeUntilKilled(const JournalSetup& setup, const std::vector<model::Plan>& plans, int writes,
                       std::chrono::microseconds delay) {
    // The child counts its journals where the parent sees them.
    void* shared =
        ::mmap(nullptr, sizeof(std::atomic<int>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED) {
        return -1;
    }
    auto* written = new (shared) std::atomic<int>(-1);
    const pid_t child = ::fork();
    if (child == 0) {
        Journal journal(setup);
        for (int n = 0;; ++n) {
            written->store(n);
            journal.planChanged(plans[static_cast<std::size_t>(n) % plans.size()]);
        }
    }
    if (child > 0) {
        while (written->load() < writes) {
            ::sched_yield();
        }
        const auto until = std::chrono::steady_clock::now() + delay;
        while (std::chrono::steady_clock::now() < until) {
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    ::munmap(shared, sizeof(std::atomic<int>));
    return child;
}

// A program killed at any moment while it writes its journal, a few hundred
// times: what it leaves is its latest journal and maybe the one before,
// whole, and nothing else; the next start takes it back as it was.
TEST_F(JournalFiles, aProgramKilledWhileWritingLeavesItsJournalWhole) {
    std::vector<model::Plan> plans;
    for (int n = 0; n < 12; ++n) {
        plans.push_back(randomPlan(static_cast<ClassId>(n % 5), n == 0 ? 99 : 2 + n * 8,
                                   "plan " + std::to_string(n), 100 + n));
    }
    for (const bool unnamedFiles : {true, false}) {
        SCOPED_TRACE(unnamedFiles ? "unnamed new files" : "named new files");
        fs::remove_all(folder);
        fs::create_directories(folder);
        const int runs = unnamedFiles ? 300 : 100;
        std::mt19937 random(2026);
        std::uniform_int_distribution<int> writes(-1, 3); // -1: as it starts
        std::uniform_int_distribution<int> delay(0, 100);
        int none = 0;
        int one = 0;
        int two = 0;
        int partials = 0;
        for (int run = 0; run < runs; ++run) {
            SCOPED_TRACE("run " + std::to_string(run));
            const pid_t child = writeUntilKilled(setup(unnamedFiles), plans, writes(random),
                                                 std::chrono::microseconds(delay(random)));
            ASSERT_GT(child, 0);
            const std::string session = "plan-" + std::to_string(child);

            std::vector<std::pair<std::uint64_t, std::string>> journals; // by number
            for (const std::string& name : names()) {
                if (name.starts_with("left-") || name == "journal.lock" || name == session + ".lock") {
                    continue;
                }
                if (!unnamedFiles && name.starts_with(".skillwright-")) {
                    ++partials;
                    continue;
                }
                ASSERT_TRUE(name.starts_with(session + ".") && name.ends_with(".journal")) << name;
                const std::string number = name.substr(session.size() + 1, name.size() - session.size() - 9);
                journals.emplace_back(std::stoull(number), testing::readFile(folder / name));
            }
            ASSERT_LE(journals.size(), 2u);
            std::sort(journals.rbegin(), journals.rend());
            std::optional<model::Plan> newest;
            for (std::size_t i = 0; i < journals.size(); ++i) {
                const JournalReading reading = parseJournal(journals[i].second);
                ASSERT_TRUE(reading.record)
                    << reading.error << " in " << journals[i].second.size() << " bytes";
                const auto found = std::find(plans.begin(), plans.end(), reading.record->plan);
                ASSERT_NE(found, plans.end());
                if (i == 0) {
                    newest = *found;
                } else {
                    // The one before the newest.
                    const std::size_t k = static_cast<std::size_t>(
                        std::find(plans.begin(), plans.end(), *newest) - plans.begin());
                    EXPECT_EQ(*found, plans[(k + plans.size() - 1) % plans.size()]);
                }
            }
            (journals.empty() ? none : journals.size() == 1 ? one : two) += 1;

            // The next start: the newest journal is the newest plan to continue.
            Journal next(setup());
            const std::vector<RecoverablePlan> listed = next.recoverablePlans();
            if (newest) {
                ASSERT_FALSE(listed.empty());
                EXPECT_EQ(listed.front().name, newest->name);
            }
            for (const std::string& name : names()) {
                ASSERT_TRUE(name.starts_with("left-") || name == "journal.lock" ||
                            name == next.sessionName() + ".lock")
                    << name;
                if (name.starts_with("left-")) {
                    fs::remove(folder / name); // checked: the next run's list holds its plan alone
                }
            }
        }
        std::cout << runs << " programs killed while writing: no journal yet " << none << ", one " << one
                  << ", the newest and the one before " << two << ", a partial file " << partials << '\n';
        EXPECT_GT(one + two, runs / 2) << "most kills should land while journals are being written";
        EXPECT_GT(none, 0) << "and some before the first one is";
    }
}

} // namespace
} // namespace skillwright::journal
