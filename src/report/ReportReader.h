#pragma once

#include <model/Plan.h>

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

/// A report as read: the plan its lines hold, and what its header says
/// beside it, to check the replay against and to tell problems by line.
struct Report {
    model::Plan plan;       ///< the class, the entries and the name (UTF-8)
    int level = 1;          ///< what the "Level: " line says
    int levelLine = 0;      ///< the number of that line (from 1)
    int firstEntryLine = 0; ///< the number of the line of the plan's first entry
    /// The first entry line that holds no entry, told as the player reads it;
    /// the plan holds the entries above it.
    std::optional<std::string> unreadLine;
    /// The first line of the block of notes and milestones that is not as
    /// SAVE writes it, told as the player reads it; the plan then holds
    /// neither a note, milestones nor an attribute plan.
    std::optional<std::string> unreadBlock;
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

/// Reads a report in the form SAVE writes (CR LF or LF line ends), with its
/// block of notes and milestones if it has one. The name is UTF-8; a file
/// that is not valid UTF-8 is read as Latin-1.
ReportReading parseReport(std::string_view bytes);

/// Reads the file at `path` as a report.
ReportReading readReport(const std::string& path);

/// What went wrong in opening the report, as the player reads it, once its
/// plan has been replayed into a build that reached `levelReached`: the
/// entry the replay stopped at, else the line that holds no entry, else a
/// level line that is not the level reached, else the block of notes and
/// milestones that could not be read; each with the line's number and
/// text ("Line 9: ..." CR LF and the reason). Nothing when all is well.
std::optional<std::string> openingProblem(const Report& report, const std::optional<model::ReplayStop>& stop,
                                          int levelReached);

/// Text as UTF-8: valid UTF-8 as it is, anything else read as Latin-1.
std::string asUtf8(std::string_view bytes);

} // namespace skillwright::report
