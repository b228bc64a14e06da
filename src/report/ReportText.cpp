#include "ReportText.h"

#include <model/Goals.h>

#include <algorithm>

namespace skillwright::report {

std::string reportText(const model::Plan& plan) {
    std::string out;
    out.reserve(256 + plan.name.size() + 48 * plan.history.size());
    const auto line = [&out](std::string_view text) {
        out += text;
        out += kLineEnd;
    };
    for (const ReportPart part : reportLayout(!plan.history.empty())) {
        switch (part) {
        case ReportPart::EmptyCharacter:
            line(kEmptyCharacterLine);
            break;
        case ReportPart::Blank:
            line("");
            break;
        case ReportPart::Name:
            line(plan.name);
            break;
        case ReportPart::ClassLine:
            out += kClassPrefix;
            line(model::classInfo(plan.classId).name);
            break;
        case ReportPart::LevelLine:
            out += kLevelPrefix;
            line(std::to_string(model::levelReached(plan)));
            break;
        case ReportPart::Rule:
            line(kRuleLine);
            break;
        case ReportPart::StartingLevel:
            line(kStartingLevelLine);
            break;
        case ReportPart::Entries:
            for (const model::HistoryEntry& entry : plan.history) {
                model::appendEntry(out, entry);
                out += kLineEnd;
            }
            break;
        }
    }
    if (plan.note.empty() && plan.milestones.empty() && plan.targets.empty() && plan.attributes.empty()) {
        return out;
    }
    // A note of n line ends is n + 1 lines, the last maybe empty; an empty note none.
    const auto noteLines = [&line](const std::string& note) {
        for (std::size_t start = 0; !note.empty();) {
            const std::size_t end = note.find('\n', start);
            line(std::string(kNoteIndent) + note.substr(start, end == std::string::npos ? end : end - start));
            if (end == std::string::npos) {
                break;
            }
            start = end + 1;
        }
    };
    line("");
    line(kNotesHeading);
    for (const model::Milestone& milestone : plan.milestones) {
        out += kMilestonePrefix;
        line(model::formatEntry(plan.history.at(milestone.entry)));
        out += kMilestoneNamePrefix;
        line(milestone.name);
        noteLines(milestone.note);
    }
    for (const model::Target& target : plan.targets) {
        out += kTargetPrefix;
        line(model::formatTarget(target));
    }
    if (!plan.note.empty()) {
        line(kNoteLine);
        noteLines(plan.note);
    }
    if (!plan.attributes.empty()) {
        const model::AttributePlan& attributes = plan.attributes;
        for (const model::AttributeTarget& target : attributes.targets) {
            out += kAttributeTargetPrefix;
            line(model::attributeTargetText(target));
        }
        out += kAttributeRestPrefix;
        line(model::attributeName(attributes.rest));
        for (const auto& [prefix, levels] : {std::pair{kTomePrefix, &attributes.tome},
                                             std::pair{kGoldenBirdPrefix, &attributes.goldenBird}}) {
            for (std::size_t d = 0; d < model::kDifficulties; ++d) {
                if ((*levels)[d] > 0) {
                    out += prefix;
                    out += model::kDifficultyNames[d];
                    out += ' ';
                    line(std::to_string((*levels)[d]));
                }
            }
        }
    }
    line(kRuleLine);
    return out;
}

} // namespace skillwright::report
