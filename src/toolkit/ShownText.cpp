#include "ShownText.h"

#include <algorithm>
#include <cstdint>

namespace skillwright::toolkit {

namespace {

constexpr std::string_view kEllipsis = "\xE2\x80\xA6"; // U+2026

bool continuesCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0u) == 0x80u;
}

/// What the character at the start of `text` (UTF-8) is to a quote.
enum class InQuote : std::uint8_t { Kept, Dropped, Space };

InQuote inQuote(std::string_view text) {
    const auto byte = [&text](std::size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
    };
    const unsigned first = byte(0);
    if (first < 0x20 || first == 0x7F) {
        return InQuote::Space;
    }
    if (first == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F) {
        return InQuote::Space; // C1 controls, the next line among them
    }
    if (first == 0xD8 && byte(1) == 0x9C) {
        return InQuote::Dropped; // U+061C, the Arabic letter mark
    }
    if (first == 0xE2 && byte(1) == 0x80) {
        const unsigned third = byte(2);
        if (third == 0xA8 || third == 0xA9) {
            return InQuote::Space; // line and paragraph separators
        }
        if (third == 0x8E || third == 0x8F || (third >= 0xAA && third <= 0xAE)) {
            return InQuote::Dropped; // marks, embeddings and overrides
        }
    }
    if (first == 0xE2 && byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9) {
        return InQuote::Dropped; // isolates
    }
    return InQuote::Kept;
}

} // namespace

std::string quotedText(std::string_view text, std::size_t maxCharacters) {
    std::string plain;
    plain.reserve(std::min(text.size(), maxCharacters * 4 + 4));
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size() && characters <= maxCharacters;) {
        std::size_t length = 1;
        while (i + length < text.size() && continuesCharacter(text[i + length])) {
            ++length;
        }
        switch (inQuote(text.substr(i))) {
        case InQuote::Kept:
            plain.append(text.substr(i, length));
            ++characters;
            break;
        case InQuote::Space:
            plain += ' ';
            ++characters;
            break;
        case InQuote::Dropped:
            break;
        }
        i += length;
    }
    return shortenedText(plain, maxCharacters);
}

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
