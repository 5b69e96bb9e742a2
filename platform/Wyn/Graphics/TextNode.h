#pragma once

#include "Wyn/Graphics/ARenderNode.h"
#include "Wyn/Objects/TextLayout.h"
#include "Wyn/Objects/TextStyle.h"

#include "ZkGePoint2d.h"

#include <memory>
#include <string>

namespace Wyn::Graphics {

// A line of text in the node's XY plane, drawn as filled glyph outlines. The
// layout is made when the outline or the box is first asked for after a
// change, so setting text, style and anchor in turn lays out once.
class TextNode : public ARenderNode {
public:
    NodeKind kind() const override { return NodeKind::Text; }

    const std::wstring& text() const { return m_text; }
    void text(const std::wstring& text);
    const Objects::TextStyle& defaultStyle() const { return m_style; }
    void defaultStyle(const Objects::TextStyle& style);
    // Where the start of the baseline lies in node coordinates.
    const ZkGePoint2d& anchor() const { return m_anchor; }
    void anchor(const ZkGePoint2d& anchor);

    // Nested list of curve lists: one list of straight segments and quadratic
    // pieces per closed contour, in node coordinates (z = 0). Throws
    // std::runtime_error when no font is found for the style's face.
    const std::vector<Objects::CurveList>& outline() const;
    // The outline's tight box; empty for a string without visible glyphs.
    const Objects::BBox& boundingBox() const;
    // Pen advance of the whole string.
    double advance() const;

private:
    const Objects::TextLayout& layout() const;

    std::wstring m_text;
    Objects::TextStyle m_style;
    ZkGePoint2d m_anchor;
    mutable std::unique_ptr<Objects::TextLayout> m_layout;
    mutable std::vector<Objects::CurveList> m_outline;
    mutable Objects::BBox m_box;
};

} // namespace Wyn::Graphics
