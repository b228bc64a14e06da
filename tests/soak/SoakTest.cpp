// Long seeded random play through the whole program: the real Program with
// its real screens, driven by QTest mouse and key events, the scripted
// toolkit answering the modal boxes and keeping the clock. After every
// completed action the screen is read back (count labels, status labels, the
// history list, the skill menu's captions, saved reports) and held to the
// build's rules; the model's own bookkeeping is never consulted, except for
// the pending flags, which no widget shows. The player also holds the plan
// (the tree screen shown and its history) as it last saw it: an action that
// must leave the plan alone (the viewer, Esc there, hovers) or that puts a
// known one in its place (a class, CHANGE CLASS) is held to it, and a fill
// the player led away from must stop where it was. Keys go where the
// keyboard is, as a player's do; a program ended by Esc is started again.
//
// SKILLWRIGHT_SOAK_SEED=<n>     play that seed alone (with a time: the first seed)
// SKILLWRIGHT_SOAK_SECONDS=<s>  play seed after seed until the time is up
// SKILLWRIGHT_SOAK_ACTIONS=<n>  actions per seed (default 2000)
#include <model/Build.h>
#include <model/Catalogue.h>
#include <screens/common/CharacterOpener.h>
#include <screens/common/ScreenKit.h>
#include <toolkit/ScriptedToolkit.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <Program.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define SW_DEATH_CALLBACK 1
#endif

using namespace skillwright;
using model::ClassId;
using model::TreeId;

namespace {

// ---- The history list, read entry by entry ----

bool eat(std::string_view& s, std::string_view head) {
    if (!s.starts_with(head)) {
        return false;
    }
    s.remove_prefix(head.size());
    return true;
}

/// Plain decimal digits, no sign, no leading zero.
bool number(std::string_view& s, int& n) {
    std::size_t k = 0;
    n = 0;
    while (k < s.size() && k < 6 && s[k] >= '0' && s[k] <= '9') {
        n = n * 10 + (s[k] - '0');
        ++k;
    }
    if (k == 0 || (k > 1 && s[0] == '0')) {
        return false;
    }
    s.remove_prefix(k);
    return true;
}

enum Quest { DenOfEvil, BookOfSkill, Izual };
constexpr std::array<std::string_view, 3> kDifficulties{"Normal", "Nightmare", "Hell"};

/// What the history on screen says the build is, or the first entry that
/// breaks a rule.
struct Replay {
    int levelUps = 0;
    int reserve = 0;
    std::array<int, 3> quests{};
    std::map<std::string, int, std::less<>> counts;
    std::string fault;
};

Replay replay(const std::vector<std::string>& history, const std::set<std::string, std::less<>>& skills) {
    Replay r;
    for (std::size_t i = 0; i < history.size() && r.fault.empty(); ++i) {
        std::string_view s = history[i];
        const auto bad = [&](const char* why) {
            r.fault = "entry " + std::to_string(i + 1) + " \"" + history[i] + "\": " + why;
        };
        int n = 0;
        int quest = -1;
        if (eat(s, "Clvl ")) {
            if (!number(s, n) || n != r.levelUps + 2) {
                bad("not the next character level");
                break;
            }
            ++r.levelUps;
            if (s == " Reserved For Later ") {
                ++r.reserve;
                continue;
            }
            eat(s, " ");
        } else if (eat(s, "Reserved ")) {
            if (--r.reserve < 0) {
                bad("spends a reserved point that was never set aside");
            }
        } else if (eat(s, "Den Of Evil: ")) {
            quest = DenOfEvil;
        } else if (eat(s, "Book of Skill: ")) {
            quest = BookOfSkill;
        } else if (eat(s, "Izual Quest Point:")) {
            quest = Izual;
        }
        if (quest >= 0) {
            const int k = ++r.quests[static_cast<std::size_t>(quest)];
            const int limit = quest == Izual ? 6 : 3;
            if (k > limit) {
                bad("quest taken more often than it gives");
                break;
            }
            const std::string word =
                quest == Izual ? "(" + std::to_string((k - 1) % 2 + 1) + ") " +
                                     std::string(kDifficulties[static_cast<std::size_t>((k - 1) / 2)])
                               : std::string(kDifficulties[static_cast<std::size_t>(k - 1)]);
            if (!eat(s, word + " ")) {
                bad("wrong difficulty for the quest's count");
                break;
            }
        }
        if (!eat(s, "Slvl ") || !number(s, n) || !eat(s, ": ")) {
            bad("no entry form");
            break;
        }
        if (!skills.contains(s)) {
            bad("names no skill of this class");
            break;
        }
        int& count = r.counts[std::string(s)];
        if (n != ++count) {
            bad("Slvl is not the skill's next count");
        } else if (count > 20) {
            bad("more than 20 points");
        }
    }
    if (r.fault.empty() && r.levelUps > 98) {
        r.fault = "character level above 99";
    }
    return r;
}

std::string difficultyOfNext(int quest, int taken) {
    const int step = quest == Izual ? taken / 2 : taken;
    return std::string(kDifficulties[static_cast<std::size_t>(std::min(step, 2))]);
}

bool questOffered(int quest, int level, int taken, bool amazonJS) {
    struct Row {
        int level;
        int below;
    };
    const std::array<std::array<Row, 3>, 3> table{{
        {{{amazonJS ? 40 : 35, 3}, {amazonJS ? 25 : 24, 2}, {3, 1}}},
        {{{45, 3}, {30, 2}, {15, 1}}},
        {{{59, 6}, {39, 4}, {23, 2}}},
    }};
    for (const Row& row : table[static_cast<std::size_t>(quest)]) {
        if (level >= row.level && taken < row.below) {
            return true;
        }
    }
    return false;
}

std::string str(const QString& s) {
    return s.toStdString();
}

QString qstr(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string printable(const std::string& s) {
    std::string out;
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        } else {
            out += c;
        }
    }
    return out.size() > 60 ? out.substr(0, 40) + "...(" + std::to_string(s.size()) + " bytes)" : out;
}

// ---- The player ----

