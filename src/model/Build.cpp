#include "Build.h"

#include <algorithm>
#include <utility>

namespace skillwright::model {

namespace {

constexpr std::string_view kLevel99 = "Character has reached maximum allowable level(99). ";
constexpr std::string_view kNoReserve = "You have no skill points in reserve.";

std::size_t slot(Quest quest) {
    return static_cast<std::size_t>(quest);
}

std::optional<Quest> questOf(EntryKind kind) {
    const QuestRule* rule = questRuleOf(kind);
    return rule != nullptr ? std::optional<Quest>(rule->quest) : std::nullopt;
}

} // namespace

std::int16_t& Character::pointsRef(SkillRef s) {
    return m_state.points[static_cast<std::size_t>(tree(s.tree).position)][static_cast<std::size_t>(s.index)];
}

// Every public operation runs inside a Scope; listeners hear buildChanged
// once, when the outermost operation ends.
class Build::Scope {
public:
    explicit Scope(Build& build) : m_build(build) {
        ++m_build.m_depth;
        m_build.m_dirty = true;
    }
    ~Scope() {
        if (--m_build.m_depth == 0) {
            m_build.flushChanged();
        }
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    Build& m_build;
};

Build::Build() = default;

Build::~Build() = default;

void Build::addListener(BuildListener& listener) const {
    if (std::find(m_listeners.begin(), m_listeners.end(), &listener) == m_listeners.end()) {
        m_listeners.push_back(&listener);
    }
}

void Build::removeListener(BuildListener& listener) const {
    if (m_notifying > 0) {
        // Being told right now: blank the slot, the notification compacts later.
        std::replace(m_listeners.begin(), m_listeners.end(), &listener, static_cast<BuildListener*>(nullptr));
    } else {
        std::erase(m_listeners, &listener);
    }
}

template <typename F> void Build::notify(F&& f) {
    // A listener may add or remove listeners while it is being told; those
    // added now hear from the next notification on.
    ++m_notifying;
    const std::size_t count = m_listeners.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (BuildListener* l = m_listeners[i]) {
            f(*l);
        }
    }
    if (--m_notifying == 0) {
        std::erase(m_listeners, nullptr);
    }
}

void Build::flushChanged() {
    if (m_dirty) {
        m_dirty = false;
        if (m_listeners.empty()) {
            m_notice.reset();
            m_questMoves.clear();
            return;
        }
        // Told from what the operation left: a point taken is the newest entry.
        BuildChange change(m_changeKind);
        change.notice = std::exchange(m_notice, std::nullopt);
        change.questMoves = std::exchange(m_questMoves, {});
        if (m_changeKind == BuildChange::Kind::PointTaken && m_character && !m_character->history().empty()) {
            change.entry = m_character->history().back();
        } else if (m_changeKind == BuildChange::Kind::PointUndone ||
                   m_changeKind == BuildChange::Kind::TakenBack) {
            change.entry = m_undone;
        } else if (m_changeKind == BuildChange::Kind::PointRefused) {
            change.refusal = m_changeRefusal;
        }
        notify([&change](BuildListener& l) { l.buildChanged(change); });
    }
}

void Build::startCharacter(ClassId classId) {
    Scope scope(*this);
    if (m_character) {
        endCharacter();
    }
    m_character = std::make_unique<Character>(classId); // level 1, no point, an empty reserve
    m_changeKind = BuildChange::Kind::CharacterStarted;
}

void Build::endCharacter() {
    if (!m_character) {
        return;
    }
    Scope scope(*this);
    // The quest points belonged to the character, whose history went with
    // it; the next character must not inherit them.
    const bool questsTaken = m_character->m_state.questCounts != std::array<std::int16_t, 3>{};
    m_character.reset();
    m_changeKind = BuildChange::Kind::CharacterEnded;
    if (questsTaken) {
        clearQuestCounts(); // the Normal captions, as after RESET
    }
}

bool Build::onScreen(SkillRef s) const {
    return m_character && tree(s.tree).classId == m_character->classId() && s.index >= 0 &&
           s.index < kSkillsPerTree;
}

// ---------------------------------------------------------------- the click

PointResult Build::click(TreeId t, std::int16_t index) {
    const SkillRef s{t, index};
    if (!onScreen(s)) {
        return PointResult::refused(Refusal::NoSuchSkill);
    }
    Scope scope(*this);
    return spend(s, EntryKind::Ordinary);
}

PointResult Build::spend(SkillRef s, EntryKind kind) {
    if (PointResult check = model::ruleCheck(m_character->m_state, s, kind); !check.accepted()) {
        return refuse(check, kind);
    }
    std::int16_t& count = m_character->pointsRef(s);
    HistoryEntry entry{kind, 0, 0, 0, s};
    if (const auto quest = questOf(kind)) {
        entry.questRound = questCount(*quest);
    } else if (kind == EntryKind::ReservedSpent) {
        PointResult result = PointResult::took(kind);
        if (m_character->m_state.reservedPoints < 1) {
            showNotice(kNoReserve);
            result = PointResult::refused(Refusal::EmptyReserve);
            m_changeKind = BuildChange::Kind::PointRefused;
            m_changeRefusal = Refusal::EmptyReserve;
        } else {
            --m_character->m_state.reservedPoints;
            entry.skillPoints = ++count;
            m_character->m_plan.history.push_back(entry);
            m_changeKind = BuildChange::Kind::PointTaken;
        }
        announceQuests();
        return result;
    } else {
        // An ordinary point: the next level-up.
        m_notice = NoticeChange{};
        ++m_character->m_state.levelsGained;
        entry.characterLevel = characterLevel();
    }
    entry.skillPoints = ++count;
    m_character->m_plan.history.push_back(entry);
    m_changeKind = BuildChange::Kind::PointTaken;
    if (kind == EntryKind::Ordinary) {
        announceQuests();
    }
    return PointResult::took(kind);
}

PointResult Build::refuse(PointResult result, EntryKind kind) {
    // A quest point that was to go into the refused skill is given back.
    if (const auto quest = questOf(kind)) {
        changeQuestCount(*quest, -1, QuestChange::GivenBack);
    }
    showNotice(refusalText(result));
    m_changeKind = BuildChange::Kind::PointRefused;
    m_changeRefusal = result.refusal;
    return result;
}

void Build::showNotice(std::string_view text) {
    if (m_character) {
        m_notice = NoticeChange{true, std::string(text)};
    }
}

// ------------------------------------------------------------ quest points

void Build::clearQuestCounts() {
    for (const QuestRule& rule : kQuestRules) {
        m_questMoves.push_back({rule.quest, 0, QuestChange::Cleared});
    }
}

void Build::changeQuestCount(Quest quest, int by, QuestChange change) {
    std::int16_t& counter = m_character->m_state.questCounts[slot(quest)];
    counter = static_cast<std::int16_t>(counter + by);
    m_questMoves.push_back({quest, counter, change});
}

QuestOffer Build::questOffer(SkillRef skill) const {
    return model::questOffer(state(), skill.tree);
}

PointResult Build::takeQuestPoint(Quest quest, SkillRef skill) {
    if (!onScreen(skill)) {
        return PointResult::refused(Refusal::NoSuchSkill);
    }
    Scope scope(*this);
    // The limit is checked before the point counts: an exhausted quest
    // changes nothing, and has no notice.
    if (questCount(quest) >= questLimit(quest)) {
        m_changeKind = BuildChange::Kind::PointRefused;
        m_changeRefusal = Refusal::QuestExhausted;
        return PointResult::refused(Refusal::QuestExhausted);
    }
    changeQuestCount(quest, +1, QuestChange::Taken);
    return spend(skill, questRule(quest).kind);
}

void Build::announceQuests() {
    if (!m_character) {
        return;
    }
    const int level = characterLevel();
    for (const QuestRule& rule : kQuestRules) {
        const std::int16_t counter = questCount(rule.quest);
        for (const QuestAnnouncement& a : rule.announcements) {
            if (a.level == level && counter >= a.fromCounter && counter <= a.toCounter) {
                showNotice(a.text);
            }
        }
    }
}

// ------------------------------------------------------------ the reserve

PointResult Build::reservePoint() {
    return takeReservePoint();
}

PointResult Build::takeReservePoint() {
    if (!m_character) {
        return PointResult::refused(Refusal::NoSuchSkill);
    }
    Scope scope(*this);
    // A reserved point is a level-up too, and no character passes level 99.
    if (characterLevel() >= kMaxLevel) {
        showNotice(kLevel99);
        m_changeKind = BuildChange::Kind::PointRefused;
        m_changeRefusal = Refusal::Level99;
        return PointResult::refused(Refusal::Level99);
    }
    ++m_character->m_state.levelsGained;
    ++m_character->m_state.reservedPoints;
    m_character->m_plan.history.push_back({EntryKind::ReservedForLater, characterLevel(), 0, 0, {}});
    m_changeKind = BuildChange::Kind::PointTaken;
    announceQuests();
    return PointResult::took(EntryKind::ReservedForLater);
}

PointResult Build::useReservedPoint(SkillRef skill) {
    if (!onScreen(skill)) {
        return PointResult::refused(Refusal::NoSuchSkill);
    }
    Scope scope(*this);
    return spend(skill, EntryKind::ReservedSpent);
}

// ------------------------------------------------------------------ plans

Plan Build::plan() const {
    return m_character ? m_character->m_plan : Plan{};
}

void Build::setCharacterName(std::string name) {
    if (m_character) {
        m_character->m_plan.name = std::move(name);
    }
}

void Build::startAfresh(ClassId classId) {
    if (!m_character || m_character->classId() != classId) {
        startCharacter(classId);
        return;
    }
    const bool questsTaken = m_character->m_state.questCounts != std::array<std::int16_t, 3>{};
    *m_character = Character(classId);
    if (questsTaken) {
        clearQuestCounts(); // the Normal captions, as after RESET
    }
}

std::optional<ReplayStop> Build::replay(const Plan& plan) {
    if (m_character && &plan == &m_character->m_plan) {
        return replay(Plan(plan)); // the plan on screen is about to start afresh
    }
    Scope scope(*this);
    startAfresh(plan.classId);
    m_character->m_plan.name = plan.name;
    m_character->m_plan.history.reserve(plan.history.size());
    std::optional<ReplayStop> stop;
    for (std::size_t i = 0; i < plan.history.size() && !stop; ++i) {
        if (auto why = replayEntry(plan.history[i])) {
            stop = ReplayStop{i, std::move(*why)};
        }
    }
    m_changeKind = BuildChange::Kind::Replayed; // its points and undos are one change
    return stop;
}

void Build::restore(const Plan& plan) {
    Scope scope(*this);
    if (!m_character || m_character->classId() != plan.classId) {
        replay(plan);
    } else {
        // A build is the same whatever way it came to its history: only the
        // entries after the part both share are taken back and taken again.
        const std::vector<HistoryEntry>& now = m_character->history();
        const auto shared = static_cast<std::size_t>(
            std::mismatch(now.begin(), now.end(), plan.history.begin(), plan.history.end()).first -
            now.begin());
        while (m_character->history().size() > shared) {
            takeBackNewest();
        }
        for (std::size_t i = shared; i < plan.history.size(); ++i) {
            if (replayEntry(plan.history[i])) {
                break; // a plan this build held replays whole
            }
        }
        m_character->m_plan.name = plan.name;
    }
    m_changeKind = BuildChange::Kind::Restored;
}

std::optional<std::string> Build::replayEntry(const HistoryEntry& entry) {
    // The rules say first whether the entry comes out as recorded; then it is
    // taken by the command that made it, which its listeners follow.
    const EntryOutcome outcome = entryOutcome(m_character->m_state, m_character->classId(), entry);
    if (std::optional<std::string> why = recordedOtherwise(outcome, entry)) {
        return why;
    }
    if (const auto quest = questOf(entry.kind)) {
        changeQuestCount(*quest, +1, QuestChange::Taken);
        spend(entry.skill, entry.kind);
    } else if (entry.kind == EntryKind::ReservedForLater) {
        takeReservePoint(); // the reserve holds no skill
    } else {
        spend(entry.skill, entry.kind);
    }
    return std::nullopt;
}

// ------------------------------------------------------------------- undo

bool Build::undoLast() {
    return takeBackNewest();
}

bool Build::takeBackTo(std::size_t keep) {
    if (!m_character || m_character->m_plan.history.size() <= keep) {
        return false;
    }
    Scope scope(*this);
    while (m_character->m_plan.history.size() > keep) {
        takeBackNewest();
    }
    m_changeKind = BuildChange::Kind::TakenBack;
    return true;
}

bool Build::takeBackNewest() {
    if (!m_character || m_character->m_plan.history.empty()) {
        return false;
    }
    Scope scope(*this);
    const HistoryEntry entry = m_character->m_plan.history.back();
    m_character->m_plan.history.pop_back();
    model::takeBack(m_character->m_state, entry);
    if (const auto quest = questOf(entry.kind)) {
        m_questMoves.push_back({*quest, questCount(*quest), QuestChange::GivenBack});
    }
    m_changeKind = BuildChange::Kind::PointUndone;
    m_undone = entry;
    announceQuests();
    return true;
}

// ------------------------------------------------------------------ reset

void Build::reset() {
    Scope scope(*this);
    if (m_character) {
        m_character->m_state = BuildState{};
        m_character->m_plan.history.clear();
    }
    m_changeKind = BuildChange::Kind::Reset;
    clearQuestCounts();
}

} // namespace skillwright::model

namespace skillwright::model {

FollowBuild::FollowBuild(const Build& build, std::function<void(const BuildChange&)> follow)
    : m_build(build), m_follow(std::move(follow)) {
    m_build.addListener(*this);
}

FollowBuild::~FollowBuild() {
    m_build.removeListener(*this);
}

} // namespace skillwright::model
