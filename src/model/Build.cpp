#include "Build.h"

#include <toolkit/Toolkit.h>

#include <algorithm>
#include <cctype>
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
constexpr std::string_view kQuestExhaustedTitle = "No Longer valid";
constexpr std::string_view kGenerationDone =
    "Random Charater Generator has completed.\r\nHave fun trying to win with it.";
constexpr std::string_view kGenerationDoneTitle = "Generation Complete";

// Difficulty words of the quest entries, by the counter after the point is counted.
constexpr std::array<std::string_view, 4> kOnceADifficultyWords{"", " Normal ", " Nightmare ", " Hell "};
constexpr std::array<std::string_view, 7> kIzualWords{
    "", "(1) Normal ", "(2) Normal ", "(1) Nightmare ", "(2) Nightmare ", "(1) Hell ", "(2) Hell "};

struct Announcement {
    std::int16_t level;
    Quest quest;
    bool (*due)(std::int16_t counter);
    std::string_view text;
};
constexpr std::array<Announcement, 9> kAnnouncements{{
    {3, Quest::DenOfEvil, [](std::int16_t c) { return c == 0; },
     "Den Of Evil (Normal) quest skill point is now available.  Right click to use."},
    {25, Quest::DenOfEvil, [](std::int16_t c) { return c == 1; },
     "Den Of Evil (Nightmare) quest skill point is now available.  Right click to use."},
    {40, Quest::DenOfEvil, [](std::int16_t c) { return c > 1; },
     "Den Of Evil (Hell) quest skill point is now available.  Right click to use."},
    {15, Quest::BookOfSkill, [](std::int16_t c) { return c == 0; },
     "Book Of Skill (Normal) quest skill point is now available.  Right click to use."},
    {30, Quest::BookOfSkill, [](std::int16_t c) { return c == 1; },
     "Book Of Skill (Nightmare) quest skill point is now available.  Right click to use."},
    {45, Quest::BookOfSkill, [](std::int16_t c) { return c > 1; },
     "Book Of Skill (Hell) quest skill point is now available.  Right click to use."},
    {23, Quest::Izual, [](std::int16_t c) { return c <= 1; },
     "Death of Izual (Normal) quest skill point is now available.  Right click to use."},
    {39, Quest::Izual, [](std::int16_t c) { return c <= 4; },
     "Death of Izual (Nightmare) quest skill point is now available.  Right click to use."},
    {59, Quest::Izual, [](std::int16_t c) { return c > 4; },
     "Death of Izual (Hell) quest skill point is now available.  Right click to use."},
}};

std::string requiredLevelText(std::int16_t tier) {
    const std::string t = std::to_string(tier);
    return "Not available yet, you must be character level " + t + " first (or just getting level " + t +
           ").";
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

/// The order in which undo looks for a skill's suffix in an entry: tree by
/// tree and skill by skill, except that a suffix that begins another suffix
/// of the screen comes after it (": Leap Attack" before ": Leap").
const std::array<SkillRef, 3 * kSkillsPerTree>& suffixSearchOrder(ClassId classId) {
    static const auto orders = [] {
        std::array<std::array<SkillRef, 3 * kSkillsPerTree>, kClassCount> all{};
        for (const ClassInfo& c : classes()) {
            auto& order = all[static_cast<std::size_t>(c.id)];
            std::size_t n = 0;
            for (TreeId t : c.trees) {
                for (int i = 0; i < kSkillsPerTree; ++i) {
                    order[n++] = {t, static_cast<std::int16_t>(i)};
                }
            }
            auto isPrefixOf = [](SkillRef a, SkillRef b) {
                const std::string_view sa = entrySuffix(a.tree, a.index);
                const std::string_view sb = entrySuffix(b.tree, b.index);
                return sa.size() < sb.size() && sb.starts_with(sa);
            };
            // Move every longer suffix in front of the first shorter one it begins with.
            for (std::size_t i = 0; i < order.size(); ++i) {
                for (std::size_t j = i + 1; j < order.size(); ++j) {
                    if (isPrefixOf(order[i], order[j])) {
                        std::rotate(order.begin() + static_cast<std::ptrdiff_t>(i),
                                    order.begin() + static_cast<std::ptrdiff_t>(j),
                                    order.begin() + static_cast<std::ptrdiff_t>(j + 1));
                    }
                }
            }
        }
        return all;
    }();
    return orders[static_cast<std::size_t>(classId)];
}

} // namespace

