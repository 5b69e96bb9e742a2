#include "SketchTestDocument.h"

#include "Kv/DataModel/MemberCodec.h"
#include "Kv/DataModel/MemberSet.h"
#include "Kv/DataModel/Request.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/DataModel/Status.h"
#include "Kv/Scene/SceneManager.h"

#include <gtest/gtest.h>

#include <sstream>

namespace Kv::Geometry::Tests {

using Wyn::Graphics::ARenderNode;
using Wyn::Graphics::Attribute;
using Wyn::Graphics::AttributeType;

SketchTestDocument::SketchTestDocument()
    : sketch(Sketch::make(sketches, L"Sketch1"))
    , parent(sketch) {}

Entity* SketchTestDocument::counterpart(Asset& opened, const Entity* entity) const {
    return entity ? opened.findEntity(entity->segment()->key(), entity->id()) : nullptr;
}

bool SketchTestDocument::inSketch(const Entity* entity) const {
    return sketch->indexOf(entity) != Managed::ManagedGroupEntity::npos;
}

void SketchTestDocument::deleteThroughRequest(Geometry3D& entity,
                                              const std::function<void(Request*)>& adjust) const {
    const ObjectPath path = ObjectPath::toEntity(&entity);
    ASSERT_TRUE(entity.onCanDelete(path));
    Request* request = entity.onProvideDeleteRequest(path);
    ASSERT_NE(request, nullptr);
    if (adjust)
        adjust(request);
    Status status;
    EXPECT_TRUE(request->execute(status)) << status.message();
    request->destroy();
}

void SketchTestDocument::realize() {
    asset.sceneManager().rootNode();
}

std::string printed(Entity* entity) {
    std::ostringstream out;
    MemberCodec::print(entity, out, MemberContext());
    return out.str();
}

std::vector<std::string> ownMemberNames(const MemberSet& set) {
    std::vector<std::string> names;
    for (const Member& member : set.ownMembers())
        names.push_back(member.name());
    return names;
}

bool usedBy(const StrongRef<Point3D>& point, Curve3D* curve) {
    return point && point->curveUses()->contains(PassiveRef<Curve3D>(curve));
}

const Attribute* attribute(const ARenderNode* node, AttributeType type) {
    return node ? node->attributes().find(type) : nullptr;
}

bool hidden(const ARenderNode* node) {
    const Attribute* visibility = attribute(node, AttributeType::Visibility);
    return visibility && !visibility->isVisible();
}

bool drawnIn(const ARenderNode* node, const Color& expected) {
    const Attribute* occluded = attribute(node, AttributeType::OccludedEffect);
    if (!occluded)
        return false;
    const Wyn::Objects::Color drawn = occluded->color();
    return drawn.red == expected.red && drawn.green == expected.green &&
           drawn.blue == expected.blue && drawn.alpha == expected.alpha;
}

} // namespace Kv::Geometry::Tests