enum class Where { Start, Generator, Tree, Viewer, Anywhere };

class Soak;
struct Action {
    const char* name;
    Where where;
    int weight;
    void (Soak::*play)();
};

/// The trace of the seed being played, for the sanitizers' last words.
std::vector<std::string>* g_trace = nullptr;

/// How far the play reached, over all seeds: the closing line tells.
struct Reach {
    int highestLevel = 0;
    int mostQuestPoints = 0;
    int mostReserved = 0;
    int fullSkills = 0;
    int reports = 0;
    int reportsOpened = 0;
    int failedSaves = 0;
    int menuPicks = 0;
    int viewers = 0;
    int fillsLeft = 0;
    int restarts = 0;
} g_reach;

class Soak {
public:
    Soak(std::uint64_t seed, const QString& folder) : m_rng(seed), m_draws(seed ^ 0x5eed) {
        toolkit.folder = str(folder);
        toolkit.randomSource = [this] { return std::uniform_real_distribution<double>(0.0, 1.0)(m_draws); };
        toolkit.onProcessEvents = [this] { playerDuringFill(); };
        startProgram();
        g_trace = &m_trace;
    }
    ~Soak() {
        g_trace = nullptr;
        toolkit.onProcessEvents = nullptr;
    }
    Soak(const Soak&) = delete;
    Soak& operator=(const Soak&) = delete;

    /// Plays `count` actions; returns the first broken rule, or "".
    std::string play(int count) {
        while (m_actions < count && m_problem.empty()) {
            playOne();
        }
        return m_problem;
    }
    [[nodiscard]] int actions() const { return m_actions; }
    [[nodiscard]] std::string trace() const {
        std::string out;
        for (const std::string& line : m_trace) {
            out += line + "\n";
        }
        return out;
    }

    toolkit::ScriptedToolkit toolkit;
    model::Build build;
    [[nodiscard]] app::Program& program() { return *m_program; }
    [[nodiscard]] const app::Program& program() const { return *m_program; }

    // The actions, each on the window it needs.
    void chooseClass();
    void openGenerator();
    void contactMenu();
    void hoverStart();
    void pickOption();
    void typeLevel();
    void generate();
    void cancelGenerator();
    void hoverGenerator();
    void leftClick();
    void rightClick();
    void undoLast();
    void reset();
    void changeClass();
    void historyKeys();
    void save();
    void hoverTree();
    void letTimePass();
    void closeViewer();
    void openViewer();
    void pressEscape();
    void openSavedReport() { openSavedReport(false); }
    void dropSavedReport() { openSavedReport(true); }
    void openSavedReport(bool byDrop);

private:
    /// The tree screen shown (its objectName, empty for none) and its history.
    struct Plan {
        QString screen;
        std::vector<std::string> history;
        friend bool operator==(const Plan&, const Plan&) = default;
    };
    /// What an action may do to the plan.
    enum class PlanEffect { Free, Keeps, Replaces };

    void startProgram();
    void playOne();
    [[nodiscard]] Plan planOnScreen() const;
    [[nodiscard]] static std::string describe(const Plan& plan);
    /// The action leaves the plan as it was.
    void keepsPlan() { m_effect = PlanEffect::Keeps; }
    /// The action puts `plan` in the place of the plan, and a fill running
    /// must stop first.
    void replacesPlan(Plan plan) {
        m_effect = PlanEffect::Replaces;
        m_expected = std::move(plan);
        m_leaves = true;
    }
    /// The action leads away from the plan on screen (the generator opens,
    /// the program ends): a fill running must stop where it is.
    void leavesPlan() {
        keepsPlan();
        m_leaves = true;
    }
    bool reachable(Where where);
    void note(const std::string& what) { m_trace.back() += what; }
    void fail(const std::string& problem) {
        if (m_problem.empty()) {
            m_problem = problem;
        }
    }
    int draw(int n) { return static_cast<int>(m_rng() % static_cast<std::uint64_t>(n)); }
    bool chance(int oneIn) { return draw(oneIn) == 0; }
    void playerDuringFill();
    void check();
    void checkTreeScreen(screens::SkillTreeScreen& screen);
    void checkSavedReport(const std::string& name, std::size_t messagesBefore);
    QAction* popSkillMenu(QMenu& menu);
    [[nodiscard]] screens::SkillTreeScreen* shownTree() const;
    [[nodiscard]] QWidget* shownViewer() const;
    [[nodiscard]] std::vector<std::string> history() const;
    [[nodiscard]] std::set<std::string, std::less<>> skillsOf(ClassId classId) const;
    template <typename T = QWidget> T* child(QWidget* parent, const QString& name) {
        T* w = parent ? parent->findChild<T*>(name) : nullptr;
        if (w == nullptr) {
            fail("no control " + str(name));
        }
        return w;
    }

    std::mt19937_64 m_rng;
    std::mt19937_64 m_draws; ///< the program's own random numbers
    std::vector<std::string> m_trace;
    std::string m_problem;
    int m_actions = 0;
    int m_depth = 0;      ///< actions in progress
    int m_generating = 0; ///< generations in progress
    std::optional<TreeId> m_rightClickedTree;
    bool m_pickStats = false; ///< the skill menu is to run "&Skill Stats"
    QString m_favourite;      ///< the icon clicked last, often clicked again
    std::optional<app::Program> m_program;
    bool m_programEnded = false;
    Plan m_held; ///< the plan as the player last saw it
    PlanEffect m_effect = PlanEffect::Free;
    Plan m_expected;       ///< what a Replaces action leaves
    bool m_leaves = false; ///< the action led away from the plan
    /// A generation the player led away from while it filled: the plan it
    /// must have stopped at, and the messages shown by then.
    std::optional<Plan> m_fillLeftAt;
    std::size_t m_messagesWhenLeft = 0;
    /// Reports saved and kept to be opened again, with the history they hold.
    struct KeptReport {
        std::string path;
        ClassId classId;
        std::vector<std::string> entries;
    };
    std::vector<KeptReport> m_kept;
};

