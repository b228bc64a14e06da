// The report's text: its two layouts, pinned here once for every suite, and
// the encodings a report may be read in.
#include "PlanMaker.h"

#include <report/ReportReader.h>
#include <report/ReportText.h>

#include <gtest/gtest.h>

namespace skillwright::report {
namespace {

using model::TreeId;

/// The lines, each ended by CR LF.
std::string crlfLines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text.append(line).append("\r\n");
    }
    return text;
}

TEST(ReportText, anEmptyCharacterAndAHistoryOfEveryKindOfEntryAreLaidOutLineByLine) {
    const std::string_view rule = "---------------------------------------------";
    model::Build build;
    build.startCharacter(model::ClassId::Necromancer);
    EXPECT_EQ(reportText(testing::planOf(build, "Hero")),
              crlfLines({"No Skills selected, Empty character", "", "Hero", "Class: Necromancer", "Level: 1",
                         rule, "", "Clvl 1 Slvl 0: Starting Level", "", "", rule}));
    build.click(TreeId::NecromancerPoisonBone, 0);
    const model::SkillRef teeth{TreeId::NecromancerPoisonBone, 0};
    build.reservePoint();
    build.useReservedPoint(teeth);
    build.takeQuestPoint(model::Quest::DenOfEvil, teeth);
    build.takeQuestPoint(model::Quest::BookOfSkill, teeth);
    build.takeQuestPoint(model::Quest::Izual, teeth);
    EXPECT_EQ(reportText(testing::planOf(build, "Bones")),
              crlfLines({"Bones", "Class: Necromancer", "Level: 3", rule, "", "Clvl 1 Slvl 0: Starting Level",
                         "Clvl 2 Slvl 1: Teeth", "Clvl 3 Reserved For Later ", "Reserved Slvl 2: Teeth",
                         "Den Of Evil: Normal Slvl 3: Teeth", "Book of Skill: Normal Slvl 4: Teeth",
                         "Izual Quest Point:(1) Normal Slvl 5: Teeth", "", rule}));
}

// Reports are written in UTF-8; one that is not valid UTF-8 (saved before,
// in Latin-1) is read as Latin-1.
TEST(ReportEncoding, validUtf8StaysAndAnythingElseIsReadAsLatin1) {
    const std::pair<std::string, std::string> cases[] = {
        {"J\xC3\xBCrgen", "J\xC3\xBCrgen"}, // valid: kept
        {"J\xFCrgen", "J\xC3\xBCrgen"},     // Latin-1
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},   // overlong form: Latin-1
    };
    for (const auto& [bytes, utf8] : cases) {
        EXPECT_EQ(asUtf8(bytes), utf8) << bytes;
    }
}

} // namespace
} // namespace skillwright::report
