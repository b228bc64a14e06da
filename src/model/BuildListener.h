#pragma once

#include <model/Catalogue.h>
#include <model/History.h>
#include <model/Quests.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skillwright::model {

/// Why a point was not taken.
enum class Refusal : std::uint8_t {
    TwentyPoints,   ///< the skill holds 20 points
    Level99,        ///< the character is at level 99
    RequiredLevel,  ///< the skill's tier is not open yet
    PointCap,       ///< one point per level the skill has been available
    Prerequisite,   ///< a prerequisite holds no point
    EmptyReserve,   ///< spending a reserved point with none in reserve
    QuestExhausted, ///< the quest was taken three times (six for Izual)
    NoSuchSkill,    ///< no open screen holds that skill
};

/// Who changed a quest counter. A quest command counts the point it is about
/// to give; everything else takes one back (a refused click, undo). A fresh
/// start (RESET, a new character) clears every counter.
enum class QuestChange : std::uint8_t { Taken, GivenBack, Cleared };

/// One move of a quest counter during an operation, in the order it came.
struct QuestMove {
    Quest quest = Quest::DenOfEvil;
    std::int16_t counter = 0;
    QuestChange change = QuestChange::Taken;
    friend bool operator==(const QuestMove&, const QuestMove&) = default;
};

/// What an operation left on the notice line of the open screen: a refusal or
/// an announcement shown, or the line cleared by an ordinary point. An
/// operation that did neither leaves no notice.
struct NoticeChange {
    bool shown = false;
    std::string text; ///< shown: the words
    friend bool operator==(const NoticeChange&, const NoticeChange&) = default;
};

/// What an operation on the build did, as its listeners hear it once the
/// operation has ended: its kind, the entry it concerns, and what it leaves
/// for the screens (the notice line, the quest counters' moves).
struct BuildChange {
    enum class Kind : std::uint8_t {
        PointTaken,       ///< `entry` joined the history (a point of its kind, on its skill)
        PointRefused,     ///< a point was asked for and refused; `refusal` says why
        PointUndone,      ///< `entry`, the newest, was taken back
        TakenBack,        ///< `entry` and every later one were taken back at once
        Reset,            ///< RESET: level 1, no point, no quest taken
        Replayed,         ///< a whole plan took the place of the one before
        Restored,         ///< a plan the build held before came back (undo, redo, an edit)
        CharacterStarted, ///< a character of a class was started, empty
        CharacterEnded,   ///< the character went
    };
    BuildChange() = default;
    BuildChange(Kind what, const HistoryEntry& point = {}, std::optional<Refusal> why = std::nullopt)
        : kind(what), entry(point), refusal(why) {}

    Kind kind = Kind::PointTaken;
    HistoryEntry entry{};           ///< PointTaken, PointUndone, TakenBack
    std::optional<Refusal> refusal; ///< PointRefused
    /// The last notice the operation gave or cleared. The rules' refusals are
    /// told here; an exhausted quest is not (the skill menu tells it in a
    /// message box).
    std::optional<NoticeChange> notice;
    std::vector<QuestMove> questMoves; ///< every move of a quest counter, in order
    friend bool operator==(const BuildChange&, const BuildChange&) = default;
};

/// Follows a Build: it hears, once each operation has ended, what the
/// operation did, with everything a screen needs to follow it. An
/// operation's PointResult is for its caller's own steps (a fill, a replay),
/// never shown by itself. Changes arrive on the thread that called the
/// operation.
class BuildListener {
public:
    virtual ~BuildListener() = default;

    /// An operation ended, and this is what it did (a replay's points and
    /// undos are told as one replay).
    virtual void buildChanged(const BuildChange& change) = 0;
};

} // namespace skillwright::model
