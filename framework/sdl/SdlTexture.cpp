#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>

#include "framework/System.h"
#include "framework/Texture.h"

namespace
{
// Larger images are refused before anything is allocated for them.
const int MAX_SIDE = 4096;
const int64_t MAX_PIXELS = 16 * 1024 * 1024;
const int TGA_HEADER_SIZE = 18;

// Reads the size from the TGA header (little-endian words at 12 and 14) and
// rewinds; false when the header is short or the size is empty or too large.
bool HeaderSizeAcceptable(SDL_RWops* file)
{
    Uint8 header[TGA_HEADER_SIZE];
    if (SDL_RWread(file, header, 1, sizeof header) != sizeof header)
        return false;
    if (SDL_RWseek(file, 0, RW_SEEK_SET) != 0)
        return false;
    const int width = header[12] | header[13] << 8;
    const int height = header[14] | header[15] << 8;
    return width > 0 && height > 0 && width <= MAX_SIDE && height <= MAX_SIDE &&
           static_cast<int64_t>(width) * height <= MAX_PIXELS;
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

// The decoded image as RGBA bytes, top row first; null on any failure.
SDL_Surface* LoadRgba(const char* fileName)
{
    SDL_RWops* file = SDL_RWFromFile(fileName, "rb");
    if (!file)
        return nullptr;
    SDL_Surface* decoded = HeaderSizeAcceptable(file) ? DecodeComplete(file) : nullptr;
    SDL_RWclose(file);
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

// Turns the rows over in place: GL takes the bottom row first (t = 0), so the
// picture stands the right way up whichever origin the file declared.
void FlipRows(SDL_Surface* image)
{
    Uint8* pixels = static_cast<Uint8*>(image->pixels);
    const int rowBytes = image->w * 4;
    for (int top = 0, bottom = image->h - 1; top < bottom; ++top, --bottom)
    {
        Uint8* a = pixels + static_cast<size_t>(top) * image->pitch;
        Uint8* b = pixels + static_cast<size_t>(bottom) * image->pitch;
        for (int i = 0; i < rowBytes; ++i)
        {
            const Uint8 swap = a[i];
            a[i] = b[i];
            b[i] = swap;
        }
    }
}

// Uploads with a full mipmap chain; 0 when GL refuses.
unsigned int Upload(const SDL_Surface* image)
{
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0)
        return 0;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);

    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, image->pitch / 4);
    const GLint failed = gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, image->w, image->h, GL_RGBA,
                                           GL_UNSIGNED_BYTE, image->pixels);
    glPopClientAttrib();

    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
    if (failed != 0)
    {
        glDeleteTextures(1, &name);
        return 0;
    }
    return name;
}
} // namespace

CTexture::CTexture() : id(0) {}

CTexture::~CTexture()
{
    Release();
}

bool CTexture::Create(const char* fileName)
{
    Release();
    if (!fileName || !HasCurrentContext())
        return false;
    SDL_Surface* image = LoadRgba(fileName);
    if (!image)
        return false;
    bool uploaded = false;
    if (SDL_LockSurface(image) == 0)
    {
        FlipRows(image);
        id = Upload(image);
        uploaded = id != 0;
        SDL_UnlockSurface(image);
    }
    SDL_FreeSurface(image);
    return uploaded;
}

// At exit the board's texture outlives the window: without a context there is
// nothing to delete, and no GL call may be made.
void CTexture::Release()
{
    if (id != 0 && HasCurrentContext())
    {
        const GLuint name = id;
        glDeleteTextures(1, &name);
    }
    id = 0;
}
