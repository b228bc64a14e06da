#pragma once

#include <functional>

namespace skillwright::model {
class Build;
}
namespace skillwright::toolkit {
class Toolkit;
}

namespace skillwright::report {

/// SAVE on a skill tree screen: asks for the character's name and writes the
/// open screen's report to "<report folder>/<name>.txt" in Latin-1, making
/// the toolkit's report folder first when it does not exist yet.
///
/// `setHistoryVisible` hides the screen's history list while the file is
/// written and shows it again afterwards, whatever happens. A failure is
/// reported in a message box (error number, CR LF, description). Nothing in
/// the build changes, so a failed save can be retried at once.
void SaveBuildReport(const model::Build& build, toolkit::Toolkit& toolkit,
                     const std::function<void(bool)>& setHistoryVisible);

} // namespace skillwright::report
