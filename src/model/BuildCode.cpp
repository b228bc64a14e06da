#include "BuildCode.h"

#include "PlainText.h"

#include <algorithm>
#include <array>

namespace skillwright::model {

namespace {

// ---------------------------------------------------------- the characters

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr int kSymbolBits = 6;

/// The value (0..63) of each character of the alphabet, -1 for any other byte.
constexpr std::array<std::int8_t, 256> kSymbolValues = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
        values[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    }
    return values;
}();

int symbolValue(char c) {
    return kSymbolValues[static_cast<unsigned char>(c)];
}

// ------------------------------------------------------------ the checksum

// CRC-24 (polynomial 0x864CFB, start 0xB704CE), fed six bits at a time, most
// significant first, and written after the text it covers in four characters,
// most significant first. A CRC of degree 24 catches every error that lies
// within 24 consecutive bits, so every changed character.
constexpr std::uint32_t kCrcPolynomial = 0x864CFB;
constexpr std::uint32_t kCrcStart = 0xB704CE;
constexpr std::uint32_t kCrcMask = 0xFFFFFF;
constexpr std::size_t kChecksumSymbols = 4;

constexpr std::array<std::uint32_t, 64> kCrcTable = [] {
    std::array<std::uint32_t, 64> table{};
    for (std::uint32_t s = 0; s < 64; ++s) {
        std::uint32_t crc = s << 18;
        for (int bit = 0; bit < kSymbolBits; ++bit) {
            crc = (crc & 0x800000) != 0 ? ((crc << 1) ^ kCrcPolynomial) & kCrcMask : (crc << 1) & kCrcMask;
        }
        table[s] = crc;
    }
    return table;
}();

std::uint32_t crcStep(std::uint32_t crc, int symbol) {
    return ((crc << kSymbolBits) & kCrcMask) ^
           kCrcTable[((crc >> 18) ^ static_cast<std::uint32_t>(symbol)) & 63];
}

/// The checksum of `text`'s characters, all of them of the alphabet.
std::uint32_t checksumOf(std::string_view text) {
    std::uint32_t crc = kCrcStart;
    for (char c : text) {
        crc = crcStep(crc, symbolValue(c));
    }
    return crc;
}

/// The checksum the last four characters of `code` hold.
std::uint32_t writtenChecksum(std::string_view code) {
    std::uint32_t value = 0;
    for (char c : code.substr(code.size() - kChecksumSymbols)) {
        value = (value << kSymbolBits) | static_cast<std::uint32_t>(symbolValue(c));
    }
    return value;
}

// -------------------------------------------------------------- the format

constexpr std::string_view kPrefix = "SW";
constexpr char kVersion = '1';
/// The same with the plan's attribute plan after its history: written only
/// for a plan that has one, so every other plan's code stays as it was.
constexpr char kVersionWithAttributes = '2';
constexpr std::size_t kHeadSymbols = 3; // "SW" and the version
/// Every format, of any version, begins with the head and ends with the
/// checksum over everything before it.
constexpr std::size_t kShortestAnyCode = kHeadSymbols + kChecksumSymbols;

/// The classes by their number in the code.
constexpr std::array<ClassId, kClassCount> kClassNumbers{
    ClassId::Amazon, ClassId::Barbarian, ClassId::Necromancer, ClassId::Paladin, ClassId::Sorceress};
constexpr int kClassBits = 3;
constexpr int kSkillBits = 5;
constexpr int kSkillsPerClass = 3 * kSkillsPerTree;

/// The entry kinds' prefix code, read bit by bit: 0 ordinary, 10 reserved for
/// later, 110 reserved spent, 11100 Den of Evil, 11101 Book of Skill, 11110
/// Izual, 11111 the end of the history.
struct KindCode {
    std::uint32_t bits;
    int length;
};
constexpr KindCode kindCode(EntryKind kind) {
    switch (kind) {
    case EntryKind::Ordinary:
        return {0b0, 1};
    case EntryKind::ReservedForLater:
        return {0b10, 2};
    case EntryKind::ReservedSpent:
        return {0b110, 3};
    case EntryKind::DenOfEvil:
        return {0b11100, 5};
    case EntryKind::BookOfSkill:
        return {0b11101, 5};
    case EntryKind::Izual:
        return {0b11110, 5};
    }
    return {0b0, 1};
}
constexpr KindCode kEndOfHistory{0b11111, 5};

// The attribute plan (version 2): the number of targets, each target's
// attribute and value, the rest's attribute, and the six quest levels
// (Lam Esen's Tome in Normal, Nightmare, Hell, then the Golden Bird's).
constexpr int kTargetCountBits = 5;
constexpr int kAttributeBits = 2;
constexpr int kTargetValueBits = 10;
constexpr int kQuestLevelBits = 7;
static_assert(kMaxAttributeTargets < (1u << kTargetCountBits));
static_assert(35 + kMostStatPoints < (1 << kTargetValueBits)); // the highest start, every point in it
static_assert(kMaxCharacterLevel < (1 << kQuestLevelBits));

constexpr std::string_view kNotACode = "This is not a build code.";
constexpr std::string_view kNewerFormat =
    "This build code was made by a newer version of Skillwright; this version cannot open it.";
constexpr std::string_view kDamaged =
    "This build code is damaged: a character in it was changed, lost or added.";

// -------------------------------------------------------------------- names

/// The length of the character of valid UTF-8 at the front of `text`, other
/// than a control character; 0 when there is none.
std::size_t nameCharacterLength(std::string_view text) {
    const auto character = leadingUtf8Character(text);
    return character && !isControlCharacter(character->code) ? character->length : 0;
}

/// The part of `name` a code holds: whole characters up to the first that
/// cannot be held, within kMaxBuildCodeName bytes.
std::string_view nameInCode(std::string_view name) {
    std::size_t end = 0;
    while (end < name.size()) {
        const std::size_t length = nameCharacterLength(name.substr(end));
        if (length == 0 || end + length > kMaxBuildCodeName) {
            break;
        }
        end += length;
    }
    return name.substr(0, end);
}

// ------------------------------------------------------------------- writing

class SymbolWriter {
public:
    explicit SymbolWriter(std::string& out) : m_out(out) {}

