#pragma once

#include <model/BuildListener.h>
#include <model/Catalogue.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skillwright::toolkit {
class Toolkit;
}

namespace skillwright::model {

inline constexpr std::int16_t kMaxSkillPoints = 20;
inline constexpr std::int16_t kMaxLevel = 99;

/// The quest rule as a pure function: which quest points are due at this
/// character level (levelsGained + 1) for a skill of the given tree.
QuestOffer questAvailability(std::int16_t levelsGained, std::int16_t denOfEvilCount,
                             std::int16_t bookOfSkillCount, std::int16_t izualCount, TreeId tree);

/// The program-wide build variables, under the names every rule uses.
/// Integers are 16-bit; flags are bool.
struct BuildVariables {
    std::int16_t LevelsGained = 0; ///< level-ups taken; the character level is one more
    std::int16_t ClickedSkillPoints = 0;
    std::int16_t ReservedPoints = 0;
    std::string UnavailableReason; ///< the most recent refusal
    bool SpendingReserved = false;
    std::int16_t DenOfEvilCount = 0;
    bool DenOfEvilPending = false;
    std::int16_t BookOfSkillCount = 0;
    bool BookOfSkillPending = false;
    std::int16_t IzualCount = 0;
    bool IzualPending = false;

    // The last right click on a skill icon.
    std::string ActiveTree;
    std::int16_t ActiveSkillIndex = 0;
    std::int16_t ActiveSkillPoints = 0;

    // The random character generator.
    std::int16_t RandomRoll = 0;
    std::int16_t RandomLevelsLeft = 0;
    std::string RandomClass;
    std::int16_t RandomSkillIndex = 0;
    bool LastClickFailed = false;
    bool RandomDonePending = false;
};

/// Which form the level and points labels were last written in: as the
/// screen was created ("Level: 1", "Skill Points: 0"), by RESET ("Level 1",
/// "Skill Points: 0") or by a change of level ("Level 7", "Skill Points:  6").
enum class StatusForm : std::uint8_t { Created, Reset, Written };

/// The open skill tree screen's part of the build: the thirty counts, the
/// history list and the tier labels' colours.
class TreeScreen {
public:
    explicit TreeScreen(ClassId classId) : m_classId(classId) {}

    [[nodiscard]] ClassId classId() const { return m_classId; }
    [[nodiscard]] std::string_view screenName() const { return classInfo(m_classId).screenName; }
    /// Points held by skill `index` of `tree` (a tree of this screen).
    [[nodiscard]] std::int16_t count(TreeId tree, int index) const;
    /// The same by the tree's position on the screen (0 left, 1 middle, 2 right).
    [[nodiscard]] std::int16_t countAt(int position, int index) const {
        return m_counts[static_cast<std::size_t>(position)][static_cast<std::size_t>(index)];
    }
    /// lb_SkillsPerLevel: one entry per point obtained, newest last.
    [[nodiscard]] const std::vector<std::string>& history() const { return m_history; }
    /// lbl_Level1 .. lbl_Level30: true where the label is gold.
    [[nodiscard]] bool tierHighlighted(int row) const {
        return m_tierHighlighted[static_cast<std::size_t>(row)];
    }
    [[nodiscard]] StatusForm statusForm() const { return m_statusForm; }

private:
    friend class Build;
    std::int16_t& countRef(TreeId tree, int index);

    ClassId m_classId;
    std::array<std::array<std::int16_t, kSkillsPerTree>, 3> m_counts{};
    std::vector<std::string> m_history;
    std::array<bool, kTierCount> m_tierHighlighted{true, false, false, false, false, false};
    StatusForm m_statusForm = StatusForm::Created;
};

/// What a point request came to.
enum class PointKind : std::uint8_t { Ordinary, Reserved, DenOfEvil, BookOfSkill, Izual, ReservedForLater };
enum class Refusal : std::uint8_t {
    TwentyPoints,   ///< the skill holds 20 points
    Level99,        ///< the character is at level 99
    RequiredLevel,  ///< the skill's tier is not open yet
    PointCap,       ///< one point per level the skill has been available
    Prerequisite,   ///< a prerequisite holds no point
    EmptyReserve,   ///< spending a reserved point with none in reserve
    QuestExhausted, ///< the quest was taken three times (six for Izual)
    NoSuchSkill,    ///< no open screen holds that tree, or the index is out of range
};

struct PointResult {
    std::optional<PointKind> taken; ///< the kind of point taken, if one was
    std::optional<Refusal> refusal; ///< otherwise why not
    [[nodiscard]] bool accepted() const { return taken.has_value(); }
};

/// The rules engine: the character being planned and every allocation rule.
/// One instance lives as long as the program. Screens call its operations,
/// read its state, and follow it as listeners; nothing outside changes its
/// state but its operations.
class Build {
public:
    explicit Build(toolkit::Toolkit& toolkit);
    ~Build();
    Build(const Build&) = delete;
    Build& operator=(const Build&) = delete;

