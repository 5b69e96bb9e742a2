#pragma once

#include "Geometry/curves3d/Line3D.h"
#include "Kv/Base/PassiveRef.h"

namespace Kv::Geometry {

class Text;

// One of the four sketch lines framing a text, drawn in a colour of its own
// rather than the environment's sketch colours.
class TextBorder : public Line3D {
    KV_GEOMETRY_ENTITY(TextBorder, Line3D)

public:
    static StrongRefCreator<TextBorder> make(const StrongRef<Entity>& parent,
                                             const StrongRef<Point3D>& start,
                                             const StrongRef<Point3D>& end,
                                             const StrongRef<Text>& text);

    const PassiveRef<Text>& text() const { return m_text; }

    EGeometry3DType geomType() const override { return kTextBorder; }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::TextBorder")

protected:
    TextBorder(Segment* segment, uint64_t id);
    void onPostCreation(int kind) override;
    std::wstring onToString() const override;

private:
    TextBorder(Entity* parent, const StrongRef<Point3D>& start, const StrongRef<Point3D>& end,
               const StrongRef<Text>& text);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    PassiveRef<Text> m_text;
};

} // namespace Kv::Geometry