    void put(std::uint32_t value, int bits) {
        m_buffer = (m_buffer << bits) | (value & ((1u << bits) - 1));
        m_bufferBits += bits;
        while (m_bufferBits >= kSymbolBits) {
            m_bufferBits -= kSymbolBits;
            m_out += kAlphabet[(m_buffer >> m_bufferBits) & 63];
        }
    }
    /// Fills the last character with zero bits.
    void finish() {
        if (m_bufferBits > 0) {
            put(0, kSymbolBits - m_bufferBits);
        }
    }

private:
    std::string& m_out;
    std::uint32_t m_buffer = 0;
    int m_bufferBits = 0;
};

int classNumber(ClassId classId) {
    const auto* found = std::find(kClassNumbers.begin(), kClassNumbers.end(), classId);
    return found == kClassNumbers.end() ? 0 : static_cast<int>(found - kClassNumbers.begin());
}

/// The skill's number in the code: its tree's place on the screen (left 0,
/// middle 1, right 2) times ten plus its index in the tree.
int skillNumber(SkillRef skill) {
    const int index = std::clamp<int>(skill.index, 0, kSkillsPerTree - 1);
    return tree(skill.tree).position * kSkillsPerTree + index;
}

// ------------------------------------------------------------------- reading

class SymbolReader {
public:
    explicit SymbolReader(std::string_view symbols) : m_symbols(symbols), m_bits(symbols.size() * 6) {}

