#include "SaveBuildReport.h"

#include "ReportText.h"

#include <model/Build.h>
#include <model/PlainText.h>
#include <toolkit/AtomicFile.h>
#include <toolkit/ShownText.h>
#include <toolkit/Toolkit.h>

#include <filesystem>
#include <sys/stat.h>

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

/// Characters that would break a name's line or reorder what stands around it.
bool breaksOrReorders(char32_t code) {
    return code == 0x061C || code == 0x200E || code == 0x200F || (code >= 0x2028 && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069);
}

/// The length of the control character at `i` in `text`, or of one that
/// breaks or reorders a line; 0 for any other.
std::size_t controlLength(std::string_view text, std::size_t i) {
    const auto character = model::leadingUtf8Character(text.substr(i));
    return character && (model::isControlCharacter(character->code) || breaksOrReorders(character->code))
               ? character->length
               : 0;
}

/// What a failed save adds to the platform's error.
constexpr std::string_view kNotSaved = "The report was not saved; the plan is still on screen.";
/// The most characters of a file name a question shows.
constexpr std::size_t kFileNameShown = 60;

/// Whether the report at `path` may be written: no file has its name, it is
/// the plan's own report, or the player says another may be replaced.
bool mayWriteOver(toolkit::Toolkit& toolkit, const std::string& path, const std::string& ownReport) {
    struct stat there {};
    if (::lstat(path.c_str(), &there) != 0) {
        return true;
    }
    struct stat own {};
    if (!ownReport.empty() && ::stat(ownReport.c_str(), &own) == 0 && ::stat(path.c_str(), &there) == 0 &&
        own.st_dev == there.st_dev && own.st_ino == there.st_ino) {
        return true;
    }
    const std::string file = std::filesystem::path(path).filename().string();
    return toolkit.messageBox("A report \"" + toolkit::quotedText(file, kFileNameShown) +
                                  "\" is already there, not saved from this plan. Replace it?",
                              "", toolkit::Icon::None,
                              toolkit::Buttons::YesNoDefaultNo) == toolkit::Answer::Yes;
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
            i += control > 1 ? control - 1 : 0; // every byte of the character
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

std::optional<ReportName> saveBuildReport(const model::Plan& plan, toolkit::Toolkit& toolkit,
                                          const ReportName& offered, const std::string& ownReport,
                                          const std::function<void(bool)>& setHistoryVisible) {
    std::string answer = offered.file;
    for (;;) {
        const std::string typed =
            toolkit.inputBox("What is the name of this character?", "Character Name", answer);
        if (typed.empty()) {
            return std::nullopt; // Cancel saves nothing: the plan stays unsaved.
        }
        // The offer taken as it stands keeps the character's name as it was.
        const ReportName name = typed == offered.file ? offered : ReportName{typed, typed};
        // A typed name is used exactly as typed: no character is removed or replaced.
        const std::string folder = toolkit.reportFolder();
        const std::string path = reportPath(folder, name.file);
        if (mayWriteOver(toolkit, path, ownReport)) {
            const HiddenHistory hidden(setHistoryVisible);
            model::Plan named = plan;
            named.name = name.character;
            auto failure = toolkit::makeFolder(folder);
            if (!failure) {
                failure = toolkit::writeWholeFile(path, reportText(named));
            }
            if (failure) {
                toolkit.messageBox(std::to_string(failure->number) + "\r\n" + failure->description + "\r\n" +
                                       std::string(kNotSaved),
                                   "", toolkit::Icon::None, toolkit::Buttons::Ok);
                return std::nullopt;
            }
            return name;
        }
        answer = typed;
    }
}

} // namespace skillwright::report
