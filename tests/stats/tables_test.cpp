// The fifteen statistics tables against the list they were made from: every
// skill line, title and repeated text as listed, the column kinds and their
// counts, the value forms, the rows that are known to the figure, and the
// lookup by tree code.
#include <stats/StatTables.h>

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

using namespace skillwright::stats;

namespace {

// ---------------------------------------------------------------- the list

struct ListedColumn {
    std::string_view title;
    ColumnKind kind;
    std::string_view repeated; ///< the text of a repeat column
};
ListedColumn own(std::string_view title) {
    return {title, ColumnKind::Own, {}};
}
ListedColumn repeat(std::string_view title, std::string_view text) {
    return {title, ColumnKind::Repeat, text};
}
ListedColumn unused() {
    return {"Not Used", ColumnKind::Empty, {}};
}

struct ListedEntry {
    std::string_view tree;
    int index;
    std::string_view name;
    std::array<ListedColumn, 4> columns;
};

// Typed from the list of entries: display name, then the four columns.
const std::vector<ListedEntry> kListed{
    // AmazonBC
    {"AmazonBC", 0, "Magic Arrow", {own("Damage"), own(""), unused(), unused()}},
    {"AmazonBC", 1, "Fire Arrow", {own("Fire Damage"), own("Mana Cost"), unused(), unused()}},
    {"AmazonBC",
     2,
     "Cold Arrow",
     {own("Cold Damage"), own("Cold Length (In Seconds)"), own("Mana Cost"), unused()}},
    {"AmazonBC", 3, "Multiple Shot", {own("Number of Arrows"), own("Mana Cost"), unused(), unused()}},
    {"AmazonBC", 4, "Exploding Arrow", {own("Fire Damage"), own("Mana Cost"), unused(), unused()}},
    {"AmazonBC",
     5,
     "Ice Arrow",
     {own("Cold Damage"), own("Freeze (In Seconds)"), own("Mana Cost"), unused()}},
    {"AmazonBC", 6, "Guided Arrow", {own("Damage + (%)"), own("Mana Cost"), unused(), unused()}},
    {"AmazonBC",
     7,
     "Strafe",
     {own("Attacks Up to"), own("Damage + (%)"), repeat("Mana Cost", "11"), unused()}},
    {"AmazonBC",
     8,
     "Immolation Arrow",
     {own("Average Fire Damage"), own("Fire Duration (In Seconds)"), own("Explosive Damage"),
      own("Mana Cost")}},
    {"AmazonBC",
     9,
     "Freezing Arrow",
     {own("Damage"), repeat("Duration (In Seconds)", "2"), repeat("Radius (Yards)", "3.3"),
      own("Mana Cost")}},
    // AmazonPM
    {"AmazonPM",
     0,
     "Inner Sight",
     {own("Duration (In Seconds)"), own("Enemy Defense"), repeat("Radius (Yards)", "13.3"),
      repeat("Mana Cost", "5")}},
    {"AmazonPM",
     1,
     "Critical Strike (Passive)",
     {own("Chance for 2x Damage (%)"), unused(), unused(), unused()}},
    {"AmazonPM", 2, "Dodge (Passive)", {own("Chance to Dodge Melee (%)"), unused(), unused(), unused()}},
    {"AmazonPM",
     3,
     "Slow Missiles",
     {own("Duration (In Seconds)"), repeat("Radius (Yards)", "13.3"),
      repeat("Enemy Ranged Attacts Slowed (%)", "33"), repeat("Mana Cost", "5")}},
    {"AmazonPM", 4, "Avoid (Passive)", {own("Chance to Dodge Missle (%)"), unused(), unused(), unused()}},
    {"AmazonPM",
     5,
     "Penetrate (Passive)",
     {own("Bonus to Attack Rating for Ranged Attacks (%)"), unused(), unused(), unused()}},
    {"AmazonPM", 6, "Decoy", {own("Duration (In Seconds)"), own("Mana Cost"), unused(), unused()}},
    {"AmazonPM", 7, "Evade (Passive)", {own("Chance to Dodge Any Attack (%)"), unused(), unused(), unused()}},
    {"AmazonPM",
     8,
     "Valkyrie",
     {own("Hit Points"), own("Damage (%)"), own("Attack and Defense Bonus (%)"), own("Mana Cost")}},
    {"AmazonPM",
     9,
     "Pierce (Passive)",
     {own("Chance missles Pass Through Target (%)"), unused(), unused(), unused()}},
    // AmazonJS
    {"AmazonJS", 0, "Jab", {own("Attack Rating Bonus"), own("Damage (%)"), own("Mana Cost"), unused()}},
    {"AmazonJS", 1, "Power Strike", {own("Attack Rating Bonus"), own("Damage"), own("Mana Cost"), unused()}},
    {"AmazonJS",
     2,
     "Poison Javelin",
     {own("Poison Damage"), repeat("Duration (In Seconds)", "3"), own("Mana Cost"), unused()}},
    {"AmazonJS",
     3,
     "Impale",
     {own("Attack Modifier (%)"), own("Weapon Durability (%)"), repeat("Damage (%)", "300"),
      repeat("Mana Cost", "3")}},
    {"AmazonJS", 4, "Lightning Bolt", {own("Lightning Damage"), own("Mana Cost"), unused(), unused()}},
    {"AmazonJS", 5, "Charged Strike", {own("Damage"), own("Mana Cost"), unused(), unused()}},
    {"AmazonJS",
     6,
     "Plague Javelin",
     {own("Poison Damage"), repeat("Duration (In Seconds)", "3"), own("Mana Cost"), unused()}},
    {"AmazonJS",
     7,
     "Fend",
     {own("Attack Rating Bonus (%)"), own("Damage (%)"), repeat("Mana Cost", "5"), unused()}},
    {"AmazonJS",
     8,
     "Lightning Strike",
     {own("Lightning Bolt Damage"), own("Number of Bolts"), own("Lightning Damage"), own("Mana Cost")}},
    {"AmazonJS",
     9,
     "Lightning Fury",
     {own("Lightning Bolt Damage"), own("Number of Bolts"), own("Lightning Damage"), own("Mana Cost")}},
    // BarBarCM
    {"BarBarCM",
     0,
     "Sword Mastery (Passive)",
     {own("Damage + (%)"), own("Attack + (%)"), unused(), unused()}},
    {"BarBarCM", 1, "Axe Mastery (Passive)", {own("Damage + (%)"), own("Attack + (%)"), unused(), unused()}},
    {"BarBarCM", 2, "Mace Mastery (Passive)", {own("Damage + (%)"), own("Attack + (%)"), unused(), unused()}},
    {"BarBarCM",
     3,
     "Polearm Mastery (Passive)",
     {own("Damage + (%)"), own("Attack + (%)"), unused(), unused()}},
    {"BarBarCM",
     4,
     "Throwing Mastery (Passive)",
     {own("Damage + (%)"), own("Attack + (%)"), unused(), unused()}},
    {"BarBarCM",
     5,
     "Spear Mastery (Passive)",
     {own("Damage + (%)"), own("Attack + (%)"), unused(), unused()}},
    {"BarBarCM", 6, "Increase Stamina (Passive)", {own("Stamina Bonus (%)"), unused(), unused(), unused()}},
    {"BarBarCM",
     7,
     "Iron Skin (Passive)",
     {own("Increase Defense Rating (%)"), unused(), unused(), unused()}},
    {"BarBarCM",
     8,
     "Increase Speed (Passive)",
     {own("Walk/Run Speed Bonus (%)"), unused(), unused(), unused()}},
    {"BarBarCM",
     9,
     "Natural Resistance (Passive)",
     {own("Increase Resist All (%)"), unused(), unused(), unused()}},
    // BarBarCS
    {"BarBarCS",
     0,
     "Bash",
     {own("Damage"), own("Damage + (%)"), own("Attack + (%)"), repeat("Mana Cost", "2")}},
    {"BarBarCS", 1, "Leap", {own("Radius (Yards)"), repeat("Mana Cost", "2"), unused(), unused()}},
    {"BarBarCS", 2, "Double Swing", {own("Attack + (%)"), repeat("Mana Cost", "2"), unused(), unused()}},
    {"BarBarCS",
     3,
     "Stun",
     {own("Attack + (%)"), own("Duration (In Seconds)"), repeat("Mana Cost", "2"), unused()}},
    {"BarBarCS", 4, "Double Throw", {own("Attack + (%)"), repeat("Mana Cost", "2"), unused(), unused()}},
    {"BarBarCS",
     5,
     "Leap Attack",
     {own("Radius (Yards)"), own("Attack + (%)"), own("Damage + (%)"), repeat("Mana Cost", "9")}},
    {"BarBarCS",
     6,
     "Concentrate",
     {own("Attack + (%)"), own("Defense +(%)"), repeat("Mana Cost", "2"), unused()}},
    {"BarBarCS",
     7,
     "Frenzy",
     {own("Attack + (%)"), own("Duration (In Seconds)"), repeat("Mana Cost", "2"), unused()}},
    {"BarBarCS", 8, "Whirlwind", {own("Attack + (%)"), own("Damage %"), own("Mana Cost"), unused()}},
    {"BarBarCS",
     9,
     "Beserk",
     {own("Attack + (%)"), own("Magic Damage + (%)"), own("Duration (In Seconds)"),
      repeat("Mana Cost", "5")}},
    // BarBarWC
    {"BarBarWC",
     0,
     "Howl",
     {own("Enemy Runs (Yards)"), own("Enemy Runs (Seconds)"), repeat("Mana Cost", "4"), unused()}},
    {"BarBarWC",
     1,
     "Find Health Potion",
     {own("Chance to find (%)"), repeat("Mana Cost", "2"), unused(), unused()}},
    {"BarBarWC",
     2,
     "Taunt",
     {own("Target's Damage Decrease (%)"), own("Target's Attack Rating Decrease (%)"),
      repeat("Mana Cost", "2"), unused()}},
    {"BarBarWC",
     3,
     "Shout",
     {own("Defense Bonus (%)"), own("Duration (In Seconds)"), repeat("Mana Cost", "6"), unused()}},
    {"BarBarWC", 4, "Find Item", {own("Chance to Find (%)"), repeat("Mana Cost", "7"), unused(), unused()}},
    {"BarBarWC",
     5,
     "Battle Cry",
     {own("Duration (Seconds)"), own("Target's Defense - (%)"), own("Target's Damage - (%)"),
      repeat("Mana Cost", "5")}},
    {"BarBarWC",
     6,
     "Battle Orders",
     {own("Max Stamina/Mana Increase (%)"), own("Duration (In Seconds)"), repeat("Mana Cost", "5"),
      unused()}},
    {"BarBarWC",
     7,
     "Grim Ward",
     {own("Radius (Yards)"), repeat("Duration (In Seconds)", "40"), repeat("Mana Cost", "4"), unused()}},
    {"BarBarWC", 8, "War Cry", {own("Damage"), own("Stun Length (In Seconds)"), own("Mana Cost"), unused()}},
    {"BarBarWC",
     9,
     "Battle Command",
     {own("Duration (In Seconds)"), repeat("Mana Cost", "11"), unused(), unused()}},
    // NecroCurse
    {"NecroCurse",
     0,
     "Amplify Damage",
     {own("Radius (Yards)"), own("Duration (In Seconds)"), repeat("Damage Returned (%)", "100"),
      repeat("Mana Cost", "4")}},
    {"NecroCurse",
     1,
     "Dim Vision",
     {own("Radius (Yards)"), own("Duration (In Seconds)"), repeat("Mana Cost", "9"), unused()}},
    {"NecroCurse",
     2,
     "Weaken",
     {own("Radius (Yards)"), own("Duration (In Seconds)"), repeat("Target's Damage (%)", "-33"),
      repeat("Mana Cost", "4")}},
    {"NecroCurse",
     3,
     "Iron Maiden",
     {own("Damage Returned (%)"), own("Duration (In Seconds)"), repeat("Radius (Yards)", "4.6"),
      repeat("Mana Cost", "5")}},
    {"NecroCurse",
     4,
     "Terror",
     {own("Duration (In Seconds)"), repeat("Radius (Yards)", "2.6"), repeat("Mana Cost", "7"), unused()}},
    {"NecroCurse",
     5,
     "Confuse",
     {own("Duration (In Seconds)"), own("Radius (Yards)"), repeat("Mana Cost", "13"), unused()}},
    {"NecroCurse",
     6,
     "Life Tap",
     {own("Duration (In Seconds)"), own("Radius (Yards)"), repeat("Attacker Healed % of Attack", "50"),
      repeat("Mana Cost", "9")}},
    {"NecroCurse",
     7,
     "Attract",
     {own("Duration (In Seconds)"), repeat("Radius", "6.0"), repeat("Mana Cost", "17"), unused()}},
    {"NecroCurse",
     8,
     "Decrepify",
     {own("Duration (In Seconds)"), own("Radius"), repeat("Mana Cost", "11"), unused()}},
    {"NecroCurse",
     9,
     "Lower Resist",
     {own("Duration (In Seconds)"), own("Resist All Reduced (%)"), own("Radius (Yards)"),
      repeat("Mana Cost", "22")}},
    // NecroBone
    {"NecroBone", 0, "Teeth", {own("Number of Teeth"), own("Mana Cost"), own("Damage"), unused()}},
    {"NecroBone", 1, "Bone Armor", {own("Damage Shield"), own("Mana Cost"), unused(), unused()}},
    {"NecroBone",
     2,
     "Poison Dagger",
     {own("Poison Damage"), own("Duration (In Seconds)"), own("Armor Bonus (%)"), own("Mana Cost")}},
    {"NecroBone", 3, "Corpse Explosion", {own("Mana Cost"), own("Radius (Yards)"), unused(), unused()}},
    {"NecroBone", 4, "Bone Wall", {own("Hit Points"), repeat("Mana Cost", "17"), unused(), unused()}},
    {"NecroBone",
     5,
     "Poison Explosion",
     {own("Poison Damage"), own("Duration (In Seconds)"), repeat("Mana Cost", "8"), unused()}},
    {"NecroBone", 6, "Bone Spear", {own("Damage"), own("Mana Cost"), unused(), unused()}},
    {"NecroBone", 7, "Bone Prison", {own("Hit Points"), own("Mana Cost"), unused(), unused()}},
    {"NecroBone",
     8,
     "Poison Nova",
     {own("Poison Damage"), own("Duration (In Seconds)"), repeat("Mana Cost", "25"), unused()}},
    {"NecroBone", 9, "Bone Spirit", {own("Damage"), own("Mana Cost"), unused(), unused()}},
    // NecroSummon
    {"NecroSummon",
     0,
     "Skeleton Mastery (Passive)",
     {own("Skeleton Hit Points"), own("Skeleton Damage"), own("Monster Hit Points (%)"),
      own("Monster Damage (%)")}},
    {"NecroSummon", 1, "Raise Skeleton", {own("Number Of Skeletons"), own("Mana Cost"), unused(), unused()}},
    {"NecroSummon", 2, "Clay Golem", {own("Hit Points"), own("Damage"), own("Mana Cost"), unused()}},
    {"NecroSummon",
     3,
     "Golem Mastery (Passive)",
     {own("Increased Hit Points (%)"), own("Increased Running Speed (%)"), unused(), unused()}},
    {"NecroSummon", 4, "Skeletal Mage", {own("Number of Mages"), own("Mana Cost"), unused(), unused()}},
    {"NecroSummon",
     5,
     "Blood Golem",
     {own("Damage"), own("Life Tap"), own("Mana Cost"), repeat("Hit Points", "201")}},
    {"NecroSummon", 6, "Summon Resistance (Passive)", {own("Resist All (%)"), unused(), unused(), unused()}},
    {"NecroSummon",
     7,
     "Iron Golem",
     {own("Thorns (%)"), repeat("Damage", "7- 19"), repeat("Mana Cost", "35"), repeat("Hit Points", "367")}},
    {"NecroSummon",
     8,
     "Fire Golem",
     {own("Damage"), own("Fire damage Absorbed"), own("Mana Cost"), repeat("Hit Points", "375")}},
    {"NecroSummon",
     9,
     "Revive",
     {own("Number of Monster"), repeat("% of Monsters Health", "200"), repeat("Mana Cost ", "45"),
      repeat("Duration (In Seconds)", "180")}},
    // PaladinCom
    {"PaladinCom",
     0,
     "Sacrifice",
     {repeat("Damage to Self (%)", "8"), own("Attack Rating + (%)"), own("Damage (%)"), unused()}},
    {"PaladinCom", 1, "Holy Bolt", {own("Magic Damage"), own("Healing"), repeat("Mana Cost", "4"), unused()}},
    {"PaladinCom",
     2,
     "Smite",
     {own("Damage + (%)"), own("Stun (In Seconds)"), repeat("Mana Cost", "2"), unused()}},
    {"PaladinCom",
     3,
     "Zeal",
     {own("Attack + (%)"), own("Number of Hits"), repeat("Mana Cost", "2"), unused()}},
    {"PaladinCom",
     4,
     "Charge",
     {own("Damage + (%)"), own("Attack + (%)"), repeat("Mana Cost", "9"), unused()}},
    {"PaladinCom",
     5,
     "Vengeance",
     {own("Cold Length"), own("Elemental Damage + (%)"), repeat("Attack + (%)", "20"), own("Mana Cost")}},
    {"PaladinCom", 6, "Blessed Hammer", {own("Damage"), own("Mana Cost"), unused(), unused()}},
    {"PaladinCom",
     7,
     "Conversion",
     {own("Chance to Convert (%)"), own("Duration (In Seconds)"), repeat("Mana Cost", "4"), unused()}},
    {"PaladinCom",
     8,
     "Holy Shield",
     {own("Duration (In Seconds)"), own("Defense + (%)"), own("Chance to Block + (%)"),
      repeat("Mana Cost", "35")}},
    {"PaladinCom",
     9,
     "Fist of Heavens",
     {own("Holy Bolt Damage"), own("Lightning Damage"), own("Mana Cost"), unused()}},
    // PaladinOff
    {"PaladinOff", 0, "Might", {own("Radius (Yards)"), own("Damage + (%)"), unused(), unused()}},
    {"PaladinOff", 1, "Holy Fire", {own("Radius (Yards)"), own("Fire Damage"), unused(), unused()}},
    {"PaladinOff", 2, "Thorns", {own("Radius (Yards)"), own("Damage Return (%)"), unused(), unused()}},
    {"PaladinOff", 3, "Blessed Aim", {own("Radius (Yards)"), own("Attack + (%)"), unused(), unused()}},
    {"PaladinOff",
     4,
     "Concentration",
     {own("Radius (Yards)"), own("Damage + (%)"), repeat("Uninterrupt Chance (%)", "20"), unused()}},
    {"PaladinOff", 5, "Holy Freeze", {own("Radius (Yards)"), own("Slowed By (%)"), unused(), unused()}},
    {"PaladinOff", 6, "Holy Shock", {own("Radius (Yards)"), own("Lightning Damage"), unused(), unused()}},
    {"PaladinOff", 7, "Sanctuary", {own("Radius (Yards)"), own("Magic Damage"), unused(), unused()}},
    {"PaladinOff",
     8,
     "Fanaticism",
     {repeat("Radius (Yards)", "7.3"), own("Attack Rating + (%)"), own("Attack + (%)"), unused()}},
    {"PaladinOff",
     9,
     "Conviction",
     {own("Radius (Yards)"), own("Defense - (%)"), own("Maximum Resist - (%)"), unused()}},
    // PaladinDef
    {"PaladinDef", 0, "Prayer", {own("Radius (Yards)"), own("Healing"), own("Mana Cost"), unused()}},
    {"PaladinDef", 1, "Resist Fire", {own("Radius (Yards)"), own("Resist Fire + (%)"), unused(), unused()}},
    {"PaladinDef", 2, "Defiance", {own("Radius (Yards)"), own("Defense + (%)"), unused(), unused()}},
    {"PaladinDef", 3, "Resist Cold", {own("Radius (Yards)"), own("Resist Cold + (%)"), unused(), unused()}},
    {"PaladinDef", 4, "Cleansing", {own("Radius (Yards)"), own("Duration Reduction"), unused(), unused()}},
    {"PaladinDef",
     5,
     "Resist Lightning",
     {own("Radius (Yards)"), own("Resist Lightning + (%)"), unused(), unused()}},
    {"PaladinDef",
     6,
     "Vigor",
     {own("Radius (Yards)"), own("Walk Run Speed + (%)"), own("Max Stamina Increase + (%)"),
      own("Increase Stamina Recovery + (%)")}},
    {"PaladinDef", 7, "Meditation", {own("Radius (Yards)"), own("Mana Recovery + (%)"), unused(), unused()}},
    {"PaladinDef",
     8,
     "Redemption",
     {repeat("Radius (yards)", "7.3"), own("Chance to Redeem + (%)"),
      own("Hit Points/Mana Recovery (Points)"), unused()}},
    {"PaladinDef",
     9,
     "Salvation",
     {own("Radius (Yards)"), own("Resist Lightning/Cold/Fire (%)"), unused(), unused()}},
    // SorcCold
    {"SorcCold",
     0,
     "Ice Bolt",
     {own("Damage"), own("Cold Length (In Seconds)"), repeat("Mana Cost", "3"), unused()}},
    {"SorcCold",
     1,
     "Frozen Armor",
     {own("Defense Bonus (%)"), own("Duration (In Seconds)"), own("Freeze Length (In Seconds)"),
      repeat("Mana cost", "7")}},
    {"SorcCold",
     2,
     "Frost Nova",
     {own("Cold Damage"), own("Cold Length (In Seconds)"), own("Mana Cost"), unused()}},
    {"SorcCold",
     3,
     "Ice Blast",
     {own("Damage"), own("Freeze Length (In Seconds)"), own("Mana Cost"), unused()}},
    {"SorcCold",
     4,
     "Shiver Armor (Cold Length : 4 seconds)",
     {own("Damage"), own("Defense Bonus (%)"), own("Duration (In Seconds)"), repeat("Mana Cost", "11")}},
    {"SorcCold",
     5,
     "Glacier Spike",
     {own("Damage"), own("Freeze Length (In Seconds)"), own("Mana Cost"), unused()}},
    {"SorcCold",
     6,
     "Blizzard",
     {own("Damage Per Seconds"), own("Freeze Length (In Seconds)"), own("Mana Cost"), unused()}},
    {"SorcCold",
     7,
     "Chilling Armor",
     {own("Damage"), own("Defense Bonus (%)"), own("Duration (In Seconds)"), repeat("Mana Cost", "17")}},
    {"SorcCold",
     8,
     "Frozen Orb",
     {own("Damage"), own("Cold Length (In Seconds)"), own("Mana Cost"), unused()}},
    {"SorcCold", 9, "Cold Mastery (Passive)", {own("Enemy Resistance - (%)"), unused(), unused(), unused()}},
    // SorcFire
    {"SorcFire", 0, "Fire Bolt", {own("Damage"), repeat("Mana Cost", "2.5"), unused(), unused()}},
    {"SorcFire", 1, "Warmth (Passive)", {own("Regenerate Mana (%)"), unused(), unused(), unused()}},
    {"SorcFire",
     2,
     "Inferno",
     {own("Damage (Per Second)"), own("Range (Yards)"), own("Mana Cost"), unused()}},
    {"SorcFire", 3, "Blaze", {own("Damage"), own("Duration (In Seconds)"), own("Mana Cost"), unused()}},
    {"SorcFire", 4, "Fireball", {own("Damage"), repeat("Radius (Yards)", "2"), own("Mana Cost"), unused()}},
    {"SorcFire",
     5,
     "Fire Wall",
     {own("Damage Per Second"), own("Duration (In Seconds)"), own("Mana Cost"), unused()}},
    {"SorcFire", 6, "Enchant", {own("Damage"), own("Duration (In Seconds)"), own("Mana Cost"), unused()}},
    {"SorcFire",
     7,
     "Meteor",
     {own("Damage"), own("Fire Damage Per Second"), repeat("Radius (Yards)", "4"), own("Mana Cost")}},
    {"SorcFire",
     8,
     "Fire Mastery (Passive)",
     {own("Fire Damage Increased (%)"), unused(), unused(), unused()}},
    {"SorcFire", 9, "Hydra", {own("Damage"), own("Duration (In Seconds)"), own("Mana Cost"), unused()}},
    // SorcLight
    {"SorcLight", 0, "Charged Bolt", {own("Damage"), own("Number of Bolts"), own("Mana Cost"), unused()}},
    {"SorcLight",
     1,
     "Static Field",
     {own("Radius (Yards)"), repeat("Damage (%)", "25"), repeat("Mana Cost", "9"), unused()}},
    {"SorcLight", 2, "Telekinesis", {own("Damage"), repeat("Mana Cost", "7"), unused(), unused()}},
    {"SorcLight", 3, "Nova", {own("Damage"), own("Mana Cost"), unused(), unused()}},
    {"SorcLight", 4, "Lightning", {own("Damage"), own("Mana Cost"), unused(), unused()}},
    {"SorcLight",
     5,
     "Chain Lightning",
     {own("Damage"), own("Mana Cost"), repeat("Number of Tagets Hit", "5"), unused()}},
    {"SorcLight", 6, "Teleport", {own("Mana Cost"), unused(), unused(), unused()}},
    {"SorcLight",
     7,
     "Thunderstorm",
     {own("Damage"), own("Duration (In Seconds)"), repeat("Mana Cost", "19"), unused()}},
    {"SorcLight",
     8,
     "Energy Shield",
     {own("Damage Absorbed (%)"), own("Duration (In Seconds)"), repeat("Mana Cost", "5"), unused()}},
    {"SorcLight",
     9,
     "Lightning Mastery (Passive)",
     {own("Lightning Cost Reduced (%)"), unused(), unused(), unused()}},
};

std::string describe(const ListedEntry& e, int column) {
    return std::string(e.tree) + " " + std::to_string(e.index) + " " + std::string(e.name) + " column " +
           std::to_string(column + 1);
}

const Entry& entryOf(std::string_view tree, int index) {
    const Entry* entry = findEntry(tree, index);
    EXPECT_NE(entry, nullptr) << tree << " " << index;
    static const Entry kNothing{};
    return entry != nullptr ? *entry : kNothing;
}

std::vector<std::string> texts(std::string_view tree, int index, int column) {
    const auto& cells = entryOf(tree, index).columns[static_cast<std::size_t>(column - 1)].texts;
    return {cells.begin(), cells.end()};
}

std::vector<std::string> twenty(const std::string& text) {
    return std::vector<std::string>(kLevels, text);
}

// ---------------------------------------------------------------- shape

TEST(StatTables, dispatchFromTreeCodeToTheFifteenTableOperations) {
    const std::vector<std::pair<std::string_view, std::string_view>> expected{
        {"SorcFire", "Sorc_Fire"},     {"SorcCold", "Sorc_Cold"},     {"SorcLight", "Sorc_Light"},
        {"PaladinCom", "Paladin_Com"}, {"PaladinOff", "Paladin_Off"}, {"PaladinDef", "Paladin_Def"},
        {"BarBarCS", "BarBar_CS"},     {"BarBarWC", "BarBar_WC"},     {"BarBarCM", "BarBar_CM"},
        {"AmazonBC", "Amazon_BC"},     {"AmazonPM", "Amazon_PM"},     {"AmazonJS", "Amazon_JS"},
        {"NecroCurse", "Necro_Curse"}, {"NecroBone", "Necro_Bone"},   {"NecroSummon", "Necro_Summon"}};
    std::vector<std::pair<std::string_view, std::string_view>> actual;
    std::set<const TreeTable*> tables;
    for (const TableOperation& row : tableOperations()) {
        actual.emplace_back(row.treeCode, row.operation);
        tables.insert(row.table);
    }
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(tables.size(), 15u) << "every tree has a table of its own";
}

TEST(StatTables, everySkillLineTitleAndRepeatedTextIsAsListed) {
    ASSERT_EQ(kListed.size(), 150u);
    for (const ListedEntry& listed : kListed) {
        const Entry& entry = entryOf(listed.tree, listed.index);
        EXPECT_EQ(entry.skillLine, "Current Skill: " + std::string(listed.name))
            << listed.tree << listed.index;
        for (int c = 0; c < kColumns; ++c) {
            const ListedColumn& want = listed.columns[static_cast<std::size_t>(c)];
            const Column& got = entry.columns[static_cast<std::size_t>(c)];
            EXPECT_EQ(got.title, want.title) << describe(listed, c);
            EXPECT_EQ(got.kind, want.kind) << describe(listed, c);
            if (want.kind == ColumnKind::Repeat) {
                EXPECT_EQ(std::vector<std::string>(got.texts.begin(), got.texts.end()),
                          twenty(std::string(want.repeated)))
                    << describe(listed, c);
            }
        }
    }
}

TEST(StatTables, columnKindsAddUpAndEachKindFillsItsRowsAsItShould) {
    // Value forms: a range "3- 6", a whole number "30" (or "-33"), one decimal
    // "2.5", a bonus "+1".
    const std::regex valueForm(R"(\d+- \d+|-?\d+|-?\d+\.\d|\+\d+)");
    int entries = 0;
    int own = 0;
    int repeated = 0;
    int empty = 0;
    int estimated = 0;
    for (const TableOperation& row : tableOperations()) {
        for (const Entry& entry : *row.table) {
            ++entries;
            for (const Column& column : entry.columns) {
                const std::string where = std::string(entry.skillLine) + " / " + std::string(column.title);
                switch (column.kind) {
                case ColumnKind::Own:
                    ++own;
                    estimated += column.estimated ? 1 : 0;
                    EXPECT_NE(column.title, "Not Used") << where;
                    for (const std::string_view text : column.texts) {
                        EXPECT_TRUE(std::regex_match(std::string(text), valueForm))
                            << where << ": '" << text << "'";
                    }
                    break;
                case ColumnKind::Repeat:
                    ++repeated;
                    EXPECT_FALSE(column.estimated) << where;
                    EXPECT_TRUE(std::regex_match(std::string(column.texts[0]), valueForm)) << where;
                    for (const std::string_view text : column.texts) {
                        EXPECT_EQ(text, column.texts[0]) << where;
                    }
                    break;
                case ColumnKind::Empty:
                    ++empty;
                    EXPECT_FALSE(column.estimated) << where;
                    EXPECT_EQ(column.title, "Not Used") << where;
                    for (const std::string_view text : column.texts) {
                        EXPECT_EQ(text, "") << where;
                    }
                    break;
                }
            }
        }
    }
    EXPECT_EQ(entries, 150);
    EXPECT_EQ(own, 317);
    EXPECT_EQ(repeated, 83);
    EXPECT_EQ(empty, 200);
    // Our own figures where no early source was found; the rest come from one.
    EXPECT_EQ(estimated, 259);
}

// ---------------------------------------------------------------- known rows

TEST(StatTables, fireBoltAndWarmth) {
    EXPECT_EQ(texts("SorcFire", 0, 1),
              (std::vector<std::string>{"3- 6",   "4- 7",   "6- 9",   "7- 10",  "9- 12",  "10- 13", "12- 15",
                                        "13- 16", "15- 18", "16- 19", "18- 21", "19- 22", "21- 24", "22- 25",
                                        "24- 27", "25- 28", "27- 30", "28- 31", "30- 33", "31- 34"}));
    EXPECT_EQ(texts("SorcFire", 0, 2), twenty("2.5"));
    EXPECT_EQ(
        texts("SorcFire", 1, 1),
        (std::vector<std::string>{"30",  "42",  "54",  "66",  "78",  "90",  "102", "114", "126", "138",
                                  "150", "162", "174", "186", "198", "210", "222", "234", "246", "258"}));
}

TEST(StatTables, bash) {
    EXPECT_EQ(
        texts("BarBarCS", 0, 1),
        (std::vector<std::string>{"+1",  "+2",  "+3",  "+4",  "+5",  "+6",  "+7",  "+8",  "+9",  "+10",
                                  "+11", "+12", "+13", "+14", "+15", "+16", "+17", "+18", "+19", "+20"}));
    EXPECT_EQ(
        texts("BarBarCS", 0, 2),
        (std::vector<std::string>{"50",  "55",  "60",  "65",  "70",  "75",  "80",  "85",  "90",  "95",
                                  "100", "105", "110", "115", "120", "125", "130", "135", "140", "145"}));
    EXPECT_EQ(texts("BarBarCS", 0, 3),
              (std::vector<std::string>{"20", "25", "30", "35", "40", "45", "50",  "55",  "60",  "65",
                                        "70", "75", "80", "85", "90", "95", "100", "105", "110", "115"}));
    EXPECT_EQ(texts("BarBarCS", 0, 4), twenty("2"));
}

TEST(StatTables, magicArrow) {
    EXPECT_EQ(
        texts("AmazonBC", 0, 1),
        (std::vector<std::string>{"0",   "+1",  "+2",  "+3",  "+4",  "+5",  "+6",  "+7",  "+8",  "+9",
                                  "+10", "+11", "+12", "+13", "+14", "+15", "+16", "+17", "+18", "+19"}));
    EXPECT_EQ(texts("AmazonBC", 0, 2),
              (std::vector<std::string>{"1.5", "1.3", "1.2", "1.1", "1.0", "0.8", "0.7", "0.6", "0.5", "0.3",
                                        "0.2", "0.1", "0",   "0",   "0",   "0",   "0",   "0",   "0",   "0"}));
}

TEST(StatTables, teeth) {
    EXPECT_EQ(texts("NecroBone", 0, 1),
              (std::vector<std::string>{"2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11",
                                        "12", "13", "14", "15", "16", "17", "18", "19", "20", "21"}));
    EXPECT_EQ(texts("NecroBone", 0, 3),
              (std::vector<std::string>{"2- 4",   "3- 5",   "4- 6",   "5- 7",   "6- 8",   "7- 9",   "8- 10",
                                        "9- 11",  "10- 12", "11- 13", "12- 14", "13- 15", "14- 16", "15- 17",
                                        "16- 18", "17- 19", "18- 20", "19- 21", "20- 22", "21- 23"}));
}

TEST(StatTables, skeletonMastery) {
    const std::vector<std::string> bySeven{"7",  "14", "21", "28", "35",  "42",  "49",  "56",  "63",  "70",
                                           "77", "84", "91", "98", "105", "112", "119", "126", "133", "140"};
    const std::vector<std::string> byTwo{"2",  "4",  "6",  "8",  "10", "12", "14", "16", "18", "20",
                                         "22", "24", "26", "28", "30", "32", "34", "36", "38", "40"};
    EXPECT_EQ(texts("NecroSummon", 0, 1), bySeven);
    EXPECT_EQ(texts("NecroSummon", 0, 2), byTwo);
    EXPECT_EQ(texts("NecroSummon", 0, 3), bySeven);
    EXPECT_EQ(texts("NecroSummon", 0, 4), byTwo);
}

// ---------------------------------------------------------------- lookup

TEST(StatTables, lookupIsExactAndCaseSensitive) {
    EXPECT_EQ(entryOf("SorcFire", 0).skillLine, "Current Skill: Fire Bolt");
    EXPECT_EQ(entryOf("NecroSummon", 9).skillLine, "Current Skill: Revive");
    for (const std::string_view code :
         {"sorcfire", "SORCFIRE", "SorcFire ", " SorcFire", "Sorc_Fire", "", "Sorc"}) {
        EXPECT_EQ(findEntry(code, 0), nullptr) << "'" << code << "'";
    }
    for (const int index : {-1, 10, 32767, -32768}) {
        EXPECT_EQ(findEntry("SorcFire", index), nullptr) << index;
    }
}

// ---------------------------------------------------------------- figures

struct FigureCase {
    std::string_view text;
    std::optional<std::pair<double, double>> figure;
};

TEST(StatTables, figuresOfTheValueForms) {
    using P = std::pair<double, double>;
    const std::vector<FigureCase> cases{
        {"3- 6", P{3, 6}},        {"100- 110", P{100, 110}}, {"30", P{30, 30}},      {"0", P{0, 0}},
        {"2.5", P{2.5, 2.5}},     {"13.3", P{13.3, 13.3}},   {"+1", P{1, 1}},        {"+20", P{20, 20}},
        {"-33", P{-33, -33}},     {"-0.5", P{-0.5, -0.5}},   {"", std::nullopt},     {"3-6", std::nullopt},
        {"3 - 6", std::nullopt},  {"3- ", std::nullopt},     {"- 6", std::nullopt},  {"2.", std::nullopt},
        {".5", std::nullopt},     {"1.25", std::nullopt},    {"+1.5", std::nullopt}, {"+", std::nullopt},
        {"1.5- 3", std::nullopt}, {"abc", std::nullopt},     {"30%", std::nullopt},  {" 30", std::nullopt}};
    for (const FigureCase& c : cases) {
        const auto figure = parseFigure(c.text);
        if (c.figure) {
            ASSERT_TRUE(figure.has_value()) << "'" << c.text << "'";
            EXPECT_DOUBLE_EQ(figure->low, c.figure->first) << c.text;
            EXPECT_DOUBLE_EQ(figure->high, c.figure->second) << c.text;
        } else {
            EXPECT_FALSE(figure.has_value()) << "'" << c.text << "'";
        }
    }
}

TEST(StatTables, onlyColumnsWithFiguresOfTheirOwnHaveAProgression) {
    const auto bolt = columnFigures(entryOf("SorcFire", 0).columns[0]);
    ASSERT_TRUE(bolt.has_value());
    EXPECT_DOUBLE_EQ(bolt->front().low, 3);
    EXPECT_DOUBLE_EQ(bolt->back().high, 34);
    EXPECT_FALSE(columnFigures(entryOf("SorcFire", 0).columns[1]).has_value()) << "repeated";
    EXPECT_FALSE(columnFigures(entryOf("SorcFire", 0).columns[2]).has_value()) << "not used";
}

} // namespace
