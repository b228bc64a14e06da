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

StatusLabels::StatusLabels(const Build& build) : m_build(build) {
    m_build.addListener(*this);
    if (m_build.characterLevel() > 1) {
        buildChanged(BuildChange(BuildChange::Kind::Replayed)); // as the plan was opened
    }
}

StatusLabels::~StatusLabels() {
    m_build.removeListener(*this);
}

std::string StatusLabels::levelLabel() const {
    if (m_build.character() != nullptr && m_form == Form::Created) {
        return "Level: 1";
    }
    return "Level " + std::to_string(m_build.characterLevel());
}

std::string StatusLabels::pointsLabel() const {
    const std::int16_t value = m_build.levelsGained();
    if (m_build.character() == nullptr || m_form != Form::Written) {
        return "Skill Points: " + std::to_string(value);
    }
    // The sign position is a blank for values that are not negative.
    std::string text = "Skill Points: ";
    text += value < 0 ? '-' : ' ';
    text += std::to_string(value < 0 ? -value : value);
    return text;
}

std::string StatusLabels::reserveLabel() const {
    return "Reserved Points: " + std::to_string(m_build.reservedPoints());
}

void StatusLabels::startAfresh(Form form) {
    m_form = form;
    std::fill(m_tierHighlighted.begin() + 1, m_tierHighlighted.end(), false);
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

void StatusLabels::buildChanged(const BuildChange& change) {
    using Kind = BuildChange::Kind;
    const bool levelUp = raisesLevel(change.entry.kind);
    switch (change.kind) {
    case Kind::CharacterStarted:
        startAfresh(Form::Created);
        m_level = m_build.characterLevel();
        return;
    case Kind::Reset:
        startAfresh(Form::Reset);
        m_level = m_build.characterLevel();
        return;
    case Kind::Replayed:
    case Kind::Restored:
        // A replay starts afresh and climbs one level at a time.
        startAfresh(m_build.characterLevel() > 1 ? Form::Written : Form::Created);
        for (int level = 2; level <= m_build.characterLevel(); ++level) {
            followLevel(level);
        }
        m_level = m_build.characterLevel();
        return;
    case Kind::PointTaken:
    case Kind::PointUndone:
        if (levelUp) {
            m_form = Form::Written;
        }
        break;
    case Kind::TakenBack:
        // As if taken back one entry at a time: every level passed on the way down counts.
        if (m_level != m_build.characterLevel()) {
            m_form = Form::Written;
        }
        for (int level = m_level - 1; level > m_build.characterLevel(); --level) {
            followLevel(level);
        }
        break;
    case Kind::PointRefused:
    case Kind::CharacterEnded:
        break;
    }
    followLevel(m_build.characterLevel());
    m_level = m_build.characterLevel();
}

// ------------------------------------------------------------ NoticeLine

NoticeLine::NoticeLine(const Build& build, std::function<void(bool)> runTimer)
    : m_build(build), m_runTimer(std::move(runTimer)) {
    m_build.addListener(*this);
}

NoticeLine::~NoticeLine() {
    m_build.removeListener(*this);
}

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

void NoticeLine::noticeShown(std::string_view text) {
    m_text = text;
    m_visible = true;
    // Every notice gets the full time from now.
    setTimerRunning(true);
}

void NoticeLine::noticeHidden() {
    setTimerRunning(false);
    m_visible = false;
}

void NoticeLine::characterEnded() {
    setTimerRunning(false);
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

void SkillMenuTexts::questCounterChanged(Quest quest, std::int16_t counter, QuestChange change) {
    const QuestRule& rule = questRule(quest);
    // Taking an Izual point back to none leaves its caption as it is.
    if (quest == Quest::Izual && change == QuestChange::GivenBack && counter < 1) {
        return;
    }
    // A counter at the limit leaves the Hell caption as it is.
    if (counter >= 0 && counter < rule.limit()) {
        const QuestCaptions& both = questCaptions(quest);
        const auto& captions = change == QuestChange::Taken ? both.taken : both.givenBack;
        m_captions[slot(quest)] = captions[rule.difficulty(counter)];
    }
}

void SkillMenuTexts::buildReset() {
    for (const QuestRule& rule : kQuestRules) {
        m_captions[slot(rule.quest)] = questCaptions(rule.quest).givenBack[0];
    }
}

std::string questCaption(Quest quest, std::int16_t counter) {
    const QuestRule& rule = questRule(quest);
    return std::string(questCaptions(quest).taken[rule.difficulty(counter)]);
}

} // namespace skillwright::presentation
