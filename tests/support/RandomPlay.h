#pragma once

#include <model/Build.h>

#include <random>

namespace skillwright::support {

/// Plays a class at random: clicks, the reserve both ways, quest points of
/// every kind and undo, each at random, until the character reaches `level`.
/// Quest points are taken as the skill menu offers them.
inline void playAtRandom(model::Build& build, model::ClassId classId, int level, std::mt19937& random) {
    build.startCharacter(classId);
    const auto trees = model::classInfo(classId).trees;
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int step = 0; step < 2000 && build.characterLevel() < level; ++step) {
        const model::TreeId tree = trees[static_cast<std::size_t>(pick(3))];
        const auto index = static_cast<std::int16_t>(pick(10));
        const model::QuestOffer offer = build.questOffer({tree, index});
        switch (pick(12)) {
        case 0:
            build.reservePoint();
            break;
        case 1:
            build.useReservedPoint({tree, index});
            break;
        case 2:
            if (offer[model::Quest::DenOfEvil]) {
                build.takeQuestPoint(model::Quest::DenOfEvil, {tree, index});
            }
            break;
        case 3:
            if (offer[model::Quest::BookOfSkill]) {
                build.takeQuestPoint(model::Quest::BookOfSkill, {tree, index});
            }
            break;
        case 4:
            if (offer[model::Quest::Izual]) {
                build.takeQuestPoint(model::Quest::Izual, {tree, index});
            }
            break;
        case 5:
            build.undoLast();
            break;
        default:
            build.click(tree, index);
            break;
        }
    }
}

} // namespace skillwright::support
