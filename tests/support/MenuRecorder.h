// Stands in for a popped-up menu, so that no test waits on a real one: it
// records what the menu showed and picks the entry it was told to.
#pragma once

#include <QAction>
#include <QMenu>
#include <QStringList>

namespace skillwright::testing {

struct MenuRecorder {
    int popups = 0;
    QString menu;         ///< the objectName of the menu shown last
    QPoint at;            ///< where it was shown
    QStringList shown;    ///< the objectNames of its visible entries
    QStringList captions; ///< their texts
    /// The entry to pick next, by objectName (one of another menu of the same
    /// holder too); empty: the menu is dismissed.
    QString choose;

    QAction* operator()(QMenu& m, QPoint pos) {
        ++popups;
        menu = m.objectName();
        at = pos;
        shown.clear();
        captions.clear();
        for (QAction* a : m.actions()) {
            if (a->isVisible()) {
                shown << a->objectName();
                captions << a->text();
            }
        }
        if (choose.isEmpty()) {
            return nullptr;
        }
        auto* own = m.findChild<QAction*>(choose);
        return own != nullptr || m.parent() == nullptr ? own : m.parent()->findChild<QAction*>(choose);
    }
};

} // namespace skillwright::testing
