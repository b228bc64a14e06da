#include "Build.h"

#include <toolkit/Toolkit.h>

#include <algorithm>
#include <cctype>

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

// Captions of the quest entries by counter value; an empty text leaves the
// caption as it is. Book of Skill has two spellings: the quest command writes
// "Of", everything that takes a point back writes "of".
using CaptionTable = std::array<std::string_view, 7>;
constexpr CaptionTable kDenOfEvilCaptions{
    "&Den Of Evil (Normal)", "&Den Of Evil (Nightmare)", "&Den Of Evil (Hell)", "", "", "", ""};
constexpr CaptionTable kBookOfSkillCommandCaptions{
    "&Book Of Skill (Normal)", "&Book Of Skill (Nightmare)", "&Book Of Skill (Hell)", "", "", "", ""};
constexpr CaptionTable kBookOfSkillRevertCaptions{
    "&Book of Skill (Normal)", "&Book of Skill (Nightmare)", "&Book of Skill (Hell)", "", "", "", ""};
constexpr CaptionTable kIzualCaptions{"&Death of Izual (Normal)",
                                      "&Death of Izual (Normal)",
                                      "&Death of Izual (Nightmare)",
                                      "&Death of Izual (Nightmare)",
                                      "&Death of Izual (Hell)",
                                      "&Death of Izual (Hell)",
                                      ""};

// Difficulty words of the quest entries, by the counter after the point is counted.
constexpr std::array<std::string_view, 4> kOnceADifficultyWords{"", " Normal ", " Nightmare ", " Hell "};
constexpr std::array<std::string_view, 7> kIzualWords{
    "", "(1) Normal ", "(2) Normal ", "(1) Nightmare ", "(2) Nightmare ", "(1) Hell ", "(2) Hell "};

struct Announcement {
    std::int16_t level;
    enum Quest { DenOfEvil, BookOfSkill, Izual } quest;
    bool (*due)(std::int16_t counter);
    std::string_view text;
};
constexpr std::array<Announcement, 9> kAnnouncements{{
    {3, Announcement::DenOfEvil, [](std::int16_t c) { return c == 0; },
     "Den Of Evil (Normal) quest skill point is now available.  Right click to use."},
    {25, Announcement::DenOfEvil, [](std::int16_t c) { return c == 1; },
     "Den Of Evil (Nightmare) quest skill point is now available.  Right click to use."},
    {40, Announcement::DenOfEvil, [](std::int16_t c) { return c > 1; },
     "Den Of Evil (Hell) quest skill point is now available.  Right click to use."},
    {15, Announcement::BookOfSkill, [](std::int16_t c) { return c == 0; },
     "Book Of Skill (Normal) quest skill point is now available.  Right click to use."},
    {30, Announcement::BookOfSkill, [](std::int16_t c) { return c == 1; },
     "Book Of Skill (Nightmare) quest skill point is now available.  Right click to use."},
    {45, Announcement::BookOfSkill, [](std::int16_t c) { return c > 1; },
     "Book Of Skill (Hell) quest skill point is now available.  Right click to use."},
    {23, Announcement::Izual, [](std::int16_t c) { return c <= 1; },
     "Death of Izual (Normal) quest skill point is now available.  Right click to use."},
    {39, Announcement::Izual, [](std::int16_t c) { return c <= 4; },
     "Death of Izual (Nightmare) quest skill point is now available.  Right click to use."},
    {59, Announcement::Izual, [](std::int16_t c) { return c > 4; },
     "Death of Izual (Hell) quest skill point is now available.  Right click to use."},
}};

std::string requiredLevelText(std::int16_t tier) {
    const std::string t = std::to_string(tier);
    return "Not available yet, you must be character level " + t + " first (or just getting level " + t +
           ").";
}

/// A number as the points label writes it: a leading sign position, which is
/// a blank for values that are not negative.
std::string withSignPosition(std::int16_t value) {
    std::string text(1, value < 0 ? '-' : ' ');
    text += std::to_string(value < 0 ? -value : value);
    return text;
}

