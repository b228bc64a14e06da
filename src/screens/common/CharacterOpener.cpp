#include "CharacterOpener.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeySequence>
#include <QList>
#include <QMimeData>
#include <QShortcut>
#include <QTimer>
#include <QWidget>

namespace skillwright::screens {

namespace {

const QString kUriList = QStringLiteral("text/uri-list");

/// The addresses of a "text/uri-list": one a line, "#" lines are comments.
QList<QByteArray> uriLines(QByteArray list) {
    // Some drag sources end the list with a NUL, as a C string.
    if (const qsizetype end = list.indexOf('\0'); end >= 0) {
        list.truncate(end);
    }
    QList<QByteArray> lines;
    for (QByteArray line : list.split('\n')) {
        line = line.trimmed();
        if (!line.isEmpty() && !line.startsWith('#')) {
            lines.push_back(line);
        }
    }
    return lines;
}

} // namespace

QByteArray CharacterOpener::droppedFile(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasFormat(kUriList)) {
        return {};
    }
    // Read as bytes: a file name that is not UTF-8 (a Latin-1 "Caf%E9.txt")
    // comes through percent-encoded, and decoded as text it would be lost.
    const QList<QByteArray> lines = uriLines(mime->data(kUriList));
    if (lines.size() != 1) {
        return {};
    }
    QByteArray address = lines.front();
    constexpr std::string_view kScheme = "file://";
    if (!address.toLower().startsWith(QByteArrayView(kScheme.data(), qsizetype(kScheme.size())))) {
        return {};
    }
    address.remove(0, qsizetype(kScheme.size()));
    // "file:///path" or "file://localhost/path"; another host's file is not ours.
    if (address.startsWith("localhost/")) {
        address.remove(0, qsizetype(sizeof "localhost") - 1);
    }
    if (!address.startsWith('/') || address.contains('?') || address.contains('#')) {
        return {};
    }
    QByteArray path = QByteArray::fromPercentEncoding(address);
    return path.contains('\0') ? QByteArray() : path;
}

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
        m_draggedFile = droppedFile(drag->mimeData());
        if (m_draggedFile.isEmpty()) {
            drag->ignore();
        } else {
            drag->acceptProposedAction();
        }
        return true;
    }
    case QEvent::DragLeave:
        m_draggedFile.clear();
        return false;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        // Some sources no longer hand their data over at the drop itself:
        // then the file seen while the drag was over this window counts.
        QByteArray path = droppedFile(drop->mimeData());
        if (path.isEmpty()) {
            path = m_draggedFile;
        }
        m_draggedFile.clear();
        if (path.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        // The path is copied; the drop's data goes with its event. Opening
        // may close this very window, which the platform is still handing the
        // drop to, so it waits until the drop is over.
        QTimer::singleShot(0, this, [this, path] { emit fileDropped(path); });
        return true;
    }
    default:
        return false;
    }
}

} // namespace skillwright::screens