// clang-format off
const std::array<Action, 25> kActions{{
    {"choose a class",         Where::Start,     6, &Soak::chooseClass},
    {"open the generator",     Where::Start,     3, &Soak::openGenerator},
    {"contact menu",           Where::Start,     1, &Soak::contactMenu},
    {"hover the start screen", Where::Start,     2, &Soak::hoverStart},
    {"pick a class option",    Where::Generator, 4, &Soak::pickOption},
    {"type a level",           Where::Generator, 4, &Soak::typeLevel},
    {"generate",               Where::Generator, 5, &Soak::generate},
    {"cancel the generator",   Where::Generator, 1, &Soak::cancelGenerator},
    {"hover the generator",    Where::Generator, 1, &Soak::hoverGenerator},
    {"left click",             Where::Tree,     60, &Soak::leftClick},
    {"right click",            Where::Tree,     22, &Soak::rightClick},
    {"UNDO LAST",              Where::Tree,     12, &Soak::undoLast},
    {"RESET",                  Where::Tree,      1, &Soak::reset},
    {"CHANGE CLASS",           Where::Tree,      1, &Soak::changeClass},
    {"keys in the history",    Where::Tree,      2, &Soak::historyKeys},
    {"SAVE",                   Where::Tree,      2, &Soak::save},
    {"hover the tree screen",  Where::Tree,      4, &Soak::hoverTree},
    {"let time pass",          Where::Anywhere,  2, &Soak::letTimePass},
    {"close the viewer",       Where::Viewer,    3, &Soak::closeViewer},
    {"open the viewer",        Where::Tree,      2, &Soak::openViewer},
    {"press Esc",              Where::Anywhere,  1, &Soak::pressEscape},
    {"open a saved report",    Where::Tree,      2, &Soak::openSavedReport},
    {"open a saved report",    Where::Start,     1, &Soak::openSavedReport},
    {"drop a saved report",    Where::Tree,      2, &Soak::dropSavedReport},
    {"drop a saved report",    Where::Start,     1, &Soak::dropSavedReport},
}};
// clang-format on

constexpr std::array<const char*, 5> kClassNames{"Amazon", "Barbarian", "Necromancer", "Paladin",
                                                 "Sorceress"};
constexpr std::array<const char*, 6> kOptions{"opt_Random",      "opt_Amazon",  "opt_Barbarian",
                                              "opt_Necromancer", "Opt_Paladin", "opt_Sorceress"};

screens::SkillTreeScreen* Soak::shownTree() const {
    screens::SkillTreeScreen* screen = program().treeScreen();
    return screen != nullptr && screen->isVisible() ? screen : nullptr;
}

QWidget* Soak::shownViewer() const {
    QWidget* viewer = program().statsViewer();
    return viewer != nullptr && viewer->isVisible() ? viewer : nullptr;
}

void Soak::startProgram() {
    m_program.emplace(build, toolkit);
    program().menu().setPopper([this](QMenu& menu, QPoint) { return popSkillMenu(menu); });
    program().start();
    QCoreApplication::processEvents(); // as the event loop does once the start screen is up
    m_held = planOnScreen();
}

Soak::Plan Soak::planOnScreen() const {
    const screens::SkillTreeScreen* screen = shownTree();
    return {screen ? screen->objectName() : QString(), history()};
}

std::string Soak::describe(const Plan& plan) {
    std::string text = plan.screen.isEmpty() ? "no tree screen" : str(plan.screen);
    text += " with " + std::to_string(plan.history.size()) + " entries";
    if (!plan.history.empty()) {
        text += ", the last \"" + plan.history.back() + "\"";
    }
    return text;
}

bool Soak::reachable(Where where) {
    // The generator dialog is application modal: nothing else takes input.
    QWidget* dialog = program().generatorDialog();
    if (dialog != nullptr && dialog->isVisible()) {
        return where == Where::Generator || where == Where::Anywhere;
    }
    switch (where) {
    case Where::Start:
        return program().startScreen().isVisible();
    case Where::Tree:
        return shownTree() != nullptr;
    case Where::Viewer:
        return shownViewer() != nullptr;
    case Where::Anywhere:
        return true;
    case Where::Generator:
        return false;
    }
    return false;
}

