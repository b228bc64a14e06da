#pragma once

#include <model/BuildListener.h>
#include <model/Catalogue.h>
#include <model/History.h>
#include <model/Plan.h>
#include <model/PlanEdit.h>
#include <screens/tree/TargetMarks.h>

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStaticText>
#include <QWidget>

#include <array>
#include <cstdint>
#include <document/PlanDocument.h>
#include <functional>
#include <memory>
#include <optional>
#include <presentation/Presentation.h>
#include <string>
#include <vector>

class QLabel;
class QFrame;
class QListWidget;
class QPagedPaintDevice;

namespace skillwright::model {
class Build;
class Character;
} // namespace skillwright::model

namespace skillwright::toolkit {
class Timer;
class Toolkit;
struct ChosenFile;
} // namespace skillwright::toolkit

namespace skillwright::screens {

class SkillIcon;
class CommandLabel;
class CharacterOpener;
class TreeKeyboard;
class HistoryEditor;
class HistoryDelegate;
class ComparisonOverlay;
struct ClassDesign;
struct TwipRect;

/// The skill tree screen of one class: one design, five instances that differ
/// only in their data (frm_NecroSkill, frm_AmazonSkill, frm_BarbarianSkill,
/// frm_Paladin, frm_Sorceress).
///
/// It shows the plan document's plan, which must be open and of its class: it
/// follows the document's build as a listener and mirrors it once per
/// completed action. Rules never live here: a left click on an icon asks the
/// document for the point, and the labels, the history list and the notice
/// follow. It neither starts nor ends the plan.
///
/// Control names. Plain controls carry their design name as objectName
/// ("lbl_CharLevel", "lb_SkillsPerLevel", "sh_Outline", ...). The elements of
/// the three icon arrays and three count-label arrays carry the array name
/// with the skill index in brackets, e.g. "img_NecroBonePoison(3)" and
/// "lbl_NecroBonePoison(3)"; each element also has the property "index".
class SkillTreeScreen : public QWidget, private model::BuildListener, private document::DocumentListener {
    Q_OBJECT
public:
    SkillTreeScreen(document::PlanDocument& document, toolkit::Toolkit& toolkit, QWidget* parent = nullptr);
    ~SkillTreeScreen() override;
    SkillTreeScreen(const SkillTreeScreen&) = delete;
    SkillTreeScreen& operator=(const SkillTreeScreen&) = delete;

    [[nodiscard]] model::ClassId classId() const { return m_classId; }
    /// Ctrl+O and files dropped on this screen.
    [[nodiscard]] CharacterOpener& characterOpener() const { return *m_opener; }

    /// Puts the build code of the plan on screen on the clipboard and says so
    /// on the notice line.
    void copyBuildCode();
    /// "Copy for Forum": puts the plan's summary, level order, build code and
    /// link on the clipboard in the form the player chose last (BBCode when
    /// none was), and says so on the notice line.
    void copyForForum();

    /// The three trees with their counts, the class and the level as the
    /// screen shows them, without the pointer's outline, the keyboard's ring
    /// or the notice, and the plan's name under them; drawn at `scale` (1 or
    /// 2) device pixels per pixel. The screen returns to the present first.
    [[nodiscard]] QImage picture(int scale);
    /// Where the trees lie on the screen: the picture's top, pixel for pixel.
    [[nodiscard]] static QRect pictureArea();
    /// "Save Picture...": asks for a PNG file and its size (1x or 2x) and
    /// writes the picture whole; a failed write says why and changes nothing.
    void savePicture();
    /// "Copy Picture": the picture on the clipboard, at the screen's scale.
    void copyPicture();
    /// The printed sheet on `device`'s first page: the heading (name, class,
    /// level), the picture across the page, and under it the summary and the
    /// level order in columns; false when the device refuses to be drawn on
    /// (a printer that failed, a file it cannot write).
    bool paintSheet(QPagedPaintDevice& device);
    /// The sheet as a one-page A4 PDF.
    [[nodiscard]] QByteArray sheetPdf();
    /// "Export PDF...": asks for a file and writes the sheet whole; a failed
    /// write says why and changes nothing.
    void exportPdf();
    /// "Print...": the sheet through the system's print dialog, on the page
    /// size and within the margins chosen there; a refused job says so.
    void printSheet();

    /// Whether the screen shows the build as it stood after an earlier entry
    /// of the history list (the one selected) rather than as it stands: the
    /// counts, labels and screen reader's names, and a right click's skill
    /// menu, which cannot change the past. A left click on a skill inserts
    /// its point right after that entry, and the view moves on to the new
    /// entry; a command returns to the present first.
    [[nodiscard]] bool lookingBack() const { return m_past.has_value(); }
    /// The history entry the screen looks back at, if it does.
    [[nodiscard]] std::optional<std::size_t> pastEntry() const {
        return m_past ? std::optional<std::size_t>(m_past->entries - 1) : std::nullopt;
    }
    /// Looks back at the milestone before (`step` -1) or after (+1) the entry
    /// looked at, or the newest entry; the newest entry is the present.
    void goToMilestone(int step);
    /// The entry whose point the next skill clicked takes instead ("Change
    /// This Point..."), if one is waiting; Esc cancels.
    [[nodiscard]] std::optional<std::size_t> changing() const { return m_changing; }

