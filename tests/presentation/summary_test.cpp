// The summary of a plan: worked by hand for two small plans, and held for
// random plans of every class to what the rules' own build says.
#include <model/Build.h>

#include <gtest/gtest.h>

#include <RandomPlay.h>
#include <functional>
#include <presentation/PlanSummary.h>
#include <random>
#include <string>
#include <vector>

namespace skillwright::presentation {
namespace {

using model::Build;
using model::ClassId;
using model::Quest;
using model::TreeId;

constexpr model::SkillRef kFireBolt{TreeId::SorceressFire, 0};
constexpr model::SkillRef kWarmth{TreeId::SorceressFire, 1};

void clicks(Build& build, model::SkillRef skill, int times) {
    for (int i = 0; i < times; ++i) {
        ASSERT_TRUE(build.click(skill.tree, skill.index).accepted());
    }
}

struct HandWorked {
    const char* what;
    std::function<void(Build&)> play;
    const char* text;
};

TEST(PlanSummary, handWorkedPlans_giveTheirTexts) {
    const std::vector<HandWorked> plans{
        {"every kind of run",
         [](Build& build) {
             clicks(build, kFireBolt, 4);
             clicks(build, kWarmth, 1);
             ASSERT_TRUE(build.takeQuestPoint(Quest::DenOfEvil, kFireBolt).accepted());
             ASSERT_TRUE(build.reservePoint().accepted());
             ASSERT_TRUE(build.reservePoint().accepted());
             ASSERT_TRUE(build.useReservedPoint(kWarmth).accepted());
             clicks(build, kFireBolt, 2);
         },
         "Sorceress, level 10\n"
         "Points per tree: FIRE BASED 9, LIGHTNING BASED 0, COLD BASED 0\n"
         "Skills:\n"
         "  Fire Bolt: 1 at Clvl 2, 7 at Clvl 10\n"
         "  Warmth: 1 at Clvl 6, 2 at Clvl 8\n"
         "Quest points: Den of Evil: 1 taken, 0 open; Book of Skill: 0 taken, 0 open; Izual: 0 taken, 0 "
         "open\n"
         "Reserve: 1 unspent\n"
         "Level order: 2-5 Fire Bolt, 6 Warmth, Den of Evil: Fire Bolt, 7-8 Reserved, From Reserve: Warmth, "
         "9-10 Fire Bolt\n"},
        {"a skill at 20, quests left open",
         [](Build& build) {
             clicks(build, kFireBolt, 20);
             clicks(build, kWarmth, 3);
             ASSERT_TRUE(build.takeQuestPoint(Quest::Izual, kWarmth).accepted());
             ASSERT_TRUE(build.takeQuestPoint(Quest::Izual, kWarmth).accepted());
             build.setCharacterName("Ember");
         },
         "Ember, Sorceress, level 24\n"
         "Points per tree: FIRE BASED 25, LIGHTNING BASED 0, COLD BASED 0\n"
         "Skills:\n"
         "  Fire Bolt: 1 at Clvl 2, 10 at Clvl 11, 20 at Clvl 21\n"
         "  Warmth: 1 at Clvl 22, 5 at Clvl 24\n"
         "Quest points: Den of Evil: 0 taken, 2 open; Book of Skill: 0 taken, 1 open; Izual: 2 taken, 0 "
         "open\n"
         "Reserve: 0 unspent\n"
         "Level order: 2-21 Fire Bolt, 22-24 Warmth, Izual: 2 Warmth\n"},
    };
    for (const HandWorked& plan : plans) {
        SCOPED_TRACE(plan.what);
        Build build;
        build.startCharacter(ClassId::Sorceress);
        plan.play(build);
        EXPECT_EQ(summaryText(summarize(build.plan())), plan.text);
    }
}

// With an attribute plan, the figures at the summary's level, worked from the
// Sorceress's row of the reference: 45 points at level 10, 20 to Strength,
// 25 into Vitality (two life and one stamina each).
TEST(PlanSummary, anAttributePlanAddsTheFiguresAtItsLevel) {
    Build build;
    build.startCharacter(ClassId::Sorceress);
    clicks(build, kFireBolt, 9);
    model::Plan plan = build.plan();
    plan.attributes.targets = {{model::Attribute::Strength, 30}};
    const PlanSummary summary = summarize(plan);
    EXPECT_EQ(summary.attributes,
              "Strength 30, Dexterity 25, Vitality 35, Energy 35; life 99, mana 53, stamina 108");
    EXPECT_NE(summaryText(summary).find("\nAttributes: Strength 30,"), std::string::npos);
    EXPECT_EQ(summarize(build.plan()).attributes, "") << "none without an attribute plan";
}

TEST(PlanSummary, lookingBack_summarisesTheEntriesUpToThenAndTheirMilestones) {
    Build build;
    build.startCharacter(ClassId::Sorceress);
    clicks(build, kFireBolt, 12);
    model::Plan plan = build.plan();
    plan.milestones = {{2, "Den", ""}, {9, "Act 2", ""}};
    const PlanSummary early = summarize(plan, 5);
    EXPECT_EQ(early.level, 6);
    EXPECT_EQ(levelOrderText(early.levelOrder), "2-6 Fire Bolt");
    EXPECT_EQ(early.milestones, (std::vector<MilestoneSummary>{{4, "Den"}}));
    EXPECT_EQ(summarize(plan).milestones, (std::vector<MilestoneSummary>{{4, "Den"}, {11, "Act 2"}}));
}

// ------------------------------------------------ random plans, every class

/// The character level after the first `count` entries, counted afresh.
int levelAfter(const model::Plan& plan, std::size_t count) {
    model::Plan head = plan;
    head.history.resize(count);
    return model::levelReached(head);
}

/// The level at which `skill` took its `points`th point, or 0.
int levelOfPoint(const model::Plan& plan, model::SkillRef skill, int points) {
    for (std::size_t i = 0; i < plan.history.size(); ++i) {
        const model::HistoryEntry& entry = plan.history[i];
        if (entry.hasSkill() && entry.skill == skill && entry.skillPoints == points) {
            return levelAfter(plan, i + 1);
        }
    }
    return 0;
}

struct RandomRow {
    ClassId classId;
    int level;
    unsigned seed;
};

TEST(PlanSummary, randomPlans_agreeWithTheRules) {
    const std::vector<RandomRow> rows{
        {ClassId::Amazon, 99, 1},     {ClassId::Amazon, 40, 2},      {ClassId::Barbarian, 99, 3},
        {ClassId::Barbarian, 25, 4},  {ClassId::Necromancer, 99, 5}, {ClassId::Necromancer, 60, 6},
        {ClassId::Paladin, 99, 7},    {ClassId::Paladin, 31, 8},     {ClassId::Sorceress, 99, 9},
        {ClassId::Sorceress, 75, 10}, {ClassId::Sorceress, 12, 11},  {ClassId::Amazon, 70, 12},
    };
    for (const RandomRow& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "class " << static_cast<int>(row.classId) << " seed " << row.seed);
        std::mt19937 random(row.seed);
        Build build;
        support::playAtRandom(build, row.classId, row.level, random);
        const model::Plan plan = build.plan();
        const model::BuildState& state = build.state();
        const PlanSummary summary = summarize(plan);

        EXPECT_EQ(summary.level, build.characterLevel());
        EXPECT_EQ(summary.reserve, build.reservedPoints());
        std::size_t held = 0;
        for (std::size_t place = 0; place < 3; ++place) {
            int inTree = 0;
            for (std::size_t index = 0; index < 10; ++index) {
                inTree += state.points[place][index];
                held += state.points[place][index] > 0 ? 1 : 0;
            }
            EXPECT_EQ(summary.treePoints[place], inTree);
        }
        ASSERT_EQ(summary.skills.size(), held);
        for (std::size_t i = 0; i < summary.skills.size(); ++i) {
            const SkillSummary& skill = summary.skills[i];
            EXPECT_EQ(skill.points, state.pointsOf(skill.skill));
            EXPECT_TRUE(i == 0 || summary.skills[i - 1].points >= skill.points);
            EXPECT_EQ(skill.firstAt, levelOfPoint(plan, skill.skill, 1));
            EXPECT_EQ(skill.tenAt, levelOfPoint(plan, skill.skill, 10));
            EXPECT_EQ(skill.twentyAt, levelOfPoint(plan, skill.skill, 20));
            EXPECT_EQ(skill.lastAt, levelOfPoint(plan, skill.skill, skill.points));
        }
        // A quest is open exactly when the skill menu of a tree other than
        // the javelins' offers it.
        const model::TreeId tree = model::classInfo(row.classId).trees[1];
        for (const Quest quest : {Quest::DenOfEvil, Quest::BookOfSkill, Quest::Izual}) {
            const QuestSummary& summed = summary.quests[static_cast<std::size_t>(quest)];
            EXPECT_EQ(summed.taken, build.questCount(quest));
            EXPECT_EQ(summed.open > 0, build.questOffer({tree, 0})[quest]);
        }
        // The runs, played out, are the history; no two neighbours could be one.
        std::size_t entry = 0;
        for (std::size_t r = 0; r < summary.levelOrder.size(); ++r) {
            const LevelRun& run = summary.levelOrder[r];
            if (r > 0) {
                const LevelRun& before = summary.levelOrder[r - 1];
                EXPECT_TRUE(before.kind != run.kind ||
                            (run.kind != model::EntryKind::ReservedForLater && before.skill != run.skill));
            }
            for (int k = 0; k < run.count; ++k, ++entry) {
                ASSERT_LT(entry, plan.history.size());
                const model::HistoryEntry& made = plan.history[entry];
                EXPECT_EQ(made.kind, run.kind);
                EXPECT_TRUE(!made.hasSkill() || made.skill == run.skill);
                EXPECT_EQ(levelAfter(plan, entry + 1),
                          model::raisesLevel(run.kind) ? run.fromLevel + k : run.toLevel);
            }
        }
        EXPECT_EQ(entry, plan.history.size());
    }
}

} // namespace
} // namespace skillwright::presentation
