// Filling a plan to its targets and taking a skill's path, held to the
// game's rules as a second, plainer model of them states them.
#include <model/Build.h>
#include <model/Goals.h>

#include <gtest/gtest.h>

#include <RandomPlay.h>
#include <algorithm>
#include <array>
#include <presentation/Presentation.h>
#include <random>
#include <string>
#include <vector>

namespace skillwright::model {
namespace {

// ------------------------------------------------ the rules, told plainly

/// A character as the game's rules see it: its level, reserve, quest points
/// taken and the points of each skill (by the tree's place, then index).
struct Hero {
    ClassId classId = ClassId::Necromancer;
    int level = 1;
    int reserve = 0;
    std::array<int, 3> quests{};
    std::array<std::array<int, 10>, 3> points{};

    int& of(SkillRef s) {
        return points[static_cast<std::size_t>(tree(s.tree).position)][static_cast<std::size_t>(s.index)];
    }
    [[nodiscard]] int at(SkillRef s) const { return const_cast<Hero&>(*this).of(s); }
};

/// Whether the game offers quest `quest`'s next point at the hero's level,
/// to a skill of `t`: a difficulty's points from its level on.
bool questOffered(const Hero& hero, int quest, TreeId t) {
    constexpr int kFrom[3][3] = {{3, 24, 35}, {15, 30, 45}, {23, 39, 59}};
    constexpr int kDenJavelins[3] = {3, 25, 40};
    const int each = quest == 2 ? 2 : 1;
    for (int d = 0; d < 3; ++d) {
        const int from = quest == 0 && t == TreeId::AmazonJavelinSpear ? kDenJavelins[d] : kFrom[quest][d];
        if (hero.level >= from && hero.quests[static_cast<std::size_t>(quest)] < each * (d + 1)) {
            return true;
        }
    }
    return false;
}

int questIndex(EntryKind kind) {
    return kind == EntryKind::DenOfEvil ? 0 : kind == EntryKind::BookOfSkill ? 1 : 2;
}

/// Whether a point of `kind` into `s` is the hero's to take. A level-up's
/// point counts at the level it reaches, a reserved or quest point at the
/// level the hero stands at; no point is taken at level 99. A skill of tier
/// T (opening at level T > 1) holds at most L - T + 1 points at level L, one
/// more through a quest point (which it may take from level T - 1).
bool legal(const Hero& hero, EntryKind kind, SkillRef s) {
    if (hero.level >= 99) {
        return false;
    }
    if (kind == EntryKind::ReservedForLater) {
        return true;
    }
    const bool quest = isQuestKind(kind);
    if ((kind == EntryKind::ReservedSpent && hero.reserve == 0) ||
        (quest && !questOffered(hero, questIndex(kind), s.tree)) || hero.at(s) >= 20) {
        return false;
    }
    for (const std::int8_t p : skill(s.tree, s.index).prerequisites) {
        if (p >= 0 && hero.at({s.tree, p}) == 0) {
            return false;
        }
    }
    const int tier = skill(s.tree, s.index).openingLevel;
    const int level = kind == EntryKind::Ordinary ? hero.level + 1 : hero.level;
    const int most = level - tier + (quest ? 2 : 1);
    return tier == 1 || (level >= tier - (quest ? 1 : 0) && hero.at(s) + 1 <= most);
}

void take(Hero& hero, EntryKind kind, SkillRef s) {
    hero.level += raisesLevel(kind) ? 1 : 0;
    hero.reserve += kind == EntryKind::ReservedForLater ? 1 : kind == EntryKind::ReservedSpent ? -1 : 0;
    if (isQuestKind(kind)) {
        ++hero.quests[static_cast<std::size_t>(questIndex(kind))];
    }
    if (kind != EntryKind::ReservedForLater) {
        ++hero.of(s);
    }
}

/// Takes every entry, each legal and recorded as the game has it.
Hero replayed(ClassId classId, const std::vector<HistoryEntry>& entries) {
    Hero hero{classId};
    for (const HistoryEntry& e : entries) {
        const std::string text = formatEntry(e);
        EXPECT_TRUE(legal(hero, e.kind, e.skill)) << text;
        take(hero, e.kind, e.skill);
        EXPECT_EQ(e.characterLevel, raisesLevel(e.kind) ? hero.level : 0) << text;
        EXPECT_EQ(e.skillPoints, e.hasSkill() ? hero.at(e.skill) : 0) << text;
        EXPECT_EQ(e.questRound,
                  isQuestKind(e.kind) ? hero.quests[static_cast<std::size_t>(questIndex(e.kind))] : 0)
            << text;
    }
    return hero;
}

/// The earliest level at which `target` can be met from `start`, counted:
/// every level-up can be held in reserve and every point spent at one level
/// L, so the target is met at L when the points to be had by then (the
/// reserve, the level-ups, the quest points offered) are as many as it and
/// its missing prerequisites need, and the skill's cap at L lets it hold
/// them (one more when a quest point is to be had at L). At level 99 only
/// the level-up that reaches it is taken. 0 when not by level 99.
int earliest(const Hero& start, const Target& target) {
    int needed = std::max(0, target.points - start.at(target.skill));
    std::vector<SkillRef> missing{target.skill};
    for (std::size_t i = 0; i < missing.size(); ++i) {
        for (const std::int8_t p : skill(missing[i].tree, missing[i].index).prerequisites) {
            const SkillRef s{missing[i].tree, p};
            if (p >= 0 && start.at(s) == 0 && std::find(missing.begin(), missing.end(), s) == missing.end()) {
                missing.push_back(s);
                ++needed;
            }
        }
    }
    const auto questPoints = [&](int level) {
        Hero at = start;
        at.level = level;
        int points = 0;
        for (int q = 0; q < 3; ++q) {
            for (; questOffered(at, q, target.skill.tree); ++points) {
                ++at.quests[static_cast<std::size_t>(q)];
            }
        }
        return points;
    };
    const int tier = skill(target.skill.tree, target.skill.index).openingLevel;
    for (int level = start.level; level <= 99; ++level) {
        const int spentAt = std::min(level, 98);
        const int points = start.reserve + (level - start.level) + questPoints(spentAt);
        const int most = tier == 1 ? 20 : level - tier + 1 + (level < 99 && questPoints(level) > 0 ? 1 : 0);
        if (needed == 0 || (start.level < 99 && points >= needed && target.points <= most)) {
            return level;
        }
    }
    return 0;
}

std::vector<HistoryEntry> joined(std::vector<HistoryEntry> a, const std::vector<HistoryEntry>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// ------------------------------------------------------------------ tests

// Random targets on all five classes, from level 1 and from plans under way
// (quest points taken or due): the fill replays legally, meets every target
// at the level it tells, and the first at the earliest level possible.
TEST(FillToTargets, meetsEveryTargetLegallyAndTheFirstAtTheEarliestLevel) {
    std::mt19937 random(20261207);
    const auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    int filled = 0;
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        const ClassId classId = classes()[static_cast<std::size_t>(round % 5)].id;
        Build build;
        support::playAtRandom(build, classId, round % 3 == 0 ? 1 : 2 + pick(50), random);
        Plan plan = build.plan();
        while (plan.targets.size() < static_cast<std::size_t>(1 + pick(5))) {
            const SkillRef s{classInfo(classId).trees[static_cast<std::size_t>(pick(3))],
                             static_cast<std::int16_t>(pick(10))};
            if (std::none_of(plan.targets.begin(), plan.targets.end(),
                             [s](const Target& t) { return t.skill == s; })) {
                plan.targets.push_back({s, static_cast<std::int16_t>(1 + pick(20))});
            }
        }
        const Hero start = replayed(classId, plan.history);
        const TargetFill fill = fillToTargets(plan);
        if (!fill.accepted()) {
            EXPECT_TRUE(fill.added.empty()) << fill.why;
            continue;
        }
        ++filled;
        ASSERT_EQ(fill.metAt.size(), plan.targets.size());
        Hero hero = start;
        for (std::size_t i = 0; i <= fill.added.size(); ++i) {
            for (std::size_t t = 0; t < plan.targets.size(); ++t) {
                const Target& target = plan.targets[t];
                // Met at its level: not before, and by the level's last point.
                if (fill.metAt[t] != 0 && hero.level < fill.metAt[t]) {
                    EXPECT_LT(hero.at(target.skill), target.points) << t;
                }
            }
            if (i < fill.added.size()) {
                take(hero, fill.added[i].kind, fill.added[i].skill);
            }
        }
        const Hero end = replayed(classId, joined(plan.history, fill.added));
        for (std::size_t t = 0; t < plan.targets.size(); ++t) {
            EXPECT_GE(end.at(plan.targets[t].skill), plan.targets[t].points) << t;
            EXPECT_LE(fill.metAt[t], end.level) << t;
        }
        const int first = earliest(start, plan.targets[0]);
        EXPECT_EQ(fill.metAt[0], start.at(plan.targets[0].skill) >= plan.targets[0].points ? 0 : first);
    }
    EXPECT_GT(filled, 100);
}

// What can be told by hand: one target, an impossible set, nothing to do.
TEST(FillToTargets, tellsTheLevelsOrWhyNotAndRefusedChangesNothing) {
    const SkillRef frozenOrb{TreeId::SorceressCold, 8};
    const SkillRef teeth{TreeId::NecromancerPoisonBone, 0};
    const auto necromancer = [](std::vector<int> tierOnes) {
        Plan plan{ClassId::Necromancer, {}, {}};
        for (const int i : tierOnes) {
            const SkillRef s{i < 2   ? TreeId::NecromancerSummoning
                             : i < 4 ? TreeId::NecromancerPoisonBone
                                     : TreeId::NecromancerCurses,
                             static_cast<std::int16_t>(i == 4 ? 0 : i % 2)};
            plan.targets.push_back({s, 20});
        }
        return plan;
    };
    struct Case {
        const char* what;
        Plan plan;
        std::vector<std::int16_t> metAt;
        std::string why;
    };
    const Case cases[] = {
        // Frozen Orb opens at 30 and holds one point more a level; its last
        // point is a quest's, held for level 48.
        {"Frozen Orb 20", {ClassId::Sorceress, {}, {}, {}, {}, {{frozenOrb, 20}}}, {48}, ""},
        {"Teeth 20 from level 1", {ClassId::Necromancer, {}, {}, {}, {}, {{teeth, 20}}}, {19}, ""},
        {"five skills of 20: 100 points of 110", necromancer({0, 1, 2, 3, 4}), {19, 35, 51, 69, 89}, ""},
        {"six skills of 20: 120 points of 110",
         [&] {
             Plan p = necromancer({0, 1, 2, 3, 4});
             p.targets.push_back({{TreeId::NecromancerPoisonBone, 2}, 20});
             return p;
         }(),
         {},
         "Poison Dagger 20 cannot be met by level 99: the targets before it take the points it needs."},
        {"no target",
         {ClassId::Sorceress, {}, {}},
         {},
         "There is no target to fill to: set one in a skill's menu first."},
        {"a target of 21",
         {ClassId::Sorceress, {}, {}, {}, {}, {{frozenOrb, 21}}},
         {},
         "A target of Frozen Orb is 1 to 20 points."},
    };
    const Plan five = necromancer({0, 1, 2, 3, 4});
    EXPECT_EQ(
        presentation::targetFillNotice(fillToTargets(five), five.targets),
        "All targets met by level 89: Skeleton Mastery 20 at 19, Raise Skeleton 20 at 35, Teeth 20 at 51, "
        "Bone Armor 20 at 69, Amplify Damage 20 at 89.");
    Plan ten = five;
    for (std::int16_t i = 2; i < 7; ++i) {
        ten.targets.push_back({{TreeId::NecromancerCurses, i}, 1});
    }
    EXPECT_EQ(
        presentation::targetFillNotice(fillToTargets(ten), ten.targets),
        "All targets met by level 95: Skeleton Mastery 20 at 19, Raise Skeleton 20 at 35, Teeth 20 at 51; "
        "Targets (Ctrl+Shift+G) lists the rest.");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TargetFill fill = fillToTargets(c.plan);
        EXPECT_EQ(fill.why, c.why);
        EXPECT_EQ(fill.metAt, c.metAt);
        EXPECT_EQ(fill.added.empty(), !c.why.empty());
    }
    Plan done{ClassId::Necromancer, {}, {}};
    done.targets.push_back({teeth, 1});
    done.history.push_back(HistoryEntry{EntryKind::Ordinary, 2, 1, 0, teeth});
    EXPECT_EQ(fillToTargets(done).why, "Every target is met already.");
}

// Shift+click: the missing prerequisites and then the skill, at the next
// level-ups, or which skill waits for which level.
TEST(TakePath, takesThePrerequisitesFirstOrTellsWhatWaits) {
    const auto from = [](int level) {
        BuildState state;
        state.levelsGained = static_cast<std::int16_t>(level - 1);
        state.reservedPoints = state.levelsGained;
        return state;
    };
    const struct {
        int level;
        std::int16_t skill; // of the Necromancer's bone tree
        std::vector<std::string> taken;
        std::string why;
    } cases[] = {
        {5, 3, {"Clvl 6 Slvl 1: Teeth", "Clvl 7 Slvl 1: Corpse Explosion"}, ""},
        {1, 3, {}, "Corpse Explosion waits for level 6."},
        {26,
         9,
         {"Clvl 27 Slvl 1: Teeth", "Clvl 28 Slvl 1: Corpse Explosion", "Clvl 29 Slvl 1: Bone Spear",
          "Clvl 30 Slvl 1: Bone Spirit"},
         ""},
        {25, 9, {}, "Bone Spirit waits for level 30."},
        {98, 3, {}, "Character has reached maximum allowable level(99). "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        const PathTaking path =
            takePath(from(c.level), ClassId::Necromancer, {TreeId::NecromancerPoisonBone, c.skill});
        std::vector<std::string> taken;
        for (const HistoryEntry& e : path.added) {
            taken.push_back(formatEntry(e));
        }
        EXPECT_EQ(taken, c.taken);
        EXPECT_EQ(path.why, c.why);
    }
}

} // namespace
} // namespace skillwright::model
