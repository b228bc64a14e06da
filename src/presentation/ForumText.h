#pragma once

#include <cstdint>
#include <presentation/PlanSummary.h>
#include <string>
#include <string_view>

namespace skillwright::presentation {

/// The forms of text "Copy for Forum" writes: BBCode for the game's forums,
/// Markdown for chats and sites, and plain text.
enum class ForumFormat : std::uint8_t { BBCode, Markdown, PlainText };

/// The setting that keeps the form chosen last, by its name.
inline constexpr std::string_view kForumFormatSetting = "forum/format";

/// The form's name as the choice shows it and the settings keep it:
/// "BBCode", "Markdown", "Plain Text".
[[nodiscard]] std::string_view forumFormatName(ForumFormat format);
/// The form named `name`; BBCode, the first choice, for any other text.
[[nodiscard]] ForumFormat forumFormatNamed(std::string_view name);

/// Text from the plan (its name, a milestone's) made inert in `format`:
/// BBCode keeps a word joiner after every "[", so that no tag can begin;
/// Markdown puts a backslash before every ASCII punctuation mark; plain text
/// stays as it is.
[[nodiscard]] std::string inertText(std::string_view text, ForumFormat format);

/// The summary for a post in `format`: the heading, the points per tree,
/// the skills, the quests and the reserve, the level order in runs, then
/// the build code `code` and its skillwright:// link. The name is shown as
/// a plain stretch of at most 100 characters (no bidi controls, no line
/// breaks) and made inert (see inertText); the code is used as it is.
[[nodiscard]] std::string forumText(const PlanSummary& summary, std::string_view code, ForumFormat format);

} // namespace skillwright::presentation
