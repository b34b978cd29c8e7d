// libFuzzer target: arbitrary bytes into the texture decoder. Beyond what the
// sanitizers catch, an accepted image must keep the decoder's promises.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "framework/sdl/TgaDecode.h"

namespace
{
void Fail(const char* what)
{
    std::fprintf(stderr, "texture_fuzz: %s\n", what);
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodedImage image;
    if (!DecodeTga(data, size, image))
    {
        if (image.width != 0 || image.height != 0 || !image.rgba.empty())
            Fail("a refused image left pixels behind");
        return 0;
    }
    if (image.width <= 0 || image.height <= 0 || image.width > 4096 || image.height > 4096)
        Fail("accepted an image of a size that should be refused");
    if (image.rgba.size() != static_cast<size_t>(image.width) * image.height * 4)
        Fail("pixel buffer does not match width * height * 4");
    // The header's own size words are what the image must have.
    if (size < 18 || image.width != (data[12] | data[13] << 8) ||
        image.height != (data[14] | data[15] << 8))
        Fail("decoded size differs from the header's");
    return 0;
}
