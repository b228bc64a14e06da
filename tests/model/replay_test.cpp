// Plans: a build gives its plan, and a plan replays into a build through the
// rules, stopping at the first entry a player's command could not have made.
#include "Planner.h"

#include <model/Plan.h>

#include <PlanMaker.h>
#include <functional>

namespace skillwright::model::testing {
namespace {

using skillwright::testing::reservedUpTo;

/// The plan and the state a screen shows of it.
struct Shown {
    Plan plan;
    BuildState state;
    friend bool operator==(const Shown&, const Shown&) = default;
};
Shown shown(const Build& build) {
    return {build.plan(), build.state()};
}
Shown shown(const StateReplay& replay) {
    return {replay.plan, replay.state};
}

TEST(Replay, everyPlanPlayedByTheRulesReplaysToTheSameBuild) {
    std::mt19937 random(27);
    Build replayed; // reused: every replay starts afresh, whatever was on it
    int quests = 0;
    for (int n = 0; n < 120; ++n) {
        Build played;
        playAtRandom(played, static_cast<ClassId>(n % kClassCount), 1 + (n * 13) % 99, random);
        played.setCharacterName("Hero " + std::to_string(n));
        const Plan plan = played.plan();
        ASSERT_EQ(replayed.replay(plan), std::nullopt) << n;
        EXPECT_EQ(shown(replayed), shown(played)) << n;
        // The rules alone, as a value, come to the same.
        const StateReplay value = replayPlan(plan);
        ASSERT_EQ(value.stop, std::nullopt) << n;
        EXPECT_EQ(shown(value), shown(played)) << n;
        EXPECT_EQ(levelReached(plan), played.characterLevel());
        // A build's own plan replays onto itself unchanged.
        ASSERT_EQ(played.replay(played.plan()), std::nullopt);
        EXPECT_EQ(shown(played), shown(replayed));
        quests += played.questCount(Quest::DenOfEvil) + played.questCount(Quest::Izual);
    }
    EXPECT_GT(quests, 60) << "the random play should reach the quests";
}

Plan planOf(ClassId classId, const std::vector<std::string>& texts) {
    return {classId, skillwright::testing::entriesOf(classId, texts), "Hero"};
}

TEST(Replay, stopsAtTheFirstEntryNoCommandCouldMakeAndKeepsOnlyThoseBefore) {
    const std::vector<std::string> teethTo5{"Clvl 2 Slvl 1: Teeth", "Clvl 3 Slvl 2: Teeth",
                                            "Clvl 4 Slvl 3: Teeth", "Clvl 5 Slvl 4: Teeth"};
    auto with = [](std::vector<std::string> texts, std::initializer_list<std::string> more) {
        texts.insert(texts.end(), more);
        return texts;
    };
    const struct {
        ClassId classId;
        std::vector<std::string> texts;
        std::size_t stop;
        std::string reason;
    } cases[] = {
        // The skill menu's offers, by character level and count.
        {ClassId::Necromancer,
         with(teethTo5, {"Den Of Evil: Normal Slvl 5: Teeth", "Den Of Evil: Nightmare Slvl 6: Teeth",
                         "Den Of Evil: Hell Slvl 7: Teeth"}),
         5, "Den Of Evil (Nightmare) is not offered at character level 5."},
        {ClassId::Necromancer, with(teethTo5, {"Book of Skill: Normal Slvl 5: Teeth"}), 4,
         "Book of Skill (Normal) is not offered at character level 5."},
        {ClassId::Necromancer, with(teethTo5, {"Izual Quest Point:(1) Normal Slvl 5: Teeth"}), 4,
         "Death of Izual (Normal) is not offered at character level 5."},
        {ClassId::Necromancer, reservedUpTo(2, {"Den Of Evil: Normal Slvl 1: Teeth"}), 1,
         "Den Of Evil (Normal) is not offered at character level 2."},
        {ClassId::Amazon,
         reservedUpTo(24, {"Den Of Evil: Normal Slvl 1: Jab", "Den Of Evil: Nightmare Slvl 1: Power Strike"}),
         24, "Den Of Evil (Nightmare) is not offered at character level 24."},
        {ClassId::Necromancer,
         reservedUpTo(39, {"Izual Quest Point:(1) Normal Slvl 1: Teeth",
                           "Izual Quest Point:(2) Normal Slvl 2: Teeth",
                           "Izual Quest Point:(1) Nightmare Slvl 3: Teeth",
                           "Izual Quest Point:(2) Nightmare Slvl 4: Teeth",
                           "Izual Quest Point:(1) Hell Slvl 5: Teeth"}),
         42, "Death of Izual (Hell) is not offered at character level 39."},
        {ClassId::Necromancer,
         reservedUpTo(60, {"Den Of Evil: Normal Slvl 1: Teeth", "Den Of Evil: Nightmare Slvl 2: Teeth",
                           "Den Of Evil: Hell Slvl 3: Teeth", "Den Of Evil: Hell Slvl 4: Teeth"}),
         62, "You may only complete this quest once for each level, 3 times."},
        // The click's rules, for every kind of point.
        {ClassId::Necromancer,
         {"Clvl 2 Slvl 1: Teeth", "Clvl 3 Slvl 1: Bone Spear"},
         1,
         "Not available yet, you must be character level 18 first (or just getting level 18)."},
        {ClassId::Necromancer, reservedUpTo(3, {"Den Of Evil: Normal Slvl 1: Bone Spear"}), 2,
         "Not available yet, you must be character level 18 first (or just getting level 18)."},
        {ClassId::Necromancer,
         {"Clvl 2 Slvl 1: Teeth", "Reserved Slvl 2: Teeth"},
         1,
         "You have no skill points in reserve."},
        {ClassId::Necromancer,
         reservedUpTo(6, {"Reserved Slvl 1: Bone Armor", "Reserved Slvl 1: Corpse Explosion"}), 6,
         "Not available yet, you must have at least one skill point in Teeth"},
        // Taken, but not as recorded: nothing of it stays.
        {ClassId::Necromancer,
         {"Clvl 2 Slvl 1: Teeth", "Clvl 2 Slvl 2: Teeth"},
         1,
         "The planner records this point as \"Clvl 3 Slvl 2: Teeth\"."},
        {ClassId::Necromancer, reservedUpTo(3, {"Den Of Evil: Hell Slvl 1: Teeth"}), 2,
         "The planner records this point as \"Den Of Evil: Normal Slvl 1: Teeth\"."},
        {ClassId::Necromancer, reservedUpTo(3, {"Clvl 4 Slvl 2: Teeth"}), 2,
         "The planner records this point as \"Clvl 4 Slvl 1: Teeth\"."},
    };
    for (const auto& c : cases) {
        const Plan plan = planOf(c.classId, c.texts);
        Build build;
        const std::optional<ReplayStop> stop = build.replay(plan);
        ASSERT_TRUE(stop) << c.reason;
        EXPECT_EQ(stop->entry, c.stop) << c.reason;
        EXPECT_EQ(stop->reason, c.reason);
        // Exactly the entries before it, and the state they make.
        Plan before = plan;
        before.history.resize(c.stop);
        Build reference;
        ASSERT_EQ(reference.replay(before), std::nullopt) << c.reason;
        EXPECT_EQ(shown(build), shown(reference)) << c.reason;
        const StateReplay value = replayPlan(plan);
        EXPECT_EQ(value.stop, stop) << c.reason;
        EXPECT_EQ(shown(value), shown(reference)) << c.reason;
    }
}

TEST(Replay, aSkillOfAnotherClassStopsTheReplay) {
    Plan plan{ClassId::Necromancer, {{EntryKind::Ordinary, 2, 1, 0, {TreeId::NecromancerPoisonBone, 0}}}, ""};
    plan.history.push_back({EntryKind::Ordinary, 3, 1, 0, {TreeId::SorceressFire, 0}});
    Build build;
    EXPECT_EQ(build.replay(plan), (ReplayStop{1, "The Necromancer has no such skill."}));
    EXPECT_EQ(build.plan().history.size(), 1u);
}

TEST(Replay, startsAfreshOnAnotherClassAndTellsOneChange) {
    Build build;
    std::mt19937 random(5);
    playAtRandom(build, ClassId::Paladin, 40, random);
    struct Counter : BuildListener {
        std::vector<BuildChange::Kind> changes;
        void buildChanged(const BuildChange& change) override { changes.push_back(change.kind); }
    } listener;
    build.addListener(listener);
    const Plan plan = planOf(ClassId::Sorceress, {"Clvl 2 Slvl 1: Fire Bolt"});
    EXPECT_EQ(build.replay(plan), std::nullopt);
    EXPECT_EQ(build.plan(), plan);
    EXPECT_EQ(build.questCount(Quest::DenOfEvil), 0);
    EXPECT_EQ(build.reservedPoints(), 0);
    EXPECT_EQ(listener.changes, std::vector<BuildChange::Kind>{BuildChange::Kind::Replayed});
    build.removeListener(listener);
}

/// A change with what it leaves for the screens.
BuildChange leaving(BuildChange change, std::optional<NoticeChange> notice,
                    std::vector<QuestMove> moves = {}) {
    change.notice = std::move(notice);
    change.questMoves = std::move(moves);
    return change;
}

/// What each operation tells its listeners, once it has ended, with what it
/// leaves on the notice line and the quest counters' moves.
class Changes : public Planner, public BuildListener {
protected:
    std::vector<BuildChange> told;
    void buildChanged(const BuildChange& change) override { told.push_back(change); }
};

TEST_F(Changes, eachOperationTellsWhatItDid) {
    using K = BuildChange::Kind;
    build.addListener(*this);
    chosen = at(TreeId::NecromancerPoisonBone, 0);
    const HistoryEntry teeth{EntryKind::Ordinary, 2, 1, 0, {TreeId::NecromancerPoisonBone, 0}};
    const HistoryEntry reserved{EntryKind::ReservedForLater, 3, 0, 0, {}};
    const HistoryEntry denOfEvil{EntryKind::DenOfEvil, 0, 2, 1, {TreeId::NecromancerPoisonBone, 0}};
    const NoticeChange denOfEvilOpen{
        true, "Den Of Evil (Normal) quest skill point is now available.  Right click to use."};
    const struct {
        const char* operation;
        std::function<void()> run;
        BuildChange change;
    } steps[] = {
        {"open", [&] { open(ClassId::Necromancer); }, {K::CharacterStarted}},
        {"click", [&] { click(TreeId::NecromancerPoisonBone, 0); },
         leaving({K::PointTaken, teeth}, NoticeChange{})},
        {"refused click", [&] { click(TreeId::NecromancerPoisonBone, 6); },
         leaving({K::PointRefused, {}, Refusal::RequiredLevel}, NoticeChange{true, requiredLevelText(18)})},
        {"reserve", [&] { build.reservePoint(); }, leaving({K::PointTaken, reserved}, denOfEvilOpen)},
        {"quest", [&] { build.takeQuestPoint(Quest::DenOfEvil, chosen); },
         leaving({K::PointTaken, denOfEvil}, std::nullopt, {{Quest::DenOfEvil, 1, QuestChange::Taken}})},
        {"undo", [&] { build.undoLast(); },
         leaving({K::PointUndone, denOfEvil}, denOfEvilOpen,
                 {{Quest::DenOfEvil, 0, QuestChange::GivenBack}})},
        {"undo the reserve", [&] { build.undoLast(); }, {K::PointUndone, reserved}},
        {"use reserve", [&] { build.useReservedPoint(chosen); },
         leaving({K::PointRefused, {}, Refusal::EmptyReserve},
                 NoticeChange{true, "You have no skill points in reserve."})},
        {"replay", [&] { build.replay(build.plan()); }, leaving({K::Replayed}, NoticeChange{})},
        {"reset", [&] { build.reset(); },
         leaving({K::Reset}, std::nullopt,
                 {{Quest::DenOfEvil, 0, QuestChange::Cleared},
                  {Quest::BookOfSkill, 0, QuestChange::Cleared},
                  {Quest::Izual, 0, QuestChange::Cleared}})},
        {"close", [&] { build.endCharacter(); }, {K::CharacterEnded}},
    };
    for (const auto& step : steps) {
        told.clear();
        step.run();
        EXPECT_EQ(told.back(), step.change) << step.operation;
        EXPECT_EQ(told.size(), 1u) << step.operation;
    }
    build.removeListener(*this);
}

} // namespace
} // namespace skillwright::model::testing
