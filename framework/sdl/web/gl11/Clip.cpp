#include "Clip.h"

#include <algorithm>

namespace
{
const int PLANES = 6; // x <= w, x >= -w, y <= w, y >= -w, z >= -w, z <= w

// How far inside the plane the point lies (negative: outside), in clip units.
float Inside(const ClipPoint& p, int plane)
{
    switch (plane)
    {
    case 0:
        return p.w - p.x;
    case 1:
        return p.x + p.w;
    case 2:
        return p.w - p.y;
    case 3:
        return p.y + p.w;
    case 4:
        return p.z + p.w;
    default:
        return p.w - p.z;
    }
}

int OutsideMask(const ClipPoint& p)
{
    int mask = 0;
    for (int plane = 0; plane < PLANES; ++plane)
        if (Inside(p, plane) < 0.0f)
            mask |= 1 << plane;
    return mask;
}

// from + t (to - from), `from` being the corner outside.
ClipPoint Between(const ClipPoint& from, const ClipPoint& to, float t)
{
    return {from.x + t * (to.x - from.x), from.y + t * (to.y - from.y),
            from.z + t * (to.z - from.z), from.w + t * (to.w - from.w)};
}
} // namespace

int ClipTriangle(const ClipPoint corners[3], ClipPoint out[MAX_CLIPPED_CORNERS])
{
    const int masks[3] = {OutsideMask(corners[0]), OutsideMask(corners[1]),
                          OutsideMask(corners[2])};
    if (masks[0] & masks[1] & masks[2])
        return 0;
    std::copy(corners, corners + 3, out);
    int count = 3;
    const int cutting = masks[0] | masks[1] | masks[2];
    ClipPoint in[MAX_CLIPPED_CORNERS];
    for (int plane = 0; plane < PLANES && count > 0; ++plane)
    {
        if (!(cutting & 1 << plane))
            continue;
        std::copy(out, out + count, in);
        int kept = 0;
        const ClipPoint* previous = &in[count - 1];
        float previousInside = Inside(*previous, plane);
        for (int i = 0; i < count; ++i)
        {
            const ClipPoint& current = in[i];
            const float inside = Inside(current, plane);
            if (previousInside >= 0.0f && kept < MAX_CLIPPED_CORNERS)
                out[kept++] = *previous;
            const bool crosses = previousInside * inside <= 0.0f && previousInside != inside;
            if (crosses && kept < MAX_CLIPPED_CORNERS)
            {
                if (inside < 0.0f) // leaving the volume
                    out[kept++] = Between(current, *previous, inside / (inside - previousInside));
                else
                    out[kept++] =
                        Between(*previous, current, previousInside / (previousInside - inside));
            }
            previous = &current;
            previousInside = inside;
        }
        count = kept < 3 ? 0 : kept;
    }
    return count;
}

bool ClipSegment(ClipPoint& a, ClipPoint& b)
{
    const int maskA = OutsideMask(a), maskB = OutsideMask(b);
    if (maskA & maskB)
        return false;
    float ta = 0.0f, tb = 0.0f; // the parts cut from each end, as fractions
    for (int plane = 0; plane < PLANES; ++plane)
    {
        if (!((maskA | maskB) & 1 << plane))
            continue;
        const float insideA = Inside(a, plane), insideB = Inside(b, plane);
        if (insideB < 0.0f)
            tb = std::max(tb, insideB / (insideB - insideA));
        if (insideA < 0.0f)
            ta = std::max(ta, insideA / (insideA - insideB));
        if (ta + tb >= 1.0f)
            return false;
    }
    const ClipPoint oldA = a;
    if (maskA)
        a = Between(oldA, b, ta);
    if (maskB)
        b = Between(b, oldA, tb);
    return true;
}

float WindowDepth(const ClipPoint& p)
{
    return p.z * (1.0f / p.w) * 0.5f + 0.5f;
}
