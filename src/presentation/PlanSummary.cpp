#include "PlanSummary.h"

#include <model/Attributes.h>
#include <model/BuildState.h>

#include <algorithm>

namespace skillwright::presentation {

using model::EntryKind;
using model::Quest;

namespace {

constexpr std::size_t kQuests = model::kQuestRules.size();

bool sameRun(const LevelRun& run, const model::HistoryEntry& entry) {
    return run.kind == entry.kind && (entry.kind == EntryKind::ReservedForLater || run.skill == entry.skill);
}

} // namespace

PlanSummary summarize(const model::Plan& plan, std::size_t entries) {
    PlanSummary summary;
    summary.classId = plan.classId;
    summary.name = plan.name;
    summary.note = plan.note;
    const std::size_t count = std::min(entries, plan.history.size());

    // Per skill by the tree's place and index; the entry of its first point
    // orders skills of equal points.
    std::array<std::array<SkillSummary, model::kSkillsPerTree>, 3> bySkill{};
    std::array<std::array<std::size_t, model::kSkillsPerTree>, 3> firstEntry{};
    std::int16_t level = 1;
    for (std::size_t i = 0; i < count; ++i) {
        const model::HistoryEntry& entry = plan.history[i];
        if (model::raisesLevel(entry.kind)) {
            level = static_cast<std::int16_t>(level + 1);
        }
        if (entry.kind == EntryKind::ReservedForLater) {
            ++summary.reserve;
        } else {
            const model::Tree& tree = model::tree(entry.skill.tree);
            if (tree.classId != plan.classId || entry.skill.index < 0 ||
                entry.skill.index >= model::kSkillsPerTree) {
                continue;
            }
            const auto place = static_cast<std::size_t>(tree.position);
            const auto index = static_cast<std::size_t>(entry.skill.index);
            SkillSummary& skill = bySkill[place][index];
            skill.skill = entry.skill;
            skill.points = static_cast<std::int16_t>(skill.points + 1);
            skill.lastAt = level;
            if (skill.points == 1) {
                skill.firstAt = level;
                firstEntry[place][index] = i;
            } else if (skill.points == 10) {
                skill.tenAt = level;
            } else if (skill.points == model::kMaxSkillPoints) {
                skill.twentyAt = level;
            }
            ++summary.treePoints[place];
            if (entry.kind == EntryKind::ReservedSpent) {
                --summary.reserve;
            } else if (const model::QuestRule* rule = model::questRuleOf(entry.kind)) {
                ++summary.quests[static_cast<std::size_t>(rule->quest)].taken;
            }
        }
        if (!summary.levelOrder.empty() && sameRun(summary.levelOrder.back(), entry)) {
            LevelRun& run = summary.levelOrder.back();
            ++run.count;
            run.toLevel = level;
        } else {
            summary.levelOrder.push_back({entry.kind, entry.skill, level, level, 1});
        }
    }
    summary.level = level;
    if (!plan.attributes.empty()) {
        const model::CharacterFigures figures = model::figuresAt(plan.classId, plan.attributes, level);
        for (std::size_t a = 0; a < figures.attributes.size(); ++a) {
            summary.attributes += std::string(a == 0 ? "" : ", ") +
                                  std::string(model::attributeName(static_cast<model::Attribute>(a))) + " " +
                                  std::to_string(figures.attributes[a]);
        }
        summary.attributes += "; life " + std::to_string(figures.life) + ", mana " +
                              std::to_string(figures.mana) + ", stamina " + std::to_string(figures.stamina);
    }

    std::vector<std::pair<std::size_t, SkillSummary>> held;
    for (std::size_t place = 0; place < 3; ++place) {
        for (std::size_t index = 0; index < model::kSkillsPerTree; ++index) {
            if (bySkill[place][index].points > 0) {
                held.emplace_back(firstEntry[place][index], bySkill[place][index]);
            }
        }
    }
    std::sort(held.begin(), held.end(), [](const auto& a, const auto& b) {
        return a.second.points != b.second.points ? a.second.points > b.second.points : a.first < b.first;
    });
    summary.skills.reserve(held.size());
    for (const auto& [first, skill] : held) {
        summary.skills.push_back(skill);
    }

    for (std::size_t q = 0; q < kQuests; ++q) {
        const model::QuestRule& rule = model::kQuestRules[q];
        int due = 0;
        for (const std::int16_t from : rule.offeredFrom) {
            due += level >= from ? rule.pointsPerDifficulty : 0;
        }
        QuestSummary& quest = summary.quests[q];
        quest.quest = rule.quest;
        quest.open = static_cast<std::int16_t>(std::max(0, due - quest.taken));
    }

    std::int16_t milestoneLevel = 1;
    std::size_t walked = 0;
    for (const model::Milestone& milestone : plan.milestones) {
        if (milestone.entry >= count) {
            break;
        }
        for (; walked <= milestone.entry; ++walked) {
            milestoneLevel = static_cast<std::int16_t>(
                milestoneLevel + (model::raisesLevel(plan.history[walked].kind) ? 1 : 0));
        }
        summary.milestones.push_back({milestoneLevel, milestone.name});
    }
    return summary;
}

std::string skillLine(const SkillSummary& skill) {
    std::string line(model::skill(skill.skill.tree, skill.skill.index).name);
    const auto at = [&line](int points, int level, const char* separator) {
        line += separator;
        line += std::to_string(points);
        line += " at Clvl ";
        line += std::to_string(level);
    };
    at(1, skill.firstAt, ": ");
    if (skill.tenAt > 0) {
        at(10, skill.tenAt, ", ");
    }
    if (skill.twentyAt > 0) {
        at(20, skill.twentyAt, ", ");
    }
    if (skill.points != 1 && skill.points != 10 && skill.points != model::kMaxSkillPoints) {
        at(skill.points, skill.lastAt, ", ");
    }
    return line;
}

std::string_view questName(Quest quest) {
    switch (quest) {
    case Quest::DenOfEvil:
        return "Den of Evil";
    case Quest::BookOfSkill:
        return "Book of Skill";
    case Quest::Izual:
        return "Izual";
    }
    return {};
}

std::string runText(const LevelRun& run) {
    std::string text;
    const auto skillName = [&run] { return model::skill(run.skill.tree, run.skill.index).name; };
    if (model::raisesLevel(run.kind)) {
        text = std::to_string(run.fromLevel);
        if (run.toLevel != run.fromLevel) {
            text += '-';
            text += std::to_string(run.toLevel);
        }
        text += ' ';
        text += run.kind == EntryKind::ReservedForLater ? std::string_view("Reserved") : skillName();
        return text;
    }
    const model::QuestRule* rule = model::questRuleOf(run.kind);
    text = rule != nullptr ? questName(rule->quest) : std::string_view("From Reserve");
    text += ": ";
    if (run.count > 1) {
        text += std::to_string(run.count);
        text += ' ';
    }
    text += skillName();
    return text;
}

std::string levelOrderText(const std::vector<LevelRun>& runs) {
    std::string text;
    for (const LevelRun& run : runs) {
        if (!text.empty()) {
            text += ", ";
        }
        text += runText(run);
    }
    return text;
}

std::string questLine(const QuestSummary& quest) {
    return std::string(questName(quest.quest)) + ": " + std::to_string(quest.taken) + " taken, " +
           std::to_string(quest.open) + " open";
}

std::string treePointsText(const PlanSummary& summary) {
    std::string text;
    const model::ClassInfo& info = model::classInfo(summary.classId);
    for (std::size_t place = 0; place < 3; ++place) {
        text += place == 0 ? "" : ", ";
        text += model::tree(info.trees[place]).title;
        text += ' ';
        text += std::to_string(summary.treePoints[place]);
    }
    return text;
}

std::string headingText(const PlanSummary& summary) {
    std::string text = summary.name.empty() ? std::string() : summary.name + ", ";
    text += model::classInfo(summary.classId).name;
    text += ", level ";
    text += std::to_string(summary.level);
    return text;
}

std::string summaryText(const PlanSummary& summary) {
    std::string text = headingText(summary);
    text += "\nPoints per tree: ";
    text += treePointsText(summary);
    text += "\nSkills:";
    if (summary.skills.empty()) {
        text += " none yet";
    }
    for (const SkillSummary& skill : summary.skills) {
        text += "\n  ";
        text += skillLine(skill);
    }
    text += "\nQuest points: ";
    for (std::size_t q = 0; q < summary.quests.size(); ++q) {
        text += q == 0 ? "" : "; ";
        text += questLine(summary.quests[q]);
    }
    text += "\nReserve: ";
    text += std::to_string(summary.reserve);
    text += " unspent\nLevel order: ";
    text += summary.levelOrder.empty() ? "no point yet" : levelOrderText(summary.levelOrder);
    if (!summary.attributes.empty()) {
        text += "\nAttributes: ";
        text += summary.attributes;
    }
    if (!summary.milestones.empty()) {
        text += "\nMilestones:";
        for (const MilestoneSummary& milestone : summary.milestones) {
            text += "\n  Clvl ";
            text += std::to_string(milestone.level);
            text += ": ";
            text += milestone.name;
        }
    }
    if (!summary.note.empty()) {
        text += "\nNote:\n";
        text += summary.note;
    }
    if (text.back() != '\n') {
        text += '\n';
    }
    return text;
}

} // namespace skillwright::presentation
