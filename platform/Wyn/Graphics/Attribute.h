#pragma once

#include "Wyn/Objects/Color.h"
#include "Wyn/Objects/LineStyle.h"

#include "ZkGeMatrix3d.h"

#include <string>

namespace Wyn::Graphics {

// What an attribute sets. The values are stable: the host names them by
// number (removing attribute type 0 shows a hidden node again).
enum class AttributeType : int {
    Visibility = 0,
    ColorEffect = 1,
    OccludedEffect = 2,
    LineStyle = 3,
    DepthPriority = 4,
    Selectability = 5,
    Transform = 6,
    PixelScale = 7,
    Billboard = 8,
};

// One attribute of a node. A node holds at most one attribute of a type per
// layer; the renderer and picking read layer 0. Attributes apply to the node's
// subtree, where a descendant's own attribute of the same type wins unless
// this one overrides its children.
//
// Which values mean something depends on the type; the others keep their
// defaults. Build attributes with the named factories.
class Attribute {
public:
    // Shown or hidden, with the subtree.
    static Attribute visibility(bool visible);
    static Attribute colorEffect(const Objects::Color& color);
    // The colour (or, with an image name, the image painted on the node's
    // triangles) and the opacity factors for the visible and the occluded
    // parts; a negative factor leaves the colour's own alpha.
    static Attribute occludedEffect(std::string imageName, const Objects::Color& color,
                                    double visibleFactor, double occludedFactor);
    static Attribute lineStyle(const Objects::LineStyle& style);
    // Higher priorities are drawn later, over lower ones.
    static Attribute depthPriority(int priority);
    // Whether picking may find the node, the selection kind it reports and a
    // qualifier that picking passes on (such as which handle was hit).
    static Attribute selectability(bool selectable, int selectionKind, std::string qualifier);
    static Attribute transform(const ZkGeMatrix3d& matrix);
    // The subtree keeps its size on screen: one unit about `anchor` is
    // scale / factor pixels, whatever the zoom.
    static Attribute pixelScale(double scale, double factor, const ZkGePoint3d& anchor);
    // The subtree turns to face the viewer about `anchor`, keeping `up` up
    // (mode 1 turns about the anchor point).
    static Attribute billboard(const ZkGePoint3d& anchor, int mode, const ZkGeVector3d& up);

    static const char* typeName(AttributeType type);

    AttributeType type() const { return m_type; }
    int layer() const { return m_layer; }
    Attribute& layer(int layer) {
        m_layer = layer;
        return *this;
    }
    bool overridesChildren() const { return m_override; }
    Attribute& overrideChildren(bool on) {
        m_override = on;
        return *this;
    }

    bool isVisible() const { return m_flag; }
    bool isSelectable() const { return m_flag; }
    const Objects::Color& color() const { return m_color; }
    const std::string& imageName() const { return m_text; }
    const std::string& qualifier() const { return m_text; }
    double visibleFactor() const { return m_first; }
    double occludedFactor() const { return m_second; }
    double scale() const { return m_first; }
    double factor() const { return m_second; }
    const Objects::LineStyle& lineStyle() const { return m_lineStyle; }
    int priority() const { return m_number; }
    int selectionKind() const { return m_number; }
    int mode() const { return m_number; }
    const ZkGeMatrix3d& matrix() const { return m_matrix; }
    const ZkGePoint3d& anchor() const { return m_point; }
    const ZkGeVector3d& up() const { return m_vector; }

    bool operator==(const Attribute& o) const;
    bool operator!=(const Attribute& o) const { return !(*this == o); }

private:
    explicit Attribute(AttributeType type)
        : m_type(type) {}

    AttributeType m_type;
    int m_layer = 0;
    bool m_override = false;
    bool m_flag = true;
    Objects::Color m_color;
    std::string m_text;
    double m_first = 0.0;
    double m_second = 0.0;
    int m_number = 0;
    Objects::LineStyle m_lineStyle;
    ZkGeMatrix3d m_matrix;
    ZkGePoint3d m_point;
    ZkGeVector3d m_vector;
};

} // namespace Wyn::Graphics
