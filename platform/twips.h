#pragma once

#include <cmath>

// Window coordinates are written in twips, 15 to a screen pixel (1440 to
// the inch at 96 dots per inch), the one rule every window lays out by.
inline constexpr int kTwipsParPixel = 15;

inline int pixelsEcran(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsParPixel));
}
