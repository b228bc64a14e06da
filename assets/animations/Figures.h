#pragma once

#include <QImage>

#include <string>
#include <vector>

namespace skillwright::animations {

inline constexpr int kWidth = 140;  ///< 2100 twips
inline constexpr int kHeight = 260; ///< 3900 twips

/// One class's animation: its file stem ("amazon"), and per frame the full
/// canvas and its delay in hundredths of a second.
struct ClassAnimation {
    std::string stem;
    std::vector<QImage> frames;
    std::vector<int> delaysCs;
};

/// Draws the five class animations, always the same pixels.
std::vector<ClassAnimation> drawClassAnimations();

} // namespace skillwright::animations
