#include "Selection.h"

namespace
{
// A window depth in [0, 1] scaled to the full range of an unsigned word as
// desktop GL scales it (in float); 1.0 itself, which would overflow, and any
// rounding past either end are held to the range.
uint32_t DepthWord(float depth)
{
    const float scaled = 4294967296.0f * depth;
    if (!(scaled > 0.0f))
        return 0;
    if (scaled >= 4294967296.0f)
        return 0xFFFFFFFFu;
    return static_cast<uint32_t>(scaled);
}
} // namespace

Selection::Fault Selection::SetBuffer(uint32_t* words, int count)
{
    if (count < 0)
        return INVALID_VALUE;
    if (selecting)
        return INVALID_OPERATION;
    buffer = words;
    size = count;
    written = hits = 0;
    hit = false;
    minDepth = 1.0f;
    maxDepth = 0.0f;
    return NO_FAULT;
}

Selection::Fault Selection::Start()
{
    if (size == 0 || buffer == nullptr)
        return INVALID_OPERATION;
    selecting = true;
    return NO_FAULT;
}

int Selection::Finish()
{
    if (!selecting)
        return 0;
    if (hit)
        WriteRecord();
    const int result = written > size ? -1 : hits;
    written = hits = 0;
    depth = 0;
    selecting = false;
    return result;
}

Selection::Fault Selection::InitNames()
{
    if (selecting && hit)
        WriteRecord();
    depth = 0;
    hit = false;
    minDepth = 1.0f;
    maxDepth = 0.0f;
    return NO_FAULT;
}

Selection::Fault Selection::LoadName(uint32_t name)
{
    if (!selecting)
        return NO_FAULT;
    if (depth == 0)
        return INVALID_OPERATION;
    if (hit)
        WriteRecord();
    names[depth - 1] = name;
    return NO_FAULT;
}

Selection::Fault Selection::PushName(uint32_t name)
{
    if (!selecting)
        return NO_FAULT;
    if (hit)
        WriteRecord();
    if (depth >= MAX_NAMES)
        return STACK_OVERFLOW;
    names[depth++] = name;
    return NO_FAULT;
}

Selection::Fault Selection::PopName()
{
    if (!selecting)
        return NO_FAULT;
    if (hit)
        WriteRecord();
    if (depth == 0)
        return STACK_UNDERFLOW;
    --depth;
    return NO_FAULT;
}

void Selection::AddTriangle(const ClipPoint corners[3])
{
    ClipPoint inside[MAX_CLIPPED_CORNERS];
    const int count = ClipTriangle(corners, inside);
    for (int i = 0; i < count; ++i)
        Hit(WindowDepth(inside[i]));
}

void Selection::AddLine(const ClipPoint& a, const ClipPoint& b)
{
    ClipPoint from = a, to = b;
    if (!ClipSegment(from, to))
        return;
    Hit(WindowDepth(from));
    Hit(WindowDepth(to));
}

void Selection::Hit(float z)
{
    hit = true;
    if (z < minDepth)
        minDepth = z;
    if (z > maxDepth)
        maxDepth = z;
}

void Selection::WriteRecord()
{
    Write(static_cast<uint32_t>(depth));
    Write(DepthWord(minDepth));
    Write(DepthWord(maxDepth));
    for (int i = 0; i < depth; ++i)
        Write(names[i]);
    ++hits;
    hit = false;
    minDepth = 1.0f;
    maxDepth = 0.0f;
}

void Selection::Write(uint32_t word)
{
    if (written < size)
        buffer[written] = word;
    ++written;
}
