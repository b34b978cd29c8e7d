// Texture objects and their images; ES 2.0 keeps them, the layer notes what
// it needs to know of each.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "Context.h"
#include "EsFunctions.h"

namespace
{
const GLint ES_CLAMP_TO_EDGE = 0x812F;

// The unsized format an internal format stands for, 0 for one not offered.
GLenum BaseFormat(GLint internalFormat)
{
    switch (internalFormat)
    {
    case 1:
    case GL_LUMINANCE:
        return GL_LUMINANCE;
    case GL_ALPHA:
    case GL_ALPHA8:
        return GL_ALPHA;
    case 3:
    case GL_RGB:
    case GL_RGB8:
        return GL_RGB;
    case 4:
    case GL_RGBA:
    case GL_RGBA8:
        return GL_RGBA;
    default:
        return 0;
    }
}

int Components(GLenum format)
{
    return format == GL_RGBA ? 4 : format == GL_RGB ? 3 : 1;
}

// Notes level `level` of the bound texture; levels count only in turn.
void NoteLevel(TextureInfo& info, GLint level, GLenum format, GLsizei width, GLsizei height)
{
    if (level == 0)
    {
        info.format = format;
        info.width = width;
        info.height = height;
        info.levels = 1;
    }
    else if (level == info.levels && format == info.format &&
             width == std::max(info.width >> level, 1) &&
             height == std::max(info.height >> level, 1))
        ++info.levels;
}
} // namespace

void glGenTextures(GLsizei n, GLuint* textures)
{
    Context& gl = Gl11();
    if (n < 0)
        return gl.Fail(GL_INVALID_VALUE);
    const EsFunctions* es = Es();
    if (!es)
    {
        std::fill_n(textures, n, 0u);
        return gl.Fail(GL_INVALID_OPERATION);
    }
    es->GenTextures(n, textures);
}

void glDeleteTextures(GLsizei n, const GLuint* textures)
{
    Context& gl = Gl11();
    if (n < 0)
        return gl.Fail(GL_INVALID_VALUE);
    for (GLsizei i = 0; i < n; ++i)
    {
        gl.textures.erase(textures[i]);
        if (textures[i] != 0 && textures[i] == gl.server.boundTexture)
            gl.server.boundTexture = 0;
    }
    if (const EsFunctions* es = Es())
        es->DeleteTextures(n, textures);
}

void glBindTexture(GLenum target, GLuint texture)
{
    Context& gl = Gl11();
    if (target != GL_TEXTURE_2D)
        return gl.Fail(GL_INVALID_ENUM);
    gl.server.boundTexture = texture;
    if (const EsFunctions* es = Es())
        es->BindTexture(target, texture);
}

void glTexParameteri(GLenum target, GLenum pname, GLint param)
{
    Context& gl = Gl11();
    if (target != GL_TEXTURE_2D)
        return gl.Fail(GL_INVALID_ENUM);
    if (pname == GL_TEXTURE_MIN_FILTER)
        gl.textures[gl.server.boundTexture].minFilter = GLenum(param);
    if ((pname == GL_TEXTURE_WRAP_S || pname == GL_TEXTURE_WRAP_T) && param == GL_CLAMP)
        param = ES_CLAMP_TO_EDGE; // ES has no border colour to clamp towards
    if (const EsFunctions* es = Es())
        es->TexParameteri(target, pname, param);
}

void glTexEnvi(GLenum target, GLenum pname, GLint param)
{
    if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE || param != GL_MODULATE)
        return Gl11().Fail(GL_INVALID_ENUM); // modulation is the one environment offered
    Gl11().server.textureEnvironment = GL_MODULATE;
}

void glPixelStorei(GLenum pname, GLint param)
{
    ClientState& client = Gl11().client;
    const bool alignment = pname == GL_UNPACK_ALIGNMENT;
    if (param < 0 || (alignment && param != 1 && param != 2 && param != 4 && param != 8))
        return Gl11().Fail(GL_INVALID_VALUE);
    switch (pname)
    {
    case GL_UNPACK_ALIGNMENT:
        client.unpackAlignment = param;
        break;
    case GL_UNPACK_ROW_LENGTH:
        client.unpackRowLength = param;
        break;
    case GL_UNPACK_SKIP_ROWS:
        client.unpackSkipRows = param;
        break;
    case GL_UNPACK_SKIP_PIXELS:
        client.unpackSkipPixels = param;
        break;
    default:
        Gl11().Fail(GL_INVALID_ENUM);
    }
}

// Unsigned bytes in the format the internal format names (ES converts none);
// rows are repacked where a row length or skips are set, which ES lacks.
void glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels)
{
    Context& gl = Gl11();
    const GLenum base = BaseFormat(internalformat);
    if (target != GL_TEXTURE_2D || type != GL_UNSIGNED_BYTE || base == 0)
        return gl.Fail(GL_INVALID_ENUM);
    if (level < 0 || width < 0 || height < 0 || border != 0)
        return gl.Fail(GL_INVALID_VALUE);
    if (format != base)
        return gl.Fail(GL_INVALID_OPERATION);
    const EsFunctions* es = Es();
    if (!es)
        return gl.Fail(GL_INVALID_OPERATION);
    const ClientState& unpack = gl.client;
    std::vector<uint8_t> packed;
    GLint alignment = unpack.unpackAlignment;
    if (pixels &&
        (unpack.unpackRowLength > 0 || unpack.unpackSkipRows > 0 || unpack.unpackSkipPixels > 0))
    {
        const size_t pixelBytes = size_t(Components(format));
        const size_t rowPixels =
            unpack.unpackRowLength > 0 ? size_t(unpack.unpackRowLength) : size_t(width);
        const size_t rowBytes = (rowPixels * pixelBytes + size_t(alignment) - 1) /
                                size_t(alignment) * size_t(alignment);
        const auto* source = static_cast<const uint8_t*>(pixels) +
                             size_t(unpack.unpackSkipRows) * rowBytes +
                             size_t(unpack.unpackSkipPixels) * pixelBytes;
        packed.resize(size_t(width) * size_t(height) * pixelBytes);
        for (GLsizei row = 0; row < height; ++row)
            std::copy_n(source + size_t(row) * rowBytes, size_t(width) * pixelBytes,
                        &packed[size_t(row) * size_t(width) * pixelBytes]);
        pixels = packed.data();
        alignment = 1;
    }
    es->PixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    es->TexImage2D(target, level, GLint(format), width, height, 0, format, type, pixels);
    NoteLevel(gl.textures[gl.server.boundTexture], level, format, width, height);
}
