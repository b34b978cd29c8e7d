#include "Polygons.h"

namespace
{
// Twice the signed window area of the triangle; positive counter-clockwise.
float Area(const ClipPoint& a, const ClipPoint& b, const ClipPoint& c)
{
    const float ax = a.x / a.w, ay = a.y / a.w, bx = b.x / b.w, by = b.y / b.w;
    const float cx = c.x / c.w, cy = c.y / c.w;
    return (bx - ax) * (cy - ay) - (cx - ax) * (by - ay);
}
} // namespace

void AssemblePolygons(bool quads, const ClipPoint* vertices, int count, const PolygonRules& rules,
                      std::vector<uint16_t>& triangles, std::vector<uint16_t>& lines)
{
    triangles.clear();
    lines.clear();
    const int corners = quads ? 4 : 3;
    const bool sameRules =
        rules.outlineFront == rules.outlineBack && !rules.cullFront && !rules.cullBack;
    for (int first = 0; first + corners <= count; first += corners)
    {
        bool outline = rules.outlineFront;
        if (!sameRules)
        {
            const bool front =
                Area(vertices[first], vertices[first + 1], vertices[first + corners - 1]) > 0.0f;
            if (front ? rules.cullFront : rules.cullBack)
                continue;
            outline = front ? rules.outlineFront : rules.outlineBack;
        }
        const uint16_t v = static_cast<uint16_t>(first);
        if (outline)
        {
            for (int side = 0; side < corners; ++side)
            {
                lines.push_back(static_cast<uint16_t>(v + side));
                lines.push_back(static_cast<uint16_t>(v + (side + 1) % corners));
            }
        }
        else if (quads)
        {
            const uint16_t fill[6] = {v,
                                      uint16_t(v + 1),
                                      uint16_t(v + 3),
                                      uint16_t(v + 1),
                                      uint16_t(v + 2),
                                      uint16_t(v + 3)};
            triangles.insert(triangles.end(), fill, fill + 6);
        }
        else
        {
            const uint16_t fill[3] = {v, uint16_t(v + 1), uint16_t(v + 2)};
            triangles.insert(triangles.end(), fill, fill + 3);
        }
    }
}