    void addListener(BuildListener& listener);
    void removeListener(BuildListener& listener);

    [[nodiscard]] const BuildVariables& variables() const { return m_vars; }
    [[nodiscard]] std::int16_t levelsGained() const { return m_vars.LevelsGained; }
    [[nodiscard]] std::int16_t characterLevel() const {
        return static_cast<std::int16_t>(m_vars.LevelsGained + 1);
    }
    [[nodiscard]] std::int16_t questCount(Quest quest) const;

    // ---- The open skill tree screen ----
    /// Opens the class's screen (counts 0, empty history, creation texts) and
    /// runs its load step. Replaces any open screen.
    void openScreen(ClassId classId);
    void closeScreen();
    [[nodiscard]] const TreeScreen* screen() const { return m_screen.get(); }
    /// True when a form of that name is open; names compare without regard to case.
    [[nodiscard]] bool IsFormLoaded(std::string_view formName) const;

    // ---- Spending a point ----
    /// The click operation of a tree (img_NecroBonePoison_Click,
    /// img_AmazonJS_Click, ... are this operation on their tree): one more
    /// point into skill `index`, of the kind a pending command asked for.
    PointResult click(TreeId tree, std::int16_t index);

    // ---- The skill menu's commands, on the last right-clicked skill ----
    PointResult TakeDenOfEvilPoint();
    PointResult TakeBookOfSkillPoint();
    PointResult TakeIzualPoint();
    PointResult ReservePoint();
    PointResult UseReservedPoint();
    /// Right button on icon `index` of `tree`: records the right-click
    /// context and tells listeners which quest entries are due.
    QuestOffer prepareRightClick(TreeId tree, std::int16_t index);

    /// UNDO LAST: takes back the newest history entry; false when there was none.
    bool lbl_UndoLast_Click();
    /// RESET: the build and the screen back to level 1.
    void Reset();
    /// Tier label colours and quest announcements after a change of level.
    void RefreshAfterLevelUp();

    // ---- The random character generator's part ----
    /// The generator dialog's class choice ("Random", "Amazon", ...).
    void setRandomClass(std::string_view randomClass);
    /// Non-zero while a generation is pending: the class roll, or 1000 for a chosen class.
    void setRandomRoll(std::int16_t roll);
    /// The target level, then the generated level-ups still to make.
    void setRandomLevelsLeft(std::int16_t levelsLeft);
    /// The fill's draw for the next generated click.
    void setRandomSkillIndex(std::int16_t index);
    /// The fill takes a refused level again: clears the flag, true if it was set.
    bool takeLastClickFailed();
    /// One generated level-up fewer to make.
    void countDownRandomLevel();
    void setRandomDonePending(bool pending);

private:
    class Scope;
    struct QuestSlot;
    bool tierCheck(std::int16_t tier);
    PointResult refuse(Refusal why);
    void endOfGenerationCheck();
    void appendHistory(std::string entry);
    void showNotice(std::string_view text);
    [[nodiscard]] bool treeOnScreen(TreeId tree) const;
    QuestSlot questSlot(Quest quest);
    PointResult takeQuestPoint(Quest quest);
    /// Takes back a pending quest point of a refused click; false when the
    /// counter had left its range and the click ends there.
    bool giveBackQuestPoint(Quest quest);
    void questExhausted();
    void flushChanged();
    template <typename F> void notify(F&& f);

    toolkit::Toolkit& m_toolkit;
    BuildVariables m_vars;
    std::unique_ptr<TreeScreen> m_screen;
    std::vector<BuildListener*> m_listeners;
    int m_notifying = 0;
    int m_depth = 0;
    bool m_dirty = false;
};

} // namespace skillwright::model
