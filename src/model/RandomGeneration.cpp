#include "RandomGeneration.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>

namespace skillwright::model {

namespace {

constexpr int kLowestRandomLevel = 12;
constexpr int kHighestRandomLevel = 75;

/// Int(r * n + offset): a uniform draw, rounded down.
int draw(const RandomSource& random, int n, int offset) {
    return static_cast<int>(std::floor(random() * n + offset));
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
        return {TreeId::AmazonJavelinSpear, TreeId::AmazonPassiveMagic, TreeId::AmazonBowCrossbow};
    case ClassId::Barbarian:
        return {TreeId::BarbarianMasteries, TreeId::BarbarianWarcries, TreeId::BarbarianCombat};
    case ClassId::Necromancer:
        return {TreeId::NecromancerSummoning, TreeId::NecromancerPoisonBone, TreeId::NecromancerCurses};
    case ClassId::Paladin:
        return {TreeId::PaladinOffensiveAuras, TreeId::PaladinCombat, TreeId::PaladinDefensiveAuras};
    case ClassId::Sorceress:
        break;
    }
    return {TreeId::SorceressFire, TreeId::SorceressLightning, TreeId::SorceressCold};
}

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

std::optional<ClassId> generatorClass(std::string_view option) {
    for (const ClassInfo& c : classes()) {
        if (c.name == option) {
            return c.id;
        }
    }
    return std::nullopt;
}

GenerationPlan drawGeneration(const GenerationRequest& request, const RandomSource& random) {
    GenerationPlan plan;
    if (request.classId) {
        plan.classId = *request.classId;
    } else {
        plan.classId = classOfRoll(draw(random, 1000, 1));
        plan.classWasDrawn = true;
    }
    // A level the player typed is taken as it is; 0 draws one of 12..75.
    plan.level = request.level;
    if (plan.level == 0) {
        do {
            plan.level = static_cast<std::int16_t>(draw(random, kHighestRandomLevel, 1));
        } while (plan.level < kLowestRandomLevel);
    }
    return plan;
}

std::string generationQuestion(const GenerationPlan& plan) {
    return "This will generate a " + std::string(classInfo(plan.classId).name) + ", Level " +
           std::to_string(plan.level) + ".\r\nDo you want to continue? (This may take awhile)";
}

RandomFill::RandomFill(const Build& build, Steps steps, std::int16_t levels, RandomSource random,
                       std::stop_token stop)
    : m_build(build), m_steps(std::move(steps)), m_random(std::move(random)), m_stop(std::move(stop)),
      m_levelsLeft(levels) {
    m_stopped = m_build.character() == nullptr || levels <= 0;
    if (!m_stopped) {
        m_trees = drawOrder(m_build.character()->classId());
    }
    m_build.addListener(*this);
}

RandomFill::~RandomFill() {
    m_build.removeListener(*this);
}

bool RandomFill::generateLevel() {
    if (stopped() || m_levelsLeft == 0) {
        return false;
    }
    if (m_lastRefused) {
        ++m_levelsLeft;
    }
    const int t = draw(m_random, 30, 1);
    const TreeId tree = m_trees[t < 10 ? 0 : t < 20 ? 1 : 2];
    const auto index = static_cast<std::int16_t>(draw(m_random, 10, 0));
    --m_levelsLeft;
    m_lastRefused = !m_steps.click(tree, index).accepted();
    if (m_levelsLeft == 0 && !m_told && !stopped()) {
        m_told = true;
        return true;
    }
    return false;
}

void RandomFill::finish() {
    if (!stopped()) {
        m_steps.undoLast();
    }
}

} // namespace skillwright::model
