#pragma once

#include <model/Catalogue.h>
#include <model/History.h>
#include <model/Plan.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace skillwright::model {

/// A change anywhere in a plan's history: a point inserted, put into another
/// skill, removed, or moved to another place. Every entry after it is taken
/// again by the command that made it, at the level it now comes to.
struct PlanEdit {
    enum class Kind : std::uint8_t {
        Insert, ///< a new point of `point` into `skill`, becoming entry `at`
        Change, ///< entry `at` into `skill` (a point held in reserve becomes an ordinary one)
        Remove, ///< entry `at` taken out
        Move,   ///< entry `at` taken out and put back as entry `to`
    };
    Kind kind = Kind::Insert;
    std::size_t at = 0;
    std::size_t to = 0;
    EntryKind point = EntryKind::Ordinary;
    SkillRef skill{};

    [[nodiscard]] static PlanEdit insert(std::size_t at, SkillRef skill,
                                         EntryKind point = EntryKind::Ordinary) {
        return {Kind::Insert, at, 0, point, skill};
    }
    [[nodiscard]] static PlanEdit change(std::size_t at, SkillRef skill) {
        return {Kind::Change, at, 0, EntryKind::Ordinary, skill};
    }
    [[nodiscard]] static PlanEdit remove(std::size_t at) {
        return {Kind::Remove, at, 0, EntryKind::Ordinary, {}};
    }
    [[nodiscard]] static PlanEdit move(std::size_t at, std::size_t to) {
        return {Kind::Move, at, to, EntryKind::Ordinary, {}};
    }
    /// The entry the edit leaves in the place it acted on: the new, changed
    /// or moved entry, or for a removal the one before it (none before the first).
    [[nodiscard]] std::optional<std::size_t> landing() const;
    friend bool operator==(const PlanEdit&, const PlanEdit&) = default;
};

/// What an edit came to: the plan it makes, every entry as the rules record
/// it now, or the first entry that would break a rule and why.
struct EditOutcome {
    static constexpr std::size_t kNew = std::numeric_limits<std::size_t>::max();

    std::optional<Plan> plan;
    /// Accepted: for each entry of the new plan, its index in the plan before
    /// (kNew for an inserted one).
    std::vector<std::size_t> origins;
    /// Refused: the entry of the plan before that would break a rule (for
    /// the inserted point, the entry it was to follow, or the first).
    std::size_t refused = 0;
    /// Refused: the entry as it would read, and why: "Clvl 18 Slvl 1:
    /// Blizzard: Not available yet, you must have at least one skill point in Ice Blast".
    std::string why;

    [[nodiscard]] bool accepted() const { return plan.has_value(); }
};

/// Makes the edit on `plan` and takes the edited history again through the
/// rules, entry by entry. Accepted exactly when every entry is taken.
[[nodiscard]] EditOutcome editPlan(const Plan& plan, const PlanEdit& edit);

} // namespace skillwright::model
