#include "ForumText.h"

#include <model/BuildCode.h>
#include <toolkit/ShownText.h>

#include <array>
#include <cctype>

namespace skillwright::presentation {

namespace {

constexpr std::array<std::string_view, 3> kFormatNames{"BBCode", "Markdown", "Plain Text"};
constexpr std::string_view kWordJoiner = "\u2060";
/// The most characters of the name a post's heading shows.
constexpr std::size_t kHeadingNameCharacters = 100;

/// What each form writes around the parts of the post.
struct Markup {
    std::string_view boldOpen, boldClose;
    std::string_view listOpen, item, listClose;
    std::string_view codeOpen, codeClose;
    std::string_view paragraph; ///< between parts
};

Markup markupOf(ForumFormat format) {
    switch (format) {
    case ForumFormat::BBCode:
        return {"[b]", "[/b]", "[list]\n", "[*]", "[/list]\n", "[code]", "[/code]", ""};
    case ForumFormat::Markdown:
        return {"**", "**", "", "- ", "", "`", "`", "\n"};
    case ForumFormat::PlainText:
        break;
    }
    return {"", "", "", "  ", "", "", "", ""};
}

} // namespace

std::string_view forumFormatName(ForumFormat format) {
    return kFormatNames[static_cast<std::size_t>(format)];
}

ForumFormat forumFormatNamed(std::string_view name) {
    for (std::size_t i = 0; i < kFormatNames.size(); ++i) {
        if (kFormatNames[i] == name) {
            return static_cast<ForumFormat>(i);
        }
    }
    return ForumFormat::BBCode;
}

std::string inertText(std::string_view text, ForumFormat format) {
    std::string inert;
    inert.reserve(text.size() + text.size() / 4);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (format == ForumFormat::Markdown && byte < 0x80 && std::ispunct(byte) != 0) {
            inert += '\\';
        }
        inert += c;
        if (format == ForumFormat::BBCode && c == '[') {
            inert += kWordJoiner;
        }
    }
    return inert;
}

std::string forumText(const PlanSummary& summary, std::string_view code, ForumFormat format) {
    const Markup m = markupOf(format);
    const auto bold = [&m](std::string_view text) {
        return std::string(m.boldOpen) + std::string(text) + std::string(m.boldClose);
    };
    PlanSummary inert = summary;
    inert.name = inertText(toolkit::quotedText(summary.name, kHeadingNameCharacters), format);
    std::string text = bold(headingText(inert));
    text += '\n';
    text += m.paragraph;
    text += bold("Points per tree:") + " " + treePointsText(summary) + "\n";
    text += m.paragraph;
    text += bold("Skills:") + "\n";
    text += m.listOpen;
    for (const SkillSummary& skill : summary.skills) {
        text += m.item;
        text += skillLine(skill);
        text += '\n';
    }
    text += m.listClose;
    text += m.paragraph;
    text += bold("Quest points:") + " ";
    for (std::size_t q = 0; q < summary.quests.size(); ++q) {
        text += q == 0 ? "" : "; ";
        text += questLine(summary.quests[q]);
    }
    text += "\n";
    text += m.paragraph;
    text += bold("Reserve:") + " " + std::to_string(summary.reserve) + " unspent\n";
    text += m.paragraph;
    text += bold("Level order:") + " " + levelOrderText(summary.levelOrder) + "\n";
    text += m.paragraph;
    if (!summary.attributes.empty()) {
        text += bold("Attributes:") + " " + summary.attributes + "\n";
        text += m.paragraph;
    }
    text += bold("Build code:") + " " + std::string(m.codeOpen) + std::string(code) +
            std::string(m.codeClose) + "\n";
    text += m.paragraph;
    text += model::kPlanLinkPrefix;
    text += code;
    text += '\n';
    return text;
}

} // namespace skillwright::presentation
