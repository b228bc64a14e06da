#pragma once

#include "PlanKeeper.h"

#include <model/Plan.h>
#include <screens/attributes/AttributesWindow.h>
#include <screens/library/LibraryWindow.h>
#include <screens/menu/MenuHolder.h>
#include <screens/notes/NotesWindow.h>
#include <screens/notes/TargetsWindow.h>
#include <screens/select/StartScreen.h>
#include <screens/summary/SummaryWindow.h>
#include <screens/tree/SkillTreeScreen.h>
#include <stats/SkillStatsViewer.h>

#include <QPointer>

#include <cstdint>
#include <document/PlanDocument.h>
#include <functional>
#include <memory>
#include <optional>
#include <presentation/Presentation.h>
#include <stop_token>
#include <string>

namespace skillwright::model {
struct GenerationPlan;
} // namespace skillwright::model

namespace skillwright::toolkit {
class Toolkit;
}
namespace skillwright::screens {
class CharacterOpener;
}

class QApplication;

namespace skillwright::app {

/// The program's look for what Qt draws itself (pop-up menus, dialogs,
/// tooltips): dark panels with the screens' parchment-gold text.
void applyLook(QApplication& app);

/// The program's screens and how they hand over to each other, the one place
/// where they are wired together: every screen announces what the player
/// asked for with a signal, and Program connects it to the screen that
/// answers. The start screen opens a class's skill tree screen; CHANGE CLASS
/// (or Esc in its history) brings the start screen back and closes the tree
/// screen; a right click on a skill pops up the menu holder's skill menu. At
/// most one tree screen exists at a time; the menu holder is created on first
/// use and lives as long as the program.
///
/// Every window Program opens, or brings back, takes the keyboard as it
/// appears, so that no key meant for it reaches a window behind it. And
/// whatever puts something else in the place of the plan on screen (a class
/// or the generator asked for on the start screen, CHANGE CLASS, the end of
/// the program) first stops a random fill that is running. The plan keeper
/// journals the plan on screen; the start screen offers what it kept.
class Program {
public:
    Program(document::PlanDocument& document, toolkit::Toolkit& toolkit);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    /// Shows the start screen and loads its animations; with the command
    /// line's argument (a report's path or "file:" address, a build code or a
    /// plan's link), opens that character in the start screen's place. An
    /// argument that is none of them is told by name.
    void start(const std::string& argument = {});

    /// Opens the saved character of the report at `path` on its class's
    /// screen, every point replayed through the rules. A file that is no
    /// report changes nothing; a report with a bad line opens up to it. Both
    /// are told in a message box. Points on screen not yet saved are only
    /// replaced if the player says so. True when a character was opened.
    bool openCharacter(const std::string& path);
    /// Opens the plan of a build code or a plan's link the way a report's is
    /// opened; any other text is told why it does not open, and changes
    /// nothing. True when a character was opened.
    bool openCode(const std::string& text);
    /// Compares the plan on the tree screen with the saved character of the
    /// report at `path`, read and replayed as opening reads it and told the
    /// same way when it is no report or replays only in part. A character
    /// of another class is told so. Nothing changes but for a comparison that
    /// starts; the plan on screen, SAVE and the journal keep to it alone.
    /// True when a comparison started.
    bool compareWithCharacter(const std::string& path);
    /// The same with a build code or a plan's link.
    bool compareWithCode(const std::string& text);
    /// Runs a program command: from its keys, or from the command menu.
    void runCommand(screens::ProgramCommand command);
    /// Puts the plan `number` that left the screen unsaved back on its
    /// class's screen, as opening a report does. A plan that can no longer be
    /// read is told in a message box. True when it was continued.
    bool continuePlan(std::uint64_t number);

    [[nodiscard]] screens::StartScreen& startScreen() { return m_start; }
    [[nodiscard]] screens::SkillTreeScreen* treeScreen() const { return m_treeScreen; }
    [[nodiscard]] screens::MenuHolder& menu();
    [[nodiscard]] const presentation::SkillMenuTexts& menuTexts() const { return m_menuTexts; }

