#pragma once
// What opening a report promises, whatever its bytes: the reader says why a
// file is no report, a report that opens without a problem saves again to
// text that opens to the same character, and one written as SAVE writes
// (UTF-8, CR LF) saves to the same bytes. Shared by the report fuzzer and the
// test that runs its corpus.
#include <report/ReportReader.h>
#include <report/ReportText.h>

#include <optional>
#include <string>
#include <string_view>

namespace skillwright::testing {

/// Opens the text as the program does; the saved text when it opened clean.
/// `broken` is set when the reader breaks a promise.
inline std::optional<std::string> openAndSave(std::string_view bytes, bool& broken) {
    const report::ReportReading reading = report::parseReport(bytes);
    if (!reading.report) {
        broken = broken || reading.error.empty();
        return std::nullopt;
    }
    model::Build build;
    build.openScreen(reading.report->classId);
    if (report::replayReport(build, *reading.report)) {
        return std::nullopt;
    }
    const model::TreeScreen& screen = *build.screen();
    broken = broken || screen.history().size() != reading.report->entries.size();
    return report::buildReportText(reading.report->name, model::classInfo(screen.classId()).name,
                                   build.levelsGained(), screen.history());
}

inline bool writtenAsSaveWrites(std::string_view bytes) {
    if (report::asUtf8(bytes) != bytes) {
        return false;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) {
            return false;
        }
    }
    return true;
}

/// True when opening `bytes` keeps every promise.
inline bool reportKeepsItsPromises(std::string_view bytes) {
    bool broken = false;
    const std::optional<std::string> saved = openAndSave(bytes, broken);
    if (broken || !saved) {
        return !broken;
    }
    const std::optional<std::string> again = openAndSave(*saved, broken);
    if (broken || !again || *again != *saved) {
        return false; // what SAVE writes must open to itself
    }
    return !writtenAsSaveWrites(bytes) || *saved == bytes;
}

} // namespace skillwright::testing
