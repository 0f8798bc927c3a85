#include "Font.h"

namespace fw {

UniqueFont Font::Create() const {
    LOGFONTW lf{};
    lf.lfHeight = -height; // negative: character height, not cell height
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfCharSet = charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    name.copy(lf.lfFaceName, LF_FACESIZE - 1);
    return UniqueFont(::CreateFontIndirectW(&lf));
}

} // namespace fw
