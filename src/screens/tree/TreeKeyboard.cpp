#include "TreeKeyboard.h"

#include "ScreenDesign.h"
#include "SkillTreeScreen.h"
#include "TreeWidgets.h"

#include <model/Build.h>
#include <screens/common/CommandLabel.h>
#include <screens/common/FocusRing.h>
#include <screens/common/ScreenKit.h>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>

#include <algorithm>
#include <cstdlib>
#include <document/PlanDocument.h>
#include <limits>

namespace skillwright::screens {

namespace {

// The commands in their order on the panel, the order Tab visits them.
constexpr std::array<const char*, 5> kCommandNames{"lbl_Save", "lbl_Reset", "lbl_ChangeClass", "lbl_UndoLast",
                                                   "lbl_Close"};

/// Skill icons and command labels are buttons to a screen reader.
QAccessibleInterface* buttonsForReaders(const QString& className, QObject* object) {
    if ((className == QLatin1String("skillwright::screens::SkillIcon") ||
         className == QLatin1String("skillwright::screens::CommandLabel")) &&
        object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Button);
    }
    return nullptr;
}

TreeKeyboard::Clock steadyClock() {
    return [timer = std::make_shared<QElapsedTimer>()] {
        if (!timer->isValid()) {
            timer->start();
        }
        return static_cast<std::int64_t>(timer->elapsed());
    };
}

int centreX(const QWidget* w) {
    return w->geometry().center().x();
}

int rowOf(const SkillIcon* icon) {
    return model::skill(icon->tree(), icon->index()).tierRow();
}

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void TreeKeyboard::speakOfIconsAndCommandsAsButtons() {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(buttonsForReaders);
        return true;
    }();
    static_cast<void>(factoryInstalled);
}

TreeKeyboard::TreeKeyboard(QWidget& screen, document::PlanDocument& document)
    : QObject(&screen), m_screen(screen), m_build(document.build()), m_clock(steadyClock()) {
    setObjectName(QStringLiteral("keyboard"));
    speakOfIconsAndCommandsAsButtons();
    collectControls();
    // White corners: the pointer's outline is a whole frame in gold.
    m_ring = new FocusRing(&m_screen, kWhite, -1, FocusRing::Shape::Corners);
    describeControls();
    m_build.addListener(*this);
    speakOf(m_build.state());
    if (!m_icons.empty()) {
        m_icons.front()->setFocus(Qt::OtherFocusReason);
        showRing();
    }
}

TreeKeyboard::~TreeKeyboard() {
    m_build.removeListener(*this);
}

void TreeKeyboard::setClock(Clock clock) {
    m_clock = std::move(clock);
}

SkillIcon* TreeKeyboard::currentIcon() const {
    return m_icons.empty() ? nullptr : m_icons[static_cast<std::size_t>(m_current)];
}

bool TreeKeyboard::ringShown() const {
    return m_ring->isVisible();
}

void TreeKeyboard::collectControls() {
    const QList<SkillIcon*> icons = m_screen.findChildren<SkillIcon*>();
    m_icons.assign(icons.begin(), icons.end());
    std::sort(m_icons.begin(), m_icons.end(), [](const SkillIcon* a, const SkillIcon* b) {
        const int rowA = rowOf(a);
        const int rowB = rowOf(b);
        return rowA != rowB ? rowA < rowB : centreX(a) < centreX(b);
    });
    for (SkillIcon* icon : m_icons) {
        // Only the current icon is a stop of Tab; a click puts the keyboard on any.
        icon->setFocusPolicy(Qt::ClickFocus);
        icon->installEventFilter(this);
        const std::string_view array = countArrayName(icon->tree());
        m_counts.push_back(
            m_screen.findChild<QLabel*>(qstring(array) + QStringLiteral("(%1)").arg(icon->index())));
    }
    m_history = m_screen.findChild<QListWidget*>(QStringLiteral("lb_SkillsPerLevel"));
    if (m_history != nullptr) {
        m_history->installEventFilter(this);
    }
    for (const char* name : kCommandNames) {
        if (auto* command = m_screen.findChild<CommandLabel*>(QLatin1String(name))) {
            command->setFocusPolicy(Qt::TabFocus);
            command->installEventFilter(this);
            m_commands.push_back(command);
        }
    }
    // Tab: the icons, the history, the commands in their order.
    QWidget* previous = nullptr;
    const auto chain = [&previous](QWidget* next) {
        if (previous != nullptr && next != nullptr) {
            QWidget::setTabOrder(previous, next);
        }
        if (next != nullptr) {
            previous = next;
        }
    };
    for (SkillIcon* icon : m_icons) {
        chain(icon);
    }
    chain(m_history);
    for (CommandLabel* command : m_commands) {
        chain(command);
    }
    if (!m_icons.empty()) {
        m_icons.front()->setFocusPolicy(Qt::StrongFocus);
    }
}

