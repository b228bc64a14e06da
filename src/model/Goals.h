#pragma once

#include <model/BuildState.h>
#include <model/Catalogue.h>
#include <model/History.h>
#include <model/Plan.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skillwright::model {

/// A target as reports and notices write it: "Frozen Orb 20".
[[nodiscard]] std::string formatTarget(const Target& target);
/// Reads formatTarget's text of a skill of `classId` (any points); nothing
/// for any other text.
[[nodiscard]] std::optional<Target> parseTarget(std::string_view text, ClassId classId);

/// The skill that takes a target's next point: its deepest prerequisite that
/// holds no point, or the skill itself; nothing once the target is met.
[[nodiscard]] std::optional<SkillRef> nextSkillOf(const BuildState& state, const Target& target);

/// The earliest character level at which `target` can be met from `state`,
/// every point to come (level-ups, the reserve, quest points) going to it and
/// its prerequisites; nothing when it cannot be met by level 99.
[[nodiscard]] std::optional<std::int16_t> earliestLevel(const BuildState& state, const Target& target);

/// What filling a plan to its targets came to: the entries that go after its
/// history and the level each target is met at, or why it cannot be done.
struct TargetFill {
    std::vector<HistoryEntry> added;
    std::vector<std::int16_t> metAt; ///< by target; the level it was met at, 0 when met before
    std::string why;                 ///< refused: which target cannot be met, and why
    [[nodiscard]] bool accepted() const { return why.empty(); }
};

/// Level-ups from the end of `plan` until its every target is met. Each point
/// (a level-up's, a reserved one, a quest's as the skill menu offers it) goes
/// to the first target that can take it without another target before it
/// being met later than it could be; a point no target can take is reserved.
/// The first target is met at the earliest level the rules allow. Refused
/// when a target cannot be met by level 99 or there is no target to meet.
[[nodiscard]] TargetFill fillToTargets(const Plan& plan);

/// The points that take `skill` with its missing prerequisites at the next
/// level-ups, the prerequisites first; or why not ("Frozen Orb waits for
/// level 30.") when one of them cannot be taken at its turn.
struct PathTaking {
    std::vector<HistoryEntry> added;
    std::string why;
};
[[nodiscard]] PathTaking takePath(const BuildState& state, ClassId classId, SkillRef skill);

} // namespace skillwright::model
