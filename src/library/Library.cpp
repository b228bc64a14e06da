#include "Library.h"

#include <model/BuildState.h>
#include <report/ReportReader.h>
#include <report/ReportText.h>
#include <report/SaveBuildReport.h>
#include <toolkit/AtomicFile.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace skillwright::library {

namespace fs = std::filesystem;

namespace {

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

} // namespace

std::vector<FoundReport> findReports(const std::string& root, std::vector<std::string>* folders) {
    std::vector<FoundReport> found;
    std::error_code error;
    // Links are not followed, to folders or to files: what a link leads to
    // may lie anywhere.
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::recursive_directory_iterator() && found.size() < kMostReports;
         it.increment(error)) {
        const fs::directory_entry& entry = *it;
        if (it.depth() >= kDeepestFolder) {
            it.disable_recursion_pending();
        }
        std::error_code statError;
        const fs::file_status status = entry.symlink_status(statError);
        if (folders != nullptr && !statError && fs::is_directory(status)) {
            folders->push_back(entry.path().lexically_relative(root).string());
        }
        if (statError || !fs::is_regular_file(status) || entry.path().extension() != ".txt") {
            continue;
        }
        FoundReport report;
        report.path = entry.path().string();
        report.folder = entry.path().parent_path().lexically_relative(root).string();
        if (report.folder == ".") {
            report.folder.clear();
        }
        const auto time = entry.last_write_time(statError);
        report.modified = statError ? 0
                                    : std::chrono::duration_cast<std::chrono::seconds>(
                                          std::chrono::file_clock::to_sys(time).time_since_epoch())
                                          .count();
        report.size = entry.file_size(statError);
        found.push_back(std::move(report));
    }
    std::sort(found.begin(), found.end(),
              [](const FoundReport& a, const FoundReport& b) { return a.path < b.path; });
    if (folders != nullptr) {
        std::sort(folders->begin(), folders->end());
    }
    return found;
}

namespace {

/// The row of `found` but for its search text.
LibraryRow rowOf(const FoundReport& found) {
    LibraryRow row;
    row.file = found;
    row.name = fs::path(found.path).stem().string();
    std::string bytes;
    if (auto why = report::readReportBytes(found.path, bytes)) {
        row.refusal = *why;
        return row;
    }
    const report::ReportReading reading = report::parseReport(bytes);
    if (!reading.report) {
        row.refusal = reading.error;
        return row;
    }
    const report::Report& read = *reading.report;
    const model::StateReplay replay = model::replayPlan(read.plan);
    if (!read.plan.name.empty()) {
        row.name = read.plan.name;
    }
    row.classId = read.plan.classId;
    row.level = replay.state.characterLevel();
    struct Held {
        int points;
        model::SkillRef skill;
    };
    std::vector<Held> held;
    for (const model::TreeId tree : model::classInfo(read.plan.classId).trees) {
        const auto place = static_cast<std::size_t>(model::tree(tree).position);
        for (std::int16_t i = 0; i < model::kSkillsPerTree; ++i) {
            const int points = replay.state.pointsOf({tree, i});
            row.treePoints[place] += points;
            if (points > 0) {
                held.push_back({points, {tree, i}});
            }
        }
    }
    std::stable_sort(held.begin(), held.end(),
                     [](const Held& a, const Held& b) { return a.points > b.points; });
    for (std::size_t i = 0; i < held.size() && i < 3; ++i) {
        row.topSkills += (i == 0 ? "" : ", ") +
                         std::string(model::skill(held[i].skill.tree, held[i].skill.index).name) + " " +
                         std::to_string(held[i].points);
    }
    row.milestones = read.plan.milestones.size();
    row.noteLine = read.plan.note.substr(0, read.plan.note.find('\n'));
    if (auto problem = report::openingProblem(read, replay.stop, row.level)) {
        row.refusal = *problem;
    }
    return row;
}

} // namespace

LibraryRow readRow(const FoundReport& found) {
    LibraryRow row = rowOf(found);
    row.searchText = lowered(row.name + "\n" + row.topSkills + "\n" + row.noteLine);
    return row;
}

std::string treePointsText(const LibraryRow& row) {
    return std::to_string(row.treePoints[0]) + " / " + std::to_string(row.treePoints[1]) + " / " +
           std::to_string(row.treePoints[2]);
}

