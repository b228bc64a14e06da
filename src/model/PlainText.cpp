#include "PlainText.h"

#include <array>

namespace skillwright::model {

std::optional<Utf8Character> leadingUtf8Character(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return Utf8Character{lead, 1};
    }
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return std::nullopt;
    }
    if (text.size() < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u) {
            return std::nullopt;
        }
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    constexpr std::array<char32_t, 5> kLeast{0, 0, 0x80, 0x800, 0x10000};
    const bool overlong = code < kLeast[length];
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (overlong || surrogate || code > 0x10FFFF) {
        return std::nullopt;
    }
    return Utf8Character{code, length};
}

bool isValidUtf8(std::string_view text) {
    while (!text.empty()) {
        const auto character = leadingUtf8Character(text);
        if (!character) {
            return false;
        }
        text.remove_prefix(character->length);
    }
    return true;
}

std::optional<std::vector<std::string_view>> splitLines(std::string_view text, LineEnd end) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t feed = text.find('\n');
        if (feed == std::string_view::npos) {
            return std::nullopt;
        }
        std::string_view line = text.substr(0, feed);
        if (end == LineEnd::CrLfOrLf && line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text.remove_prefix(feed + 1);
    }
    return lines;
}

} // namespace skillwright::model
