#include "SaveBuildReport.h"

#include "ReportText.h"

#include <model/Build.h>
#include <model/PlainText.h>
#include <toolkit/AtomicFile.h>
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

/// File names are at most 255 bytes: room for ".txt" and what is added to an offer.
constexpr std::size_t kMaxFileNameBytes = 200;
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

/// The length of the control character at `i` in `text`; 0 for any other.
std::size_t controlLength(std::string_view text, std::size_t i) {
    const auto character = model::leadingUtf8Character(text.substr(i));
    return character && model::isControlCharacter(character->code) ? character->length : 0;
}

} // namespace

std::string plainFileName(std::string_view name) {
    if (name.empty()) {
        return "Character";
    }
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool dotBesideDot =
            c == '.' && ((i > 0 && name[i - 1] == '.') || (i + 1 < name.size() && name[i + 1] == '.'));
        const std::size_t control = controlLength(name, i);
        if (c == '/' || c == '\\' || (c == '.' && out.empty()) || dotBesideDot || control > 0) {
            out += '_';
            i += control > 1 ? control - 1 : 0; // both bytes of a C1 control
        } else {
            out += c;
        }
    }
    if (out.size() > kMaxFileNameBytes) {
        std::size_t end = kMaxFileNameBytes - kEllipsis.size();
        while (end > 0 && (static_cast<unsigned char>(out[end]) & 0xC0u) == 0x80u) {
            --end; // not inside a character
        }
        out.resize(end);
        out += kEllipsis;
    }
    return out;
}

std::optional<ReportName> saveBuildReport(const model::Build& build, toolkit::Toolkit& toolkit,
                                          const ReportName& offered,
                                          const std::function<void(bool)>& setHistoryVisible) {
    // Cancel answers the empty text, which is saved like any other name.
    const std::string typed =
        toolkit.inputBox("What is the name of this character?", "Character Name", offered.file);
    // The offer taken as it stands keeps the character's name as it was.
    const ReportName name = typed == offered.file ? offered : ReportName{typed, typed};

    const model::Character* screen = build.character();
    if (screen == nullptr) {
        return std::nullopt; // SAVE lives on a tree screen, so there is always one.
    }

    const HiddenHistory hidden(setHistoryVisible);
    model::Plan plan = screen->plan();
    plan.name = name.character;
    const std::string text = reportText(plan);
    // A typed name is used exactly as typed: no character is removed or replaced.
    const std::string folder = toolkit.reportFolder();
    auto failure = toolkit::makeFolder(folder);
    if (!failure) {
        failure = toolkit::writeWholeFile(reportPath(folder, name.file), text);
    }
    if (failure) {
        toolkit.messageBox(std::to_string(failure->number) + "\r\n" + failure->description, "",
                           toolkit::Icon::None, toolkit::Buttons::Ok);
        return std::nullopt;
    }
    return name;
}

} // namespace skillwright::report
