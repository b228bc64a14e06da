#pragma once

#include <model/Plan.h>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace skillwright::report {

/// The lines a report is made of; all but the entries are one line each.
enum class ReportPart : std::uint8_t {
    EmptyCharacter, ///< "No Skills selected, Empty character"
    Blank,          ///< an empty line
    Name,           ///< the character's name, as typed (may be empty)
    ClassLine,      ///< "Class: " and the class's name
    LevelLine,      ///< "Level: " and the character level
    Rule,           ///< 45 hyphens
    StartingLevel,  ///< "Clvl 1 Slvl 0: Starting Level"
    Entries,        ///< one line per history entry, verbatim (trailing blanks kept)
};

/// A plan with entries: n + 8 lines.
inline constexpr std::array<ReportPart, 9> kReportLayout{
    ReportPart::Name,    ReportPart::ClassLine, ReportPart::LevelLine,
    ReportPart::Rule,    ReportPart::Blank,     ReportPart::StartingLevel,
    ReportPart::Entries, ReportPart::Blank,     ReportPart::Rule};
/// A plan without entries: eleven lines, two of its own above the header and
/// one blank line in the entries' place (the "last entry" of an empty list).
inline constexpr std::array<ReportPart, 11> kEmptyReportLayout{
    ReportPart::EmptyCharacter, ReportPart::Blank, ReportPart::Name,  ReportPart::ClassLine,
    ReportPart::LevelLine,      ReportPart::Rule,  ReportPart::Blank, ReportPart::StartingLevel,
    ReportPart::Blank,          ReportPart::Blank, ReportPart::Rule};

/// The layout of a report, by whether its plan has entries.
[[nodiscard]] constexpr std::span<const ReportPart> reportLayout(bool hasEntries) {
    if (hasEntries) {
        return kReportLayout;
    }
    return kEmptyReportLayout;
}

inline constexpr std::string_view kEmptyCharacterLine = "No Skills selected, Empty character";
inline constexpr std::string_view kClassPrefix = "Class: ";
inline constexpr std::string_view kLevelPrefix = "Level: ";
inline constexpr std::string_view kRuleLine = "---------------------------------------------";
inline constexpr std::string_view kStartingLevelLine = "Clvl 1 Slvl 0: Starting Level";
inline constexpr std::string_view kLineEnd = "\r\n";

// A plan with a note or milestones adds one block after the report's last
// rule, a blank line before it:
//
//     Notes and milestones
//     Milestone: Clvl 12 Slvl 3: Fire Bolt      (the entry it follows, as listed above)
//     Name: Den of Evil done
//       the milestone's note, each line behind two blanks
//     Note:
//       the plan's note, each line behind two blanks
//     ---------------------------------------------
//
// Milestones come in the order of their entries; a note that is empty has no
// lines, and a plan without a note has no "Note:" line.
inline constexpr std::string_view kNotesHeading = "Notes and milestones";
inline constexpr std::string_view kMilestonePrefix = "Milestone: ";
inline constexpr std::string_view kMilestoneNamePrefix = "Name: ";
inline constexpr std::string_view kNoteLine = "Note:";
inline constexpr std::string_view kTargetPrefix = "Target: ";
inline constexpr std::string_view kNoteIndent = "  ";

// A plan that places its stat points adds to the block, after the note:
//
//     Attribute target: Strength 55      (one a target, in their order)
//     Attribute rest: Vitality
//     Lam Esen's Tome: Normal 20         (one a difficulty it was read in: the level)
//     Golden Bird: Hell 71
//
// A plan without any of these leaves them out, and needs no block for them.
inline constexpr std::string_view kAttributeTargetPrefix = "Attribute target: ";
inline constexpr std::string_view kAttributeRestPrefix = "Attribute rest: ";
inline constexpr std::string_view kTomePrefix = "Lam Esen's Tome: ";
inline constexpr std::string_view kGoldenBirdPrefix = "Golden Bird: ";

/// The report of `plan` under its name: the lines of its layout, every line
/// ended by CR LF (the last one too), and the block of its note and
/// milestones if it has either. The level line gives the level the plan
/// reaches.
std::string reportText(const model::Plan& plan);

} // namespace skillwright::report
