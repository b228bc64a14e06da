#include "SkillIcons.h"

#include "Paint.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <map>
#include <numbers>
#include <string_view>
#include <vector>

namespace skillwright::art::tool {

namespace {

using G = Glyph;

/// The colour a glyph is enamelled in: the tree's own two colours or one of
/// the shared materials and elements.
enum class Ink { P, S, Fire, Ice, Shock, Poison, Bone, Steel, Gold, Blood, Holy, Dark, Wood, Hot, Mana };

/// One glyph of an icon, in a 100 x 100 drawing box. With n > 1 the glyph is
/// repeated: each copy turns by a share of `spread` degrees around (x, y) at
/// distance `orbit` (a fan, or a ring when spread is 360), and moves on by
/// (dx, dy) from the previous copy (a row); `turn` spins each copy in place.
struct Op {
    G glyph;
    float x = 50, y = 50, s = 30, rot = 0;
    Ink ink = Ink::P;
    int n = 1;
    float spread = 0, orbit = 0, dx = 0, dy = 0;
    float turn = 0; ///< extra turn of each copy about its own centre
};

struct Palette {
    QColor primary;
    QColor secondary;
    QColor background;
    bool primaryGlows; ///< magic colours glow, metal and bone do not
};

const Palette& palette(model::TreeId tree) {
    using T = model::TreeId;
    static const std::map<T, Palette> palettes{
        {T::NecromancerSummoning, {{86, 196, 164}, {226, 216, 186}, {14, 52, 46}, true}},
        {T::NecromancerPoisonBone, {{232, 220, 190}, {128, 212, 60}, {30, 44, 18}, false}},
        {T::NecromancerCurses, {{182, 110, 230}, {226, 76, 128}, {42, 16, 58}, true}},
        {T::AmazonJavelinSpear, {{100, 176, 255}, {128, 212, 60}, {12, 30, 62}, true}},
        {T::AmazonPassiveMagic, {{244, 196, 80}, {196, 214, 255}, {60, 42, 10}, true}},
        {T::AmazonBowCrossbow, {{214, 190, 150}, {150, 134, 255}, {44, 28, 18}, false}},
        {T::BarbarianMasteries, {{198, 208, 218}, {206, 164, 86}, {30, 34, 40}, false}},
        {T::BarbarianWarcries, {{222, 162, 60}, {206, 56, 40}, {58, 36, 8}, false}},
        {T::BarbarianCombat, {{226, 66, 46}, {200, 206, 214}, {58, 12, 8}, false}},
        {T::PaladinOffensiveAuras, {{255, 118, 56}, {246, 202, 86}, {64, 20, 6}, true}},
        {T::PaladinCombat, {{170, 202, 242}, {246, 204, 92}, {18, 30, 58}, false}},
        {T::PaladinDefensiveAuras, {{186, 218, 96}, {246, 204, 92}, {30, 48, 12}, true}},
        {T::SorceressFire, {{255, 134, 30}, {255, 222, 120}, {66, 20, 4}, true}},
        {T::SorceressLightning, {{150, 136, 255}, {206, 226, 255}, {24, 16, 70}, true}},
        {T::SorceressCold, {{136, 220, 255}, {236, 248, 255}, {10, 40, 66}, true}},
    };
    return palettes.at(tree);
}

QColor inkColour(Ink ink, const Palette& p, bool& glows) {
    glows = true;
    switch (ink) {
    case Ink::P:
        glows = p.primaryGlows;
        return p.primary;
    case Ink::S:
        glows = p.primaryGlows;
        return p.secondary;
    case Ink::Fire:
        return {255, 120, 24};
    case Ink::Ice:
        return {140, 220, 255};
    case Ink::Shock:
        return {170, 170, 255};
    case Ink::Poison:
        return {128, 212, 60};
    case Ink::Hot:
        return {255, 230, 140};
    case Ink::Holy:
        return {255, 246, 210};
    case Ink::Mana:
        return {80, 120, 255};
    case Ink::Gold:
        return {240, 196, 80};
    case Ink::Bone:
        glows = false;
        return {228, 216, 188};
    case Ink::Steel:
        glows = false;
        return {196, 204, 214};
    case Ink::Blood:
        glows = false;
        return {196, 30, 30};
    case Ink::Dark:
        glows = false;
        return {48, 40, 36};
    case Ink::Wood:
        glows = false;
        return {160, 110, 64};
    }
    return p.primary;
}

/// What each skill shows, keyed by the skill's name.
const std::map<std::string_view, std::vector<Op>>& recipes() {
    using I = Ink;
    static const std::map<std::string_view, std::vector<Op>> table{
        // Necromancer: summons
        {"Skeleton Mastery", {{G::Ring, 50, 50, 42}, {G::Skull, 50, 52, 26, 0, I::Bone}}},
        {"Raise Skeleton", {{G::Bone, 50, 74, 20, 45, I::Bone, 2, 90}, {G::Skull, 50, 42, 28, 0, I::Bone}}},
        {"Clay Golem", {{G::Golem, 50, 52, 38, 0, I::Wood}}},
        {"Golem Mastery", {{G::Ring, 50, 50, 42}, {G::Golem, 50, 52, 27, 0, I::Wood}}},
        {"Raise Skeletal Mage",
         {{G::Bar, 72, 58, 32, 0, I::Wood}, {G::Orb, 72, 26, 11}, {G::Skull, 42, 56, 26, 0, I::Bone}}},
        {"Blood Golem", {{G::Golem, 50, 52, 38, 0, I::Blood}, {G::Heart, 50, 46, 9, 0, I::Hot}}},
        {"Summon Resistance", {{G::Shield, 50, 50, 40}, {G::Skull, 50, 46, 20, 0, I::Dark}}},
        {"Iron Golem", {{G::Golem, 50, 52, 38, 0, I::Steel}}},
        {"Fire Golem", {{G::Flame, 50, 44, 46, 0, I::Fire}, {G::Golem, 50, 60, 28, 0, I::Dark}}},
        {"Revive", {{G::Spiral, 50, 50, 42}, {G::Figure, 50, 56, 28, 0, I::Bone}}},
        // Necromancer: poison and bone
        {"Teeth", {{G::Tooth, 50, 80, 16, 0, I::P, 5, 110, 40}}},
        {"Bone Armor",
         {{G::Figure, 50, 54, 24, 0, I::Poison}, {G::Bone, 50, 50, 13, 0, I::P, 8, 360, 31, 0, 0, 90}}},
        {"Poison Dagger", {{G::Dagger, 46, 46, 36, 45, I::Steel}, {G::Drop, 70, 72, 13, 0, I::Poison}}},
        {"Corpse Explosion", {{G::Burst, 50, 50, 44, 0, I::Fire}, {G::Skull, 50, 52, 20}}},
        {"Bone Wall", {{G::Wall, 50, 50, 40}}},
        {"Poison Explosion", {{G::Cloud, 50, 54, 42, 0, I::Poison}, {G::Skull, 50, 58, 17, 0, I::Dark}}},
        {"Bone Spear", {{G::Spear, 50, 50, 44, 45}}},
        {"Bone Prison", {{G::Figure, 50, 60, 18, 0, I::Poison}, {G::Cage, 50, 52, 40}}},
        {"Poison Nova",
         {{G::Ring, 50, 50, 24, 0, I::Poison}, {G::Drop, 50, 50, 9, 0, I::Poison, 8, 360, 33}}},
        {"Bone Spirit", {{G::Flame, 40, 60, 30, -135, I::Hot}, {G::Skull, 60, 40, 21}}},
        // Necromancer: curses
        {"Amplify Damage", {{G::Star, 50, 52, 44}, {G::Skull, 50, 54, 17, 0, I::Bone}}},
        {"Dim Vision", {{G::Eye, 50, 42, 38}, {G::Cloud, 50, 68, 26, 0, I::Steel}}},
        {"Weaken", {{G::Sword, 50, 50, 42, 35, I::Steel}, {G::Crack, 48, 48, 20, 125, I::S}}},
        {"Iron Maiden", {{G::Coffin, 50, 50, 42, 0, I::Steel}, {G::Drop, 50, 86, 7, 0, I::Blood}}},
        {"Terror", {{G::Waves, 64, 50, 28}, {G::Skull, 36, 50, 25, 0, I::Bone}}},
        {"Confuse", {{G::Spiral, 50, 50, 42}}},
        {"Life Tap", {{G::Heart, 50, 60, 30, 0, I::Blood}, {G::Drop, 50, 60, 9, 0, I::S, 3, 80, 36}}},
        {"Attract", {{G::Target, 50, 50, 42}}},
        {"Decrepify", {{G::Hourglass, 50, 50, 40}}},
        {"Lower Resist", {{G::Shield, 50, 50, 40, 0, I::Steel}, {G::Crack, 50, 50, 36}}},
        // Amazon: javelin and spear
        {"Jab", {{G::Slash, 72, 28, 16, 45, I::P}, {G::Spear, 44, 56, 40, 45, I::Steel}}},
        {"Power Strike", {{G::Spear, 46, 54, 42, 45, I::Steel}, {G::Bolt, 68, 32, 22}}},
        {"Poison Javelin", {{G::Spear, 54, 46, 42, 45, I::Wood}, {G::Cloud, 30, 72, 18, 0, I::Poison}}},
        {"Impale", {{G::Burst, 76, 50, 16, 0, I::Blood}, {G::Spear, 46, 50, 44, 90, I::Steel}}},
        {"Lightning Bolt", {{G::Bolt, 50, 50, 44, 25}}},
        {"Charged Strike",
         {{G::Spear, 42, 58, 38, 45, I::Steel}, {G::Bolt, 70, 30, 10, 45, I::P, 3, 120, 14}}},
        {"Plague Javelin", {{G::Cloud, 50, 64, 40, 0, I::Poison}, {G::Spear, 52, 40, 36, 45, I::Steel}}},
        {"Fend", {{G::Spear, 50, 50, 26, 45, I::Steel, 4, 360, 20}}},
        {"Lightning Strike", {{G::Spear, 40, 60, 36, 45, I::Steel}, {G::Chain, 70, 30, 18}}},
        {"Lightning Fury", {{G::Bolt, 50, 50, 14, 0, I::P, 5, 360, 26}, {G::Orb, 50, 50, 11, 0, I::Hot}}},
        // Amazon: passive and magic
        {"Inner Sight", {{G::Eye, 50, 50, 40}}},
        {"Critical Strike", {{G::Burst, 50, 50, 40}, {G::Sword, 50, 50, 32, 45, I::Steel}}},
        {"Dodge", {{G::Sword, 30, 46, 30, -40, I::Steel}, {G::Figure, 62, 54, 30, 15}}},
        {"Slow Missiles", {{G::Arrow, 42, 60, 32, 90, I::Steel}, {G::Hourglass, 72, 30, 15}}},
        {"Avoid", {{G::Figure, 50, 56, 28}, {G::Arrow, 22, 46, 28, 0, I::Steel, 2, 0, 0, 56}}},
        {"Penetrate", {{G::Target, 50, 50, 38}, {G::Arrow, 50, 50, 40, 45, I::Steel}}},
        {"Duplicate", {{G::Figure, 36, 54, 30, 0, I::S}, {G::Figure, 62, 54, 30}}},
        {"Evade", {{G::Boot, 46, 56, 34}, {G::Wing, 72, 36, 18, 0, I::S}}},
        {"Valkyrie",
         {{G::Wing, 33, 40, -22, 0, I::S}, {G::Wing, 67, 40, 22, 0, I::S}, {G::Figure, 50, 60, 30}}},
        {"Pierce", {{G::Ring, 34, 50, 15, 0, I::P, 2, 0, 0, 32}, {G::Arrow, 50, 50, 44, 90, I::Steel}}},
        // Amazon: bow and crossbow
        {"Magic Arrow", {{G::Arrow, 50, 50, 42, 45, I::S}}},
        {"Fire Arrow", {{G::Flame, 66, 34, 18, 45, I::Fire}, {G::Arrow, 48, 52, 40, 45}}},
        {"Cold Arrow", {{G::Arrow, 52, 48, 42, 45, I::Ice}, {G::Snowflake, 28, 72, 14, 0, I::Ice}}},
        {"Multi-Shot Arrow", {{G::Arrow, 50, 50, 42, 0, I::P, 3, 90}}},
        {"Exploding Arrow", {{G::Burst, 66, 34, 24, 0, I::Fire}, {G::Arrow, 42, 58, 32, 45}}},
        {"Ice Arrow", {{G::Arrow, 46, 54, 38, 45, I::Ice}, {G::Shard, 68, 32, 11, 0, I::Ice, 3, 120, 9}}},
        {"Guided Arrow", {{G::Target, 50, 50, 40, 0, I::S}, {G::Arrow, 50, 50, 38, 45}}},
        {"Strafing Arrow", {{G::Arrow, 50, 50, 17, 0, I::P, 5, 360, 26}}},
        {"Immolating Arrow", {{G::Flame, 50, 50, 46, 0, I::Fire}, {G::Arrow, 50, 54, 36, 45}}},
        {"Freezing Arrow", {{G::Snowflake, 50, 50, 44, 0, I::Ice}, {G::Arrow, 50, 50, 38, 45}}},
        // Barbarian: combat masteries
        {"Sword Mastery", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Sword, 50, 50, 34, 45}}},
        {"Axe Mastery", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Axe, 48, 52, 32}}},
        {"Mace Mastery", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Mace, 50, 52, 32}}},
        {"Pole-Arm Mastery", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Halberd, 50, 50, 34, 30}}},
        {"Throwing Mastery", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Dagger, 50, 74, 20, 0, I::P, 3, 80, 30}}},
        {"Spear Mastery", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Spear, 50, 50, 36, 45}}},
        {"Increase Stamina", {{G::Heart, 50, 58, 32, 0, I::Blood}, {G::Chevrons, 50, 22, 13, 0, I::S}}},
        {"Iron Skin", {{G::Shield, 50, 50, 42, 0, I::S}, {G::Figure, 50, 56, 24}}},
        {"Increase Speed", {{G::Boot, 44, 54, 34}, {G::Wing, 72, 38, 18, 0, I::S}}},
        {"Natural Resistance",
         {{G::Shield, 50, 50, 42},
          {G::Flame, 36, 40, 10, 0, I::Fire},
          {G::Snowflake, 64, 40, 10, 0, I::Ice},
          {G::Bolt, 50, 66, 11, 0, I::Shock}}},
        // Barbarian: warcries
        {"Howl", {{G::Moon, 30, 30, 16, 0, I::S}, {G::Waves, 62, 56, 30}}},
        {"Find Health Potion", {{G::Potion, 50, 52, 38, 0, I::Blood}}},
        {"Taunt", {{G::Hand, 50, 52, 38}}},
        {"Shout", {{G::Shield, 34, 50, 22, 0, I::Steel}, {G::Waves, 68, 50, 26}}},
        {"Find Item", {{G::Gem, 50, 50, 38, 0, I::Ice}}},
        {"Battlecry", {{G::Horn, 50, 50, 40}}},
        {"Battle Orders", {{G::Chevrons, 50, 50, 40}}},
        {"Grim Ward",
         {{G::Bar, 50, 62, 36, 0, I::Wood},
          {G::Bar, 50, 50, 22, 90, I::Wood},
          {G::Skull, 50, 30, 18, 0, I::Bone}}},
        {"War Cry", {{G::Burst, 50, 50, 44, 0, I::S}, {G::Horn, 50, 50, 26}}},
        {"Battle Command", {{G::Crown, 50, 50, 38}}},
        // Barbarian: combat skills
        {"Bash", {{G::Burst, 70, 30, 18}, {G::Mace, 44, 56, 36, 45, I::S}}},
        {"Leap", {{G::LeapArc, 50, 50, 40}}},
        {"Double Swing", {{G::Sword, 50, 50, 42, 0, I::S, 2, 80}}},
        {"Stun", {{G::Figure, 50, 62, 26, 0, I::S}, {G::Star, 50, 30, 9, 0, I::Gold, 3, 360, 18}}},
        {"Double Throw", {{G::Axe, 50, 66, 26, 0, I::S, 2, 70, 18}}},
        {"Leap Attack", {{G::LeapArc, 44, 50, 36}, {G::Sword, 74, 70, 18, 150, I::S}}},
        {"Concentrate", {{G::Ring, 50, 50, 42}, {G::Sword, 50, 50, 34, 0, I::S}}},
        {"Frenzy", {{G::Slash, 50, 50, 40}}},
        {"Whirlwind", {{G::Spiral, 50, 50, 22}, {G::Sword, 50, 50, 18, 90, I::S, 3, 360, 24}}},
        {"Beserker", {{G::Burst, 50, 50, 44, 0, I::Blood}, {G::Axe, 50, 50, 30, 0, I::S}}},
        // Paladin: offensive auras
        {"Might", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Fist, 50, 52, 30}}},
        {"Holy Fire", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Flame, 50, 50, 30, 0, I::Fire}}},
        {"Thorns", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Thorns, 50, 50, 32}}},
        {"Blessed Aim", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Eye, 50, 50, 30}}},
        {"Concentration", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Sword, 50, 50, 32, 0, I::Steel}}},
        {"Holy Freeze", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Snowflake, 50, 50, 30, 0, I::Ice}}},
        {"Holy Shock", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Bolt, 50, 50, 32, 0, I::Shock}}},
        {"Sanctuary", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Cross, 50, 50, 30, 0, I::Holy}}},
        {"Fanaticism", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Sword, 50, 50, 30, 0, I::P, 2, 80}}},
        {"Conviction", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Star, 50, 52, 30}}},
        // Paladin: combat skills
        {"Sacrafice", {{G::Heart, 50, 60, 30, 0, I::Blood}, {G::Dagger, 50, 34, 26, 180}}},
        {"Smite", {{G::Burst, 68, 34, 18, 0, I::S}, {G::Shield, 44, 56, 32, -20}}},
        {"Holy Bolt", {{G::Burst, 50, 50, 42, 0, I::S}, {G::Cross, 50, 50, 26, 0, I::Holy}}},
        {"Zeal", {{G::Sword, 50, 72, 22, 0, I::P, 3, 70, 24}}},
        {"Charge", {{G::Chevrons, 24, 50, 18, 90, I::S}, {G::Shield, 62, 50, 32}}},
        {"Vengance",
         {{G::Sword, 50, 50, 40},
          {G::Flame, 28, 34, 11, 0, I::Fire},
          {G::Snowflake, 72, 34, 11, 0, I::Ice},
          {G::Bolt, 74, 70, 11, 0, I::Shock}}},
        {"Blessed Hammer", {{G::Spiral, 50, 50, 42, 0, I::S}, {G::Hammer, 50, 50, 30, 30}}},
        {"Conversion", {{G::Figure, 50, 60, 28}, {G::Halo, 50, 24, 18, 0, I::Holy}}},
        {"Holy Shield", {{G::Shield, 50, 50, 42}, {G::Cross, 50, 44, 20, 0, I::S}}},
        {"Fist of Heavens", {{G::Cloud, 50, 28, 30, 0, I::Steel}, {G::Bolt, 50, 66, 30, 0, I::Holy}}},
        // Paladin: defensive auras
        {"Prayer", {{G::Ring, 50, 50, 43}, {G::Cross, 50, 50, 30, 0, I::Holy}}},
        {"Resist Fire",
         {{G::Ring, 50, 50, 43}, {G::Shield, 50, 50, 30, 0, I::S}, {G::Flame, 50, 46, 15, 0, I::Fire}}},
        {"Defiance", {{G::Ring, 50, 50, 43}, {G::Shield, 50, 50, 32, 0, I::Steel}}},
        {"Resist Cold",
         {{G::Ring, 50, 50, 43}, {G::Shield, 50, 50, 30, 0, I::S}, {G::Snowflake, 50, 46, 15, 0, I::Ice}}},
        {"Cleansing", {{G::Ring, 50, 50, 43}, {G::Drop, 50, 50, 30, 0, I::Ice}}},
        {"Resist Lightning",
         {{G::Ring, 50, 50, 43}, {G::Shield, 50, 50, 30, 0, I::S}, {G::Bolt, 50, 46, 15, 0, I::Shock}}},
        {"Vigor", {{G::Ring, 50, 50, 43}, {G::Boot, 50, 50, 30}}},
        {"Meditation", {{G::Ring, 50, 50, 43}, {G::Orb, 50, 50, 22, 0, I::Mana}}},
        {"Redemption",
         {{G::Ring, 50, 50, 43}, {G::Skull, 50, 56, 20, 0, I::Bone}, {G::Halo, 50, 30, 18, 0, I::Holy}}},
        {"Salvation",
         {{G::Ring, 50, 50, 43},
          {G::Shield, 50, 50, 30, 0, I::S},
          {G::Flame, 40, 42, 8, 0, I::Fire},
          {G::Snowflake, 60, 42, 8, 0, I::Ice},
          {G::Bolt, 50, 62, 9, 0, I::Shock}}},
        // Sorceress: fire
        {"Fire Bolt", {{G::Flame, 50, 50, 42, 45}, {G::Flame, 54, 46, 22, 45, I::S}}},
        {"Warmth", {{G::Burst, 50, 50, 40, 0, I::S}, {G::Orb, 50, 50, 20}}},
        {"Inferno", {{G::Flame, 28, 74, 20, 45, I::P, 3, 56, 36}, {G::Hand, 24, 76, 14, 35, I::Bone}}},
        {"Blaze", {{G::Flame, 24, 74, 12, 0, I::P, 3, 0, 0, 26, -14}}},
        {"Fireball", {{G::Flame, 40, 60, 32, -135}, {G::Orb, 58, 42, 20, 0, I::S}}},
        {"Firewall", {{G::Flame, 20, 56, 17, 0, I::P, 5, 0, 0, 15}}},
        {"Enchant", {{G::Flame, 50, 50, 46}, {G::Sword, 50, 50, 38, 45, I::Steel}}},
        {"Meteor", {{G::Flame, 62, 38, 32, 45}, {G::Orb, 40, 62, 19, 0, I::Wood}}},
        {"Fire Mastery", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Flame, 50, 52, 30}}},
        {"Hydra", {{G::Hydra, 50, 52, 40}}},
        // Sorceress: lightning
        {"Charged Bolt", {{G::Bolt, 50, 76, 15, 0, I::S, 3, 70, 34}}},
        {"Static Field",
         {{G::Ring, 50, 50, 40}, {G::Ring, 50, 50, 24, 0, I::S}, {G::Bolt, 50, 50, 13, 0, I::S}}},
        {"Telekinesis", {{G::Hand, 50, 64, 28}, {G::Orb, 50, 24, 12, 0, I::S}}},
        {"Nova", {{G::Ring, 50, 50, 26, 0, I::S}, {G::Bolt, 50, 50, 9, 0, I::P, 8, 360, 35}}},
        {"Lightning", {{G::Bolt, 50, 50, 44}, {G::Bolt, 50, 50, 22, 0, I::S}}},
        {"Chain Lightning", {{G::Chain, 50, 50, 40, 0, I::S}, {G::Bolt, 26, 50, 17, 0, I::P, 3, 0, 0, 24}}},
        {"Teleport", {{G::Spiral, 50, 50, 42}, {G::Figure, 50, 56, 24, 0, I::S}}},
        {"Thunderstorm", {{G::Cloud, 50, 32, 34, 0, I::Steel}, {G::Bolt, 37, 70, 17, 0, I::P, 2, 0, 0, 26}}},
        {"Energy Shield", {{G::Shield, 50, 50, 42}, {G::Bolt, 50, 46, 20, 0, I::S}}},
        {"Lightning Mastery", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Bolt, 50, 50, 30}}},
        // Sorceress: cold
        {"Ice Bolt", {{G::Shard, 50, 50, 42, 45}}},
        {"Frozen Armor", {{G::Shield, 50, 50, 42}, {G::Snowflake, 50, 46, 20, 0, I::S}}},
        {"Frost Nova", {{G::Ring, 50, 50, 42}, {G::Snowflake, 50, 50, 22, 0, I::S}}},
        {"Ice Blast", {{G::Burst, 50, 50, 42}, {G::Shard, 50, 50, 26, 45, I::S}}},
        {"Shiver Armor", {{G::Shard, 50, 70, 10, 0, I::S, 3, 90, 42}, {G::Shield, 50, 56, 34}}},
        {"Glacier Spike", {{G::Shard, 66, 60, 24, 25, I::S}, {G::Shard, 42, 50, 44}}},
        {"Blizzard", {{G::Cloud, 50, 30, 32, 0, I::S}, {G::Shard, 30, 72, 13, 180, I::P, 3, 0, 0, 20}}},
        {"Chilling Armor", {{G::Shield, 50, 50, 42, 0, I::S}, {G::Arrow, 50, 48, 24, 180}}},
        {"Frozen Orb", {{G::Orb, 50, 50, 22}, {G::Shard, 50, 50, 9, 0, I::S, 8, 360, 33}}},
        {"Cold Mastery", {{G::Ring, 50, 50, 43, 0, I::S}, {G::Snowflake, 50, 50, 30}}},
    };
    return table;
}

