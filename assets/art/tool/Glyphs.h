#pragma once

#include <QPainterPath>

namespace skillwright::art::tool {

/// The symbols the icons and panels are composed of. Each is a filled outline
/// in a unit box from -1 to 1 (y grows downward, "up" is -y).
enum class Glyph {
    Skull,
    Flame,
    Bolt,
    Arrow,
    Sword,
    Axe,
    Mace,
    Spear,
    Halberd,
    Hammer,
    Shield,
    Cross,
    Tooth,
    Bone,
    Ring,
    Orb,
    Snowflake,
    Shard,
    Burst,
    Star,
    Drop,
    Eye,
    Hand,
    Figure,
    Golem,
    Wall,
    Cage,
    Cloud,
    Spiral,
    Heart,
    Wing,
    Boot,
    Crown,
    Waves,
    Chevrons,
    Chain,
    Hourglass,
    Gem,
    Potion,
    Bar,
    Target,
    Coffin,
    Thorns,
    Hydra,
    Slash,
    LeapArc,
    Crack,
    Halo,
    Dagger,
    Moon,
    Fist,
    Horn,
};

/// The outline of a glyph in the unit box.
QPainterPath glyphPath(Glyph glyph);

} // namespace skillwright::art::tool
