#include "Build.h"

#include <algorithm>
#include <utility>

namespace skillwright::model {

namespace {

constexpr std::string_view kTwentyPoints =
    "No more points may be added to this skill.  Maximum points are 20 per skill.";
constexpr std::string_view kLevel99 = "Character has reached maximum allowable level(99). ";
constexpr std::string_view kPointCap =
    "Skill point cap is limited to 1 point per level the skill has been available.";
constexpr std::string_view kMissingPrerequisite =
    "Not available yet, you must have at least one skill point in ";
constexpr std::string_view kNoReserve = "You have no skill points in reserve.";
constexpr std::string_view kQuestExhausted = "You may only complete this quest once for each level, 3 times.";

std::size_t slot(Quest quest) {
    return static_cast<std::size_t>(quest);
}

std::optional<Quest> questOf(EntryKind kind) {
    const QuestRule* rule = questRuleOf(kind);
    return rule != nullptr ? std::optional<Quest>(rule->quest) : std::nullopt;
}

/// What a point of each kind does to the level and the reserve.
struct PointEffect {
    int levelUps;
    int reserve;
};
constexpr PointEffect pointEffect(EntryKind kind) {
    switch (kind) {
    case EntryKind::Ordinary:
        return {1, 0};
    case EntryKind::ReservedForLater:
        return {1, 1};
    case EntryKind::ReservedSpent:
        return {0, -1};
    default:
        return {0, 0}; // quest points count in their quest's counter
    }
}

PointResult refusal(Refusal why) {
    PointResult result;
    result.refusal = why;
    return result;
}

PointResult taken(EntryKind kind) {
    PointResult result;
    result.taken = kind;
    return result;
}

} // namespace

std::string refusalText(const PointResult& result) {
    if (!result.refusal) {
        return {};
    }
    switch (*result.refusal) {
    case Refusal::TwentyPoints:
        return std::string(kTwentyPoints);
    case Refusal::Level99:
        return std::string(kLevel99);
    case Refusal::RequiredLevel: {
        const std::string t = std::to_string(result.requiredLevel);
        return "Not available yet, you must be character level " + t + " first (or just getting level " + t +
               ").";
    }
    case Refusal::PointCap:
        return std::string(kPointCap);
    case Refusal::Prerequisite:
        return std::string(kMissingPrerequisite) +
               std::string(skill(result.missing.tree, result.missing.index).messageName);
    case Refusal::EmptyReserve:
        return std::string(kNoReserve);
    case Refusal::QuestExhausted:
        return std::string(kQuestExhausted);
    case Refusal::NoSuchSkill:
        break;
    }
    return {};
}

QuestOffer questAvailability(std::int16_t levelsGained, std::int16_t denOfEvilCount,
                             std::int16_t bookOfSkillCount, std::int16_t izualCount, TreeId tree) {
    const int level = levelsGained + 1;
    const bool javelins = tree == TreeId::AmazonJavelinSpear;
    // A difficulty's point is offered from its level on, while the points of
    // that difficulty and the easier ones have not all been taken.
    const auto offers = [level, javelins](Quest quest, std::int16_t counter) {
        const QuestRule& rule = questRule(quest);
        const auto& from = javelins ? rule.javelinOfferedFrom : rule.offeredFrom;
        for (std::size_t d = 0; d < from.size(); ++d) {
            if (level >= from[d] && counter < rule.pointsPerDifficulty * static_cast<int>(d + 1)) {
                return true;
            }
        }
        return false;
    };
    return {{offers(Quest::DenOfEvil, denOfEvilCount), offers(Quest::BookOfSkill, bookOfSkillCount),
             offers(Quest::Izual, izualCount)}};
}

std::int16_t Character::points(TreeId t, int index) const {
    return pointsAt(tree(t).position, index);
}

std::int16_t& Character::pointsRef(SkillRef s) {
    return m_points[static_cast<std::size_t>(tree(s.tree).position)][static_cast<std::size_t>(s.index)];
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
            return;
        }
        // Told from what the operation left: a point taken is the newest entry.
        BuildChange change(m_changeKind);
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
    m_character = std::make_unique<Character>(classId);
    // A new screen starts at level 1 with an empty reserve.
    m_levelsGained = 0;
    m_reservedPoints = 0;
    notify([classId](BuildListener& l) { l.characterStarted(classId); });
    m_changeKind = BuildChange::Kind::CharacterStarted;
}

void Build::endCharacter() {
    if (!m_character) {
        return;
    }
    Scope scope(*this);
    m_character.reset();
    m_changeKind = BuildChange::Kind::CharacterEnded;
    notify([](BuildListener& l) { l.characterEnded(); });
    // The quest points belonged to the character, whose history went with
    // it; the next character must not inherit them.
    if (m_questCounts != std::array<std::int16_t, 3>{}) {
        m_questCounts = {};
        notify([](BuildListener& l) { l.buildReset(); }); // the Normal captions, as after RESET
    }
}