QuestOffer questAvailability(std::int16_t levelsGained, std::int16_t denOfEvilCount,
                             std::int16_t bookOfSkillCount, std::int16_t izualCount, TreeId tree) {
    const int c = levelsGained + 1;
    const bool javelins = tree == TreeId::AmazonJS;
    QuestOffer offer;
    offer.denOfEvil = (c >= (javelins ? 40 : 35) && denOfEvilCount < 3) ||
                      (c >= (javelins ? 25 : 24) && denOfEvilCount < 2) || (c >= 3 && denOfEvilCount < 1);
    offer.bookOfSkill = (c >= 45 && bookOfSkillCount < 3) || (c >= 30 && bookOfSkillCount < 2) ||
                        (c >= 15 && bookOfSkillCount < 1);
    offer.deathOfIzual =
        (c >= 59 && izualCount < 6) || (c >= 39 && izualCount < 4) || (c >= 23 && izualCount < 2);
    return offer;
}

std::int16_t TreeScreen::count(TreeId t, int index) const {
    return countAt(tree(t).position, index);
}

std::int16_t& TreeScreen::countRef(TreeId t, int index) {
    return m_counts[static_cast<std::size_t>(tree(t).position)][static_cast<std::size_t>(index)];
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

/// The variables of one quest and the limit of its counter.
struct Build::QuestSlot {
    std::int16_t& counter;
    bool& pending;
    std::int16_t limit;
};

Build::Build(toolkit::Toolkit& toolkit) : m_toolkit(toolkit) {}

Build::~Build() = default;

void Build::addListener(BuildListener& listener) {
    if (std::find(m_listeners.begin(), m_listeners.end(), &listener) == m_listeners.end()) {
        m_listeners.push_back(&listener);
    }
}

void Build::removeListener(BuildListener& listener) {
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
        notify([](BuildListener& l) { l.buildChanged(); });
    }
}

std::int16_t Build::questCount(Quest quest) const {
    switch (quest) {
    case Quest::DenOfEvil:
        return m_vars.DenOfEvilCount;
    case Quest::BookOfSkill:
        return m_vars.BookOfSkillCount;
    case Quest::Izual:
        return m_vars.IzualCount;
    }
    return 0;
}

Build::QuestSlot Build::questSlot(Quest quest) {
    switch (quest) {
    case Quest::DenOfEvil:
        return {m_vars.DenOfEvilCount, m_vars.DenOfEvilPending, 3};
    case Quest::BookOfSkill:
        return {m_vars.BookOfSkillCount, m_vars.BookOfSkillPending, 3};
    case Quest::Izual:
        break;
    }
    return {m_vars.IzualCount, m_vars.IzualPending, 6};
}

void Build::openScreen(ClassId classId) {
    Scope scope(*this);
    if (m_screen) {
        closeScreen();
    }
    m_screen = std::make_unique<TreeScreen>(classId);
    // The load step: a new screen starts at level 1 with an empty reserve.
    m_vars.LevelsGained = 0;
    m_vars.ReservedPoints = 0;
    notify([classId](BuildListener& l) { l.screenOpened(classId); });
}

void Build::closeScreen() {
    if (!m_screen) {
        return;
    }
    Scope scope(*this);
    m_screen.reset();
    notify([](BuildListener& l) { l.screenClosed(); });
    // The quest points belonged to the character on that screen, whose
    // history went with it; the next screen must not inherit them. (A pending
    // generation stays: it is for the screen about to open.)
    if (m_vars.DenOfEvilCount != 0 || m_vars.BookOfSkillCount != 0 || m_vars.IzualCount != 0) {
        m_vars.DenOfEvilCount = 0;
        m_vars.BookOfSkillCount = 0;
        m_vars.IzualCount = 0;
        notify([](BuildListener& l) { l.buildReset(); }); // the Normal captions, as after RESET
    }
}

bool Build::IsFormLoaded(std::string_view formName) const {
    return m_screen && equalsIgnoringCase(m_screen->screenName(), formName);
}

bool Build::treeOnScreen(TreeId t) const {
    return m_screen && tree(t).classId == m_screen->classId();
}

// ---------------------------------------------------------------- the click

bool Build::tierCheck(std::int16_t tier) {
    const int level = m_vars.LevelsGained;
    if (level < tier - 2) {
        m_vars.UnavailableReason = requiredLevelText(tier);
        return false;
    }
    // A reserved point does not raise the level, so its cap is one stricter.
    const int available = level + 1 - m_vars.ClickedSkillPoints;
    const bool passes = m_vars.SpendingReserved ? available >= tier : available >= tier - 1;
    if (!passes) {
        m_vars.UnavailableReason = kPointCap;
    }
    return passes;
}

