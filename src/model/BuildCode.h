#pragma once

#include <model/Plan.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skillwright::model {

/// A build code: a plan as one line of the URL-safe characters A-Z a-z 0-9
/// - _, e.g. "SW1" followed by the class, every history entry, the name and a
/// checksum. docs/build-code.md lays out its bits.

/// Longer texts are refused before any character is looked at. The longest
/// code the rules allow (every level-up reserved and spent, every quest, the
/// longest name) has 532 characters.
inline constexpr std::size_t kMaxBuildCodeText = 4096;
/// A name is held in at most this many bytes of UTF-8.
inline constexpr std::size_t kMaxBuildCodeName = 255;

/// The plan's code. The entries' kinds and skills are written, not their
/// counted fields (levels, skill levels, quest rounds), which follow from the
/// order. The name is cut before its first byte that is not valid UTF-8 or
/// is a control character, and to whole characters within
/// kMaxBuildCodeName bytes; a skill is written by its place on the class's
/// screen.
std::string encodeBuildCode(const Plan& plan);

/// Why a text opens to no plan.
enum class CodeRefusal : std::uint8_t {
    NotACode,    ///< the text is no build code at all
    NewerFormat, ///< a sound code in a format this version does not know
    Damaged,     ///< a code whose checksum or contents do not hold
};

/// The sentence the player reads for a refusal.
std::string_view codeRefusalText(CodeRefusal refusal);

/// What reading a text as a build code came to: the plan, or why there is none.
struct CodeReading {
    std::optional<Plan> plan;
    CodeRefusal refusal = CodeRefusal::NotACode; ///< meaningful when there is no plan
};

/// Reads a build code, with blanks and line ends around it allowed. The
/// entries carry their kind and skill, and the fields counted along the
/// history: the character level reached, the skill's points after the point,
/// the quest's round. No rule is checked here: a plan opens through the rules.
/// Time and memory are bounded by kMaxBuildCodeText, whatever the text.
CodeReading decodeBuildCode(std::string_view text);

/// A plan's link: this address followed by the plan's code. The desktop
/// hands such a link, clicked anywhere, to the program.
inline constexpr std::string_view kPlanLinkPrefix = "skillwright://plan/";

/// The code a link carries ("skillwright://plan/" and the code, the scheme in
/// any case, one "/" after the code allowed), blanks around it allowed; any
/// other text as it is.
std::string_view codeOfLink(std::string_view text);

} // namespace skillwright::model
