#pragma once
// A fixed picture that uses every drawing operation the charts rely on: shapes in all draw modes,
// line caps and joins, nested transforms, nested viewports, text in several faces, styles, angles and
// alignments, kerning and (on raster targets) additive blending. Drawn on any target, it shows
// whether the raster and the vector output are the same picture.

#include <string>

class TRenderTarget;

constexpr int TestCardWidth = 800;
constexpr int TestCardHeight = 600;

struct TTestCardArea {
    double X, Y, W, H;
};

// The part of the card drawn with additive blending on raster targets and with ordinary blending
// elsewhere, where the targets' pictures legitimately differ.
constexpr TTestCardArea TestCardBlendArea{560, 280, 220, 140};

// Draws the card on an initialised target with a logical canvas of TestCardWidth x TestCardHeight.
void DrawTestCard(TRenderTarget& target);
