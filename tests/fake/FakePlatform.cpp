#include "tests/fake/FakePlatform.h"

#include <cstdlib>
#include <new>

#include "framework/Clock.h"
#include "framework/Events.h"
#include "framework/OpenGL.h"
#include "framework/System.h"
#include "framework/Texture.h"

FakeClock fakeClock = {1000000, 0, 0};
FakePlatform fake;

// Counting new and delete; not in a test file, where GCC would inline them and warn.
std::atomic<long> fakeLiveBlocks{0};

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    void* block = std::malloc(size ? size : 1);
    fakeLiveBlocks += block != nullptr;
    return block;
}

void* operator new(std::size_t size)
{
    if (void* block = operator new(size, std::nothrow))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    fakeLiveBlocks -= block != nullptr;
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    fakeLiveBlocks -= block != nullptr;
    std::free(block);
}

void CFont::Print(const char* text, int x, int y)
{
    fake.printed += std::to_string(x) + "," + std::to_string(y) + " " + text + "\n";
}

void CFont::PrintLines(const char* const* lines, int count, int x, int y, int lineSpacing)
{
    for (int i = 0; i < count; ++i)
        if (lines[i])
            Print(lines[i], x, y + i * lineSpacing);
}

void ShowErrorMessage(const char* caption, const char* text, const char* detail)
{
    fake.messages += std::string(caption) + ": " + text + " (" + detail + ")\n";
}

// clang-format off
bool QueryPerformanceFrequency(int64_t* f) { *f = fakeClock.frequency; return *f != 0; }
bool QueryPerformanceCounter(int64_t* count) { *count = fakeClock.counter; return true; }
uint32_t timeGetTime() { return fakeClock.milliseconds; }
bool IsEscapeHeld() { return fake.escapeDown; }
bool HasCurrentContext() { return false; }
std::string ExecutableFolder() { return fake.executableFolder; }
bool PeekEvent(WindowEvent&) { return false; }
void* COpenGL::CreateWin(const char*, int, int, int, bool&) { return nullptr; }
const char* COpenGL::WindowFailure() const { return "no window in the fake platform"; }
void COpenGL::KillWindow(void*, bool&) {}
void COpenGL::SwapBuffers() { ++fake.swaps; EndFrameInput(); }
CTexture::CTexture() : id(0) {}
CTexture::~CTexture() {}
bool CTexture::Create(const char*) { ++fake.textureCreates; return false; }
CFont::CFont() : texture(0), lineHeight(0), glyphs() {}
CFont::~CFont() {}
// clang-format on
