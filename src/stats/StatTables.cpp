#include "StatTables.h"

#include "TableData.h"

#include <charconv>

namespace skillwright::stats {

namespace {

using model::TreeId;

// The viewer's load step looks the tree up among these in turn.
constexpr std::array<TableOperation, kTreeTables> kOperations{{
    {TreeId::SorceressFire, "Sorc_Fire", &data::SorcFire},
    {TreeId::SorceressCold, "Sorc_Cold", &data::SorcCold},
    {TreeId::SorceressLightning, "Sorc_Light", &data::SorcLight},
    {TreeId::PaladinCombat, "Paladin_Com", &data::PaladinCom},
    {TreeId::PaladinOffensiveAuras, "Paladin_Off", &data::PaladinOff},
    {TreeId::PaladinDefensiveAuras, "Paladin_Def", &data::PaladinDef},
    {TreeId::BarbarianCombat, "BarBar_CS", &data::BarBarCS},
    {TreeId::BarbarianWarcries, "BarBar_WC", &data::BarBarWC},
    {TreeId::BarbarianMasteries, "BarBar_CM", &data::BarBarCM},
    {TreeId::AmazonBowCrossbow, "Amazon_BC", &data::AmazonBC},
    {TreeId::AmazonPassiveMagic, "Amazon_PM", &data::AmazonPM},
    {TreeId::AmazonJavelinSpear, "Amazon_JS", &data::AmazonJS},
    {TreeId::NecromancerCurses, "Necro_Curse", &data::NecroCurse},
    {TreeId::NecromancerPoisonBone, "Necro_Bone", &data::NecroBone},
    {TreeId::NecromancerSummoning, "Necro_Summon", &data::NecroSummon},
}};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

/// Digits, optionally one '.' and exactly one digit after it: "30", "2.5".
std::optional<double> unsignedNumber(std::string_view s) {
    const std::size_t dot = s.find('.');
    const std::string_view whole = s.substr(0, dot);
    if (whole.empty() || whole.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    if (dot != std::string_view::npos && (s.size() != dot + 2 || !isDigit(s.back()))) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc{} || end != s.data() + s.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::span<const TableOperation> tableOperations() {
    return kOperations;
}

const Entry* findEntry(model::SkillRef skill) {
    if (skill.index < 0 || skill.index >= kEntriesPerTree) {
        return nullptr;
    }
    for (const TableOperation& row : kOperations) {
        if (row.tree == skill.tree) {
            return &(*row.table)[static_cast<std::size_t>(skill.index)];
        }
    }
    return nullptr;
}

std::optional<Figure> parseFigure(std::string_view text) {
    if (const std::size_t dash = text.find("- "); dash != std::string_view::npos && dash > 0) {
        const auto low = unsignedNumber(text.substr(0, dash));
        const auto high = unsignedNumber(text.substr(dash + 2));
        if (low && high && text.substr(0, dash).find('.') == std::string_view::npos &&
            text.substr(dash + 2).find('.') == std::string_view::npos) {
            return Figure{*low, *high};
        }
        return std::nullopt;
    }
    if (text.size() > 1 && (text.front() == '+' || text.front() == '-')) {
        const auto value = unsignedNumber(text.substr(1));
        // A bonus is a whole number: "+1" to "+20".
        if (!value || (text.front() == '+' && text.find('.') != std::string_view::npos)) {
            return std::nullopt;
        }
        return Figure{text.front() == '-' ? -*value : *value, text.front() == '-' ? -*value : *value};
    }
    if (const auto value = unsignedNumber(text)) {
        return Figure{*value, *value};
    }
    return std::nullopt;
}

std::optional<std::array<Figure, kLevels>> columnFigures(const Column& column) {
    if (column.kind != ColumnKind::Own) {
        return std::nullopt;
    }
    std::array<Figure, kLevels> figures{};
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const auto figure = parseFigure(column.texts[i]);
        if (!figure) {
            return std::nullopt;
        }
        figures[i] = *figure;
    }
    return figures;
}

} // namespace skillwright::stats
