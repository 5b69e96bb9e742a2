#include "Wyn/Graphics/Attribute.h"

namespace Wyn::Graphics {

Attribute Attribute::visibility(bool visible) {
    Attribute a(AttributeType::Visibility);
    a.m_flag = visible;
    return a;
}

Attribute Attribute::colorEffect(const Objects::Color& color) {
    Attribute a(AttributeType::ColorEffect);
    a.m_color = color;
    return a;
}

Attribute Attribute::occludedEffect(std::string imageName, const Objects::Color& color,
                                    double visibleFactor, double occludedFactor) {
    Attribute a(AttributeType::OccludedEffect);
    a.m_text = std::move(imageName);
    a.m_color = color;
    a.m_first = visibleFactor;
    a.m_second = occludedFactor;
    return a;
}

Attribute Attribute::lineStyle(const Objects::LineStyle& style) {
    Attribute a(AttributeType::LineStyle);
    a.m_lineStyle = style;
    return a;
}

Attribute Attribute::depthPriority(int priority) {
    Attribute a(AttributeType::DepthPriority);
    a.m_number = priority;
    return a;
}

Attribute Attribute::selectability(bool selectable, int selectionKind, std::string qualifier) {
    Attribute a(AttributeType::Selectability);
    a.m_flag = selectable;
    a.m_number = selectionKind;
    a.m_text = std::move(qualifier);
    return a;
}

Attribute Attribute::transform(const ZkGeMatrix3d& matrix) {
    Attribute a(AttributeType::Transform);
    a.m_matrix = matrix;
    return a;
}

Attribute Attribute::pixelScale(double scale, double factor, const ZkGePoint3d& anchor) {
    Attribute a(AttributeType::PixelScale);
    a.m_first = scale;
    a.m_second = factor;
    a.m_point = anchor;
    return a;
}

Attribute Attribute::billboard(const ZkGePoint3d& anchor, int mode, const ZkGeVector3d& up) {
    Attribute a(AttributeType::Billboard);
    a.m_point = anchor;
    a.m_number = mode;
    a.m_vector = up;
    return a;
}

const char* Attribute::typeName(AttributeType type) {
    switch (type) {
    case AttributeType::Visibility:
        return "visibility";
    case AttributeType::ColorEffect:
        return "colour effect";
    case AttributeType::OccludedEffect:
        return "occluded effect";
    case AttributeType::LineStyle:
        return "line style";
    case AttributeType::DepthPriority:
        return "depth priority";
    case AttributeType::Selectability:
        return "selectability";
    case AttributeType::Transform:
        return "transform";
    case AttributeType::PixelScale:
        return "pixel scale";
    case AttributeType::Billboard:
        return "billboard";
    }
    return "unknown attribute";
}

bool Attribute::operator==(const Attribute& o) const {
    return m_type == o.m_type && m_layer == o.m_layer && m_override == o.m_override &&
           m_flag == o.m_flag && m_color == o.m_color && m_text == o.m_text &&
           m_first == o.m_first && m_second == o.m_second && m_number == o.m_number &&
           m_lineStyle == o.m_lineStyle && m_matrix == o.m_matrix && m_point == o.m_point &&
           m_vector == o.m_vector;
}

} // namespace Wyn::Graphics
