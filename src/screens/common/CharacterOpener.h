#pragma once

#include <QByteArray>
#include <QObject>

class QMimeData;
class QWidget;

namespace skillwright::screens {

/// The player's ways of opening a saved character from a window: Ctrl+O, and
/// a file dropped on the window. It asks with its signals; it opens nothing.
class CharacterOpener final : public QObject {
    Q_OBJECT
public:
    /// Follows `window`, which takes drops from then on.
    explicit CharacterOpener(QWidget* window);

    /// The path of the one local file `mime` carries, as the bytes the file
    /// system knows it by (whatever their encoding), or nothing.
    static QByteArray droppedFile(const QMimeData* mime);

signals:
    /// Ctrl+O: the open dialog is to be shown.
    void openRequested();
    /// A file was dropped on the window. Sent once the drop has been taken
    /// and its event has returned, so that a handler may close the window.
    void fileDropped(const QByteArray& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QByteArray m_draggedFile; ///< of the drag over the window, if it carries one
};

} // namespace skillwright::screens
