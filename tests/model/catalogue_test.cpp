// The catalogue's shape: what every screen and rule relies on.
#include <model/Catalogue.h>

#include <gtest/gtest.h>

#include <TsvRows.h>
#include <set>
#include <string>
#include <vector>

namespace skillwright::model {
namespace {

TEST(Catalogue, fiveClassesOfThreeTreesOfTenUniquelyNamedSkills) {
    std::set<std::string_view> codes;
    for (const ClassInfo& c : classes()) {
        std::set<std::string_view> names;
        for (TreeId id : c.trees) {
            const Tree& t = tree(id);
            EXPECT_EQ(t.classId, c.id);
            EXPECT_TRUE(codes.insert(t.code).second);
            EXPECT_EQ(treeByCode(t.code), id);
            std::set<std::pair<int, int>> slots;
            for (int i = 0; i < kSkillsPerTree; ++i) {
                const Skill& s = t.skills[static_cast<std::size_t>(i)];
                EXPECT_TRUE(names.insert(s.name).second) << s.name;
                EXPECT_TRUE(slots.insert({s.openingLevel, s.column}).second)
                    << s.name << " shares its icon slot";
                EXPECT_EQ(entrySuffix(id, i), ": " + std::string(s.name));
                EXPECT_FALSE(s.tooltip.empty());
                EXPECT_GE(skillDescription(id, i).size(), 61u) << s.name;
                EXPECT_LE(skillDescription(id, i).size(), 810u) << s.name;
            }
        }
    }
    EXPECT_EQ(codes.size(), 15u);
}

// The tiers, columns and prerequisites of all 150 skills, checked against a
// list typed from the game's skill tables (catalogue_rules.tsv), not read
// from the catalogue itself.
TEST(Catalogue, everySkillHasItsTierColumnAndPrerequisitesInOrder) {
    int rows = 0;
    for (std::vector<std::string> f : skillwright::testing::readTsvRows(SW_CATALOGUE_RULES)) {
        f.resize(6);
        const std::string line = f[0] + " " + f[1] + " " + f[2];
        const auto t = treeByCode(f[0]);
        ASSERT_TRUE(t) << line;
        const Skill& s = skill(*t, std::stoi(f[1]));
        SCOPED_TRACE(line);
        EXPECT_EQ(s.name, f[2]);
        EXPECT_EQ(s.openingLevel, std::stoi(f[3]));
        EXPECT_EQ(s.column, std::stoi(f[4]));
        std::string prerequisites;
        for (const std::int8_t p : s.prerequisites) {
            if (p >= 0) {
                prerequisites += prerequisites.empty() ? "" : "|";
                prerequisites += skill(*t, p).name;
            }
        }
        EXPECT_EQ(prerequisites, f[5]);
        ++rows;
    }
    EXPECT_EQ(rows, 150);
}

TEST(Catalogue, lookupsAreExactAndCaseSensitive) {
    EXPECT_EQ(treeByCode("BarBarCM"), TreeId::BarbarianMasteries);
    EXPECT_FALSE(treeByCode("BarbarianCM").has_value());
    EXPECT_FALSE(treeByCode("necrobone").has_value());
    EXPECT_FALSE(treeByCode("").has_value());
}

TEST(Catalogue, namesAsTheGameSpelledThemAndTheirMessageNames) {
    EXPECT_EQ(skill(TreeId::PaladinCombat, 0).name, "Sacrafice");
    EXPECT_EQ(skill(TreeId::PaladinCombat, 5).name, "Vengance");
    EXPECT_EQ(skill(TreeId::PaladinCombat, 5).messageName, "Vengeance");
    EXPECT_EQ(skill(TreeId::BarbarianCombat, 9).name, "Beserker");
    EXPECT_EQ(skill(TreeId::SorceressCold, 5).messageName, "Clacier Spike");
    EXPECT_EQ(skill(TreeId::NecromancerPoisonBone, 9).tooltip, "A seeking missile of bone");
    EXPECT_FALSE(skillNote(TreeId::AmazonBowCrossbow, 3).empty());
    EXPECT_TRUE(skillNote(TreeId::AmazonBowCrossbow, 4).empty());
}

} // namespace
} // namespace skillwright::model
