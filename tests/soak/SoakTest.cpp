// Long seeded random play through the whole program, driven by QTest mouse
// and key events, the scripted toolkit answering the boxes and keeping the
// clock. After every action the screen (counts, status labels, the history,
// up to the entry looked back at) is held to the rules' replay of the history
// it shows. The player holds the plan as it last saw it: an action that must
// leave it alone or puts a known one in its place is held to that, and a fill
// the player led away from must stop where it was. Saved reports and plans
// continued from the journal must come back as they left.
//
// SKILLWRIGHT_SOAK_SEED=<n>     play that seed alone (with a time: the first seed)
// SKILLWRIGHT_SOAK_SECONDS=<s>  play seed after seed until the time is up
// SKILLWRIGHT_SOAK_ACTIONS=<n>  actions per seed (default 2000)
#include <journal/JournalText.h>
#include <model/Build.h>
#include <model/Catalogue.h>
#include <model/History.h>
#include <screens/common/CharacterOpener.h>
#include <screens/tree/ScreenDesign.h>
#include <toolkit/ScriptedToolkit.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <Program.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <numeric>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using namespace skillwright;
using model::TreeId;

namespace {

std::string str(const QString& s) {
    return s.toStdString();
}
QString qstr(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// ---- The player ----

/// How far the play reached, over all seeds: the closing line tells.
std::map<std::string, int> g_reach;

/// Where an action is played.
enum class Where { Start, Generator, Tree, Anywhere };
/// What an action may do to the plan: anything; leave it as it was; lead
/// away from it (a fill running must stop where it is); put another in its place.
enum class Effect { Free, Keeps, Leaves, Replaces };

struct Soak {
    Soak(std::uint64_t seed, const QString& folder) : m_rng(seed), m_draws(seed ^ 0x5eed) {
        toolkit.folder = str(folder);
        toolkit.journalFolder = str(folder) + "/state/skillwright";
        toolkit.randomSource = [this] { return std::uniform_real_distribution<double>(0.0, 1.0)(m_draws); };
        toolkit.onProcessEvents = [this] { playerDuringFill(); };
        startProgram();
    }
    ~Soak() { toolkit.onProcessEvents = nullptr; }

    /// Plays `count` actions; returns the first broken rule, or "".
    std::string play(int count) {
        while (m_actions < count && m_problem.empty()) {
            playOne();
        }
        return m_problem;
    }
    [[nodiscard]] int actions() const { return m_actions; }
    [[nodiscard]] const std::string& trace() const { return m_trace; }

    toolkit::ScriptedToolkit toolkit;
    document::PlanDocument document;

    // ---- The actions the table below plays, where one needs more than a line ----

    void chooseClass() {
        const model::ClassInfo& chosen = model::classInfo(screens::StartScreen::kClassOrder[draw(5)]);
        replacesPlan({qstr(screens::classDesign(chosen.id).screenName), {}});
        clickOn(&start(), "lbl_" + qstr(chosen.name));
    }
    void generate() {
        QWidget* dialog = program().generatorDialog();
        const bool yes = !chance(4);
        toolkit.answers.push_back(yes ? toolkit::Answer::Yes : toolkit::Answer::No);
        note(yes ? ": Yes" : ": No");
        ++m_generating;
        if (chance(3)) {
            clickOn(dialog, QStringLiteral("lbl_Generate"));
        } else { // Enter in the level box or on a class option
            keyOn(dialog, QLatin1String(chance(2) ? "txt_Level" : kOptions[draw(6)]), Qt::Key_Return);
        }
        --m_generating;
        // The actions played during the fill had plans of their own; this
        // one made a new plan (or, on No, none).
        m_effect = Effect::Free;
        if (m_fillLeftAt) {
            // Led away from while it filled: the fill stopped there, untold.
            if (const Plan now = planOnScreen(); now != *m_fillLeftAt) {
                fail("the fill went on after the player left it: " + describe(*m_fillLeftAt) + " became " +
                     describe(now));
            }
            for (std::size_t m = m_messagesWhenLeft; m < toolkit.messages.size(); ++m) {
                if (toolkit.messages[m].title == "Generation Complete") {
                    fail("\"Generation Complete\" after the player left the fill");
                }
            }
            m_fillLeftAt.reset();
            ++g_reach["fills left and stopped"];
        }
    }
    void leftClick() {
        screens::SkillTreeScreen* screen = shownTree();
        if (m_favourite.isEmpty() || screen->findChild<QWidget*>(m_favourite) == nullptr || chance(2)) {
            // Mostly skills whose tier is open, so that characters grow old.
            const TreeId tree = model::classInfo(screen->classId()).trees[static_cast<std::size_t>(draw(3))];
            const int level = document.build().characterLevel();
            int index = draw(10);
            for (int tries = 0; tries < 3 && model::skill(tree, index).openingLevel > level + 1; ++tries) {
                index = draw(10);
            }
            m_favourite = iconName(tree, index);
        }
        clickOn(screen, m_favourite);
    }
    /// A right click on an icon, and a random entry of the skill menu.
    void rightClick() {
        screens::SkillTreeScreen* screen = shownTree();
        const TreeId tree = model::classInfo(screen->classId()).trees[static_cast<std::size_t>(draw(3))];
        clickOn(screen, iconName(tree, draw(10)), Qt::RightButton);
    }
    void historyKeys() {
        const Qt::Key key = std::array{Qt::Key_Escape, Qt::Key_Up,     Qt::Key_Down, Qt::Key_Home,
                                       Qt::Key_End,    Qt::Key_PageUp, Qt::Key_A,    Qt::Key_Return}[draw(8)];
        if (key == Qt::Key_Escape) {
            replacesPlan({}); // as CHANGE CLASS
        }
        keyOn(shownTree(), QStringLiteral("lb_SkillsPerLevel"), key);
    }
    /// Delete on an entry of the history, picked as by a click.
    void takeBackToHere() {
        auto* list = child<QListWidget>(shownTree(), QStringLiteral("lb_SkillsPerLevel"));
        if (list == nullptr || list->count() == 0) {
            return;
        }
        const int before = list->count();
        list->setCurrentRow(draw(before));
        keyOn(shownTree(), QStringLiteral("lb_SkillsPerLevel"), Qt::Key_Delete);
        g_reach["entries taken back to here"] += before - list->count();
    }
    /// An edit of an earlier entry by its keys: removed, moved, or changed
    /// into the next skill clicked.
    void editEntry() {
        auto* list = child<QListWidget>(shownTree(), QStringLiteral("lb_SkillsPerLevel"));
        if (list == nullptr || list->count() == 0) {
            return;
        }
        list->setCurrentRow(draw(list->count()));
        const std::vector<std::string> before = history();
        const std::array<std::pair<Qt::Key, Qt::KeyboardModifiers>, 4> keys{
            {{Qt::Key_Delete, Qt::ControlModifier},
             {Qt::Key_Up, Qt::AltModifier},
             {Qt::Key_Down, Qt::AltModifier},
             {Qt::Key_F2, Qt::NoModifier}}};
        const auto [key, modifiers] = keys[static_cast<std::size_t>(draw(4))];
        keyOn(shownTree(), QStringLiteral("lb_SkillsPerLevel"), key, modifiers);
        if (key == Qt::Key_F2) {
            leftClick();
        }
        g_reach["entries edited"] += history() != before ? 1 : 0;
    }
    /// A milestone marked (or renamed, or taken away) on an earlier entry, or
    /// Ctrl+Page Up and Down between them.
    void milestone() {
        auto* list = child<QListWidget>(shownTree(), QStringLiteral("lb_SkillsPerLevel"));
        if (list == nullptr || list->count() == 0) {
            return;
        }
        list->setCurrentRow(draw(list->count()));
        toolkit.inputs.push_back(
            std::array{"Act 2", "", "Nightmare (40-60)"}[static_cast<std::size_t>(draw(3))]);
        const std::array<std::pair<Qt::Key, Qt::KeyboardModifiers>, 4> keys{
            {{Qt::Key_M, Qt::ControlModifier},
             {Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier},
             {Qt::Key_PageUp, Qt::ControlModifier},
             {Qt::Key_PageDown, Qt::ControlModifier}}};
        const auto [key, modifiers] = keys[static_cast<std::size_t>(draw(4))];
        keyOn(shownTree(), QStringLiteral("lb_SkillsPerLevel"), key, modifiers);
        toolkit.inputs.clear();
    }
    void redo() {
        auto* list = child<QListWidget>(shownTree(), QStringLiteral("lb_SkillsPerLevel"));
        const int before = list != nullptr ? list->count() : 0;
        keyOn(shownTree(), {}, chance(2) ? Qt::Key_Y : Qt::Key_Z,
              chance(2) ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
        g_reach["entries redone"] += list != nullptr && list->count() > before ? 1 : 0;
    }
    void save() {
        // A name no file can have is refused, which the report suites pin.
        const std::array<std::string, 6> kNames{"Hero",       "a/b",    "\xC3\x86r\xC3\xB8",
                                                "  spaced  ", "Char_7", std::string(251, 'y')};
        const std::string name = kNames[static_cast<std::size_t>(draw(6))];
        note(": \"" + name.substr(0, 40) + "\"");
        toolkit.inputs.push_back(name);
        // A report of that name that is not the plan's own is replaced when the player says so.
        const std::filesystem::path path = toolkit.folder + "/" + name + ".txt";
        std::error_code error;
        const bool asks = std::filesystem::exists(path, error) &&
                          !(document.origin() == document::Origin::Report &&
                            std::filesystem::equivalent(path, document.path(), error));
        if (asks) {
            toolkit.answers.push_back(toolkit::Answer::Yes);
        }
        const std::size_t before = toolkit.messages.size() + (asks ? 1 : 0);
        clickOn(shownTree(), QStringLiteral("lbl_Save"));
        keepSavedReport(name, before);
    }
    void openSavedReport() {
        if (m_kept.empty()) {
            return;
        }
        const auto& [path, plan] = m_kept[static_cast<std::size_t>(draw(static_cast<int>(m_kept.size())))];
        note(": " + path.substr(path.rfind('/') + 1, 40));
        screens::SkillTreeScreen* before = shownTree();
        const std::size_t messages = mayReplaceWith(plan, before);
        toolkit.openFiles.push_back(path);
        if (before != nullptr) {
            emit before->characterOpener().commandRequested(screens::ProgramCommand::OpenCharacter); // Ctrl+O
        } else {
            clickOn(&start(), QStringLiteral("cmd_OpenCharacter"));
        }
        toolkit.openFiles.clear();
        expectMessages(messages, "opening a saved report");
        ++g_reach["reports opened again"];
    }
    void continuePlan() {
        QWidget* button = child(&start(), QStringLiteral("cmd_Continue"));
        if (button == nullptr || !button->isVisible()) {
            return;
        }
        // The newest plan that left the screen ("left-<n>.journal", n highest), as its journal holds it.
        std::uint64_t newest = 0;
        for (const auto& entry : std::filesystem::directory_iterator(toolkit.journalFolder)) {
            const std::string name = entry.path().filename().string();
            newest = name.starts_with("left-") ? std::max<std::uint64_t>(newest, std::stoull(name.substr(5)))
                                               : newest;
        }
        std::ifstream in(toolkit.journalFolder + "/left-" + std::to_string(newest) + ".journal",
                         std::ios::binary);
        const journal::JournalReading kept = journal::parseJournal(
            std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
        if (!kept.record) {
            fail("the plan offered to continue has no whole journal: " + kept.error);
            return;
        }
        Plan expected{qstr(screens::classDesign(kept.record->plan.classId).screenName), {}};
        for (const model::HistoryEntry& entry : kept.record->plan.history) {
            expected.history.push_back(model::formatEntry(entry));
        }
        note(": " + describe(expected));
        const std::size_t messages = mayReplaceWith(expected, program().treeScreen());
        if (QApplication::activeWindow() == &start() && chance(3)) {
            note(": Ctrl+Shift+T");
            QTest::keyClick(&start(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        } else {
            clickOn(&start(), QStringLiteral("cmd_Continue"));
        }
        expectMessages(messages, "continuing a plan");
        if (m_effect == Effect::Replaces && shownTree() != nullptr && !document.isModified()) {
            fail("a plan continued counts as saved");
        }
        g_reach["plans continued"] += m_effect == Effect::Replaces ? 1 : 0;
    }
    void pressEscape() {
        // Esc goes where the keyboard is: the focused control of the active window.
        QWidget* window = QApplication::activeWindow();
        QWidget* focus = QApplication::focusWidget();
        QWidget* dialog = program().generatorDialog();
        QWidget* viewer = shownViewer();
        if (window == nullptr ||
            (window != &start() && window != viewer && window != dialog && window != shownTree())) {
            fail("the keyboard is on " + (window ? str(window->objectName()) : std::string("no window")));
            return;
        }
        note(": in " + str(window->objectName()) +
             (focus ? ", on " + str(focus->objectName()) : std::string()));
        const bool endsProgram = window == &start();
        if (endsProgram) {
            leavesPlan();
        } else if (window == shownTree() && focus != nullptr &&
                   focus->objectName() == QLatin1String("lb_SkillsPerLevel")) {
            replacesPlan({}); // Esc in the history list: CHANGE CLASS
        }
        const int endsBefore = toolkit.programEnds;
        QTest::keyClick(focus != nullptr ? focus : window, Qt::Key_Escape);
        m_programEnded |= endsProgram;
        if (endsProgram && toolkit.programEnds != endsBefore + 1) {
            fail("Esc on the start screen did not end the program");
        } else if (window == viewer ? shownViewer() != nullptr : window == dialog && dialog->isVisible()) {
            fail("Esc left " + str(window->objectName()) + " open");
        }
    }

    void playOne();

    // ---- What the actions share ----

    static constexpr std::array<const char*, 6> kOptions{"opt_Random",      "opt_Amazon",  "opt_Barbarian",
                                                         "opt_Necromancer", "Opt_Paladin", "opt_Sorceress"};
    /// The tree screen shown (its objectName, empty for none) and its history.
    struct Plan {
        QString screen;
        std::vector<std::string> history;
        friend bool operator==(const Plan&, const Plan&) = default;
    };
    /// Before an action that opens `next` in place of the plan on `current`,
    /// which asks first when it has unsaved points: Yes or No at random. The
    /// messages the action is to leave: the question, if asked.
    std::size_t mayReplaceWith(const Plan& next, const screens::SkillTreeScreen* current) {
        const bool asks = current != nullptr && document.isModified();
        const bool replace = !asks || chance(2);
        toolkit.answers.push_back(replace ? toolkit::Answer::Yes : toolkit::Answer::No); // if asked
        if (replace) {
            replacesPlan(next);
        }
        return toolkit.messages.size() + (asks ? 1 : 0);
    }
    void expectMessages(std::size_t count, const char* action) {
        if (toolkit.messages.size() != count) {
            fail(std::string(action) + " said \"" + toolkit.messages.back().text + "\"");
        }
    }
    /// The action puts `plan` in the place of the plan; a fill running must stop first.
    void replacesPlan(Plan plan) {
        m_effect = Effect::Replaces;
        m_expected = std::move(plan);
    }
    /// The action leads away from the plan on screen (the generator opens,
    /// the program ends): a fill running must stop where it is.
    void leavesPlan() { m_effect = Effect::Leaves; }
    void note(const std::string& what) { m_trace += what; }
    void fail(const std::string& problem) {
        if (m_problem.empty()) {
            m_problem = problem;
        }
    }
    int draw(int n) { return static_cast<int>(m_rng() % static_cast<std::uint64_t>(n)); }
    bool chance(int oneIn) { return draw(oneIn) == 0; }
    template <typename T = QWidget> T* child(QWidget* parent, const QString& name) {
        T* w = parent ? parent->findChild<T*>(name) : nullptr;
        if (w == nullptr) {
            fail("no control " + str(name));
        }
        return w;
    }
    /// A click on the named control.
    void clickOn(QWidget* parent, const QString& name, Qt::MouseButton button = Qt::LeftButton) {
        note(": " + str(name) + (button == Qt::LeftButton ? "" : " button " + std::to_string(int(button))));
        QWidget* w = child(parent, name);
        const bool option = name.startsWith(QLatin1String("opt_")) || name.startsWith(QLatin1String("Opt_"));
        QTest::mouseClick(w, button, {}, option ? QPoint(8, 13) : QPoint()); // an option on its caption
    }
    /// A key on the named control, or on the window itself for an empty name.
    void keyOn(QWidget* window, const QString& name, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        note(": key " + str(QKeySequence(key | modifiers).toString()) +
             (name.isEmpty() ? "" : " on " + str(name)));
        QTest::keyClick(name.isEmpty() ? window : child(window, name), key, modifiers);
    }
    static QString iconName(TreeId tree, int index) {
        return qstr(screens::iconArrayName(tree)) + QStringLiteral("(%1)").arg(index);
    }

    app::Program& program() { return *m_program; }
    screens::StartScreen& start() { return m_program->startScreen(); }
    [[nodiscard]] screens::SkillTreeScreen* shownTree() const {
        screens::SkillTreeScreen* screen = m_program->treeScreen();
        return screen != nullptr && screen->isVisible() ? screen : nullptr;
    }
    [[nodiscard]] QWidget* shownViewer() const {
        QWidget* viewer = m_program->statsViewer();
        return viewer != nullptr && viewer->isVisible() ? viewer : nullptr;
    }
    [[nodiscard]] std::vector<std::string> history() const {
        std::vector<std::string> out;
        const screens::SkillTreeScreen* screen = shownTree();
        const auto* list =
            screen ? screen->findChild<QListWidget*>(QStringLiteral("lb_SkillsPerLevel")) : nullptr;
        for (int i = 0; list != nullptr && i < list->count(); ++i) {
            out.push_back(str(list->item(i)->text()));
        }
        return out;
    }
    [[nodiscard]] Plan planOnScreen() const {
        const screens::SkillTreeScreen* screen = shownTree();
        return {screen ? screen->objectName() : QString(), history()};
    }
    static std::string describe(const Plan& plan) {
        return (plan.screen.isEmpty() ? "no tree screen" : str(plan.screen)) + " with " +
               std::to_string(plan.history.size()) + " entries" +
               (plan.history.empty() ? "" : ", the last \"" + plan.history.back() + "\"");
    }
    void startProgram() {
        m_program.emplace(document, toolkit);
        program().menu().setPopper([this](QMenu& menu, QPoint) { return popMenu(menu); });
        program().start();
        QCoreApplication::processEvents(); // as the event loop does once the start screen is up
        m_held = planOnScreen();
    }
    bool reachable(Where where) {
        // The generator dialog is application modal: nothing else takes input.
        QWidget* dialog = program().generatorDialog();
        if (dialog != nullptr && dialog->isVisible()) {
            return where == Where::Generator || where == Where::Anywhere;
        }
        return where == Where::Anywhere || (where == Where::Start && start().isVisible()) ||
               (where == Where::Tree && shownTree() != nullptr);
    }
    void playerDuringFill() {
        // Between two generated points the player may act, once in a while.
        if (m_generating > 0 && m_depth <= 1 && m_problem.empty() && chance(12)) {
            QCoreApplication::processEvents();
            playOne();
        }
    }

    QAction* popMenu(QMenu& menu) {
        // Mostly an entry that is shown; sometimes a dismissed menu, or a
        // pick of a hidden entry that the menu must ignore.
        const QList<QAction*> all = menu.actions();
        QList<QAction*> shown;
        std::ranges::copy_if(all, std::back_inserter(shown),
                             [](QAction* a) { return a->isVisible() && !a->isSeparator(); });
        const int way = draw(10);
        QAction* chosen = way == 0                      ? nullptr
                          : way == 1 || shown.isEmpty() ? all[draw(static_cast<int>(all.size()))]
                                                        : shown[draw(static_cast<int>(shown.size()))];
        note(chosen ? " -> " + str(chosen->objectName()) + (chosen->isVisible() ? "" : " (hidden)")
                    : " -> dismissed");
        g_reach["menu entries run"] += chosen != nullptr && chosen->isVisible() ? 1 : 0;
        return chosen;
    }

    // ---- The checks ----

    /// One tree screen at most, some window to play with, and every label of
    /// the tree screen as its history says.
    void check() {
        const QWidgetList windows = QApplication::topLevelWidgets();
        if (std::ranges::count_if(windows, [](QWidget* w) {
                return qobject_cast<screens::SkillTreeScreen*>(w) != nullptr && w->isVisible();
            }) > 1) {
            fail("more than one skill tree screen shown");
        }
        QWidget* dialog = program().generatorDialog();
        if ((dialog == nullptr || !dialog->isVisible()) && shownTree() == nullptr && !start().isVisible()) {
            fail("no window left to play with");
        }
        screens::SkillTreeScreen* screen = shownTree();
        if (screen == nullptr) {
            return;
        }
        // Looking back, the tree shows the history up to the selected entry.
        std::vector<std::string> shownEntries = history();
        if (screen->lookingBack()) {
            const int row = child<QListWidget>(screen, QStringLiteral("lb_SkillsPerLevel"))->currentRow();
            shownEntries.resize(static_cast<std::size_t>(row) + 1);
            ++g_reach["looks back"];
        }
        // The rules' replay of the history shown.
        model::Plan plan{screen->classId(), {}, {}};
        for (const std::string& text : shownEntries) {
            const model::ParsedEntry parsed = model::parseEntry(text, plan.classId);
            if (!parsed.entry) {
                fail("history entry \"" + text + "\": " + parsed.error);
                return;
            }
            plan.history.push_back(*parsed.entry);
        }
        const model::StateReplay replayed = model::replayPlan(plan);
        if (const auto& stop = replayed.stop) {
            fail("history entry \"" + shownEntries[stop->entry] + "\": " + stop->reason);
            return;
        }
        for (const TreeId tree : model::classInfo(plan.classId).trees) {
            for (int i = 0; i < model::kSkillsPerTree; ++i) {
                const std::string expected =
                    std::to_string(replayed.state.pointsOf({tree, static_cast<std::int16_t>(i)}));
                const QString label = qstr(screens::countArrayName(tree)) + QStringLiteral("(%1)").arg(i);
                if (const std::string shown = str(child<QLabel>(screen, label)->text()); shown != expected) {
                    fail(str(label) + " shows " + shown + ", the history holds " + expected);
                }
            }
        }
        const int levelUps = replayed.state.levelsGained;
        // A fresh screen writes level one its own way; undone back to it, the usual way.
        const std::array<std::tuple<const char*, std::string, std::string>, 3> labels{
            {{"lbl_CharLevel", "Level " + std::to_string(levelUps + 1), levelUps == 0 ? "Level: 1" : ""},
             {"lbl_SkillLevel", "Skill Points:  " + std::to_string(levelUps),
              levelUps == 0 ? "Skill Points: 0" : ""},
             {"lbl_Reserved", "Reserved Points: " + std::to_string(replayed.state.reservedPoints), ""}}};
        for (const auto& [name, expected, fresh] : labels) {
            if (const std::string shown = str(child<QLabel>(screen, QLatin1String(name))->text());
                shown != expected && shown != fresh) {
                fail(std::string(name) + " shows \"" + shown + "\", the history gives \"" + expected + "\"");
            }
        }
    }

    /// Keeps some of the reports SAVE wrote, to be opened again and compared
    /// with the screen they were saved from (their layout is the report
    /// suites' to pin); one saved over an earlier one replaces it.
    void keepSavedReport(const std::string& name, std::size_t messagesBefore) {
        if (toolkit.messages.size() > messagesBefore) {
            return;
        }
        ++g_reach["reports saved"];
        const std::string path = toolkit.folder + "/" + name + ".txt";
        std::erase_if(m_kept, [&](const auto& kept) { return kept.first == path; });
        if (chance(2) && m_kept.size() < 6) {
            m_kept.emplace_back(path, planOnScreen());
        }
    }

    std::mt19937_64 m_rng;
    std::mt19937_64 m_draws; ///< the program's own random numbers
    std::string m_trace;     ///< the actions played, one a line
    std::string m_problem;
    int m_actions = 0;
    int m_depth = 0;      ///< actions in progress
    int m_generating = 0; ///< generations in progress
    QString m_favourite;  ///< the icon clicked last, often clicked again
    std::optional<app::Program> m_program;
    bool m_programEnded = false;
    Plan m_held; ///< the plan as the player last saw it
    Effect m_effect = Effect::Free;
    Plan m_expected; ///< what a Replaces action leaves
    /// A generation the player led away from while it filled: the plan it
    /// must have stopped at, and the messages shown by then.
    std::optional<Plan> m_fillLeftAt;
    std::size_t m_messagesWhenLeft = 0;
    std::vector<std::pair<std::string, Plan>> m_kept; ///< reports saved to be opened again, and their plans
};

/// What the player may do: where, how often against the others, what it
/// may do to the plan (an action may say more as it plays), and how.
struct Action {
    const char* name;
    Where where;
    int weight;
    Effect effect;
    void (*play)(Soak&);
};
using enum Where;
using enum Effect;
// clang-format off
const std::array kActions{
    Action{"choose a class",       Start,      6, Free,   [](Soak& s) { s.chooseClass(); }},
    Action{"open the generator",   Start,      3, Leaves, [](Soak& s) { s.clickOn(&s.start(), s.chance(2) ? "lbl_Random" : "Command1"); }},
    Action{"open a saved report",  Start,      1, Keeps,  [](Soak& s) { s.openSavedReport(); }},
    Action{"continue a plan",      Start,      2, Keeps,  [](Soak& s) { s.continuePlan(); }},
    Action{"pick a class option",  Generator,  4, Keeps,  [](Soak& s) { s.clickOn(s.program().generatorDialog(), Soak::kOptions[static_cast<std::size_t>(s.draw(6))]); }},
    Action{"generate",             Generator,  5, Free,   [](Soak& s) { s.generate(); }},
    Action{"cancel the generator", Generator,  1, Keeps,  [](Soak& s) { s.chance(2) ? s.clickOn(s.program().generatorDialog(), "lbl_Cancel") : s.keyOn(s.program().generatorDialog(), "txt_Level", Qt::Key_Escape); }},
    Action{"left click",           Tree,      60, Free,   [](Soak& s) { s.leftClick(); }},
    Action{"right click",          Tree,      22, Free,   [](Soak& s) { s.rightClick(); }},
    Action{"UNDO LAST",            Tree,      12, Free,   [](Soak& s) { s.clickOn(s.shownTree(), "lbl_UndoLast"); }},
    Action{"RESET",                Tree,       1, Free,   [](Soak& s) { s.replacesPlan({s.shownTree()->objectName(), {}}); s.clickOn(s.shownTree(), "lbl_Reset"); }},
    Action{"CHANGE CLASS",         Tree,       1, Free,   [](Soak& s) { s.replacesPlan({}); s.clickOn(s.shownTree(), "lbl_ChangeClass"); }},
    Action{"keys in the history",  Tree,       2, Keeps,  [](Soak& s) { s.historyKeys(); }},
    Action{"take back to here",    Tree,       2, Free,   [](Soak& s) { s.takeBackToHere(); }},
    Action{"edit an entry",        Tree,       4, Free,   [](Soak& s) { s.editEntry(); }},
    Action{"mark a milestone",     Tree,       2, Keeps,  [](Soak& s) { s.milestone(); }},
    Action{"redo or undo by keys", Tree,       8, Free,   [](Soak& s) { s.redo(); }},
    Action{"SAVE",                 Tree,       2, Keeps,  [](Soak& s) { s.save(); }},
    Action{"open a saved report",  Tree,       2, Keeps,  [](Soak& s) { s.openSavedReport(); }},
    Action{"let time pass",        Anywhere,   2, Keeps,  [](Soak& s) { s.toolkit.advance(std::array{100, 1000, 4999, 5000, 6000}[s.draw(5)]); }},
    Action{"press Esc",            Anywhere,   1, Keeps,  [](Soak& s) { s.pressEscape(); }},
};
// clang-format on

void Soak::playOne() {
    std::array<int, kActions.size()> weights{};
    for (std::size_t a = 0; a < kActions.size(); ++a) {
        weights[a] = reachable(kActions[a].where) ? kActions[a].weight : 0;
    }
    int pick = draw(std::accumulate(weights.begin(), weights.end(), 0));
    std::size_t a = 0;
    for (; pick >= weights[a]; ++a) {
        pick -= weights[a];
    }
    const Action& action = kActions[a];
    ++m_actions;
    m_trace += "\n#" + std::to_string(m_actions) + (m_depth > 0 ? " (during a fill) " : " ") + action.name;
    // Between two actions the plan stays as the player saw it, unless a fill
    // is running, which moves it on.
    const Plan before = planOnScreen();
    if (m_depth == 0 && before != m_held) {
        fail("between two actions the plan went from " + describe(m_held) + " to " + describe(before));
    }
    m_held = before;
    m_effect = action.effect;
    ++m_depth;
    action.play(*this);
    --m_depth;
    toolkit.answers.clear();
    toolkit.inputs.clear();
    if (m_depth == 0) {
        // Back in the event loop: what was posted runs, windows closed by a command go.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const Plan after = planOnScreen();
    if ((m_effect == Effect::Keeps || m_effect == Effect::Leaves) && after != m_held) {
        fail(std::string(action.name) + " changed the plan from " + describe(m_held) + " to " +
             describe(after));
    } else if (m_effect == Effect::Replaces && after != m_expected) {
        fail(std::string(action.name) + " left " + describe(after) + " instead of " + describe(m_expected));
    }
    if ((m_effect == Effect::Leaves || m_effect == Effect::Replaces) && m_depth > 0 && m_generating > 0) {
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
        ++g_reach["restarts after Esc"];
        note(" (the program ended and was started again)");
    }
    if (!m_problem.empty()) {
        note("   <-- " + m_problem);
    }
}

long long environmentNumber(const char* name, long long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::atoll(value) : fallback;
}

TEST(Soak, longRandomPlayKeepsEveryRuleOnScreen) {
    const long long seconds = environmentNumber("SKILLWRIGHT_SOAK_SECONDS", 0);
    const int actions = static_cast<int>(environmentNumber("SKILLWRIGHT_SOAK_ACTIONS", 2000));
    const int seedsToPlay = std::getenv("SKILLWRIGHT_SOAK_SEED") != nullptr ? 1 : 10;
    auto seed = static_cast<std::uint64_t>(environmentNumber("SKILLWRIGHT_SOAK_SEED", 1));
    const auto start = std::chrono::steady_clock::now();
    long long played = 0;
    int seeds = 0;
    // The suite plays ten fixed seeds; a timed soak plays on from its seed,
    // each in a program of its own, until a rule breaks.
    for (bool kept = true;
         kept && (seconds > 0 ? std::chrono::steady_clock::now() - start < std::chrono::seconds(seconds)
                              : seeds < seedsToPlay);
         ++seed, ++seeds) {
        std::printf("seed %llu\n", static_cast<unsigned long long>(seed));
        std::fflush(stdout);
        QTemporaryDir folder;
        for (const char* c : {"amazon", "barbarian", "necromancer", "paladin", "sorceress"}) {
            const QString file = QLatin1String(c) + QStringLiteral("move.gif");
            QFile::copy(QStringLiteral(SW_ANIMATION_FOLDER "/") + file, folder.filePath(file));
        }
        {
            Soak soak(seed, folder.path());
            const std::string problem = soak.play(actions);
            played += soak.actions();
            kept = problem.empty();
            EXPECT_EQ(problem, "") << "seed " << seed << "\nReplay with SKILLWRIGHT_SOAK_SEED=" << seed
                                   << " SKILLWRIGHT_SOAK_ACTIONS=" << actions << "; the actions:\n"
                                   << soak.trace();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
    std::printf("%lld actions, %d seeds, %lld s; reached:", played, seeds,
                static_cast<long long>(elapsed.count()));
    for (const auto& [what, count] : g_reach) {
        std::printf(" %s %d;", what.c_str(), count);
    }
    std::printf("\n");
}

} // namespace
