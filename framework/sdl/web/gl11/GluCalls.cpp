// GLU's camera, picking and mipmap calls over the layer.

#include <GL/glu.h>

#include "Context.h"
#include "Mipmap.h"

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    Perspective(Gl11().Top(), fovy, aspect, zNear, zFar);
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
               GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ)
{
    const double eye[3] = {eyeX, eyeY, eyeZ}, centre[3] = {centerX, centerY, centerZ};
    const double up[3] = {upX, upY, upZ};
    LookAt(Gl11().Top(), eye, centre, up);
}

void gluPickMatrix(GLdouble x, GLdouble y, GLdouble delX, GLdouble delY, GLint* viewport)
{
    PickMatrix(Gl11().Top(), x, y, delX, delY, viewport);
}

namespace
{
int Components(GLenum format)
{
    switch (format)
    {
    case GL_ALPHA:
    case GL_LUMINANCE:
        return 1;
    case GL_RGB:
        return 3;
    case GL_RGBA:
        return 4;
    default:
        return 0;
    }
}
} // namespace

// Unsigned bytes only, under the current unpack alignment, row length and
// skips; each level goes to glTexImage2D, whose errors glGetError reports.
GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void* data)
{
    const int components = Components(format);
    if (target != GL_TEXTURE_2D || type != GL_UNSIGNED_BYTE || components == 0)
        return GLU_INVALID_ENUM;
    if (width < 1 || height < 1 || data == nullptr)
        return GLU_INVALID_VALUE;
    Context& gl = Gl11();
    ClientState& unpack = gl.client;
    const int alignment = unpack.unpackAlignment > 0 ? unpack.unpackAlignment : 1;
    const int rowPixels = unpack.unpackRowLength > 0 ? unpack.unpackRowLength : width;
    const long long rowBytes =
        (static_cast<long long>(rowPixels) * components + alignment - 1) / alignment * alignment;
    if (rowBytes > 0x7FFFFFFF)
        return GLU_INVALID_VALUE;
    const auto* first = static_cast<const uint8_t*>(data) + unpack.unpackSkipRows * rowBytes +
                        unpack.unpackSkipPixels * components;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    const std::vector<MipLevel> levels =
        BuildMipmaps(first, width, height, components, int(rowBytes), maxSize);
    if (levels.empty())
        return GLU_OUT_OF_MEMORY;
    const ClientState saved = unpack;
    unpack.unpackAlignment = 1;
    unpack.unpackRowLength = unpack.unpackSkipRows = unpack.unpackSkipPixels = 0;
    for (size_t level = 0; level < levels.size(); ++level)
        glTexImage2D(target, GLint(level), internalFormat, levels[level].width,
                     levels[level].height, 0, format, type, levels[level].pixels.data());
    unpack = saved;
    return 0;
}
