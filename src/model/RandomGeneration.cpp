#include "RandomGeneration.h"

#include <toolkit/Toolkit.h>

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace skillwright::model {

namespace {

constexpr std::string_view kRandom = "Random";
constexpr std::int16_t kChosenClassRoll = 1000;
constexpr int kLowestRandomLevel = 12;
constexpr int kHighestRandomLevel = 75;
constexpr int kEventRunsBeforeFill = 9;

/// Int(r * n + offset): a uniform draw, rounded down.
int draw(toolkit::Toolkit& toolkit, int n, int offset) {
    return static_cast<int>(std::floor(toolkit.random() * n + offset));
}

/// The class of a roll of 1..1000: five bands of about a fifth each.
ClassId classOfRoll(int roll) {
    if (roll < 200) {
        return ClassId::Amazon;
    }
    if (roll < 400) {
        return ClassId::Barbarian;
    }
    if (roll < 600) {
        return ClassId::Necromancer;
    }
    if (roll < 800) {
        return ClassId::Paladin;
    }
    return ClassId::Sorceress;
}

/// The fill's three trees in draw order: tree 1 takes 9 chances in 30,
/// tree 2 ten and tree 3 eleven.
std::array<TreeId, 3> drawOrder(ClassId classId) {
    switch (classId) {
    case ClassId::Amazon:
        return {TreeId::AmazonJS, TreeId::AmazonPM, TreeId::AmazonBC};
    case ClassId::Barbarian:
        return {TreeId::BarBarCM, TreeId::BarBarWC, TreeId::BarBarCS};
    case ClassId::Necromancer:
        return {TreeId::NecroSummon, TreeId::NecroBone, TreeId::NecroCurse};
    case ClassId::Paladin:
        return {TreeId::PaladinOff, TreeId::PaladinCom, TreeId::PaladinDef};
    case ClassId::Sorceress:
        break;
    }
    return {TreeId::SorcFire, TreeId::SorcLight, TreeId::SorcCold};
}

/// Hears when the screen being filled goes away or the build is reset.
class FillGuard final : public BuildListener {
public:
    explicit FillGuard(Build& build) : m_build(build) { m_build.addListener(*this); }
    ~FillGuard() override { m_build.removeListener(*this); }
    FillGuard(const FillGuard&) = delete;
    FillGuard& operator=(const FillGuard&) = delete;

    [[nodiscard]] bool stopped() const { return m_stopped; }
    void buildReset() override { m_stopped = true; }
    void screenClosed() override { m_stopped = true; }

private:
    Build& m_build;
    bool m_stopped = false;
};

} // namespace

std::optional<double> levelBoxNumber(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool levelBoxAccepts(std::string_view text) {
    if (text.empty()) {
        return true;
    }
    const auto number = levelBoxNumber(text);
    return number && *number >= 0 && *number <= kHighestRandomLevel;
}

std::int16_t levelBoxLevel(std::string_view text) {
    const auto number = levelBoxNumber(text);
    if (!number || !levelBoxAccepts(text)) {
        return 0;
    }
    return static_cast<std::int16_t>(std::nearbyint(*number)); // the default rounding: halves to even
}

std::optional<ClassId> generatorClass(std::string_view randomClass) {
    for (const ClassInfo& c : classes()) {
        if (c.name == randomClass) {
            return c.id;
        }
    }
    return std::nullopt;
}

GenerationOutcome RandomCharGen(Build& build, toolkit::Toolkit& toolkit) {
    GenerationOutcome outcome;
    std::int16_t roll = kChosenClassRoll;
    if (build.variables().RandomClass == kRandom) {
        roll = static_cast<std::int16_t>(draw(toolkit, 1000, 1));
        build.setRandomClass(classInfo(classOfRoll(roll)).name);
        outcome.classWasDrawn = true;
    }
    // A level the player typed is taken as it is; 0 draws one of 12..75.
    std::int16_t level = build.variables().RandomLevelsLeft;
    if (level == 0) {
        do {
            level = static_cast<std::int16_t>(draw(toolkit, kHighestRandomLevel, 1));
        } while (level < kLowestRandomLevel);
    }
    build.setRandomRoll(roll);
    build.setRandomLevelsLeft(level);

    const std::string& randomClass = build.variables().RandomClass;
    const std::string question = "This will generate a " + randomClass + ", Level " + std::to_string(level) +
                                 ".\r\nDo you want to continue? (This may take awhile)";
    if (toolkit.messageBox(question, "Character Generator", toolkit::Icon::None, toolkit::Buttons::YesNo) !=
        toolkit::Answer::Yes) {
        build.setRandomRoll(0);
        build.setRandomLevelsLeft(0);
        if (outcome.classWasDrawn) {
            build.setRandomClass(kRandom);
        }
        return outcome;
    }
    outcome.open = generatorClass(randomClass);
    if (!outcome.open) {
        build.setRandomRoll(0); // a class choice no screen answers to
        build.setRandomLevelsLeft(0);
        return outcome;
    }
    build.setRandomDonePending(true);
    return outcome;
}

bool RunRandomFill(Build& build, toolkit::Toolkit& toolkit) {
    const BuildVariables& v = build.variables();
    if (v.RandomRoll == 0 || v.RandomLevelsLeft == 0 || build.screen() == nullptr) {
        return false;
    }
    FillGuard guard(build);
    const std::array<TreeId, 3> trees = drawOrder(build.screen()->classId());
    // Whatever stops the fill early leaves no generation pending behind it.
    auto abandon = [&build] {
        build.setRandomRoll(0);
        build.setRandomLevelsLeft(0);
        build.setRandomDonePending(false);
        return false;
    };

    build.takeLastClickFailed();
    for (int n = 0; n < kEventRunsBeforeFill; ++n) {
        toolkit.processEvents();
        if (guard.stopped()) {
            return abandon();
        }
    }
    for (;;) {
        if (v.RandomLevelsLeft == 0) {
            build.setRandomRoll(0);
            build.lbl_UndoLast_Click();
            return true;
        }
        if (build.takeLastClickFailed()) {
            build.setRandomLevelsLeft(static_cast<std::int16_t>(v.RandomLevelsLeft + 1));
        }
        toolkit.processEvents();
        if (guard.stopped()) {
            return abandon();
        }
        const int t = draw(toolkit, 30, 1);
        const TreeId tree = trees[t < 10 ? 0 : t < 20 ? 1 : 2];
        build.setRandomSkillIndex(static_cast<std::int16_t>(draw(toolkit, 10, 0)));
        build.countDownRandomLevel();
        build.click(tree, v.RandomSkillIndex);
        if (guard.stopped()) {
            return abandon();
        }
        toolkit.processEvents();
        if (guard.stopped()) {
            return abandon();
        }
    }
}

} // namespace skillwright::model
