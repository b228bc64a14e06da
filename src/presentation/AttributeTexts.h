#pragma once

#include <model/Attributes.h>

#include <array>
#include <string>
#include <string_view>

/// What the attributes window shows of an attribute plan, as texts.
namespace skillwright::presentation {

/// The character figures are a later table carried back: marked as the
/// statistics viewer marks its inferred columns.
inline constexpr std::string_view kCarriedBackMark = "\u2020";
inline constexpr std::string_view kCarriedBackNote =
    "\u2020 the game's later character table, carried back to the first release";
inline constexpr std::string_view kCarriedBackTip =
    "Figures carried back: the game's own character table of patches 1.07 and later (unchanged "
    "since), and how it combines them as patch 1.10's code does. No table of patches 1.00 to 1.06 "
    "is known and no patch note changes these figures; the manual of 2000 agrees on 5 stat points "
    "a level. Life, mana and stamina count in quarters and show rounded down.";

/// The figures' names, in the order the window and its table show them.
inline constexpr std::array<std::string_view, 7> kFigureNames{"Strength", "Dexterity", "Vitality", "Energy",
                                                              "Life",     "Mana",      "Stamina"};
/// The figure `index` (kFigureNames' order) of `figures`.
[[nodiscard]] int figure(const model::CharacterFigures& figures, std::size_t index);

/// "Strength to 55".
[[nodiscard]] std::string targetCaption(const model::AttributeTarget& target);
/// "At level 60", or "At level 13, looking back".
[[nodiscard]] std::string figuresHeading(int level, bool lookingBack);
/// Whether the targets are met at `level`, when they will be, or that some
/// can never all be placed:
///   "Every target met; the rest goes into Vitality."
///   "Dexterity to 70 is 35 points away; every target is met at level 17."
///   "Strength to 700 cannot all be placed: it stays 95 points short at level 99."
[[nodiscard]] std::string placingText(model::ClassId classId, const model::AttributePlan& plan, int level);

} // namespace skillwright::presentation
