#include "MenuHolder.h"

#include <model/Build.h>
#include <screens/common/ScreenKit.h>
#include <toolkit/Toolkit.h>

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include <algorithm>
#include <array>
#include <document/PlanDocument.h>
#include <presentation/Presentation.h>
#include <tuple>
#include <utility>

namespace skillwright::screens {

namespace {

/// A quest entry's caption as the menu is created: its Normal point's.
QString caption(model::Quest quest) {
    return QString::fromUtf8(presentation::questCaptions(quest).taken[0].data(),
                             static_cast<qsizetype>(presentation::questCaptions(quest).taken[0].size()));
}

} // namespace

MenuHolder::MenuHolder(document::PlanDocument& document, const presentation::SkillMenuTexts& texts,
                       toolkit::Toolkit& toolkit, QWidget* parent)
    : QWidget(parent), m_document(document), m_build(document.build()), m_texts(texts), m_toolkit(toolkit),
      m_popper([](QMenu& menu, QPoint pos) { return menu.exec(pos); }) {
    setObjectName(QStringLiteral("frm_Menu"));
    setWindowTitle(QStringLiteral("Form1"));

    m_skillMenu = new QMenu(QStringLiteral("ReserveMenu"), this);
    m_skillMenu->setObjectName(QStringLiteral("mnu_ReserveMenu"));
    m_reservePoint = addEntry(m_skillMenu, "mnu_ReservePoint", QStringLiteral("&Reserve Skill Point"),
                              &MenuHolder::reserveForLater);
    m_useReserve = addEntry(m_skillMenu, "mnu_UseReserve", QStringLiteral("&Use Reserved Point"),
                            &MenuHolder::spendReserved);
    m_questSpacer = addSeparator(m_skillMenu, "mnu_ReserveSpacer");
    m_denOfEvil =
        addEntry(m_skillMenu, "mnu_DenOfEvil", caption(model::Quest::DenOfEvil), &MenuHolder::takeDenOfEvil);
    m_bookOfSkill = addEntry(m_skillMenu, "mnu_BookOfSkill", caption(model::Quest::BookOfSkill),
                             &MenuHolder::takeBookOfSkill);
    m_deathOfIzual =
        addEntry(m_skillMenu, "mnu_DeathOfIzual", caption(model::Quest::Izual), &MenuHolder::takeIzual);
    addSeparator(m_skillMenu, "mnu_Skillstats");
    addEntry(m_skillMenu, "mnu_SkillInfo", QStringLiteral("&Skill Stats"), &MenuHolder::showSkillStats);
    addEntry(m_skillMenu, "mnu_SetTarget", QStringLiteral("Set &Target..."), &MenuHolder::setTarget);
    // The separators in the bevel's light line: the style's own shade of the
    // dark panel is lost on it.
    m_skillMenu->setStyleSheet(
        QStringLiteral("QMenu::separator { height: 1px; margin: 4px 8px; background: %1; }")
            .arg(css(kBevelLight)));

    const QString quennick = QString::fromLatin1(kQuennickName);
    m_quennickMenu = new QMenu(quennick, this);
    m_quennickMenu->setObjectName(QStringLiteral("mnu_QuennickPop"));
    addEntry(m_quennickMenu, "mnu_QuennickEmail", QStringLiteral("Email ") + quennick,
             &MenuHolder::mailQuennick);
    addEntry(m_quennickMenu, "mnu_QuennickWeb", QStringLiteral("Visit Website"),
             &MenuHolder::visitQuennickSite);

    m_orrindelMenu = new QMenu(QStringLiteral("Orrindel"), this);
    m_orrindelMenu->setObjectName(QStringLiteral("mnu_Orrindel"));
    addEntry(m_orrindelMenu, "mnu_OrrindelEmail", QStringLiteral("Email Orrindel"),
             &MenuHolder::mailOrrindel);
    addEntry(m_orrindelMenu, "mnu_OrrindelSite", QStringLiteral("Visit Website"),
             &MenuHolder::visitOrrindelSite);

    m_commandMenu = new QMenu(QStringLiteral("Commands"), this);
    m_commandMenu->setObjectName(QStringLiteral("mnu_Commands"));
    for (const ProgramCommandEntry& entry : kProgramCommands) {
        if (!entry.inCommandMenu) {
            continue;
        }
        if (entry.command == ProgramCommand::CompareWith) {
            addSeparator(m_commandMenu, "mnu_CompareSpacer"); // sharing above, comparing below
        }
        QAction* action = m_commandMenu->addAction(QString::fromLatin1(entry.caption));
        action->setObjectName(QString::fromLatin1(entry.name));
        // Shown beside the entry; the windows themselves answer the keys.
        action->setShortcut(QKeySequence(entry.keys[0]));
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setData(static_cast<int>(entry.command));
    }
    m_build.addListener(*this);
}

MenuHolder::~MenuHolder() {
    m_build.removeListener(*this);
}

QAction* MenuHolder::addEntry(QMenu* menu, const char* name, const QString& caption,
                              void (MenuHolder::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    m_handlers.emplace_back(action, handler);
    return action;
}

QAction* MenuHolder::addSeparator(QMenu* menu, const char* name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

void MenuHolder::setPopper(Popper popper) {
    m_popper = std::move(popper);
}

void MenuHolder::mirrorQuestEntries(const model::BuildState& shown, model::SkillRef skill, bool past) {
    using model::Quest;
    const model::QuestOffer offer = model::questOffer(shown, skill.tree);
    const bool present = !past;
    const std::array<std::tuple<QAction*, Quest, bool>, 3> entries{{
        {m_denOfEvil, Quest::DenOfEvil, offer[Quest::DenOfEvil]},
        {m_bookOfSkill, Quest::BookOfSkill, offer[Quest::BookOfSkill]},
        {m_deathOfIzual, Quest::Izual, offer[Quest::Izual]},
    }};
    for (const auto& [action, quest, offered] : entries) {
        // The past's captions are those of a build replayed to it.
        action->setText(QString::fromStdString(
            present ? m_texts.caption(quest) : presentation::questCaption(quest, shown.questCount(quest))));
        action->setVisible(offered);
        action->setEnabled(present);
    }
    // The separator above the quest entries shows exactly when one of them does.
    m_questSpacer->setVisible(offer.any());
    m_reservePoint->setEnabled(present);
    m_useReserve->setEnabled(present);
}

void MenuHolder::popupSkillMenu(const model::BuildState& shown, model::SkillRef skill, QPoint globalPos,
                                bool past) {
    const bool onScreen = m_document.isOpen() && model::tree(skill.tree).classId == m_document.classId() &&
                          skill.index >= 0 && skill.index < model::kSkillsPerTree;
    m_rightClicked =
        RightClickedSkill{skill, onScreen ? shown.pointsOf(skill) : static_cast<std::int16_t>(0)};
    mirrorQuestEntries(shown, skill, past);
    popup(*m_skillMenu, globalPos);
}

void MenuHolder::popupContactMenu(int person, QPoint globalPos) {
    if (person == Quennick) {
        popup(*m_quennickMenu, globalPos);
    } else if (person == Orrindel) {
        popup(*m_orrindelMenu, globalPos);
    }
}

void MenuHolder::popupCommandMenu(QPoint globalPos, const std::function<bool(ProgramCommand)>& offered) {
    for (QAction* action : m_commandMenu->actions()) {
        if (!action->isSeparator()) {
            action->setEnabled(!offered || offered(static_cast<ProgramCommand>(action->data().toInt())));
        }
    }
    QAction* chosen = m_popper ? m_popper(*m_commandMenu, globalPos) : nullptr;
    if (chosen != nullptr && m_commandMenu->actions().contains(chosen) && chosen->isEnabled() &&
        !chosen->isSeparator()) {
        emit commandChosen(static_cast<ProgramCommand>(chosen->data().toInt()));
    }
}

void MenuHolder::popup(QMenu& menu, QPoint globalPos) {
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

void MenuHolder::reserveForLater() {
    if (m_rightClicked) {
        m_document.reservePoint();
    }
}
void MenuHolder::spendReserved() {
    if (m_rightClicked) {
        m_document.useReservedPoint(m_rightClicked->skill);
    }
}
void MenuHolder::takeDenOfEvil() {
    takeQuestPoint(model::Quest::DenOfEvil);
}
void MenuHolder::takeBookOfSkill() {
    takeQuestPoint(model::Quest::BookOfSkill);
}
void MenuHolder::takeIzual() {
    takeQuestPoint(model::Quest::Izual);
}

void MenuHolder::takeQuestPoint(model::Quest quest) {
    if (m_rightClicked) {
        m_document.takeQuestPoint(quest, m_rightClicked->skill);
    }
}

void MenuHolder::buildChanged(const model::BuildChange& change) {
    if (change.kind == model::BuildChange::Kind::PointRefused &&
        change.refusal == model::Refusal::QuestExhausted) {
        model::PointResult refused;
        refused.refusal = change.refusal;
        m_toolkit.messageBox(model::refusalText(refused), std::string(model::kQuestExhaustedTitle),
                             toolkit::Icon::Information, toolkit::Buttons::Ok);
    }
}

void MenuHolder::showSkillStats() {
    emit skillStatsRequested();
}

void MenuHolder::setTarget() {
    emit targetRequested();
}

void MenuHolder::openAddress(const char* address) {
    // Whether the desktop could open it or not, nothing is shown to the user.
    try {
        static_cast<void>(m_toolkit.openAddress(address));
    } catch (...) {
    }
}

void MenuHolder::mailQuennick() {
    openAddress(kQuennickEmail);
}
void MenuHolder::visitQuennickSite() {
    openAddress(kQuennickWeb);
}
void MenuHolder::mailOrrindel() {
    openAddress(kOrrindelEmail);
}
void MenuHolder::visitOrrindelSite() {
    openAddress(kOrrindelWeb);
}

} // namespace skillwright::screens