PointResult Build::click(TreeId t, std::int16_t index) {
    if (!treeOnScreen(t) || index < 0 || index >= kSkillsPerTree) {
        return {std::nullopt, Refusal::NoSuchSkill};
    }
    Scope scope(*this);
    std::int16_t& count = m_screen->countRef(t, index);
    m_vars.ClickedSkillPoints = count;

    if (count == kMaxSkillPoints) {
        m_vars.UnavailableReason = kTwentyPoints;
        return refuse(Refusal::TwentyPoints);
    }
    if (m_vars.LevelsGained + 1 == kMaxLevel) {
        m_vars.UnavailableReason = kLevel99;
        return refuse(Refusal::Level99);
    }
    const Skill& s = skill(t, index);
    if (s.tier != 1 && !tierCheck(s.tier)) {
        return refuse(m_vars.UnavailableReason == kPointCap ? Refusal::PointCap : Refusal::RequiredLevel);
    }
    for (std::int8_t p : s.prerequisites) {
        if (p >= 0 && m_screen->countRef(t, p) == 0) {
            m_vars.UnavailableReason = kMissingPrerequisite;
            m_vars.UnavailableReason += skill(t, p).messageName;
            return refuse(Refusal::Prerequisite);
        }
    }

    const std::string_view suffix = entrySuffix(t, index);
    auto questPoint = [&](PointKind kind, std::string_view head, std::string_view word, bool& pending) {
        ++count;
        std::string entry(head);
        entry += word;
        entry += "Slvl ";
        entry += std::to_string(count);
        entry += suffix;
        appendHistory(std::move(entry));
        pending = false;
        return PointResult{kind, std::nullopt};
    };
    auto word = [](const auto& words, std::int16_t counter) {
        return counter >= 0 && counter < static_cast<std::int16_t>(words.size()) ? words[counter]
                                                                                 : std::string_view{};
    };
    if (m_vars.DenOfEvilCount != 0 && m_vars.DenOfEvilPending) {
        return questPoint(PointKind::DenOfEvil,
                          "Den Of Evil:", word(kOnceADifficultyWords, m_vars.DenOfEvilCount),
                          m_vars.DenOfEvilPending);
    }
    if (m_vars.BookOfSkillCount != 0 && m_vars.BookOfSkillPending) {
        return questPoint(PointKind::BookOfSkill,
                          "Book of Skill:", word(kOnceADifficultyWords, m_vars.BookOfSkillCount),
                          m_vars.BookOfSkillPending);
    }
    if (m_vars.IzualCount != 0 && m_vars.IzualPending) {
        return questPoint(PointKind::Izual, "Izual Quest Point:", word(kIzualWords, m_vars.IzualCount),
                          m_vars.IzualPending);
    }

    if (m_vars.SpendingReserved) {
        m_vars.SpendingReserved = false;
        PointResult result{PointKind::Reserved, std::nullopt};
        if (m_vars.ReservedPoints < 1) {
            showNotice(kNoReserve);
            result = {std::nullopt, Refusal::EmptyReserve};
        } else {
            ++count;
            appendHistory("Reserved Slvl " + std::to_string(count) + std::string(suffix));
            --m_vars.ReservedPoints;
        }
        RefreshAfterLevelUp();
        endOfGenerationCheck();
        return result;
    }

    // An ordinary point: the next level-up.
    notify([](BuildListener& l) { l.noticeHidden(); });
    ++m_vars.LevelsGained;
    ++count;
    m_screen->m_statusForm = StatusForm::Written;
    std::string entry = "Clvl ";
    entry += std::to_string(m_vars.LevelsGained + 1);
    entry += " Slvl ";
    entry += std::to_string(count);
    entry += suffix;
    appendHistory(std::move(entry));
    RefreshAfterLevelUp();
    endOfGenerationCheck();
    return {PointKind::Ordinary, std::nullopt};
}

PointResult Build::refuse(Refusal why) {
    // A quest point that was to go into the refused skill is given back.
    for (Quest q : {Quest::DenOfEvil, Quest::BookOfSkill, Quest::Izual}) {
        if (questSlot(q).pending && !giveBackQuestPoint(q)) {
            return {std::nullopt, Refusal::QuestExhausted};
        }
    }
    showNotice(m_vars.UnavailableReason);
    m_vars.SpendingReserved = false;
    m_vars.LastClickFailed = true;
    endOfGenerationCheck();
    return {std::nullopt, why};
}

