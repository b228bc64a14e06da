#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace skillwright::toolkit {

/// The most characters of one line a message box shows, and its most lines.
inline constexpr std::size_t kMaxShownLineCharacters = 120;
inline constexpr std::size_t kMaxShownLines = 30;

/// `text` (UTF-8) cut to at most `maxCharacters` characters: a longer text
/// keeps its first `maxCharacters` - 1 and ends with "…", so that the cut shows.
std::string shortenedText(std::string_view text, std::size_t maxCharacters);

/// A name or other text from outside as one plain stretch of a message: the
/// controls that would reorder the words around it (bidi embeddings,
/// overrides, isolates and marks) removed, control characters and line or
/// paragraph separators shown as spaces, shortened as shortenedText does.
/// "\u202Eevil" gives "evil"; "one\u2028two" gives "one two".
std::string quotedText(std::string_view text, std::size_t maxCharacters);

/// A message as a box may show it: every line shortened to
/// kMaxShownLineCharacters, and after kMaxShownLines lines one "…" line.
/// Lines end with CR LF or LF, and keep their ends.
std::string boundedMessage(std::string_view text);

} // namespace skillwright::toolkit