    /// The next `bits` bits; past the end they read as 0 and the reader is overrun.
    std::uint32_t take(int bits) {
        std::uint32_t value = 0;
        for (int i = 0; i < bits; ++i) {
            value = (value << 1) | takeBit();
        }
        return value;
    }
    std::uint32_t takeBit() {
        if (m_position >= m_bits) {
            m_overrun = true;
            return 0;
        }
        const int symbol = symbolValue(m_symbols[m_position / kSymbolBits]);
        const int shift = kSymbolBits - 1 - static_cast<int>(m_position % kSymbolBits);
        ++m_position;
        return (static_cast<std::uint32_t>(symbol) >> shift) & 1u;
    }
    [[nodiscard]] std::size_t remaining() const { return m_overrun ? 0 : m_bits - m_position; }
    [[nodiscard]] bool overrun() const { return m_overrun; }

private:
    std::string_view m_symbols;
    std::size_t m_bits;
    std::size_t m_position = 0;
    bool m_overrun = false;
};

/// The kind of the next entry; none at the end of the history.
std::optional<EntryKind> takeKind(SymbolReader& in) {
    if (in.takeBit() == 0) {
        return EntryKind::Ordinary;
    }
    if (in.takeBit() == 0) {
        return EntryKind::ReservedForLater;
    }
    if (in.takeBit() == 0) {
        return EntryKind::ReservedSpent;
    }
    constexpr std::array<std::optional<EntryKind>, 4> kQuestKinds{
        EntryKind::DenOfEvil, EntryKind::BookOfSkill, EntryKind::Izual, std::nullopt};
    return kQuestKinds[in.take(2)];
}

CodeReading refused(CodeRefusal why) {
    return {std::nullopt, why};
}

bool allOfAlphabet(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return symbolValue(c) >= 0; });
}

/// Whether the checksum at the end of `rest` holds for `head` followed by the
/// rest before it.
bool checksumHolds(std::string_view head, std::string_view rest) {
    if (head.size() + rest.size() < kShortestAnyCode) {
        return false;
    }
    std::uint32_t crc = kCrcStart;
    for (char c : head) {
        crc = crcStep(crc, symbolValue(c));
    }
    for (char c : rest.substr(0, rest.size() - kChecksumSymbols)) {
        crc = crcStep(crc, symbolValue(c));
    }
    return crc == writtenChecksum(rest);
}

/// A text of the alphabet that does not begin with "SW" but is a sound code
/// once one slip at its head is undone: "SW" with a letter changed, lost or
/// added, or two of the first three characters swapped.
bool isCodeWithDamagedHead(std::string_view text) {
    if (text.size() + 1 < kShortestAnyCode || !allOfAlphabet(text)) {
        return false;
    }
    const char first = text[0];
    const char second = text[1];
    const char third = text[2];
    // Each mend: the head it puts back and where the rest of the text starts.
    const struct {
        bool fits;
        std::array<char, 3> head;
        std::size_t headSize;
        std::size_t restFrom;
    } mends[] = {
        {first == 'S' || second == 'W' || (first == 'W' && second == 'S'),
         {'S', 'W'},
         2,
         2},                                                      // changed, swapped
        {first == 'W', {'S'}, 1, 0},                              // S lost
        {first == 'S', {'S', 'W'}, 2, 1},                         // W lost
        {first == 'S' && third == 'W', {'S', 'W', second}, 3, 3}, // W and the version swapped
        {first == 'S' && third == 'W', {'S'}, 1, 2},              // one added after S
        {second == 'S' && third == 'W', {}, 0, 1},                // one added before S
    };
    for (const auto& mend : mends) {
        if (mend.fits && checksumHolds({mend.head.data(), mend.headSize}, text.substr(mend.restFrom))) {
            return true;
        }
    }
    return false;
}

// Every entry takes two bits at least, so no count along the longest text
// the reader takes passes what the entries' fields hold.
static_assert(kMaxBuildCodeText * kSymbolBits / 2 < 32767);

