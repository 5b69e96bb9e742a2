#include "Wyn/Objects/FontFace.h"

#include "Wyn/Objects/LineSegment.h"
#include "Wyn/Objects/QuadraticSegment.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <stdexcept>

namespace Wyn::Objects {
namespace {

std::string errorText(FT_Error error) {
    const char* text = FT_Error_String(error);
    return text ? text : "FreeType error " + std::to_string(error);
}

ZkGePoint2d point(const FT_Vector* v) {
    return ZkGePoint2d(static_cast<double>(v->x), static_cast<double>(v->y));
}

struct Decomposition {
    std::vector<CurveList> contours;
    ZkGePoint2d current;
    double cubicTolerance = 1.0;
};

int moveTo(const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposition*>(user);
    d->contours.emplace_back();
    d->current = point(to);
    return 0;
}

int lineTo(const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposition*>(user);
    const ZkGePoint2d end = point(to);
    d->contours.back().push_back(std::make_shared<LineSegment>(d->current, end));
    d->current = end;
    return 0;
}

int conicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposition*>(user);
    const ZkGePoint2d end = point(to);
    d->contours.back().push_back(
        std::make_shared<QuadraticSegment>(d->current, point(control), end));
    d->current = end;
    return 0;
}

int cubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposition*>(user);
    const ZkGePoint2d end = point(to);
    for (const QuadraticSegment& piece : QuadraticSegment::fromCubic(
             d->current, point(control1), point(control2), end, d->cubicTolerance))
        d->contours.back().push_back(std::make_shared<QuadraticSegment>(piece));
    d->current = end;
    return 0;
}

} // namespace

FontFace::FontFace(FT_LibraryRec_* library, const std::string& path, int index)
    : m_path(path) {
    FT_Face face = nullptr;
    const FT_Error error = FT_New_Face(library, path.c_str(), index, &face);
    if (error)
        throw std::runtime_error("cannot open font '" + path + "': " + errorText(error));
    m_face = face;
    m_family = face->family_name ? face->family_name : "";
    m_italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    m_bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    if (face->units_per_EM > 0)
        m_unitsPerEm = face->units_per_EM;
    m_capHeight = 0.7 * m_unitsPerEm;
    m_underlinePosition = face->underline_position;
    m_underlineThickness =
        face->underline_thickness > 0 ? face->underline_thickness : 0.05 * m_unitsPerEm;
    // The OS/2 table states the cap height; older faces lack it, and then the
    // top of "H" is what a reader would call the cap height.
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version >= 2 && os2->sCapHeight > 0) {
        m_capHeight = os2->sCapHeight;
    } else if (unsigned h = FT_Get_Char_Index(face, 'H');
               h && FT_Load_Glyph(face, h, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) == 0) {
        FT_BBox box;
        FT_Outline_Get_CBox(&face->glyph->outline, &box);
        if (box.yMax > 0)
            m_capHeight = static_cast<double>(box.yMax);
    }
}

FontFace::~FontFace() {
    if (m_face)
        FT_Done_Face(m_face);
}

unsigned FontFace::glyphIndex(char32_t character) const {
    return FT_Get_Char_Index(m_face, static_cast<FT_ULong>(character));
}

double FontFace::advance(unsigned glyph) const {
    if (FT_Load_Glyph(m_face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) != 0)
        return 0.0;
    return static_cast<double>(m_face->glyph->advance.x);
}

double FontFace::kerning(unsigned left, unsigned right) const {
    if (!FT_HAS_KERNING(m_face) || left == 0 || right == 0)
        return 0.0;
    FT_Vector delta{0, 0};
    if (FT_Get_Kerning(m_face, left, right, FT_KERNING_UNSCALED, &delta) != 0)
        return 0.0;
    return static_cast<double>(delta.x);
}

std::vector<CurveList> FontFace::outline(unsigned glyph, double cubicTolerance) const {
    Decomposition decomposition;
    decomposition.cubicTolerance = cubicTolerance;
    if (FT_Load_Glyph(m_face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) !=
            0 ||
        m_face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
        return {};
    FT_Outline_Funcs funcs{};
    funcs.move_to = moveTo;
    funcs.line_to = lineTo;
    funcs.conic_to = conicTo;
    funcs.cubic_to = cubicTo;
    FT_Outline_Decompose(&m_face->glyph->outline, &funcs, &decomposition);
    // Drop contours that decomposed to nothing (a lone move).
    std::vector<CurveList> contours;
    for (CurveList& contour : decomposition.contours)
        if (!contour.empty())
            contours.push_back(std::move(contour));
    return contours;
}

} // namespace Wyn::Objects
