#pragma once

#include <model/Build.h>

#include <optional>
#include <string_view>

namespace skillwright::toolkit {
class Toolkit;
}

/// The random character generator's rules: the class and level draws, the
/// confirmation, and the fill that spends one generated point per level
/// through the ordinary click.
namespace skillwright::model {

/// The level box of the generator dialog: its text as a number (blanks
/// around it allowed); nothing for an empty text or one that is no number.
std::optional<double> levelBoxNumber(std::string_view text);
/// The level check: an empty box and numbers from 0 to 75 may stay; anything
/// else is answered with "Level must be 0 - 75" and the box goes back to "0".
bool levelBoxAccepts(std::string_view text);
/// The level Generate takes from the box: the number rounded to the nearest
/// whole, halves to even; an empty box means 0, a random level.
std::int16_t levelBoxLevel(std::string_view text);
inline constexpr std::string_view kLevelCheckText = "Level must be 0 - 75";
inline constexpr std::string_view kLevelCheckTitle = "Entry Error";

/// What the player confirmed in RandomCharGen.
struct GenerationOutcome {
    /// The class whose screen is to open and fill; empty when the player said No.
    std::optional<ClassId> open;
    /// The class was drawn rather than chosen (on No the dialog goes back to "Random").
    bool classWasDrawn = false;
};

/// The class a generator choice names ("Amazon", ... "Sorceress"); empty for
/// "Random" and anything else.
std::optional<ClassId> generatorClass(std::string_view randomClass);

/// RandomCharGen: with the dialog's class choice (RandomClass) and level
/// (RandomLevelsLeft, 0 = draw one) in the build, draws what is left to
/// draw, asks the player, and on Yes leaves the generation pending for the
/// class's screen to fill. On No nothing stays pending.
GenerationOutcome RandomCharGen(Build& build, toolkit::Toolkit& toolkit);

/// The screen's load step for a pending generation: when one is pending,
/// lets events run nine times, then spends a random point per level on the
/// open screen, letting events run twice per level, and takes the last one
/// back at the end. The player may act between two generated clicks; RESET,
/// a class change or the screen closing stop the fill at once, with no
/// closing message, and leave nothing pending. Returns true when the fill
/// ran to its end.
bool RunRandomFill(Build& build, toolkit::Toolkit& toolkit);

} // namespace skillwright::model
