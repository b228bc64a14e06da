#pragma once

#include <model/Catalogue.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace skillwright::toolkit {
class Toolkit;
class Timer;
} // namespace skillwright::toolkit

namespace skillwright::model {

inline constexpr int kNoticeMilliseconds = 5000;
inline constexpr std::int16_t kMaxSkillPoints = 20;
inline constexpr std::int16_t kMaxLevel = 99;

/// Which quest entries the skill menu offers.
struct QuestOffer {
    bool denOfEvil = false;
    bool bookOfSkill = false;
    bool deathOfIzual = false;
    friend bool operator==(const QuestOffer&, const QuestOffer&) = default;
};

/// The quest rule as a pure function: which quest points are due at this
/// character level (levelsGained + 1) for a skill of the given tree.
QuestOffer questAvailability(std::int16_t levelsGained, std::int16_t denOfEvilCount,
                             std::int16_t bookOfSkillCount, std::int16_t izualCount, TreeId tree);

/// Captions and visibility of the skill menu's entries that the rules change.
struct SkillMenuState {
    std::string denOfEvilCaption = "&Den Of Evil (Normal)";
    std::string bookOfSkillCaption = "&Book Of Skill (Normal)";
    std::string deathOfIzualCaption = "&Death of Izual (Normal)";
    bool reserveSpacerVisible = true;
    bool denOfEvilVisible = true;
    bool bookOfSkillVisible = true;
    bool deathOfIzualVisible = true;
};

/// What the open skill tree screen shows: the thirty counts, the history
/// list and the status texts. The screen's widgets mirror this.
struct TreeScreen {
    ClassId classId = ClassId::Necromancer;
    std::array<std::array<std::int16_t, kSkillsPerTree>, 3> counts{}; ///< by tree position, then skill index
    std::vector<std::string> history;                                 ///< lb_SkillsPerLevel
    int selected = -1;                                                ///< selected history entry, -1 = none
    std::string levelLabel = "Level: 1";
    std::string pointsLabel = "Skill Points: 0";
    std::string reserveLabel = "Reserved Points: 0";
    std::string notice; ///< lbl_UnAvail
    bool noticeVisible = false;
    std::array<bool, kTierCount> tierHighlighted{true, false, false, false, false, false}; ///< lbl_Level1..30

    [[nodiscard]] std::int16_t count(TreeId tree, int index) const;
    [[nodiscard]] std::string_view screenName() const { return classInfo(classId).screenName; }
};

/// The character being planned: the program-wide build variables, the open
/// skill tree screen's contents and every allocation rule. One instance lives
/// as long as the program; screens call its operations and mirror its state.
class Build {
public:
    explicit Build(toolkit::Toolkit& toolkit);
    ~Build();
    Build(const Build&) = delete;
    Build& operator=(const Build&) = delete;

    // ---- Build variables (16-bit integers; flags as bool) ----
    std::int16_t LevelsGained = 0;
    std::int16_t ClickedSkillPoints = 0;
    std::int16_t ReservedPoints = 0;
    std::string UnavailableReason;
    bool SpendingReserved = false;
    std::int16_t DenOfEvilCount = 0;
    bool DenOfEvilPending = false;
    std::int16_t BookOfSkillCount = 0;
    bool BookOfSkillPending = false;
    std::int16_t IzualCount = 0;
    bool IzualPending = false;

    // Context of the last right click on a skill icon.
    std::string ActiveTree;
    std::int16_t ActiveSkillIndex = 0;
    std::int16_t ActiveSkillPoints = 0;

    // Random generator coupling.
    std::int16_t RandomRoll = 0;
    std::int16_t RandomLevelsLeft = 0;
    std::string RandomClass;
    std::int16_t RandomSkillIndex = 0;
    bool LastClickFailed = false;
    bool RandomDonePending = false;

    /// The skill menu entries' captions and visibility.
    SkillMenuState menu;

    // ---- The open skill tree screen ----
    /// Creates the class's screen contents (all counts 0, empty history,
    /// creation texts) and runs its load step. Replaces any open screen.
    void openScreen(ClassId classId);
    void closeScreen();
    [[nodiscard]] const TreeScreen* screen() const { return m_screen.get(); }
    /// True when a form of that name is open; names compare without regard to case.
    [[nodiscard]] bool IsFormLoaded(std::string_view formName) const;

