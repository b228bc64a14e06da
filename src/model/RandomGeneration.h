#pragma once

#include <model/Build.h>

#include <array>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

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

/// A uniform random number r with 0 <= r < 1.
using RandomSource = std::function<double()>;

/// What the generator dialog asks for.
struct GenerationRequest {
    std::optional<ClassId> classId; ///< none: a class is drawn
    std::int16_t level = 0;         ///< 0: a level is drawn
};

/// What is to be generated: a character of `classId` up to `level`.
struct GenerationPlan {
    ClassId classId = ClassId::Amazon;
    std::int16_t level = 0;
    bool classWasDrawn = false; ///< on No the dialog goes back to "Random"
};

/// Draws what the request leaves open: a class from five bands of about a
/// fifth each, a level of 12 to 75 (drawn again while below 12). A typed
/// level is taken as it is.
GenerationPlan drawGeneration(const GenerationRequest& request, const RandomSource& random);

/// The question the player answers before a generation, e.g. "This will
/// generate a Paladin, Level 40.\r\nDo you want to continue? (This may take awhile)".
std::string generationQuestion(const GenerationPlan& plan);
inline constexpr std::string_view kGenerationQuestionTitle = "Character Generator";
inline constexpr std::string_view kGenerationDoneText =
    "Random Charater Generator has completed.\r\nHave fun trying to win with it.";
inline constexpr std::string_view kGenerationDoneTitle = "Generation Complete";

/// The class a generator option names ("Amazon", ... "Sorceress"); none for
/// "Random" and anything else.
std::optional<ClassId> generatorClass(std::string_view option);

/// The random fill of the open screen: one generated point per level through
/// the ordinary click, a refused level drawn again, and the last point taken
/// back at the end. It follows the build: RESET, a class change or the
/// screen closing stop it for good, and so does a stop requested through
/// `stop` by whoever is about to put something else in the plan's place.
///
/// Whoever drives it lets events run between its steps, so that the player
/// watches (and may act) between two generated points.
class RandomFill final : private BuildListener {
public:
    /// How the fill changes the plan: the ordinary click and UNDO LAST of
    /// whoever owns it.
    struct Steps {
        std::function<PointResult(TreeId, std::int16_t)> click;
        std::function<bool()> undoLast;
    };
    RandomFill(const Build& build, Steps steps, std::int16_t levels, RandomSource random,
               std::stop_token stop = {});
    ~RandomFill() override;
    RandomFill(const RandomFill&) = delete;
    RandomFill& operator=(const RandomFill&) = delete;

    /// The screen it fills is gone, the build was reset or a stop was
    /// requested (or there never was a screen).
    [[nodiscard]] bool stopped() const { return m_stopped || m_stop.stop_requested(); }
    /// Generated level-ups still to make.
    [[nodiscard]] std::int16_t levelsLeft() const { return m_levelsLeft; }
    /// One generated click on a drawn skill; a refused one is drawn again at
    /// the next step. True when this click was the last one owed, the moment
    /// to tell the player the generation has completed (told once).
    bool generateLevel();
    /// The end of the fill: takes the last point back.
    void finish();

private:
    /// RESET, another plan in this one's place, an undo or redo that brought
    /// one back, or the character gone.
    void buildChanged(const BuildChange& change) override {
        using Kind = BuildChange::Kind;
        m_stopped = m_stopped || change.kind == Kind::Reset || change.kind == Kind::Replayed ||
                    change.kind == Kind::Restored || change.kind == Kind::CharacterStarted ||
                    change.kind == Kind::CharacterEnded;
    }

    const Build& m_build;
    Steps m_steps;
    RandomSource m_random;
    std::stop_token m_stop;
    std::array<TreeId, 3> m_trees{};
    std::int16_t m_levelsLeft = 0;
    bool m_lastRefused = false;
    bool m_told = false;
    bool m_stopped = false;
};

} // namespace skillwright::model
