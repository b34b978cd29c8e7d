#pragma once

#include <cstdint>
#include <vector>

#include "Clip.h"

// How polygons reach the screen: each face filled or outlined, and which
// faces culling removes (front faces run counter-clockwise in the window).
struct PolygonRules
{
    bool outlineFront = false;
    bool outlineBack = false;
    bool cullFront = false;
    bool cullBack = false;
};

// Turns `count` vertices drawn as quads (four each) or triangles (three each)
// into the triangles to fill and the lines to draw, as indices into the
// vertices. A quad fills as the triangles (0, 1, 3) and (1, 2, 3) and
// outlines as its four sides, never its diagonal. A partial last polygon is
// dropped.
void AssemblePolygons(bool quads, const ClipPoint* vertices, int count, const PolygonRules& rules,
                      std::vector<uint16_t>& triangles, std::vector<uint16_t>& lines);