    /// Called after every completed operation that changed what a screen or
    /// the menu shows (also when the notice timer hides the notice).
    void setChangedCallback(std::function<void()> onChanged);

    // ---- Spending a point ----
    /// The click operation of a tree: one more point into skill `index`.
    void click(TreeId tree, std::int16_t index);
    void img_NecroSummon_Click(std::int16_t index) { click(TreeId::NecroSummon, index); }
    void img_NecroBonePoison_Click(std::int16_t index) { click(TreeId::NecroBone, index); }
    void img_NecroCurse_Click(std::int16_t index) { click(TreeId::NecroCurse, index); }
    void img_AmazonJS_Click(std::int16_t index) { click(TreeId::AmazonJS, index); }
    void img_AmazonPM_Click(std::int16_t index) { click(TreeId::AmazonPM, index); }
    void img_AmazonBC_Click(std::int16_t index) { click(TreeId::AmazonBC, index); }
    void img_BarbarianCM_Click(std::int16_t index) { click(TreeId::BarBarCM, index); }
    void img_BarbarianWC_Click(std::int16_t index) { click(TreeId::BarBarWC, index); }
    void img_BarbarianCS_Click(std::int16_t index) { click(TreeId::BarBarCS, index); }
    void img_PaladinOffensive_Click(std::int16_t index) { click(TreeId::PaladinOff, index); }
    void img_PaladinCombat_Click(std::int16_t index) { click(TreeId::PaladinCom, index); }
    void img_PaladinDefensive_Click(std::int16_t index) { click(TreeId::PaladinDef, index); }
    void img_SorceressFire_Click(std::int16_t index) { click(TreeId::SorcFire, index); }
    void img_SorceressLightning_Click(std::int16_t index) { click(TreeId::SorcLight, index); }
    void img_SorceressCold_Click(std::int16_t index) { click(TreeId::SorcCold, index); }

    // ---- Quest points, reserve, undo, reset ----
    void TakeDenOfEvilPoint();
    void TakeBookOfSkillPoint();
    void TakeIzualPoint();
    void ReservePoint();
    void UseReservedPoint();
    void lbl_UndoLast_Click();
    /// RESET: clears the build and the screen back to level 1.
    void Reset();
    /// Tier label colours and quest announcements after a change of level.
    void RefreshAfterLevelUp();
    /// The class selection screen's load: Normal captions for Book of Skill and Den of Evil.
    void restoreNormalQuestCaptions();

    /// Right button on icon `index` of `tree`: decides the quest entries'
    /// visibility and records the right-click context. The caller then pops
    /// up the skill menu.
    void prepareRightClick(TreeId tree, std::int16_t index);

    /// Puts a text into the notice label, shows it and restarts the notice timer.
    void showNotice(std::string_view text);
    /// The notice timer's tick: hides the notice.
    void tim_Unavail_Timer();
    [[nodiscard]] bool noticeTimerActive() const;

private:
    class Scope;
    bool tierCheck(std::int16_t tier);
    void refuse();
    void endOfGenerationCheck();
    void appendHistory(std::string entry);
    void writeLevelAndPoints();
    void writeReserve();
    [[nodiscard]] std::int16_t& countRef(TreeId tree, int index);
    [[nodiscard]] bool treeOnScreen(TreeId tree) const;
    using CaptionTable = std::array<std::string_view, 7>;
    void takeQuestPoint(std::int16_t& counter, bool& pending, std::int16_t limit, std::string& caption,
                        const CaptionTable& captions);
    /// Takes back a pending quest point of a refused click; false when the
    /// counter had left its range and the click ends there.
    bool giveBackQuestPoint(std::int16_t& counter, bool& pending, std::string& caption,
                            const CaptionTable& captions);
    void questExhausted();
    void changed();

    toolkit::Toolkit& m_toolkit;
    std::unique_ptr<TreeScreen> m_screen;
    std::unique_ptr<toolkit::Timer> m_noticeTimer;
    std::function<void()> m_onChanged;
    int m_depth = 0;
    bool m_dirty = false;
};

} // namespace skillwright::model
