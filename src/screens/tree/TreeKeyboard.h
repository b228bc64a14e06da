#pragma once

#include <model/BuildListener.h>
#include <model/Catalogue.h>

#include <QObject>
#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QKeyEvent;
class QLabel;
class QListWidget;
class QWidget;

namespace skillwright::document {
class PlanDocument;
}
namespace skillwright::model {
class Build;
struct BuildState;
} // namespace skillwright::model

namespace skillwright::screens {

class CommandLabel;
class FocusRing;
class SkillIcon;

/// The skill tree screen played from the keyboard, and read out to a screen
/// reader.
///
/// The keyboard starts on the skill icons, one of them framed by the focus
/// ring. Arrow keys move it over the grid: Left and Right along a tier row,
/// across the three trees; Up and Down to the nearest icon of the next tier
/// row. Typing the start of a skill's name moves it to the first skill of
/// that name in reading order (rows top to bottom, each left to right), a
/// name typed whole winning over a longer one; what was typed is forgotten
/// after the platform's pause between keys, or at any other key. Enter, and
/// Space outside a name, act as a left click on the icon; Menu and Shift+F10
/// as a right click. The description area follows the keyboard.
///
/// Tab leads from the icons to the history list and on to the five
/// commands, where Enter or Space runs the command; Esc keeps its meaning
/// in the history list alone. Ctrl+S saves, Ctrl+Z undoes the last point,
/// Ctrl+Shift+Z and Ctrl+Y redo it, F1 shows the sheet of keys. The history
/// list's own commands are its HistoryEditor's.
///
/// The ring, white corners apart from the pointer's gold outline, shows
/// where the keyboard is: an icon, the history list or a command; after a
/// click it hides until the next key. Every icon's accessible name tells its
/// skill, points, the level its row opens at and whether it can take a point
/// now (or why not), kept current as the plan changes.
class TreeKeyboard final : public QObject, private model::BuildListener {
    Q_OBJECT
public:
    /// Milliseconds from any fixed start; tests put a stand-in here.
    using Clock = std::function<std::int64_t()>;

    /// Follows `screen`, a skill tree screen whose controls
    /// exist, and puts the keyboard on its first icon.
    TreeKeyboard(QWidget& screen, document::PlanDocument& document);
    ~TreeKeyboard() override;
    TreeKeyboard(const TreeKeyboard&) = delete;
    TreeKeyboard& operator=(const TreeKeyboard&) = delete;

    /// Skill icons and command labels are buttons to a screen reader: to be
    /// called before the first of them exists, as a reader's view of a
    /// control, once made, is kept.
    static void speakOfIconsAndCommandsAsButtons();

    void setClock(Clock clock);
    /// The icon the keyboard is on, or last was.
    [[nodiscard]] SkillIcon* currentIcon() const;
    /// Whether the focus ring is shown.
    [[nodiscard]] bool ringShown() const;

    /// A screen reader's words for a skill as a build that stands at `state`
    /// holds it: "Fire Bolt, 3 points, opens at level 1; can take a point", or the
    /// refusal's reason.
    static QString spokenSkill(const model::BuildState& state, model::TreeId tree, int index);
    /// The icons' and counts' accessible names tell `shown`: the build's
    /// state, or the past the screen looks back at.
    void speakOf(const model::BuildState& shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void collectControls();
    void describeControls();
    bool iconKey(SkillIcon& icon, QKeyEvent& key);
    bool commandKey(CommandLabel& command, QKeyEvent& key);
    void moveTo(int slot, bool describe);
    [[nodiscard]] int neighbour(int key) const;
    [[nodiscard]] int findByName(const QString& typed) const;
    void typeAhead(const QString& text);
    void showRing();
    [[nodiscard]] int slotOf(const QObject* watched) const;
    [[nodiscard]] CommandLabel* commandOf(const QObject* watched) const;

    /// The character gone: nothing is spoken of it any more.
    void buildChanged(const model::BuildChange& change) override;

    QWidget& m_screen;
    const model::Build& m_build; ///< the document's
    bool m_live = true;
    Clock m_clock;
    std::vector<SkillIcon*> m_icons; ///< in reading order
    std::vector<QLabel*> m_counts;   ///< the count label beside each of m_icons
    std::vector<CommandLabel*> m_commands;
    QListWidget* m_history = nullptr;
    FocusRing* m_ring = nullptr;
    int m_current = 0;
    bool m_pointerLed = false; ///< the last focus came from a click: no ring until a key
    QString m_typed;
    std::int64_t m_lastTyped = 0;

    /// What an icon's accessible name was last made from: its points and
    /// what a left click on it would come to.
    struct SpokenIcon {
        std::int16_t points = 0;
        bool accepted = false;
        std::optional<model::Refusal> refusal;
        std::int16_t requiredLevel = 0;
        model::SkillRef missing{};
        friend bool operator==(const SpokenIcon&, const SpokenIcon&) = default;
    };
    std::vector<std::optional<SpokenIcon>> m_spoken; ///< one for each of m_icons
};

} // namespace skillwright::screens
