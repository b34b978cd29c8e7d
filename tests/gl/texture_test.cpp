#include <GL/gl.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include <unistd.h>

#include "framework/Texture.h"
#include "tests/gl/GLContext.h"

namespace
{
using Bytes = std::vector<uint8_t>;

struct Rgba
{
    uint8_t r, g, b, a;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

std::ostream& operator<<(std::ostream& out, const Rgba& c)
{
    return out << int(c.r) << "," << int(c.g) << "," << int(c.b) << "," << int(c.a);
}

// A 4 x 2 picture, top row first, with runs for RLE packets and no symmetry,
// so a flip either way shows.
const int WIDTH = 4;
const int HEIGHT = 2;
const Rgba PICTURE[HEIGHT][WIDTH] = {
    {{255, 0, 0, 10}, {255, 0, 0, 10}, {0, 255, 0, 20}, {0, 0, 255, 30}},
    {{255, 255, 0, 40}, {9, 99, 199, 50}, {9, 99, 199, 50}, {9, 99, 199, 50}},
};

Bytes Header(int width, int height, int bits, bool rle, bool topOrigin)
{
    Bytes header(18, 0);
    header[2] = rle ? 10 : 2;
    header[12] = width & 0xFF;
    header[13] = width >> 8 & 0xFF;
    header[14] = height & 0xFF;
    header[15] = height >> 8 & 0xFF;
    header[16] = static_cast<uint8_t>(bits);
    header[17] = (bits == 32 ? 8 : 0) | (topOrigin ? 0x20 : 0);
    return header;
}

// PICTURE as a TGA file: BGR(A) pixels in the declared row order, RLE
// packets within each row.
Bytes EncodePicture(int bits, bool rle, bool topOrigin)
{
    Bytes file = Header(WIDTH, HEIGHT, bits, rle, topOrigin);
    auto pixel = [&](const Rgba& c)
    {
        file.insert(file.end(), {c.b, c.g, c.r});
        if (bits == 32)
            file.push_back(c.a);
    };
    for (int stored = 0; stored < HEIGHT; ++stored)
    {
        const Rgba* row = PICTURE[topOrigin ? stored : HEIGHT - 1 - stored];
        for (int x = 0; x < WIDTH;)
        {
            int run = 1;
            while (x + run < WIDTH && row[x + run] == row[x])
                ++run;
            if (!rle)
            {
                pixel(row[x++]);
                continue;
            }
            if (run > 1)
            {
                file.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
                pixel(row[x]);
                x += run;
                continue;
            }
            int raw = 1;
            while (x + raw < WIDTH && !(x + raw + 1 < WIDTH && row[x + raw] == row[x + raw + 1]))
                ++raw;
            file.push_back(static_cast<uint8_t>(raw - 1));
            for (int i = 0; i < raw; ++i)
                pixel(row[x + i]);
            x += raw;
        }
    }
    return file;
}

class TextureTest : public GLTest
{
  protected:
    void TearDown() override { std::filesystem::remove_all(directory); }

