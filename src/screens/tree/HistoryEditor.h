#pragma once

#include <model/PlanEdit.h>
#include <screens/common/ProgramCommands.h>

#include <QObject>
#include <QPoint>

#include <array>
#include <functional>
#include <optional>

class QKeyEvent;
class QListWidget;

namespace skillwright::screens {

class HistoryDelegate;

/// The history list's own editing: an entry's menu (right click, or the
/// Menu key on the entry), the keys of kEntryCommands on the current entry,
/// and moving an entry by dragging it to another place in the list. It
/// changes nothing itself: whoever owns the list carries the commands out.
class HistoryEditor final : public QObject {
public:
    struct Actions {
        std::function<void(int row)> takeBack;            ///< every entry after `row` goes
        std::function<void(int row)> change;              ///< the next skill clicked takes `row`'s point
        std::function<void(const model::PlanEdit&)> edit; ///< a removal or a move
        std::function<void(int row)> mark;                ///< names the moment after `row` a milestone
        std::function<void(int row)> unmark;              ///< takes `row`'s milestone away
        std::function<bool(int row)> marked;              ///< whether `row` has a milestone
    };
    HistoryEditor(QListWidget& list, HistoryDelegate& delegate, Actions actions);

    /// Carries out `command` on entry `row`.
    void run(EntryCommand command, int row);
    /// Whether `command` can act on entry `row` (a take-back needs entries after it, a
    /// move a neighbour on that side).
    [[nodiscard]] bool offers(EntryCommand command, int row) const;
    /// Pops up the entry's menu at `globalPos`.
    void popupMenu(int row, QPoint globalPos);
    /// Whether an entry is being dragged.
    [[nodiscard]] bool dragging() const { return m_dragging; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPressed(const QKeyEvent& key);
    bool mouseEvent(QEvent& event);
    /// The place a drop at `y` (viewport pixels) puts an entry before: 0..count;
    /// entries are as tall as their milestones make them.
    [[nodiscard]] int dropPlace(int y) const;
    void endDrag();

    QListWidget& m_list;
    QWidget* m_viewport; ///< the list's, kept: events may still come while the list is going
    HistoryDelegate& m_delegate;
    Actions m_actions;
    std::optional<int> m_pressedRow;
    QPoint m_pressedAt;
    bool m_dragging = false;
};

} // namespace skillwright::screens
