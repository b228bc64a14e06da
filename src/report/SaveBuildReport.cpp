#include "SaveBuildReport.h"

#include "ReportFile.h"
#include "ReportText.h"

#include <model/Build.h>
#include <toolkit/Toolkit.h>

#include <algorithm>
#include <array>

namespace skillwright::report {

namespace {

/// Screens are looked for in this order; only one is ever open.
constexpr std::array<model::ClassId, 5> kSearchOrder{model::ClassId::Necromancer, model::ClassId::Sorceress,
                                                     model::ClassId::Paladin, model::ClassId::Barbarian,
                                                     model::ClassId::Amazon};

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

void SaveBuildReport(const model::Build& build, toolkit::Toolkit& toolkit,
                     const std::function<void(bool)>& setHistoryVisible) {
    // Cancel answers the empty text, which is saved like any other name.
    const std::string name =
        toolkit.inputBox("What is the name of this character?", "Character Name", "Character");

    const model::TreeScreen* screen = build.screen();
    const auto found = std::find_if(kSearchOrder.begin(), kSearchOrder.end(), [&](model::ClassId c) {
        return build.IsFormLoaded(model::classInfo(c).screenName);
    });
    if (found == kSearchOrder.end() || screen == nullptr) {
        return; // SAVE lives on a tree screen, so there is always one; nothing to save otherwise.
    }

    const HiddenHistory hidden(setHistoryVisible);
    const std::string text =
        buildReportText(name, model::classInfo(*found).name, build.levelsGained(), screen->history());
    // The name is used exactly as typed: no character is removed or replaced.
    const std::string folder = toolkit.reportFolder();
    auto failure = makeFolder(folder);
    if (!failure) {
        failure = writeWholeFile(folder + "/" + name + ".txt", toLatin1(text));
    }
    if (failure) {
        toolkit.messageBox(std::to_string(failure->number) + "\r\n" + failure->description, "",
                           toolkit::Icon::None, toolkit::Buttons::Ok);
    }
}

} // namespace skillwright::report
