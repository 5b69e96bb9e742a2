#pragma once

#include "Wyn/Objects/Curve2d.h"

#include <string>
#include <vector>

struct FT_FaceRec_;
struct FT_LibraryRec_;

namespace Wyn::Objects {

// One font file opened with FreeType. Metrics and outlines are in font units
// (unscaled, unhinted), so that text scales to any height without the grid
// fitting meant for screen pixels.
class FontFace {
public:
    // Opens face `index` of the file; throws std::runtime_error naming the
    // file when FreeType cannot read it.
    FontFace(FT_LibraryRec_* library, const std::string& path, int index);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const std::string& path() const { return m_path; }
    const std::string& familyName() const { return m_family; }
    bool isItalic() const { return m_italic; }
    bool isBold() const { return m_bold; }

    double unitsPerEm() const { return m_unitsPerEm; }
    // Height of the capital letters above the baseline.
    double capHeight() const { return m_capHeight; }
    // Offset of the underline's centre from the baseline (negative: below).
    double underlinePosition() const { return m_underlinePosition; }
    double underlineThickness() const { return m_underlineThickness; }

    // 0 when the face has no glyph for the character.
    unsigned glyphIndex(char32_t character) const;
    double advance(unsigned glyph) const;
    // The pair adjustment between two glyphs, 0 when the face has no kerning.
    double kerning(unsigned left, unsigned right) const;
    // The glyph's contours as lines and quadratic pieces. Cubic pieces (in
    // CFF faces) are split into quadratics within `cubicTolerance` units.
    std::vector<CurveList> outline(unsigned glyph, double cubicTolerance) const;

private:
    FT_FaceRec_* m_face = nullptr;
    std::string m_path;
    std::string m_family;
    bool m_italic = false;
    bool m_bold = false;
    double m_unitsPerEm = 1000.0;
    double m_capHeight = 700.0;
    double m_underlinePosition = -100.0;
    double m_underlineThickness = 50.0;
};

} // namespace Wyn::Objects
