#pragma once

#include <model/Catalogue.h>

#include <cstdint>
#include <string_view>

namespace skillwright::model {

enum class Quest : std::uint8_t { DenOfEvil, BookOfSkill, Izual };

/// Which quest entries the skill menu offers.
struct QuestOffer {
    bool denOfEvil = false;
    bool bookOfSkill = false;
    bool deathOfIzual = false;
    friend bool operator==(const QuestOffer&, const QuestOffer&) = default;
};

/// Who changed a quest counter. A quest command counts the point it is about
/// to give; everything else takes one back (a refused click, undo).
enum class QuestChange : std::uint8_t { Taken, GivenBack };

/// Follows a Build. Every notification has an empty default, so a listener
/// overrides only what it needs. Notifications arrive on the thread that
/// called the operation, while the operation runs, except buildChanged,
/// which comes once when the outermost operation ends.
class BuildListener {
public:
    virtual ~BuildListener() = default;

    /// Something a screen shows may have changed; sent once per completed
    /// operation, and before a message box that an operation shows.
    virtual void buildChanged() {}
    /// A refusal or an announcement for the notice line of the open screen.
    virtual void noticeShown(std::string_view /*text*/) {}
    /// An ordinary point took the next level; the notice line is cleared.
    virtual void noticeHidden() {}
    /// A quest counter moved.
    virtual void questCounterChanged(Quest /*quest*/, std::int16_t /*counter*/, QuestChange /*change*/) {}
    /// A right click on a skill decided which quest entries are offered.
    virtual void questsOffered(const QuestOffer& /*offer*/) {}
    /// RESET: the build is back at level 1 with no quest taken.
    virtual void buildReset() {}
    /// A class's skill tree screen was opened (and its load step ran).
    virtual void screenOpened(ClassId /*classId*/) {}
    /// The open skill tree screen is gone; nothing may act on it any more.
    virtual void screenClosed() {}
};

} // namespace skillwright::model
