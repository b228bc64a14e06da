#pragma once

#include <model/Catalogue.h>
#include <screens/common/ScreenKit.h>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

/// The one design of the five skill tree screens as plain data: what differs
/// between the classes, and the geometry that follows from the catalogue.
/// Everything is in twips (15 twips = 1 pixel), the unit the layout is drawn in.
namespace skillwright::screens {

/// What one class's screen has of its own; everything else is shared.
struct ClassDesign {
    model::ClassId classId;
    std::string_view screenName;              ///< the screen's objectName, e.g. "frm_NecroSkill"
    std::string_view buttonPanelName;         ///< img_ButtonBack or img_MenuBack
    std::array<Rgb, model::kTierCount> bands; ///< band fills, top band first
};

const ClassDesign& classDesign(model::ClassId classId);

/// The objectName of a tree's icon array, e.g. "img_NecroBonePoison"; each
/// icon adds its skill index in brackets: "img_NecroBonePoison(3)".
std::string_view iconArrayName(model::TreeId tree);
/// The same of its count labels' array, e.g. "lbl_NecroBonePoison".
std::string_view countArrayName(model::TreeId tree);

// Shared geometry of the tree area.
inline constexpr int kIconWidth = 540;
inline constexpr int kIconHeight = 555;
inline constexpr int kOutlineMargin = 20;
inline constexpr int kOutlineWidth = 580;
inline constexpr int kOutlineHeight = 595;
inline constexpr int kOutlineParked = -1000;
inline constexpr TwipPoint kCountOffset{555, 345};
inline constexpr int kCountSize = 225;
/// How far a count may move towards its icon to keep clear of the next column.
inline constexpr int kCountLean = 45;
/// The room a count keeps from the icons of the next column.
inline constexpr int kCountClearance = 15;
inline constexpr int kConnectorWidth = 345;
inline constexpr int kConnectorHeight = 375;
inline constexpr std::array<int, 2> kSeparatorX{4125, 6915};
inline constexpr int kSeparatorTop = -420;
inline constexpr int kSeparatorBottom = 5145;
inline constexpr std::array<int, model::kTierCount> kBandTops{315, 1125, 1935, 2790, 3645, 4470};
inline constexpr int kBandWidth = 10155;
inline constexpr int kBandHeight = 675;
/// Icon Top of each tier row, the same on every screen.
inline constexpr std::array<int, model::kTierCount> kIconRowTops{390, 1200, 2010, 2850, 3705, 4530};
/// Left of the icon in column 1..3 of the left, middle and right tree.
inline constexpr std::array<std::array<int, 3>, 3> kColumnLefts{{
    {1575, 2400, 3210},
    {4365, 5205, 6060},
    {7185, 7950, 8745},
}};

/// The icon of skill `index` of `tree` on its class's screen.
TwipRect iconRect(model::TreeId tree, int index);
/// The count label beside that icon.
TwipRect countRect(model::TreeId tree, int index);

/// A line from a prerequisite's icon to the icon of the skill that needs it:
/// horizontal and vertical segments from icon edge to icon edge, and the
/// place of the connector picture on it.
struct Connector {
    model::TreeId tree;
    int from; ///< the prerequisite's skill index
    int to;   ///< the dependent skill's index
    std::vector<TwipPoint> path;
    TwipRect picture;
};

/// Every connector of a class's three trees, routed around the other icons
/// and count labels of the tree wherever a clean route exists.
std::vector<Connector> connectors(model::ClassId classId);

} // namespace skillwright::screens
