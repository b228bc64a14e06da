#include <report/ReportReader.h>
#include <report/ReportText.h>

#include <gtest/gtest.h>

namespace skillwright::report {
namespace {

TEST(ReportText, historyEntriesFollowTheStartingLineVerbatim) {
    const std::string text =
        reportText({model::ClassId::Necromancer,
                    {{model::EntryKind::Ordinary, 2, 1, 0, {model::TreeId::NecromancerPoisonBone, 0}},
                     {model::EntryKind::ReservedForLater, 3, 0, 0, {}}},
                    "Hero"});
    EXPECT_EQ(text, "Hero\r\n"
                    "Class: Necromancer\r\n"
                    "Level: 3\r\n"
                    "---------------------------------------------\r\n"
                    "\r\n"
                    "Clvl 1 Slvl 0: Starting Level\r\n"
                    "Clvl 2 Slvl 1: Teeth\r\n"
                    "Clvl 3 Reserved For Later \r\n"
                    "\r\n"
                    "---------------------------------------------\r\n");
}

// Reports are written in UTF-8; one that is not valid UTF-8 (saved before,
// in Latin-1) is read as Latin-1.
TEST(ReportEncoding, validUtf8StaysAndAnythingElseIsReadAsLatin1) {
    struct Case {
        std::string bytes;
        std::string utf8;
    };
    const Case cases[] = {
        {"Hero", "Hero"},
        {"J\xC3\xBCrgen", "J\xC3\xBCrgen"},                                               // valid: kept
        {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"}, // Japanese
        {"J\xFCrgen", "J\xC3\xBCrgen"},                                                   // Latin-1
        {"\xFF", "\xC3\xBF"},
        {"\xC3", "\xC3\x83"},                         // cut short: Latin-1
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},             // overlong form: Latin-1
        {"\xE0\x82\x80", "\xC3\xA0\xC2\x82\xC2\x80"}, // U+0080 overlong in three bytes: Latin-1
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"}, // surrogate: Latin-1
    };
    for (const Case& c : cases) {
        EXPECT_EQ(asUtf8(c.bytes), c.utf8) << c.bytes;
    }
}

} // namespace
} // namespace skillwright::report
