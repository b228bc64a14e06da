#include "ReportText.h"

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
    return out;
}

} // namespace skillwright::report
