// Build-time tool: turns the statistics file (tables.tsv, one line per column
// of a skill) into C++ source that defines the fifteen tree tables.
//
//   sw_stats_tablegen <tables.tsv> <output.cpp>
//
// It refuses a file that does not hold exactly fifteen trees of ten skills of
// four columns each, in order, a text outside the value forms, or a column
// with figures of its own whose origin is unknown or whose source and version
// are missing (or given where there is no source), and names the offending
// line, so a slip in the data stops the build instead of reaching the viewer.
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kLevels = 20;
constexpr int kColumns = 4;
constexpr int kSkills = 10;

const std::set<std::string> kTreeCodes{"AmazonBC",   "AmazonJS",   "AmazonPM",   "BarBarCM",    "BarBarCS",
                                       "BarBarWC",   "NecroBone",  "NecroCurse", "NecroSummon", "PaladinCom",
                                       "PaladinDef", "PaladinOff", "SorcCold",   "SorcFire",    "SorcLight"};

const std::set<std::string> kTags{"from", "version", "note", "doubt"};
const std::map<std::string, std::string> kOrigins{
    {"exact", "Exact"}, {"derived", "Derived"}, {"inferred", "Inferred"}, {"estimate", "Estimate"}};

struct ColumnLine {
    int lineNumber = 0;
    std::string tree;
    int index = 0;
    std::string skill;
    int column = 0;
    std::string kind;
    std::string source;
    std::string title;
    std::vector<std::string> texts;
    std::map<std::string, std::string> tagged; ///< "from", "version", "note", "doubt"
};

struct Failure {
    std::string message;
};

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

