#include "AttributeTexts.h"

namespace skillwright::presentation {

int figure(const model::CharacterFigures& figures, std::size_t index) {
    switch (index) {
    case 4:
        return figures.life;
    case 5:
        return figures.mana;
    case 6:
        return figures.stamina;
    default:
        return figures.attributes.at(index);
    }
}

std::string targetCaption(const model::AttributeTarget& target) {
    return std::string(model::attributeName(target.attribute)) + " to " + std::to_string(target.value);
}

std::string figuresHeading(int level, bool lookingBack) {
    return "At level " + std::to_string(level) + (lookingBack ? ", looking back" : "");
}

std::string placingText(model::ClassId classId, const model::AttributePlan& plan, int level) {
    const auto shortOf = [&plan](const model::Shortfall& s) {
        return targetCaption(plan.targets[s.target]) +
               (s.points == 1 ? " is 1 point away" : " is " + std::to_string(s.points) + " points away");
    };
    const std::vector<model::Shortfall> never = model::shortfalls(classId, plan, model::kMaxCharacterLevel);
    if (!never.empty()) {
        return targetCaption(plan.targets[never.front().target]) + " cannot all be placed: it stays " +
               std::to_string(never.front().points) + " points short at level 99.";
    }
    const std::vector<model::Shortfall> now = model::shortfalls(classId, plan, level);
    if (now.empty()) {
        return "Every target met; the rest goes into " + std::string(model::attributeName(plan.rest)) + ".";
    }
    int met = level;
    while (!model::shortfalls(classId, plan, met).empty()) {
        ++met;
    }
    return shortOf(now.front()) + "; every target is met at level " + std::to_string(met) + ".";
}

} // namespace skillwright::presentation
