#pragma once

#include <model/Catalogue.h>
#include <model/History.h>
#include <model/Quests.h>

#include <cstdint>
#include <optional>
#include <string_view>

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

/// What an operation on the build did, as its listeners hear it once the
/// operation has ended.
struct BuildChange {
    enum class Kind : std::uint8_t {
        PointTaken,       ///< `entry` joined the history (a point of its kind, on its skill)
        PointRefused,     ///< a point was asked for and refused; `refusal` says why
        PointUndone,      ///< `entry`, the newest, was taken back
        TakenBack,        ///< `entry` and every later one were taken back at once
        Reset,            ///< RESET: level 1, no point, no quest taken
        Replayed,         ///< a whole plan took the place of the one before
        Restored,         ///< a plan the build held before came back (undo, redo)
        CharacterStarted, ///< a character of a class was started, empty
        CharacterEnded,   ///< the character went
    };
    BuildChange() = default;
    BuildChange(Kind what, const HistoryEntry& point = {}, std::optional<Refusal> why = std::nullopt)
        : kind(what), entry(point), refusal(why) {}

    Kind kind = Kind::PointTaken;
    HistoryEntry entry{};           ///< PointTaken, PointUndone, TakenBack
    std::optional<Refusal> refusal; ///< PointRefused
    friend bool operator==(const BuildChange&, const BuildChange&) = default;
};

/// Who changed a quest counter. A quest command counts the point it is about
/// to give; everything else takes one back (a refused click, undo).
enum class QuestChange : std::uint8_t { Taken, GivenBack };

/// Follows a Build. Every notification has an empty default, so a listener
/// overrides only what it needs.
///
/// Listeners are the one way a refusal reaches the screens: every refused
/// point is told as a PointRefused change with its Refusal, and the rules'
/// refusals also as a noticeShown text for the notice line. An exhausted
/// quest has no notice text: the skill menu tells it in a message box. An
/// operation's PointResult is for its caller's own steps (a fill, a replay),
/// never shown by itself. Notifications arrive on the thread that
/// called the operation, while the operation runs, except buildChanged,
/// which comes once when the outermost operation ends and tells what it did.
class BuildListener {
public:
    virtual ~BuildListener() = default;

    /// An operation ended, and this is what it did (a replay's points and
    /// undos are told as one replay).
    virtual void buildChanged(const BuildChange& /*change*/) {}
    /// A refusal or an announcement for the notice line of the open screen.
    virtual void noticeShown(std::string_view /*text*/) {}
    /// An ordinary point took the next level; the notice line is cleared.
    virtual void noticeHidden() {}
    /// A quest counter moved.
    virtual void questCounterChanged(Quest /*quest*/, std::int16_t /*counter*/, QuestChange /*change*/) {}
    /// RESET: the build is back at level 1 with no quest taken.
    virtual void buildReset() {}
    /// A character of a class was started (empty, at level 1).
    virtual void characterStarted(ClassId /*classId*/) {}
    /// The character is gone; nothing may act on it any more.
    virtual void characterEnded() {}
};

} // namespace skillwright::model