void Soak::playOne() {
    int total = 0;
    std::array<bool, kActions.size()> open{};
    for (std::size_t a = 0; a < kActions.size(); ++a) {
        open[a] = reachable(kActions[a].where);
        total += open[a] ? kActions[a].weight : 0;
    }
    int pick = draw(total);
    std::size_t a = 0;
    while (!open[a] || pick >= kActions[a].weight) {
        pick -= open[a] ? kActions[a].weight : 0;
        ++a;
    }
    ++m_actions;
    m_trace.push_back("#" + std::to_string(m_actions) + (m_depth > 0 ? " (during a fill) " : " ") +
                      kActions[a].name);
    if (std::getenv("SKILLWRIGHT_SOAK_TRACE") != nullptr) {
        std::fprintf(stderr, "%s\n", m_trace.back().c_str());
    }
    // Between two actions the plan stays as the player saw it, unless a fill
    // is running, which moves it on.
    const Plan before = planOnScreen();
    if (m_depth == 0 && before != m_held) {
        fail("between two actions the plan went from " + describe(m_held) + " to " + describe(before));
    }
    m_held = before;
    m_effect = PlanEffect::Free;
    m_leaves = false;
    ++m_depth;
    (this->*kActions[a].play)();
    --m_depth;
    toolkit.answers.clear();
    toolkit.inputs.clear();
    if (m_depth == 0) {
        // Back in the event loop: what was posted runs, windows closed by a
        // command go.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const Plan after = planOnScreen();
    if (m_effect == PlanEffect::Keeps && after != m_held) {
        fail(std::string(kActions[a].name) + " changed the plan from " + describe(m_held) + " to " +
             describe(after));
    } else if (m_effect == PlanEffect::Replaces && after != m_expected) {
        fail(std::string(kActions[a].name) + " left " + describe(after) + " instead of " +
             describe(m_expected));
    }
    if (m_leaves && m_depth > 0 && m_generating > 0) {
        m_fillLeftAt = after;
        m_messagesWhenLeft = toolkit.messages.size();
    }
    m_held = after;
    check();
    if (m_programEnded && m_depth == 0) {
        // The player starts the program again.
        m_programEnded = false;
        m_program.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        startProgram();
        ++g_reach.restarts;
        m_trace.back() += " (the program ended and was started again)";
    }
    if (!m_problem.empty()) {
        m_trace.back() += "   <-- " + m_problem;
    }
}

void Soak::playerDuringFill() {
    // Between two generated points the player may act, once in a while.
    if (m_generating == 0 || m_depth > 1 || !m_problem.empty() || !chance(12)) {
        return;
    }
    QCoreApplication::processEvents();
    playOne();
}

// ---- Start screen ----

void Soak::chooseClass() {
    const int pick = draw(5);
    const char* name = kClassNames[static_cast<std::size_t>(pick)];
    replacesPlan(
        {qstr(model::classInfo(screens::StartScreen::kClassOrder[static_cast<std::size_t>(pick)]).screenName),
         {}});
    if (chance(2)) {
        note(QStringLiteral(": lbl_%1").arg(QLatin1String(name)).toStdString());
        QTest::mouseClick(
            child<QLabel>(&program().startScreen(), QStringLiteral("lbl_") + QLatin1String(name)),
            Qt::LeftButton);
    } else {
        const Qt::MouseButton button = std::array{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}[draw(3)];
        note(": press on img_" + std::string(name) + "(0), button " +
             std::to_string(static_cast<int>(button)));
        QTest::mousePress(
            child(&program().startScreen(), QStringLiteral("img_%1(0)").arg(QLatin1String(name))), button);
    }
}

void Soak::openGenerator() {
    leavesPlan();
    const bool byRandom = chance(2);
    note(byRandom ? ": lbl_Random" : ": Command1");
    QTest::mouseClick(byRandom ? child(&program().startScreen(), QStringLiteral("lbl_Random"))
                               : child(&program().startScreen(), QStringLiteral("Command1")),
                      Qt::LeftButton);
}

void Soak::contactMenu() {
    keepsPlan();
    const bool quennick = chance(2);
    note(quennick ? ": img_Quennick" : ": img_Orrindel");
    QTest::mousePress(child(&program().startScreen(),
                            quennick ? QStringLiteral("img_Quennick") : QStringLiteral("img_Orrindel")),
                      Qt::LeftButton);
}

void Soak::hoverStart() {
    keepsPlan();
    const QList<QWidget*> all = program().startScreen().findChildren<QWidget*>();
    QWidget* target = all.isEmpty() ? &program().startScreen() : all[draw(static_cast<int>(all.size()))];
    note(": over " + str(target->objectName()));
    if (target->isVisible()) {
        QTest::mouseMove(target);
    }
}

// ---- Generator dialog ----

void Soak::pickOption() {
    keepsPlan();
    const char* option = kOptions[static_cast<std::size_t>(draw(6))];
    note(std::string(": ") + option);
    QTest::mouseClick(child<QRadioButton>(program().generatorDialog(), QLatin1String(option)), Qt::LeftButton,
                      {}, QPoint(8, 13));
}

void Soak::typeLevel() {
    keepsPlan();
    static const std::array<const char*, 18> kTexts{"",    "0",   "1",   "2",   "5",     "12",
                                                    "30",  "75",  "76",  "80",  "-3",    "abc",
                                                    "7.5", "2.5", " 9 ", "1e1", "99999", "40"};
    auto* box = child<QLineEdit>(program().generatorDialog(), QStringLiteral("txt_Level"));
    if (box == nullptr) {
        return;
    }
    const char* text = kTexts[static_cast<std::size_t>(draw(static_cast<int>(kTexts.size())))];
    note(": \"" + std::string(text) + "\"");
    // Select what is there and type over it, as a player does.
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, QLatin1String(text));
}

void Soak::generate() {
    QWidget* dialog = program().generatorDialog();
    const bool yes = !chance(4);
    toolkit.answers.push_back(yes ? toolkit::Answer::Yes : toolkit::Answer::No);
    const int how = draw(3);
    note(std::string(yes ? ": Yes" : ": No") + (how == 0 ? " by lbl_Generate" : " by Enter"));
    ++m_generating;
    if (how == 0) {
        QTest::mouseClick(child<QLabel>(dialog, QStringLiteral("lbl_Generate")), Qt::LeftButton);
    } else if (how == 1) {
        QTest::keyClick(child<QLineEdit>(dialog, QStringLiteral("txt_Level")), Qt::Key_Return);
    } else {
        QTest::keyClick(child(dialog, QLatin1String(kOptions[static_cast<std::size_t>(draw(6))])),
                        Qt::Key_Return);
    }
    --m_generating;
    // The actions played during the fill had plans of their own; this one
    // made a new plan (or, on No, none).
    m_effect = PlanEffect::Free;
    m_leaves = false;
    if (m_fillLeftAt) {
        // Led away from while it filled: the fill stopped there, untold.
        const Plan now = planOnScreen();
        if (now != *m_fillLeftAt) {
            fail("the fill went on after the player left it: " + describe(*m_fillLeftAt) + " became " +
                 describe(now));
        }
        for (std::size_t m = m_messagesWhenLeft; m < toolkit.messages.size(); ++m) {
            if (toolkit.messages[m].title == "Generation Complete") {
                fail("\"Generation Complete\" after the player left the fill");
            }
        }
        m_fillLeftAt.reset();
        ++g_reach.fillsLeft;
    }
}

void Soak::cancelGenerator() {
    keepsPlan();
    QWidget* dialog = program().generatorDialog();
    if (chance(2)) {
        note(": lbl_Cancel");
        QTest::mouseClick(child<QLabel>(dialog, QStringLiteral("lbl_Cancel")), Qt::LeftButton);
    } else {
        note(": Esc");
        QTest::keyClick(child<QLineEdit>(dialog, QStringLiteral("txt_Level")), Qt::Key_Escape);
    }
}

