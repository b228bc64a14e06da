#include "Presentation.h"

#include <algorithm>

namespace skillwright::model {

namespace {

// Captions of the quest entries by counter value; an empty text leaves the
// caption as it is. Book of Skill has two spellings: the quest command writes
// "Of", everything that takes a point back writes "of".
using CaptionTable = std::array<std::string_view, 7>;
constexpr CaptionTable kDenOfEvilCaptions{
    "&Den Of Evil (Normal)", "&Den Of Evil (Nightmare)", "&Den Of Evil (Hell)", "", "", "", ""};
constexpr CaptionTable kBookOfSkillTakenCaptions{
    "&Book Of Skill (Normal)", "&Book Of Skill (Nightmare)", "&Book Of Skill (Hell)", "", "", "", ""};
constexpr CaptionTable kBookOfSkillGivenBackCaptions{
    "&Book of Skill (Normal)", "&Book of Skill (Nightmare)", "&Book of Skill (Hell)", "", "", "", ""};
constexpr CaptionTable kIzualCaptions{"&Death of Izual (Normal)",
                                      "&Death of Izual (Normal)",
                                      "&Death of Izual (Nightmare)",
                                      "&Death of Izual (Nightmare)",
                                      "&Death of Izual (Hell)",
                                      "&Death of Izual (Hell)",
                                      ""};

std::size_t slot(Quest quest) {
    return static_cast<std::size_t>(quest);
}

} // namespace

// ---------------------------------------------------------- StatusLabels

StatusLabels::StatusLabels(Build& build) : m_build(build) {
    m_build.addListener(*this);
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
    const bool levelUp =
        change.entry.kind == EntryKind::Ordinary || change.entry.kind == EntryKind::ReservedForLater;
    switch (change.kind) {
    case Kind::ScreenOpened:
        startAfresh(Form::Created);
        return;
    case Kind::Reset:
        startAfresh(Form::Reset);
        return;
    case Kind::Replayed:
        // A replay starts afresh and climbs one level at a time.
        startAfresh(m_build.characterLevel() > 1 ? Form::Written : Form::Created);
        for (int level = 2; level <= m_build.characterLevel(); ++level) {
            followLevel(level);
        }
        return;
    case Kind::PointTaken:
    case Kind::PointUndone:
        if (levelUp) {
            m_form = Form::Written;
        }
        break;
    case Kind::PointRefused:
    case Kind::ScreenClosed:
    case Kind::SkillChosen:
        break;
    }
    followLevel(m_build.characterLevel());
}

// ------------------------------------------------------------ NoticeLine

NoticeLine::NoticeLine(Build& build, std::function<void(bool)> runTimer)
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

void NoticeLine::screenClosed() {
    setTimerRunning(false);
}

// -------------------------------------------------------- SkillMenuTexts

SkillMenuTexts::SkillMenuTexts(Build& build)
    : m_build(build), m_captions{std::string(kDenOfEvilCaptions[0]),
                                 std::string(kBookOfSkillTakenCaptions[0]), std::string(kIzualCaptions[0])} {
    m_build.addListener(*this);
}

SkillMenuTexts::~SkillMenuTexts() {
    m_build.removeListener(*this);
}

const std::string& SkillMenuTexts::caption(Quest quest) const {
    return m_captions[slot(quest)];
}

bool SkillMenuTexts::visible(Quest quest) const {
    return m_visible[slot(quest)];
}

void SkillMenuTexts::restoreNormalCaptions() {
    m_captions[slot(Quest::BookOfSkill)] = kBookOfSkillGivenBackCaptions[0];
    m_captions[slot(Quest::DenOfEvil)] = kDenOfEvilCaptions[0];
}

void SkillMenuTexts::questCounterChanged(Quest quest, std::int16_t counter, QuestChange change) {
    const CaptionTable& table = quest == Quest::DenOfEvil      ? kDenOfEvilCaptions
                                : quest == Quest::Izual        ? kIzualCaptions
                                : change == QuestChange::Taken ? kBookOfSkillTakenCaptions
                                                               : kBookOfSkillGivenBackCaptions;
    // Taking an Izual point back to none leaves its caption as it is.
    if (quest == Quest::Izual && change == QuestChange::GivenBack && counter < 1) {
        return;
    }
    if (counter >= 0 && counter < static_cast<std::int16_t>(table.size()) &&
        !table[static_cast<std::size_t>(counter)].empty()) {
        m_captions[slot(quest)] = table[static_cast<std::size_t>(counter)];
    }
}

void SkillMenuTexts::questsOffered(const QuestOffer& offer) {
    // The separator above the quest entries shows exactly when one of them does.
    m_spacerVisible = offer.denOfEvil || offer.bookOfSkill || offer.deathOfIzual;
    m_visible[slot(Quest::DenOfEvil)] = offer.denOfEvil;
    m_visible[slot(Quest::BookOfSkill)] = offer.bookOfSkill;
    m_visible[slot(Quest::Izual)] = offer.deathOfIzual;
}

void SkillMenuTexts::buildReset() {
    m_captions[slot(Quest::Izual)] = kIzualCaptions[0];
    m_captions[slot(Quest::BookOfSkill)] = kBookOfSkillGivenBackCaptions[0];
    m_captions[slot(Quest::DenOfEvil)] = kDenOfEvilCaptions[0];
}

} // namespace skillwright::model
