#include "frm_Menu.h"

#include <model/Build.h>
#include <model/Presentation.h>
#include <toolkit/Toolkit.h>

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <array>
#include <utility>

namespace skillwright::screens {

frm_Menu::frm_Menu(model::Build& build, const model::SkillMenuTexts& texts, toolkit::Toolkit& toolkit,
                   QWidget* parent)
    : QWidget(parent), m_build(build), m_texts(texts), m_toolkit(toolkit),
      m_popper([](QMenu& menu, QPoint pos) { return menu.exec(pos); }) {
    setObjectName(QStringLiteral("frm_Menu"));
    setWindowTitle(QStringLiteral("Form1"));

    m_skillMenu = new QMenu(QStringLiteral("ReserveMenu"), this);
    m_skillMenu->setObjectName(QStringLiteral("mnu_ReserveMenu"));
    addEntry(m_skillMenu, "mnu_ReservePoint", QStringLiteral("&Reserve Skill Point"),
             &frm_Menu::mnu_ReservePoint_Click);
    addEntry(m_skillMenu, "mnu_UseReserve", QStringLiteral("&Use Reserved Point"),
             &frm_Menu::mnu_UseReserve_Click);
    m_questSpacer = addSeparator(m_skillMenu, "mnu_ReserveSpacer");
    m_denOfEvil = addEntry(m_skillMenu, "mnu_DenOfEvil", QStringLiteral("&Den Of Evil (Normal)"),
                           &frm_Menu::mnu_DenOfEvil_Click);
    m_bookOfSkill = addEntry(m_skillMenu, "mnu_BookOfSkill", QStringLiteral("&Book Of Skill (Normal)"),
                             &frm_Menu::mnu_BookOfSkill_Click);
    m_deathOfIzual = addEntry(m_skillMenu, "mnu_DeathOfIzual", QStringLiteral("&Death of Izual (Normal)"),
                              &frm_Menu::mnu_DeathOfIzual_Click);
    addSeparator(m_skillMenu, "mnu_Skillstats");
    addEntry(m_skillMenu, "mnu_SkillInfo", QStringLiteral("&Skill Stats"), &frm_Menu::mnu_SkillInfo_Click);

    const QString quennick = QString::fromLatin1(kQuennickName);
    m_quennickMenu = new QMenu(quennick, this);
    m_quennickMenu->setObjectName(QStringLiteral("mnu_QuennickPop"));
    addEntry(m_quennickMenu, "mnu_QuennickEmail", QStringLiteral("Email ") + quennick,
             &frm_Menu::mnu_QuennickEmail_Click);
    addEntry(m_quennickMenu, "mnu_QuennickWeb", QStringLiteral("Visit Website"),
             &frm_Menu::mnu_QuennickWeb_Click);

    m_orrindelMenu = new QMenu(QStringLiteral("Orrindel"), this);
    m_orrindelMenu->setObjectName(QStringLiteral("mnu_Orrindel"));
    addEntry(m_orrindelMenu, "mnu_OrrindelEmail", QStringLiteral("Email Orrindel"),
             &frm_Menu::mnu_OrrindelEmail_Click);
    addEntry(m_orrindelMenu, "mnu_OrrindelSite", QStringLiteral("Visit Website"),
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

void frm_Menu::mirrorQuestEntries() {
    using model::Quest;
    const std::array<std::pair<QAction*, Quest>, 3> entries{{{m_denOfEvil, Quest::DenOfEvil},
                                                             {m_bookOfSkill, Quest::BookOfSkill},
                                                             {m_deathOfIzual, Quest::Izual}}};
    for (const auto& [action, quest] : entries) {
        action->setText(QString::fromStdString(m_texts.caption(quest)));
        action->setVisible(m_texts.visible(quest));
    }
    m_questSpacer->setVisible(m_texts.reserveSpacerVisible());
}

void frm_Menu::popupSkillMenu(QPoint globalPos) {
    mirrorQuestEntries();
    popup(*m_skillMenu, globalPos);
}

void frm_Menu::popupContactMenu(int person, QPoint globalPos) {
    if (person == Quennick) {
        popup(*m_quennickMenu, globalPos);
    } else if (person == Orrindel) {
        popup(*m_orrindelMenu, globalPos);
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
    emit skillStatsRequested();
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
