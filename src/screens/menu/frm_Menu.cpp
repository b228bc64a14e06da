#include "frm_Menu.h"

#include <model/Build.h>
#include <toolkit/Toolkit.h>

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace skillwright::screens {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

frm_Menu::frm_Menu(model::Build& build, toolkit::Toolkit& toolkit, QWidget* parent)
    : QWidget(parent), m_build(build), m_toolkit(toolkit),
      m_popper([](QMenu& menu, QPoint pos) { return menu.exec(pos); }) {
    setObjectName(QStringLiteral("frm_Menu"));
    setWindowTitle(QStringLiteral("Form1"));

    mnu_ReserveMenu = new QMenu(QStringLiteral("ReserveMenu"), this);
    mnu_ReserveMenu->setObjectName(QStringLiteral("mnu_ReserveMenu"));
    mnu_ReservePoint = addEntry(mnu_ReserveMenu, "mnu_ReservePoint", QStringLiteral("&Reserve Skill Point"),
                                &frm_Menu::mnu_ReservePoint_Click);
    mnu_UseReserve = addEntry(mnu_ReserveMenu, "mnu_UseReserve", QStringLiteral("&Use Reserved Point"),
                              &frm_Menu::mnu_UseReserve_Click);
    mnu_ReserveSpacer = addSeparator(mnu_ReserveMenu, "mnu_ReserveSpacer");
    mnu_DenOfEvil = addEntry(mnu_ReserveMenu, "mnu_DenOfEvil", QStringLiteral("&Den Of Evil (Normal)"),
                             &frm_Menu::mnu_DenOfEvil_Click);
    mnu_BookOfSkill = addEntry(mnu_ReserveMenu, "mnu_BookOfSkill", QStringLiteral("&Book Of Skill (Normal)"),
                               &frm_Menu::mnu_BookOfSkill_Click);
    mnu_DeathOfIzual =
        addEntry(mnu_ReserveMenu, "mnu_DeathOfIzual", QStringLiteral("&Death of Izual (Normal)"),
                 &frm_Menu::mnu_DeathOfIzual_Click);
    mnu_Skillstats = addSeparator(mnu_ReserveMenu, "mnu_Skillstats");
    mnu_SkillInfo = addEntry(mnu_ReserveMenu, "mnu_SkillInfo", QStringLiteral("&Skill Stats"),
                             &frm_Menu::mnu_SkillInfo_Click);

    const QString quennick = QString::fromLatin1(kQuennickName);
    mnu_QuennickPop = new QMenu(quennick, this);
    mnu_QuennickPop->setObjectName(QStringLiteral("mnu_QuennickPop"));
    mnu_QuennickEmail = addEntry(mnu_QuennickPop, "mnu_QuennickEmail", QStringLiteral("Email ") + quennick,
                                 &frm_Menu::mnu_QuennickEmail_Click);
    mnu_QuennickWeb = addEntry(mnu_QuennickPop, "mnu_QuennickWeb", QStringLiteral("Visit Website"),
                               &frm_Menu::mnu_QuennickWeb_Click);

    mnu_Orrindel = new QMenu(QStringLiteral("Orrindel"), this);
    mnu_Orrindel->setObjectName(QStringLiteral("mnu_Orrindel"));
    mnu_OrrindelEmail = addEntry(mnu_Orrindel, "mnu_OrrindelEmail", QStringLiteral("Email Orrindel"),
                                 &frm_Menu::mnu_OrrindelEmail_Click);
    mnu_OrrindelSite = addEntry(mnu_Orrindel, "mnu_OrrindelSite", QStringLiteral("Visit Website"),
                                &frm_Menu::mnu_OrrindelSite_Click);
}

frm_Menu::~frm_Menu() = default;

QAction* frm_Menu::addEntry(QMenu* menu, const char* name, const QString& caption,
                            void (frm_Menu::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    m_handlers.emplace_back(action, handler);
    return action;
}

QAction* frm_Menu::addSeparator(QMenu* menu, const char* name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

void frm_Menu::setPopper(Popper popper) {
    m_popper = std::move(popper);
}

void frm_Menu::setSkillStatsOpener(std::function<void()> open) {
    m_openSkillStats = std::move(open);
}

void frm_Menu::mirrorBuild() {
    const model::SkillMenuState& m = m_build.menu;
    mnu_DenOfEvil->setText(q(m.denOfEvilCaption));
    mnu_BookOfSkill->setText(q(m.bookOfSkillCaption));
    mnu_DeathOfIzual->setText(q(m.deathOfIzualCaption));
    mnu_ReserveSpacer->setVisible(m.reserveSpacerVisible);
    mnu_DenOfEvil->setVisible(m.denOfEvilVisible);
    mnu_BookOfSkill->setVisible(m.bookOfSkillVisible);
    mnu_DeathOfIzual->setVisible(m.deathOfIzualVisible);
}

void frm_Menu::popupSkillMenu(QPoint globalPos) {
    mirrorBuild();
    popup(*mnu_ReserveMenu, globalPos);
}

void frm_Menu::popupContactMenu(int person, QPoint globalPos) {
    if (person == Quennick) {
        popup(*mnu_QuennickPop, globalPos);
    } else if (person == Orrindel) {
        popup(*mnu_Orrindel, globalPos);
    }
}

void frm_Menu::popup(QMenu& menu, QPoint globalPos) {
    QAction* chosen = m_popper ? m_popper(menu, globalPos) : nullptr;
    // Only an entry the user could actually pick runs: one of this menu's,
    // shown, enabled and not a separator.
    if (chosen == nullptr || !menu.actions().contains(chosen) || !chosen->isVisible() ||
        !chosen->isEnabled() || chosen->isSeparator()) {
        return;
    }
    const auto it = std::find_if(m_handlers.begin(), m_handlers.end(),
                                 [chosen](const auto& entry) { return entry.first == chosen; });
    if (it != m_handlers.end()) {
        (this->*(it->second))();
    }
}

void frm_Menu::mnu_ReservePoint_Click() {
    m_build.ReservePoint();
}
void frm_Menu::mnu_UseReserve_Click() {
    m_build.UseReservedPoint();
}
void frm_Menu::mnu_DenOfEvil_Click() {
    m_build.TakeDenOfEvilPoint();
}
void frm_Menu::mnu_BookOfSkill_Click() {
    m_build.TakeBookOfSkillPoint();
}
void frm_Menu::mnu_DeathOfIzual_Click() {
    m_build.TakeIzualPoint();
}

void frm_Menu::mnu_SkillInfo_Click() {
    if (m_openSkillStats) {
        m_openSkillStats();
    }
}

void frm_Menu::openAddress(const char* address) {
    // Whether the desktop could open it or not, nothing is shown to the user.
    try {
        static_cast<void>(m_toolkit.openAddress(address));
    } catch (...) {
    }
}

void frm_Menu::mnu_QuennickEmail_Click() {
    openAddress(kQuennickEmail);
}
void frm_Menu::mnu_QuennickWeb_Click() {
    openAddress(kQuennickWeb);
}
void frm_Menu::mnu_OrrindelEmail_Click() {
    openAddress(kOrrindelEmail);
}
void frm_Menu::mnu_OrrindelSite_Click() {
    openAddress(kOrrindelWeb);
}

} // namespace skillwright::screens
