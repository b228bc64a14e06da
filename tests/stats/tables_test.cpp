// The fifteen statistics tables against the list they were made from: every
// skill line, title and repeated text as listed, the column kinds and where
// their figures come from, with their counts, the value forms, the rows that
// are known to the figure (from early sources and carried back from a later
// patch).
#include <stats/StatTables.h>

#include <gtest/gtest.h>

#include <TsvRows.h>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace skillwright::stats;

namespace skillwright::stats {
void PrintTo(Origin origin, std::ostream* out) {
    static constexpr const char* kNames[] = {"Listed", "Exact", "Derived", "Inferred", "Estimate"};
    *out << kNames[static_cast<int>(origin)];
}
void PrintTo(Trust trust, std::ostream* out) {
    static constexpr const char* kNames[] = {"Sourced", "Inferred", "Estimate"};
    *out << kNames[static_cast<int>(trust)];
}
} // namespace skillwright::stats

namespace {

const Entry& entryOf(std::string_view tree, int index) {
    const auto id = skillwright::model::treeByCode(tree);
    EXPECT_TRUE(id.has_value()) << tree;
    const Entry* entry = id ? findEntry({*id, static_cast<std::int16_t>(index)}) : nullptr;
    EXPECT_NE(entry, nullptr) << tree << " " << index;
    static const Entry kNothing{};
    return entry != nullptr ? *entry : kNothing;
}

std::vector<std::string> texts(std::string_view tree, int index, int column) {
    const auto& cells = entryOf(tree, index).columns[static_cast<std::size_t>(column - 1)].texts;
    return {cells.begin(), cells.end()};
}

// ---------------------------------------------------------------- shape

// Every entry against the list it was typed from (listed_entries.tsv): its
// skill line, and each column's title and kind: a title alone for figures of
// its own, "title => text" for one text in every row, or "Not Used".
TEST(StatTables, everySkillLineTitleAndRepeatedTextIsAsListed) {
    const auto rows = skillwright::testing::readTsvRows(SKILLWRIGHT_LISTED_ENTRIES);
    ASSERT_EQ(rows.size(), 150u);
    for (const std::vector<std::string>& f : rows) {
        ASSERT_EQ(f.size(), 7u) << f.front();
        const Entry& entry = entryOf(f[0], std::stoi(f[1]));
        EXPECT_EQ(entry.skillLine, "Current Skill: " + f[2]) << f[0] << f[1];
        for (std::size_t c = 0; c < 4; ++c) {
            const std::string& listed = f[3 + c];
            const Column& got = entry.columns[c];
            const std::string where = f[0] + " " + f[1] + " " + f[2] + " column " + std::to_string(c + 1);
            const auto arrow = listed.find(" => ");
            if (listed == "Not Used") {
                EXPECT_EQ(got.kind, ColumnKind::Empty) << where;
                EXPECT_EQ(got.title, "Not Used") << where;
            } else if (arrow != std::string::npos) {
                EXPECT_EQ(got.kind, ColumnKind::Repeat) << where;
                EXPECT_EQ(got.title, listed.substr(0, arrow)) << where;
                EXPECT_EQ(std::vector<std::string>(got.texts.begin(), got.texts.end()),
                          std::vector<std::string>(kLevels, listed.substr(arrow + 4)))
                    << where;
            } else {
                EXPECT_EQ(got.kind, ColumnKind::Own) << where;
                EXPECT_EQ(got.title, listed == "\"\"" ? "" : listed) << where;
            }
        }
    }
}

TEST(StatTables, columnKindsAddUpAndEachKindFillsItsRowsAsItShould) {
    // Value forms: a range "3- 6", a whole number "30" (or "-33"), one decimal
    // "2.5", a bonus "+1".
    const std::regex valueForm(R"(\d+- \d+|-?\d+|-?\d+\.\d|\+\d+)");
    int entries = 0;
    int own = 0;
    int repeated = 0;
    int empty = 0;
    std::map<Origin, int> origins;
    for (const TableOperation& row : tableOperations()) {
        for (const Entry& entry : *row.table) {
            ++entries;
            for (const Column& column : entry.columns) {
                const std::string where = std::string(entry.skillLine) + " / " + std::string(column.title);
                switch (column.kind) {
                case ColumnKind::Own:
                    ++own;
                    ++origins[column.origin];
                    EXPECT_NE(column.origin, Origin::Listed) << where;
                    // A source is named, with the version it states, exactly
                    // where the figures come from one.
                    EXPECT_EQ(!column.source.empty(), column.trust() == Trust::Sourced) << where;
                    EXPECT_EQ(!column.version.empty(), column.trust() == Trust::Sourced) << where;
                    EXPECT_NE(column.title, "Not Used") << where;
                    for (const std::string_view text : column.texts) {
                        EXPECT_TRUE(std::regex_match(std::string(text), valueForm))
                            << where << ": '" << text << "'";
                    }
                    break;
                case ColumnKind::Repeat:
                    ++repeated;
                    EXPECT_EQ(column.origin, Origin::Listed) << where;
                    EXPECT_TRUE(std::regex_match(std::string(column.texts[0]), valueForm)) << where;
                    for (const std::string_view text : column.texts) {
                        EXPECT_EQ(text, column.texts[0]) << where;
                    }
                    break;
                case ColumnKind::Empty:
                    ++empty;
                    EXPECT_EQ(column.origin, Origin::Listed) << where;
                    EXPECT_EQ(column.title, "Not Used") << where;
                    for (const std::string_view text : column.texts) {
                        EXPECT_EQ(text, "") << where;
                    }
                    break;
                }
            }
        }
    }
    EXPECT_EQ(entries, 150);
    EXPECT_EQ(own, 317);
    EXPECT_EQ(repeated, 83);
    EXPECT_EQ(empty, 200);
    EXPECT_EQ(
        origins,
        (std::map<Origin, int>{
            {Origin::Exact, 36}, {Origin::Derived, 29}, {Origin::Inferred, 149}, {Origin::Estimate, 103}}));
}

// ---------------------------------------------------------------- known rows

// Columns as listed or as their sources give them, each row's 20 texts joined
// by commas.
TEST(StatTables, knownColumnsReadAsListed) {
    const struct {
        const char* tree;
        int index;
        int column;
        const char* rows;
    } known[] = {
        {"SorcFire", 0, 1,
         "3- 6,4- 7,6- 9,7- 10,9- 12,10- 13,12- 15,13- 16,15- 18,16- 19,"
         "18- 21,19- 22,21- 24,22- 25,24- 27,25- 28,27- 30,28- 31,30- 33,31- 34"},
        {"AmazonBC", 0, 2, "1.5,1.3,1.2,1.1,1.0,0.8,0.7,0.6,0.5,0.3,0.2,0.1,0,0,0,0,0,0,0,0"},
        // From a start and a step the sources state.
        {"NecroSummon", 3, 2, "6,11,14,17,20,22,23,25,26,27,28,29,30,30,31,32,32,33,33,33"},
        {"SorcLight", 1, 1,
         "5.3,7.3,9.3,11.3,13.3,15.3,17.3,19.3,21.3,23.3,25.3,27.3,29.3,31.3,33.3,35.3,37.3,39.3,41.3,43.3"},
        // The source stops at level 19; level 20 is patch 1.10's.
        {"NecroSummon", 2, 1,
         "100,135,170,205,240,275,310,345,380,415,450,485,520,555,590,625,660,695,730,765"},
        // Carried back from patch 1.10, damage by its step of levels 1 to 8.
        {"SorcFire", 2, 1,
         "12- 25,21- 34,31- 43,40- 53,50- 62,59- 71,68- 81,78- 90,87- 100,96- 109,"
         "106- 118,115- 128,125- 137,134- 146,143- 156,153- 165,162- 175,171- 184,181- 193,190- 203"},
    };
    for (const auto& k : known) {
        std::vector<std::string> rows;
        std::stringstream joined(k.rows);
        for (std::string row; std::getline(joined, row, ',');) {
            rows.push_back(row);
        }
        EXPECT_EQ(texts(k.tree, k.index, k.column), rows)
            << k.tree << " " << k.index << " column " << k.column;
    }
}

// Every column from a source, and every one carried back from a later patch,
// at levels 1, 10 and 20 against the figures typed from their tables
// (sourced_rows.tsv, inferred_rows.tsv): a figure mistyped anywhere in those
// columns, or a column of the wrong kind, shows here.
TEST(StatTables, sourcedAndInferredColumnsReadAsTheirTablesAtLevelsOneTenAndTwenty) {
    const struct {
        const char* file;
        Trust trust;
        int columns;
    } lists[] = {{SKILLWRIGHT_SOURCED_ROWS, Trust::Sourced, 65},
                 {SKILLWRIGHT_INFERRED_ROWS, Trust::Inferred, 149}};
    for (const auto& list : lists) {
        int rows = 0;
        for (const std::vector<std::string>& f : skillwright::testing::readTsvRows(list.file)) {
            ASSERT_EQ(f.size(), 7u) << f.front();
            const std::vector<std::string> cells = texts(f[0], std::stoi(f[1]), std::stoi(f[2]));
            const std::size_t levels[] = {0, 9, 19};
            for (std::size_t n = 0; n < 3; ++n) {
                if (f[4 + n] != "?") {
                    EXPECT_EQ(cells[levels[n]], f[4 + n])
                        << f[3] << " column " << f[2] << " level " << levels[n] + 1;
                }
            }
            const Column& column = entryOf(f[0], std::stoi(f[1])).columns[std::stoul(f[2]) - 1];
            EXPECT_EQ(column.trust(), list.trust) << f[3] << " column " << f[2];
            ++rows;
        }
        EXPECT_EQ(rows, list.columns) << list.file;
    }
}

// ---------------------------------------------------------------- figures

struct FigureCase {
    std::string_view text;
    std::optional<std::pair<double, double>> figure;
};

TEST(StatTables, figuresOfTheValueForms) {
    using P = std::pair<double, double>;
    const std::vector<FigureCase> cases{
        {"3- 6", P{3, 6}},        {"100- 110", P{100, 110}}, {"30", P{30, 30}},      {"0", P{0, 0}},
        {"2.5", P{2.5, 2.5}},     {"13.3", P{13.3, 13.3}},   {"+1", P{1, 1}},        {"+20", P{20, 20}},
        {"-33", P{-33, -33}},     {"-0.5", P{-0.5, -0.5}},   {"", std::nullopt},     {"3-6", std::nullopt},
        {"3 - 6", std::nullopt},  {"3- ", std::nullopt},     {"- 6", std::nullopt},  {"2.", std::nullopt},
        {".5", std::nullopt},     {"1.25", std::nullopt},    {"+1.5", std::nullopt}, {"+", std::nullopt},
        {"1.5- 3", std::nullopt}, {"abc", std::nullopt},     {"30%", std::nullopt},  {" 30", std::nullopt}};
    for (const FigureCase& c : cases) {
        const auto figure = parseFigure(c.text);
        if (c.figure) {
            ASSERT_TRUE(figure.has_value()) << "'" << c.text << "'";
            EXPECT_DOUBLE_EQ(figure->low, c.figure->first) << c.text;
            EXPECT_DOUBLE_EQ(figure->high, c.figure->second) << c.text;
        } else {
            EXPECT_FALSE(figure.has_value()) << "'" << c.text << "'";
        }
    }
}

} // namespace
