#pragma once

#include <model/Build.h>
#include <model/Goals.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

/// What the screens show of a build, as texts and marks, kept as the build's
/// changes leave them: free of any toolkit, so the rules' tests read the same
/// texts the player reads. The rules know nothing of it.
namespace skillwright::presentation {

using model::Build;
using model::BuildChange;
using model::BuildListener;
using model::BuildState;
using model::Quest;
using model::QuestChange;
using model::QuestMove;

inline constexpr int kNoticeMilliseconds = 5000;

/// The status labels and the tier labels' colours of the open skill tree
/// screen, as the build's changes leave them: a value its screen keeps and
/// feeds every change. The labels keep the form they were last written in:
/// as the screen was created ("Level: 1", "Skill Points: 0"), by RESET
/// ("Level 1", "Skill Points: 0") or by a change of level ("Level 7",
/// "Skill Points:  6").
class StatusLabels {
public:
    /// As a new screen shows them.
    StatusLabels() = default;
    /// As a screen shows a plan that reached `state` one entry at a time.
    explicit StatusLabels(const BuildState& state);

    /// The build changed and now stands at `now`.
    void follow(const BuildChange& change, const BuildState& now);

    /// lbl_CharLevel: "Level: 1" on a new screen, then "Level " and the level.
    [[nodiscard]] std::string levelLabel() const;
    /// lbl_SkillLevel: "Skill Points: " and the level-ups taken; a change of
    /// level writes the number with a leading sign position ("Skill Points:  6").
    [[nodiscard]] std::string pointsLabel() const;
    /// lbl_Reserved: "Reserved Points: " and the points in reserve.
    [[nodiscard]] std::string reserveLabel() const;
    /// The tier labels, top row 0: true where the label is gold.
    [[nodiscard]] bool tierHighlighted(int row) const {
        return m_tierHighlighted[static_cast<std::size_t>(row)];
    }

private:
    enum class Form : std::uint8_t { Created, Reset, Written };
    void startAfresh(Form form);
    void climbTo(const BuildState& now);
    void followLevel(int level);

    BuildState m_state; ///< what the labels last followed
    Form m_form = Form::Created;
    std::array<bool, model::kTierCount> m_tierHighlighted{true, false, false, false, false, false};
};

/// The notice line of the open skill tree screen (lbl_UnAvail): the last
/// refusal or announcement, shown for five seconds from the latest notice.
/// Its screen feeds it every change of the build. The time is kept by
/// whoever shows the line: `runTimer(true)` asks for the notice timer to
/// count kNoticeMilliseconds from now, `runTimer(false)` to stop; when the
/// time is up, that timer calls expire().
class NoticeLine {
public:
    explicit NoticeLine(std::function<void(bool)> runTimer = {});

    [[nodiscard]] const std::string& text() const { return m_text; }
    [[nodiscard]] bool visible() const { return m_visible; }
    /// Whether the notice's time is running.
    [[nodiscard]] bool timerRunning() const { return m_timerRunning; }
    /// The notice's time is up: the line hides.
    void expire();

    /// What an operation left on the line.
    void follow(const BuildChange& change);
    /// A notice of the screen's own (a copied code), shown as a refusal is.
    void show(std::string text);

private:
    void setTimerRunning(bool running);

    std::function<void(bool)> m_runTimer;
    std::string m_text;
    bool m_visible = false;
    bool m_timerRunning = false;
};

/// The captions of the skill menu's quest entries as the rules leave them:
/// each names the difficulty of the quest's next point, in the spelling of
/// whatever wrote it last.
class SkillMenuTexts final : public BuildListener {
public:
    explicit SkillMenuTexts(const Build& build);
    ~SkillMenuTexts() override;
    SkillMenuTexts(const SkillMenuTexts&) = delete;
    SkillMenuTexts& operator=(const SkillMenuTexts&) = delete;

    [[nodiscard]] const std::string& caption(Quest quest) const;

    /// The start screen's load: Normal captions for Book of Skill and Den of Evil.
    void restoreNormalCaptions();

    void buildChanged(const BuildChange& change) override;

private:
    void follow(const QuestMove& move);

    const Build& m_build;
    std::array<std::string, 3> m_captions;
};

/// The skill menu's quest captions, by quest and difficulty (Normal,
/// Nightmare, Hell): as the quest command writes them, and as taking a point
/// back writes them (the Book's command writes "Of", taking back "of").
struct QuestCaptions {
    std::array<std::string_view, 3> taken;
    std::array<std::string_view, 3> givenBack;
};
// clang-format off
inline constexpr std::array<QuestCaptions, 3> kQuestCaptions{{
    {{"&Den Of Evil (Normal)", "&Den Of Evil (Nightmare)", "&Den Of Evil (Hell)"},
     {"&Den Of Evil (Normal)", "&Den Of Evil (Nightmare)", "&Den Of Evil (Hell)"}},
    {{"&Book Of Skill (Normal)", "&Book Of Skill (Nightmare)", "&Book Of Skill (Hell)"},
     {"&Book of Skill (Normal)", "&Book of Skill (Nightmare)", "&Book of Skill (Hell)"}},
    {{"&Death of Izual (Normal)", "&Death of Izual (Nightmare)", "&Death of Izual (Hell)"},
     {"&Death of Izual (Normal)", "&Death of Izual (Nightmare)", "&Death of Izual (Hell)"}},
}};
// clang-format on
[[nodiscard]] constexpr const QuestCaptions& questCaptions(Quest quest) {
    return kQuestCaptions[static_cast<std::size_t>(quest)];
}

/// A quest entry's caption for a counter, as the quest command writes it:
/// the caption of a build replayed to that counter.
[[nodiscard]] std::string questCaption(Quest quest, std::int16_t counter);

/// The mark beside a skill's count that has a target: "→20".
[[nodiscard]] std::string targetMark(std::int16_t points);
/// What Fill to Targets came to, for the notice line: "All targets met by
/// level 48: Frozen Orb 20 at 48, Teeth 5 at 5.", or why nothing changed.
[[nodiscard]] std::string targetFillNotice(const model::TargetFill& fill,
                                           const std::vector<model::Target>& targets);
/// The character level at which each target of `plan` is met in its
/// history (0: not yet).
[[nodiscard]] std::vector<std::int16_t> targetsMetAt(const model::Plan& plan);

} // namespace skillwright::presentation
