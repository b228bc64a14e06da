#pragma once
// Plans made the way a player makes them: through the rules of a Build, every
// point one the rules accepted.
#include <model/Build.h>
#include <model/Plan.h>

#include <algorithm>
#include <array>
#include <document/PlanDocument.h>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace skillwright::testing {

/// The plan of the build's open screen, under `name`.
inline model::Plan planOf(const model::Build& build, std::string name = {}) {
    const model::Character& screen = *build.character();
    return {screen.classId(), screen.history(), std::move(name)};
}

/// An attribute plan the class can have: up to four targets from its start
/// upwards, any rest, the quests in some difficulties (none, at times).
inline model::AttributePlan randomAttributes(model::ClassId classId, std::mt19937& random) {
    const auto pick = [&random](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(random);
    };
    model::AttributePlan plan;
    if (pick(0, 4) == 0) {
        return plan;
    }
    plan.rest = model::kAttributes[static_cast<std::size_t>(pick(0, 3))];
    for (int t = pick(0, 4); t > 0; --t) {
        const model::Attribute a = model::kAttributes[static_cast<std::size_t>(pick(0, 3))];
        plan.targets.push_back(
            {a, model::classFigures(classId).start[static_cast<std::size_t>(a)] + pick(0, 250)});
    }
    for (auto* quest : {&plan.tome, &plan.goldenBird}) {
        for (std::int16_t& level : *quest) {
            level = static_cast<std::int16_t>(pick(0, 2) == 0 ? 0 : pick(1, 99));
        }
        std::sort(quest->begin(), quest->end());
    }
    return plan;
}

/// One way of taking a point, on the skill at `place` (0..29: the tree's
/// place on the screen times ten plus the skill's index).
enum class Take { Click, Reserve, SpendReserve, DenOfEvil, BookOfSkill, Izual };

/// The rules a build or a plan document holds its plan to.
inline const model::Build& rulesOf(const model::Build& build) {
    return build;
}
inline const model::Build& rulesOf(const document::PlanDocument& document) {
    return document.build();
}

/// Takes the point if the rules and the skill menu allow it, through a build
/// or a plan document; true when taken.
template <typename Owner> bool take(Owner& build, Take how, int place) {
    using namespace model;
    const Build& rules = rulesOf(build);
    const TreeId tree = classInfo(rules.character()->classId()).trees[static_cast<std::size_t>(place / 10)];
    const auto index = static_cast<std::int16_t>(place % 10);
    if (how == Take::Click) {
        return build.click(tree, index).accepted();
    }
    const QuestOffer offer = rules.questOffer({tree, index});
    switch (how) {
    case Take::Reserve:
        return build.reservePoint().accepted();
    case Take::SpendReserve:
        return build.useReservedPoint({tree, index}).accepted();
    case Take::DenOfEvil:
        return offer[Quest::DenOfEvil] && build.takeQuestPoint(Quest::DenOfEvil, {tree, index}).accepted();
    case Take::BookOfSkill:
        return offer[Quest::BookOfSkill] &&
               build.takeQuestPoint(Quest::BookOfSkill, {tree, index}).accepted();
    case Take::Izual:
        return offer[Quest::Izual] && build.takeQuestPoint(Quest::Izual, {tree, index}).accepted();
    case Take::Click:
        break;
    }
    return false;
}

/// Takes the point in the first skill, in screen order, that accepts it.
template <typename Owner> bool takeAnywhere(Owner& build, Take how) {
    for (int place = 0; place < 30; ++place) {
        if (take(build, how, place)) {
            return true;
        }
    }
    return false;
}

/// A level-99 character of `classId` with all twelve quest points and
/// `reserves` points (at most 30) reserved for later and spent: 110 entries
/// and one for each reserved point.
inline model::Plan fullPlan(model::ClassId classId, std::string name, int reserves = 30) {
    model::Build build;
    build.startCharacter(classId);
    int reserved = 0;
    while (build.characterLevel() < model::kMaxLevel) {
        // Every third level-up is held in reserve and spent at the next one.
        if (reserved < reserves && build.levelsGained() % 3 == 0 && takeAnywhere(build, Take::Reserve)) {
            ++reserved;
            continue;
        }
        takeAnywhere(build, Take::Click);
        if (build.reservedPoints() > 0) {
            takeAnywhere(build, Take::SpendReserve);
        }
        for (Take quest : {Take::DenOfEvil, Take::BookOfSkill, Take::Izual}) {
            while (takeAnywhere(build, quest)) {
            }
        }
    }
    return planOf(build, std::move(name));
}

/// A random character: a random class, then random points of every kind in
/// random skills, as far as a random number of tries takes it.
inline model::Plan randomPlan(std::mt19937& random) {
    static const std::array<std::string, 6> kNames{"",         "Tal Rasha", "Åsa Öberg",
                                                   "炎の魔女", "x",         "🗡 Blood-Raven"};
    model::Build build;
    build.startCharacter(static_cast<model::ClassId>(random() % model::kClassCount));
    const unsigned tries = random() % 400;
    for (unsigned n = 0; n < tries; ++n) {
        const unsigned roll = random() % 100;
        const Take how = roll < 70   ? Take::Click
                         : roll < 80 ? Take::Reserve
                         : roll < 91 ? Take::SpendReserve
                                     : static_cast<Take>(static_cast<unsigned>(Take::DenOfEvil) + roll % 3);
        take(build, how, static_cast<int>(random() % 30));
    }
    return planOf(build, kNames[random() % kNames.size()]);
}

/// "Clvl 2 Reserved For Later " up to "Clvl `last` Reserved For Later ", then `more`.
inline std::vector<std::string> reservedUpTo(int last, std::vector<std::string> more = {}) {
    std::vector<std::string> texts;
    for (int level = 2; level <= last; ++level) {
        texts.push_back("Clvl " + std::to_string(level) + " Reserved For Later ");
    }
    texts.insert(texts.end(), more.begin(), more.end());
    return texts;
}

/// The entries that history texts of `classId` stand for; a text that is no
/// entry throws, naming it.
inline std::vector<model::HistoryEntry> entriesOf(model::ClassId classId,
                                                  const std::vector<std::string>& texts) {
    std::vector<model::HistoryEntry> entries;
    for (const std::string& text : texts) {
        const model::ParsedEntry parsed = model::parseEntry(text, classId);
        if (!parsed.entry) {
            throw std::invalid_argument(text + ": " + parsed.error);
        }
        entries.push_back(*parsed.entry);
    }
    return entries;
}

/// A plan's history as the list shows it.
inline std::vector<std::string> historyTexts(const model::Plan& plan) {
    std::vector<std::string> texts;
    for (const model::HistoryEntry& e : plan.history) {
        texts.push_back(model::formatEntry(e));
    }
    return texts;
}

} // namespace skillwright::testing