void TreeKeyboard::describeControls() {
    for (SkillIcon* icon : m_icons) {
        icon->setAccessibleDescription(SkillTreeScreen::skillHoverText(icon->tree(), icon->index()));
    }
    for (CommandLabel* command : m_commands) {
        command->setAccessibleName(command->text());
    }
    if (m_history != nullptr) {
        m_history->setAccessibleName(QStringLiteral("Points by level"));
        m_history->setAccessibleDescription(
            QStringLiteral("One line per point taken, the newest last. Esc changes the class."));
    }
    const auto describe = [this](const char* name, const QString& description) {
        if (auto* label = m_screen.findChild<QLabel*>(QLatin1String(name))) {
            label->setAccessibleDescription(description);
        }
    };
    describe("lbl_UnAvail", QStringLiteral("Why the last point was refused, or a quest point now available"));
    describe("lbl_Description",
             QStringLiteral("About the skill or command under the pointer or the keyboard"));
    describe("lbl_CharLevel", QStringLiteral("The character's level"));
    describe("lbl_SkillLevel", QStringLiteral("Skill points from levels gained"));
    describe("lbl_Reserved", QStringLiteral("Points held in reserve"));
    for (std::size_t row = 0; row < model::kTierOpeningLevels.size(); ++row) {
        describe(("lbl_Level" + std::to_string(model::kTierOpeningLevels[row])).c_str(),
                 QStringLiteral("Skills of this row open at level %1").arg(model::kTierOpeningLevels[row]));
    }
}

QString TreeKeyboard::spokenSkill(const model::BuildState& state, model::TreeId tree, int index) {
    const model::SkillRef ref{tree, static_cast<std::int16_t>(index)};
    const int points = state.pointsOf(ref);
    const model::Skill& skill = model::skill(tree, index);
    QString text = qstring(skill.name) + QStringLiteral(", %1 point%2, opens at level %3; ")
                                             .arg(points)
                                             .arg(points == 1 ? QString() : QStringLiteral("s"))
                                             .arg(skill.openingLevel);
    const model::PointResult outcome = model::ruleCheck(state, ref, model::EntryKind::Ordinary);
    if (outcome.accepted()) {
        return text + QStringLiteral("can take a point");
    }
    return text + QString::fromStdString(model::refusalText(outcome));
}

void TreeKeyboard::speakOf(const model::BuildState& shown) {
    if (!m_live) {
        return;
    }
    // An icon's name follows from its points and what a click on it would
    // come to; only the names whose ground changed are made again, so that a
    // click words two or three names, not every icon's.
    m_spoken.resize(m_icons.size());
    for (std::size_t i = 0; i < m_icons.size(); ++i) {
        SkillIcon* icon = m_icons[i];
        const model::SkillRef skill{icon->tree(), static_cast<std::int16_t>(icon->index())};
        const model::PointResult outcome = model::ruleCheck(shown, skill, model::EntryKind::Ordinary);
        const SpokenIcon ground{shown.pointsOf(skill), outcome.accepted(), outcome.refusal,
                                outcome.requiredLevel, outcome.missing};
        if (m_spoken[i] == ground) {
            continue;
        }
        const bool pointsChanged = !m_spoken[i] || m_spoken[i]->points != ground.points;
        m_spoken[i] = ground;
        const QString spoken = spokenSkill(shown, icon->tree(), icon->index());
        if (icon->accessibleName() != spoken) {
            icon->setAccessibleName(spoken);
        }
        if (QLabel* count = m_counts[i]; count != nullptr && pointsChanged) {
            const int points = ground.points;
            count->setAccessibleName(qstring(model::skill(icon->tree(), icon->index()).name) +
                                     QStringLiteral(": %1 point%2").arg(points).arg(points == 1 ? "" : "s"));
        }
    }
}

void TreeKeyboard::buildChanged(const model::BuildChange& change) {
    if (change.kind == model::BuildChange::Kind::CharacterEnded) {
        m_live = false;
    }
}

int TreeKeyboard::slotOf(const QObject* watched) const {
    const auto it = std::find(m_icons.begin(), m_icons.end(), watched);
    return it == m_icons.end() ? -1 : static_cast<int>(it - m_icons.begin());
}

CommandLabel* TreeKeyboard::commandOf(const QObject* watched) const {
    const auto it = std::find(m_commands.begin(), m_commands.end(), watched);
    return it == m_commands.end() ? nullptr : *it;
}

void TreeKeyboard::showRing() {
    QWidget* on = m_screen.focusWidget();
    const bool framed =
        !m_pointerLed && on != nullptr &&
        (slotOf(on) >= 0 || commandOf(on) != nullptr || (on == m_history && m_history != nullptr));
    m_ring->frame(framed ? on : nullptr);
}

bool TreeKeyboard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn: {
        // The ring shows where keys go, unless the pointer put them there; a
        // window or pop-up handing the keyboard back changes nothing.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            m_pointerLed = reason == Qt::MouseFocusReason;
        }
        if (const int slot = slotOf(watched); slot >= 0 && slot != m_current) {
            moveTo(slot, false);
        }
        showRing();
        return false;
    }
    case QEvent::KeyPress: {
        auto& key = *static_cast<QKeyEvent*>(event);
        if (watched == m_history) {
            // Out of the list, the next key starts a new name.
            m_typed.clear();
            return false;
        }
        m_pointerLed = false;
        if (const int slot = slotOf(watched); slot >= 0) {
            const bool handled = iconKey(*m_icons[static_cast<std::size_t>(slot)], key);
            showRing();
            return handled;
        }
        if (CommandLabel* command = commandOf(watched)) {
            const bool handled = commandKey(*command, key);
            showRing();
            return handled;
        }
        return false;
    }
    default:
        return false;
    }
}

