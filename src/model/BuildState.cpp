#include "BuildState.h"

namespace skillwright::model {

namespace {

constexpr std::string_view kTwentyPoints =
    "No more points may be added to this skill.  Maximum points are 20 per skill.";
constexpr std::string_view kLevel99 = "Character has reached maximum allowable level(99). ";
constexpr std::string_view kPointCap =
    "Skill point cap is limited to 1 point per level the skill has been available.";
constexpr std::string_view kMissingPrerequisite =
    "Not available yet, you must have at least one skill point in ";
constexpr std::string_view kNoReserve = "You have no skill points in reserve.";
constexpr std::string_view kQuestExhausted = "You may only complete this quest once for each level, 3 times.";

/// What a point of each kind does to the level and the reserve (quest
/// points count in their quest's counter).
struct PointEffect {
    int levelUps;
    int reserve;
};
constexpr PointEffect pointEffect(EntryKind kind) {
    switch (kind) {
    case EntryKind::Ordinary:
        return {1, 0};
    case EntryKind::ReservedForLater:
        return {1, 1};
    case EntryKind::ReservedSpent:
        return {0, -1};
    default:
        return {0, 0};
    }
}

std::int16_t& pointsRef(BuildState& state, SkillRef skill) {
    return state
        .points[static_cast<std::size_t>(tree(skill.tree).position)][static_cast<std::size_t>(skill.index)];
}

/// The tier's check of a point of `kind` into a skill holding `points`.
std::optional<Refusal> tierCheck(const BuildState& state, std::int16_t tier, std::int16_t points,
                                 EntryKind kind) {
    const int level = state.levelsGained;
    if (level < tier - 2) {
        return Refusal::RequiredLevel;
    }
    // A reserved point does not raise the level, so its cap is one stricter.
    const int available = level + 1 - points;
    const bool passes = kind == EntryKind::ReservedSpent ? available >= tier : available >= tier - 1;
    return passes ? std::nullopt : std::optional<Refusal>(Refusal::PointCap);
}

} // namespace

std::string refusalText(const PointResult& result) {
    if (!result.refusal) {
        return {};
    }
    switch (*result.refusal) {
    case Refusal::TwentyPoints:
        return std::string(kTwentyPoints);
    case Refusal::Level99:
        return std::string(kLevel99);
    case Refusal::RequiredLevel: {
        const std::string t = std::to_string(result.requiredLevel);
        return "Not available yet, you must be character level " + t + " first (or just getting level " + t +
               ").";
    }
    case Refusal::PointCap:
        return std::string(kPointCap);
    case Refusal::Prerequisite:
        return std::string(kMissingPrerequisite) +
               std::string(skill(result.missing.tree, result.missing.index).messageName);
    case Refusal::EmptyReserve:
        return std::string(kNoReserve);
    case Refusal::QuestExhausted:
        return std::string(kQuestExhausted);
    case Refusal::NoSuchSkill:
        break;
    }
    return {};
}

QuestOffer questAvailability(std::int16_t levelsGained, std::int16_t denOfEvilCount,
                             std::int16_t bookOfSkillCount, std::int16_t izualCount, TreeId tree) {
    const int level = levelsGained + 1;
    const bool javelins = tree == TreeId::AmazonJavelinSpear;
    // A difficulty's point is offered from its level on, while the points of
    // that difficulty and the easier ones have not all been taken.
    const auto offers = [level, javelins](Quest quest, std::int16_t counter) {
        const QuestRule& rule = questRule(quest);
        const auto& from = javelins ? rule.javelinOfferedFrom : rule.offeredFrom;
        for (std::size_t d = 0; d < from.size(); ++d) {
            if (level >= from[d] && counter < rule.pointsPerDifficulty * static_cast<int>(d + 1)) {
                return true;
            }
        }
        return false;
    };
    return {{offers(Quest::DenOfEvil, denOfEvilCount), offers(Quest::BookOfSkill, bookOfSkillCount),
             offers(Quest::Izual, izualCount)}};
}

QuestOffer questOffer(const BuildState& state, TreeId tree) {
    return questAvailability(state.levelsGained, state.questCount(Quest::DenOfEvil),
                             state.questCount(Quest::BookOfSkill), state.questCount(Quest::Izual), tree);
}

PointResult ruleCheck(const BuildState& state, SkillRef s, EntryKind kind) {
    const std::int16_t points = state.pointsOf(s);
    if (points == kMaxSkillPoints) {
        return PointResult::refused(Refusal::TwentyPoints);
    }
    if (state.characterLevel() == kMaxLevel) {
        return PointResult::refused(Refusal::Level99);
    }
    const Skill& sk = skill(s.tree, s.index);
    if (sk.openingLevel != 1) {
        if (const auto why = tierCheck(state, sk.openingLevel, points, kind)) {
            PointResult result = PointResult::refused(*why);
            result.requiredLevel = sk.openingLevel;
            return result;
        }
    }
    for (std::int8_t p : sk.prerequisites) {
        if (p >= 0 && state.pointsOf({s.tree, p}) == 0) {
            PointResult result = PointResult::refused(Refusal::Prerequisite);
            result.missing = SkillRef{s.tree, p};
            return result;
        }
    }
    return PointResult::took(kind);
}

EntryOutcome entryOutcome(const BuildState& state, ClassId classId, const HistoryEntry& entry) {
    if (entry.hasSkill() && (tree(entry.skill.tree).classId != classId || entry.skill.index < 0 ||
                             entry.skill.index >= kSkillsPerTree)) {
        return {std::nullopt, "The " + std::string(classInfo(classId).name) + " has no such skill."};
    }
    HistoryEntry made{entry.kind, 0, 0, 0, entry.hasSkill() ? entry.skill : SkillRef{}};
    PointResult result;
    if (const QuestRule* rule = questRuleOf(entry.kind)) {
        // The skill menu offers a quest's point only from the level its
        // difficulty opens at, and only as often as the quest may be done.
        const std::int16_t counter = state.questCount(rule->quest);
        if (!questOffer(state, entry.skill.tree)[rule->quest]) {
            if (counter >= rule->limit()) {
                return {std::nullopt, std::string(kQuestExhausted)};
            }
            return {std::nullopt, std::string(rule->pointNames[rule->difficulty(counter)]) +
                                      " is not offered at character level " +
                                      std::to_string(state.characterLevel()) + "."};
        }
        result = ruleCheck(state, entry.skill, entry.kind);
        made.questRound = static_cast<std::int16_t>(counter + 1);
    } else if (entry.kind == EntryKind::ReservedForLater) {
        // A reserved point is a level-up too, and no character passes level 99.
        result = state.characterLevel() >= kMaxLevel ? PointResult::refused(Refusal::Level99)
                                                     : PointResult::took(entry.kind);
    } else {
        result = ruleCheck(state, entry.skill, entry.kind);
        if (result.accepted() && entry.kind == EntryKind::ReservedSpent && state.reservedPoints < 1) {
            result = PointResult::refused(Refusal::EmptyReserve);
        }
    }
    if (!result.accepted()) {
        std::string why = refusalText(result);
        return {std::nullopt, why.empty() ? std::string("The planner cannot take this point.") : why};
    }
    if (raisesLevel(entry.kind)) {
        made.characterLevel = static_cast<std::int16_t>(state.characterLevel() + 1);
    }
    if (made.hasSkill()) {
        made.skillPoints = static_cast<std::int16_t>(state.pointsOf(entry.skill) + 1);
    }
    return {made, {}};
}

std::optional<std::string> recordedOtherwise(const EntryOutcome& outcome, const HistoryEntry& entry) {
    if (!outcome.made) {
        return outcome.why;
    }
    const HistoryEntry& made = *outcome.made;
    const bool asRecorded = made.kind == entry.kind && made.characterLevel == entry.characterLevel &&
                            made.skillPoints == entry.skillPoints && made.questRound == entry.questRound &&
                            (!made.hasSkill() || made.skill == entry.skill);
    if (!asRecorded) {
        return "The planner records this point as \"" + formatEntry(made) + "\".";
    }
    return std::nullopt;
}

void apply(BuildState& state, const HistoryEntry& entry) {
    if (entry.hasSkill()) {
        ++pointsRef(state, entry.skill);
    }
    const PointEffect effect = pointEffect(entry.kind);
    state.levelsGained = static_cast<std::int16_t>(state.levelsGained + effect.levelUps);
    state.reservedPoints = static_cast<std::int16_t>(state.reservedPoints + effect.reserve);
    if (const QuestRule* rule = questRuleOf(entry.kind)) {
        ++state.questCounts[static_cast<std::size_t>(rule->quest)];
    }
}

void takeBack(BuildState& state, const HistoryEntry& entry) {
    if (entry.hasSkill()) {
        --pointsRef(state, entry.skill);
    }
    const PointEffect effect = pointEffect(entry.kind);
    state.levelsGained = static_cast<std::int16_t>(state.levelsGained - effect.levelUps);
    state.reservedPoints = static_cast<std::int16_t>(state.reservedPoints - effect.reserve);
    if (const QuestRule* rule = questRuleOf(entry.kind)) {
        --state.questCounts[static_cast<std::size_t>(rule->quest)];
    }
}

StateReplay replayPlan(const Plan& plan) {
    StateReplay replay{{}, {plan.classId, {}, plan.name}, std::nullopt};
    replay.plan.history.reserve(plan.history.size());
    for (std::size_t i = 0; i < plan.history.size(); ++i) {
        const HistoryEntry& entry = plan.history[i];
        const EntryOutcome outcome = entryOutcome(replay.state, plan.classId, entry);
        if (std::optional<std::string> why = recordedOtherwise(outcome, entry)) {
            replay.stop = ReplayStop{i, std::move(*why)};
            break;
        }
        apply(replay.state, *outcome.made);
        replay.plan.history.push_back(*outcome.made);
    }
    return replay;
}

} // namespace skillwright::model
