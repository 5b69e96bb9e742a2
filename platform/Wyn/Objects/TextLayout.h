#pragma once

#include "Wyn/Objects/BBox.h"
#include "Wyn/Objects/Curve2d.h"
#include "Wyn/Objects/TextStyle.h"

#include <string>
#include <vector>

namespace Wyn::Objects {

// A one-line string laid out in a face: the glyph outlines placed along the
// baseline y = 0 from x = 0, scaled so that capitals are the style's height.
class TextLayout {
public:
    // Lays the text out at once; throws std::runtime_error when no font can
    // be found for the style's face name.
    TextLayout(const std::wstring& text, const TextStyle& style);

    // One curve list per closed contour, glyph by glyph in reading order,
    // then the underline's contour when the style asks for one.
    const std::vector<CurveList>& outline() const { return m_outline; }
    // The tight box of the outline (z = 0); empty when nothing is visible,
    // as for the empty string or a string of blanks.
    const BBox& boundingBox() const { return m_box; }
    // Where the pen stands after the last character.
    double advance() const { return m_advance; }
    // The file of the face that was used.
    const std::string& facePath() const { return m_facePath; }

private:
    std::vector<CurveList> m_outline;
    BBox m_box;
    double m_advance = 0.0;
    std::string m_facePath;
};

} // namespace Wyn::Objects
