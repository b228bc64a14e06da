#pragma once

#include <QPoint>
#include <QWidget>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QMenu;

namespace skillwright::model {
class Build;
}
namespace skillwright::toolkit {
class Toolkit;
}

namespace skillwright::screens {

/// The hidden holder of every pop-up menu: the skill menu that a right click
/// on a skill icon opens, and the two contact menus of the start screen.
/// It is never shown; it holds no state of its own. Before each pop-up the
/// skill menu takes the quest captions and visibility the build decided.
class frm_Menu : public QWidget {
public:
    /// Runs a menu modally at a global position and returns the chosen
    /// entry, or nullptr when the menu was dismissed.
    using Popper = std::function<QAction*(QMenu&, QPoint)>;

    enum Person { Quennick = 0, Orrindel = 1 };

    static constexpr const char* kQuennickName = "Quennick";
    static constexpr const char* kQuennickEmail = "mailto:quennick@example.com";
    static constexpr const char* kQuennickWeb = "https://www.example.com/quennick/";
    static constexpr const char* kOrrindelEmail = "mailto:orrindel@example.org";
    static constexpr const char* kOrrindelWeb = "https://www.example.org/orrindel/";

    frm_Menu(model::Build& build, toolkit::Toolkit& toolkit, QWidget* parent = nullptr);
    ~frm_Menu() override;
    Q_DISABLE_COPY_MOVE(frm_Menu)

    /// Replaces the modal run of the menus (default: QMenu::exec).
    void setPopper(Popper popper);
    /// What "&Skill Stats" opens; does nothing until a viewer is supplied.
    void setSkillStatsOpener(std::function<void()> open);

    /// Pops up the skill menu; the chosen entry's handler has run on return.
    void popupSkillMenu(QPoint globalPos);
    /// Pops up the contact menu of a person (Quennick or Orrindel).
    void popupContactMenu(int person, QPoint globalPos);

    /// Copies the build's quest captions and visibility into the skill menu.
    void mirrorBuild();

    // Click handlers.
    void mnu_ReservePoint_Click();
    void mnu_UseReserve_Click();
    void mnu_DenOfEvil_Click();
    void mnu_BookOfSkill_Click();
    void mnu_DeathOfIzual_Click();
    void mnu_SkillInfo_Click();
    void mnu_QuennickEmail_Click();
    void mnu_QuennickWeb_Click();
    void mnu_OrrindelEmail_Click();
    void mnu_OrrindelSite_Click();

    // The menus and their entries, named as the program refers to them.
    QMenu* mnu_ReserveMenu = nullptr;
    QAction* mnu_ReservePoint = nullptr;
    QAction* mnu_UseReserve = nullptr;
    QAction* mnu_ReserveSpacer = nullptr;
    QAction* mnu_DenOfEvil = nullptr;
    QAction* mnu_BookOfSkill = nullptr;
    QAction* mnu_DeathOfIzual = nullptr;
    QAction* mnu_Skillstats = nullptr;
    QAction* mnu_SkillInfo = nullptr;

    QMenu* mnu_QuennickPop = nullptr;
    QAction* mnu_QuennickEmail = nullptr;
    QAction* mnu_QuennickWeb = nullptr;

    QMenu* mnu_Orrindel = nullptr;
    QAction* mnu_OrrindelEmail = nullptr;
    QAction* mnu_OrrindelSite = nullptr;

private:
    QAction* addEntry(QMenu* menu, const char* name, const QString& caption, void (frm_Menu::*handler)());
    QAction* addSeparator(QMenu* menu, const char* name);
    void popup(QMenu& menu, QPoint globalPos);
    void openAddress(const char* address);

    model::Build& m_build;
    toolkit::Toolkit& m_toolkit;
    Popper m_popper;
    std::function<void()> m_openSkillStats;
    std::vector<std::pair<QAction*, void (frm_Menu::*)()>> m_handlers;
};

} // namespace skillwright::screens
