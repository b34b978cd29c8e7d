#pragma once

// A vertex in clip coordinates: the view volume is -w <= x, y, z <= w.
struct ClipPoint
{
    float x, y, z, w;
};

// Room for a cut triangle's corners: 9 at most, more only where rounding
// repeats a corner that lies on a plane; beyond it corners are dropped.
const int MAX_CLIPPED_CORNERS = 16;

// Cuts the triangle to the view volume into `out`; returns its corner count,
// 0 when nothing of it is inside. Only the planes one of the corners lies
// outside of cut, and new corners are interpolated from the outside one, as
// the software renderer does.
int ClipTriangle(const ClipPoint corners[3], ClipPoint out[MAX_CLIPPED_CORNERS]);
// Cuts the segment to the view volume in place; false when nothing is inside.
bool ClipSegment(ClipPoint& a, ClipPoint& b);
// The window depth of a point inside the volume, for the depth range [0, 1].
float WindowDepth(const ClipPoint& p);