void Soak::hoverGenerator() {
    keepsPlan();
    const char* over = std::array{"lbl_Generate", "lbl_Cancel", "Label1"}[draw(3)];
    note(std::string(": over ") + over);
    QTest::mouseMove(child(program().generatorDialog(), QLatin1String(over)));
}

// ---- Tree screen ----

void Soak::leftClick() {
    screens::SkillTreeScreen* screen = shownTree();
    QString icon = m_favourite;
    if (icon.isEmpty() || screen->findChild<QWidget*>(icon) == nullptr || chance(2)) {
        // Mostly skills whose tier is open, so that characters grow old.
        const auto& trees = model::classInfo(screen->classId()).trees;
        const TreeId tree = trees[static_cast<std::size_t>(draw(3))];
        int index = draw(10);
        const QString levelText = child<QLabel>(screen, QStringLiteral("lbl_CharLevel"))->text();
        const int level = levelText.section(QLatin1Char(' '), -1).toInt();
        for (int tries = 0; tries < 3 && model::skill(tree, index).tier > level + 1; ++tries) {
            index = draw(10);
        }
        icon = qstr(model::tree(tree).iconArray) + QStringLiteral("(%1)").arg(index);
        m_favourite = icon;
    }
    note(": " + str(icon));
    QTest::mouseClick(child(screen, icon), Qt::LeftButton);
}

void Soak::rightClick() {
    screens::SkillTreeScreen* screen = shownTree();
    const auto& trees = model::classInfo(screen->classId()).trees;
    const TreeId tree = trees[static_cast<std::size_t>(draw(3))];
    const QString icon = qstr(model::tree(tree).iconArray) + QStringLiteral("(%1)").arg(draw(10));
    note(": " + str(icon));
    m_rightClickedTree = tree;
    QTest::mouseClick(child(screen, icon), Qt::RightButton);
    m_rightClickedTree.reset();
}

QAction* Soak::popSkillMenu(QMenu& menu) {
    if (menu.objectName() != QLatin1String("mnu_ReserveMenu")) {
        // A contact menu: an entry or nothing.
        const QList<QAction*> entries = menu.actions();
        QAction* chosen = chance(3) ? nullptr : entries[draw(static_cast<int>(entries.size()))];
        note(chosen ? " -> " + str(chosen->text()) : " -> dismissed");
        return chosen;
    }
    // What the player sees as the menu opens: the quest captions name the
    // difficulty of the next point, and only the points due are offered.
    screens::SkillTreeScreen* screen = shownTree();
    if (screen != nullptr && m_rightClickedTree) {
        const Replay r = replay(history(), skillsOf(screen->classId()));
        const int level = r.levelUps + 1;
        const std::array<const char*, 3> names{"mnu_DenOfEvil", "mnu_BookOfSkill", "mnu_DeathOfIzual"};
        bool anyOffered = false;
        for (int q = 0; q < 3; ++q) {
            auto* entry =
                program().menu().findChild<QAction*>(QLatin1String(names[static_cast<std::size_t>(q)]));
            const int taken = r.quests[static_cast<std::size_t>(q)];
            const std::string d = difficultyOfNext(q, taken);
            const std::string caption = str(entry->text());
            const bool captionRight = q == DenOfEvil ? caption == "&Den Of Evil (" + d + ")"
                                      : q == Izual   ? caption == "&Death of Izual (" + d + ")"
                                                     : caption == "&Book Of Skill (" + d + ")" ||
                                                         caption == "&Book of Skill (" + d + ")";
            if (!captionRight) {
                fail(std::string(names[static_cast<std::size_t>(q)]) + " reads \"" + caption + "\" after " +
                     std::to_string(taken) + " points taken");
            }
            const bool offered = questOffered(q, level, taken, *m_rightClickedTree == TreeId::AmazonJS);
            anyOffered = anyOffered || offered;
            if (entry->isVisible() != offered) {
                fail(std::string(names[static_cast<std::size_t>(q)]) + (offered ? " hidden" : " shown") +
                     " at level " + std::to_string(level) + " with " + std::to_string(taken) + " taken");
            }
        }
        if (program().menu().findChild<QAction*>(QStringLiteral("mnu_ReserveSpacer"))->isVisible() !=
            anyOffered) {
            fail("the separator above the quest entries disagrees with the entries");
        }
    }
    if (m_pickStats) {
        ++g_reach.menuPicks;
        return program().menu().findChild<QAction*>(QStringLiteral("mnu_SkillInfo"));
    }
    // Mostly an entry that is shown; sometimes a dismissed menu, or a pick
    // of a hidden entry that the menu must ignore.
    const QList<QAction*> all = menu.actions();
    QList<QAction*> shown;
    for (QAction* a : all) {
        if (a->isVisible() && !a->isSeparator()) {
            shown << a;
        }
    }
    QAction* chosen = nullptr;
    const int way = draw(10);
    if (way == 0) {
        chosen = nullptr;
    } else if (way == 1) {
        chosen = all[draw(static_cast<int>(all.size()))];
    } else if (!shown.isEmpty()) {
        chosen = shown[draw(static_cast<int>(shown.size()))];
    }
    g_reach.menuPicks += chosen != nullptr && chosen->isVisible() ? 1 : 0;
    note(chosen ? " -> " + str(chosen->objectName()) + (chosen->isVisible() ? "" : " (hidden)")
                : " -> dismissed");
    return chosen;
}

void Soak::undoLast() {
    QTest::mouseClick(child(shownTree(), QStringLiteral("lbl_UndoLast")), Qt::LeftButton);
}

void Soak::reset() {
    replacesPlan({shownTree()->objectName(), {}});
    QTest::mouseClick(child(shownTree(), QStringLiteral("lbl_Reset")), Qt::LeftButton);
}

void Soak::changeClass() {
    replacesPlan({});
    QTest::mouseClick(child(shownTree(), QStringLiteral("lbl_ChangeClass")), Qt::LeftButton);
}

