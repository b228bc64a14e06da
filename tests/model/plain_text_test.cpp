// Plain text: which bytes are UTF-8 and what a character is, and lines.
#include <model/PlainText.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace skillwright::model {
namespace {

TEST(PlainText, utf8IsReadACharacterAtATimeAndNothingElsePasses) {
    const struct {
        std::string text;
        char32_t first; ///< the first character's code; 0: none
        std::size_t length;
        bool valid;
    } cases[] = {
        {"Jürgen", U'J', 1, true},
        {"\xC3\xBCrgen", U'ü', 2, true},
        {"\xE6\x97\xA5\xE6\x9C\xAC", U'日', 3, true},
        {"\xF0\x9F\x97\xA1", U'🗡', 4, true},
        {"\xF4\x8F\xBF\xBF", 0x10FFFF, 4, true},
        {"\x7F\xC2\x80", 0x7F, 1, true},
        {"", 0, 0, true},
        {"\xFC", 0, 0, false},             // Latin-1
        {"\xFF", 0, 0, false},             // no lead byte
        {"\xBC", 0, 0, false},             // a continuation first
        {"\xC3", 0, 0, false},             // cut short
        {"\xE6\x97", 0, 0, false},         // cut short
        {"\xC3(", 0, 0, false},            // no continuation
        {"\xC0\xAF", 0, 0, false},         // overlong in two bytes
        {"\xE0\x82\x80", 0, 0, false},     // U+0080 overlong in three bytes
        {"\xF0\x8F\xBF\xBF", 0, 0, false}, // U+FFFF overlong in four bytes
        {"\xED\xA0\x80", 0, 0, false},     // a surrogate
        {"\xF4\x90\x80\x80", 0, 0, false}, // beyond U+10FFFF
        {"\xF5\x80\x80\x80", 0, 0, false}, // no lead byte
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto character = leadingUtf8Character(c.text);
        EXPECT_EQ(character ? character->code : 0, c.first);
        EXPECT_EQ(character ? character->length : 0, c.length);
        EXPECT_EQ(isValidUtf8(c.text), c.valid);
        EXPECT_FALSE(isValidUtf8("ok " + c.text + "\xC3")) << "cut short at the end";
    }
}

TEST(PlainText, controlCharactersAreC0DelAndC1) {
    for (const char32_t code : {0x00, 0x09, 0x0A, 0x1F, 0x7F, 0x80, 0x85, 0x9F}) {
        EXPECT_TRUE(isControlCharacter(code)) << static_cast<std::uint32_t>(code);
    }
    for (const char32_t code : {0x20, 0x7E, 0xA0, 0xFC, 0x2028, 0x10FFFF}) {
        EXPECT_FALSE(isControlCharacter(code)) << static_cast<std::uint32_t>(code);
    }
}

TEST(PlainText, linesEndWithAFeedOrACarriageReturnAndAFeed) {
    using Lines = std::vector<std::string_view>;
    const struct {
        const char* text;
        std::optional<Lines> lf;
        std::optional<Lines> crLf;
    } cases[] = {
        {"", Lines{}, Lines{}},
        {"\n", Lines{""}, Lines{""}},
        {"a\nb\n", Lines{"a", "b"}, Lines{"a", "b"}},
        {"a\r\nb\n", Lines{"a\r", "b"}, Lines{"a", "b"}},
        {"a\r\r\n\n", Lines{"a\r\r", ""}, Lines{"a\r", ""}},
        {"a\rb\n", Lines{"a\rb"}, Lines{"a\rb"}},
        {"a\nb", std::nullopt, std::nullopt},
        {"a\r", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(splitLines(c.text, LineEnd::Lf), c.lf);
        EXPECT_EQ(splitLines(c.text, LineEnd::CrLfOrLf), c.crLf);
    }
}

} // namespace
} // namespace skillwright::model
