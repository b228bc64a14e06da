// Editing the past: an edit is taken exactly when a player could have
// clicked the edited history in order, and then reads as that build reads.
#include <model/Build.h>
#include <model/PlanEdit.h>

#include <gtest/gtest.h>

#include <BuildText.h>
#include <RandomPlay.h>
#include <numeric>
#include <random>

namespace skillwright::model::testing {
namespace {

constexpr std::size_t kNone = EditOutcome::kNew;

/// Takes `commands` on a fresh build as a player does, each by its command
/// (a quest point only where the skill menu offers it): the first refused, if any.
std::optional<std::size_t> firstRefused(ClassId classId, const std::vector<HistoryEntry>& commands,
                                        Build& build) {
    build.startCharacter(classId);
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const HistoryEntry& e = commands[i];
        PointResult result;
        if (const QuestRule* rule = questRuleOf(e.kind)) {
            if (!build.questOffer(e.skill)[rule->quest]) {
                return i;
            }
            result = build.takeQuestPoint(rule->quest, e.skill);
        } else if (e.kind == EntryKind::ReservedForLater) {
            result = build.reservePoint();
        } else if (e.kind == EntryKind::ReservedSpent) {
            result = build.useReservedPoint(e.skill);
        } else {
            result = build.click(e.skill.tree, e.skill.index);
        }
        if (!result.accepted()) {
            return i;
        }
    }
    return std::nullopt;
}

TEST(PlanEdit, isTakenExactlyWhenThePlayerCouldClickTheEditedHistory) {
    std::mt19937 random(20261207);
    const auto pick = [&random](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    constexpr std::array kKinds{EntryKind::Ordinary,      EntryKind::Ordinary,  EntryKind::ReservedForLater,
                                EntryKind::ReservedSpent, EntryKind::DenOfEvil, EntryKind::BookOfSkill,
                                EntryKind::Izual};
    int accepted = 0;
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        const ClassInfo& c = classes()[pick(classes().size())];
        Build maker;
        support::playAtRandom(maker, c.id, static_cast<int>(2 + pick(98)), random);
        const Plan plan = maker.plan();
        const std::size_t size = plan.history.size();
        const SkillRef skill{c.trees[pick(3)], static_cast<std::int16_t>(pick(kSkillsPerTree))};
        // The edit, and the edited history worked out here with where each entry came from.
        PlanEdit edit;
        std::vector<HistoryEntry> commands = plan.history;
        std::vector<std::size_t> origins(size);
        std::iota(origins.begin(), origins.end(), std::size_t{0});
        switch (pick(4)) {
        case 0:
            edit = PlanEdit::insert(pick(size + 1), skill, kKinds[pick(kKinds.size())]);
            commands.insert(commands.begin() + static_cast<std::ptrdiff_t>(edit.at),
                            {edit.point, 0, 0, 0, skill});
            origins.insert(origins.begin() + static_cast<std::ptrdiff_t>(edit.at), kNone);
            break;
        case 1:
            edit = PlanEdit::change(pick(size), skill);
            commands[edit.at].skill = skill;
            if (commands[edit.at].kind == EntryKind::ReservedForLater) {
                commands[edit.at].kind = EntryKind::Ordinary;
            }
            break;
        case 2:
            edit = PlanEdit::remove(pick(size));
            commands.erase(commands.begin() + static_cast<std::ptrdiff_t>(edit.at));
            origins.erase(origins.begin() + static_cast<std::ptrdiff_t>(edit.at));
            break;
        default:
            edit = PlanEdit::move(pick(size), pick(size));
            {
                const HistoryEntry moved = commands[edit.at];
                commands.erase(commands.begin() + static_cast<std::ptrdiff_t>(edit.at));
                commands.insert(commands.begin() + static_cast<std::ptrdiff_t>(edit.to), moved);
                origins.erase(origins.begin() + static_cast<std::ptrdiff_t>(edit.at));
                origins.insert(origins.begin() + static_cast<std::ptrdiff_t>(edit.to), edit.at);
            }
            break;
        }
        SCOPED_TRACE(std::string(c.name) + " round " + std::to_string(round));
        Build player;
        const std::optional<std::size_t> illegal = firstRefused(c.id, commands, player);
        const EditOutcome outcome = editPlan(plan, edit);
        ASSERT_EQ(outcome.accepted(), !illegal.has_value()) << outcome.why;
        if (outcome.accepted()) {
            ++accepted;
            EXPECT_EQ(outcome.plan->history, player.character()->history());
            EXPECT_EQ(outcome.origins, origins);
        } else {
            ++refused;
            const std::size_t origin = origins[*illegal];
            EXPECT_EQ(outcome.refused, origin != kNone ? origin : (edit.at == 0 ? 0 : edit.at - 1));
            EXPECT_FALSE(outcome.why.empty());
        }
    }
    // Both answers were put to the test often.
    EXPECT_GT(accepted, 80);
    EXPECT_GT(refused, 80);
}

// What a refusal says: the entry that would break, as it would read, and why.
TEST(PlanEdit, aRefusalNamesTheEntryAsItWouldReadAndWhy) {
    const auto fire = [](int index) {
        return SkillRef{TreeId::SorceressFire, static_cast<std::int16_t>(index)};
    };
    Build build;
    build.startCharacter(ClassId::Sorceress);
    build.click(TreeId::SorceressFire, 0); // Fire Bolt, Clvl 2
    build.click(TreeId::SorceressFire, 1); // Warmth, Clvl 3
    for (int level = 4; level <= 12; ++level) {
        build.reservePoint();
    }
    build.click(TreeId::SorceressFire, 4); // Fireball, Clvl 13
    const Plan plan = build.plan();
    Plan level99{ClassId::Sorceress, std::vector<HistoryEntry>(98), {}};
    for (std::size_t i = 0; i < level99.history.size(); ++i) {
        level99.history[i] = {EntryKind::ReservedForLater, static_cast<std::int16_t>(i + 2), 0, 0, {}};
    }
    const std::string notYet = "Not available yet, you must be character level ";
    const struct {
        const Plan& plan;
        PlanEdit edit;
        std::size_t refused;
        std::string why;
    } cases[] = {
        {plan, PlanEdit::move(11, 0), 11,
         "Clvl 2 Slvl 1: Fireball: " + notYet + "12 first (or just getting level 12)."},
        {plan, PlanEdit::remove(0), 11,
         "Clvl 12 Slvl 1: Fireball: Not available yet, you must have at least one skill point in Fire Bolt"},
        {plan, PlanEdit::change(1, fire(9)), 1,
         "Clvl 3 Slvl 1: Hydra: " + notYet + "30 first (or just getting level 30)."},
        {level99, PlanEdit::insert(3, fire(1)), 2, "Character has reached maximum allowable level(99). "},
        {plan, PlanEdit::remove(12), 11, "The plan has no such entry."},
    };
    for (const auto& [before, edit, entry, why] : cases) {
        const EditOutcome outcome = editPlan(before, edit);
        EXPECT_FALSE(outcome.accepted()) << why;
        EXPECT_EQ(outcome.refused, entry) << why;
        EXPECT_EQ(outcome.why, why);
    }
}

} // namespace
} // namespace skillwright::model::testing
