#pragma once
// What opening a report promises, whatever its bytes: the reader says why a
// file is no report, a report that opens without a problem saves again to
// text that opens to the same character, and one written as SAVE writes
// (UTF-8, CR LF) saves to the same bytes, its note, milestones, targets and
// attribute plan too. Shared by the report fuzzer and the test that runs its
// corpus.
#include <model/Attributes.h>
#include <model/Build.h>
#include <report/ReportReader.h>
#include <report/ReportText.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace skillwright::testing {

/// Opens the text as the program does; the saved text when it opened clean.
/// `broken` is set when the reader breaks a promise, or when a stopped
/// replay leaves anything but exactly the entries before the one it names.
inline std::optional<std::string> openAndSave(std::string_view bytes, bool& broken) {
    const report::ReportReading reading = report::parseReport(bytes);
    if (!reading.report) {
        broken = broken || reading.error.empty();
        return std::nullopt;
    }
    const model::Plan& plan = reading.report->plan;
    model::Build build;
    const std::optional<model::ReplayStop> stop = build.replay(plan);
    const std::size_t kept = stop ? stop->entry : plan.history.size();
    // The note and the milestones on the points the rules took, the targets
    // and the attribute plan, as the plan on screen keeps them.
    model::Plan opened = build.plan();
    opened.note = plan.note;
    std::copy_if(plan.milestones.begin(), plan.milestones.end(), std::back_inserter(opened.milestones),
                 [kept](const model::Milestone& m) { return m.entry < kept; });
    opened.targets = plan.targets;
    opened.attributes = plan.attributes;
    broken = broken || model::milestonesProblem(opened.milestones, kept).has_value() ||
             model::noteProblem(opened.note).has_value() ||
             model::targetsProblem(opened.targets, opened.classId).has_value() ||
             model::attributePlanProblem(opened.attributes, opened.classId).has_value() ||
             kept > plan.history.size() || opened.history.size() != kept ||
             !std::equal(opened.history.begin(), opened.history.end(), plan.history.begin()) ||
             (stop && stop->reason.empty()) || build.characterLevel() != model::levelReached(opened);
    if (report::openingProblem(*reading.report, stop, build.characterLevel())) {
        return std::nullopt;
    }
    return report::reportText(opened);
}

inline bool writtenAsSaveWrites(std::string_view bytes) {
    // SAVE writes no byte-order mark; the reader passes over one.
    if (bytes.starts_with("\xEF\xBB\xBF") || report::asUtf8(bytes) != bytes) {
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
