#pragma once

#include "ProgramCommands.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>
#include <vector>

class QDropEvent;
class QWidget;

namespace skillwright::screens {

/// The player's ways of giving a window a command or a character: the keys
/// of the program commands the window offers (one action each, made from
/// kProgramCommands), a file dropped on the window, and a build code or a
/// plan's link dropped on it. It asks with its signals; it does nothing itself.
class CharacterOpener final : public QObject {
    Q_OBJECT
public:
    /// Follows `window`, which takes drops from then on and the keys of the
    /// commands offered at `place` (CommandPlace), wherever its keyboard focus is.
    CharacterOpener(QWidget* window, std::uint8_t place);

signals:
    /// The keys of a program command, or a control that stands for one.
    void commandRequested(skillwright::screens::ProgramCommand command);
    /// A file was dropped on the window. Sent once the drop has been taken
    /// and its event has returned, so that a handler may close the window.
    void fileDropped(const QByteArray& path);
    /// A build code or a plan's link was dropped, sent as a file's drop is.
    void codeDropped(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// What a drag carries that the window takes: the path of its one local
    /// file, as the bytes the file system knows it by (whatever their
    /// encoding), or else a build code or plan's link: the one "skillwright:"
    /// address of a uri-list, else its plain text when it carries no
    /// addresses. A text longer than any code is none.
    struct Carried {
        QByteArray file;
        QString code;
        [[nodiscard]] bool empty() const { return file.isEmpty() && code.isEmpty(); }
    };
    /// What the drag over the window `over` carries.
    static Carried carried(const QDropEvent& drag, QWidget& over);

    QWidget* m_window;
    std::vector<QKeyCombination> m_keys;
    Carried m_dragged; ///< by the drag over the window, if it carries something
};

} // namespace skillwright::screens
