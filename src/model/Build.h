#pragma once

#include <model/BuildListener.h>
#include <model/BuildState.h>
#include <model/Catalogue.h>
#include <model/History.h>
#include <model/Plan.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace skillwright::model {

/// The character being planned: its plan (class, history, name) and the
/// state the rules derive from it.
class Character {
public:
    explicit Character(ClassId classId) { m_plan.classId = classId; }

    [[nodiscard]] ClassId classId() const { return m_plan.classId; }
    /// The class, the history and the character's name.
    [[nodiscard]] const Plan& plan() const { return m_plan; }
    /// Points held by skill `index` of `tree` (a tree of this class).
    [[nodiscard]] std::int16_t points(TreeId tree, int index) const {
        return m_state.pointsOf({tree, static_cast<std::int16_t>(index)});
    }
    /// The same by the tree's position on the screen (0 left, 1 middle, 2 right).
    [[nodiscard]] std::int16_t pointsAt(int position, int index) const {
        return m_state.points[static_cast<std::size_t>(position)][static_cast<std::size_t>(index)];
    }
    /// One entry per point obtained, newest last.
    [[nodiscard]] const std::vector<HistoryEntry>& history() const { return m_plan.history; }
    /// What the rules derive from the history, as a value.
    [[nodiscard]] const BuildState& state() const { return m_state; }

private:
    friend class Build;
    std::int16_t& pointsRef(SkillRef skill);

    Plan m_plan;
    BuildState m_state;
};

/// The title of the message box that tells an exhausted quest.
inline constexpr std::string_view kQuestExhaustedTitle = "No Longer valid";

/// The rules engine: the character being planned and every allocation rule.
/// One instance lives as long as the program. Screens call its operations,
/// read its state, and follow it as listeners; nothing outside changes its
/// state but its operations, and it shows nothing itself: what an operation
/// came to is its result, and what a screen shows follows from the listeners'
/// notifications.
class Build {
public:
    Build();
    ~Build();
    Build(const Build&) = delete;
    Build& operator=(const Build&) = delete;

    /// Following the build changes nothing of it, so a read-only build can be followed.
    void addListener(BuildListener& listener) const;
    void removeListener(BuildListener& listener) const;

    /// Level-ups taken; the character level is one more. None without a character.
    [[nodiscard]] std::int16_t levelsGained() const { return state().levelsGained; }
    [[nodiscard]] std::int16_t characterLevel() const { return state().characterLevel(); }
    /// Points held in reserve and not yet spent.
    [[nodiscard]] std::int16_t reservedPoints() const { return state().reservedPoints; }
    /// Points taken from a quest (0..3, Izual 0..6).
    [[nodiscard]] std::int16_t questCount(Quest quest) const { return state().questCount(quest); }
    /// The character's state, or the empty state without one.
    [[nodiscard]] const BuildState& state() const {
        static const BuildState kNone;
        return m_character ? m_character->m_state : kNone;
    }

    // ---- The character ----
    /// Starts a character of the class: no point, an empty history, level 1
    /// and an empty reserve. Ends the character before it, if any.
    void startCharacter(ClassId classId);
    /// The character ends, and its quest points with it.
    void endCharacter();
    [[nodiscard]] const Character* character() const { return m_character.get(); }

    // ---- Spending a point ----
    /// A left click on a skill's icon: the next level-up, into skill `index` of `tree`.
    PointResult click(TreeId tree, std::int16_t index);

    // ---- The skill menu: its offers and its commands ----
    /// Which quest points the skill menu offers now for `skill`.
    [[nodiscard]] QuestOffer questOffer(SkillRef skill) const;
    /// The quest's next point into `skill`. An exhausted quest is refused
    /// (QuestExhausted) without a notice.
    PointResult takeQuestPoint(Quest quest, SkillRef skill);
    /// The next level-up held in reserve (no skill receives it).
    PointResult reservePoint();
    /// A point from the reserve into `skill`.
    PointResult useReservedPoint(SkillRef skill);

    // ---- Plans ----
    /// The character's plan (an empty Necromancer's without a character), as
    /// a value of its own.
    [[nodiscard]] Plan plan() const;
    /// The name the character goes by.
    void setCharacterName(std::string name);
    /// Turns `plan` into the build: a character of the plan's class, started
    /// when the character is of another class or there is none, starts afresh at level 1 with no point, no
    /// reserve and no quest taken, and takes every entry in order by the command that made it, each rule a
    /// player's command is held to checked again: a click for an ordinary point, the skill menu's quest entry
    /// (offered at that level and count) for a quest point, the reserve's commands for the reserve. Each
    /// entry must come out exactly as recorded. Stops at the first entry that does not, which leaves nothing
    /// of itself behind. Listeners hear one change, a replay.
    std::optional<ReplayStop> replay(const Plan& plan);

    /// The same as replay(`plan`), for a plan this build held before (undo and
    /// redo bring one back), taking back and again only what differs:
    /// listeners hear a restore, not a replay.
    void restore(const Plan& plan);

    /// UNDO LAST: takes back the newest history entry; false when there was none.
    bool undoLast();
    /// Takes back every entry after the first `keep` in one step, the newest
    /// first. False when there was none.
    bool takeBackTo(std::size_t keep);
    /// RESET: the build and its character back to level 1.
    void reset();

private:
    class Scope;
    PointResult spend(SkillRef skill, EntryKind kind);
    std::optional<std::string> replayEntry(const HistoryEntry& entry);
    bool takeBackNewest();
    void startAfresh(ClassId classId);
    PointResult takeReservePoint();
    PointResult refuse(PointResult result, EntryKind kind);
    void announceQuests();
    void showNotice(std::string_view text);
    void changeQuestCount(Quest quest, int by, QuestChange change);
    void clearQuestCounts();
    [[nodiscard]] bool onScreen(SkillRef skill) const;
    void flushChanged();
    template <typename F> void notify(F&& f);

    std::unique_ptr<Character> m_character;
    mutable std::vector<BuildListener*> m_listeners;
    // What the running operation did, told when it ends.
    std::optional<NoticeChange> m_notice;
    std::vector<QuestMove> m_questMoves;
    BuildChange::Kind m_changeKind = BuildChange::Kind::PointTaken;
    std::optional<Refusal> m_changeRefusal; ///< PointRefused: why
    HistoryEntry m_undone;                  ///< PointUndone, TakenBack: the entry taken back
    mutable int m_notifying = 0;
    int m_depth = 0;
    bool m_dirty = false;
};

/// Follows a build by a function for as long as it lives.
class FollowBuild final : public BuildListener {
public:
    FollowBuild(const Build& build, std::function<void(const BuildChange&)> follow);
    ~FollowBuild() override;
    FollowBuild(const FollowBuild&) = delete;
    FollowBuild& operator=(const FollowBuild&) = delete;

    void buildChanged(const BuildChange& change) override { m_follow(change); }

private:
    const Build& m_build;
    std::function<void(const BuildChange&)> m_follow;
};

} // namespace skillwright::model