void Build::endOfGenerationCheck() {
    if (m_vars.RandomDonePending && m_vars.RandomLevelsLeft == 0) {
        m_dirty = true;
        flushChanged(); // the screen shows the finished build behind the message
        m_toolkit.messageBox(std::string(kGenerationDone), std::string(kGenerationDoneTitle),
                             toolkit::Icon::Information, toolkit::Buttons::Ok);
        m_vars.RandomDonePending = false;
    }
}

void Build::appendHistory(std::string entry) {
    m_screen->m_history.push_back(std::move(entry));
}

void Build::showNotice(std::string_view text) {
    if (m_screen) {
        notify([text](BuildListener& l) { l.noticeShown(text); });
    }
}

// ------------------------------------------------------------ quest points

void Build::questExhausted() {
    flushChanged();
    m_toolkit.messageBox(std::string(kQuestExhausted), std::string(kQuestExhaustedTitle),
                         toolkit::Icon::Information, toolkit::Buttons::Ok);
}

bool Build::giveBackQuestPoint(Quest quest) {
    QuestSlot slot = questSlot(quest);
    --slot.counter;
    // Den of Evil and Book of Skill end the click when the counter has left
    // its range; Izual's point is simply taken back.
    if (quest != Quest::Izual && (slot.counter < 0 || slot.counter > 3)) {
        questExhausted();
        return false;
    }
    notify([quest, c = slot.counter](BuildListener& l) {
        l.questCounterChanged(quest, c, QuestChange::GivenBack);
    });
    slot.pending = false;
    return true;
}

PointResult Build::takeQuestPoint(Quest quest) {
    Scope scope(*this);
    QuestSlot slot = questSlot(quest);
    ++slot.counter;
    slot.pending = true;
    if (slot.counter < 0 || slot.counter > slot.limit) {
        questExhausted();
        return {std::nullopt, Refusal::QuestExhausted};
    }
    notify(
        [quest, c = slot.counter](BuildListener& l) { l.questCounterChanged(quest, c, QuestChange::Taken); });
    if (const auto t = treeByCode(m_vars.ActiveTree)) {
        return click(*t, m_vars.ActiveSkillIndex);
    }
    return {std::nullopt, Refusal::NoSuchSkill};
}

PointResult Build::TakeDenOfEvilPoint() {
    return takeQuestPoint(Quest::DenOfEvil);
}

PointResult Build::TakeBookOfSkillPoint() {
    return takeQuestPoint(Quest::BookOfSkill);
}

PointResult Build::TakeIzualPoint() {
    return takeQuestPoint(Quest::Izual);
}

void Build::RefreshAfterLevelUp() {
    if (!m_screen) {
        return;
    }
    Scope scope(*this);
    const int level = m_vars.LevelsGained + 1;
    auto& tiers = m_screen->m_tierHighlighted;
    // Each tier label turns gold the level before its tier opens to an
    // ordinary point, and the later ones white.
    for (int row = 1; row < kTierCount; ++row) {
        if (level == kTiers[static_cast<std::size_t>(row)] - 1) {
            tiers[static_cast<std::size_t>(row)] = true;
            std::fill(tiers.begin() + row + 1, tiers.end(), false);
        }
    }
    if (level < 5) {
        std::fill(tiers.begin() + 1, tiers.end(), false);
    }
    for (const Announcement& a : kAnnouncements) {
        if (a.level == level && a.due(questCount(a.quest))) {
            showNotice(a.text);
        }
    }
}

// ------------------------------------------------------------ the reserve

PointResult Build::ReservePoint() {
    const auto t = treeByCode(m_vars.ActiveTree);
    if (!t || !treeOnScreen(*t)) {
        return {std::nullopt, Refusal::NoSuchSkill};
    }
    Scope scope(*this);
    // A reserved point is a level-up too, and no character passes level 99.
    if (m_vars.LevelsGained + 1 >= kMaxLevel) {
        showNotice(kLevel99);
        return {std::nullopt, Refusal::Level99};
    }
    ++m_vars.LevelsGained;
    ++m_vars.ReservedPoints;
    m_screen->m_statusForm = StatusForm::Written;
    appendHistory("Clvl " + std::to_string(m_vars.LevelsGained + 1) + " Reserved For Later ");
    RefreshAfterLevelUp();
    return {PointKind::ReservedForLater, std::nullopt};
}

