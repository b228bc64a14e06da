// Quest points: when each is offered and announced, how it is recorded,
// what the menu entries read, and how a refused quest point is given back.
#include "Planner.h"

namespace skillwright::model::testing {
namespace {

struct QuestRule {
    const char* name;
    std::int16_t Build::*counter;
    std::vector<int> fromLevel;         ///< the level from which the (n+1)-th point is offered
    std::vector<int> fromLevelJavelins; ///< the same on the Amazon's "AmazonJS" tree
    bool QuestOffer::*offered;
};

const std::vector<QuestRule>& questRules() {
    static const std::vector<QuestRule> rules{
        {"Den of Evil", &Build::DenOfEvilCount, {3, 24, 35}, {3, 25, 40}, &QuestOffer::denOfEvil},
        {"Book of Skill", &Build::BookOfSkillCount, {15, 30, 45}, {15, 30, 45}, &QuestOffer::bookOfSkill},
        {"Death of Izual",
         &Build::IzualCount,
         {23, 23, 39, 39, 59, 59},
         {23, 23, 39, 39, 59, 59},
         &QuestOffer::deathOfIzual},
    };
    return rules;
}

TEST(QuestAvailability, theNextPointIsOfferedFromItsDifficultysLevelUntilAllAreTaken) {
    for (const Tree& t : trees()) {
        for (const QuestRule& rule : questRules()) {
            const auto& from = t.id == TreeId::AmazonJS ? rule.fromLevelJavelins : rule.fromLevel;
            for (int taken = 0; taken <= static_cast<int>(from.size()); ++taken) {
                for (int lvl = 1; lvl <= 99; ++lvl) {
                    const bool expected = taken < static_cast<int>(from.size()) && lvl >= from[taken];
                    std::int16_t counters[3]{0, 0, 0};
                    counters[&rule - questRules().data()] = static_cast<std::int16_t>(taken);
                    const QuestOffer offer = questAvailability(static_cast<std::int16_t>(lvl - 1),
                                                               counters[0], counters[1], counters[2], t.id);
                    ASSERT_EQ(offer.*rule.offered, expected)
                        << rule.name << " on " << t.code << ", level " << lvl << ", " << taken << " taken";
                }
            }
        }
    }
}

using Quests = Planner;

TEST_F(Quests, denOfEvilPointIsRecordedWithoutALevelAndRelabelsTheEntry) {
    open(ClassId::Necromancer);
    reserveUntilLevel(TreeId::NecroBone, 3);
    rightClick(TreeId::NecroBone, 0);
    EXPECT_TRUE(build.menu.denOfEvilVisible);
    EXPECT_TRUE(build.menu.reserveSpacerVisible);
    build.TakeDenOfEvilPoint();
    EXPECT_EQ(lastEntry(), "Den Of Evil: Normal Slvl 1: Teeth");
    EXPECT_EQ(level(), 3);
    EXPECT_EQ(screen().levelLabel, "Level 3");
    EXPECT_EQ(build.menu.denOfEvilCaption, "&Den Of Evil (Nightmare)");
    EXPECT_FALSE(build.DenOfEvilPending);
    rightClick(TreeId::NecroBone, 0);
    EXPECT_FALSE(build.menu.denOfEvilVisible);
    EXPECT_FALSE(build.menu.reserveSpacerVisible);
}

TEST_F(Quests, izualOffersTwoPointsPerDifficulty) {
    open(ClassId::Necromancer);
    reserveUntilLevel(TreeId::NecroBone, 23);
    izual(TreeId::NecroBone, 0);
    EXPECT_EQ(lastEntry(), "Izual Quest Point:(1) Normal Slvl 1: Teeth");
    EXPECT_EQ(build.menu.deathOfIzualCaption, "&Death of Izual (Normal)");
    rightClick(TreeId::NecroBone, 0);
    EXPECT_TRUE(build.menu.deathOfIzualVisible);
    build.TakeIzualPoint();
    EXPECT_EQ(lastEntry(), "Izual Quest Point:(2) Normal Slvl 2: Teeth");
    EXPECT_EQ(build.menu.deathOfIzualCaption, "&Death of Izual (Nightmare)");
    rightClick(TreeId::NecroBone, 0);
    EXPECT_FALSE(build.menu.deathOfIzualVisible);
    EXPECT_EQ(build.BookOfSkillCount, 0) << "the Izual point does not depend on Book of Skill";
}

TEST_F(Quests, bookOfSkillCaptionsUseBothSpellings) {
    open(ClassId::Sorceress);
    EXPECT_EQ(build.menu.bookOfSkillCaption, "&Book Of Skill (Normal)");
    build.restoreNormalQuestCaptions();
    EXPECT_EQ(build.menu.bookOfSkillCaption, "&Book of Skill (Normal)");
    reserveUntilLevel(TreeId::SorcFire, 15);
    bookOfSkill(TreeId::SorcFire, 0);
    EXPECT_EQ(lastEntry(), "Book of Skill: Normal Slvl 1: Fire Bolt");
    EXPECT_EQ(build.menu.bookOfSkillCaption, "&Book Of Skill (Nightmare)");
    build.lbl_UndoLast_Click();
    EXPECT_EQ(build.menu.bookOfSkillCaption, "&Book of Skill (Normal)");
    EXPECT_EQ(build.BookOfSkillCount, 0);
}

TEST_F(Quests, aRefusedQuestPointIsGivenBackWithItsCaption) {
    open(ClassId::Barbarian);
    for (int n = 0; n < 20; ++n) {
        click(TreeId::BarBarCS, 0);
    }
    const auto history = screen().history;
    denOfEvil(TreeId::BarBarCS, 0);
    EXPECT_EQ(notice(), kTwentyText);
    EXPECT_EQ(build.DenOfEvilCount, 0);
    EXPECT_EQ(build.menu.denOfEvilCaption, "&Den Of Evil (Normal)");
    EXPECT_TRUE(build.LastClickFailed);

    bookOfSkill(TreeId::BarBarCS, 0);
    EXPECT_EQ(build.BookOfSkillCount, 0);
    EXPECT_EQ(build.menu.bookOfSkillCaption, "&Book of Skill (Normal)");

    izual(TreeId::BarBarCS, 0);
    izual(TreeId::BarBarCS, 1);
    EXPECT_EQ(build.IzualCount, 1);
    izual(TreeId::BarBarCS, 0);
    EXPECT_EQ(build.IzualCount, 1);
    EXPECT_EQ(build.menu.deathOfIzualCaption, "&Death of Izual (Normal)");
    EXPECT_FALSE(build.DenOfEvilPending || build.BookOfSkillPending || build.IzualPending);
    EXPECT_EQ(screen().history.size(), history.size() + 1);
}

TEST_F(Quests, anExhaustedQuestSaysSoWhenTheMenuIsBypassed) {
    open(ClassId::Paladin);
    build.DenOfEvilCount = 3;
    denOfEvil(TreeId::PaladinCom, 0);
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text, "You may only complete this quest once for each level, 3 times.");
    EXPECT_EQ(toolkit.messages[0].title, "No Longer valid");
    EXPECT_EQ(toolkit.messages[0].icon, toolkit::Icon::Information);
    EXPECT_EQ(points(TreeId::PaladinCom, 0), 0);
}

TEST_F(Quests, announcementsAtTheirLevelsUnderTheirCounterConditions) {
    struct Row {
        int level;
        std::int16_t Build::*counter;
        std::vector<int> announcedWhenTaken;
        std::string text;
    };
    const std::vector<Row> rows{
        {3, &Build::DenOfEvilCount, {0}, "Den Of Evil (Normal)"},
        {25, &Build::DenOfEvilCount, {1}, "Den Of Evil (Nightmare)"},
        {40, &Build::DenOfEvilCount, {2, 3}, "Den Of Evil (Hell)"},
        {15, &Build::BookOfSkillCount, {0}, "Book Of Skill (Normal)"},
        {30, &Build::BookOfSkillCount, {1}, "Book Of Skill (Nightmare)"},
        {45, &Build::BookOfSkillCount, {2, 3}, "Book Of Skill (Hell)"},
        {23, &Build::IzualCount, {0, 1}, "Death of Izual (Normal)"},
        {39, &Build::IzualCount, {0, 1, 2, 3, 4}, "Death of Izual (Nightmare)"},
        {59, &Build::IzualCount, {5, 6}, "Death of Izual (Hell)"},
    };
    open(ClassId::Amazon);
    for (const Row& row : rows) {
        for (int taken = 0; taken <= (row.counter == &Build::IzualCount ? 6 : 3); ++taken) {
            build.DenOfEvilCount = build.BookOfSkillCount = build.IzualCount = 0;
            build.*row.counter = static_cast<std::int16_t>(taken);
            for (int lvl : {row.level - 1, row.level, row.level + 1}) {
                build.tim_Unavail_Timer();
                build.LevelsGained = static_cast<std::int16_t>(lvl - 1);
                build.RefreshAfterLevelUp();
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
    auto tiersAt = [&] { return screen().tierHighlighted; };
    EXPECT_EQ(tiersAt(), (Row{true, false, false, false, false, false}));
    std::vector<Row> seen{tiersAt()};
    while (level() < 31) {
        reserve(TreeId::NecroBone);
        seen.push_back(tiersAt());
    }
    for (int lvl = 1; lvl <= 31; ++lvl) {
        Row expected{};
        for (int row = 0; row < kTierCount; ++row) {
            expected[static_cast<std::size_t>(row)] = lvl >= kTiers[static_cast<std::size_t>(row)] - 1;
        }
        EXPECT_EQ(seen[static_cast<std::size_t>(lvl - 1)], expected) << "level " << lvl;
    }
    // Going down by undo, a label changes only at the levels that recolour
    // it: between them it keeps its colour.
    auto undoTo = [&](int lvl) {
        while (level() > lvl) {
            build.lbl_UndoLast_Click();
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
