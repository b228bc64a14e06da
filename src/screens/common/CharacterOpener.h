#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace skillwright::screens {

/// The player's ways of opening a saved character from a window: Ctrl+O, and
/// a file dropped on the window. It asks with its signals; it opens nothing.
class CharacterOpener final : public QObject {
    Q_OBJECT
public:
    /// Follows `window`, which takes drops from then on.
    explicit CharacterOpener(QWidget* window);

signals:
    /// Ctrl+O: the open dialog is to be shown.
    void openRequested();
    /// A file was dropped on the window.
    void fileDropped(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
};

} // namespace skillwright::screens