    /// The generator dialog while it is open.
    [[nodiscard]] QWidget* generatorDialog() const { return m_generator; }
    /// The statistics viewer while it is open.
    [[nodiscard]] QWidget* statsViewer() const { return m_viewer; }
    /// The notes window of the plan on screen, while it is open.
    [[nodiscard]] screens::NotesWindow* notesWindow() const { return m_notes; }
    [[nodiscard]] screens::TargetsWindow* targetsWindow() const { return m_targets; }
    [[nodiscard]] screens::LibraryWindow* libraryWindow() const { return m_library; }
    [[nodiscard]] screens::SummaryWindow* summaryWindow() const { return m_summary; }
    /// The attributes window of the plan on screen, while it is open.
    [[nodiscard]] screens::AttributesWindow* attributesWindow() const { return m_attributes; }

private:
    /// The plan of a build code or a plan's link; any other text is told why
    /// it holds none.
    std::optional<model::Plan> planOfCode(const std::string& text);
    /// Asks before a plan with unsaved points is replaced (No the default).
    bool mayReplacePlanOnScreen();
    /// While the journal cannot keep the plan on screen, asks before its
    /// unsaved points leave the screen (No the default); true at once otherwise.
    bool mayLetPlanGo();
    screens::SkillTreeScreen* openClass(model::ClassId classId, document::Origin origin);
    /// The tree screen of the document's plan, not shown yet.
    screens::SkillTreeScreen* createTreeScreen();
    /// The tree screen goes, and with it anything that acts on its plan (a
    /// running fill, the statistics viewer); the plan stays in the document.
    void closeTreeScreen();
    void generate(const model::GenerationPlan& plan);
    void openGenerator(bool hideStartScreen);
    void openSkillStats();
    void closeSkillStats();
    /// Opens the notes window beside the tree screen, or brings it forward.
    void openNotes();
    /// Places a window of the tree screen `screen` beside it, `below` pixels
    /// down, and hands the keyboard back when it closes.
    void standBeside(QWidget& window, const QWidget& screen, int below);
    /// Hands the keyboard back to the screen in front when `window` closes.
    void returnKeyboardWhenClosed(QWidget& window);
    /// The windows that stand beside the tree screen and follow its plan go.
    void closeSideWindows();
    /// The targets window of the plan on screen, beside the tree screen.
    void openTargets();
    /// The library of saved plans, from either screen.
    void openLibrary();
    /// The reports opened from other folders than the library's, newest first.
    [[nodiscard]] std::vector<std::string> openedRecently();
    /// Keeps `path` among them when it lies outside the library's folder.
    void rememberOpened(const std::string& path);
    /// The summary window of the plan on screen, beside the tree screen.
    void openSummary();
    /// Opens the attributes window beside the tree screen, or brings it forward.
    void openAttributes();
    void askForCharacter();
    void pasteCode();
    /// The clipboard's text for Ctrl+V or Ctrl+Shift+V; a text too long or
    /// none at all is told as no code.
    std::optional<std::string> clipboardCode();
    void askForReference();
    bool openArgument(const std::string& argument);
    /// What went wrong in opening a plan, told as the player reads it, from
    /// where its replay stopped (if it did); nothing when all is well.
    using ProblemTeller = std::function<std::optional<std::string>(const std::optional<model::ReplayStop>&)>;
    /// Opens `opened` in place of the plan on screen, the way every character
    /// opens: the question about unsaved points, then putOnScreen, the
    /// problem told. True when it opened.
    bool openPlan(const document::OpenedPlan& opened, const ProblemTeller& problemOf);
    /// The document takes `opened` (every entry replayed through the rules)
    /// and its class's screen shows it, in place of the plan and screen
    /// before; a running fill stops. Where the replay stopped, if it did.
    std::optional<model::ReplayStop> putOnScreen(const document::OpenedPlan& opened);
    /// What went wrong in replaying a plan, and the level it reached then.
    using ReplayTeller =
        std::function<std::optional<std::string>(const std::optional<model::ReplayStop>&, int levelReached)>;
    /// Holds `plan` beside the plan on the tree screen, replayed through the
    /// rules in a build of its own, named `name` there.
    bool compareWithPlan(const model::Plan& plan, const std::string& name, const ReplayTeller& problemOf);
    void followOpener(screens::CharacterOpener& opener);
    /// The keyboard back to the window the player returns to: the tree
    /// screen, or the start screen when none is open.
    void returnKeyboard();
    void stopFill();
    void endProgram();

    document::PlanDocument& m_document;
    toolkit::Toolkit& m_toolkit;
    presentation::SkillMenuTexts m_menuTexts;
    PlanKeeper m_keeper;
    screens::StartScreen m_start;
    std::unique_ptr<screens::MenuHolder> m_menu;
    QPointer<screens::SkillTreeScreen> m_treeScreen;
    QPointer<QWidget> m_generator;
    QPointer<stats::SkillStatsViewer> m_viewer;
    QPointer<screens::NotesWindow> m_notes;
    QPointer<screens::TargetsWindow> m_targets;
    QPointer<screens::LibraryWindow> m_library;
    QPointer<screens::SummaryWindow> m_summary;
    QPointer<screens::AttributesWindow> m_attributes;
    std::stop_source m_fillStop; ///< of the fill running, if one is
};

} // namespace skillwright::app
