#include <toolkit/ShownText.h>

#include <gtest/gtest.h>

#include <string>

namespace skillwright::toolkit {
namespace {

const std::string kEllipsis = "\xE2\x80\xA6";

TEST(ShownText, aLongTextIsCutAtACharacterWithAVisibleEllipsis) {
    const struct {
        std::string text;
        std::size_t most;
        std::string shown;
    } cases[] = {
        {"Fire Bolt", 9, "Fire Bolt"},
        {"Fire Bolt", 8, "Fire Bo" + kEllipsis},
        {"", 5, ""},
        {"abc", 0, ""},
        // Characters, not bytes: "é" is two bytes and one character.
        {"Caf\xC3\xA9", 4, "Caf\xC3\xA9"},
        {"Caf\xC3\xA9s", 4, "Caf" + kEllipsis},
        {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", 2, "\xE6\x97\xA5" + kEllipsis},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shortenedText(c.text, c.most), c.shown) << c.text << " to " << c.most;
    }
}

// A name from outside cannot reorder, break or crowd out the words around it.
TEST(ShownText, aQuotedNameLosesWhatWouldReorderOrBreakTheMessage) {
    const struct {
        std::string text;
        std::size_t most;
        std::string shown;
    } cases[] = {
        {"\xE2\x80\xAE"
         "stniop 5",
         20, "stniop 5"}, // right-to-left override
        {"a\xE2\x81\xA7"
         "b\xE2\x81\xA9"
         "c\xE2\x80\x8F\xD8\x9C",
         20, "abc"}, // isolate, marks
        {"one\xE2\x80\xA8two\xE2\x80\xA9three\r\n\xC2\x85", 20, "one two three   "},
        {std::string(1000000, 'n'), 4, "nnn" + kEllipsis},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(quotedText(c.text, c.most), c.shown) << c.text;
    }
}

TEST(ShownText, aMessageKeepsItsLineEndsAndIsBoundedInLinesAndWidth) {
    const std::string line120(120, 'w');
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"Line 8: Clvl 3\r\nWhy.", "Line 8: Clvl 3\r\nWhy."},
        {"one\ntwo\n", "one\ntwo\n"},
        {line120 + "w\r\nshort", std::string(119, 'w') + kEllipsis + "\r\nshort"},
        {[] {
             std::string many;
             for (int i = 0; i < 40; ++i) {
                 many += "x\n";
             }
             return many;
         }(),
         [] {
             std::string thirty;
             for (int i = 0; i < 30; ++i) {
                 thirty += "x\n";
             }
             return thirty + "\xE2\x80\xA6";
         }()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(boundedMessage(c.text), c.shown) << c.text;
    }
}

} // namespace
} // namespace skillwright::toolkit
