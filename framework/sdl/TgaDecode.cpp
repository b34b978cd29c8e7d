#include "framework/sdl/TgaDecode.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>

#include "framework/sdl/RegularFile.h"

namespace
{
// Larger images are refused before anything is allocated for them.
const int MAX_SIDE = 4096;
const int64_t MAX_PIXELS = 16 * 1024 * 1024;
const int TGA_HEADER_SIZE = 18;
// Image types (header byte 2): raw, then run-length encoded.
const int TGA_MAPPED = 1;
const int TGA_TRUE_COLOUR = 2;
const int TGA_GREY = 3;
const int TGA_RLE_MAPPED = 9;
const int TGA_RLE_TRUE_COLOUR = 10;
const int TGA_RLE_GREY = 11;
const int RLE_MAX_RUN = 128;

// Reads the TGA header and rewinds; false when the header is short, the size
// (little-endian words at 12 and 14) is empty or too large, or the file is too
// short for the picture it declares. The last check is a lower bound that
// spares decoding a few bytes into a large surface only to find them missing:
// raw pixels take at least bits / 8 bytes each, and an RLE packet, a count byte
// and one pixel, stands for at most 128 pixels. Other types are the decoder's
// to refuse.
bool HeaderAcceptable(SDL_RWops* file)
{
    Uint8 header[TGA_HEADER_SIZE];
    if (SDL_RWread(file, header, 1, sizeof header) != sizeof header)
        return false;
    if (SDL_RWseek(file, 0, RW_SEEK_SET) != 0)
        return false;
    const int width = header[12] | header[13] << 8;
    const int height = header[14] | header[15] << 8;
    const int64_t pixels = static_cast<int64_t>(width) * height;
    if (width <= 0 || height <= 0 || width > MAX_SIDE || height > MAX_SIDE || pixels > MAX_PIXELS)
        return false;
    const int64_t pixelBytes = header[16] / 8;
    const int type = header[2];
    int64_t least = TGA_HEADER_SIZE;
    if (type == TGA_MAPPED || type == TGA_TRUE_COLOUR || type == TGA_GREY)
        least += pixels * pixelBytes;
    else if (type == TGA_RLE_MAPPED || type == TGA_RLE_TRUE_COLOUR || type == TGA_RLE_GREY)
        least += (pixels + RLE_MAX_RUN - 1) / RLE_MAX_RUN * (1 + pixelBytes);
    const Sint64 size = SDL_RWsize(file); // -1 when the stream cannot tell
    return size < 0 || size >= least;
}

// A read-only view of a file that notes every read the file could not fill.
// The TGA decoder takes a file that ends early for a whole picture with the
// missing pixels black; this is how a truncated file is told from a good one.
struct CheckedReader
{
    SDL_RWops* file;
    bool ranShort;
};

CheckedReader& ReaderOf(SDL_RWops* stream)
{
    return *static_cast<CheckedReader*>(stream->hidden.unknown.data1);
}

Sint64 CheckedSize(SDL_RWops* stream)
{
    return SDL_RWsize(ReaderOf(stream).file);
}

Sint64 CheckedSeek(SDL_RWops* stream, Sint64 offset, int whence)
{
    return SDL_RWseek(ReaderOf(stream).file, offset, whence);
}

size_t CheckedRead(SDL_RWops* stream, void* buffer, size_t size, size_t count)
{
    CheckedReader& reader = ReaderOf(stream);
    const size_t read = SDL_RWread(reader.file, buffer, size, count);
    if (read < count)
        reader.ranShort = true;
    return read;
}

size_t RefuseWrite(SDL_RWops*, const void*, size_t, size_t)
{
    SDL_SetError("read-only stream");
    return 0;
}

int CheckedClose(SDL_RWops* stream)
{
    SDL_FreeRW(stream);
    return 0;
}

// Decodes the whole file; null when it is not a TGA or ends too soon.
SDL_Surface* DecodeComplete(SDL_RWops* file)
{
    SDL_RWops* stream = SDL_AllocRW();
    if (!stream)
        return nullptr;
    CheckedReader reader = {file, false};
    stream->type = SDL_RWOPS_UNKNOWN;
    stream->size = CheckedSize;
    stream->seek = CheckedSeek;
    stream->read = CheckedRead;
    stream->write = RefuseWrite;
    stream->close = CheckedClose;
    stream->hidden.unknown.data1 = &reader;
    SDL_Surface* decoded = IMG_LoadTGA_RW(stream);
    SDL_RWclose(stream);
    if (decoded && reader.ranShort)
    {
        SDL_FreeSurface(decoded);
        return nullptr;
    }
    return decoded;
}

// The decoded image as RGBA bytes; null on any failure.
SDL_Surface* LoadRgba(SDL_RWops* file)
{
    SDL_Surface* decoded = HeaderAcceptable(file) ? DecodeComplete(file) : nullptr;
    if (!decoded)
        return nullptr;
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(decoded);
    if (rgba && (rgba->w <= 0 || rgba->h <= 0 || rgba->pitch < rgba->w * 4))
    {
        SDL_FreeSurface(rgba);
        return nullptr;
    }
    return rgba;
}

// Copies the rows bottom first: SDL's surface has the top row first whichever
// origin the file declared.
bool CopyBottomUp(SDL_Surface* image, DecodedImage& out)
{
    if (SDL_LockSurface(image) != 0)
        return false;
    const size_t rowBytes = static_cast<size_t>(image->w) * 4;
    out.width = image->w;
    out.height = image->h;
    out.rgba.resize(rowBytes * image->h);
    const Uint8* pixels = static_cast<const Uint8*>(image->pixels);
    for (int row = 0; row < image->h; ++row)
    {
        const Uint8* source = pixels + static_cast<size_t>(image->h - 1 - row) * image->pitch;
        std::memcpy(out.rgba.data() + row * rowBytes, source, rowBytes);
    }
    SDL_UnlockSurface(image);
    return true;
}

// Takes over `file` and closes it.
bool Decode(SDL_RWops* file, DecodedImage& out)
{
    out = DecodedImage();
    if (!file)
        return false;
    SDL_Surface* image = LoadRgba(file);
    SDL_RWclose(file);
    const bool copied = image && CopyBottomUp(image, out);
    SDL_FreeSurface(image);
    return copied;
}

// Null when the file is not a regular one or cannot be opened.
SDL_RWops* OpenStream(const char* fileName)
{
    std::FILE* file = OpenRegularFile(fileName);
    if (!file)
        return nullptr;
    SDL_RWops* stream = SDL_RWFromFP(file, SDL_TRUE);
    if (!stream)
        std::fclose(file);
    return stream;
}
} // namespace

bool DecodeTga(const void* bytes, size_t size, DecodedImage& out)
{
    if (!bytes || size > static_cast<size_t>(SDL_MAX_SINT32))
    {
        out = DecodedImage();
        return false;
    }
    return Decode(SDL_RWFromConstMem(bytes, static_cast<int>(size)), out);
}

bool DecodeTgaFile(const char* fileName, DecodedImage& out)
{
    return Decode(fileName ? OpenStream(fileName) : nullptr, out);
}
