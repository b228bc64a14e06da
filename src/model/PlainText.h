#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

/// Plain text as files and codes hold it: UTF-8 read a character at a time,
/// and lines.
namespace skillwright::model {

/// A character read from the front of UTF-8 text.
struct Utf8Character {
    char32_t code = 0;
    std::size_t length = 0; ///< its bytes, 1 to 4
};

/// The character of valid UTF-8 at the front of `text`; none when the text is
/// empty or starts otherwise: a byte that begins no character, one cut short,
/// an overlong form, a surrogate or a code beyond U+10FFFF.
std::optional<Utf8Character> leadingUtf8Character(std::string_view text);

/// Whether `text` is valid UTF-8 all through.
bool isValidUtf8(std::string_view text);

/// Whether `code` is a control character: C0, DEL or C1.
[[nodiscard]] constexpr bool isControlCharacter(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

/// What ends a line.
enum class LineEnd : std::uint8_t {
    Lf,       ///< LF alone; a CR before it is the line's
    CrLfOrLf, ///< CR LF or LF alone
};

/// The lines of `text` without their ends; none when its last line has no
/// end. An empty text has no lines.
std::optional<std::vector<std::string_view>> splitLines(std::string_view text, LineEnd end);

} // namespace skillwright::model