/// Reads the payload of a version-1 code, whose checksum holds.
CodeReading readPayload(std::string_view payload, bool withAttributes) {
    SymbolReader in(payload);
    const std::uint32_t classCode = in.take(kClassBits);
    if (classCode >= kClassNumbers.size()) {
        return refused(CodeRefusal::Damaged);
    }
    Plan plan;
    plan.classId = kClassNumbers[classCode];
    const ClassInfo& info = classInfo(plan.classId);

    // The counted fields, as the history counts them.
    std::int16_t level = 1;
    std::array<std::int16_t, kSkillsPerClass> skillPoints{};
    std::array<std::int16_t, 3> questRounds{};
    while (true) {
        const std::optional<EntryKind> kind = takeKind(in);
        if (in.overrun()) {
            return refused(CodeRefusal::Damaged);
        }
        if (!kind) {
            break;
        }
        HistoryEntry entry;
        entry.kind = *kind;
        if (raisesLevel(*kind)) {
            entry.characterLevel = ++level;
        }
        if (entry.hasSkill()) {
            const std::uint32_t number = in.take(kSkillBits);
            if (in.overrun() || number >= kSkillsPerClass) {
                return refused(CodeRefusal::Damaged);
            }
            entry.skill = {info.trees[number / kSkillsPerTree],
                           static_cast<std::int16_t>(number % kSkillsPerTree)};
            entry.skillPoints = ++skillPoints[number];
        }
        if (isQuestKind(*kind)) {
            const auto quest =
                static_cast<std::size_t>(*kind) - static_cast<std::size_t>(EntryKind::DenOfEvil);
            entry.questRound = ++questRounds[quest];
        }
        plan.history.push_back(entry);
    }
    if (withAttributes) {
        AttributePlan& attributes = plan.attributes;
        const std::uint32_t targets = in.take(kTargetCountBits);
        if (targets > kMaxAttributeTargets) {
            return refused(CodeRefusal::Damaged);
        }
        for (std::uint32_t t = 0; t < targets; ++t) {
            const Attribute attribute = kAttributes[in.take(kAttributeBits)];
            attributes.targets.push_back({attribute, static_cast<int>(in.take(kTargetValueBits))});
        }
        attributes.rest = kAttributes[in.take(kAttributeBits)];
        for (auto* levels : {&attributes.tome, &attributes.goldenBird}) {
            for (std::int16_t& level : *levels) {
                level = static_cast<std::int16_t>(in.take(kQuestLevelBits));
                if (level > kMaxCharacterLevel) {
                    return refused(CodeRefusal::Damaged);
                }
            }
        }
        // Version 2 is written only for a plan that has an attribute plan.
        if (in.overrun() || attributes.empty()) {
            return refused(CodeRefusal::Damaged);
        }
    }

    // The name fills the rest in whole bytes; fewer than six bits of zeros
    // close the last character.
    const std::size_t rest = in.remaining();
    if (rest % 8 >= kSymbolBits || rest / 8 > kMaxBuildCodeName) {
        return refused(CodeRefusal::Damaged);
    }
    std::string& name = plan.name;
    name.resize(rest / 8);
    for (char& c : name) {
        c = static_cast<char>(in.take(8));
    }
    if (in.take(static_cast<int>(rest % 8)) != 0 || nameInCode(name) != name) {
        return refused(CodeRefusal::Damaged);
    }
    return {std::move(plan), CodeRefusal::NotACode};
}

} // namespace