PointResult Build::UseReservedPoint() {
    const auto t = treeByCode(m_vars.ActiveTree);
    if (!t || !treeOnScreen(*t)) {
        return {std::nullopt, Refusal::NoSuchSkill};
    }
    Scope scope(*this);
    m_vars.SpendingReserved = true;
    return click(*t, m_vars.ActiveSkillIndex);
}

// ------------------------------------------------------------------- undo

bool Build::lbl_UndoLast_Click() {
    if (!m_screen || m_screen->m_history.empty()) {
        return false;
    }
    Scope scope(*this);
    auto& history = m_screen->m_history;
    const std::string entry = history.back();
    if (trimmed(entry).empty()) {
        return false;
    }
    for (const SkillRef& s : suffixSearchOrder(m_screen->classId())) {
        if (contains(entry, entrySuffix(s.tree, s.index))) {
            --m_screen->countRef(s.tree, s.index);
            break;
        }
    }
    auto questGivenBack = [this](Quest quest, std::int16_t& counter) {
        --counter;
        notify([quest, c = counter](BuildListener& l) {
            l.questCounterChanged(quest, c, QuestChange::GivenBack);
        });
    };
    if (contains(entry, "Reserved For Later")) {
        --m_vars.LevelsGained;
        --m_vars.ReservedPoints;
        m_screen->m_statusForm = StatusForm::Written;
    } else if (contains(entry, "Den Of Evil:")) {
        questGivenBack(Quest::DenOfEvil, m_vars.DenOfEvilCount);
    } else if (contains(entry, "Book of Skill")) {
        questGivenBack(Quest::BookOfSkill, m_vars.BookOfSkillCount);
    } else if (contains(entry, "Izual Quest Point:")) {
        questGivenBack(Quest::Izual, m_vars.IzualCount);
    } else if (contains(entry, "Reserved Slvl")) {
        ++m_vars.ReservedPoints;
    } else {
        --m_vars.LevelsGained;
        m_screen->m_statusForm = StatusForm::Written;
    }
    history.pop_back();
    RefreshAfterLevelUp();
    return true;
}

// ------------------------------------------------------------------ reset

void Build::Reset() {
    Scope scope(*this);
    m_vars.LevelsGained = 0;
    m_vars.ReservedPoints = 0;
    m_vars.DenOfEvilCount = 0;
    m_vars.BookOfSkillCount = 0;
    m_vars.IzualCount = 0;
    m_vars.RandomDonePending = false;
    if (m_screen) {
        for (auto& tree : m_screen->m_counts) {
            tree.fill(0);
        }
        m_screen->m_history.clear();
        m_screen->m_statusForm = StatusForm::Reset;
        std::fill(m_screen->m_tierHighlighted.begin() + 1, m_screen->m_tierHighlighted.end(), false);
    }
    notify([](BuildListener& l) { l.buildReset(); });
}

// ------------------------------------------------------------ right click

QuestOffer Build::prepareRightClick(TreeId t, std::int16_t index) {
    Scope scope(*this);
    const QuestOffer offer = questAvailability(m_vars.LevelsGained, m_vars.DenOfEvilCount,
                                               m_vars.BookOfSkillCount, m_vars.IzualCount, t);
    m_vars.ActiveTree = tree(t).code;
    m_vars.ActiveSkillIndex = index;
    m_vars.ActiveSkillPoints =
        treeOnScreen(t) && index >= 0 && index < kSkillsPerTree ? m_screen->countRef(t, index) : 0;
    notify([&offer](BuildListener& l) { l.questsOffered(offer); });
    return offer;
}

// ------------------------------------------------- the random generator's part

void Build::setRandomClass(std::string_view randomClass) {
    m_vars.RandomClass = randomClass;
}

void Build::setRandomRoll(std::int16_t roll) {
    m_vars.RandomRoll = roll;
}

void Build::setRandomLevelsLeft(std::int16_t levelsLeft) {
    m_vars.RandomLevelsLeft = levelsLeft;
}

void Build::setRandomSkillIndex(std::int16_t index) {
    m_vars.RandomSkillIndex = index;
}

bool Build::takeLastClickFailed() {
    return std::exchange(m_vars.LastClickFailed, false);
}

void Build::countDownRandomLevel() {
    --m_vars.RandomLevelsLeft;
}

void Build::setRandomDonePending(bool pending) {
    m_vars.RandomDonePending = pending;
}

} // namespace skillwright::model
