#include "Presentation.h"

#include <model/Quests.h>

#include <algorithm>

namespace skillwright::presentation {

using namespace model;

namespace {

std::size_t slot(Quest quest) {
    return static_cast<std::size_t>(quest);
}

} // namespace

// ---------------------------------------------------------- StatusLabels

StatusLabels::StatusLabels(const BuildState& state) {
    climbTo(state); // as the plan was opened
}

std::string StatusLabels::levelLabel() const {
    if (m_form == Form::Created) {
        return "Level: 1";
    }
    return "Level " + std::to_string(m_state.characterLevel());
}

std::string StatusLabels::pointsLabel() const {
    const std::int16_t value = m_state.levelsGained;
    if (m_form != Form::Written) {
        return "Skill Points: " + std::to_string(value);
    }
    // The sign position is a blank for values that are not negative.
    std::string text = "Skill Points: ";
    text += value < 0 ? '-' : ' ';
    text += std::to_string(value < 0 ? -value : value);
    return text;
}

std::string StatusLabels::reserveLabel() const {
    return "Reserved Points: " + std::to_string(m_state.reservedPoints);
}

void StatusLabels::startAfresh(Form form) {
    m_form = form;
    std::fill(m_tierHighlighted.begin() + 1, m_tierHighlighted.end(), false);
}

void StatusLabels::climbTo(const BuildState& now) {
    // A plan taken whole starts afresh and climbs one level at a time.
    startAfresh(now.characterLevel() > 1 ? Form::Written : Form::Created);
    for (int level = 2; level <= now.characterLevel(); ++level) {
        followLevel(level);
    }
    m_state = now;
}

void StatusLabels::followLevel(int level) {
    // Each tier label turns gold the level before its tier opens to an
    // ordinary point, and the later ones white; below level 5 all but the
    // first are white. A level taken back leaves the colours as they are.
    for (int row = 1; row < kTierCount; ++row) {
        if (level == kTierOpeningLevels[static_cast<std::size_t>(row)] - 1) {
            m_tierHighlighted[static_cast<std::size_t>(row)] = true;
            std::fill(m_tierHighlighted.begin() + row + 1, m_tierHighlighted.end(), false);
        }
    }
    if (level < 5) {
        std::fill(m_tierHighlighted.begin() + 1, m_tierHighlighted.end(), false);
    }
}

void StatusLabels::follow(const BuildChange& change, const BuildState& now) {
    using Kind = BuildChange::Kind;
    switch (change.kind) {
    case Kind::CharacterStarted:
        startAfresh(Form::Created);
        m_state = now;
        return;
    case Kind::Reset:
        startAfresh(Form::Reset);
        m_state = now;
        return;
    case Kind::Replayed:
    case Kind::Restored:
        climbTo(now);
        return;
    case Kind::PointTaken:
    case Kind::PointUndone:
        if (raisesLevel(change.entry.kind)) {
            m_form = Form::Written;
        }
        break;
    case Kind::TakenBack:
        // As if taken back one entry at a time: every level passed on the way down counts.
        if (m_state.characterLevel() != now.characterLevel()) {
            m_form = Form::Written;
        }
        for (int level = m_state.characterLevel() - 1; level > now.characterLevel(); --level) {
            followLevel(level);
        }
        break;
    case Kind::PointRefused:
    case Kind::CharacterEnded:
        break;
    }
    followLevel(now.characterLevel());
    m_state = now;
}

// ------------------------------------------------------------ NoticeLine

NoticeLine::NoticeLine(std::function<void(bool)> runTimer) : m_runTimer(std::move(runTimer)) {}

void NoticeLine::setTimerRunning(bool running) {
    m_timerRunning = running;
    if (m_runTimer) {
        m_runTimer(running);
    }
}

void NoticeLine::expire() {
    setTimerRunning(false);
    m_visible = false;
}

void NoticeLine::show(std::string text) {
    m_text = std::move(text);
    m_visible = true;
    // Every notice gets the full time from now.
    setTimerRunning(true);
}

void NoticeLine::follow(const BuildChange& change) {
    if (change.kind == BuildChange::Kind::CharacterEnded) {
        setTimerRunning(false);
        return;
    }
    if (!change.notice) {
        return;
    }
    if (change.notice->shown) {
        show(change.notice->text);
    } else {
        expire();
    }
}

// -------------------------------------------------------- SkillMenuTexts

SkillMenuTexts::SkillMenuTexts(const Build& build)
    : m_build(build), m_captions{std::string(questCaptions(Quest::DenOfEvil).taken[0]),
                                 std::string(questCaptions(Quest::BookOfSkill).taken[0]),
                                 std::string(questCaptions(Quest::Izual).taken[0])} {
    m_build.addListener(*this);
}

SkillMenuTexts::~SkillMenuTexts() {
    m_build.removeListener(*this);
}

const std::string& SkillMenuTexts::caption(Quest quest) const {
    return m_captions[slot(quest)];
}

void SkillMenuTexts::restoreNormalCaptions() {
    m_captions[slot(Quest::BookOfSkill)] = questCaptions(Quest::BookOfSkill).givenBack[0];
    m_captions[slot(Quest::DenOfEvil)] = questCaptions(Quest::DenOfEvil).givenBack[0];
}

void SkillMenuTexts::buildChanged(const BuildChange& change) {
    for (const QuestMove& move : change.questMoves) {
        follow(move);
    }
}

void SkillMenuTexts::follow(const QuestMove& move) {
    const Quest quest = move.quest;
    const QuestCaptions& both = questCaptions(quest);
    if (move.change == QuestChange::Cleared) {
        m_captions[slot(quest)] = both.givenBack[0];
        return;
    }
    // Taking an Izual point back to none leaves its caption as it is.
    if (quest == Quest::Izual && move.change == QuestChange::GivenBack && move.counter < 1) {
        return;
    }
    // A counter at the limit leaves the Hell caption as it is.
    const QuestRule& rule = questRule(quest);
    if (move.counter >= 0 && move.counter < rule.limit()) {
        const auto& captions = move.change == QuestChange::Taken ? both.taken : both.givenBack;
        m_captions[slot(quest)] = captions[rule.difficulty(move.counter)];
    }
}

std::string questCaption(Quest quest, std::int16_t counter) {
    const QuestRule& rule = questRule(quest);
    return std::string(questCaptions(quest).taken[rule.difficulty(counter)]);
}

std::string targetMark(std::int16_t points) {
    return "\u2192" + std::to_string(points);
}

std::string targetFillNotice(const model::TargetFill& fill, const std::vector<model::Target>& targets) {
    if (!fill.accepted()) {
        return fill.why;
    }
    // One line of the notice holds about 150 characters; the targets window
    // tells what does not fit.
    constexpr std::size_t kMostCharacters = 150;
    constexpr std::string_view kRest = "; Targets (Ctrl+Shift+G) lists the rest.";
    const std::int16_t last = *std::max_element(fill.metAt.begin(), fill.metAt.end());
    std::string told = "All targets met by level " + std::to_string(last) + ": ";
    std::size_t fits = 0; // the length of the text that still leaves room for kRest
    for (std::size_t i = 0; i < targets.size() && i < fill.metAt.size(); ++i) {
        told += (i == 0 ? "" : ", ") + model::formatTarget(targets[i]) +
                (fill.metAt[i] == 0 ? " before" : " at " + std::to_string(fill.metAt[i]));
        fits = told.size() + kRest.size() <= kMostCharacters ? told.size() : fits;
    }
    return told.size() + 1 <= kMostCharacters ? told + "." : told.substr(0, fits) + std::string(kRest);
}

std::vector<std::int16_t> targetsMetAt(const model::Plan& plan) {
    std::vector<std::int16_t> metAt(plan.targets.size(), 0);
    std::int16_t level = 1;
    for (const model::HistoryEntry& entry : plan.history) {
        level = entry.characterLevel != 0 ? entry.characterLevel : level;
        for (std::size_t i = 0; i < plan.targets.size(); ++i) {
            if (metAt[i] == 0 && entry.hasSkill() && entry.skill == plan.targets[i].skill &&
                entry.skillPoints >= plan.targets[i].points) {
                metAt[i] = level;
            }
        }
    }
    return metAt;
}

} // namespace skillwright::presentation
