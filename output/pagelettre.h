#pragma once

#include "rtf.h"

// The page of every letter: A4 paper and the margins it is printed with, in
// twips (1440 to the inch) from the paper's edges.
inline constexpr int kMargeGaucheLettre = 1200;
inline constexpr int kMargeHautLettre = 1500;
inline constexpr int kMargeDroiteLettre = 1200;
inline constexpr int kMargeBasLettre = 1500;

inline constexpr rtf::PageRtf kPageLettre{
    11906, 16838, kMargeGaucheLettre, kMargeDroiteLettre, kMargeHautLettre, kMargeBasLettre};