void Soak::historyKeys() {
    auto* list = child<QListWidget>(shownTree(), QStringLiteral("lb_SkillsPerLevel"));
    const Qt::Key key = std::array{Qt::Key_Escape, Qt::Key_Up,     Qt::Key_Down, Qt::Key_Home,
                                   Qt::Key_End,    Qt::Key_PageUp, Qt::Key_A,    Qt::Key_Return}[draw(8)];
    note(": key " + str(QKeySequence(key).toString()));
    if (key == Qt::Key_Escape) {
        replacesPlan({}); // as CHANGE CLASS
    } else {
        keepsPlan();
    }
    QTest::keyClick(list, key);
}

void Soak::save() {
    static const std::array<std::string, 14> kNames{"Hero",
                                                    "",
                                                    "a/b",
                                                    std::string(300, 'x'),
                                                    "tab\there",
                                                    "bell\x07",
                                                    "line\nbreak",
                                                    "cr\rreturn",
                                                    std::string("nul\0byte", 8),
                                                    "\xC3\x86r\xC3\xB8",
                                                    "..",
                                                    "  spaced  ",
                                                    "Char_7",
                                                    std::string(251, 'y')};
    const std::string name = kNames[static_cast<std::size_t>(draw(static_cast<int>(kNames.size())))];
    note(": \"" + printable(name) + "\"");
    keepsPlan();
    toolkit.inputs.push_back(name);
    const std::size_t before = toolkit.messages.size();
    QTest::mouseClick(child(shownTree(), QStringLiteral("lbl_Save")), Qt::LeftButton);
    checkSavedReport(name, before);
}

void Soak::openSavedReport(bool byDrop) {
    if (m_kept.empty()) {
        note(": none kept");
        return;
    }
    const KeptReport kept = m_kept[static_cast<std::size_t>(draw(static_cast<int>(m_kept.size())))];
    note(": " + printable(kept.path.substr(kept.path.rfind('/') + 1)));
    screens::SkillTreeScreen* before = shownTree();
    const bool asks = before != nullptr && before->hasUnsavedPoints();
    const bool replace = !asks || chance(2);
    if (asks) {
        toolkit.answers.push_back(replace ? toolkit::Answer::Yes : toolkit::Answer::No);
    }
    const std::size_t messagesBefore = toolkit.messages.size();
    if (replace) {
        replacesPlan({QString::fromLatin1(model::classInfo(kept.classId).screenName), kept.entries});
    } else {
        keepsPlan();
    }
    toolkit.openFiles.push_back(kept.path);
    if (byDrop) { // as the platform delivers it; it opens once the drop is over
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(kept.path))});
        QWidget* target = before != nullptr ? static_cast<QWidget*>(before) : &program().startScreen();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QCoreApplication::processEvents();
    } else if (before != nullptr) {
        emit before->characterOpener().openRequested(); // Ctrl+O
    } else {
        QTest::mouseClick(child<QPushButton>(&program().startScreen(), QStringLiteral("cmd_OpenCharacter")),
                          Qt::LeftButton);
    }
    toolkit.openFiles.clear();
    if (toolkit.messages.size() != messagesBefore + (asks ? 1 : 0)) {
        fail("opening a saved report said \"" + toolkit.messages.back().text + "\"");
        return;
    }
    if (replace && shownTree() != nullptr && shownTree()->hasUnsavedPoints()) {
        fail("a character just opened counts as unsaved");
    }
    ++g_reach.reportsOpened;
}

void Soak::hoverTree() {
    keepsPlan();
    screens::SkillTreeScreen* screen = shownTree();
    const int what = draw(4);
    if (what == 0) {
        note(": over the bare screen");
        QTest::mouseMove(screen, QPoint(5 + draw(200), 5 + draw(300)));
        return;
    }
    QString name;
    if (what == 1) {
        name = QLatin1String(
            std::array{"lbl_Save", "lbl_Reset", "lbl_ChangeClass", "lbl_UndoLast", "lbl_Close"}[draw(5)]);
    } else {
        const TreeId tree = model::classInfo(screen->classId()).trees[static_cast<std::size_t>(draw(3))];
        name = qstr(model::tree(tree).iconArray) + QStringLiteral("(%1)").arg(draw(10));
    }
    note(": over " + str(name));
    QTest::mouseMove(child(screen, name));
}

void Soak::letTimePass() {
    keepsPlan();
    const int ms = std::array{100, 1000, 4999, 5000, 6000}[draw(5)];
    note(": " + std::to_string(ms) + " ms");
    toolkit.advance(ms);
}

void Soak::closeViewer() {
    keepsPlan();
    QWidget* viewer = shownViewer();
    if (chance(2)) {
        note(": Close Window");
        QTest::mouseClick(child(viewer, QStringLiteral("Label1")), Qt::LeftButton);
    } else {
        note(": Esc");
        QTest::keyClick(viewer, Qt::Key_Escape);
    }
}

void Soak::openViewer() {
    keepsPlan();
    screens::SkillTreeScreen* screen = shownTree();
    const TreeId tree = model::classInfo(screen->classId()).trees[static_cast<std::size_t>(draw(3))];
    const QString icon = qstr(model::tree(tree).iconArray) + QStringLiteral("(%1)").arg(draw(10));
    note(": " + str(icon));
    m_rightClickedTree = tree;
    m_pickStats = true;
    QTest::mouseClick(child(screen, icon), Qt::RightButton);
    m_pickStats = false;
    m_rightClickedTree.reset();
    QCoreApplication::processEvents(); // the platform's word on the active window
    QWidget* viewer = shownViewer();
    if (viewer == nullptr) {
        fail("\"&Skill Stats\" showed no viewer");
        return;
    }
    ++g_reach.viewers;
    if (QWidget* active = QApplication::activeWindow(); active != viewer) {
        fail("the viewer opened without the keyboard, which is on " +
             (active ? str(active->objectName()) : std::string("no window")));
    }
}

