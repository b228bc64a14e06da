#pragma once

#include <model/BuildListener.h>
#include <model/Catalogue.h>
#include <screens/common/ProgramCommands.h>

#include <QPoint>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QMenu;

namespace skillwright::document {
class PlanDocument;
}
namespace skillwright::model {
class Build;
struct BuildState;
} // namespace skillwright::model
namespace skillwright::presentation {
class SkillMenuTexts;
}
namespace skillwright::toolkit {
class Toolkit;
}

namespace skillwright::screens {

/// The hidden holder of every pop-up menu: the skill menu that a right click
/// on a skill icon opens, the two contact menus of the start screen, and the
/// command menu of a tree screen's emblem with the program's own commands.
/// It is never shown. It keeps the skill of the last right click, on which
/// the skill menu's entries act; before each pop-up the skill menu takes the
/// quest captions and the offers the rules decide for that skill.
///
/// A right click on a build the screen only looks back at (not the one the
/// holder acts on) shows that build's offers and captions with the entries
/// that would change it disabled: the past cannot be changed. Its statistics
/// entry still opens the viewer, on the points the skill held then.
///
/// An exhausted quest is told in the message box "No Longer valid": the
/// holder hears the refusal from the build, as every screen hears refusals.
///
/// The menus and entries carry their design names as objectNames
/// ("mnu_ReserveMenu", "mnu_DenOfEvil", "mnu_SkillInfo", ...).
class MenuHolder : public QWidget, private model::BuildListener {
    Q_OBJECT
public:
    /// The skill of a right click, and the points it held then.
    struct RightClickedSkill {
        model::SkillRef skill;
        std::int16_t points = 0;
    };

    /// Runs a menu modally at a global position and returns the chosen
    /// entry, or nullptr when the menu was dismissed.
    using Popper = std::function<QAction*(QMenu&, QPoint)>;

    enum Person { Quennick = 0, Orrindel = 1 };

    // The contacts' addresses are our own choice, in example.com and example.org,
    // domains reserved for examples that reach no one; the start screen's
    // contact cards (StartScreen::kQuennickCard, kOrrindelCard) show the same two.
    static constexpr const char* kQuennickName = "Quennick";
    static constexpr const char* kQuennickEmail = "mailto:quennick@example.com";
    static constexpr const char* kQuennickWeb = "https://www.example.com/quennick/";
    static constexpr const char* kOrrindelEmail = "mailto:orrindel@example.org";
    static constexpr const char* kOrrindelWeb = "https://www.example.org/orrindel/";

    MenuHolder(document::PlanDocument& document, const presentation::SkillMenuTexts& texts,
               toolkit::Toolkit& toolkit, QWidget* parent = nullptr);
    ~MenuHolder() override;
    Q_DISABLE_COPY_MOVE(MenuHolder)

    /// Replaces the modal run of the menus (default: QMenu::exec).
    void setPopper(Popper popper);

    /// Pops up the skill menu for `skill` as `shown` offers it: the state of
    /// the build this holder acts on, or `past`, the state of an earlier
    /// entry looked back at, whose menu cannot change anything. The chosen
    /// entry's handler has run on return.
    void popupSkillMenu(const model::BuildState& shown, model::SkillRef skill, QPoint globalPos,
                        bool past = false);
    /// The skill of the last right click, on which the skill entries act.
    [[nodiscard]] const std::optional<RightClickedSkill>& rightClicked() const { return m_rightClicked; }
    /// Pops up the contact menu of a person (Quennick or Orrindel).
    void popupContactMenu(int person, QPoint globalPos);
    /// Pops up the command menu ("mnu_Commands"): one entry per program
    /// command, in their order, each with its keys; the commands `offered`
    /// turns down are shown disabled (all are offered without it).
    void popupCommandMenu(QPoint globalPos, const std::function<bool(ProgramCommand)>& offered = {});

    /// Shows the skill menu's entries as `shown` offers them for `skill`.
    void mirrorQuestEntries(const model::BuildState& shown, model::SkillRef skill, bool past);

    // The entries' commands.
    void reserveForLater();
    void spendReserved();
    void takeDenOfEvil();
    void takeBookOfSkill();
    void takeIzual();
    void showSkillStats();
    void setTarget();
    void mailQuennick();
    void visitQuennickSite();
    void mailOrrindel();
    void visitOrrindelSite();

signals:
    /// "&Skill Stats" was chosen for the last right-clicked skill (rightClicked()).
    void skillStatsRequested();
    /// "Set &Target..." was chosen for the last right-clicked skill.
    void targetRequested();
    /// A program command was chosen in the command menu.
    void commandChosen(skillwright::screens::ProgramCommand command);

private:
    QAction* addEntry(QMenu* menu, const char* name, const QString& caption, void (MenuHolder::*handler)());
    QAction* addSeparator(QMenu* menu, const char* name);
    void takeQuestPoint(model::Quest quest);
    /// An exhausted quest is told in a message box.
    void buildChanged(const model::BuildChange& change) override;
    void popup(QMenu& menu, QPoint globalPos);
    void openAddress(const char* address);

    document::PlanDocument& m_document; ///< what the entries change
    const model::Build& m_build;        ///< the document's
    const presentation::SkillMenuTexts& m_texts;
    toolkit::Toolkit& m_toolkit;
    Popper m_popper;
    std::optional<RightClickedSkill> m_rightClicked;

    QMenu* m_skillMenu = nullptr;      ///< mnu_ReserveMenu
    QAction* m_reservePoint = nullptr; ///< mnu_ReservePoint
    QAction* m_useReserve = nullptr;   ///< mnu_UseReserve
    QAction* m_questSpacer = nullptr;  ///< mnu_ReserveSpacer, the line above the quest entries
    QAction* m_denOfEvil = nullptr;    ///< mnu_DenOfEvil
    QAction* m_bookOfSkill = nullptr;  ///< mnu_BookOfSkill
    QAction* m_deathOfIzual = nullptr; ///< mnu_DeathOfIzual
    QMenu* m_quennickMenu = nullptr;   ///< mnu_QuennickPop
    QMenu* m_orrindelMenu = nullptr;   ///< mnu_Orrindel
    QMenu* m_commandMenu = nullptr;    ///< mnu_Commands
    std::vector<std::pair<QAction*, void (MenuHolder::*)()>> m_handlers;
};

} // namespace skillwright::screens
