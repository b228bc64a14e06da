#include "CharacterOpener.h"

#include <model/BuildCode.h>
#include <toolkit/OutsideData.h>

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QList>
#include <QMimeData>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <typeinfo>

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

/// The path of the one local file of a uri-list, as the bytes the file
/// system knows it by (whatever their encoding), or nothing.
QByteArray droppedFile(const QList<QByteArray>& lines) {
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

/// The one "skillwright:" address of a uri-list, or nothing.
QString droppedLink(const QList<QByteArray>& lines) {
    if (lines.size() != 1 || lines.front().size() > static_cast<qsizetype>(model::kMaxBuildCodeText) ||
        !lines.front().toLower().startsWith("skillwright:")) {
        return {};
    }
    return QString::fromUtf8(lines.front());
}

/// The most bytes of a dropped uri-list read: one local path, even a long
/// one percent-encoded, fits several times over.
constexpr std::size_t kMaxUriList = 64 * 1024;

/// Whether a drag's data is another program's, which the platform fetches
/// when asked: then it carries a data object of the platform's own kind,
/// and no source of ours.
std::optional<toolkit::Handover> from(const QDropEvent& drag) {
    const QMimeData* mime = drag.mimeData();
    if (drag.source() != nullptr || mime == nullptr || typeid(*mime) == typeid(QMimeData)) {
        return std::nullopt;
    }
    return toolkit::Handover::Drop;
}

} // namespace

CharacterOpener::Carried CharacterOpener::carried(const QDropEvent& drag, QWidget& over) {
    const QMimeData* mime = drag.mimeData();
    if (mime == nullptr) {
        return {};
    }
    const std::optional<toolkit::Handover> outside = from(drag);
    const WId window = outside ? over.window()->winId() : 0;
    // Read as bytes: a file name that is not UTF-8 (a Latin-1 "Caf%E9.txt")
    // comes through percent-encoded, and decoded as text it would be lost.
    if (mime->hasFormat(kUriList)) {
        const std::optional<QByteArray> list =
            toolkit::boundedData(*mime, kUriList, kMaxUriList, outside, window);
        if (!list) {
            return {};
        }
        const QList<QByteArray> lines = uriLines(*list);
        Carried what{droppedFile(lines), {}};
        if (what.file.isEmpty()) {
            what.code = droppedLink(lines);
        }
        return what;
    }
    // The bytes are counted before they are made text: a drop of a whole
    // book costs nothing.
    for (const QString& format : {QStringLiteral("text/plain;charset=utf-8"), QStringLiteral("text/plain")}) {
        if (mime->hasFormat(format)) {
            const std::optional<QByteArray> text =
                toolkit::boundedData(*mime, format, model::kMaxBuildCodeText, outside, window);
            return {{}, text ? QString::fromUtf8(*text).trimmed() : QString()};
        }
    }
    return {};
}

CharacterOpener::CharacterOpener(QWidget* window, std::uint8_t place) : QObject(window), m_window(window) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    for (const ProgramCommandEntry& entry : kProgramCommands) {
        const QList<QKeySequence> keys = keysOf(entry);
        if ((entry.places & place) == 0 || keys.isEmpty()) {
            continue;
        }
        auto* action = new QAction(QString::fromLatin1(entry.caption), window);
        action->setObjectName(QString::fromLatin1(entry.name));
        for (const QKeySequence& sequence : keys) {
            m_keys.push_back(sequence[0]);
        }
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setWhatsThis(QString::fromUtf8(entry.does.data(), static_cast<qsizetype>(entry.does.size())));
        window->addAction(action);
        const ProgramCommand command = entry.command;
        connect(action, &QAction::triggered, this, [this, command] { emit commandRequested(command); });
    }
    // A control with the keyboard (the start screen's hidden text box would
    // paste into itself) leaves these keys to the window.
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (control->focusPolicy() != Qt::NoFocus) {
            control->installEventFilter(this);
        }
    }
}

bool CharacterOpener::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeyCombination keys = static_cast<QKeyEvent*>(event)->keyCombination();
        return std::find(m_keys.begin(), m_keys.end(), keys) != m_keys.end();
    }
    if (watched != m_window) {
        return false;
    }
    switch (event->type()) {
    case QEvent::DragEnter:
        // What the drag carries is read once, as it comes over the window;
        // moving over it asks nothing more of the source.
        m_dragged = carried(*static_cast<QDropEvent*>(event), *m_window);
        [[fallthrough]];
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (m_dragged.empty()) {
            drag->ignore();
        } else {
            drag->acceptProposedAction();
        }
        return true;
    }
    case QEvent::DragLeave:
        m_dragged = {};
        return false;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        // Some sources no longer hand their data over at the drop itself:
        // then what was seen while the drag was over this window counts.
        Carried what = carried(*drop, *m_window);
        if (what.empty()) {
            what = m_dragged;
        }
        m_dragged = {};
        if (what.empty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        // The path or code is copied; the drop's data goes with its event.
        // Opening may close this very window, which the platform is still
        // handing the drop to, so it waits until the drop is over.
        QTimer::singleShot(0, this, [this, what] {
            if (!what.file.isEmpty()) {
                emit fileDropped(what.file);
            } else {
                emit codeDropped(what.code);
            }
        });
        return true;
    }
    default:
        return false;
    }
}

} // namespace skillwright::screens
