#pragma once

#include "Geometry/curves3d/Line3D.h"
#include "Kv/Base/PassiveRef.h"

namespace Kv::Geometry {

class Text;

// One of the four sketch lines framing a text, drawn in a colour of its own
// rather than the environment's sketch colours. The text follows the line:
// every change of the line is passed on to it.
class TextBorder : public Line3D {
    KV_GEOMETRY_ENTITY(TextBorder, Line3D)

public:
    // Each end is a sketch point found at the position or made there, so
    // border lines share their corners.
    static StrongRefCreator<TextBorder> make(const StrongRef<Entity>& parent,
                                             const ZkGePoint3d& start, const ZkGePoint3d& end,
                                             const StrongRef<Text>& text);

    const PassiveRef<Text>& text() const { return m_text; }
    // A null text makes the border an ordinary line that no text follows.
    void text(const PassiveRef<Text>& text);

    EGeometry3DType geomType() const override { return kTextBorder; }
    // A DeleteTextBorderRequest when the path ends at this line.
    Request* onProvideDeleteRequest(const ObjectPath& path) override;
    void activeEnvironmentChanged(Event* event) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::TextBorder")

protected:
    TextBorder(Segment* segment, uint64_t id);
    void onPostCreation(int kind) override;
    void onPostChange(const EntityChange& change) override;
    const wchar_t* onkWord() const override { return L"TextBorder"; }
    std::wstring onToString() const override;

private:
    TextBorder(Entity* parent, const StrongRef<Point3D>& start, const StrongRef<Point3D>& end,
               const StrongRef<Text>& text);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    PassiveRef<Text> m_text;
};

} // namespace Kv::Geometry
