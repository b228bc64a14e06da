#include "HistoryEditor.h"

#include "TreeWidgets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

namespace skillwright::screens {

HistoryEditor::HistoryEditor(QListWidget& list, HistoryDelegate& delegate, Actions actions)
    : QObject(&list), m_list(list), m_viewport(list.viewport()), m_delegate(delegate),
      m_actions(std::move(actions)) {
    setObjectName(QStringLiteral("historyEditor"));
    m_list.installEventFilter(this);
    m_list.viewport()->installEventFilter(this);
    m_list.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&m_list, &QWidget::customContextMenuRequested, this, [this](QPoint pos) {
        if (const QListWidgetItem* item = m_list.itemAt(pos)) {
            popupMenu(m_list.row(item), m_list.viewport()->mapToGlobal(pos));
        }
    });
}

bool HistoryEditor::offers(EntryCommand command, int row) const {
    const int count = m_list.count();
    if (row < 0 || row >= count) {
        return false;
    }
    switch (command) {
    case EntryCommand::TakeBack:
    case EntryCommand::MoveLater:
        return row + 1 < count;
    case EntryCommand::MoveEarlier:
        return row > 0;
    case EntryCommand::Unmark:
        return m_actions.marked(row);
    case EntryCommand::Change:
    case EntryCommand::Remove:
    case EntryCommand::Mark:
        break;
    }
    return true;
}

void HistoryEditor::run(EntryCommand command, int row) {
    if (!offers(command, row)) {
        return;
    }
    const auto at = static_cast<std::size_t>(row);
    switch (command) {
    case EntryCommand::TakeBack:
        m_actions.takeBack(row);
        return;
    case EntryCommand::Change:
        m_actions.change(row);
        return;
    case EntryCommand::Remove:
        m_actions.edit(model::PlanEdit::remove(at));
        return;
    case EntryCommand::MoveEarlier:
        m_actions.edit(model::PlanEdit::move(at, at - 1));
        return;
    case EntryCommand::MoveLater:
        m_actions.edit(model::PlanEdit::move(at, at + 1));
        return;
    case EntryCommand::Mark:
        m_actions.mark(row);
        return;
    case EntryCommand::Unmark:
        m_actions.unmark(row);
        return;
    }
}

void HistoryEditor::popupMenu(int row, QPoint globalPos) {
    if (row < 0 || row >= m_list.count()) {
        return;
    }
    m_list.setCurrentRow(row);
    auto* menu = new QMenu(&m_list);
    menu->setObjectName(QStringLiteral("mnu_History"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const EntryCommandEntry& entry : kEntryCommands) {
        QAction* action = menu->addAction(QLatin1String(entry.caption));
        action->setObjectName(QLatin1String(entry.name));
        action->setShortcut(QKeySequence(entry.key));
        action->setShortcutVisibleInContextMenu(true);
        action->setEnabled(offers(entry.command, row));
        connect(action, &QAction::triggered, this,
                [this, command = entry.command, row] { run(command, row); });
    }
    menu->popup(globalPos);
}

bool HistoryEditor::keyPressed(const QKeyEvent& key) {
    const int row = m_list.currentRow();
    if (row < 0) {
        return false;
    }
    if (m_dragging) {
        if (key.key() == Qt::Key_Escape) {
            endDrag(); // the entry stays where it was
            return true;
        }
        return false;
    }
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (key.key() == Qt::Key_Menu || (key.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        const QRect place = m_list.visualItemRect(m_list.item(row));
        popupMenu(row, m_list.viewport()->mapToGlobal(place.bottomLeft()));
        return true;
    }
    for (const EntryCommandEntry& entry : kEntryCommands) {
        if (QKeyCombination(modifiers, static_cast<Qt::Key>(key.key())) == entry.key) {
            run(entry.command, row);
            return true;
        }
    }
    return false;
}

int HistoryEditor::dropPlace(int y) const {
    if (m_list.count() == 0) {
        return 0;
    }
    const QListWidgetItem* item = m_list.itemAt(QPoint(1, std::clamp(y, 0, m_list.viewport()->height() - 1)));
    if (item == nullptr) {
        return m_list.count(); // below the last entry
    }
    // Above the middle of an entry: before it; below: after it.
    const QRect place = m_list.visualItemRect(item);
    return m_list.row(item) + (y < place.center().y() ? 0 : 1);
}

void HistoryEditor::endDrag() {
    m_dragging = false;
    m_pressedRow.reset();
    m_delegate.setDropLine(-1);
    m_list.viewport()->update();
}

bool HistoryEditor::mouseEvent(QEvent& event) {
    auto& mouse = static_cast<QMouseEvent&>(event);
    const QPoint pos = mouse.position().toPoint();
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        if (mouse.button() == Qt::LeftButton) {
            const QListWidgetItem* item = m_list.itemAt(pos);
            m_pressedRow = item != nullptr ? std::optional(m_list.row(item)) : std::nullopt;
            m_pressedAt = pos;
        }
        return false; // the list selects the entry: the screen looks back at it
    case QEvent::MouseMove:
        if (!m_pressedRow || !(mouse.buttons() & Qt::LeftButton)) {
            return false;
        }
        if (!m_dragging && (pos - m_pressedAt).manhattanLength() < QApplication::startDragDistance()) {
            return true; // a press on an entry holds the selection on it
        }
        m_dragging = true;
        // Near an edge, the list scrolls on.
        if (pos.y() < 0 || pos.y() >= m_list.viewport()->height()) {
            QScrollBar* bar = m_list.verticalScrollBar();
            bar->setValue(bar->value() + (pos.y() < 0 ? -1 : 1));
        }
        m_delegate.setDropLine(dropPlace(pos.y()));
        m_list.viewport()->update();
        return true;
    case QEvent::MouseButtonRelease: {
        if (mouse.button() != Qt::LeftButton || !m_dragging || !m_pressedRow) {
            m_pressedRow.reset();
            return false;
        }
        const int from = *m_pressedRow;
        const int place = dropPlace(pos.y());
        endDrag();
        // A place after the entry counts without the entry itself.
        const int to = place > from ? place - 1 : place;
        if (to != from) {
            m_actions.edit(
                model::PlanEdit::move(static_cast<std::size_t>(from), static_cast<std::size_t>(to)));
        }
        return true;
    }
    default:
        return false;
    }
}

bool HistoryEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_list && event->type() == QEvent::KeyPress) {
        return keyPressed(static_cast<QKeyEvent&>(*event));
    }
    if (watched == m_viewport &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove ||
         event->type() == QEvent::MouseButtonRelease)) {
        return mouseEvent(*event);
    }
    return false;
}

} // namespace skillwright::screens
