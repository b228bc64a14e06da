#include "ScreenDesign.h"

#include <algorithm>
#include <cstdlib>

namespace skillwright::screens {

using model::ClassId;
using model::TreeId;

namespace {

// clang-format off
constexpr std::array<ClassDesign, model::kClassCount> kDesigns{{
    {ClassId::Necromancer, "frm_NecroSkill", "img_ButtonBack",
     {{{20, 20, 20}, {28, 28, 28}, {36, 36, 36}, {44, 44, 44}, {53, 53, 53}, {71, 71, 71}}}},
    {ClassId::Amazon, "frm_AmazonSkill", "img_MenuBack",
     {{{36, 0, 0}, {57, 0, 0}, {72, 0, 0}, {89, 0, 0}, {108, 0, 0}, {128, 0, 0}}}},
    {ClassId::Barbarian, "frm_BarbarianSkill", "img_MenuBack",
     {{{66, 1, 0}, {77, 15, 0}, {91, 33, 1}, {107, 50, 2}, {123, 69, 3}, {136, 85, 4}}}},
    {ClassId::Paladin, "frm_Paladin", "img_ButtonBack",
     {{{3, 0, 49}, {5, 0, 68}, {9, 0, 87}, {5, 0, 104}, {0, 0, 121}, {0, 0, 153}}}},
    {ClassId::Sorceress, "frm_Sorceress", "img_ButtonBack",
     {{{4, 26, 0}, {9, 57, 0}, {15, 72, 0}, {12, 89, 0}, {24, 108, 0}, {16, 128, 0}}}},
}};
// clang-format on

struct TreeControls {
    std::string_view icons;
    std::string_view counts;
};
/// The control arrays of the fifteen trees, in the order of their TreeIds.
constexpr std::array<TreeControls, model::kTreeCount> kTreeControls{{
    {"img_NecroSummon", "lbl_NecroSummon"},
    {"img_NecroBonePoison", "lbl_NecroBonePoison"},
    {"img_NecroCurse", "lbl_NecroCurse"},
    {"img_AmazonJS", "lbl_AmazonJS"},
    {"img_AmazonPM", "lbl_AmazonPM"},
    {"img_AmazonBC", "lbl_AmazonBC"},
    {"img_BarbarianCM", "lbl_BarbarianCM"},
    {"img_BarbarianWC", "lbl_BarbarianWC"},
    {"img_BarbarianCS", "lbl_BarbarianCS"},
    {"img_PaladinOffensive", "lbl_PaladinOffensive"},
    {"img_PaladinCombat", "lbl_PaladinCombat"},
    {"img_PaladinDefensive", "lbl_PaladinDefensive"},
    {"img_SorceressFire", "lbl_SorceressFire"},
    {"img_SorceressLightning", "lbl_SorceressLightning"},
    {"img_SorceressCold", "lbl_SorceressCold"},
}};

constexpr int kLineHalfWidth = 15; // a connector line is two pixels wide

TwipRect segmentRect(TwipPoint a, TwipPoint b) {
    const int left = std::min(a.x, b.x) - kLineHalfWidth;
    const int top = std::min(a.y, b.y) - kLineHalfWidth;
    return {left, top, std::abs(a.x - b.x) + 2 * kLineHalfWidth, std::abs(a.y - b.y) + 2 * kLineHalfWidth};
}

/// True when no segment of the path runs over an icon or count label of the
/// tree other than the two it joins (the ends touch those two's edges).
bool clean(const std::vector<TwipPoint>& path, TreeId tree, int from, int to) {
    for (std::size_t s = 0; s + 1 < path.size(); ++s) {
        const TwipRect seg = segmentRect(path[s], path[s + 1]);
        for (int i = 0; i < model::kSkillsPerTree; ++i) {
            if (seg.intersects(countRect(tree, i))) {
                return false;
            }
            if (i != from && i != to && seg.intersects(iconRect(tree, i))) {
                return false;
            }
        }
    }
    return true;
}

int centreX(const TwipRect& r) {
    return r.left + r.width / 2;
}
int centreY(const TwipRect& r) {
    return r.top + r.height / 2;
}

/// The middle of the gap between the icon row above `to` and `to` itself.
int gapAbove(const model::Skill& to, const TwipRect& toRect) {
    const int row = to.tierRow();
    const int upperBottom =
        row > 0 ? kIconRowTops[static_cast<std::size_t>(row - 1)] + kIconHeight : toRect.top - 255;
    return (upperBottom + toRect.top) / 2;
}

TwipRect pictureAt(TwipPoint centre) {
    return {centre.x - kConnectorWidth / 2, centre.y - kConnectorHeight / 2, kConnectorWidth,
            kConnectorHeight};
}

Connector route(TreeId tree, int from, int to) {
    const TwipRect p = iconRect(tree, from);
    const TwipRect d = iconRect(tree, to);
    const int yGap = gapAbove(model::skill(tree, to), d);
    Connector c{tree, from, to, {}, {}};
    const int px = centreX(p);
    const int dx = centreX(d);
    if (px == dx) {
        c.path = {{px, p.bottom()}, {dx, d.top}};
        c.picture = pictureAt({dx, yGap});
        return c;
    }
    // Down from the prerequisite, across in the gap above the dependent, down into it.
    std::vector<TwipPoint> elbow{{px, p.bottom()}, {px, yGap}, {dx, yGap}, {dx, d.top}};
    // Across from the prerequisite's side at its middle, then down into the dependent.
    const int side = dx > px ? p.right() : p.left;
    std::vector<TwipPoint> across{{side, centreY(p)}, {dx, centreY(p)}, {dx, d.top}};
    // Down from the prerequisite to the dependent's middle, then into its side.
    const int entry = dx > px ? d.left : d.right();
    std::vector<TwipPoint> down{{px, p.bottom()}, {px, centreY(d)}, {entry, centreY(d)}};

    if (clean(elbow, tree, from, to)) {
        c.path = std::move(elbow);
    } else if (clean(across, tree, from, to)) {
        c.path = std::move(across);
    } else if (clean(down, tree, from, to)) {
        c.path = std::move(down);
        c.picture = pictureAt({(px + entry) / 2, centreY(d)});
        return c;
    } else {
        c.path = std::move(elbow); // under the icons, which hide what they cover
    }
    c.picture = pictureAt({dx, yGap});
    return c;
}

} // namespace

const ClassDesign& classDesign(ClassId classId) {
    return kDesigns[static_cast<std::size_t>(classId)];
}

std::string_view iconArrayName(TreeId tree) {
    return kTreeControls[static_cast<std::size_t>(tree)].icons;
}

std::string_view countArrayName(TreeId tree) {
    return kTreeControls[static_cast<std::size_t>(tree)].counts;
}

TwipRect iconRect(TreeId tree, int index) {
    const model::Tree& t = model::tree(tree);
    const model::Skill& s = t.skills[static_cast<std::size_t>(index)];
    const int left =
        kColumnLefts[static_cast<std::size_t>(t.position)][static_cast<std::size_t>(s.column - 1)];
    return {left, kIconRowTops[static_cast<std::size_t>(s.tierRow())], kIconWidth, kIconHeight};
}

TwipRect countRect(TreeId tree, int index) {
    const TwipRect icon = iconRect(tree, index);
    int left = icon.left + kCountOffset.x;
    // Where the next column stands closer than usual, the count leans towards
    // its own icon, by no more than kCountLean, so that it keeps
    // kCountClearance from that column's icons and reads as its own icon's.
    const model::Tree& t = model::tree(tree);
    const int column = t.skills[static_cast<std::size_t>(index)].column;
    if (column < 3) {
        const int next = kColumnLefts[static_cast<std::size_t>(t.position)][static_cast<std::size_t>(column)];
        left = std::max(icon.left + kCountOffset.x - kCountLean,
                        std::min(left, next - kCountClearance - kCountSize));
    }
    return {left, icon.top + kCountOffset.y, kCountSize, kCountSize};
}

std::vector<Connector> connectors(ClassId classId) {
    std::vector<Connector> all;
    for (TreeId tree : model::classInfo(classId).trees) {
        for (int to = 0; to < model::kSkillsPerTree; ++to) {
            for (const std::int8_t from : model::skill(tree, to).prerequisites) {
                if (from >= 0) {
                    all.push_back(route(tree, from, to));
                }
            }
        }
    }
    return all;
}

} // namespace skillwright::screens
