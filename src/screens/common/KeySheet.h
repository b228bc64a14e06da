#pragma once

#include <QWidget>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace skillwright::screens {

/// One line of the sheet of keys: where the keys work, the keys, what they do.
struct KeyHelp {
    std::string_view where;
    std::string_view keys;
    std::string_view does;
};

/// The keys that move and choose, grouped by where they work, in the order
/// the sheet lists them; the sheet adds each program command's keys, from
/// kProgramCommands, after the keys of where it works.
// clang-format off
inline constexpr std::array kKeyHelp{
    KeyHelp{"Skill trees", "Arrow keys", "Move between the skills"},
    KeyHelp{"Skill trees", "Typing a skill's name", "Go to that skill"},
    KeyHelp{"Skill trees", "Enter or Space", "Spend a point on the skill (left click); looking back, insert it"},
    KeyHelp{"Skill trees", "Menu or Shift+F10", "The skill's menu (right click)"},
    KeyHelp{"Skill trees", "Tab, Shift+Tab", "Skills, history, commands"},
    KeyHelp{"History", "Arrow keys, Home", "Look back at an earlier level"},
    KeyHelp{"History", "End", "Back to the present"},
    KeyHelp{"History", "Menu or Shift+F10", "The entry's menu"},
    KeyHelp{"History", "Esc", "CHANGE CLASS"},
    KeyHelp{"Start screen", "Arrow keys or Tab", "Move over the classes and Random"},
    KeyHelp{"Start screen", "Enter or Space", "Choose"},
    KeyHelp{"Start screen", "Esc", "End the program"},
};
// clang-format on

/// One line of the sheet as it shows.
struct KeyLine {
    std::string where;
    std::string keys;
    std::string does;
};
/// Every line of the sheet, in its order: kKeyHelp with the program
/// commands' keys ("Ctrl+Shift+Z or Ctrl+Y") after those of where they work.
std::vector<KeyLine> keySheetLines();

/// A small window listing keySheetLines() in the program's look; Esc closes it.
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