    /// Compares the plan on screen with `reference`, a plan of this screen's
    /// class, named `name` on screen, in place of any reference before it.
    /// The comparison follows every change of the plan and every look back;
    /// RESET, a replay and stopComparing() end it.
    void compareWith(model::Plan reference, std::string name);
    void stopComparing();
    [[nodiscard]] bool comparing() const;
    /// The plan compared with, while there is one.
    [[nodiscard]] const model::Plan* reference() const;

    /// A quiet, lasting line in place of the disclaimer at the foot of the
    /// screen, telling that the plan is not being kept ("lbl_NotKept");
    /// the empty text takes it away.
    void setNotKeptMark(const std::string& text);
    /// Asked before the window's frame closes it; false keeps it open. The
    /// program clears it when it closes the window itself.
    void setCloseGuard(std::function<bool()> mayClose) { m_mayClose = std::move(mayClose); }

    /// Asks for the target of `skill`: the skill menu's "Set Target..." and
    /// Ctrl+T on the skill the keyboard is on.
    void askTarget(model::SkillRef skill);
    /// Fill to Targets: level-ups after the last entry until every target is
    /// met, one edit; the notice line tells the level each was met at, or why
    /// nothing changed.
    void fillToTargets();

    /// The description area's text for skill `index` of `tree`.
    static QString skillHoverText(model::TreeId tree, int index);

signals:
    /// CHANGE CLASS was clicked, or Escape was typed in the history list. A
    /// handler that closes the screen should use deleteLater().
    void changeClassRequested();
    /// The window was closed (by its frame, or by whoever replaces it).
    void windowClosed();
    /// EXIT was clicked: the program is to end (asking first only when the
    /// plan on screen could be lost).
    void exitRequested();
    /// The right button went down on the icon of `skill`: its skill menu is
    /// to pop up at `globalPos`, as `shown` offers it: the build's state, or
    /// while the screen looks back (`past`), the state it shows.
    void skillMenuRequested(const skillwright::model::BuildState& shown, skillwright::model::SkillRef skill,
                            QPoint globalPos, bool past);
    /// The emblem above the commands was clicked: the command menu is to pop
    /// up at `globalPos`, below the emblem.
    void commandMenuRequested(QPoint globalPos);
    /// The screen began or ended looking back, or looks back at another
    /// entry: pastEntry() says which.
    void pastChanged();
    /// A comparison began, changed its reference or ended: reference() says which.
    void referenceChanged();

protected:
    /// A move that reaches the screen itself is a move over the bare surface
    /// (the tree area, or the button panel, which lets moves through).
    void mouseMoveEvent(QMouseEvent* event) override;
    /// Escape typed in the history list.
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// Escape cancels a change waiting for its skill.
    void keyPressEvent(QKeyEvent* event) override;
    /// Tells windowClosed, unless the close guard keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private:
    enum Command { Save, Reset, ChangeClass, UndoLast, Close, CommandCount };

