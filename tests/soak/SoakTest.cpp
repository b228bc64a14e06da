// Long seeded random play through the whole program: the real Program with
// its real screens, driven by QTest mouse and key events, the scripted
// toolkit answering the modal boxes and keeping the clock. After every
// action the screen is read back (count labels, status labels, the history
// list) and held to the build's rules; saved reports are opened again and
// compared with the screen they came from. The player also holds the plan
// (the tree screen shown and its history) as it last saw it: an action that
// must leave the plan alone or that puts a known one in its place is held to
// it, and a fill the player led away from must stop where it was. Keys go
// where the keyboard is, as a player's do; a program ended by Esc is started
// again. Plans leave the screen by every route into the program's journal,
// and the start screen's continue button (or Ctrl+Shift+T) must bring back
// the newest one as the journal holds it, read with the journal's own reader.
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
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
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
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <numeric>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace skillwright;
using model::ClassId;
using model::TreeId;

namespace {

std::string str(const QString& s) {
    return s.toStdString();
}
QString qstr(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// ---- The rules, read off the history list entry by entry ----

enum Quest { DenOfEvil, BookOfSkill, Izual };

/// How a quest's point after `taken` earlier ones is written, up to " Slvl".
std::string questPrefix(int quest, int taken) {
    constexpr std::array<const char*, 3> kDifficulties{"Normal", "Nightmare", "Hell"};
    const std::string d =
        kDifficulties[static_cast<std::size_t>(std::min(quest == Izual ? taken / 2 : taken, 2))];
    return quest == DenOfEvil     ? "Den Of Evil: " + d
           : quest == BookOfSkill ? "Book of Skill: " + d
                                  : "Izual Quest Point:(" + std::to_string(taken % 2 + 1) + ") " + d;
}

using SkillNames = std::set<std::string, std::less<>>;

/// What the history on screen says the build is, or the first entry that breaks a rule.
struct Replay {
    int levelUps = 0;
    int reserve = 0;
    std::array<int, 3> quests{};
    std::map<std::string, int, std::less<>> counts;
    std::string fault;
};

Replay replay(const std::vector<std::string>& history, const SkillNames& skills) {
    Replay r;
    for (std::size_t i = 0; i < history.size() && r.fault.empty(); ++i) {
        const std::string& entry = history[i];
        const auto bad = [&](const char* why) {
            r.fault = "entry " + std::to_string(i + 1) + " \"" + entry + "\": " + why;
        };
        const std::string nextLevel = "Clvl " + std::to_string(r.levelUps + 2);
        if (entry == nextLevel + " Reserved For Later ") {
            ++r.levelUps;
            ++r.reserve;
            continue;
        }
        const std::size_t slvl = entry.find(" Slvl ");
        const std::string prefix = entry.substr(0, slvl);
        int quest = -1;
        for (int q : {DenOfEvil, BookOfSkill, Izual}) {
            quest = prefix == questPrefix(q, r.quests[static_cast<std::size_t>(q)]) ? q : quest;
        }
        if (prefix == nextLevel) {
            ++r.levelUps;
        } else if (prefix == "Reserved") {
            if (--r.reserve < 0) {
                bad("spends a reserved point that was never set aside");
            }
        } else if (quest >= 0) {
            if (++r.quests[static_cast<std::size_t>(quest)] > (quest == Izual ? 6 : 3)) {
                bad("quest taken more often than it gives");
            }
        } else {
            bad("not the next level, a reserved point nor the next quest point");
            break;
        }
        const std::string rest = slvl == std::string::npos ? "" : entry.substr(slvl + 6);
        const std::size_t colon = rest.find(": ");
        const std::string name = colon == std::string::npos ? "" : rest.substr(colon + 2);
        if (!skills.contains(name)) {
            bad("names no skill of this class");
            break;
        }
        int& count = r.counts[name];
        if (rest.substr(0, colon) != std::to_string(++count)) {
            bad("Slvl is not the skill's next count");
        }
    }
    return r;
}

// ---- The player ----

/// How far the play reached, over all seeds: the closing line tells.
std::map<std::string, int> g_reach;

/// Where an action is played.
enum class Where { Start, Generator, Tree, Viewer, Anywhere };
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
    model::Build build;

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
            const int level = replayOnScreen().levelUps + 1;
            int index = draw(10);
            for (int tries = 0; tries < 3 && model::skill(tree, index).openingLevel > level + 1; ++tries) {
                index = draw(10);
            }
            m_favourite = iconName(tree, index);
        }
        clickOn(screen, m_favourite);
    }
    /// A right click on an icon; the skill menu that opens shows the viewer
    /// ("&Skill Stats") or plays a random entry.
    void rightClick(bool forTheViewer) {
        screens::SkillTreeScreen* screen = shownTree();
        const TreeId tree = model::classInfo(screen->classId()).trees[static_cast<std::size_t>(draw(3))];
        m_pickStats = forTheViewer;
        clickOn(screen, iconName(tree, draw(10)), Qt::RightButton);
        m_pickStats = false;
        if (!forTheViewer) {
            return;
        }
        if (shownViewer() == nullptr) {
            fail("\"&Skill Stats\" showed no viewer");
        }
        ++g_reach["viewers opened"];
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
        const std::size_t before = toolkit.messages.size();
        clickOn(shownTree(), QStringLiteral("lbl_Save"));
        keepSavedReport(name, before);
    }
    void openSavedReport(bool byDrop) {
        if (m_kept.empty()) {
            return;
        }
        const KeptReport kept = m_kept[static_cast<std::size_t>(draw(static_cast<int>(m_kept.size())))];
        note(": " + kept.path.substr(kept.path.rfind('/') + 1, 40));
        screens::SkillTreeScreen* before = shownTree();
        const bool asks = before != nullptr && before->hasUnsavedPoints();
        const bool replace = !asks || chance(2);
        toolkit.answers.push_back(replace ? toolkit::Answer::Yes : toolkit::Answer::No); // if asked
        const std::size_t messagesBefore = toolkit.messages.size();
        if (replace) {
            replacesPlan({qstr(screens::classDesign(kept.classId).screenName), kept.entries});
        }
        toolkit.openFiles.push_back(kept.path);
        if (byDrop) { // as the platform delivers it; it opens once the drop is over
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(kept.path))});
            QWidget* target = before != nullptr ? static_cast<QWidget*>(before) : &start();
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &drop);
            QCoreApplication::processEvents();
        } else if (before != nullptr) {
            emit before->characterOpener().openRequested(); // Ctrl+O
        } else {
            clickOn(&start(), QStringLiteral("cmd_OpenCharacter"));
        }
        toolkit.openFiles.clear();
        if (toolkit.messages.size() != messagesBefore + (asks ? 1 : 0)) {
            fail("opening a saved report said \"" + toolkit.messages.back().text + "\"");
        }
        ++g_reach["reports opened again"];
    }
    void continuePlan() {
        QWidget* button = child(&start(), QStringLiteral("cmd_Continue"));
        if (button == nullptr || !button->isVisible()) {
            return;
        }
        // The newest plan that left the screen, as its journal holds it.
        std::filesystem::path newest;
        std::uint64_t highest = 0;
        for (const auto& entry : std::filesystem::directory_iterator(toolkit.journalFolder)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with("left-") && name.ends_with(".journal") &&
                std::stoull(name.substr(5)) > highest) {
                highest = std::stoull(name.substr(5));
                newest = entry.path();
            }
        }
        std::ifstream in(newest, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const journal::JournalReading kept = journal::parseJournal(text);
        if (!kept.record) {
            fail("the plan offered to continue has no whole journal: " + kept.error);
            return;
        }
        Plan expected{qstr(screens::classDesign(kept.record->plan.classId).screenName), {}};
        for (const model::HistoryEntry& entry : kept.record->plan.history) {
            expected.history.push_back(model::formatEntry(entry));
        }
        note(": " + describe(expected));
        screens::SkillTreeScreen* before = program().treeScreen();
        const bool asks = before != nullptr && before->hasUnsavedPoints();
        const bool replace = !asks || chance(2);
        if (asks) {
            toolkit.answers.push_back(replace ? toolkit::Answer::Yes : toolkit::Answer::No);
        }
        if (replace) {
            replacesPlan(expected);
        }
        const std::size_t messagesBefore = toolkit.messages.size();
        if (QApplication::activeWindow() == &start() && chance(3)) {
            note(": Ctrl+Shift+T");
            QTest::keyClick(&start(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        } else {
            clickOn(&start(), QStringLiteral("cmd_Continue"));
        }
        if (toolkit.messages.size() != messagesBefore + (asks ? 1 : 0)) {
            fail("continuing a plan said \"" + toolkit.messages.back().text + "\"");
        } else if (replace && shownTree() != nullptr && !shownTree()->hasUnsavedPoints()) {
            fail("a plan continued counts as saved");
        }
        g_reach["plans continued"] += replace ? 1 : 0;
    }
    /// Ctrl+C: the code of the plan on screen, kept to be pasted later.
    void copyCode() {
        screens::SkillTreeScreen* tree = shownTree();
        toolkit.clipboard.reset();
        emit tree->characterOpener().commandRequested(screens::ProgramCommand::CopyBuildCode);
        const std::string told = child<QLabel>(tree, QStringLiteral("lbl_UnAvail"))->text().toStdString();
        if (!toolkit.clipboard ||
            told != "Build code copied: " + std::to_string(toolkit.clipboard->size()) + " characters") {
            fail("Ctrl+C copied no code, saying \"" + told + "\"");
            return;
        }
        m_copied = {planOnScreen(), *toolkit.clipboard};
        ++g_reach["codes copied"];
    }
    /// Ctrl+V of the code copied last: the screen must show the plan it was copied from.
    void pasteCode() {
        if (!m_copied) {
            return;
        }
        screens::SkillTreeScreen* before = shownTree();
        const bool asks = before != nullptr && before->hasUnsavedPoints();
        const bool replace = !asks || chance(2);
        if (asks) {
            toolkit.answers.push_back(replace ? toolkit::Answer::Yes : toolkit::Answer::No);
        }
        if (replace) {
            replacesPlan(m_copied->first);
        }
        toolkit.clipboard = m_copied->second;
        const std::size_t messagesBefore = toolkit.messages.size();
        emit(before != nullptr ? before->characterOpener() : start().characterOpener())
            .commandRequested(screens::ProgramCommand::PasteBuildCode);
        if (toolkit.messages.size() != messagesBefore + (asks ? 1 : 0)) {
            fail("pasting a copied code said \"" + toolkit.messages.back().text + "\"");
        }
        ++g_reach["codes pasted"];
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
    struct KeptReport {
        std::string path;
        ClassId classId;
        std::vector<std::string> entries;
    };

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
    static SkillNames skillsOf(ClassId classId) {
        SkillNames names;
        for (const TreeId tree : model::classInfo(classId).trees) {
            for (int i = 0; i < model::kSkillsPerTree; ++i) {
                names.emplace(model::skill(tree, i).name);
            }
        }
        return names;
    }
    [[nodiscard]] Replay replayOnScreen() const {
        return replay(history(), skillsOf(shownTree()->classId()));
    }

    void startProgram() {
        m_program.emplace(build, toolkit);
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
               (where == Where::Tree && shownTree() != nullptr) ||
               (where == Where::Viewer && shownViewer() != nullptr);
    }
    void playerDuringFill() {
        // Between two generated points the player may act, once in a while.
        if (m_generating > 0 && m_depth <= 1 && m_problem.empty() && chance(12)) {
            QCoreApplication::processEvents();
            playOne();
        }
    }

    QAction* popMenu(QMenu& menu) {
        if (m_pickStats) {
            return program().menu().findChild<QAction*>(QStringLiteral("mnu_SkillInfo"));
        }
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
        const Replay r = replay(shownEntries, skillsOf(screen->classId()));
        if (!r.fault.empty()) {
            fail(r.fault);
            return;
        }
        for (const TreeId tree : model::classInfo(screen->classId()).trees) {
            for (int i = 0; i < model::kSkillsPerTree; ++i) {
                const auto it = r.counts.find(model::skill(tree, i).name);
                const std::string expected = std::to_string(it == r.counts.end() ? 0 : it->second);
                const QString label = qstr(screens::countArrayName(tree)) + QStringLiteral("(%1)").arg(i);
                if (const std::string shown = str(child<QLabel>(screen, label)->text()); shown != expected) {
                    fail(str(label) + " shows " + shown + ", the history holds " + expected);
                }
            }
        }
        // A fresh screen writes level one its own way; undone back to it, the usual way.
        const std::array<std::tuple<const char*, std::string, std::string>, 3> labels{
            {{"lbl_CharLevel", "Level " + std::to_string(r.levelUps + 1), r.levelUps == 0 ? "Level: 1" : ""},
             {"lbl_SkillLevel", "Skill Points:  " + std::to_string(r.levelUps),
              r.levelUps == 0 ? "Skill Points: 0" : ""},
             {"lbl_Reserved", "Reserved Points: " + std::to_string(r.reserve), ""}}};
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
        std::erase_if(m_kept, [&](const KeptReport& k) { return k.path == path; });
        if (chance(2) && m_kept.size() < 6) {
            m_kept.push_back({path, shownTree()->classId(), history()});
        }
    }

    std::mt19937_64 m_rng;
    std::mt19937_64 m_draws; ///< the program's own random numbers
    std::string m_trace;     ///< the actions played, one a line
    std::string m_problem;
    int m_actions = 0;
    int m_depth = 0;          ///< actions in progress
    int m_generating = 0;     ///< generations in progress
    bool m_pickStats = false; ///< the skill menu is to run "&Skill Stats"
    QString m_favourite;      ///< the icon clicked last, often clicked again
    std::optional<app::Program> m_program;
    bool m_programEnded = false;
    Plan m_held; ///< the plan as the player last saw it
    Effect m_effect = Effect::Free;
    Plan m_expected; ///< what a Replaces action leaves
    /// A generation the player led away from while it filled: the plan it
    /// must have stopped at, and the messages shown by then.
    std::optional<Plan> m_fillLeftAt;
    std::size_t m_messagesWhenLeft = 0;
    std::vector<KeptReport> m_kept; ///< reports saved to be opened again, with their history
    std::optional<std::pair<Plan, std::string>> m_copied; ///< the plan last copied, and its code
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
    Action{"open a saved report",  Start,      1, Keeps,  [](Soak& s) { s.openSavedReport(false); }},
    Action{"drop a saved report",  Start,      1, Keeps,  [](Soak& s) { s.openSavedReport(true); }},
    Action{"continue a plan",      Start,      2, Keeps,  [](Soak& s) { s.continuePlan(); }},
    Action{"pick a class option",  Generator,  4, Keeps,  [](Soak& s) { s.clickOn(s.program().generatorDialog(), Soak::kOptions[static_cast<std::size_t>(s.draw(6))]); }},
    Action{"generate",             Generator,  5, Free,   [](Soak& s) { s.generate(); }},
    Action{"cancel the generator", Generator,  1, Keeps,  [](Soak& s) { s.chance(2) ? s.clickOn(s.program().generatorDialog(), "lbl_Cancel") : s.keyOn(s.program().generatorDialog(), "txt_Level", Qt::Key_Escape); }},
    Action{"left click",           Tree,      60, Free,   [](Soak& s) { s.leftClick(); }},
    Action{"right click",          Tree,      22, Free,   [](Soak& s) { s.rightClick(false); }},
    Action{"open the viewer",      Tree,       2, Keeps,  [](Soak& s) { s.rightClick(true); }},
    Action{"UNDO LAST",            Tree,      12, Free,   [](Soak& s) { s.clickOn(s.shownTree(), "lbl_UndoLast"); }},
    Action{"RESET",                Tree,       1, Free,   [](Soak& s) { s.replacesPlan({s.shownTree()->objectName(), {}}); s.clickOn(s.shownTree(), "lbl_Reset"); }},
    Action{"CHANGE CLASS",         Tree,       1, Free,   [](Soak& s) { s.replacesPlan({}); s.clickOn(s.shownTree(), "lbl_ChangeClass"); }},
    Action{"keys in the history",  Tree,       2, Keeps,  [](Soak& s) { s.historyKeys(); }},
    Action{"take back to here",    Tree,       2, Free,   [](Soak& s) { s.takeBackToHere(); }},
    Action{"redo or undo by keys", Tree,       8, Free,   [](Soak& s) { s.redo(); }},
    Action{"SAVE",                 Tree,       2, Keeps,  [](Soak& s) { s.save(); }},
    Action{"open a saved report",  Tree,       2, Keeps,  [](Soak& s) { s.openSavedReport(false); }},
    Action{"drop a saved report",  Tree,       2, Keeps,  [](Soak& s) { s.openSavedReport(true); }},
    Action{"copy the build code",  Tree,       2, Keeps,  [](Soak& s) { s.copyCode(); }},
    Action{"paste a copied code",  Tree,       2, Keeps,  [](Soak& s) { s.pasteCode(); }},
    Action{"paste a copied code",  Start,      1, Keeps,  [](Soak& s) { s.pasteCode(); }},
    Action{"close the viewer",     Viewer,     3, Keeps,  [](Soak& s) { s.chance(2) ? s.clickOn(s.shownViewer(), "Label1") : s.keyOn(s.shownViewer(), {}, Qt::Key_Escape); }},
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