std::string encodeBuildCode(const Plan& plan) {
    const std::string_view name = nameInCode(plan.name);
    std::string code;
    code.reserve(kHeadSymbols + (kClassBits + plan.history.size() * 10 + 5 + name.size() * 8) / 6 +
                 kChecksumSymbols + 1);
    code += kPrefix;
    code += plan.attributes.empty() ? kVersion : kVersionWithAttributes;
    SymbolWriter out(code);
    out.put(static_cast<std::uint32_t>(classNumber(plan.classId)), kClassBits);
    for (const HistoryEntry& entry : plan.history) {
        const KindCode kind = kindCode(entry.kind);
        out.put(kind.bits, kind.length);
        if (entry.hasSkill()) {
            out.put(static_cast<std::uint32_t>(skillNumber(entry.skill)), kSkillBits);
        }
    }
    out.put(kEndOfHistory.bits, kEndOfHistory.length);
    if (!plan.attributes.empty()) {
        const AttributePlan& attributes = plan.attributes;
        const std::size_t targets = std::min(attributes.targets.size(), kMaxAttributeTargets);
        out.put(static_cast<std::uint32_t>(targets), kTargetCountBits);
        for (std::size_t t = 0; t < targets; ++t) {
            out.put(static_cast<std::uint32_t>(attributes.targets[t].attribute), kAttributeBits);
            out.put(static_cast<std::uint32_t>(std::clamp(attributes.targets[t].value, 0, 1023)),
                    kTargetValueBits);
        }
        out.put(static_cast<std::uint32_t>(attributes.rest), kAttributeBits);
        for (const auto* levels : {&attributes.tome, &attributes.goldenBird}) {
            for (const std::int16_t level : *levels) {
                out.put(static_cast<std::uint32_t>(std::clamp<int>(level, 0, kMaxCharacterLevel)),
                        kQuestLevelBits);
            }
        }
    }
    for (char c : name) {
        out.put(static_cast<unsigned char>(c), 8);
    }
    out.finish();
    const std::uint32_t checksum = checksumOf(code);
    for (std::size_t i = kChecksumSymbols; i-- > 0;) {
        code += kAlphabet[(checksum >> (i * kSymbolBits)) & 63];
    }
    return code;
}

std::string_view codeRefusalText(CodeRefusal refusal) {
    switch (refusal) {
    case CodeRefusal::NotACode:
        break;
    case CodeRefusal::NewerFormat:
        return kNewerFormat;
    case CodeRefusal::Damaged:
        return kDamaged;
    }
    return kNotACode;
}

CodeReading decodeBuildCode(std::string_view text) {
    // A clipboard of megabytes is no code: refused on its length alone.
    if (text.size() > kMaxBuildCodeText) {
        return refused(CodeRefusal::NotACode);
    }
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return refused(CodeRefusal::NotACode);
    }
    text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);

    if (!text.starts_with(kPrefix)) {
        return refused(isCodeWithDamagedHead(text) ? CodeRefusal::Damaged : CodeRefusal::NotACode);
    }
    // "SW" and a few letters, or a sentence, is no code; a code with one
    // character changed into another, lost or added is a damaged one.
    const auto foreign = std::count_if(text.begin(), text.end(), [](char c) { return symbolValue(c) < 0; });
    if (text.size() < kShortestAnyCode || foreign > 1) {
        return refused(CodeRefusal::NotACode);
    }
    if (foreign == 1) {
        return refused(CodeRefusal::Damaged);
    }
    const std::string_view covered = text.substr(0, text.size() - kChecksumSymbols);
    if (checksumOf(covered) != writtenChecksum(text)) {
        return refused(CodeRefusal::Damaged);
    }
    const char version = text[kPrefix.size()];
    if (version != kVersion && version != kVersionWithAttributes) {
        return refused(CodeRefusal::NewerFormat);
    }
    return readPayload(covered.substr(kHeadSymbols), version == kVersionWithAttributes);
}

std::string_view codeOfLink(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return text;
    }
    std::string_view link = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    constexpr std::string_view kScheme = "skillwright:";
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (link.size() < kPlanLinkPrefix.size() ||
        !std::equal(kScheme.begin(), kScheme.end(), link.begin(),
                    [&](char a, char b) { return a == lower(b); }) ||
        link.substr(kScheme.size(), kPlanLinkPrefix.size() - kScheme.size()) !=
            kPlanLinkPrefix.substr(kScheme.size())) {
        return text;
    }
    link.remove_prefix(kPlanLinkPrefix.size());
    if (link.ends_with('/')) {
        link.remove_suffix(1);
    }
    return link;
}

} // namespace skillwright::model
