#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/Texture.h"
#include "framework/sdl/TgaDecode.h"
#include "tests/gl/GLContext.h"

namespace
{
using Bytes = std::vector<uint8_t>;

// A 2 x 2 RGBA picture, top row first: a run of one colour over two others, so
// that a flip either way shows and RLE has both a run and a raw packet.
const uint8_t PICTURE[2][2][4] = {{{255, 0, 0, 10}, {255, 0, 0, 10}},
                                  {{0, 255, 0, 20}, {9, 99, 199, 50}}};

Bytes Header(int width, int height, int bits, bool rle, bool topRowFirst)
{
    Bytes header(12, 0);
    header[2] = rle ? 10 : 2;
    header.insert(header.end(),
                  {uint8_t(width), uint8_t(width >> 8), uint8_t(height), uint8_t(height >> 8),
                   uint8_t(bits), uint8_t((bits == 32 ? 8 : 0) | (topRowFirst ? 0x20 : 0))});
    return header;
}

// PICTURE as a TGA file in `format`: bit 0 for 32 bits a pixel (else 24), bit 1
// for RLE, bit 2 for the top row first.
Bytes Encode(int format)
{
    const bool rle = format & 2, topRowFirst = format & 4;
    Bytes file = Header(2, 2, format & 1 ? 32 : 24, rle, topRowFirst);
    for (const int y : {topRowFirst ? 0 : 1, topRowFirst ? 1 : 0})
    {
        if (rle)
            file.push_back(y == 0 ? 0x81 : 0x01); // a run of two, two raw pixels
        for (int x = 0; x < (rle && y == 0 ? 1 : 2); ++x)
        {
            const uint8_t* c = PICTURE[y][x];
            file.insert(file.end(), {c[2], c[1], c[0], c[3]});
            file.resize(file.size() - (format & 1 ? 0 : 1)); // 24 bits: no alpha
        }
    }
    return file;
}

// A run-length file of width x height pixels of `bits` (8: grey, else true colour)
// as tightly packed as the format allows: runs of 128, the last one shorter, each
// pixel's bytes holding its run's number.
Bytes Runs(int width, int height, int bits)
{
    Bytes file = Header(width, height, bits, true, false);
    file[2] = bits == 8 ? 11 : 10;
    const int64_t pixels = int64_t(width) * height;
    for (int64_t done = 0; done < pixels; done += 128)
    {
        file.push_back(uint8_t(0x80 | (std::min<int64_t>(128, pixels - done) - 1)));
        file.insert(file.end(), size_t(bits / 8), uint8_t(done / 128));
    }
    return file;
}

// The decoder at its limits: 4096 pixels on a side taken, at most 16M in all, and
// one more on a side refused; the most tightly run-length encoded picture of a
// size taken whole, and refused one byte short.
TEST(TgaDecode, TakesFilesUpToItsLimitsAndNoFurther)
{
    const int sizes[][3] = {{4096, 4096, 8}, {4096, 1, 24}, {1, 4096, 32}, {257, 1, 24},
                            {3, 43, 32},     {128, 1, 8},   {4097, 1, 8},  {1, 4097, 24}};
    for (const auto& size : sizes)
    {
        const Bytes file = Runs(size[0], size[1], size[2]);
        const bool taken = size[0] <= 4096 && size[1] <= 4096;
        DecodedImage image;
        EXPECT_EQ(DecodeTga(file.data(), file.size(), image), taken) << size[0] << " x " << size[1];
        const int last = (size[0] * size[1] - 1) / 128; // the top right pixel's run
        EXPECT_TRUE(!taken || (image.width == size[0] && image.height == size[1] &&
                               image.rgba[0] == 0 && image.rgba.end()[-4] == uint8_t(last) &&
                               image.rgba.end()[-2] == uint8_t(last)))
            << size[0] << " x " << size[1] << ", " << size[2] << " bits";
        EXPECT_FALSE(DecodeTga(file.data(), file.size() - 1, image))
            << size[0] << " x " << size[1] << " cut";
    }
}

class TextureTest : public GLTest
{
  protected:
    void TearDown() override { std::remove(path.c_str()); }
    const char* Write(const Bytes& bytes)
    {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path.c_str();
    }
    const std::string path = testing::TempDir() + "quorvel_" + std::to_string(getpid()) + ".tga";
};

// Every format uploads the same texels, the picture's bottom row at t = 0.
TEST_F(TextureTest, EveryFormatUploadsThePictureTheRightWayUp)
{
    for (int format = 0; format < 8; ++format)
    {
        CTexture texture;
        ASSERT_TRUE(texture.Create(Write(Encode(format)))) << "format " << format;
        GLint size[2] = {0, 0};
        uint8_t texels[2][2][4] = {};
        glBindTexture(GL_TEXTURE_2D, texture.id);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size[0]);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &size[1]);
        ASSERT_TRUE(size[0] == 2 && size[1] == 2) << size[0] << " x " << size[1];
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
        for (int i = 0; i < 16; ++i)
        {
            const int y = i / 8, x = i / 4 % 2, c = i % 4;
            EXPECT_EQ(texels[1 - y][x][c], c == 3 && !(format & 1) ? 255 : PICTURE[y][x][c])
                << "format " << format << ", pixel (" << x << ", " << y << "), channel " << c;
        }
    }
}

// A refused file (empty, oversized, garbage, cut short or missing) leaves id 0,
// and the texture loaded before it deleted.
TEST_F(TextureTest, UnusableFilesAreRefused)
{
    std::vector<Bytes> files = {
        Header(0, 0, 24, false, false), Runs(4097, 1, 32), Bytes(300, 0xA5), {}};
    for (int format = 0; format < 8; ++format)
    {
        const Bytes whole = Encode(format); // cut 1, 6, 11, ... bytes short
        for (size_t cut = 1; cut < whole.size(); cut += 5)
            files.emplace_back(whole.begin(), whole.end() - long(cut));
    }
    for (size_t i = 0; i <= files.size(); ++i)
    {
        CTexture texture;
        ASSERT_TRUE(texture.Create(Write(Encode(0))));
        const unsigned int loaded = texture.id;
        EXPECT_FALSE(texture.Create(i < files.size() ? Write(files[i]) : "no/such/file.tga"))
            << "file " << i;
        EXPECT_EQ(texture.id, 0u) << "file " << i;
        EXPECT_FALSE(glIsTexture(loaded)) << "file " << i;
    }
}

// Only a regular file, or a link to one, is read; anything else is refused at
// once. A FIFO with no writer would block an ordinary open for good, and through
// its link, with a writer that never writes, an ordinary read; the alarm would
// then end the run.
TEST_F(TextureTest, OnlyRegularFilesAreRead)
{
    const std::string fifo = path + ".fifo";
    const std::string toRegular = path + ".link", toFifo = path + ".fifolink";
    Write(Encode(0));
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(symlink(path.c_str(), toRegular.c_str()), 0);
    ASSERT_EQ(symlink(fifo.c_str(), toFifo.c_str()), 0);
    const std::string files[] = {fifo, toFifo, testing::TempDir(), "/dev/zero", toRegular};
    int writer = -1;
    for (const std::string& file : files)
    {
        if (file == toFifo)
            writer = open(fifo.c_str(), O_RDWR | O_NONBLOCK);
        CTexture texture;
        alarm(10);
        const bool read = texture.Create(file.c_str());
        alarm(0);
        EXPECT_EQ(read, file == toRegular) << file;
        EXPECT_EQ(texture.id != 0, read) << file;
    }
    close(writer);
    for (const std::string& file : {fifo, toRegular, toFifo})
        unlink(file.c_str());
}
} // namespace