bool matches(const LibraryRow& row, std::string_view search) {
    const std::string& haystack = row.searchText;
    const std::string words = lowered(search);
    for (std::size_t start = 0; start < words.size();) {
        const std::size_t end = std::min(words.find(' ', start), words.size());
        if (end > start && haystack.find(words.substr(start, end - start)) == std::string::npos) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

namespace {

/// Writes the report of `row` under `name` as a new file beside it, taking
/// the first free file name from the name ("Tal.txt", "Tal 2.txt", ...).
FileChange writeNamed(const LibraryRow& row, const std::string& name) {
    if (auto why = model::milestoneNameProblem(name)) {
        return {{}, "This name cannot be a plan's: it is empty, too long or holds a control character."};
    }
    std::string bytes;
    if (auto why = report::readReportBytes(row.file.path, bytes)) {
        return {{}, *why};
    }
    report::ReportReading reading = report::parseReport(bytes);
    if (!row.opens() || !reading.report) {
        return {{}, "Only a report that opens can be copied or renamed."};
    }
    // A report that opens whole is what SAVE writes of its plan.
    model::Plan plan = std::move(reading.report->plan);
    plan.name = name;
    bytes = report::reportText(plan);
    const fs::path folder = fs::path(row.file.path).parent_path();
    const std::string plain = report::plainFileName(name);
    for (int n = 1; n < 1000; ++n) {
        // Built up in place: GCC 12 at -O3 warns wrongly about `" " + std::to_string(n)`.
        std::string file = plain;
        if (n > 1) {
            file += ' ';
            file += std::to_string(n);
        }
        const fs::path path = folder / (file + ".txt");
        toolkit::AtomicWrite how;
        how.existing = toolkit::Existing::Keep;
        const auto error = toolkit::writeAtomically(path.string(), bytes, how);
        if (!error) {
            return {path.string(), {}};
        }
        if (error->number != EEXIST) {
            return {{}, "The report could not be written: " + error->description};
        }
    }
    return {{}, "Every file name for this name is taken."};
}

} // namespace

FileChange duplicateReport(const LibraryRow& row) {
    return writeNamed(row, row.name + " (copy)");
}

FileChange renameReport(const LibraryRow& row, const std::string& name) {
    FileChange change = writeNamed(row, name);
    if (change.done()) {
        std::error_code error;
        fs::remove(row.file.path, error);
        if (error) {
            fs::remove(change.path, error); // the old one stays, as it was
            return {{}, "The report could not be renamed: its old file cannot be removed."};
        }
    }
    return change;
}

FileChange makeFolder(const std::string& root, const std::string& folder) {
    // Each part of the name made plain, each folder on the way a real one:
    // nothing leads out.
    fs::path into(root);
    std::error_code error;
    int depth = 0;
    for (const fs::path& part : fs::path(folder)) {
        const std::string name = part.string();
        if (name.find_first_not_of(' ') == std::string::npos || ++depth > kDeepestFolder) {
            continue;
        }
        into /= report::plainFileName(name);
        fs::create_directory(into, error);
        if (error) {
            return {{}, "The folder cannot be made: " + error.message() + "."};
        }
        if (!fs::is_directory(fs::symlink_status(into, error))) {
            return {{}, "The folder is a link; the library does not follow links."};
        }
    }
    return {into.string(), {}};
}

FileChange moveReport(const LibraryRow& row, const std::string& root, const std::string& folder) {
    if (!row.opens()) {
        return {{}, "A report that does not open stays as it is."};
    }
    const FileChange made = makeFolder(root, folder);
    if (!made.done()) {
        return made;
    }
    const fs::path into(made.path);
    const fs::path to = into / fs::path(row.file.path).filename();
    if (fs::path(row.file.path).parent_path() == into) {
        return {{}, "The report is in that folder."};
    }
    // A hard link fails where a file has the name; only then does the old name go.
    if (::link(row.file.path.c_str(), to.c_str()) != 0) {
        return {{},
                errno == EEXIST ? "That folder has a report of this name."
                                : "The report could not be moved."};
    }
    ::unlink(row.file.path.c_str());
    return {to.string(), {}};
}

} // namespace skillwright::library
