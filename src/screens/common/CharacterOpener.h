#pragma once

#include "ProgramCommands.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>
#include <vector>

class QMimeData;
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

    /// The path of the one local file `mime` carries, as the bytes the file
    /// system knows it by (whatever their encoding), or nothing.
    static QByteArray droppedFile(const QMimeData* mime);
    /// The build code or plan's link `mime` carries as text, or nothing: the
    /// one "skillwright:" address of a link, else its plain text, when it
    /// carries no address. A text longer than any code is none.
    static QString droppedCode(const QMimeData* mime);

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
    /// What a drag carries that the window takes: a file, or else a code.
    struct Carried {
        QByteArray file;
        QString code;
        [[nodiscard]] bool empty() const { return file.isEmpty() && code.isEmpty(); }
    };
    static Carried carried(const QMimeData* mime);

    QWidget* m_window;
    std::vector<QKeyCombination> m_keys;
    Carried m_dragged; ///< by the drag over the window, if it carries something
};

} // namespace skillwright::screens
