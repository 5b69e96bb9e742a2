#include "Wyn/Graphics/TextNode.h"

#include "Wyn/Objects/LineSegment.h"
#include "Wyn/Objects/QuadraticSegment.h"

namespace Wyn::Graphics {
namespace {

ZkGePoint2d shifted(const ZkGePoint2d& p, const ZkGePoint2d& by) {
    return ZkGePoint2d(p.x + by.x, p.y + by.y);
}

} // namespace

void TextNode::text(const std::wstring& text) {
    if (text != m_text) {
        m_text = text;
        m_layout.reset();
    }
}

void TextNode::defaultStyle(const Objects::TextStyle& style) {
    if (style != m_style) {
        m_style = style;
        m_layout.reset();
    }
}

void TextNode::anchor(const ZkGePoint2d& anchor) {
    if (anchor.x != m_anchor.x || anchor.y != m_anchor.y) {
        m_anchor = anchor;
        m_layout.reset();
    }
}

const Objects::TextLayout& TextNode::layout() const {
    if (m_layout)
        return *m_layout;
    auto layout = std::make_unique<Objects::TextLayout>(m_text, m_style);
    m_outline.clear();
    m_box = Objects::BBox();
    const bool moved = m_anchor.x != 0.0 || m_anchor.y != 0.0;
    for (const Objects::CurveList& contour : layout->outline()) {
        if (!moved) {
            m_outline.push_back(contour);
            continue;
        }
        Objects::CurveList placed;
        for (const auto& piece : contour) {
            if (piece->kind() == Objects::Curve2d::Kind::LineSegment) {
                placed.push_back(std::make_shared<Objects::LineSegment>(
                    shifted(piece->startPoint(), m_anchor), shifted(piece->endPoint(), m_anchor)));
            } else {
                const auto& q = static_cast<const Objects::QuadraticSegment&>(*piece);
                placed.push_back(std::make_shared<Objects::QuadraticSegment>(
                    shifted(q.controlPoint(0), m_anchor), shifted(q.controlPoint(1), m_anchor),
                    shifted(q.controlPoint(2), m_anchor)));
            }
        }
        m_outline.push_back(std::move(placed));
    }
    m_box = layout->boundingBox();
    if (!m_box.isEmpty())
        m_box.transformBy(ZkGeMatrix3d::translation(ZkGeVector3d(m_anchor.x, m_anchor.y, 0.0)));
    m_layout = std::move(layout);
    return *m_layout;
}

const std::vector<Objects::CurveList>& TextNode::outline() const {
    layout();
    return m_outline;
}

const Objects::BBox& TextNode::boundingBox() const {
    layout();
    return m_box;
}

double TextNode::advance() const {
    return layout().advance();
}

} // namespace Wyn::Graphics
