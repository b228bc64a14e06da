// The text "Copy for Forum" writes: its layout worked by hand, names that
// try to be markup, and the build code in it opening the plan again.
#include <model/Build.h>
#include <model/BuildCode.h>

#include <gtest/gtest.h>

#include <presentation/ForumText.h>
#include <string>
#include <vector>

namespace skillwright::presentation {
namespace {

using model::ClassId;
using model::TreeId;

/// A level-4 Sorceress: Fire Bolt at 2 and 3, Warmth at 4.
model::Plan smallPlan(std::string name) {
    model::Build build;
    build.startCharacter(ClassId::Sorceress);
    build.click(TreeId::SorceressFire, 0);
    build.click(TreeId::SorceressFire, 0);
    build.click(TreeId::SorceressFire, 1);
    model::Plan plan = build.plan();
    plan.name = std::move(name);
    return plan;
}

std::string textOf(const model::Plan& plan, ForumFormat format) {
    return forumText(summarize(plan), model::encodeBuildCode(plan), format);
}

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

TEST(ForumText, bbCodeOfASmallPlan_isLaidOutInFull) {
    const model::Plan plan = smallPlan("Ember");
    const std::string code = model::encodeBuildCode(plan);
    EXPECT_EQ(textOf(plan, ForumFormat::BBCode),
              "[b]Ember, Sorceress, level 4[/b]\n"
              "[b]Points per tree:[/b] FIRE BASED 3, LIGHTNING BASED 0, COLD BASED 0\n"
              "[b]Skills:[/b]\n"
              "[list]\n"
              "[*]Fire Bolt: 1 at Clvl 2, 2 at Clvl 3\n"
              "[*]Warmth: 1 at Clvl 4\n"
              "[/list]\n"
              "[b]Quest points:[/b] Den of Evil: 0 taken, 1 open; Book of Skill: 0 taken, 0 open; "
              "Izual: 0 taken, 0 open\n"
              "[b]Reserve:[/b] 0 unspent\n"
              "[b]Level order:[/b] 2-3 Fire Bolt, 4 Warmth\n"
              "[b]Build code:[/b] [code]" +
                  code + "[/code]\nskillwright://plan/" + code + "\n");
    EXPECT_NE(
        textOf(plan, ForumFormat::Markdown).find("**Skills:**\n- Fire Bolt: 1 at Clvl 2, 2 at Clvl 3\n"),
        std::string::npos);
}

struct HostileName {
    const char* name;
    ForumFormat format;
    const char* heading;
};

TEST(ForumText, namesFromThePlan_neverBecomeMarkup) {
    const std::string thousand(1000, 'x');
    const std::string cut = std::string(99, 'x') + "\u2026";
    const std::vector<HostileName> names{
        {"[b]Boss[/b] [url=http://x]", ForumFormat::BBCode,
         "[b][\u2060b]Boss[\u2060/b] [\u2060url=http://x], Sorceress, level 4[/b]"},
        {"**x** _y_ `z` <i>[a](b)", ForumFormat::Markdown,
         "**\\*\\*x\\*\\* \\_y\\_ \\`z\\` \\<i\\>\\[a\\]\\(b\\), Sorceress, level 4**"},
        {"# 1. \\", ForumFormat::Markdown, "**\\# 1\\. \\\\, Sorceress, level 4**"},
        {"[b]*x*", ForumFormat::PlainText, "[b]*x*, Sorceress, level 4"},
        {"\u202Eevil\u2066", ForumFormat::BBCode, "[b]evil, Sorceress, level 4[/b]"},
        {"one\ntwo", ForumFormat::PlainText, "one two, Sorceress, level 4"},
    };
    for (const HostileName& hostile : names) {
        SCOPED_TRACE(hostile.name);
        EXPECT_EQ(firstLine(textOf(smallPlan(hostile.name), hostile.format)), hostile.heading);
    }
    EXPECT_EQ(firstLine(textOf(smallPlan(thousand), ForumFormat::PlainText)), cut + ", Sorceress, level 4");
}

TEST(ForumText, theCodeInTheText_opensThePlanAgain) {
    for (const ForumFormat format : {ForumFormat::BBCode, ForumFormat::Markdown, ForumFormat::PlainText}) {
        for (const std::string& name : {std::string("[b]*Frost*[/b]"), std::string(1000, 'y')}) {
            const model::Plan plan = smallPlan(name);
            const std::string text = textOf(plan, format);
            const std::size_t link = text.find("skillwright://plan/");
            ASSERT_NE(link, std::string::npos);
            const model::CodeReading reading =
                model::decodeBuildCode(model::codeOfLink(text.substr(link, text.find('\n', link) - link)));
            ASSERT_TRUE(reading.plan.has_value());
            EXPECT_EQ(reading.plan->history, plan.history);
            EXPECT_EQ(reading.plan->classId, ClassId::Sorceress);
            EXPECT_EQ(reading.plan->name, name.substr(0, 255));
        }
    }
}

} // namespace
} // namespace skillwright::presentation
