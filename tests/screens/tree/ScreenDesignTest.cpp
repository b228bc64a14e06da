// The connectors of the one screen design join the right icons without
// running over others. Where the icons and counts stand, and that a count
// keeps clear of the next icon, is checked on the screen itself.
#include <screens/tree/ScreenDesign.h>

#include <gtest/gtest.h>

#include <algorithm>

using namespace skillwright;
using namespace skillwright::screens;

namespace {

bool onEdge(TwipPoint p, const TwipRect& r) {
    const bool inX = p.x >= r.left && p.x <= r.right();
    const bool inY = p.y >= r.top && p.y <= r.bottom();
    return (inX && (p.y == r.top || p.y == r.bottom())) || (inY && (p.x == r.left || p.x == r.right()));
}

} // namespace

TEST(ScreenDesign, everyPrerequisiteHasOneCleanRightAngledConnector) {
    for (const model::ClassInfo& info : model::classes()) {
        const std::vector<Connector> all = connectors(info.id);
        std::size_t prerequisites = 0;
        for (const model::TreeId tree : info.trees) {
            for (int i = 0; i < model::kSkillsPerTree; ++i) {
                for (const auto p : model::skill(tree, i).prerequisites) {
                    if (p < 0) {
                        continue;
                    }
                    ++prerequisites;
                    EXPECT_EQ(std::count_if(all.begin(), all.end(),
                                            [&](const Connector& c) {
                                                return c.tree == tree && c.from == p && c.to == i;
                                            }),
                              1);
                }
            }
        }
        EXPECT_EQ(all.size(), prerequisites) << info.name;

        for (const Connector& c : all) {
            SCOPED_TRACE(std::string(info.name) + " " + std::string(model::skill(c.tree, c.to).name));
            ASSERT_GE(c.path.size(), 2U);
            EXPECT_TRUE(onEdge(c.path.front(), iconRect(c.tree, c.from)));
            EXPECT_TRUE(onEdge(c.path.back(), iconRect(c.tree, c.to)));
            for (std::size_t s = 0; s + 1 < c.path.size(); ++s) {
                const TwipPoint a = c.path[s];
                const TwipPoint b = c.path[s + 1];
                EXPECT_TRUE(a.x == b.x || a.y == b.y) << "segment " << s << " is not straight";
                const TwipRect seg{std::min(a.x, b.x), std::min(a.y, b.y), std::abs(a.x - b.x) + 1,
                                   std::abs(a.y - b.y) + 1};
                for (int i = 0; i < model::kSkillsPerTree; ++i) {
                    EXPECT_FALSE(seg.intersects(countRect(c.tree, i))) << "crosses count " << i;
                    if (i != c.from && i != c.to) {
                        EXPECT_FALSE(seg.intersects(iconRect(c.tree, i))) << "crosses icon " << i;
                    }
                }
            }
            EXPECT_EQ(c.picture.width, 345);
            EXPECT_EQ(c.picture.height, 375);
        }
    }
}
