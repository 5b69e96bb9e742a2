#include "Wyn/Objects/TextLayout.h"

#include "Wyn/Objects/FontCache.h"
#include "Wyn/Objects/LineSegment.h"
#include "Wyn/Objects/QuadraticSegment.h"

namespace Wyn::Objects {
namespace {

// The slant given to upright faces when italic text is asked for and the
// family has no italic face (about 12 degrees, as oblique faces use).
constexpr double kObliqueShear = 0.21;

// Places one piece of a glyph outline: font units to text units, slanted,
// moved to the pen position.
class Placement {
public:
    Placement(double scale, double shear, double penX)
        : m_scale(scale)
        , m_shear(shear)
        , m_penX(penX) {}

    ZkGePoint2d operator()(const ZkGePoint2d& p) const {
        return ZkGePoint2d((p.x + m_shear * p.y) * m_scale + m_penX, p.y * m_scale);
    }

private:
    double m_scale;
    double m_shear;
    double m_penX;
};

void extend(BBox& box, const ZkGePoint2d& p) {
    box.extend(ZkGePoint3d(p.x, p.y, 0.0));
}

void closedRectangle(std::vector<CurveList>& outline, double x0, double y0, double x1, double y1) {
    const ZkGePoint2d a(x0, y0), b(x1, y0), c(x1, y1), d(x0, y1);
    outline.push_back({std::make_shared<LineSegment>(a, b), std::make_shared<LineSegment>(b, c),
                       std::make_shared<LineSegment>(c, d), std::make_shared<LineSegment>(d, a)});
}

} // namespace

TextLayout::TextLayout(const std::wstring& text, const TextStyle& style) {
    const FontFace& face =
        FontCache::get().face(style.faceName(), style.isBold(), style.isItalic());
    m_facePath = face.path();
    const double scale = style.height() / face.capHeight();
    const double shear = style.isItalic() && !face.isItalic() ? kObliqueShear : 0.0;
    const double spacing = style.extraSpacing() * style.height();
    const bool kerning = (style.flags() & TextStyle::kKerning) != 0;
    // A tolerance of a thousandth of the em keeps split cubics far below
    // anything a drawing or a profile can show.
    const double cubicTolerance = face.unitsPerEm() / 1000.0;

    double pen = 0.0;
    unsigned previous = 0;
    bool anyVisible = false;
    for (wchar_t wc : text) {
        const auto character = static_cast<char32_t>(wc);
        if (character < 0x20)
            continue; // control characters take no room on a single line
        const unsigned glyph = face.glyphIndex(character);
        if (kerning)
            pen += face.kerning(previous, glyph) * scale;
        const Placement place(scale, shear, pen);
        // A character the face lacks takes its room but shows nothing: the
        // face's "missing" box would read as a character that is not there.
        if (glyph != 0) {
            for (const CurveList& contour : face.outline(glyph, cubicTolerance)) {
                CurveList placed;
                for (const auto& piece : contour) {
                    if (piece->kind() == Curve2d::Kind::LineSegment) {
                        auto line = std::make_shared<LineSegment>(place(piece->startPoint()),
                                                                  place(piece->endPoint()));
                        extend(m_box, line->startPoint());
                        extend(m_box, line->endPoint());
                        placed.push_back(std::move(line));
                    } else {
                        const auto& q = static_cast<const QuadraticSegment&>(*piece);
                        auto quad = std::make_shared<QuadraticSegment>(place(q.controlPoint(0)),
                                                                       place(q.controlPoint(1)),
                                                                       place(q.controlPoint(2)));
                        ZkGePoint2d lo, hi;
                        quad->extremes(lo, hi);
                        extend(m_box, lo);
                        extend(m_box, hi);
                        placed.push_back(std::move(quad));
                    }
                }
                anyVisible = true;
                m_outline.push_back(std::move(placed));
            }
        }
        pen += face.advance(glyph) * scale + spacing;
        previous = glyph;
    }
    m_advance = pen;

    if (style.isUnderline() && anyVisible && pen > 0.0) {
        const double centre = face.underlinePosition() * scale;
        const double half = 0.5 * face.underlineThickness() * scale;
        closedRectangle(m_outline, 0.0, centre - half, pen, centre + half);
        m_box.extend(ZkGePoint3d(0.0, centre - half, 0.0));
        m_box.extend(ZkGePoint3d(pen, centre + half, 0.0));
    }
}

} // namespace Wyn::Objects
