#pragma once

// A stand-in platform without a window, and a null GL: the framework's entry
// points over state that tests script and inspect.

#include <GL/gl.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

struct FakeClock
{
    int64_t frequency, counter; // counts per second (0: no counter), current reading
    uint32_t milliseconds;      // the millisecond clock, wraps
};
extern FakeClock fakeClock; // constant-initialised: the static game's timer reads it

// Blocks from operator new not yet deleted in the test program: leaks show here.
extern std::atomic<long> fakeLiveBlocks;

struct FakePlatform
{
    bool escapeDown = false;
    int textureCreates = 0, swaps = 0, clears = 0, matrixDepth = 0; // depth: pushes - pops
    std::string messages; // "caption: text (detail)\n" per error box
    std::string printed;  // "x,y text\n" per Print
    std::set<GLenum> enabled{GL_TEXTURE_2D, GL_DEPTH_TEST};
    std::map<GLenum, GLenum> polygonMode; // by face as passed to glPolygonMode
    // Copied into the selection buffer when it is given; glRenderMode(GL_RENDER) answers hitCount.
    std::vector<GLuint> hitRecords;
    int hitCount = 0;
    std::string executableFolder; // what ExecutableFolder answers
};
extern FakePlatform fake;
