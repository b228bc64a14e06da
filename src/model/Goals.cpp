#include "Goals.h"

#include <array>

namespace skillwright::model {

namespace {

constexpr std::array<Quest, 3> kQuests{Quest::DenOfEvil, Quest::BookOfSkill, Quest::Izual};

HistoryEntry pointOf(EntryKind kind, SkillRef skill = {}) {
    return HistoryEntry{kind, 0, 0, 0, skill};
}

/// How a point held at the level the character stands at (one from the
/// reserve, or a quest's) may go to `skill` for `target`: a reserved one
/// first. A quest's point can go where a reserved one can and, at the
/// skill's cap, one point further; at the cap it is held for the level the
/// target is met at, where that one point further is worth a level.
std::optional<EntryKind> heldPointFor(const BuildState& state, const Target& target, SkillRef skill) {
    const bool belowCap = ruleCheck(state, skill, EntryKind::ReservedSpent).accepted();
    if (belowCap && state.reservedPoints > 0) {
        return EntryKind::ReservedSpent;
    }
    if (!belowCap && !(skill == target.skill && state.pointsOf(skill) + 1 >= target.points)) {
        return std::nullopt;
    }
    const QuestOffer offer = questOffer(state, skill.tree);
    for (const Quest quest : kQuests) {
        if (offer[quest] && ruleCheck(state, skill, questRule(quest).kind).accepted()) {
            return questRule(quest).kind;
        }
    }
    return std::nullopt;
}

/// The level `target` is met at from `state`, every point to come going to
/// it, if that is no later than level `by`.
std::optional<std::int16_t> earliestBy(const BuildState& start, const Target& target, std::int16_t by) {
    BuildState state = start;
    for (;;) {
        std::optional<SkillRef> next = nextSkillOf(state, target);
        for (; next; next = nextSkillOf(state, target)) {
            const std::optional<EntryKind> held = heldPointFor(state, target, *next);
            if (!held) {
                break;
            }
            apply(state, pointOf(*held, *next));
        }
        if (!next) {
            return state.characterLevel();
        }
        if (state.characterLevel() >= by) {
            return std::nullopt;
        }
        apply(state, ruleCheck(state, *next, EntryKind::Ordinary).accepted()
                         ? pointOf(EntryKind::Ordinary, *next)
                         : pointOf(EntryKind::ReservedForLater));
    }
}

/// Fills a plan's state towards its targets, point by point, recording the
/// entries as the rules make them.
class Filler {
public:
    Filler(const BuildState& state, ClassId classId, const std::vector<Target>& targets)
        : m_state(state), m_classId(classId), m_targets(targets), m_bounds(targets.size()) {}

    [[nodiscard]] bool met(std::size_t i) const { return !nextSkillOf(m_state, m_targets[i]).has_value(); }
    [[nodiscard]] const BuildState& state() const { return m_state; }
    std::vector<HistoryEntry> added;

    /// Spends what the level holds (the reserve, quest points) while a
    /// target takes it.
    void spendHeld() {
        for (bool spent = true; spent;) {
            spent = false;
            for (std::size_t j = 0; j < m_targets.size() && !spent; ++j) {
                const std::optional<SkillRef> next = nextSkillOf(m_state, m_targets[j]);
                if (!next) {
                    continue;
                }
                if (const auto held = heldPointFor(m_state, m_targets[j], *next);
                    held && spares(j, *held, *next)) {
                    take(*held, *next);
                    spent = true;
                }
            }
        }
    }

    /// The next level-up: to the first target that can take it and spare
    /// it, or held in reserve.
    void levelUp() {
        for (std::size_t j = 0; j < m_targets.size(); ++j) {
            const std::optional<SkillRef> next = nextSkillOf(m_state, m_targets[j]);
            if (next && ruleCheck(m_state, *next, EntryKind::Ordinary).accepted() &&
                spares(j, EntryKind::Ordinary, *next)) {
                take(EntryKind::Ordinary, *next);
                return;
            }
        }
        take(EntryKind::ReservedForLater, {});
    }

private:
    /// Whether the targets before `j` are met as early with the point of
    /// `kind` in `skill` as without it.
    bool spares(std::size_t j, EntryKind kind, SkillRef skill) {
        BuildState after = m_state;
        apply(after, pointOf(kind, skill));
        for (std::size_t i = 0; i < j; ++i) {
            if (met(i)) {
                continue;
            }
            if (m_bounds[i].first != m_version) {
                m_bounds[i] = {m_version, earliestBy(m_state, m_targets[i], kMaxLevel).value_or(kMaxLevel)};
            }
            if (!earliestBy(after, m_targets[i], m_bounds[i].second)) {
                return false;
            }
        }
        return true;
    }

