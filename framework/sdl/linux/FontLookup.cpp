#include "framework/sdl/FontLookup.h"

#include <fontconfig/fontconfig.h>

#include <cstring>

const char* const FONT_NAME = "sans-serif";

// A fresh fontconfig configuration each time: fontconfig keeps nothing after it returns.
bool FindFontFile(char* path, size_t pathSize, int& faceIndex)
{
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcPattern* pattern =
        config ? FcNameParse(reinterpret_cast<const FcChar8*>(FONT_NAME)) : nullptr;
    FcPattern* match = nullptr;
    // Only an outline font can be set to the size whose line fits; a bitmap
    // font's one size would make the lines of text overlap.
    if (pattern && FcPatternAddBool(pattern, FC_SCALABLE, FcTrue) &&
        FcConfigSubstitute(config, pattern, FcMatchPattern))
    {
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        match = FcFontMatch(config, pattern, &result);
    }
    FcChar8* file = nullptr;
    bool found = match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file &&
                 std::strlen(reinterpret_cast<const char*>(file)) < pathSize;
    if (found)
    {
        std::strcpy(path, reinterpret_cast<const char*>(file));
        if (FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex) != FcResultMatch)
            faceIndex = 0;
    }
    if (match)
        FcPatternDestroy(match);
    if (pattern)
        FcPatternDestroy(pattern);
    if (config)
        FcConfigDestroy(config);
    return found;
}
