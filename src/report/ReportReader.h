#pragma once

#include <model/Build.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skillwright::report {

/// Reports are small: a level-99 character with every quest is under 5 KiB.
inline constexpr std::size_t kMaxReportBytes = 1u << 20;
/// No line of a report is longer: an entry is under 60 bytes, a name under a
/// file name's 255, and a longer line only slows the reading down.
inline constexpr std::size_t kMaxLineBytes = 4096;

/// One history entry of a report, with the number of its line (from 1).
struct ReportLine {
    int number = 0;
    std::string text;
};

/// A report's header and entries as they stand in the file.
struct Report {
    std::string name; ///< UTF-8
    model::ClassId classId = model::ClassId::Necromancer;
    int level = 1;     ///< what the "Level: " line says
    int levelLine = 0; ///< the number of that line
    std::vector<ReportLine> entries;
};

/// What reading a report came to: the report, or why the file is none.
struct ReportReading {
    std::optional<Report> report;
    std::string error;
};

/// Reads the bytes of a regular file of at most kMaxReportBytes; otherwise
/// says why not in a sentence: a folder, a pipe, a device, a file too large
/// or one that cannot be read. Never waits on a pipe.
std::optional<std::string> readReportBytes(const std::string& path, std::string& bytes);

/// Reads a report in the form SAVE writes (CR LF or LF line ends). The name
/// is UTF-8; a file that is not valid UTF-8 is read as Latin-1.
ReportReading parseReport(std::string_view bytes);

/// Reads the file at `path` as a report.
ReportReading readReport(const std::string& path);

/// Replays the report's entries into `build`, whose screen of the report's
/// class is open and empty, one operation per entry in order, every rule
/// checked again. Stops at the first entry that does not parse, that a rule
/// refuses or that the build records differently, leaving the entries before
/// it in place; then, or when the level reached is not the report's, the
/// problem as the player reads it: the line's number and text, and why.
std::optional<std::string> replayReport(model::Build& build, const Report& report);

/// Text as UTF-8: valid UTF-8 as it is, anything else read as Latin-1.
std::string asUtf8(std::string_view bytes);

} // namespace skillwright::report
