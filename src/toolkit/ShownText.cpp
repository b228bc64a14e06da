#include "ShownText.h"

namespace skillwright::toolkit {

namespace {

constexpr std::string_view kEllipsis = "\xE2\x80\xA6"; // U+2026

bool continuesCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0u) == 0x80u;
}

} // namespace

std::string shortenedText(std::string_view text, std::size_t maxCharacters) {
    if (maxCharacters == 0) {
        return {};
    }
    std::size_t characters = 0;
    std::size_t keptEnd = 0; // the end of the first maxCharacters - 1 characters
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (continuesCharacter(text[i])) {
            continue;
        }
        if (characters == maxCharacters - 1) {
            keptEnd = i;
        }
        if (++characters > maxCharacters) {
            return std::string(text.substr(0, keptEnd)) + std::string(kEllipsis);
        }
    }
    return std::string(text);
}

std::string boundedMessage(std::string_view text) {
    std::string out;
    for (std::size_t lines = 0; !text.empty(); ++lines) {
        if (lines == kMaxShownLines) {
            out += kEllipsis;
            break;
        }
        const std::size_t newline = text.find('\n');
        const std::size_t end = newline == std::string_view::npos ? text.size() : newline + 1;
        std::string_view line = text.substr(0, newline == std::string_view::npos ? end : newline);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        out += shortenedText(line, kMaxShownLineCharacters);
        out += text.substr(line.size(), end - line.size());
        text.remove_prefix(end);
    }
    return out;
}

} // namespace skillwright::toolkit