void paintBackground(QPainter& painter, const Palette& palette) {
    paintBevel(painter, QRectF(0, 0, 100, 100), 6, QColor(150, 118, 70));
    const QRectF inner(6, 6, 88, 88);
    QRadialGradient depth(QPointF(50, 42), 62);
    depth.setColorAt(0.0, palette.background.lighter(150));
    depth.setColorAt(0.55, palette.background);
    depth.setColorAt(1.0, QColor(4, 3, 3));
    painter.fillRect(inner, depth);
    // A faint engraved circle gives the plate depth without competing with the symbol.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QColor line = palette.primary;
    line.setAlpha(28);
    painter.setPen(QPen(line, 1.0));
    painter.drawEllipse(QPointF(50, 50), 40, 40);
    painter.restore();
}

void paintFinish(QPainter& painter) {
    const QRectF inner(6, 6, 88, 88);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient vignette(QPointF(50, 50), 66);
    vignette.setColorAt(0.6, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(0, 0, 0, 150));
    painter.fillRect(inner, vignette);
    QLinearGradient gloss(QPointF(0, 6), QPointF(0, 48));
    gloss.setColorAt(0.0, QColor(255, 255, 255, 34));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillRect(QRectF(7, 7, 86, 40), gloss);
    painter.setPen(QPen(QColor(0, 0, 0, 230), 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(inner);
    painter.restore();
}

void paintOp(QPainter& painter, const Op& op, const Palette& palette) {
    bool glows = false;
    const QColor colour = inkColour(op.ink, palette, glows);
    for (int k = 0; k < op.n; ++k) {
        qreal angle = op.rot;
        if (op.n > 1 && op.spread != 0) {
            const qreal share = (op.spread >= 360) ? qreal(k) / op.n : qreal(k) / (op.n - 1) - 0.5;
            angle += op.spread * share;
        }
        const qreal radians = angle * std::numbers::pi / 180;
        const QPointF centre(op.x + k * op.dx + op.orbit * std::sin(radians),
                             op.y + k * op.dy - op.orbit * std::cos(radians));
        paintGlyph(painter, op.glyph, centre, op.s, angle + op.turn, colour, glows);
    }
}

} // namespace

QImage drawSkillIcon(model::TreeId tree, int index) {
    const auto& skill = model::skill(tree, index);
    const auto found = recipes().find(skill.name);
    if (found == recipes().end()) {
        return {};
    }
    const Palette& colours = palette(tree);
    QImage image = blankImage(kIconWidth, kIconHeight);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(kIconWidth / 100.0, kIconHeight / 100.0);
    paintBackground(painter, colours);
    painter.setClipRect(QRectF(6, 6, 88, 88));
    for (const Op& op : found->second) {
        paintOp(painter, op, colours);
    }
    painter.setClipping(false);
    paintFinish(painter);
    return image;
}

} // namespace skillwright::art::tool
