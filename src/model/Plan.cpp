#include "Plan.h"

#include <model/BuildState.h>
#include <model/PlainText.h>

namespace skillwright::model {

namespace {

/// The first control character of UTF-8 `text` that `allowed` does not let
/// through; a text that is not UTF-8 says so.
std::optional<std::string> controlProblem(std::string_view text, bool linesAllowed) {
    while (!text.empty()) {
        const std::optional<Utf8Character> c = leadingUtf8Character(text);
        if (!c) {
            return std::string("it is not UTF-8 text.");
        }
        // A name is one line read in its own direction: no control of the
        // text's direction either, which would turn the words around it.
        const bool direction = (c->code >= 0x202A && c->code <= 0x202E) ||
                               (c->code >= 0x2066 && c->code <= 0x2069) || c->code == 0x200E ||
                               c->code == 0x200F || c->code == 0x061C;
        if ((isControlCharacter(c->code) && !(linesAllowed && (c->code == '\n' || c->code == '\t'))) ||
            (direction && !linesAllowed)) {
            return std::string(linesAllowed ? "it holds a control character."
                                            : "it holds a control character or a line break.");
        }
        text.remove_prefix(c->length);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> noteProblem(std::string_view note) {
    if (note.size() > kMaxNoteBytes) {
        return "A note holds at most 64 KiB; this one holds " + std::to_string((note.size() + 1023) / 1024) +
               " KiB.";
    }
    if (auto why = controlProblem(note, true)) {
        return "This note cannot be kept: " + *why;
    }
    return std::nullopt;
}

std::optional<std::string> milestoneNameProblem(std::string_view name) {
    if (name.find_first_not_of(' ') == std::string_view::npos) {
        return std::string("A milestone needs a name.");
    }
    if (name.size() > kMaxMilestoneNameBytes) {
        return "A milestone's name holds at most " + std::to_string(kMaxMilestoneNameBytes) + " bytes.";
    }
    if (auto why = controlProblem(name, false)) {
        return "This name cannot be a milestone's: " + *why;
    }
    return std::nullopt;
}

std::optional<std::string> milestonesProblem(const std::vector<Milestone>& milestones, std::size_t entries) {
    for (std::size_t i = 0; i < milestones.size(); ++i) {
        const Milestone& m = milestones[i];
        if (auto why = milestoneNameProblem(m.name)) {
            return why;
        }
        if (m.entry >= entries) {
            return "The milestone \"" + m.name + "\" is on a point the plan does not hold.";
        }
        if (i > 0 && milestones[i - 1].entry >= m.entry) {
            return "The milestone \"" + m.name + "\" is on the same point as another, or out of order.";
        }
        if (auto why = noteProblem(m.note)) {
            return why;
        }
    }
    return std::nullopt;
}

std::optional<std::string> targetsProblem(const std::vector<Target>& targets, ClassId classId) {
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const Target& t = targets[i];
        if (tree(t.skill.tree).classId != classId || t.skill.index < 0 || t.skill.index >= kSkillsPerTree) {
            return "The " + std::string(classInfo(classId).name) + " has no such skill.";
        }
        const std::string name(skill(t.skill.tree, t.skill.index).name);
        if (t.points < 1 || t.points > kMaxSkillPoints) {
            return "A target of " + name + " is 1 to 20 points.";
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (targets[j].skill == t.skill) {
                return name + " has two targets.";
            }
        }
    }
    return std::nullopt;
}

const Milestone* milestoneAt(const std::vector<Milestone>& milestones, std::size_t entry) {
    const auto it = std::lower_bound(milestones.begin(), milestones.end(), entry,
                                     [](const Milestone& m, std::size_t e) { return m.entry < e; });
    return it != milestones.end() && it->entry == entry ? &*it : nullptr;
}

void followEntries(std::vector<Milestone>& milestones, const std::vector<std::size_t>& origins) {
    std::vector<Milestone> moved;
    for (std::size_t i = 0; i < origins.size(); ++i) {
        if (const Milestone* m = milestoneAt(milestones, origins[i])) {
            moved.push_back(*m);
            moved.back().entry = i;
        }
    }
    milestones = std::move(moved);
}

} // namespace skillwright::model
