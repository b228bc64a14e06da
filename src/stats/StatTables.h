#pragma once

#include <model/Catalogue.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

/// The statistics of every skill by skill level, as the statistics viewer
/// shows them: fifteen tree tables of ten entries each. Pure C++, no Qt.
namespace skillwright::stats {

inline constexpr int kLevels = 20;
inline constexpr int kColumns = 4;
inline constexpr int kEntriesPerTree = 10;
inline constexpr int kTreeTables = 15;

/// How a column fills its twenty rows.
enum class ColumnKind : std::uint8_t {
    Own,    ///< a text of its own for every level
    Repeat, ///< one text in every row
    Empty,  ///< "Not Used": empty text in every row
};

/// Where a column's figures come from.
enum class Origin : std::uint8_t {
    Listed,   ///< repeat and empty columns: fixed by the list of the tables
    Exact,    ///< read off a per-level table of the early game
    Derived,  ///< a start value and a per-level step that a source states
    Inferred, ///< a later patch's table carried back to the early game
    Estimate, ///< our own figures: no source was found
};

/// How far a player may trust a column, in the three kinds the viewer tells
/// apart: figures from a source of the early game (or fixed by the list),
/// figures carried back from a later patch, and our own estimates.
enum class Trust : std::uint8_t { Sourced, Inferred, Estimate };

constexpr Trust trustOf(Origin origin) {
    switch (origin) {
    case Origin::Inferred:
        return Trust::Inferred;
    case Origin::Estimate:
        return Trust::Estimate;
    default:
        return Trust::Sourced;
    }
}

/// One column of an entry. `texts[i]` is shown at skill level i + 1; repeat
/// and empty columns hold their one text twenty times, so a viewer fills
/// every kind the same way.
struct Column {
    std::string_view title;
    ColumnKind kind;
    Origin origin;
    std::array<std::string_view, kLevels> texts;
    std::string_view source;  ///< where exact and derived figures come from
    std::string_view version; ///< the game version that source states
    std::string_view note;    ///< how the figures were read; may be empty
    std::string_view doubt;   ///< why they are less certain; may be empty

    [[nodiscard]] constexpr Trust trust() const { return trustOf(origin); }
};

/// The statistics of one skill.
struct Entry {
    std::string_view skillLine; ///< "Current Skill: Fire Bolt"
    std::array<Column, kColumns> columns;
};

/// The ten entries of a tree, by skill index.
using TreeTable = std::array<Entry, kEntriesPerTree>;

/// A row of the dispatch from tree to table, named after the table operation
/// that fills the viewer for that tree.
struct TableOperation {
    model::TreeId tree;
    std::string_view operation; ///< "Sorc_Fire"
    const TreeTable* table;
};

/// The fifteen rows, in the order the viewer looks trees up.
std::span<const TableOperation> tableOperations();

/// The entry of `skill`, indexed like its tree's icons; nullptr for a tree
/// outside the fifteen or an index outside 0..9.
const Entry* findEntry(model::SkillRef skill);

/// The number a value text stands for, a range as its two ends:
/// "3- 6" -> {3, 6}, "2.5" -> {2.5, 2.5}, "+1" -> {1, 1}, "-33" -> {-33, -33}.
struct Figure {
    double low;
    double high;
};

/// nullopt for an empty text and for anything outside the value forms
/// ("3- 6", "30", "2.5", "+1", "-33", "0").
std::optional<Figure> parseFigure(std::string_view text);

/// The figures of a column with texts of its own, level by level; nullopt for
/// repeat and empty columns (and for a column with a text that is no figure).
std::optional<std::array<Figure, kLevels>> columnFigures(const Column& column);

} // namespace skillwright::stats