bool Build::onScreen(SkillRef s) const {
    return m_character && tree(s.tree).classId == m_character->classId() && s.index >= 0 &&
           s.index < kSkillsPerTree;
}

// ---------------------------------------------------------------- the click

std::optional<Refusal> Build::tierCheck(std::int16_t tier, std::int16_t points, EntryKind kind) const {
    const int level = m_levelsGained;
    if (level < tier - 2) {
        return Refusal::RequiredLevel;
    }
    // A reserved point does not raise the level, so its cap is one stricter.
    const int available = level + 1 - points;
    const bool passes = kind == EntryKind::ReservedSpent ? available >= tier : available >= tier - 1;
    return passes ? std::nullopt : std::optional<Refusal>(Refusal::PointCap);
}

PointResult Build::click(TreeId t, std::int16_t index) {
    const SkillRef s{t, index};
    if (!onScreen(s)) {
        return refusal(Refusal::NoSuchSkill);
    }
    Scope scope(*this);
    return spend(s, EntryKind::Ordinary);
}

PointResult Build::clickOutcome(TreeId t, std::int16_t index) const {
    const SkillRef s{t, index};
    if (!onScreen(s)) {
        return refusal(Refusal::NoSuchSkill);
    }
    return ruleCheck(s, EntryKind::Ordinary);
}

PointResult Build::ruleCheck(SkillRef s, EntryKind kind) const {
    const std::int16_t points = m_character->points(s.tree, s.index);
    if (points == kMaxSkillPoints) {
        return refusal(Refusal::TwentyPoints);
    }
    if (m_levelsGained + 1 == kMaxLevel) {
        return refusal(Refusal::Level99);
    }
    const Skill& sk = skill(s.tree, s.index);
    if (sk.openingLevel != 1) {
        if (const auto why = tierCheck(sk.openingLevel, points, kind)) {
            PointResult result = refusal(*why);
            result.requiredLevel = sk.openingLevel;
            return result;
        }
    }
    for (std::int8_t p : sk.prerequisites) {
        if (p >= 0 && m_character->points(s.tree, p) == 0) {
            PointResult result = refusal(Refusal::Prerequisite);
            result.missing = SkillRef{s.tree, p};
            return result;
        }
    }
    return taken(kind);
}

PointResult Build::spend(SkillRef s, EntryKind kind) {
    if (PointResult check = ruleCheck(s, kind); !check.accepted()) {
        return refuse(check, kind);
    }
    std::int16_t& count = m_character->pointsRef(s);
    HistoryEntry entry{kind, 0, 0, 0, s};
    if (const auto quest = questOf(kind)) {
        entry.questRound = questCount(*quest);
    } else if (kind == EntryKind::ReservedSpent) {
        PointResult result = taken(kind);
        if (m_reservedPoints < 1) {
            showNotice(kNoReserve);
            result = refusal(Refusal::EmptyReserve);
            m_changeKind = BuildChange::Kind::PointRefused;
            m_changeRefusal = Refusal::EmptyReserve;
        } else {
            --m_reservedPoints;
            entry.skillPoints = ++count;
            m_character->m_plan.history.push_back(entry);
            m_changeKind = BuildChange::Kind::PointTaken;
        }
        announceQuests();
        return result;
    } else {
        // An ordinary point: the next level-up.
        notify([](BuildListener& l) { l.noticeHidden(); });
        ++m_levelsGained;
        entry.characterLevel = characterLevel();
    }
    entry.skillPoints = ++count;
    m_character->m_plan.history.push_back(entry);
    m_changeKind = BuildChange::Kind::PointTaken;
    if (kind == EntryKind::Ordinary) {
        announceQuests();
    }
    return taken(kind);
}

PointResult Build::refuse(PointResult result, EntryKind kind) {
    // A quest point that was to go into the refused skill is given back.
    if (const auto quest = questOf(kind)) {
        changeQuestCount(*quest, -1, QuestChange::GivenBack);
    }
    m_noticeText = refusalText(result);
    showNotice(m_noticeText);
    m_changeKind = BuildChange::Kind::PointRefused;
    m_changeRefusal = result.refusal;
    return result;
}

void Build::showNotice(std::string_view text) {
    if (m_character) {
        notify([text](BuildListener& l) { l.noticeShown(text); });
    }
}

// ------------------------------------------------------------ quest points

void Build::changeQuestCount(Quest quest, int by, QuestChange change) {
    std::int16_t& counter = m_questCounts[slot(quest)];
    counter = static_cast<std::int16_t>(counter + by);
    notify([quest, c = counter, change](BuildListener& l) { l.questCounterChanged(quest, c, change); });
}

