#pragma once

#include <QtGlobal>
#include <cmath>

// Window coordinates are written in twips, 15 to a screen pixel (1440 to
// the inch at 96 dots per inch), the one rule every window lays out by.
inline constexpr int kTwipsParPixel = 15;

inline int pixelsEcran(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsParPixel));
}

// Printers and documents measure in twips too, 1440 to the inch, at the
// device's own resolution (dots per inch).
inline constexpr double kTwipsParPouce = 1440.0;

inline double twipsEnPixels(double twips, int resolution)
{
    return twips * resolution / kTwipsParPouce;
}

// To the nearest twip, halves to even.
inline qint32 pixelsEnTwips(double pixels, int resolution)
{
    return static_cast<qint32>(std::nearbyint(pixels * kTwipsParPouce / resolution));
}
