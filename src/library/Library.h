#pragma once

#include <model/Catalogue.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The library of saved plans: every report in the report folder and its
/// subfolders, each read into one row. Plain C++ over the file system.
namespace skillwright::library {

/// The most reports a library lists, and the deepest folder it looks into:
/// beyond either a folder is not a library any more.
inline constexpr std::size_t kMostReports = 100000;
inline constexpr int kDeepestFolder = 8;

/// A report file found in the library: where it is and when it changed.
struct FoundReport {
    std::string path;          ///< absolute
    std::string folder;        ///< its folder, relative to the library's; empty at the top
    std::int64_t modified = 0; ///< seconds since the epoch
    std::uint64_t size = 0;
    friend bool operator==(const FoundReport&, const FoundReport&) = default;
};

/// The reports (*.txt files) in `root` and its subfolders, by path. Links are
/// not followed, so nothing outside the folder is listed; folders that
/// cannot be read are passed over. `folders`, when given, receives every
/// subfolder looked into, empty ones too, relative to `root` ("Season 2/Cold"),
/// in order.
[[nodiscard]] std::vector<FoundReport> findReports(const std::string& root,
                                                   std::vector<std::string>* folders = nullptr);

/// One report as the library lists it.
struct LibraryRow {
    FoundReport file;
    std::string name; ///< the plan's name, else the file's name without ".txt"
    std::optional<model::ClassId> classId;
    int level = 0;
    std::array<int, 3> treePoints{}; ///< by the tree's place on screen
    std::string
        topSkills; ///< the three skills with the most points, e.g. "Blizzard 20, Frozen Orb 20, Teeth 1"
    std::size_t milestones = 0;
    std::string noteLine; ///< the note's first line
    std::string refusal;  ///< why the report does not open as it is; empty when it does
    /// The name, skills and note in lower case, as the search reads them:
    /// made once when the row is read, not at every keystroke.
    std::string searchText;

    [[nodiscard]] bool opens() const { return refusal.empty(); }
};

/// Reads the report `found` into its row: bounded as opening is, never
/// waiting on a pipe; a file the opener refuses is a row with its reason.
[[nodiscard]] LibraryRow readRow(const FoundReport& found);
/// "20 / 1 / 45": the points of the three trees, left to right.
[[nodiscard]] std::string treePointsText(const LibraryRow& row);
/// Whether every word of `search` is found, in any case, in the row's name,
/// skills or note.
[[nodiscard]] bool matches(const LibraryRow& row, std::string_view search);

/// What a change of a report's file came to: the file it made, or why not
/// (the report stays as it was).
struct FileChange {
    std::string path;
    std::string error;
    [[nodiscard]] bool done() const { return error.empty(); }
};
/// A copy of the report beside it, named "<name> (copy)" in its first line
/// and its file name, never over another file.
[[nodiscard]] FileChange duplicateReport(const LibraryRow& row);
/// The report under `name`: its first line and its file name, the new file
/// written whole before the old one goes; never over another file.
[[nodiscard]] FileChange renameReport(const LibraryRow& row, const std::string& name);

/// The folder `folder` of the library at `root` ("Season 2/Cold"), made
/// where it is not there: each part of its name made a plain file name, no
/// link followed, so nothing leads out of the library. Its path, or why not.
[[nodiscard]] FileChange makeFolder(const std::string& root, const std::string& folder);

/// The report moved into the folder `folder` of the library at `root`
/// (made as makeFolder makes it; empty: the library's own), under its file
/// name, never over another file.
[[nodiscard]] FileChange moveReport(const LibraryRow& row, const std::string& root,
                                    const std::string& folder);

} // namespace skillwright::library
