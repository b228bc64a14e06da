#include "SaveBuildReport.h"

#include "ReportFile.h"
#include "ReportText.h"

#include <model/Build.h>
#include <toolkit/Toolkit.h>

namespace skillwright::report {

namespace {

/// Hides the history list for its lifetime and shows it again on every way out.
class HiddenHistory {
public:
    explicit HiddenHistory(const std::function<void(bool)>& setVisible) : m_setVisible(setVisible) {
        if (m_setVisible) {
            m_setVisible(false);
        }
    }
    ~HiddenHistory() {
        if (m_setVisible) {
            m_setVisible(true);
        }
    }
    HiddenHistory(const HiddenHistory&) = delete;
    HiddenHistory& operator=(const HiddenHistory&) = delete;

private:
    const std::function<void(bool)>& m_setVisible;
};

} // namespace

std::optional<std::string> saveBuildReport(const model::Build& build, toolkit::Toolkit& toolkit,
                                           const std::string& offeredName,
                                           const std::function<void(bool)>& setHistoryVisible) {
    // Cancel answers the empty text, which is saved like any other name.
    const std::string name =
        toolkit.inputBox("What is the name of this character?", "Character Name", offeredName);

    const model::TreeScreen* screen = build.screen();
    if (screen == nullptr) {
        return std::nullopt; // SAVE lives on a tree screen, so there is always one.
    }

    const HiddenHistory hidden(setHistoryVisible);
    model::Plan plan = screen->plan();
    plan.name = name;
    const std::string text = reportText(plan);
    // The name is used exactly as typed: no character is removed or replaced.
    const std::string folder = toolkit.reportFolder();
    auto failure = makeFolder(folder);
    if (!failure) {
        failure = writeWholeFile(folder + "/" + name + ".txt", text);
    }
    if (failure) {
        toolkit.messageBox(std::to_string(failure->number) + "\r\n" + failure->description, "",
                           toolkit::Icon::None, toolkit::Buttons::Ok);
        return std::nullopt;
    }
    return name;
}

} // namespace skillwright::report
