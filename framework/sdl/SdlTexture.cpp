#include <GL/gl.h>
#include <GL/glu.h>

#include <string>

#include "framework/Report.h"
#include "framework/System.h"
#include "framework/Texture.h"
#include "framework/sdl/TgaDecode.h"

namespace
{
// Uploads with a full mipmap chain; 0 when GL refuses.
unsigned int Upload(const DecodedImage& image)
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
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    const GLint failed = gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, image.width, image.height,
                                           GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
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
    // An empty name is a file not found, which was said where it was looked for.
    if (!fileName || !*fileName || !HasCurrentContext())
        return false;
    DecodedImage image;
    if (!DecodeTgaFile(fileName, image))
    {
        // Found but unreadable: said, as a file not found is (FindDataFile).
        ReportProblem(std::string("Quorvel: ") + fileName +
                      " is not a picture the game reads (a complete TGA file, at most 4096 "
                      "pixels on a side); the board is drawn in flat colours");
        return false;
    }
    id = Upload(image);
    return id != 0;
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
