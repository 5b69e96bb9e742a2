#pragma once

#include "Geometry/sketch3d/Geometry3D.h"
#include "Geometry/text/FontStyle.h"
#include "ZkGeLineSeg3d.h"
#include "ZkGeNurbCurve3d.h"
#include "ZkGePoint3d.h"

#include <string>
#include <vector>

namespace Kv::Geometry {

class TextBorder;

// A line of text placed in a sketch: the string, its font style, position and
// angle in the sketch plane, the profile geometry taken from its glyph
// outlines, and the border lines of its box.
class Text : public Geometry3D {
    KV_GEOMETRY_ENTITY(Text, Geometry3D)

public:
    static StrongRefCreator<Text> make(const StrongRef<Entity>& parent, const std::wstring& text,
                                       const ZkGePoint3d& position, const FontStyle& style);
    // Out of line, so that users of the text need not know its border lines.
    ~Text() override;

    std::wstring text() const { return m_text; }
    // The lower-left corner of the text before it is turned by its angle.
    const ZkGePoint3d& position() const { return m_position; }
    void position(const ZkGePoint3d& position);
    FontStyle fontStyle() const;
    bool useEnvironmentColors() const { return m_useEnvironmentColors; }
    void useEnvironmentColors(bool use);
    bool rightReading() const { return m_rightReading; }
    // The middle of the text's box, turned with the text.
    ZkGePoint3d center() const;
    // Appends copies of the profile lines and curves.
    void profile(std::vector<ZkGeLineSeg3d>& lines, std::vector<ZkGeNurbCurve3d>& curves) const;
    std::vector<StrongRef<TextBorder>> borderLines() const;

    EGeometry3DType geomType() const override { return kText; }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Text")

protected:
    Text(Segment* segment, uint64_t id);

    bool onReferences(const StrongRef<Point3D>&) const override { return false; }
    bool onHasLines() const override { return false; }
    bool onHasFill() const override { return false; }
    void onTranslate(const ZkGeVector3d& offset) override;
    std::wstring onToString() const override;

private:
    Text(Entity* parent, const std::wstring& text, const ZkGePoint3d& position,
         const FontStyle& style);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    void takeStyle(const FontStyle& style);

    ZkGePoint3d m_position;
    std::wstring m_text;
    std::wstring m_face;
    Color m_color;
    double m_height = 0.0;
    double m_width = 0.0;
    double m_angle = 0.0;
    int m_charset = 0;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_shx = false;
    bool m_rightReading = false;
    std::vector<ZkGeLineSeg3d> m_profileLines;
    std::vector<ZkGeNurbCurve3d> m_profileCurves;
    std::vector<StrongRef<TextBorder>> m_textBox;
    bool m_useEnvironmentColors = true;
    int m_styleCode = 0;
};

} // namespace Kv::Geometry
