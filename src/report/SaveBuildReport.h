#pragma once

#include <model/Plan.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace skillwright::toolkit {
class Toolkit;
}

namespace skillwright::report {

/// `name` as a plain file name in the report folder: separators, control
/// characters, line and paragraph separators, the controls of writing
/// direction, leading dots and dots beside dots become "_", so that no name
/// leads out of the folder, hides its file or disguises it; a name too long
/// for a file is cut, ending with "…". The empty name gives "Character".
std::string plainFileName(std::string_view name);

/// What a report is saved as: the character's name, its first line, and the
/// file name it is offered under.
struct ReportName {
    std::string character;
    std::string file;
    /// A name from outside (a report read, a code): offered as a plain file name.
    static ReportName of(std::string_view character) {
        return {std::string(character), plainFileName(character)};
    }
    friend bool operator==(const ReportName&, const ReportName&) = default;
};

/// Where the report of `file` is written in the report `folder`.
[[nodiscard]] inline std::string reportPath(const std::string& folder, const std::string& file) {
    return folder + "/" + file + ".txt";
}

/// SAVE on a skill tree screen: asks for the character's name, offering
/// `offered.file`, and writes the report of `plan` (the plan on screen, with
/// its note, milestones and attribute plan) in UTF-8 to
/// "<report folder>/<name>.txt", making the toolkit's report folder first
/// when it does not exist yet. The name typed is used as typed; the name
/// offered and taken unchanged writes `offered.character` as the report's
/// first line. Returns what it saved as, or nothing when the report was not
/// written.
///
/// Cancel, or a name erased, saves nothing. A report of that name that is not
/// `ownReport` (the one the plan was opened from or last saved to; empty for
/// none) is replaced only when the player says so; No asks for the name again.
///
/// `setHistoryVisible` hides the screen's history list while the file is
/// written and shows it again afterwards, whatever happens. A failure is
/// reported in a message box (error number, CR LF, description, and a line
/// that nothing was saved). Nothing in the build changes, so a failed save
/// can be retried at once.
std::optional<ReportName> saveBuildReport(const model::Plan& plan, toolkit::Toolkit& toolkit,
                                          const ReportName& offered, const std::string& ownReport,
                                          const std::function<void(bool)>& setHistoryVisible);

} // namespace skillwright::report
