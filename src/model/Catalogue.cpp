#include "Catalogue.h"

#include <algorithm>
#include <string>

namespace skillwright::model {

namespace {

// clang-format off
constexpr std::array<Tree, kTreeCount> kTrees{{
    Tree{TreeId::NecromancerSummoning, "NecroSummon", ClassId::Necromancer, 0, "Summon Skills",
         {{
             {"Skeleton Mastery", 1, 1, {-1, -1}, "Skeleton Mastery",
              "(Passive) Increases skeleton and revived quality."},
             {"Raise Skeleton", 1, 3, {-1, -1}, "Raise Skeleton",
              "Cast on a corpse of a slain monster to raise a skeleton warrior that fights for you."},
             {"Clay Golem", 6, 2, {-1, -1}, "Clay Golem",
              "Creates golem to fight for caster."},
             {"Golem Mastery", 12, 1, {2, -1}, "Golem Mastery",
              "(Passive) Adding points to this mastery will improve the foot speed of your golem and increase its hit points."},
             {"Raise Skeletal Mage", 12, 3, {1, -1}, "Raise Skeletal Mage",
              "Reanimates skeletal mage from target corpse."},
             {"Blood Golem", 18, 2, {2, -1}, "Blood Golem",
              "A golem that shares health and damage."},
             {"Summon Resistance", 24, 1, {3, -1}, "Summon Resistance",
              "(Passive) Summoned monsters gain resistance."},
             {"Iron Golem", 24, 2, {5, -1}, "Iron Golem",
              "Creates a golem from an item."},
             {"Fire Golem", 30, 2, {7, -1}, "Fire Golem",
              "Creates a fire golem."},
             {"Revive", 30, 3, {4, -1}, "Revive",
              "Raise a monster that fights for you."},
         }}},
    Tree{TreeId::NecromancerPoisonBone, "NecroBone", ClassId::Necromancer, 1, "Poison / Bone Skills",
         {{
             {"Teeth", 1, 2, {-1, -1}, "Teeth",
              "Fires multiple teeth missiles."},
             {"Bone Armor", 1, 3, {-1, -1}, "Bone Armor",
              "Create a damage-absorbing bone shell."},
             {"Poison Dagger", 6, 1, {-1, -1}, "Poison Dagger",
              "Next dagger attack poisons target."},
             {"Corpse Explosion", 6, 2, {0, -1}, "Corpse Explosion",
              "Turn a corpse into a bomb."},
             {"Bone Wall", 12, 3, {1, -1}, "Bone Wall",
              "Creates an impassable barrier."},
             {"Poison Explosion", 18, 1, {2, 3}, "Poison Explosion",
              "Turn a corpse into a poison gas bomb."},
             {"Bone Spear", 18, 2, {3, -1}, "Bone Spear",
              "Cast a bone missile."},
             {"Bone Prison", 24, 3, {4, 6}, "Bone Prison",
              "Creates a bone barrier around target."},
             {"Poison Nova", 30, 1, {5, -1}, "Poison Nova",
              "Cast an expanding ring of poison."},
             {"Bone Spirit", 30, 2, {6, -1}, "Bone Spirit",
              "A seeking missile of bone"},
         }}},
    Tree{TreeId::NecromancerCurses, "NecroCurse", ClassId::Necromancer, 2, "Curse Skills",
         {{
             {"Amplify Damage", 1, 2, {-1, -1}, "Amplify Damage",
              "Curse a group of enemies, increasing the non-magic damage they receive."},
             {"Dim Vision", 6, 1, {-1, -1}, "Dim Vision",
              "Curse a group of enemies, reducing their vision radius"},
             {"Weaken", 6, 3, {0, -1}, "Weaken",
              "Curse a group of enemies, reducing their ability to do damage."},
             {"Iron Maiden", 12, 2, {0, -1}, "Iron Maiden",
              "Curse a group of enemies, causing them to harm themselves when harming others."},
             {"Terror", 12, 3, {2, -1}, "Terror",
              "Afflicted runs away in terror."},
             {"Confuse", 18, 1, {1, -1}, "Confuse",
              "Afflicted attack random targets."},
             {"Life Tap", 18, 2, {3, -1}, "Life Tap",
              "Afflicted returns life to attacker."},
             {"Attract", 24, 1, {5, -1}, "Attract",
              "Afflicted becomes universal target."},
             {"Decrepify", 24, 3, {4, -1}, "Decrepify",
              "Weakens the joints of afflicted."},
             {"Lower Resist", 30, 2, {6, 8}, "Lower Resist",
              "Lowers the afflicted resistance to magic."},
         }}},
    Tree{TreeId::AmazonJavelinSpear, "AmazonJS", ClassId::Amazon, 0, "Javelin + Spear",
         {{
             {"Jab", 1, 1, {-1, -1}, "Jab",
              "Attack with multiple rapid thrusts using a javelin or spear weapon."},
             {"Power Strike", 6, 2, {0, -1}, "Power Strike",
              "Adds lightning damage to javelin and spear weapon attacks."},
             {"Poison Javelin", 6, 3, {-1, -1}, "Poison Javelin",
              "Throws a javelin enhanced by poison, which leaves a trail of poison clouds."},
             {"Impale", 12, 1, {0, -1}, "Impale",
              "More damage, hard on weapon."},
             {"Lightning Bolt", 12, 3, {2, -1}, "Lightning Bolt",
              "Magically converts your javelin into a bolt of lightning."},
             {"Charged Strike", 18, 2, {1, 4}, "Charged Strike",
              "Lightning hit releases charged bolts."},
             {"Plague Javelin", 18, 3, {4, -1}, "Plague Javelin",
              "Throw a poison-trailing javelin."},
             {"Fend", 24, 1, {3, -1}, "Fend",
              "Attack all adjacent targets."},
             {"Lightning Strike", 30, 2, {5, -1}, "Lightning Strike",
              "Lightning hit releases chain lightning."},
             {"Lightning Fury", 30, 3, {6, -1}, "Lightning Fury",
              "Creates a Lightning Fury."},
         }}},
    Tree{TreeId::AmazonPassiveMagic, "AmazonPM", ClassId::Amazon, 1, "Passive + Magic",
         {{
             {"Inner Sight", 1, 1, {-1, -1}, "Inner Sight",
              "Lights up nearby enemy monsters making it easier for you & party members to hit."},
             {"Critical Strike", 1, 3, {-1, -1}, "Critical Strike",
              "(Passive) A chance that your attacks will do double damage."},
             {"Dodge", 6, 2, {-1, -1}, "Dodge",
              "A chance that you will dodge a melee attack when standing or attacking."},
             {"Slow Missiles", 12, 1, {0, -1}, "Slow Missiles",
              "Slows the ranged attacks of nearby enemies and makes them easier targets."},
             {"Avoid", 12, 2, {2, -1}, "Avoid",
              "A chance that you will elude a missile attack when standing or attacking."},
             {"Penetrate", 18, 3, {1, -1}, "Penetrate",
              "(Passive) This skill will increase % chance to hit with ranged attacks such as Javelin and bow skills."},
             {"Duplicate", 24, 1, {3, -1}, "Duplicate",
              "Create a duplicate decoy."},
             {"Evade", 24, 2, {4, -1}, "Evade",
              "(Passive) Dodge when moving."},
             {"Valkyrie", 30, 1, {6, 7}, "Valkyrie",
              "Summons powerful Valkyrie ally."},
             {"Pierce", 30, 3, {5, -1}, "Pierce",
              "(Passive) Chance a missile will continue."},
         }}},
    Tree{TreeId::AmazonBowCrossbow, "AmazonBC", ClassId::Amazon, 2, "Bow + CrossBow",
         {{
             {"Magic Arrow", 1, 2, {-1, -1}, "Magic Arrow",
              "Shoots a free magic arrow or bolt that does extra damage."},
             {"Fire Arrow", 1, 3, {-1, -1}, "Fire Arrow",
              "Magically enhances your arrows or bolts with fire."},
             {"Cold Arrow", 6, 1, {-1, -1}, "Cold Arrow",
              "Magically enhances your arrows or bolts by adding cold damage and a slowing effect to half of your regular arrow damage."},
             {"Multi-Shot Arrow", 6, 2, {0, -1}, "Multi-Shot Arrow",
              "Magically splits one arrow or bolt into many."},
             {"Exploding Arrow", 12, 3, {1, 3}, "Exploding Arrow",
              "Shoot an arrow or bolt that explodes on contact, damaging all enemies nearby."},
             {"Ice Arrow", 18, 1, {2, -1}, "Ice Arrow",
              "Shoot an arrow that freezes the target."},
             {"Guided Arrow", 18, 2, {2, 3}, "Guided Arrow",
              "Smart arrows and bolts."},
             {"Strafing Arrow", 24, 2, {6, -1}, "Strafing Arrow",
              "Shoot at multiple targets."},
             {"Immolating Arrow", 24, 3, {4, -1}, "Immolating Arrow",
              "Shoot an immolating arrow."},
             {"Freezing Arrow", 30, 1, {5, -1}, "Freezing Arrow",
              "Turns monsters into ice sculptures."},
         }}},
    Tree{TreeId::BarbarianMasteries, "BarBarCM", ClassId::Barbarian, 0, "Combat Masteries",
         {{
             {"Sword Mastery", 1, 1, {-1, -1}, "Sword Mastery",
              "Improve sword fighting skill."},
             {"Axe Mastery", 1, 2, {-1, -1}, "Axe Mastery",
              "Improve axe fighting skill."},
             {"Mace Mastery", 1, 3, {-1, -1}, "Mace Mastery",
              "Improve mace fighting skill."},
             {"Pole-Arm Mastery", 6, 1, {-1, -1}, "Pole-Arm Mastery",
              "Improve polearm fighting skill."},
             {"Throwing Mastery", 6, 2, {-1, -1}, "Throwing Mastery",
              "Improve thrown weapon skill."},
             {"Spear Mastery", 6, 3, {-1, -1}, "Spear Mastery",
              "Improve spear fighting skill."},
             {"Increase Stamina", 12, 1, {-1, -1}, "Increase Stamina",
              "Increases stamina."},
             {"Iron Skin", 18, 3, {-1, -1}, "Iron Skin",
              "(Passive) Improved defense rating."},
             {"Increase Speed", 24, 1, {6, -1}, "Increase Speed",
              "(Passive) Boosts walk and run velocity."},
             {"Natural Resistance", 30, 3, {7, -1}, "Natural Resistance",
              "(Passive) Increase natural resistances."},
         }}},
    Tree{TreeId::BarbarianWarcries, "BarBarWC", ClassId::Barbarian, 1, "Warcries",
         {{
             {"Howl", 1, 1, {-1, -1}, "Howl",
              "Frighten nearby monsters."},
             {"Find Health Potion", 1, 3, {-1, -1}, "Find Health Potion",
              "Find health potion."},
             {"Taunt", 6, 1, {0, -1}, "Taunt",
              "Taunt target creature to attack you."},
             {"Shout", 6, 2, {0, -1}, "Shout",
              "Alert party to attacker's improving armor class."},
             {"Find Item", 12, 3, {1, -1}, "Find Item",
              "Target corpses to find hidden treasures."},
             {"Battlecry", 18, 1, {2, -1}, "Battlecry",
              "Fearsome cry reduces enemy effectiveness."},
             {"Battle Orders", 24, 2, {3, -1}, "Battle Orders",
              "Improve party members' life, mana and stamina."},
             {"Grim Ward", 24, 3, {4, -1}, "Grim Ward",
              "Target a corpse to create frightening totems."},
             {"War Cry", 30, 1, {5, 6}, "War Cry",
              "Injure and stun all nearby enemies."},
             {"Battle Command", 30, 2, {6, -1}, "Battle Command",
              "Increase party members skill levels."},
         }}},
    Tree{TreeId::BarbarianCombat, "BarBarCS", ClassId::Barbarian, 2, "Combat Skills",
         {{
             {"Bash", 1, 2, {-1, -1}, "Bash",
              "Bash a target for extra damage."},
             {"Leap", 6, 1, {-1, -1}, "Leap",
              "Jump over obstacles."},
             {"Double Swing", 6, 3, {0, -1}, "Double Swing",
              "Swing two weapons at once."},
             {"Stun", 12, 2, {0, -1}, "Stun",
              "Stuns your target."},
             {"Double Throw", 12, 3, {2, -1}, "Double Throw",
              "Throw two weapons at once."},
             {"Leap Attack", 18, 1, {1, -1}, "Leap Attack",
              "Leap to and attack target enemy."},
             {"Concentrate", 18, 2, {3, -1}, "Concentrate",
              "Attack that is not interruptible."},
             {"Frenzy", 24, 3, {4, -1}, "Frenzy",
              "Successful hit increases speed."},
             {"Whirlwind", 30, 1, {5, 6}, "Whirlwind",
              "Moving, spinning, attacking."},
             {"Beserker", 30, 2, {6, -1}, "Beserker",
              "Powerful but reckless attack."},
         }}},
    Tree{TreeId::PaladinOffensiveAuras, "PaladinOff", ClassId::Paladin, 0, "OFFENSIVE AURAS",
         {{
             {"Might", 1, 1, {-1, -1}, "Might",
              "When active increases damage done by you and your party."},
             {"Holy Fire", 6, 2, {0, -1}, "Holy Fire",
              "When active causes pulses of fire to damage nearby enemies."},
             {"Thorns", 6, 3, {-1, -1}, "Thorns",
              "When active enemies that damage you take a portion of that damage in return."},
             {"Blessed Aim", 12, 1, {0, -1}, "Blessed Aim",
              "When active your attacks will be heavenly inspired."},
             {"Concentration", 18, 1, {3, -1}, "Concentration",
              "Aura increases your attack ability."},
             {"Holy Freeze", 18, 2, {1, -1}, "Holy Freeze",
              "Aura freezes nearby monsters."},
             {"Holy Shock", 24, 2, {5, -1}, "Holy Shock",
              "Aura causes pulses of lightning damage."},
             {"Sanctuary", 24, 3, {2, 5}, "Sanctuary",
              "Aura repells and damages undead."},
             {"Fanaticism", 30, 1, {4, -1}, "Fanaticism",
              "Aura boosts attack."},
             {"Conviction", 30, 3, {7, -1}, "Conviction",
              "Aura weakens enemies."},
         }}},
    Tree{TreeId::PaladinCombat, "PaladinCom", ClassId::Paladin, 1, "COMBAT SKILLS",
         {{
             {"Sacrafice", 1, 1, {-1, -1}, "Sacrafice",
              "Increased accuracy and damage at the cost of one's own wellness"},
             {"Smite", 1, 3, {-1, -1}, "Smite",
              "Bash your enemies with your shield and stun them temporarily"},
             {"Holy Bolt", 6, 2, {-1, -1}, "Holy Bolt",
              "A bolt of heavenly energy that damages undead enemies or heals allies"},
             {"Zeal", 12, 1, {0, -1}, "Zeal",
              "Allows multiple adjacent monsters to be hit in a single attack"},
             {"Charge", 12, 3, {1, -1}, "Charge",
              "Charge and bash target"},
             {"Vengance", 18, 1, {3, -1}, "Vengeance",
              "Attacks add elemental damage"},
             {"Blessed Hammer", 18, 2, {2, -1}, "Blessed Hammer",
              "Spiralling magic hammer missile"},
             {"Conversion", 24, 1, {5, -1}, "Conversion",
              "Converts monsters to fight evil"},
             {"Holy Shield", 24, 3, {4, 6}, "Holy Shield",
              "Enhances your shield"},
             {"Fist of Heavens", 30, 2, {6, 7}, "Fist of Heavens",
              "Target is banished"},
         }}},
    Tree{TreeId::PaladinDefensiveAuras, "PaladinDef", ClassId::Paladin, 2, "DEFENSIVE AURAS",
         {{
             {"Prayer", 1, 1, {-1, -1}, "Prayer",
              "When active slowly regenerates the health of you and your party."},
             {"Resist Fire", 1, 3, {-1, -1}, "Resist Fire",
              "Aura protects against fire damage"},
             {"Defiance", 6, 2, {-1, -1}, "Defiance",
              "Aura boosts armour."},
             {"Resist Cold", 6, 3, {-1, -1}, "Resist Cold",
              "Aura protects against cold damage."},
             {"Cleansing", 12, 1, {0, -1}, "Cleansing",
              "Aura reduces poison duration."},
             {"Resist Lightning", 12, 3, {-1, -1}, "Resist Lightning",
              "Aura protects against lightning damage."},
             {"Vigor", 18, 2, {2, 4}, "Vigor",
              "Aura boosts stamina recovery and speed."},
             {"Meditation", 24, 1, {4, -1}, "Meditation",
              "Aura boosts mana recovery."},
             {"Redemption", 30, 2, {6, -1}, "Redemption",
              "Aura redeems dead bodies for mana and life."},
             {"Salvation", 30, 3, {-1, -1}, "Salvation",
              "Aura protects against the elements."},
         }}},
    Tree{TreeId::SorceressFire, "SorcFire", ClassId::Sorceress, 0, "FIRE BASED",
         {{
             {"Fire Bolt", 1, 2, {-1, -1}, "Fire Bolt",
              "Creates a magical bolt of fire."},
             {"Warmth", 1, 3, {-1, -1}, "Warmth",
              "(Passive) Increases your mana recovery rate."},
             {"Inferno", 6, 1, {-1, -1}, "Inferno",
              "Cast a flame jet."},
             {"Blaze", 12, 1, {2, -1}, "Blaze",
              "Leave a wall of fire in your wake."},
             {"Fireball", 12, 2, {0, -1}, "Fireball",
              "Cast a ball of fire and heat."},
             {"Firewall", 18, 1, {3, -1}, "Firewall",
              "Create a wall of flame."},
             {"Enchant", 18, 3, {1, 4}, "Enchant",
              "Enchant melee weapons."},
             {"Meteor", 24, 2, {4, 5}, "Meteor",
              "Pull a meteor down from the heavens."},
             {"Fire Mastery", 30, 2, {-1, -1}, "Fire Mastery",
              "(Passive) Increases fire damage."},
             {"Hydra", 30, 3, {6, -1}, "Hydra",
              "Summon multi-headed fire beast."},
         }}},
    Tree{TreeId::SorceressLightning, "SorcLight", ClassId::Sorceress, 1, "LIGHTNING BASED",
         {{
             {"Charged Bolt", 1, 2, {-1, -1}, "Charged Bolt",
              "Cast multiple charged bolts."},
             {"Static Field", 6, 1, {-1, -1}, "Static Field",
              "Damage all enemies around you."},
             {"Telekinesis", 6, 3, {-1, -1}, "Telekinesis",
              "Move objects with your mind."},
             {"Nova", 12, 1, {1, -1}, "Nova",
              "An electrically-charged ring of destruction."},
             {"Lightning", 12, 2, {0, -1}, "Lightning",
              "Pure directed energy."},
             {"Chain Lightning", 18, 2, {4, -1}, "Chain Lightning",
              "Cast a retargeting bolt of lightning."},
             {"Teleport", 18, 3, {2, -1}, "Teleport",
              "Instantly jump to target."},
             {"Thunderstorm", 24, 1, {3, 5}, "Thunderstorm",
              "Causes a thunder storm."},
             {"Energy Shield", 24, 3, {6, 5}, "Energy Shield",
              "A shield of energy protects you."},
             {"Lightning Mastery", 30, 2, {-1, -1}, "Lightning Mastery",
              "(Passive) Reduces the cost of lightning spells."},
         }}},
    Tree{TreeId::SorceressCold, "SorcCold", ClassId::Sorceress, 2, "COLD BASED",
         {{
             {"Ice Bolt", 1, 2, {-1, -1}, "Ice Bolt",
              "Cast an ice bolt that slows target."},
             {"Frozen Armor", 1, 3, {-1, -1}, "Frozen Armor",
              "Armor class bonus and freeze attacker."},
             {"Frost Nova", 6, 1, {-1, -1}, "Frost Nova",
              "Slows all nearby enemies"},
             {"Ice Blast", 6, 2, {0, -1}, "Ice Blast",
              "Cast an ice bolt that freezes target."},
             {"Shiver Armor", 12, 3, {1, 3}, "Shiver Armor",
              "Slow and damage attackers."},
             {"Glacier Spike", 18, 2, {3, -1}, "Clacier Spike",
              "Cast powerful ice missile."},
             {"Blizzard", 24, 1, {2, 5}, "Blizzard",
              "Cast a storm of a destructive nature."},
             {"Chilling Armor", 24, 3, {4, -1}, "Chilling Armor",
              "Armor bonus against ranged attackers."},
             {"Frozen Orb", 30, 1, {6, -1}, "Frozen Orb",
              "A pulsating orb of frozen death."},
             {"Cold Mastery", 30, 2, {-1, -1}, "Cold Mastery",
              "(Passive) Reduces enemy's resistance."},
         }}},
}};
// clang-format on

constexpr std::array<ClassInfo, kClassCount> kClasses{{
    {ClassId::Necromancer,
     "Necromancer",
     {TreeId::NecromancerSummoning, TreeId::NecromancerPoisonBone, TreeId::NecromancerCurses}},
    {ClassId::Amazon,
     "Amazon",
     {TreeId::AmazonJavelinSpear, TreeId::AmazonPassiveMagic, TreeId::AmazonBowCrossbow}},
    {ClassId::Barbarian,
     "Barbarian",
     {TreeId::BarbarianMasteries, TreeId::BarbarianWarcries, TreeId::BarbarianCombat}},
    {ClassId::Paladin,
     "Paladin",
     {TreeId::PaladinOffensiveAuras, TreeId::PaladinCombat, TreeId::PaladinDefensiveAuras}},
    {ClassId::Sorceress,
     "Sorceress",
     {TreeId::SorceressFire, TreeId::SorceressLightning, TreeId::SorceressCold}},
}};

constexpr bool catalogueIsConsistent() {
    for (std::size_t t = 0; t < kTrees.size(); ++t) {
        if (static_cast<std::size_t>(kTrees[t].id) != t) {
            return false;
        }
        for (const Skill& s : kTrees[t].skills) {
            for (std::int8_t p : s.prerequisites) {
                if (p >= 0 && kTrees[t].skills[static_cast<std::size_t>(p)].openingLevel >= s.openingLevel) {
                    return false;
                }
            }
        }
    }
    for (const ClassInfo& c : kClasses) {
        for (std::size_t pos = 0; pos < 3; ++pos) {
            const Tree& t = kTrees[static_cast<std::size_t>(c.trees[pos])];
            if (t.classId != c.id || t.position != static_cast<int>(pos)) {
                return false;
            }
        }
    }
    return true;
}
static_assert(catalogueIsConsistent(), "tree order, class screens or prerequisite tiers disagree");

// Entry suffixes, built once: ": " + name for every skill.
const std::array<std::array<std::string, kSkillsPerTree>, kTreeCount>& suffixes() {
    static const auto table = [] {
        std::array<std::array<std::string, kSkillsPerTree>, kTreeCount> s;
        for (std::size_t t = 0; t < kTrees.size(); ++t) {
            for (std::size_t i = 0; i < kSkillsPerTree; ++i) {
                s[t][i] = ": " + std::string(kTrees[t].skills[i].name);
            }
        }
        return s;
    }();
    return table;
}

} // namespace

int Skill::tierRow() const {
    return static_cast<int>(std::find(kTierOpeningLevels.begin(), kTierOpeningLevels.end(), openingLevel) -
                            kTierOpeningLevels.begin());
}

const std::array<ClassInfo, kClassCount>& classes() {
    return kClasses;
}
const ClassInfo& classInfo(ClassId id) {
    return kClasses[static_cast<std::size_t>(id)];
}
const std::array<Tree, kTreeCount>& trees() {
    return kTrees;
}
const Tree& tree(TreeId id) {
    return kTrees[static_cast<std::size_t>(id)];
}
const Skill& skill(TreeId id, int index) {
    return tree(id).skills[static_cast<std::size_t>(index)];
}

std::optional<TreeId> treeByCode(std::string_view code) {
    for (const Tree& t : kTrees) {
        if (t.code == code) {
            return t.id;
        }
    }
    return std::nullopt;
}

std::string_view entrySuffix(TreeId id, int index) {
    return suffixes()[static_cast<std::size_t>(id)][static_cast<std::size_t>(index)];
}

} // namespace skillwright::model