QuestOffer Build::questOffer(SkillRef skill) const {
    return questAvailability(m_levelsGained, questCount(Quest::DenOfEvil), questCount(Quest::BookOfSkill),
                             questCount(Quest::Izual), skill.tree);
}

PointResult Build::takeQuestPoint(Quest quest, SkillRef skill) {
    if (!onScreen(skill)) {
        return refusal(Refusal::NoSuchSkill);
    }
    Scope scope(*this);
    // The limit is checked before the point counts: an exhausted quest
    // changes nothing, and has no notice.
    if (questCount(quest) >= questLimit(quest)) {
        m_changeKind = BuildChange::Kind::PointRefused;
        m_changeRefusal = Refusal::QuestExhausted;
        return refusal(Refusal::QuestExhausted);
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
        return refusal(Refusal::NoSuchSkill);
    }
    Scope scope(*this);
    // A reserved point is a level-up too, and no character passes level 99.
    if (characterLevel() >= kMaxLevel) {
        showNotice(kLevel99);
        m_changeKind = BuildChange::Kind::PointRefused;
        m_changeRefusal = Refusal::Level99;
        return refusal(Refusal::Level99);
    }
    ++m_levelsGained;
    ++m_reservedPoints;
    m_character->m_plan.history.push_back({EntryKind::ReservedForLater, characterLevel(), 0, 0, {}});
    m_changeKind = BuildChange::Kind::PointTaken;
    announceQuests();
    return taken(EntryKind::ReservedForLater);
}

PointResult Build::useReservedPoint(SkillRef skill) {
    if (!onScreen(skill)) {
        return refusal(Refusal::NoSuchSkill);
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
    } else {
        *m_character = Character(classId);
        m_levelsGained = 0;
        m_reservedPoints = 0;
    }
    if (m_questCounts != std::array<std::int16_t, 3>{}) {
        m_questCounts = {};
        notify([](BuildListener& l) { l.buildReset(); }); // the Normal captions, as after RESET
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
    const ClassId classId = m_character->classId();
    if (entry.hasSkill() && !onScreen(entry.skill)) {
        return "The " + std::string(classInfo(classId).name) + " has no such skill.";
    }
    PointResult result;
    if (const auto quest = questOf(entry.kind)) {
        // The skill menu offers a quest's point only from the level its
        // difficulty opens at, and only as often as the quest may be done.
        if (!questOffer(entry.skill)[*quest]) {
            if (questCount(*quest) >= questLimit(*quest)) {
                return std::string(kQuestExhausted);
            }
            const QuestRule& rule = questRule(*quest);
            return std::string(rule.pointNames[rule.difficulty(questCount(*quest))]) +
                   " is not offered at character level " + std::to_string(characterLevel()) + ".";
        }
        changeQuestCount(*quest, +1, QuestChange::Taken);
        result = spend(entry.skill, entry.kind);
    } else if (entry.kind == EntryKind::ReservedForLater) {
        result = takeReservePoint(); // the reserve holds no skill
    } else {
        result = spend(entry.skill, entry.kind);
    }
    if (!result.accepted()) {
        std::string why = refusalText(result);
        return why.empty() ? std::string("The planner cannot take this point.") : why;
    }
    const HistoryEntry& made = m_character->history().back();
    const bool asRecorded = made.kind == entry.kind && made.characterLevel == entry.characterLevel &&
                            made.skillPoints == entry.skillPoints && made.questRound == entry.questRound &&
                            (!made.hasSkill() || made.skill == entry.skill);
    if (!asRecorded) {
        std::string why = "The planner records this point as \"" + formatEntry(made) + "\".";
        takeBackNewest();
        return why;
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
    if (entry.hasSkill()) {
        --m_character->pointsRef(entry.skill);
    }
    const PointEffect effect = pointEffect(entry.kind);
    if (effect.levelUps != 0) {
        m_levelsGained = static_cast<std::int16_t>(m_levelsGained - effect.levelUps);
    }
    m_reservedPoints = static_cast<std::int16_t>(m_reservedPoints - effect.reserve);
    if (const auto quest = questOf(entry.kind)) {
        changeQuestCount(*quest, -1, QuestChange::GivenBack);
    }
    m_changeKind = BuildChange::Kind::PointUndone;
    m_undone = entry;
    announceQuests();
    return true;
}

// ------------------------------------------------------------------ reset

void Build::reset() {
    Scope scope(*this);
    m_levelsGained = 0;
    m_reservedPoints = 0;
    m_questCounts = {};
    if (m_character) {
        for (auto& tree : m_character->m_points) {
            tree.fill(0);
        }
        m_character->m_plan.history.clear();
    }
    m_changeKind = BuildChange::Kind::Reset;
    notify([](BuildListener& l) { l.buildReset(); });
}

} // namespace skillwright::model
