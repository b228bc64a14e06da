#pragma once

#include <model/Build.h>

#include <gtest/gtest.h>

#include <BuildText.h>
#include <RandomPlay.h>
#include <algorithm>
#include <presentation/Presentation.h>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace skillwright::model::testing {

/// A build on an open class screen, driven the way a player drives it:
/// clicks, the skill menu's commands and undo. The expectations in the tests
/// are written from the game's rules, not from the model's code.
class Planner : public ::testing::Test {
protected:
    Build build;
    // What the screens show: the notice line, the status labels and the skill menu's quest entries.
    presentation::NoticeLine noticeLine;
    presentation::StatusLabels status;
    presentation::SkillMenuTexts menuTexts{build};
    FollowBuild follow{build, [this](const BuildChange& change) {
                           status.follow(change, build.state());
                           noticeLine.follow(change);
                       }};

    void open(ClassId c) { build.startCharacter(c); }
    void open(TreeId t) { build.startCharacter(tree(t).classId); }

    [[nodiscard]] const Character& screen() const { return *build.character(); }
    [[nodiscard]] std::vector<std::string> history() const {
        return skillwright::testing::historyTexts(build);
    }
    [[nodiscard]] int level() const { return build.characterLevel(); }
    [[nodiscard]] int points(TreeId t, int i) const { return screen().points(t, i); }
    [[nodiscard]] std::string lastEntry() const {
        return screen().history().empty() ? std::string() : formatEntry(screen().history().back());
    }
    [[nodiscard]] std::string notice() const {
        return noticeLine.visible() ? noticeLine.text() : std::string();
    }
    [[nodiscard]] const std::string& caption(Quest q) const { return menuTexts.caption(q); }

    /// The skill menu's commands on skill i of tree t.
    static SkillRef at(TreeId t, int i) { return {t, static_cast<std::int16_t>(i)}; }
    /// A right click: the skill the menu acts on, and what it offers then.
    SkillRef chosen{};
    QuestOffer offer{};
    void rightClick(TreeId t, int i) {
        chosen = at(t, i);
        offer = build.questOffer(chosen);
    }
    [[nodiscard]] bool offered(Quest q) const { return offer[q]; }
    void reserve(TreeId /*t*/) { build.reservePoint(); }
    void useReserve(TreeId t, int i) { build.useReservedPoint(at(t, i)); }
    void denOfEvil(TreeId t, int i) { build.takeQuestPoint(Quest::DenOfEvil, at(t, i)); }
    void bookOfSkill(TreeId t, int i) { build.takeQuestPoint(Quest::BookOfSkill, at(t, i)); }
    void izual(TreeId t, int i) { build.takeQuestPoint(Quest::Izual, at(t, i)); }
    PointResult click(TreeId t, int i) { return build.click(t, static_cast<std::int16_t>(i)); }

    /// Levels up by holding points in reserve until the character is at `target`.
    void reserveUntilLevel(TreeId t, int target) {
        while (level() < target) {
            reserve(t);
        }
    }

    /// The skills that must hold a point before skill i can, in tier order.
    static std::vector<int> prerequisiteClosure(TreeId t, int i) {
        std::set<int> seen;
        std::vector<int> stack{i};
        while (!stack.empty()) {
            const int s = stack.back();
            stack.pop_back();
            for (auto p : skill(t, s).prerequisites) {
                if (p >= 0 && seen.insert(p).second) {
                    stack.push_back(p);
                }
            }
        }
        std::vector<int> order(seen.begin(), seen.end());
        std::stable_sort(order.begin(), order.end(),
                         [t](int a, int b) { return skill(t, a).openingLevel < skill(t, b).openingLevel; });
        return order;
    }

    /// Gives every skill of `skills` its first point with an ordinary click as
    /// soon as its tier opens, holding the other level-ups in reserve.
    void learn(TreeId t, const std::vector<int>& skills) {
        for (int s : skills) {
            if (points(t, s) > 0) {
                continue;
            }
            reserveUntilLevel(t, skill(t, s).openingLevel - 1);
            click(t, s);
            ASSERT_EQ(points(t, s), 1) << skill(t, s).name << ": " << notice();
        }
    }
};

using skillwright::support::playAtRandom;

inline std::string requiredLevelText(int tier) {
    return "Not available yet, you must be character level " + std::to_string(tier) +
           " first (or just getting level " + std::to_string(tier) + ").";
}
inline const std::string kCapText =
    "Skill point cap is limited to 1 point per level the skill has been available.";
inline const std::string kTwentyText =
    "No more points may be added to this skill.  Maximum points are 20 per skill.";
inline const std::string kLevel99Text = "Character has reached maximum allowable level(99). ";
inline std::string prerequisiteText(std::string_view name) {
    return "Not available yet, you must have at least one skill point in " + std::string(name);
}

} // namespace skillwright::model::testing
