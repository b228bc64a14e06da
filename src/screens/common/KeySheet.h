#pragma once

#include <QWidget>

#include <array>
#include <string_view>

namespace skillwright::screens {

/// One line of the sheet of keys: where the keys work, the keys, what they do.
struct KeyHelp {
    std::string_view where;
    std::string_view keys;
    std::string_view does;
};

/// Every key the program answers to, grouped by where it works, in the
/// order the sheet lists them. A new key needs one line here.
// clang-format off
inline constexpr std::array kKeyHelp{
    KeyHelp{"Skill trees", "Arrow keys", "Move between the skills"},
    KeyHelp{"Skill trees", "Typing a skill's name", "Go to that skill"},
    KeyHelp{"Skill trees", "Enter or Space", "Spend a point on the skill (left click)"},
    KeyHelp{"Skill trees", "Menu or Shift+F10", "The skill's menu (right click)"},
    KeyHelp{"Skill trees", "Tab, Shift+Tab", "Skills, history, commands"},
    KeyHelp{"Skill trees", "Ctrl+S", "SAVE"},
    KeyHelp{"Skill trees", "Ctrl+Z", "UNDO LAST"},
    KeyHelp{"Skill trees", "Ctrl+Shift+Z or Ctrl+Y", "Redo what was undone"},
    KeyHelp{"Skill trees", "Ctrl+C, Ctrl+V", "Copy or paste a build code"},
    KeyHelp{"Skill trees", "Ctrl+Shift+O", "Compare with a saved character; again: stop"},
    KeyHelp{"Skill trees", "Ctrl+Shift+V", "Compare with the build code copied"},
    KeyHelp{"History", "Arrow keys, Home", "Look back at an earlier level"},
    KeyHelp{"History", "End", "Back to the present"},
    KeyHelp{"History", "Delete", "Take back to here"},
    KeyHelp{"History", "Esc", "CHANGE CLASS"},
    KeyHelp{"Start screen", "Arrow keys or Tab", "Move over the classes and Random"},
    KeyHelp{"Start screen", "Enter or Space", "Choose"},
    KeyHelp{"Start screen", "Ctrl+Shift+T", "Continue the last plan left unsaved"},
    KeyHelp{"Start screen", "Esc", "End the program"},
    KeyHelp{"Everywhere", "Ctrl+O", "Open a saved character"},
    KeyHelp{"Everywhere", "F1", "This sheet of keys (Esc closes it)"},
};
// clang-format on

/// A small window listing kKeyHelp in the program's look; Esc closes it.
/// Its objectName is "frm_Keys".
class KeySheet final : public QWidget {
    Q_OBJECT
public:
    explicit KeySheet(QWidget* parent = nullptr);

    /// Opens a sheet over `window` (one at a time: an open one comes to the
    /// front) and gives it the keyboard, which goes back to `window` when
    /// the sheet closes.
    static KeySheet* showOver(QWidget& window);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace skillwright::screens
