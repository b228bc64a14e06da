#include "PlanEdit.h"

#include <model/BuildState.h>

namespace skillwright::model {

namespace {

/// An entry as the rules would record it after `state`, whether or not they take it.
HistoryEntry asItWouldRead(const BuildState& state, const HistoryEntry& entry) {
    HistoryEntry shown{entry.kind, 0, 0, 0, entry.hasSkill() ? entry.skill : SkillRef{}};
    if (raisesLevel(entry.kind)) {
        shown.characterLevel = static_cast<std::int16_t>(state.characterLevel() + 1);
    }
    if (shown.hasSkill()) {
        shown.skillPoints = static_cast<std::int16_t>(state.pointsOf(entry.skill) + 1);
    }
    if (const QuestRule* rule = questRuleOf(entry.kind)) {
        shown.questRound = static_cast<std::int16_t>(state.questCount(rule->quest) + 1);
    }
    return shown;
}

EditOutcome refusedAt(std::size_t entry, std::string why) {
    EditOutcome outcome;
    outcome.refused = entry;
    outcome.why = std::move(why);
    return outcome;
}

} // namespace

std::optional<std::size_t> PlanEdit::landing() const {
    switch (kind) {
    case Kind::Remove:
        return at > 0 ? std::optional<std::size_t>(at - 1) : std::nullopt;
    case Kind::Move:
        return to;
    case Kind::Insert:
    case Kind::Change:
        break;
    }
    return at;
}

EditOutcome editPlan(const Plan& plan, const PlanEdit& edit) {
    using Kind = PlanEdit::Kind;
    const std::size_t size = plan.history.size();
    const std::size_t last = edit.kind == Kind::Insert ? size : size - 1;
    if (size == 0 && edit.kind != Kind::Insert) {
        return refusedAt(0, "The plan has no such entry.");
    }
    if (edit.at > last || (edit.kind == Kind::Move && edit.to > last)) {
        return refusedAt(size == 0 ? 0 : size - 1, "The plan has no such entry.");
    }
    // The edited history, each entry with the place it came from.
    std::vector<HistoryEntry> entries = plan.history;
    std::vector<std::size_t> origins(size);
    for (std::size_t i = 0; i < size; ++i) {
        origins[i] = i;
    }
    const auto at = static_cast<std::ptrdiff_t>(edit.at);
    switch (edit.kind) {
    case Kind::Insert:
        if (raisesLevel(edit.point) && levelReached(plan) >= kMaxLevel) {
            return refusedAt(edit.at == 0 ? 0 : edit.at - 1,
                             refusalText(PointResult::refused(Refusal::Level99)));
        }
        entries.insert(entries.begin() + at, HistoryEntry{edit.point, 0, 0, 0, edit.skill});
        origins.insert(origins.begin() + at, EditOutcome::kNew);
        break;
    case Kind::Change: {
        HistoryEntry& changed = entries[edit.at];
        if (changed.kind == EntryKind::ReservedForLater) {
            changed.kind = EntryKind::Ordinary;
        }
        changed.skill = edit.skill;
        break;
    }
    case Kind::Remove:
        entries.erase(entries.begin() + at);
        origins.erase(origins.begin() + at);
        break;
    case Kind::Move: {
        const HistoryEntry moved = entries[edit.at];
        entries.erase(entries.begin() + at);
        origins.erase(origins.begin() + at);
        entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(edit.to), moved);
        origins.insert(origins.begin() + static_cast<std::ptrdiff_t>(edit.to), edit.at);
        break;
    }
    }
    // Taken again in order, each entry by its command, at the level it now comes to.
    EditOutcome outcome;
    Plan edited{plan.classId, {}, plan.name};
    edited.history.reserve(entries.size());
    BuildState state;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const EntryOutcome taken = entryOutcome(state, plan.classId, entries[i]);
        if (!taken.made) {
            const std::size_t origin = origins[i];
            const std::size_t blamed =
                origin != EditOutcome::kNew ? origin : (edit.at == 0 ? 0 : edit.at - 1);
            return refusedAt(blamed, formatEntry(asItWouldRead(state, entries[i])) + ": " + taken.why);
        }
        apply(state, *taken.made);
        edited.history.push_back(*taken.made);
    }
    outcome.plan = std::move(edited);
    outcome.origins = std::move(origins);
    return outcome;
}

} // namespace skillwright::model