void Soak::pressEscape() {
    // Esc goes where the keyboard is: the focused control of the active window.
    QWidget* window = QApplication::activeWindow();
    if (window == nullptr || !window->isVisible()) {
        fail("no window shown has the keyboard");
        return;
    }
    QWidget* focus = QApplication::focusWidget();
    note(": in " + str(window->objectName()) + (focus ? ", on " + str(focus->objectName()) : std::string()));
    QWidget* viewer = shownViewer();
    QWidget* dialog = program().generatorDialog();
    screens::SkillTreeScreen* tree = shownTree();
    const bool endsProgram = window == &program().startScreen();
    if (endsProgram) {
        leavesPlan();
    } else if (window == tree && focus != nullptr &&
               focus == tree->findChild<QWidget*>(QStringLiteral("lb_SkillsPerLevel"))) {
        replacesPlan({}); // Esc in the history list: CHANGE CLASS
    } else if (window == viewer || window == dialog || window == tree) {
        keepsPlan();
    } else {
        fail("the keyboard is on " + str(window->objectName()));
        return;
    }
    const int endsBefore = toolkit.programEnds;
    QTest::keyClick(focus != nullptr ? focus : window, Qt::Key_Escape);
    if (endsProgram) {
        if (toolkit.programEnds != endsBefore + 1) {
            fail("Esc on the start screen did not end the program");
        }
        m_programEnded = true;
    } else if (window == viewer && shownViewer() != nullptr) {
        fail("Esc left the viewer open");
    } else if (window == dialog && dialog != nullptr && dialog->isVisible()) {
        fail("Esc left the generator open");
    }
}

// ---- The checks ----

std::vector<std::string> Soak::history() const {
    std::vector<std::string> out;
    const screens::SkillTreeScreen* screen = shownTree();
    const auto* list =
        screen ? screen->findChild<QListWidget*>(QStringLiteral("lb_SkillsPerLevel")) : nullptr;
    for (int i = 0; list != nullptr && i < list->count(); ++i) {
        out.push_back(str(list->item(i)->text()));
    }
    return out;
}

std::set<std::string, std::less<>> Soak::skillsOf(ClassId classId) const {
    std::set<std::string, std::less<>> names;
    for (const TreeId tree : model::classInfo(classId).trees) {
        for (int i = 0; i < model::kSkillsPerTree; ++i) {
            names.emplace(model::skill(tree, i).name);
        }
    }
    return names;
}

void Soak::check() {
    int treeScreens = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        treeScreens += qobject_cast<screens::SkillTreeScreen*>(w) != nullptr && w->isVisible() ? 1 : 0;
    }
    if (treeScreens > 1) {
        fail(std::to_string(treeScreens) + " skill tree screens shown");
    }
    QWidget* dialog = program().generatorDialog();
    const bool dialogShown = dialog != nullptr && dialog->isVisible();
    if (!dialogShown && shownTree() == nullptr && !program().startScreen().isVisible()) {
        fail("no window left to play with");
    }
    if (screens::SkillTreeScreen* screen = shownTree()) {
        checkTreeScreen(*screen);
    }
}

void Soak::checkTreeScreen(screens::SkillTreeScreen& screen) {
    const Replay r = replay(history(), skillsOf(screen.classId()));
    if (!r.fault.empty()) {
        fail(r.fault);
        return;
    }
    for (const TreeId tree : model::classInfo(screen.classId()).trees) {
        for (int i = 0; i < model::kSkillsPerTree; ++i) {
            const std::string_view name = model::skill(tree, i).name;
            const auto it = r.counts.find(name);
            const std::string expected = std::to_string(it == r.counts.end() ? 0 : it->second);
            const QString label = qstr(model::tree(tree).countArray) + QStringLiteral("(%1)").arg(i);
            const std::string shown = str(child<QLabel>(&screen, label)->text());
            if (shown != expected) {
                fail(str(label) + " (" + std::string(name) + ") shows " + shown + ", the history holds " +
                     expected);
            }
        }
    }
    for (const model::Quest q : {model::Quest::DenOfEvil, model::Quest::BookOfSkill, model::Quest::Izual}) {
        if (build.questCount(q) != r.quests[static_cast<std::size_t>(q)]) {
            fail("a quest counter is " + std::to_string(build.questCount(q)) + ", the history holds " +
                 std::to_string(r.quests[static_cast<std::size_t>(q)]));
        }
    }
    const int level = r.levelUps + 1;
    g_reach.highestLevel = std::max(g_reach.highestLevel, level);
    g_reach.mostQuestPoints = std::max(g_reach.mostQuestPoints, r.quests[0] + r.quests[1] + r.quests[2]);
    g_reach.mostReserved = std::max(g_reach.mostReserved, r.reserve);
    for (const auto& [skill, count] : r.counts) {
        g_reach.fullSkills += count == 20 ? 1 : 0;
    }
    const std::string levelText = str(child<QLabel>(&screen, QStringLiteral("lbl_CharLevel"))->text());
    if (levelText != "Level " + std::to_string(level) && !(level == 1 && levelText == "Level: 1")) {
        fail("lbl_CharLevel shows \"" + levelText + "\", the history gives level " + std::to_string(level));
    }
    const std::string points = str(child<QLabel>(&screen, QStringLiteral("lbl_SkillLevel"))->text());
    if (points != "Skill Points:  " + std::to_string(r.levelUps) &&
        !(r.levelUps == 0 && points == "Skill Points: 0")) {
        fail("lbl_SkillLevel shows \"" + points + "\", the history gives " + std::to_string(r.levelUps));
    }
    const std::string reserve = str(child<QLabel>(&screen, QStringLiteral("lbl_Reserved"))->text());
    if (reserve != "Reserved Points: " + std::to_string(r.reserve)) {
        fail("lbl_Reserved shows \"" + reserve + "\", the history gives " + std::to_string(r.reserve));
    }
}