bool allDigits(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

// "30", "2.5", "-33"
bool isNumber(std::string s) {
    if (!s.empty() && s.front() == '-') {
        s.erase(0, 1);
    }
    const std::size_t dot = s.find('.');
    if (dot == std::string::npos) {
        return allDigits(s);
    }
    return allDigits(s.substr(0, dot)) && s.size() == dot + 2 && allDigits(s.substr(dot + 1));
}

// The display forms: "3- 6", "30", "2.5", "+1", "-33", "0".
bool isValueText(const std::string& s) {
    if (const std::size_t dash = s.find("- "); dash != std::string::npos) {
        return allDigits(s.substr(0, dash)) && allDigits(s.substr(dash + 2));
    }
    if (!s.empty() && s.front() == '+') {
        return allDigits(s.substr(1));
    }
    return isNumber(s);
}

Failure lineFailure(int lineNumber, const std::string& what) {
    return Failure{"line " + std::to_string(lineNumber) + ": " + what};
}

/// Moves what follows an own column's twenty texts into `c.tagged`: what
/// the viewer tells of the column, each field led by its tag.
void readTaggedFields(ColumnLine& c) {
    for (std::size_t i = kLevels; i < c.texts.size(); ++i) {
        const std::string& field = c.texts[i];
        const std::size_t colon = field.find(": ");
        const std::string tag = field.substr(0, colon);
        if (colon == std::string::npos || kTags.count(tag) == 0 || colon + 2 == field.size()) {
            throw lineFailure(c.lineNumber,
                              "'" + field +
                                  "' is no value text and no \"from: \", \"version: \", \"note: \" or "
                                  "\"doubt: \" field, or there are more than 20 texts");
        }
        if (!c.tagged.emplace(tag, field.substr(colon + 2)).second) {
            throw lineFailure(c.lineNumber, "a second \"" + tag + ": \" field");
        }
    }
    c.texts.resize(kLevels);
}

/// A column with figures of its own: twenty value texts, a known origin, and
/// a source and version exactly when the origin is a source.
void readOwnColumn(ColumnLine& c) {
    if (c.texts.size() < kLevels) {
        throw lineFailure(c.lineNumber,
                          "an own column needs 20 texts, found " + std::to_string(c.texts.size()));
    }
    readTaggedFields(c);
    if (kOrigins.count(c.source) == 0) {
        throw lineFailure(c.lineNumber, "source must be exact, derived, inferred or estimate");
    }
    const bool sourced = c.source == "exact" || c.source == "derived";
    if (sourced != (c.tagged.count("from") == 1) || sourced != (c.tagged.count("version") == 1)) {
        throw lineFailure(c.lineNumber,
                          sourced
                              ? "an exact or derived column names its source in \"from: \" and \"version: \""
                              : "only exact and derived columns have \"from: \" and \"version: \"");
    }
    for (const std::string& t : c.texts) {
        if (!isValueText(t)) {
            throw lineFailure(c.lineNumber, "'" + t + "' is not a value text");
        }
    }
}

void checkRepeatColumn(const ColumnLine& c) {
    if (c.texts.size() != 1 || !isValueText(c.texts[0]) || c.source != "-") {
        throw lineFailure(c.lineNumber, "a repeat column holds one value text and source '-'");
    }
}

void checkEmptyColumn(const ColumnLine& c) {
    if (!c.texts.empty() || c.title != "Not Used" || c.source != "-") {
        throw lineFailure(c.lineNumber,
                          "an empty column is titled \"Not Used\", holds no texts and has source '-'");
    }
}

ColumnLine parseLine(const std::string& line, int lineNumber) {
    std::vector<std::string> f = splitTabs(line);
    if (f.size() < 7) {
        throw lineFailure(lineNumber, "expected at least 7 tab-separated fields");
    }
    ColumnLine c;
    c.lineNumber = lineNumber;
    c.tree = f[0];
    c.skill = f[2];
    c.kind = f[4];
    c.source = f[5];
    c.title = f[6];
    c.texts.assign(f.begin() + 7, f.end());
    if (kTreeCodes.count(c.tree) == 0) {
        throw lineFailure(lineNumber, "unknown tree code '" + c.tree + "'");
    }
    if (!allDigits(f[1]) || !allDigits(f[3])) {
        throw lineFailure(lineNumber, "skill index and column must be numbers");
    }
    c.index = std::stoi(f[1]);
    c.column = std::stoi(f[3]);
    if (c.kind == "own") {
        readOwnColumn(c);
    } else if (c.kind == "repeat") {
        checkRepeatColumn(c);
    } else if (c.kind == "empty") {
        checkEmptyColumn(c);
    } else {
        throw lineFailure(lineNumber, "kind must be own, repeat or empty");
    }
    return c;
}

std::string literal(const std::string& s) {
    std::string out = "\"";
    for (const char ch : s) {
        if (ch == '"' || ch == '\\') {
            out += '\\';
        }
        out += ch;
    }
    return out + '"';
}

std::string columnSource(const ColumnLine& c) {
    std::ostringstream out;
    const char* kind = c.kind == "own" ? "Own" : c.kind == "repeat" ? "Repeat" : "Empty";
    const std::string origin = c.kind == "own" ? kOrigins.at(c.source) : "Listed";
    out << "        Column{" << literal(c.title) << ", ColumnKind::" << kind << ", Origin::" << origin
        << ", {";
    for (int level = 0; level < kLevels; ++level) {
        const std::string text = c.kind == "own"      ? c.texts[static_cast<std::size_t>(level)]
                                 : c.kind == "repeat" ? c.texts[0]
                                                      : std::string();
        out << (level == 0 ? "" : ", ") << literal(text);
    }
    out << "}";
    for (const char* tag : {"from", "version", "note", "doubt"}) {
        const auto field = c.tagged.find(tag);
        out << ", " << literal(field == c.tagged.end() ? std::string() : field->second);
    }
    out << "},\n";
    return out.str();
}

/// The lines of one tree, checked for ten skills of four columns in order.
std::string treeSource(const std::string& tree, const std::vector<ColumnLine>& lines) {
    if (lines.size() != kSkills * kColumns) {
        throw Failure{tree + ": expected 40 lines, found " + std::to_string(lines.size())};
    }
    std::ostringstream out;
    out << "const TreeTable " << tree << "{{\n";
    for (int skill = 0; skill < kSkills; ++skill) {
        const ColumnLine& first = lines[static_cast<std::size_t>(skill * kColumns)];
        out << "    Entry{" << literal("Current Skill: " + first.skill) << ", {{\n";
        for (int column = 0; column < kColumns; ++column) {
            const ColumnLine& c = lines[static_cast<std::size_t>(skill * kColumns + column)];
            if (c.index != skill || c.column != column + 1 || c.skill != first.skill) {
                throw Failure{"line " + std::to_string(c.lineNumber) + ": expected " + tree + " skill " +
                              std::to_string(skill) + " column " + std::to_string(column + 1) + " of " +
                              first.skill};
            }
            out << columnSource(c);
        }
        out << "    }}},\n";
    }
    out << "}};\n\n";
    return out.str();
}

std::string generate(std::istream& in) {
    std::vector<std::string> order;
    std::map<std::string, std::vector<ColumnLine>> byTree;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        ColumnLine c = parseLine(line, lineNumber);
        auto& lines = byTree[c.tree];
        if (lines.empty()) {
            order.push_back(c.tree);
        } else if (order.back() != c.tree) {
            throw Failure{"line " + std::to_string(lineNumber) + ": the lines of " + c.tree +
                          " must stand together"};
        }
        lines.push_back(std::move(c));
    }
    if (order.size() != kTreeCodes.size()) {
        throw Failure{"expected 15 trees, found " + std::to_string(order.size())};
    }
    std::string out = "// Written by sw_stats_tablegen from tables.tsv. Do not edit.\n"
                      "#include \"TableData.h\"\n\n"
                      "namespace skillwright::stats::data {\n\n";
    for (const std::string& tree : order) {
        out += treeSource(tree, byTree[tree]);
    }
    return out + "} // namespace skillwright::stats::data\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: sw_stats_tablegen <tables.tsv> <output.cpp>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read\n", argv[1]);
        return 1;
    }
    std::string source;
    try {
        source = generate(in);
    } catch (const Failure& failure) {
        std::fprintf(stderr, "%s: %s\n", argv[1], failure.message.c_str());
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << source;
    if (!out.flush()) {
        std::fprintf(stderr, "%s: cannot write\n", argv[2]);
        return 1;
    }
    return 0;
}
