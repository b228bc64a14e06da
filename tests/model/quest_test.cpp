// Quest points: when each is offered and announced, how it is recorded,
// what the menu entries read, and how a refused quest point is given back.
#include "Planner.h"

namespace skillwright::model::testing {
namespace {

struct OfferRule {
    const char* name;
    Quest quest;
    std::vector<int> fromLevel;         ///< the level from which the (n+1)-th point is offered
    std::vector<int> fromLevelJavelins; ///< the same on the Amazon's "AmazonJS" tree
};

const std::vector<OfferRule>& questRules() {
    static const std::vector<OfferRule> rules{
        {"Den of Evil", Quest::DenOfEvil, {3, 24, 35}, {3, 25, 40}},
        {"Book of Skill", Quest::BookOfSkill, {15, 30, 45}, {15, 30, 45}},
        {"Death of Izual", Quest::Izual, {23, 23, 39, 39, 59, 59}, {23, 23, 39, 39, 59, 59}},
    };
    return rules;
}

TEST(QuestAvailability, theNextPointIsOfferedFromItsDifficultysLevelUntilAllAreTaken) {
    for (const Tree& t : trees()) {
        for (const OfferRule& rule : questRules()) {
            const auto& from = t.id == TreeId::AmazonJavelinSpear ? rule.fromLevelJavelins : rule.fromLevel;
            for (int taken = 0; taken <= static_cast<int>(from.size()); ++taken) {
                for (int lvl = 1; lvl <= 99; ++lvl) {
                    const bool expected = taken < static_cast<int>(from.size()) && lvl >= from[taken];
                    std::int16_t counters[3]{0, 0, 0};
                    counters[&rule - questRules().data()] = static_cast<std::int16_t>(taken);
                    const QuestOffer offer = questAvailability(static_cast<std::int16_t>(lvl - 1),
                                                               counters[0], counters[1], counters[2], t.id);
                    ASSERT_EQ(offer[rule.quest], expected)
                        << rule.name << " on " << t.code << ", level " << lvl << ", " << taken << " taken";
                }
            }
        }
    }
}

using Quests = Planner;

TEST_F(Quests, questPointsGoWithTheScreenThatRecordedThem) {
    // The start screen stays visible beside a generated character, so a
    // class can be chosen there without CHANGE CLASS resetting the build.
    for (const bool replacedDirectly : {false, true}) {
        SCOPED_TRACE(replacedDirectly ? "another class opened over it" : "closed");
        build.reset();
        open(ClassId::Necromancer);
        reserveUntilLevel(TreeId::NecromancerPoisonBone, 23);
        rightClick(TreeId::NecromancerPoisonBone, 0);
        build.takeQuestPoint(Quest::DenOfEvil, chosen);
        izual(TreeId::NecromancerPoisonBone, 0);
        izual(TreeId::NecromancerPoisonBone, 1);
        ASSERT_EQ(caption(Quest::DenOfEvil), "&Den Of Evil (Nightmare)");
        ASSERT_EQ(caption(Quest::Izual), "&Death of Izual (Nightmare)");
        if (!replacedDirectly) {
            build.endCharacter();
        }
        open(ClassId::Amazon);
        EXPECT_EQ(build.questCount(Quest::DenOfEvil), 0);
        EXPECT_EQ(build.questCount(Quest::Izual), 0);
        EXPECT_EQ(caption(Quest::DenOfEvil), "&Den Of Evil (Normal)");
        EXPECT_EQ(caption(Quest::Izual), "&Death of Izual (Normal)");
        reserveUntilLevel(TreeId::AmazonBowCrossbow, 3);
        rightClick(TreeId::AmazonBowCrossbow, 0);
        EXPECT_TRUE(offered(Quest::DenOfEvil));
        build.takeQuestPoint(Quest::DenOfEvil, chosen);
        EXPECT_EQ(lastEntry(), "Den Of Evil: Normal Slvl 1: Magic Arrow");
    }
}

TEST_F(Quests, bookOfSkillCaptionsUseBothSpellings) {
    open(ClassId::Sorceress);
    EXPECT_EQ(caption(Quest::BookOfSkill), "&Book Of Skill (Normal)");
    menuTexts.restoreNormalCaptions();
    EXPECT_EQ(caption(Quest::BookOfSkill), "&Book of Skill (Normal)");
    reserveUntilLevel(TreeId::SorceressFire, 15);
    bookOfSkill(TreeId::SorceressFire, 0);
    EXPECT_EQ(lastEntry(), "Book of Skill: Normal Slvl 1: Fire Bolt");
    EXPECT_EQ(caption(Quest::BookOfSkill), "&Book Of Skill (Nightmare)");
    build.undoLast();
    EXPECT_EQ(caption(Quest::BookOfSkill), "&Book of Skill (Normal)");
    EXPECT_EQ(build.questCount(Quest::BookOfSkill), 0);
}

TEST_F(Quests, aRefusedQuestPointIsGivenBackWithItsCaption) {
    open(ClassId::Barbarian);
    for (int n = 0; n < 20; ++n) {
        click(TreeId::BarbarianCombat, 0);
    }
    const auto before = history();
    denOfEvil(TreeId::BarbarianCombat, 0);
    EXPECT_EQ(notice(), kTwentyText);
    EXPECT_EQ(build.questCount(Quest::DenOfEvil), 0);
    EXPECT_EQ(caption(Quest::DenOfEvil), "&Den Of Evil (Normal)");

    bookOfSkill(TreeId::BarbarianCombat, 0);
    EXPECT_EQ(build.questCount(Quest::BookOfSkill), 0);
    EXPECT_EQ(caption(Quest::BookOfSkill), "&Book of Skill (Normal)");

    izual(TreeId::BarbarianCombat, 0);
    izual(TreeId::BarbarianCombat, 1);
    EXPECT_EQ(build.questCount(Quest::Izual), 1);
    izual(TreeId::BarbarianCombat, 0);
    EXPECT_EQ(build.questCount(Quest::Izual), 1);
    EXPECT_EQ(caption(Quest::Izual), "&Death of Izual (Normal)");
    EXPECT_EQ(history().size(), before.size() + 1);
    click(TreeId::BarbarianCombat, 1);
    EXPECT_EQ(lastEntry(), "Clvl 22 Slvl 2: Leap") << "no quest point is left waiting for a click";
}

TEST_F(Quests, aRefusedIzualPointFromItsFourthToItsSixthIsGivenBack) {
    open(ClassId::Sorceress);
    reserveUntilLevel(TreeId::SorceressFire, 59);
    for (int taken = 0; taken < 6; ++taken) {
        if (taken >= 3) {
            // Meteor (level 24, needs Fireball and Firewall) is refused: its prerequisites hold nothing.
            rightClick(TreeId::SorceressFire, 7);
            EXPECT_EQ(build.takeQuestPoint(Quest::Izual, chosen).refusal, Refusal::Prerequisite)
                << taken << " taken";
            EXPECT_EQ(build.questCount(Quest::Izual), taken);
            EXPECT_EQ(notice(), prerequisiteText("Fireball"));
        }
        izual(TreeId::SorceressFire, 0);
        ASSERT_EQ(build.questCount(Quest::Izual), taken + 1);
    }
    EXPECT_EQ(lastEntry(), "Izual Quest Point:(2) Hell Slvl 6: Fire Bolt");
}

TEST_F(Quests, announcementsAtTheirLevelsUnderTheirCounterConditions) {
    struct Row {
        int level;
        Quest quest;
        std::vector<int> announcedWhenTaken;
        std::string text;
    };
    const std::vector<Row> rows{
        {3, Quest::DenOfEvil, {0}, "Den Of Evil (Normal)"},
        {25, Quest::DenOfEvil, {1}, "Den Of Evil (Nightmare)"},
        {40, Quest::DenOfEvil, {2, 3}, "Den Of Evil (Hell)"},
        {15, Quest::BookOfSkill, {0}, "Book Of Skill (Normal)"},
        {30, Quest::BookOfSkill, {1}, "Book Of Skill (Nightmare)"},
        {45, Quest::BookOfSkill, {2, 3}, "Book Of Skill (Hell)"},
        {23, Quest::Izual, {0, 1}, "Death of Izual (Normal)"},
        {39, Quest::Izual, {0, 1, 2, 3, 4}, "Death of Izual (Nightmare)"},
        {59, Quest::Izual, {5, 6}, "Death of Izual (Hell)"},
    };
    open(ClassId::Amazon);
    for (const Row& row : rows) {
        for (int taken = 0; taken <= (row.quest == Quest::Izual ? 6 : 3); ++taken) {
            build.reset();
            // The quest commands do not ask whether the point is due.
            for (int n = 0; n < taken; ++n) {
                rightClick(TreeId::AmazonBowCrossbow, 0);
                build.takeQuestPoint(row.quest, chosen);
            }
            ASSERT_EQ(build.questCount(row.quest), taken);
            reserveUntilLevel(TreeId::AmazonBowCrossbow, row.level - 2);
            for (int lvl : {row.level - 1, row.level, row.level + 1}) {
                noticeLine.expire();
                reserve(TreeId::AmazonBowCrossbow);
                ASSERT_EQ(level(), lvl);
                const bool due = lvl == row.level && std::count(row.announcedWhenTaken.begin(),
                                                                row.announcedWhenTaken.end(), taken) > 0;
                const std::string text =
                    row.text + " quest skill point is now available.  Right click to use.";
                EXPECT_EQ(notice() == text, due)
                    << row.text << " at level " << lvl << " with " << taken << " taken";
            }
        }
    }
}

TEST_F(Quests, tierLabelsTurnGoldTheLevelBeforeTheirTierAndWhiteBelowFive) {
    open(ClassId::Necromancer);
    using Row = std::array<bool, kTierCount>;
    auto tiersAt = [&] {
        Row row{};
        for (int r = 0; r < kTierCount; ++r) {
            row[static_cast<std::size_t>(r)] = status.tierHighlighted(r);
        }
        return row;
    };
    EXPECT_EQ(tiersAt(), (Row{true, false, false, false, false, false}));
    std::vector<Row> seen{tiersAt()};
    while (level() < 31) {
        reserve(TreeId::NecromancerPoisonBone);
        seen.push_back(tiersAt());
    }
    for (int lvl = 1; lvl <= 31; ++lvl) {
        Row expected{};
        for (int row = 0; row < kTierCount; ++row) {
            expected[static_cast<std::size_t>(row)] =
                lvl >= kTierOpeningLevels[static_cast<std::size_t>(row)] - 1;
        }
        EXPECT_EQ(seen[static_cast<std::size_t>(lvl - 1)], expected) << "level " << lvl;
    }
    // Going down by undo, a label changes only at the levels that recolour
    // it: between them it keeps its colour.
    auto undoTo = [&](int lvl) {
        while (level() > lvl) {
            build.undoLast();
        }
    };
    undoTo(28);
    EXPECT_EQ(tiersAt(), (Row{true, true, true, true, true, true}));
    undoTo(23);
    EXPECT_EQ(tiersAt(), (Row{true, true, true, true, true, false}));
    undoTo(6);
    EXPECT_EQ(tiersAt(), (Row{true, true, true, false, false, false}));
    undoTo(5);
    EXPECT_EQ(tiersAt(), (Row{true, true, false, false, false, false}));
    undoTo(4);
    EXPECT_EQ(tiersAt(), (Row{true, false, false, false, false, false}));
}

} // namespace
} // namespace skillwright::model::testing