bool TreeKeyboard::iconKey(SkillIcon& icon, QKeyEvent& key) {
    const int code = key.key();
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const QString text = key.text();
    const bool typing = (modifiers & ~Qt::KeyboardModifiers(Qt::ShiftModifier)) == Qt::NoModifier &&
                        !text.isEmpty() && text.at(0).isPrint() &&
                        (code != Qt::Key_Space || !m_typed.isEmpty());
    if (typing) {
        typeAhead(text);
        return true;
    }
    // Any other key ends the name being typed.
    m_typed.clear();
    // Shift+Enter takes the skill's path, as Shift+click does.
    if (isEnter(code) && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
        emit icon.clicked(modifiers);
        return true;
    }
    if (code == Qt::Key_Space && modifiers == Qt::NoModifier) {
        emit icon.clicked(modifiers);
        return true;
    }
    if (code == Qt::Key_Menu || (code == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        emit icon.hovered();
        emit icon.pressed(Qt::RightButton, icon.mapToGlobal(icon.rect().center()), Qt::NoModifier);
        return true;
    }
    if (modifiers == Qt::NoModifier &&
        (code == Qt::Key_Left || code == Qt::Key_Right || code == Qt::Key_Up || code == Qt::Key_Down)) {
        moveTo(neighbour(code), true);
        return true;
    }
    return false;
}

bool TreeKeyboard::commandKey(CommandLabel& command, QKeyEvent& key) {
    m_typed.clear();
    if ((isEnter(key.key()) || key.key() == Qt::Key_Space) && key.modifiers() == Qt::NoModifier) {
        emit command.clicked();
        return true;
    }
    return false;
}

void TreeKeyboard::moveTo(int slot, bool describe) {
    if (slot < 0 || slot >= static_cast<int>(m_icons.size())) {
        return;
    }
    SkillIcon* from = m_icons[static_cast<std::size_t>(m_current)];
    SkillIcon* to = m_icons[static_cast<std::size_t>(slot)];
    if (from != to) {
        from->setFocusPolicy(Qt::ClickFocus);
        to->setFocusPolicy(Qt::StrongFocus);
        m_current = slot;
    }
    if (m_screen.focusWidget() != to) {
        to->setFocus(Qt::OtherFocusReason);
    }
    if (describe) {
        emit to->hovered(); // the description area and the outline follow the keyboard
    }
    showRing();
}

int TreeKeyboard::neighbour(int key) const {
    const SkillIcon* from = m_icons[static_cast<std::size_t>(m_current)];
    const int row = rowOf(from);
    const int x = centreX(from);
    int best = m_current;
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        // The next icon of the row on that side.
        int bestDistance = std::numeric_limits<int>::max();
        for (std::size_t i = 0; i < m_icons.size(); ++i) {
            const int dx = centreX(m_icons[i]) - x;
            const bool onSide = key == Qt::Key_Left ? dx < 0 : dx > 0;
            if (rowOf(m_icons[i]) == row && onSide && std::abs(dx) < bestDistance) {
                bestDistance = std::abs(dx);
                best = static_cast<int>(i);
            }
        }
        return best;
    }
    // The nearest icon of the next row up or down that holds one; of two as
    // near, the left one.
    const int step = key == Qt::Key_Up ? -1 : 1;
    for (int r = row + step; r >= 0 && r < model::kTierCount; r += step) {
        int bestDistance = std::numeric_limits<int>::max();
        for (std::size_t i = 0; i < m_icons.size(); ++i) {
            const int distance = std::abs(centreX(m_icons[i]) - x);
            if (rowOf(m_icons[i]) == r && distance < bestDistance) {
                bestDistance = distance;
                best = static_cast<int>(i);
            }
        }
        if (best != m_current) {
            return best;
        }
    }
    return best;
}

int TreeKeyboard::findByName(const QString& typed) const {
    int first = -1;
    for (std::size_t i = 0; i < m_icons.size(); ++i) {
        const QString name = qstring(model::skill(m_icons[i]->tree(), m_icons[i]->index()).name);
        if (name.compare(typed, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
        if (first < 0 && name.startsWith(typed, Qt::CaseInsensitive)) {
            first = static_cast<int>(i);
        }
    }
    return first;
}

void TreeKeyboard::typeAhead(const QString& text) {
    const std::int64_t now = m_clock();
    if (now - m_lastTyped > QApplication::keyboardInputInterval()) {
        m_typed.clear();
    }
    m_lastTyped = now;
    m_typed += text;
    if (const int slot = findByName(m_typed); slot >= 0) {
        moveTo(slot, true);
    }
}

} // namespace skillwright::screens