    std::string Write(const std::string& name, const Bytes& bytes)
    {
        std::filesystem::create_directories(directory);
        const std::string path = (directory / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    // Level 0 of the texture, bottom row (t = 0) first.
    std::vector<Rgba> ReadBack(unsigned int id)
    {
        std::vector<Rgba> texels(WIDTH * HEIGHT);
        glBindTexture(GL_TEXTURE_2D, id);
        GLint width = 0, height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        EXPECT_EQ(width, WIDTH);
        EXPECT_EQ(height, HEIGHT);
        if (width == WIDTH && height == HEIGHT)
            glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        return texels;
    }

    const std::filesystem::path directory = std::filesystem::temp_directory_path() /
                                            ("quorvel_texture_test_" + std::to_string(getpid()));
};

struct Format
{
    int bits;
    bool rle;
    bool topOrigin;
};

std::string FormatName(const Format& f)
{
    return std::to_string(f.bits) + (f.rle ? "bit_rle_" : "bit_raw_") +
           (f.topOrigin ? "top" : "bottom");
}

const Format FORMATS[] = {
    {24, false, false}, {24, false, true}, {24, true, false}, {24, true, true},
    {32, false, false}, {32, false, true}, {32, true, false}, {32, true, true},
};

// Every format decodes to the same texels, the picture's bottom row at t = 0.
TEST_F(TextureTest, EveryFormatUploadsThePictureTheRightWayUp)
{
    for (const Format& format : FORMATS)
    {
        SCOPED_TRACE(FormatName(format));
        CTexture texture;
        const std::string path = Write(FormatName(format) + ".tga",
                                       EncodePicture(format.bits, format.rle, format.topOrigin));
        ASSERT_TRUE(texture.Create(path.c_str()));
        ASSERT_NE(texture.id, 0u);
        const std::vector<Rgba> texels = ReadBack(texture.id);
        for (int y = 0; y < HEIGHT; ++y)
        {
            for (int x = 0; x < WIDTH; ++x)
            {
                Rgba expected = PICTURE[y][x];
                if (format.bits == 24)
                    expected.a = 255;
                EXPECT_EQ(texels[(HEIGHT - 1 - y) * WIDTH + x], expected)
                    << "picture pixel (" << x << ", " << y << ")";
            }
        }
    }
}

// Every shorter prefix of every format is refused, and leaves nothing bound.
TEST_F(TextureTest, TruncatedFilesAreRefused)
{
    for (const Format& format : FORMATS)
    {
        const Bytes whole = EncodePicture(format.bits, format.rle, format.topOrigin);
        for (size_t length = 0; length < whole.size(); ++length)
        {
            SCOPED_TRACE(FormatName(format) + " cut to " + std::to_string(length));
            CTexture texture;
            const std::string path = Write("cut.tga", Bytes(whole.begin(), whole.begin() + length));
            EXPECT_FALSE(texture.Create(path.c_str()));
            EXPECT_EQ(texture.id, 0u);
        }
    }
}

TEST_F(TextureTest, UnusableFilesAreRefused)
{
    Bytes garbage(300);
    uint32_t seed = 12345;
    for (uint8_t& byte : garbage)
    {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(seed >> 24);
    }
    Bytes empty = Header(0, 0, 24, false, false);
    Bytes huge = Header(65535, 65535, 32, false, false);
    huge.resize(huge.size() + 64, 0x7F);
    Bytes wide = Header(8192, 1, 24, false, false);
    wide.resize(wide.size() + 8192 * 3, 0x7F);

    struct Case
    {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        {"garbage", garbage},
        {"0x0", empty},
        {"65535x65535", huge},
        {"wider_than_4096", wide},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTexture texture;
        EXPECT_FALSE(texture.Create(Write(c.name, c.bytes).c_str()));
        EXPECT_EQ(texture.id, 0u);
    }

    CTexture missing;
    EXPECT_FALSE(missing.Create((directory / "no_such_file.tga").c_str()));
    EXPECT_EQ(missing.id, 0u);
}

// A second Create lets go of the first texture, even when it then fails.
TEST_F(TextureTest, RecreatingReleasesTheOldTexture)
{
    CTexture texture;
    ASSERT_TRUE(texture.Create(Write("a.tga", EncodePicture(24, false, false)).c_str()));
    const unsigned int first = texture.id;
    EXPECT_FALSE(texture.Create((directory / "missing.tga").c_str()));
    EXPECT_EQ(texture.id, 0u);
    EXPECT_EQ(glIsTexture(first), GL_FALSE);
}

TEST_F(TextureTest, TheGamesOwnTextureLoads)
{
    CTexture texture;
    EXPECT_TRUE(texture.Create("data/cube.tga")) << "run from the repository's top directory";
    EXPECT_NE(texture.id, 0u);
}
} // namespace
