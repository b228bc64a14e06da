// The catalogue's shape: what every screen and rule relies on.
#include <model/Catalogue.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

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
                EXPECT_TRUE(slots.insert({s.tier, s.column}).second) << s.name << " shares its icon slot";
                EXPECT_EQ(entrySuffix(id, i), ": " + std::string(s.name));
                EXPECT_FALSE(s.tooltip.empty());
                EXPECT_GE(skillDescription(id, i).size(), 61u) << s.name;
                EXPECT_LE(skillDescription(id, i).size(), 810u) << s.name;
            }
        }
    }
    EXPECT_EQ(codes.size(), 15u);
}

TEST(Catalogue, lookupsAreExactAndCaseSensitive) {
    EXPECT_EQ(treeByCode("BarBarCM"), TreeId::BarBarCM);
    EXPECT_FALSE(treeByCode("BarbarianCM").has_value());
    EXPECT_FALSE(treeByCode("necrobone").has_value());
    EXPECT_FALSE(treeByCode("").has_value());
}

TEST(Catalogue, namesAsTheGameSpelledThemAndTheirMessageNames) {
    EXPECT_EQ(skill(TreeId::PaladinCom, 0).name, "Sacrafice");
    EXPECT_EQ(skill(TreeId::PaladinCom, 5).name, "Vengance");
    EXPECT_EQ(skill(TreeId::PaladinCom, 5).messageName, "Vengeance");
    EXPECT_EQ(skill(TreeId::BarBarCS, 9).name, "Beserker");
    EXPECT_EQ(skill(TreeId::SorcCold, 5).messageName, "Clacier Spike");
    EXPECT_EQ(skill(TreeId::NecroBone, 9).tooltip, "A seeking missile of bone");
    EXPECT_FALSE(skillNote(TreeId::AmazonBC, 3).empty());
    EXPECT_TRUE(skillNote(TreeId::AmazonBC, 4).empty());
}

} // namespace
} // namespace skillwright::model
