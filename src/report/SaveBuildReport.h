#pragma once

#include <functional>
#include <optional>
#include <string>

namespace skillwright::model {
class Build;
}
namespace skillwright::toolkit {
class Toolkit;
}

namespace skillwright::report {

/// SAVE on a skill tree screen: asks for the character's name, offering
/// `offeredName`, and writes the open screen's report in UTF-8 to
/// "<report folder>/<name>.txt", making the toolkit's report folder first
/// when it does not exist yet. Returns the name it saved under, or nothing
/// when the report was not written.
///
/// `setHistoryVisible` hides the screen's history list while the file is
/// written and shows it again afterwards, whatever happens. A failure is
/// reported in a message box (error number, CR LF, description). Nothing in
/// the build changes, so a failed save can be retried at once.
std::optional<std::string> saveBuildReport(const model::Build& build, toolkit::Toolkit& toolkit,
                                           const std::string& offeredName,
                                           const std::function<void(bool)>& setHistoryVisible);

} // namespace skillwright::report
