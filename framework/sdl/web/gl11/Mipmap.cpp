#include "Mipmap.h"

#include <algorithm>
#include <cmath>

int NearestPowerOfTwo(int side)
{
    if (side < 1)
        return 0;
    int power = 1;
    for (unsigned value = static_cast<unsigned>(side); value != 1; value >>= 1, power *= 2)
        if (value == 3)
            return power * 4;
    return power;
}

namespace
{
// The box filter from width x height to the sizes of `out`: each output pixel
// the area-weighted mean of the input pixels its box covers, truncated.
void Rescale(const uint8_t* image, int width, int height, int components, int rowBytes,
             MipLevel& out)
{
    const float stepX = float(width) / float(out.width);
    const float stepY = float(height) / float(out.height);
    const float area = stepX * stepY;
    out.pixels.assign(size_t(out.width) * out.height * components, 0);
    for (int i = 0; i < out.height; ++i)
    {
        const float y0 = i * stepY, y1 = std::min((i + 1) * stepY, float(height));
        for (int j = 0; j < out.width; ++j)
        {
            const float x0 = j * stepX, x1 = std::min((j + 1) * stepX, float(width));
            float totals[4] = {};
            for (int y = int(y0); y < height && float(y) < y1; ++y)
            {
                const float wy = std::min(float(y + 1), y1) - std::max(float(y), y0);
                for (int x = int(x0); x < width && float(x) < x1; ++x)
                {
                    const float weight = wy * (std::min(float(x + 1), x1) - std::max(float(x), x0));
                    const uint8_t* pixel = image + size_t(y) * rowBytes + size_t(x) * components;
                    for (int k = 0; k < components; ++k)
                        totals[k] += pixel[k] * weight;
                }
            }
            uint8_t* target = &out.pixels[(size_t(i) * out.width + j) * components];
            for (int k = 0; k < components; ++k)
                target[k] = static_cast<uint8_t>(std::clamp(totals[k] / area, 0.0f, 255.0f));
        }
    }
}

// The next level: 2 x 2 averages, rounded; a single row or column in pairs.
MipLevel Halve(const MipLevel& in, int components)
{
    MipLevel out;
    out.width = std::max(in.width / 2, 1);
    out.height = std::max(in.height / 2, 1);
    out.pixels.resize(size_t(out.width) * out.height * components);
    const size_t row = size_t(in.width) * components;
    const int dx = in.width > 1 ? components : 0;
    const size_t dy = in.height > 1 ? row : 0;
    const bool line = dx == 0 || dy == 0;
    for (int i = 0; i < out.height; ++i)
        for (int j = 0; j < out.width; ++j)
            for (int k = 0; k < components; ++k)
            {
                const uint8_t* p = &in.pixels[2 * i * row + size_t(2 * j) * components + k];
                const int sum = line ? p[0] + p[dx + dy] : p[0] + p[dx] + p[dy] + p[dx + dy];
                out.pixels[(size_t(i) * out.width + j) * components + k] =
                    static_cast<uint8_t>(line ? sum / 2 : (sum + 2) / 4);
            }
    return out;
}
} // namespace

std::vector<MipLevel> BuildMipmaps(const uint8_t* image, int width, int height, int components,
                                   int rowBytes, int maxSize)
{
    std::vector<MipLevel> levels;
    if (image == nullptr || width < 1 || height < 1 || components < 1 || components > 4 ||
        rowBytes < width * components || maxSize < 1)
        return levels;
    MipLevel first;
    first.width = NearestPowerOfTwo(width);
    first.height = NearestPowerOfTwo(height);
    while (first.width > maxSize || first.height > maxSize)
    {
        first.width = std::max(first.width / 2, 1);
        first.height = std::max(first.height / 2, 1);
    }
    if (first.width == width && first.height == height)
    {
        first.pixels.resize(size_t(width) * height * components);
        for (int y = 0; y < height; ++y)
            std::copy_n(image + size_t(y) * rowBytes, size_t(width) * components,
                        &first.pixels[size_t(y) * width * components]);
    }
    else
        Rescale(image, width, height, components, rowBytes, first);
    levels.push_back(std::move(first));
    while (levels.back().width > 1 || levels.back().height > 1)
        levels.push_back(Halve(levels.back(), components));
    return levels;
}