    void take(EntryKind kind, SkillRef skill) {
        const EntryOutcome outcome = entryOutcome(m_state, m_classId, pointOf(kind, skill));
        apply(m_state, *outcome.made);
        added.push_back(*outcome.made);
        ++m_version;
    }

    BuildState m_state;
    ClassId m_classId;
    const std::vector<Target>& m_targets;
    /// By target: the earliest level it can be met at, and the state it was
    /// worked out for.
    std::vector<std::pair<std::size_t, std::int16_t>> m_bounds;
    std::size_t m_version = 1;
};

} // namespace

std::string formatTarget(const Target& target) {
    return std::string(skill(target.skill.tree, target.skill.index).name) + " " +
           std::to_string(target.points);
}

std::optional<Target> parseTarget(std::string_view text, ClassId classId) {
    const std::size_t space = text.rfind(' ');
    if (space == std::string_view::npos || space + 1 == text.size() || text.size() - space > 3 ||
        text[space + 1] == '0') {
        return std::nullopt;
    }
    std::int16_t points = 0;
    for (const char c : text.substr(space + 1)) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        points = static_cast<std::int16_t>(points * 10 + (c - '0'));
    }
    const std::string_view name = text.substr(0, space);
    for (const TreeId t : classInfo(classId).trees) {
        for (std::int16_t i = 0; i < kSkillsPerTree; ++i) {
            if (skill(t, i).name == name) {
                return Target{{t, i}, points};
            }
        }
    }
    return std::nullopt;
}

std::optional<SkillRef> nextSkillOf(const BuildState& state, const Target& target) {
    if (state.pointsOf(target.skill) >= target.points) {
        return std::nullopt;
    }
    SkillRef at = target.skill;
    for (bool deeper = true; deeper;) {
        deeper = false;
        for (const std::int8_t p : skill(at.tree, at.index).prerequisites) {
            if (p >= 0 && state.pointsOf({at.tree, p}) == 0) {
                at = SkillRef{at.tree, p};
                deeper = true;
                break;
            }
        }
    }
    return at;
}

std::optional<std::int16_t> earliestLevel(const BuildState& state, const Target& target) {
    return earliestBy(state, target, kMaxLevel);
}

TargetFill fillToTargets(const Plan& plan) {
    TargetFill fill;
    if (plan.targets.empty()) {
        fill.why = "There is no target to fill to: set one in a skill's menu first.";
        return fill;
    }
    if (auto why = targetsProblem(plan.targets, plan.classId)) {
        fill.why = *why;
        return fill;
    }
    const BuildState start = replayPlan(plan).state;
    Filler filler(start, plan.classId, plan.targets);
    fill.metAt.assign(plan.targets.size(), 0);
    std::vector<bool> met(plan.targets.size());
    bool allMet = true;
    for (std::size_t i = 0; i < met.size(); ++i) {
        met[i] = filler.met(i);
        allMet = allMet && met[i];
    }
    if (allMet) {
        fill.why = "Every target is met already.";
        return fill;
    }
    for (;;) {
        filler.spendHeld();
        allMet = true;
        for (std::size_t i = 0; i < met.size(); ++i) {
            if (!met[i] && filler.met(i)) {
                met[i] = true;
                fill.metAt[i] = filler.state().characterLevel();
            }
            allMet = allMet && met[i];
        }
        if (allMet) {
            fill.added = std::move(filler.added);
            return fill;
        }
        if (filler.state().characterLevel() >= kMaxLevel) {
            break;
        }
        filler.levelUp();
    }
    for (std::size_t i = 0; i < met.size(); ++i) {
        if (!met[i]) {
            const Target& target = plan.targets[i];
            const bool alone = earliestLevel(start, target).has_value();
            fill.why = formatTarget(target) + " cannot be met by level 99: " +
                       (alone ? "the targets before it take the points it needs."
                              : "too few levels are left to take its points.");
            break;
        }
    }
    fill.metAt.clear();
    return fill;
}

PathTaking takePath(const BuildState& state, ClassId classId, SkillRef target) {
    BuildState at = state;
    PathTaking path;
    const Target goal{target, static_cast<std::int16_t>(state.pointsOf(target) + 1)};
    for (std::optional<SkillRef> next = nextSkillOf(at, goal); next; next = nextSkillOf(at, goal)) {
        const PointResult result = ruleCheck(at, *next, EntryKind::Ordinary);
        if (!result.accepted()) {
            path.added.clear();
            path.why = result.refusal == Refusal::RequiredLevel
                           ? std::string(skill(next->tree, next->index).name) + " waits for level " +
                                 std::to_string(result.requiredLevel) + "."
                           : refusalText(result);
            return path;
        }
        const EntryOutcome outcome = entryOutcome(at, classId, pointOf(EntryKind::Ordinary, *next));
        apply(at, *outcome.made);
        path.added.push_back(*outcome.made);
    }
    return path;
}

} // namespace skillwright::model