void Soak::checkSavedReport(const std::string& name, std::size_t messagesBefore) {
    screens::SkillTreeScreen* screen = shownTree();
    if (screen == nullptr) {
        return;
    }
    auto* list = child<QListWidget>(screen, QStringLiteral("lb_SkillsPerLevel"));
    if (!list->isVisible() || (list->count() > 0 && list->currentRow() != list->count() - 1)) {
        fail("after SAVE the history is hidden or its newest entry not selected");
    }
    const bool failed = toolkit.messages.size() > messagesBefore;
    // Which names this file system cannot take.
    const bool badName =
        name.find('/') != std::string::npos || name.find('\0') != std::string::npos || name.size() + 4 > 255;
    if (failed != badName) {
        fail(failed ? "SAVE failed for a good name: " + toolkit.messages.back().text
                    : "SAVE reported nothing for a name no file can have");
        return;
    }
    if (failed) {
        ++g_reach.failedSaves;
        return;
    }
    ++g_reach.reports;
    QFile file(qstr(toolkit.folder) + QLatin1Char('/') + qstr(name) + QStringLiteral(".txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        fail("no report file for \"" + printable(name) + "\"");
        return;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    // Some reports are kept to be opened again; names with line ends or
    // control characters cannot be read back as one line.
    const bool readable =
        std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    // A report saved over an earlier one under the same name replaces it.
    std::erase_if(m_kept, [&](const KeptReport& k) { return k.path == file.fileName().toStdString(); });
    if (readable && chance(2) && m_kept.size() < 6) {
        m_kept.push_back({file.fileName().toStdString(), screen->classId(), history()});
    } else {
        file.remove();
    }

    const std::vector<std::string> entries = history();
    const Replay r = replay(entries, skillsOf(screen->classId()));
    QByteArray expected;
    const auto line = [&](const QByteArray& text) { expected += text + "\r\n"; };
    if (entries.empty()) {
        line("No Skills selected, Empty character");
        line("");
    }
    line(QByteArray::fromStdString(name));
    line("Class: " + child<QLabel>(screen, QStringLiteral("lbl_Char"))->text().toLatin1());
    line("Level: " + QByteArray::number(r.levelUps + 1));
    line(QByteArray(45, '-'));
    line("");
    line("Clvl 1 Slvl 0: Starting Level");
    for (const std::string& entry : entries) {
        line(QByteArray::fromStdString(entry));
    }
    if (entries.empty()) {
        line("");
    }
    line("");
    line(QByteArray(45, '-'));
    if (bytes != expected) {
        const QList<QByteArray> got = bytes.split('\n');
        const QList<QByteArray> want = expected.split('\n');
        qsizetype k = 0;
        while (k < got.size() && k < want.size() && got[k] == want[k]) {
            ++k;
        }
        fail("the report differs from the screen at line " + std::to_string(k + 1) + ": \"" +
             printable(k < got.size() ? got[k].toStdString() : "(end)") + "\" instead of \"" +
             printable(k < want.size() ? want[k].toStdString() : "(end)") + "\"");
    }
}

#if SW_DEATH_CALLBACK
void printTraceOnDeath() {
    if (g_trace != nullptr) {
        std::fprintf(stderr, "\nThe actions that led here:\n");
        for (const std::string& line : *g_trace) {
            std::fprintf(stderr, "%s\n", line.c_str());
        }
    }
}
#endif

long long environmentNumber(const char* name, long long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::atoll(value) : fallback;
}

/// Plays one seed in a program of its own; false when a rule broke.
bool playSeed(std::uint64_t seed, int actions, long long& played) {
    QTemporaryDir folder;
    for (const char* c : {"amazon", "barbarian", "necromancer", "paladin", "sorceress"}) {
        const QString file = QLatin1String(c) + QStringLiteral("move.gif");
        QFile::copy(QStringLiteral(SW_ANIMATION_FOLDER "/") + file, folder.filePath(file));
    }
    std::string problem;
    std::string trace;
    {
        Soak soak(seed, folder.path());
        problem = soak.play(actions);
        played += soak.actions();
        if (!problem.empty()) {
            trace = soak.trace();
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!problem.empty()) {
        ADD_FAILURE() << "seed " << seed << ": " << problem << "\nReplay with SKILLWRIGHT_SOAK_SEED=" << seed
                      << " SKILLWRIGHT_SOAK_ACTIONS=" << actions << "; the actions:\n"
                      << trace;
        return false;
    }
    return true;
}

TEST(Soak, longRandomPlayKeepsEveryRuleOnScreen) {
#if SW_DEATH_CALLBACK
    __sanitizer_set_death_callback(printTraceOnDeath);
#endif
    const long long seconds = environmentNumber("SKILLWRIGHT_SOAK_SECONDS", 0);
    const int actions = static_cast<int>(environmentNumber("SKILLWRIGHT_SOAK_ACTIONS", 2000));
    const bool seedGiven = std::getenv("SKILLWRIGHT_SOAK_SEED") != nullptr;
    auto seed = static_cast<std::uint64_t>(environmentNumber("SKILLWRIGHT_SOAK_SEED", 1));
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start)
            .count();
    };
    long long played = 0;
    int seeds = 0;
    // The suite plays ten fixed seeds; a timed soak plays on from its seed.
    for (;;) {
        const bool more = seconds > 0 ? elapsed() < seconds : seeds < (seedGiven ? 1 : 10);
        if (!more) {
            break;
        }
        std::printf("seed %llu\n", static_cast<unsigned long long>(seed));
        std::fflush(stdout);
        ++seeds;
        if (!playSeed(seed, actions, played)) {
            break;
        }
        ++seed;
    }
    std::printf("%lld actions, %d seeds, %lld s; reached level %d, %d quest points, %d in reserve, "
                "%d checks with a skill at 20, %d reports compared, %d opened again, %d saves refused, "
                "%d menu entries run, %d viewers opened, %d fills left and stopped, %d restarts after Esc\n",
                played, seeds, static_cast<long long>(elapsed()), g_reach.highestLevel,
                g_reach.mostQuestPoints, g_reach.mostReserved, g_reach.fullSkills, g_reach.reports,
                g_reach.reportsOpened, g_reach.failedSaves, g_reach.menuPicks, g_reach.viewers,
                g_reach.fillsLeft, g_reach.restarts);
}

} // namespace
