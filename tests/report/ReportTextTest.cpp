#include <report/ReportText.h>

#include <gtest/gtest.h>

namespace skillwright::report {
namespace {

TEST(ReportText, historyEntriesFollowTheStartingLineVerbatim) {
    const std::string text =
        buildReportText("Hero", "Necromancer", 2,
                        {{model::EntryKind::Ordinary, 2, 1, 0, {model::TreeId::NecroBone, 0}},
                         {model::EntryKind::ReservedForLater, 3, 0, 0, {}}});
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

TEST(Latin1, convertsWhatFitsAndMarksTheRest) {
    struct Case {
        std::string utf8;
        std::string latin1;
    };
    const Case cases[] = {
        {"Hero", "Hero"},
        {"J\xC3\xBCrgen", "J\xFCrgen"}, // U+00FC fits
        {"\xC3\xBF", "\xFF"},           // U+00FF, the last that fits
        {"\xC4\x80", "?"},              // U+0100
        {"\xE2\x82\xAC"
         "5",
         "?5"},                      // euro sign
        {"\xF0\x9F\x98\x80!", "?!"}, // four-byte character
        {"a\xFF"
         "b",
         "a?b"},       // a byte that starts nothing
        {"\xC3", "?"}, // cut short at the end
        {"\xC3"
         "A",
         "?A"},                  // missing continuation
        {"\xC0\xAF", "??"},      // overlong two-byte form
        {"\xE0\x80\xAF", "???"}, // overlong three-byte form
        {"\xED\xA0\x80", "???"}, // surrogate
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toLatin1(c.utf8), c.latin1) << c.utf8;
    }
}

} // namespace
} // namespace skillwright::report
