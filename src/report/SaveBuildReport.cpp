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

void saveBuildReport(const model::Build& build, toolkit::Toolkit& toolkit,
                     const std::function<void(bool)>& setHistoryVisible) {
    // Cancel answers the empty text, which is saved like any other name.
    const std::string name =
        toolkit.inputBox("What is the name of this character?", "Character Name", "Character");

    const model::TreeScreen* screen = build.screen();
    if (screen == nullptr) {
        return; // SAVE lives on a tree screen, so there is always one; nothing to save otherwise.
    }

    const HiddenHistory hidden(setHistoryVisible);
    const std::string text = buildReportText(name, model::classInfo(screen->classId()).name,
                                             build.levelsGained(), screen->history());
    // The name is used exactly as typed: no character is removed or replaced.
    const std::string path = toolkit.applicationFolder() + "/" + name + ".txt";
    if (const auto failure = writeWholeFile(path, toLatin1(text))) {
        toolkit.messageBox(std::to_string(failure->number) + "\r\n" + failure->description, "",
                           toolkit::Icon::None, toolkit::Buttons::Ok);
    }
}

} // namespace skillwright::report
