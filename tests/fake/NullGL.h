#pragma once

// A null GL for tests without a display: the few GL and GLU entry points the
// game calls, recording the state tests ask about instead of drawing.

#include <cstdint>
#include <set>
#include <vector>

struct NullGL
{
    std::set<unsigned int> enabled;      // capabilities on (GL_TEXTURE_2D starts on)
    unsigned int polygonModeFront = 0;   // GL_FILL until changed
    unsigned int polygonModeBack = 0;
    int modelviewDepth = 0;              // pushes minus pops
    int projectionDepth = 0;
    unsigned int matrixMode = 0;         // GL_MODELVIEW until changed
    int nameDepth = 0;                   // names on the name stack
    int clears = 0;                      // glClear calls
    int quads = 0;                       // glBegin(GL_QUADS) calls
    int vertices = 0;                    // glVertex3f calls
    bool selecting = false;              // between glRenderMode(GL_SELECT) and GL_RENDER
    // Written into the selection buffer when selection mode ends; the
    // GL_RENDER call returns hitCount (negative for an overflow).
    std::vector<uint32_t> hitRecords;
    int hitCount = 0;
};
extern NullGL nullGL;

// Back to a fresh context: texturing on, everything else default.
void ResetNullGL();
