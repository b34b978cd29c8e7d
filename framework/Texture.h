#pragma once

// A GL 2D texture loaded from an image file.
class CTexture
{
  public:
    unsigned int id; // GL texture name; 0 while nothing is loaded (binds no texture)

    CTexture();
    ~CTexture();

    // Decodes the TGA file and uploads it with mipmaps; needs a current context.
    // False for a missing, truncated, corrupt, empty or oversized file, which
    // leaves the object safe to bind and to destroy.
    bool Create(const char* fileName);
    // Deletes the GL texture while a context is current; otherwise only forgets it.
    void Release();
};
