// Comparing the plan on screen with a reference: the differences per skill,
// the points that differ, where the histories part and what a respec moves,
// against builds played by the rules and against pairs worked out by hand.
#include <model/Build.h>
#include <model/Comparison.h>

#include <gtest/gtest.h>

#include <PlanMaker.h>
#include <RandomPlay.h>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace skillwright::model {
namespace {

std::vector<HistoryEntry> sorceress(const std::vector<std::string>& texts) {
    return skillwright::testing::entriesOf(ClassId::Sorceress, texts);
}

/// The level a build stands at after the first `count` entries of `plan`,
/// as the rules replay them.
int levelAfter(const Plan& plan, std::size_t count) {
    Plan cut = plan;
    cut.history.resize(count);
    Build build;
    EXPECT_EQ(build.replay(cut), std::nullopt);
    return build.characterLevel();
}

TEST(Comparison, randomPairsAgreeWithTheirBuildsCountsAndWhereTheyWereMadeToPart) {
    std::mt19937 random(31);
    int parted = 0;
    int withQuestOrReserve = 0;
    for (int n = 0; n < 150; ++n) {
        const auto classId = static_cast<ClassId>(n % kClassCount);
        Build shown;
        support::playAtRandom(shown, classId, 2 + static_cast<int>(random() % 98), random);
        // The reference shares a random part of the history, then goes its own way.
        const std::vector<HistoryEntry>& history = shown.character()->history();
        Plan shared{classId, history, {}};
        shared.history.resize(random() % (history.size() + 1));
        Build reference;
        ASSERT_EQ(reference.replay(shared), std::nullopt);
        if (n % 10 != 0) { // one in ten is the shared part alone
            for (int step = 0; step < 30; ++step) {
                const TreeId tree = classInfo(classId).trees[random() % 3];
                const auto index = static_cast<std::int16_t>(random() % kSkillsPerTree);
                (random() % 5 == 0 ? reference.reservePoint() : reference.click(tree, index));
            }
        }
        const Plan a = shown.plan();
        const Plan b = reference.plan();

        const Comparison c = compare(a.history, b.history);
        int differing = 0;
        int respec = 0;
        for (int t = 0; t < 3; ++t) {
            for (int i = 0; i < kSkillsPerTree; ++i) {
                const int d = shown.character()->pointsAt(t, i) - reference.character()->pointsAt(t, i);
                EXPECT_EQ(c.differenceAt(t, i), d) << n << ' ' << t << ' ' << i;
                differing += std::abs(d);
                respec += std::max(d, 0);
            }
        }
        EXPECT_EQ(c.pointsDiffering, differing) << n;
        EXPECT_EQ(c.respecPoints, respec) << n;

        std::size_t part = 0;
        while (part < a.history.size() && part < b.history.size() &&
               formatEntry(a.history[part]) == formatEntry(b.history[part])) {
            ++part;
        }
        if (part == a.history.size() && part == b.history.size()) {
            EXPECT_EQ(c.partingEntry, std::nullopt) << n;
            EXPECT_EQ(c.partingLevel, 0) << n;
            continue;
        }
        ++parted;
        EXPECT_GE(part, shared.history.size()) << n;
        EXPECT_EQ(c.partingEntry, part) << n;
        int level = 99;
        for (const Plan* p : {&a, &b}) {
            if (part < p->history.size()) {
                level = std::min(level, levelAfter(*p, part + 1));
                withQuestOrReserve += p->history[part].kind != EntryKind::Ordinary;
            }
        }
        EXPECT_EQ(c.partingLevel, level) << n;
        // Seen from the other side, every difference changes its sign.
        const Comparison back = compare(b.history, a.history);
        EXPECT_EQ(back.pointsDiffering, c.pointsDiffering);
        EXPECT_EQ(back.respecPoints, c.pointsDiffering - c.respecPoints);
        EXPECT_EQ(back.partingLevel, c.partingLevel);
    }
    EXPECT_GT(parted, 100);
    EXPECT_GT(withQuestOrReserve, 20) << "pairs should also part at quest and reserve entries";
}

struct HandMadePair {
    const char* what;
    std::vector<std::string> shown;
    std::vector<std::string> reference;
    int differing;
    int respec;
    std::optional<std::size_t> partingEntry;
    int partingLevel;
    const char* summary;
};

TEST(Comparison, handMadePairs) {
    const std::vector<std::string> fireBolts{"Clvl 2 Slvl 1: Fire Bolt", "Clvl 3 Slvl 2: Fire Bolt"};
    const auto with = [&fireBolts](std::vector<std::string> more) {
        std::vector<std::string> texts = fireBolts;
        texts.insert(texts.end(), more.begin(), more.end());
        return texts;
    };
    // clang-format off
    const std::vector<HandMadePair> pairs{
        {"points elsewhere from level 4", with({"Clvl 4 Slvl 1: Warmth", "Den Of Evil: Normal Slvl 3: Fire Bolt"}),
         with({"Clvl 4 Slvl 1: Ice Bolt", "Clvl 5 Slvl 2: Ice Bolt", "Clvl 6 Slvl 1: Frost Nova"}),
         5, 2, 2, 4,
         "Compared with \"Guide\": 5 points differ, the plans part at Clvl 4, a respec moves 2 points."},
        {"the same point, from a quest at level 3 or a level-up to 4",
         with({"Den Of Evil: Normal Slvl 3: Fire Bolt"}), with({"Clvl 4 Slvl 3: Fire Bolt"}),
         0, 0, 2, 3,
         "Compared with \"Guide\": 0 points differ, the plans part at Clvl 3, a respec moves 0 points."},
        {"the reference goes one level further", {"Clvl 2 Slvl 1: Fire Bolt"}, with({}),
         1, 0, 1, 3,
         "Compared with \"Guide\": 1 point differs, the plans part at Clvl 3, a respec moves 0 points."},
        {"the plan on screen goes further", with({"Clvl 4 Slvl 1: Charged Bolt"}), with({}),
         1, 1, 2, 4,
         "Compared with \"Guide\": 1 point differs, the plans part at Clvl 4, a respec moves 1 point."},
        {"a point reserved and spent against the same points at once",
         {"Clvl 2 Reserved For Later ", "Clvl 3 Slvl 1: Fire Bolt", "Reserved Slvl 1: Warmth"},
         {"Clvl 2 Slvl 1: Warmth", "Clvl 3 Slvl 1: Fire Bolt"},
         0, 0, 0, 2,
         "Compared with \"Guide\": 0 points differ, the plans part at Clvl 2, a respec moves 0 points."},
        {"the same plan", with({"Clvl 4 Slvl 1: Warmth"}), with({"Clvl 4 Slvl 1: Warmth"}),
         0, 0, std::nullopt, 0, "Compared with \"Guide\": the same plan."},
        {"two empty plans", {}, {}, 0, 0, std::nullopt, 0, "Compared with \"Guide\": the same plan."},
    };
    // clang-format on
    for (const HandMadePair& pair : pairs) {
        const Comparison c = compare(sorceress(pair.shown), sorceress(pair.reference));
        EXPECT_EQ(c.pointsDiffering, pair.differing) << pair.what;
        EXPECT_EQ(c.respecPoints, pair.respec) << pair.what;
        EXPECT_EQ(c.partingEntry, pair.partingEntry) << pair.what;
        EXPECT_EQ(c.partingLevel, pair.partingLevel) << pair.what;
        EXPECT_EQ(comparisonSummary(c, "Guide"), pair.summary) << pair.what;
    }
}

TEST(Comparison, theReferenceIsCutAtTheSameMomentAsALookBack) {
    const auto cut = [](const std::vector<std::string>& past, const std::vector<std::string>& reference) {
        return entriesAtSameMoment(sorceress(past), sorceress(reference));
    };
    const std::vector<std::string> toLevel4{"Clvl 2 Slvl 1: Fire Bolt", "Clvl 3 Slvl 1: Warmth",
                                            "Den Of Evil: Normal Slvl 2: Fire Bolt",
                                            "Clvl 4 Slvl 1: Ice Bolt"};
    // Level 3 with its level-up alone: the reference's quest at 3 is still to come.
    EXPECT_EQ(cut({"Clvl 2 Slvl 1: Fire Bolt", "Clvl 3 Slvl 1: Ice Bolt"}, toLevel4), 2u);
    // Level 3 with two points taken at it: both of the reference's.
    EXPECT_EQ(
        cut({"Clvl 2 Slvl 1: Fire Bolt", "Clvl 3 Slvl 2: Fire Bolt", "Den Of Evil: Normal Slvl 3: Fire Bolt"},
            toLevel4),
        3u);
    // Three points at level 3, where the reference took two.
    EXPECT_EQ(cut({"Clvl 2 Reserved For Later ", "Clvl 3 Slvl 1: Fire Bolt", "Reserved Slvl 2: Fire Bolt",
                   "Den Of Evil: Normal Slvl 3: Fire Bolt"},
                  toLevel4),
              3u);
    // A reference that never reached the level is taken whole.
    EXPECT_EQ(cut({"Clvl 2 Slvl 1: Fire Bolt", "Clvl 3 Slvl 1: Warmth", "Clvl 4 Slvl 2: Warmth",
                   "Clvl 5 Slvl 1: Charged Bolt"},
                  toLevel4),
              4u);
    // Level 2 reached by a reserved point, spent at once: the reference's
    // one point at level 2.
    EXPECT_EQ(cut({"Clvl 2 Reserved For Later ", "Reserved Slvl 1: Warmth"}, toLevel4), 1u);
    EXPECT_EQ(cut({"Clvl 2 Slvl 1: Fire Bolt"}, {}), 0u);
}

// Where a guide's stages fall: each milestone at the level of its entry.
TEST(Comparison, aReferencesStagesAreToldByTheLevelTheyFallAt) {
    Plan guide{ClassId::Sorceress,
               {{EntryKind::Ordinary, 2, 1, 0, {TreeId::SorceressFire, 0}},
                {EntryKind::DenOfEvil, 0, 2, 1, {TreeId::SorceressFire, 0}},
                {EntryKind::ReservedForLater, 3, 0, 0, {}}},
               "Guide"};
    EXPECT_EQ(stagesText(guide), "");
    guide.milestones = {{1, "Act 1", ""}, {2, "Nightmare", "go"}};
    EXPECT_EQ(stagesText(guide), "Its stages: Act 1 at Clvl 2; Nightmare at Clvl 3.");
    // Beside a plan of two level-ups and a quest point, and one of a single level-up.
    const std::vector<HistoryEntry> mine{{EntryKind::Ordinary, 2, 1, 0, {TreeId::SorceressFire, 1}},
                                         {EntryKind::BookOfSkill, 0, 2, 1, {TreeId::SorceressFire, 1}},
                                         {EntryKind::Ordinary, 3, 3, 0, {TreeId::SorceressFire, 1}}};
    using Stages = std::vector<std::pair<std::size_t, std::string>>;
    EXPECT_EQ(stagesBeside(mine, guide), (Stages{{1, "Act 1"}, {2, "Nightmare"}}));
    EXPECT_EQ(stagesBeside(std::span(mine).first(1), guide), (Stages{{0, "Act 1"}}));
}

} // namespace
} // namespace skillwright::model
