#pragma once

#include <cstdint>

#include "Clip.h"

// Selection mode: the name stack and the hit records it writes, each as
// desktop GL writes them: the name count, the least and the greatest window
// depth of what was hit (0 to 2^32 - 1 over the depth range), then the names
// from the bottom of the stack. A record is written when the names change
// after a hit and when selection ends, so records come in drawing order.
class Selection
{
  public:
    enum Fault
    {
        NO_FAULT,
        INVALID_VALUE,
        INVALID_OPERATION,
        STACK_OVERFLOW,
        STACK_UNDERFLOW
    };
    static const int MAX_NAMES = 64;

    // The caller's buffer of `words` words; not while selecting.
    Fault SetBuffer(uint32_t* buffer, int words);
    // Enters selection mode; a buffer must have been given.
    Fault Start();
    // Leaves it: the number of records, -1 if they did not all fit (what fit
    // is kept). Empties the name stack.
    int Finish();
    bool Selecting() const { return selecting; }

    // The name stack; outside selection mode all but InitNames do nothing.
    Fault InitNames();
    Fault LoadName(uint32_t name);
    Fault PushName(uint32_t name);
    Fault PopName();

    // A filled triangle or a line, in clip coordinates: whatever of it lies
    // inside the view volume is a hit at the window depths of its corners.
    void AddTriangle(const ClipPoint corners[3]);
    void AddLine(const ClipPoint& a, const ClipPoint& b);

  private:
    void Hit(float depth);
    void WriteRecord();
    void Write(uint32_t word);

    uint32_t* buffer = nullptr;
    int size = 0;
    int written = 0; // words asked to be written, those past `size` lost
    int hits = 0;
    bool selecting = false;
    bool hit = false;
    float minDepth = 1.0f;
    float maxDepth = 0.0f;
    uint32_t names[MAX_NAMES] = {};
    int depth = 0;
};
