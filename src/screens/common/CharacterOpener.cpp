#include "CharacterOpener.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeySequence>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>
#include <QWidget>

namespace skillwright::screens {

namespace {

/// The one local file a drop carries, or the empty text.
QString droppedFile(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1) {
        return {};
    }
    const QUrl url = mime->urls().front();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

CharacterOpener::CharacterOpener(QWidget* window) : QObject(window), m_window(window) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), window);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, &CharacterOpener::openRequested);
}

bool CharacterOpener::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_window) {
        return false;
    }
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (droppedFile(drag->mimeData()).isEmpty()) {
            drag->ignore();
        } else {
            drag->acceptProposedAction();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedFile(drop->mimeData());
        if (path.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        emit fileDropped(path);
        return true;
    }
    default:
        return false;
    }
}

} // namespace skillwright::screens