    void createControls();
    void createBackground();
    void createCaptions();
    void createCommands();
    void createStatusLabels();
    void createHistoryList();
    void createDescription();
    void createOutline();
    /// The save dialog titled `title`, offering the plan's name (else
    /// "Character") with `extension` in the report folder.
    [[nodiscard]] toolkit::ChosenFile askWhereToSave(const std::string& title, const char* extension,
                                                     const std::vector<std::string>& filters);
    /// Writes `bytes` whole as `path`; when that fails, a box titled `title`
    /// says that the `what` could not be saved and why, and it is false.
    bool writeWhole(const std::string& path, const QByteArray& bytes, const char* what,
                    const std::string& title);
    void rightPressed(model::TreeId tree, int index, QPoint globalPos);
    /// A left click on a skill: the next point, or looking back, a point
    /// inserted there, or the point of the entry being changed.
    void skillClicked(model::SkillRef skill);
    /// Carries out `edit` of the history: taken whole, the view moves to
    /// the entry it leaves; refused, the notice says why and the entry that
    /// breaks is marked.
    void editHistory(const model::PlanEdit& edit);
    /// The screen reader's names of the entries an edit moved say where they were.
    void tellMovedEntries(const std::vector<model::HistoryEntry>& before,
                          const std::vector<std::size_t>& origins);
    void beginChange(int row);
    /// Shows `text` on the notice line, as a refusal is shown.
    void tell(std::string text);
    /// Alt+click (+1) and Alt+right-click (-1) on a skill.
    void stepTarget(model::SkillRef skill, int by);
    /// Shift+click: the skill with its missing prerequisites first.
    void takePath(model::SkillRef skill);
    /// Asks for the name of a milestone on entry `row`.
    void markMilestone(int row);
    /// The history list's separators follow the plan's milestones.
    void mirrorMilestones();
    void documentChanged(const document::PlanDocument& document,
                         const document::DocumentChange& change) override;
    void clearRefusedMark();
    void save();
    void changeClass();
    /// Whether the document holds a plan of this screen's class.
    [[nodiscard]] bool showsPlan() const;
    void createTree(int position);
    QLabel* addWhiteLabel(const char* name, const QString& text, const TwipRect& place, const QFont& font,
                          Qt::Alignment alignment);
    void mirror();
    static void mirrorText(QLabel* label, std::string& shown, std::string text);
    void mirrorCounts(const model::BuildState& shown);
    /// The level, points and reserve labels, the notice line and the frame.
    void mirrorLabels(const presentation::StatusLabels& status);
    /// The history list, kept to the build's whole history.
    void mirrorHistory(const std::vector<model::HistoryEntry>& history);
    void mirrorTierColours(const presentation::StatusLabels& status);
    /// Shows the build as it stood right after history entry `row`; the
    /// newest entry, or none, is the present.
    void lookBack(int row);
    /// Back to the build as it stands; false when the screen was not looking back.
    bool returnToPresent();
    void selectNewestEntry();

    // How the build reaches this screen.
    void buildChanged(const model::BuildChange& change) override;
    void iconHover(const SkillIcon& icon);
    void commandHover(Command command);
    void resetHover();
    void setCommandWhite(Command command, bool white);

    model::ClassId m_classId;
    const ClassDesign& m_design;
    document::PlanDocument& m_document;
    const model::Build& m_build; ///< the document's
    toolkit::Toolkit& m_toolkit;
    std::unique_ptr<toolkit::Timer> m_noticeTimer; ///< tim_Unavail
    presentation::NoticeLine m_notice;
    presentation::StatusLabels m_status; ///< the status and tier labels' texts and colours
    CharacterOpener* m_opener = nullptr;
    TreeKeyboard* m_keyboard = nullptr;       ///< a child: the keys and the screen reader's names
    HistoryEditor* m_historyEditor = nullptr; ///< a child: the history list's own commands
    std::unique_ptr<TargetMarks> m_targetMarks;
    std::optional<std::size_t> m_changing;
    bool m_editing = false; ///< an edit of the history runs: the screen shows its outcome once, at its end

    std::array<std::array<QLabel*, model::kSkillsPerTree>, 3> m_counts{};
    std::array<std::array<std::int16_t, model::kSkillsPerTree>, 3> m_shownCounts{};
    std::array<QLabel*, model::kTierCount> m_tierLabels{};
    std::array<bool, model::kTierCount> m_tierShown{};
    std::array<CommandLabel*, CommandCount> m_commands{};
    std::array<bool, CommandCount> m_commandWhite{};
    QLabel* m_charLevel = nullptr;
    QLabel* m_skillLevel = nullptr;
    QLabel* m_reserved = nullptr;
    QLabel* m_noticeLabel = nullptr; ///< lbl_UnAvail
    QLabel* m_description = nullptr;
    QLabel* m_disclaimer = nullptr; ///< lbl_Notice
    QLabel* m_notKept = nullptr;    ///< lbl_NotKept, made when first needed
    std::function<bool()> m_mayClose;
    QListWidget* m_history = nullptr;
    QFrame* m_outline = nullptr;
    QFrame* m_pastFrame = nullptr; ///< frm_LookingBack, shown while looking back
    /// The build as it stood after an earlier entry, looked back at.
    struct Past {
        std::size_t entries = 0; ///< the entries it stood on
        model::BuildState state;
        presentation::StatusLabels status; ///< as a plan replayed to it shows them
    };
    std::optional<Past> m_past;
    int m_outlineTop = 0;  ///< twips
    int m_outlineLeft = 0; ///< twips
    std::string m_shownLevel;
    std::string m_shownPoints;
    std::string m_shownReserve;
    std::string m_shownNotice;
    std::vector<model::HistoryEntry> m_shownHistory;
    std::vector<QStaticText> m_historyTexts;      ///< the shown entries, laid out for painting
    HistoryDelegate* m_historyDelegate = nullptr; ///< paints m_historyTexts
    std::vector<QString> m_milestoneNames;        ///< by row, as the history list shows them
    std::vector<int> m_movesTold;                 ///< the rows whose names say where an edit moved them from
    std::unique_ptr<ComparisonOverlay> m_comparison; ///< made by the first reference
};

} // namespace skillwright::screens