void setCaption(std::string& caption, const CaptionTable& table, std::int16_t counter) {
    if (counter >= 0 && counter < static_cast<std::int16_t>(table.size()) && !table[counter].empty()) {
        caption = table[counter];
    }
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

struct SkillRef {
    TreeId tree;
    int index;
};

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
                    order[n++] = {t, i};
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

std::int16_t TreeScreen::count(TreeId tree, int index) const {
    return counts[static_cast<std::size_t>(model::tree(tree).position)][static_cast<std::size_t>(index)];
}

// Every public operation runs inside a Scope; the changed callback runs once,
// when the outermost operation ends.
class Build::Scope {
public:
    explicit Scope(Build& build) : m_build(build) {
        ++m_build.m_depth;
        m_build.m_dirty = true;
    }
    ~Scope() {
        if (--m_build.m_depth == 0) {
            m_build.changed();
        }
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    Build& m_build;
};

Build::Build(toolkit::Toolkit& toolkit) : m_toolkit(toolkit), m_noticeTimer(toolkit.createTimer()) {
    m_noticeTimer->setCallback([this] { tim_Unavail_Timer(); });
}

Build::~Build() = default;

void Build::setChangedCallback(std::function<void()> onChanged) {
    m_onChanged = std::move(onChanged);
}

void Build::changed() {
    if (m_dirty && m_onChanged) {
        m_dirty = false;
        m_onChanged();
    }
    m_dirty = false;
}

void Build::openScreen(ClassId classId) {
    Scope scope(*this);
    m_noticeTimer->stop();
    m_screen = std::make_unique<TreeScreen>();
    m_screen->classId = classId;
    // The load step: a new screen starts at level 1 with an empty reserve.
    LevelsGained = 0;
    ReservedPoints = 0;
    writeReserve();
}

void Build::closeScreen() {
    Scope scope(*this);
    m_noticeTimer->stop();
    m_screen.reset();
}

bool Build::IsFormLoaded(std::string_view formName) const {
    return m_screen && equalsIgnoringCase(m_screen->screenName(), formName);
}

bool Build::treeOnScreen(TreeId t) const {
    return m_screen && tree(t).classId == m_screen->classId;
}

std::int16_t& Build::countRef(TreeId t, int index) {
    return m_screen->counts[static_cast<std::size_t>(tree(t).position)][static_cast<std::size_t>(index)];
}

bool Build::noticeTimerActive() const {
    return m_noticeTimer->isActive();
}

// ---------------------------------------------------------------- the click

bool Build::tierCheck(std::int16_t tier) {
    const int level = LevelsGained;
    if (level < tier - 2) {
        UnavailableReason = requiredLevelText(tier);
        return false;
    }
    // A reserved point does not raise the level, so its cap is one stricter.
    const int available = level + 1 - ClickedSkillPoints;
    const bool passes = SpendingReserved ? available >= tier : available >= tier - 1;
    if (!passes) {
        UnavailableReason = kPointCap;
    }
    return passes;
}

void Build::click(TreeId t, std::int16_t index) {
    if (!treeOnScreen(t) || index < 0 || index >= kSkillsPerTree) {
        return;
    }
    Scope scope(*this);
    std::int16_t& count = countRef(t, index);
    ClickedSkillPoints = count;

    if (count == kMaxSkillPoints) {
        UnavailableReason = kTwentyPoints;
        refuse();
        return;
    }
    if (LevelsGained + 1 == kMaxLevel) {
        UnavailableReason = kLevel99;
        refuse();
        return;
    }
    const Skill& s = skill(t, index);
    if (s.tier != 1 && !tierCheck(s.tier)) {
        refuse();
        return;
    }
    for (std::int8_t p : s.prerequisites) {
        if (p >= 0 && countRef(t, p) == 0) {
            UnavailableReason = kMissingPrerequisite;
            UnavailableReason += skill(t, p).messageName;
            refuse();
            return;
        }
    }

    const std::string_view suffix = entrySuffix(t, index);
    auto questPoint = [&](std::string_view head, std::string_view word, bool& pending) {
        ++count;
        std::string entry(head);
        entry += word;
        entry += "Slvl ";
        entry += std::to_string(count);
        entry += suffix;
        appendHistory(std::move(entry));
        pending = false;
    };
    auto word = [](const auto& words, std::int16_t counter) {
        return counter >= 0 && counter < static_cast<std::int16_t>(words.size()) ? words[counter]
                                                                                 : std::string_view{};
    };
    if (DenOfEvilCount != 0 && DenOfEvilPending) {
        questPoint("Den Of Evil:", word(kOnceADifficultyWords, DenOfEvilCount), DenOfEvilPending);
        return;
    }
    if (BookOfSkillCount != 0 && BookOfSkillPending) {
        questPoint("Book of Skill:", word(kOnceADifficultyWords, BookOfSkillCount), BookOfSkillPending);
        return;
    }
    if (IzualCount != 0 && IzualPending) {
        questPoint("Izual Quest Point:", word(kIzualWords, IzualCount), IzualPending);
        return;
    }

    if (SpendingReserved) {
        SpendingReserved = false;
        if (ReservedPoints < 1) {
            showNotice(kNoReserve);
        } else {
            ++count;
            std::string entry = "Reserved Slvl ";
            entry += std::to_string(count);
            entry += suffix;
            appendHistory(std::move(entry));
            --ReservedPoints;
            writeReserve();
        }
        RefreshAfterLevelUp();
        endOfGenerationCheck();
        return;
    }

    // An ordinary point: the next level-up.
    m_noticeTimer->stop();
    m_screen->noticeVisible = false;
    ++LevelsGained;
    ++count;
    writeLevelAndPoints();
    std::string entry = "Clvl ";
    entry += std::to_string(LevelsGained + 1);
    entry += " Slvl ";
    entry += std::to_string(count);
    entry += suffix;
    appendHistory(std::move(entry));
    RefreshAfterLevelUp();
    endOfGenerationCheck();
}

void Build::refuse() {
    // A quest point that was to go into the refused skill is given back.
    if (DenOfEvilPending &&
        !giveBackQuestPoint(DenOfEvilCount, DenOfEvilPending, menu.denOfEvilCaption, kDenOfEvilCaptions)) {
        return;
    }
    if (BookOfSkillPending && !giveBackQuestPoint(BookOfSkillCount, BookOfSkillPending,
                                                  menu.bookOfSkillCaption, kBookOfSkillRevertCaptions)) {
        return;
    }
    if (IzualPending) {
        --IzualCount;
        if (IzualCount >= 1) {
            setCaption(menu.deathOfIzualCaption, kIzualCaptions, IzualCount);
        }
        IzualPending = false;
    }
    showNotice(UnavailableReason);
    SpendingReserved = false;
    LastClickFailed = true;
    endOfGenerationCheck();
}

void Build::endOfGenerationCheck() {
    if (RandomDonePending && RandomLevelsLeft == 0) {
        m_dirty = true;
        changed(); // the screen shows the finished build behind the message
        m_toolkit.messageBox(std::string(kGenerationDone), std::string(kGenerationDoneTitle),
                             toolkit::Icon::Information, toolkit::Buttons::Ok);
        RandomDonePending = false;
    }
}

void Build::appendHistory(std::string entry) {
    m_screen->history.push_back(std::move(entry));
    m_screen->selected = static_cast<int>(m_screen->history.size()) - 1;
}

void Build::writeLevelAndPoints() {
    m_screen->levelLabel = "Level " + std::to_string(LevelsGained + 1);
    m_screen->pointsLabel = "Skill Points: " + withSignPosition(LevelsGained);
}

void Build::writeReserve() {
    if (m_screen) {
        m_screen->reserveLabel = "Reserved Points: " + std::to_string(ReservedPoints);
    }
}

// ------------------------------------------------------------- the notice

void Build::showNotice(std::string_view text) {
    if (!m_screen) {
        return;
    }
    Scope scope(*this);
    m_screen->notice = text;
    m_screen->noticeVisible = true;
    m_noticeTimer->stop();
    m_noticeTimer->start(kNoticeMilliseconds);
}

void Build::tim_Unavail_Timer() {
    Scope scope(*this);
    if (m_screen) {
        m_screen->noticeVisible = false;
    }
    m_noticeTimer->stop();
}

// ------------------------------------------------------------ quest points

void Build::questExhausted() {
    changed();
    m_toolkit.messageBox(std::string(kQuestExhausted), std::string(kQuestExhaustedTitle),
                         toolkit::Icon::Information, toolkit::Buttons::Ok);
}

bool Build::giveBackQuestPoint(std::int16_t& counter, bool& pending, std::string& caption,
                               const CaptionTable& captions) {
    --counter;
    if (counter < 0 || counter > 3) {
        questExhausted();
        return false;
    }
    setCaption(caption, captions, counter);
    pending = false;
    return true;
}

void Build::takeQuestPoint(std::int16_t& counter, bool& pending, std::int16_t limit, std::string& caption,
                           const CaptionTable& captions) {
    Scope scope(*this);
    ++counter;
    pending = true;
    if (counter < 0 || counter > limit) {
        questExhausted();
        return;
    }
    setCaption(caption, captions, counter);
    if (const auto t = treeByCode(ActiveTree)) {
        click(*t, ActiveSkillIndex);
    }
}

void Build::TakeDenOfEvilPoint() {
    takeQuestPoint(DenOfEvilCount, DenOfEvilPending, 3, menu.denOfEvilCaption, kDenOfEvilCaptions);
}

void Build::TakeBookOfSkillPoint() {
    takeQuestPoint(BookOfSkillCount, BookOfSkillPending, 3, menu.bookOfSkillCaption,
                   kBookOfSkillCommandCaptions);
}

void Build::TakeIzualPoint() {
    takeQuestPoint(IzualCount, IzualPending, 6, menu.deathOfIzualCaption, kIzualCaptions);
}

void Build::restoreNormalQuestCaptions() {
    Scope scope(*this);
    menu.bookOfSkillCaption = kBookOfSkillRevertCaptions[0];
    menu.denOfEvilCaption = kDenOfEvilCaptions[0];
}

void Build::RefreshAfterLevelUp() {
    if (!m_screen) {
        return;
    }
    Scope scope(*this);
    const int level = LevelsGained + 1;
    auto& tiers = m_screen->tierHighlighted;
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
        const std::int16_t counter = a.quest == Announcement::DenOfEvil     ? DenOfEvilCount
                                     : a.quest == Announcement::BookOfSkill ? BookOfSkillCount
                                                                            : IzualCount;
        if (a.level == level && a.due(counter)) {
            showNotice(a.text);
        }
    }
}

// ------------------------------------------------------------ the reserve

void Build::ReservePoint() {
    const auto t = treeByCode(ActiveTree);
    if (!t || !treeOnScreen(*t)) {
        return;
    }
    Scope scope(*this);
    // A reserved point is a level-up too, and no character passes level 99.
    if (LevelsGained + 1 >= kMaxLevel) {
        showNotice(kLevel99);
        return;
    }
    ++LevelsGained;
    ++ReservedPoints;
    writeReserve();
    appendHistory("Clvl " + std::to_string(LevelsGained + 1) + " Reserved For Later ");
    writeLevelAndPoints();
    RefreshAfterLevelUp();
}

void Build::UseReservedPoint() {
    const auto t = treeByCode(ActiveTree);
    if (!t || !treeOnScreen(*t)) {
        return;
    }
    Scope scope(*this);
    SpendingReserved = true;
    click(*t, ActiveSkillIndex);
}

// ------------------------------------------------------------------- undo

void Build::lbl_UndoLast_Click() {
    if (!m_screen || m_screen->history.empty()) {
        return;
    }
    Scope scope(*this);
    auto& history = m_screen->history;
    m_screen->selected = static_cast<int>(history.size()) - 1;
    const std::string entry = history.back();
    if (trimmed(entry).empty()) {
        return;
    }
    for (const SkillRef& s : suffixSearchOrder(m_screen->classId)) {
        if (contains(entry, entrySuffix(s.tree, s.index))) {
            --countRef(s.tree, s.index);
            break;
        }
    }
    if (contains(entry, "Reserved For Later")) {
        --LevelsGained;
        --ReservedPoints;
        writeReserve();
        writeLevelAndPoints();
    } else if (contains(entry, "Den Of Evil:")) {
        --DenOfEvilCount;
        setCaption(menu.denOfEvilCaption, kDenOfEvilCaptions, DenOfEvilCount);
    } else if (contains(entry, "Book of Skill")) {
        --BookOfSkillCount;
        setCaption(menu.bookOfSkillCaption, kBookOfSkillRevertCaptions, BookOfSkillCount);
    } else if (contains(entry, "Izual Quest Point:")) {
        --IzualCount;
        if (IzualCount >= 1) {
            setCaption(menu.deathOfIzualCaption, kIzualCaptions, IzualCount);
        }
    } else if (contains(entry, "Reserved Slvl")) {
        ++ReservedPoints;
        writeReserve();
    } else {
        --LevelsGained;
        writeLevelAndPoints();
    }
    history.pop_back();
    m_screen->selected = static_cast<int>(history.size()) - 1;
    RefreshAfterLevelUp();
}

// ------------------------------------------------------------------ reset

void Build::Reset() {
    Scope scope(*this);
    LevelsGained = 0;
    ReservedPoints = 0;
    DenOfEvilCount = 0;
    BookOfSkillCount = 0;
    IzualCount = 0;
    RandomDonePending = false;
    menu.deathOfIzualCaption = kIzualCaptions[0];
    menu.bookOfSkillCaption = kBookOfSkillRevertCaptions[0];
    menu.denOfEvilCaption = kDenOfEvilCaptions[0];
    if (!m_screen) {
        return;
    }
    for (auto& tree : m_screen->counts) {
        tree.fill(0);
    }
    m_screen->levelLabel = "Level 1";
    m_screen->pointsLabel = "Skill Points: " + std::to_string(LevelsGained);
    writeReserve();
    m_screen->history.clear();
    m_screen->selected = -1;
    std::fill(m_screen->tierHighlighted.begin() + 1, m_screen->tierHighlighted.end(), false);
}

// ------------------------------------------------------------ right click

void Build::prepareRightClick(TreeId t, std::int16_t index) {
    Scope scope(*this);
    const QuestOffer offer = questAvailability(LevelsGained, DenOfEvilCount, BookOfSkillCount, IzualCount, t);
    // The separator logic follows the menu's own history: with no quest
    // pending it ends up visible exactly when a quest entry is shown.
    if (offer.denOfEvil) {
        menu.reserveSpacerVisible = true;
        menu.denOfEvilVisible = true;
    } else {
        menu.reserveSpacerVisible = false;
        menu.denOfEvilVisible = false;
    }
    if (offer.bookOfSkill) {
        menu.reserveSpacerVisible = true;
        menu.bookOfSkillVisible = true;
    } else {
        if (menu.reserveSpacerVisible && DenOfEvilPending) {
            menu.reserveSpacerVisible = false;
        }
        menu.bookOfSkillVisible = false;
    }
    if (offer.deathOfIzual) {
        menu.reserveSpacerVisible = true;
        menu.deathOfIzualVisible = true;
    } else {
        if (menu.reserveSpacerVisible && BookOfSkillPending && DenOfEvilPending) {
            menu.reserveSpacerVisible = false;
        }
        menu.deathOfIzualVisible = false;
    }
    ActiveTree = tree(t).code;
    ActiveSkillIndex = index;
    ActiveSkillPoints = treeOnScreen(t) && index >= 0 && index < kSkillsPerTree ? countRef(t, index) : 0;
}

} // namespace skillwright::model
