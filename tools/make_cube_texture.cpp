// Writes the texture of squares and pieces: a light, neutral 128 x 128 tile
// with a bevelled rim, a soft recessed inner panel and a fine grain, lit from
// the top left. The game tints it by GL_MODULATE, so it stays close to grey.
//
// Usage: make_cube_texture [output.tga]   (default data/cube.tga)

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace
{
const int SIZE = 128;
const float BASE = 0.86f;         // brightness of a flat, unlit-by-slope texel
const float RIM_WIDTH = 7.0f;     // pixels over which the outer bevel rises
const float PANEL_INSET = 22.0f;  // from each edge to the inner panel's border
const float PANEL_RADIUS = 10.0f; // rounding of the panel's corners
const float PANEL_DEPTH = 0.4f;   // how far the panel sits below the rim
const float PANEL_SLOPE = 3.0f;   // half-width of the panel's sloped border
const float RELIEF = 3.0f;        // height scale for shading

float SmoothStep(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// Signed distance to the panel's rounded rectangle: negative inside.
float PanelDistance(float x, float y)
{
    const float centre = (SIZE - 1) / 2.0f;
    const float half = centre - PANEL_INSET - PANEL_RADIUS;
    const float dx = std::max(std::fabs(x - centre) - half, 0.0f);
    const float dy = std::max(std::fabs(y - centre) - half, 0.0f);
    const float outside = std::sqrt(dx * dx + dy * dy);
    const float inside =
        std::min(std::max(std::fabs(x - centre), std::fabs(y - centre)) - half, 0.0f);
    return outside + inside - PANEL_RADIUS;
}

float Height(float x, float y)
{
    const float edge = std::min(std::min(x, SIZE - 1 - x), std::min(y, SIZE - 1 - y));
    float height = SmoothStep(0.0f, RIM_WIDTH, edge);
    height -= PANEL_DEPTH * SmoothStep(PANEL_SLOPE, -PANEL_SLOPE, PanelDistance(x, y));
    return height;
}

// Deterministic noise in [-1, 1], the same on every run and platform.
float Hash(int x, int y, uint32_t seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFF) / 32767.5f - 1.0f;
}

// Smooth value noise on a grid of `cell` pixels, wrapping at the tile's edge.
float ValueNoise(int x, int y, int cell, uint32_t seed)
{
    const int cells = SIZE / cell;
    const int cx = x / cell;
    const int cy = y / cell;
    const float fx = SmoothStep(0.0f, 1.0f, static_cast<float>(x % cell) / cell);
    const float fy = SmoothStep(0.0f, 1.0f, static_cast<float>(y % cell) / cell);
    const float a = Hash(cx % cells, cy % cells, seed);
    const float b = Hash((cx + 1) % cells, cy % cells, seed);
    const float c = Hash(cx % cells, (cy + 1) % cells, seed);
    const float d = Hash((cx + 1) % cells, (cy + 1) % cells, seed);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

float Grain(int x, int y)
{
    return 0.025f * ValueNoise(x, y, 16, 1) + 0.02f * ValueNoise(x, y, 4, 2) +
           0.015f * Hash(x, y, 3);
}

// Brightness of texel (x, y), y downwards: Lambert shading of the height
// field, normalised so that flat ground keeps BASE.
float Texel(int x, int y)
{
    const float slopeX = (Height(x + 0.5f, y) - Height(x - 0.5f, y)) * RELIEF;
    const float slopeY = (Height(x, y + 0.5f) - Height(x, y - 0.5f)) * RELIEF;
    const float lightX = -0.5f, lightY = -0.5f, lightZ = 0.7071f;
    const float length = std::sqrt(slopeX * slopeX + slopeY * slopeY + 1.0f);
    const float lambert = (-slopeX * lightX - slopeY * lightY + lightZ) / length / lightZ;
    const float centre = (SIZE - 1) / 2.0f;
    const float glow = 0.03f * (1.0f - std::hypot(x - centre, y - centre) / centre);
    return std::clamp(BASE * lambert + glow + Grain(x, y), 0.0f, 1.0f);
}
} // namespace

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : "data/cube.tga";

    // Uncompressed true-colour, 24 bits, rows stored bottom first.
    uint8_t header[18] = {};
    header[2] = 2;
    header[12] = SIZE & 0xFF;
    header[13] = SIZE >> 8;
    header[14] = SIZE & 0xFF;
    header[15] = SIZE >> 8;
    header[16] = 24;

    std::vector<uint8_t> pixels;
    pixels.reserve(SIZE * SIZE * 3);
    for (int y = SIZE - 1; y >= 0; --y)
    {
        for (int x = 0; x < SIZE; ++x)
        {
            const uint8_t value = static_cast<uint8_t>(std::lround(Texel(x, y) * 255.0f));
            pixels.insert(pixels.end(), {value, value, value});
        }
    }

    FILE* file = std::fopen(path, "wb");
    if (!file)
    {
        std::perror(path);
        return 1;
    }
    const bool written = std::fwrite(header, 1, sizeof header, file) == sizeof header &&
                         std::fwrite(pixels.data(), 1, pixels.size(), file) == pixels.size();
    if (std::fclose(file) != 0 || !written)
    {
        std::fprintf(stderr, "%s: write failed\n", path);
        return 1;
    }
    return 0;
}
