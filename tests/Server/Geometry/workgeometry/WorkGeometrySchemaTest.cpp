// The persisted format of the work geometry classes: member names, order,
// types and the chaining to the base classes' member sets.

#include "WorkGeometryTestDocument.h"

#include "Geometry/sketch3d/Geometry3D.h"
#include "Geometry/workgeometry/WorkAxes.h"
#include "Geometry/workgeometry/WorkAxis.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Geometry/workgeometry/WorkPlanes.h"
#include "Geometry/workgeometry/WorkPoint.h"
#include "Geometry/workgeometry/WorkPoints.h"
#include "Kv/DataModel/MemberSet.h"

#include <gtest/gtest.h>

#include <typeinfo>

namespace Kv::Geometry::WorkGeometryTests {
namespace {

using Names = std::vector<std::string>;

Names with(Names names, const Names& more) {
    names.insert(names.end(), more.begin(), more.end());
    return names;
}

std::string typeOf(const MemberSet& set, const std::string& name) {
    const Member* member = set.findMember(name);
    return member ? member->typeName() : "<missing>";
}

// A class's current set is built by its first instance: make one of each.
class WorkGeometrySchemaTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static WorkGeometryTestDocument doc;
        const StrongRef<Entity> parent(doc.workGeometries.get());
        WorkPlane::make(parent, ZkGePlane::kXYPlane);
        WorkAxis::make(parent, ZkGeLine3d::kZAxis);
        WorkPoint::make(parent, ZkGePoint3d(1, 2, 3));
        for (Entity* legacy : {static_cast<Entity*>(new WorkPlanes(doc.component.get())),
                               static_cast<Entity*>(new WorkAxes(doc.component.get())),
                               static_cast<Entity*>(new WorkPoints(doc.component.get()))})
            StrongRef<Entity>(legacy)->postCreation(kTransactDo);
    }
};

TEST_F(WorkGeometrySchemaTest, WorkGeometryMembersFollowThe3DBaseAndPrecedeEachKind) {
    const Names base = with({"lineThickness", "lineColor", "fillColor", "visible", "zOrder"},
                            {"id", "isOrigin", "originName"});
    EXPECT_EQ(memberNames(WorkGeometry::memberSet()), base);
    EXPECT_EQ(WorkGeometry::memberSet().base(), &Geometry3D::memberSet());
    EXPECT_EQ(WorkGeometry::memberSet().name(), "WorkGeometry");
    EXPECT_EQ(memberNames(WorkPoint::memberSet()), with(base, {"point"}));
    EXPECT_EQ(memberNames(WorkPlane::memberSet()), with(base, {"plane", "llParam", "urParam"}));
    EXPECT_EQ(memberNames(WorkAxis::memberSet()), with(base, {"line", "lowerParam", "upperParam"}));
    for (const MemberSet* set :
         {&WorkPoint::memberSet(), &WorkPlane::memberSet(), &WorkAxis::memberSet()})
        EXPECT_EQ(set->base(), &WorkGeometry::memberSet()) << set->name();

    EXPECT_EQ(typeOf(WorkGeometry::memberSet(), "id"), typeid(int).name());
    EXPECT_EQ(typeOf(WorkGeometry::memberSet(), "originName"), typeid(std::wstring).name());
    EXPECT_EQ(typeOf(WorkPoint::memberSet(), "point"), typeid(ZkGePoint3d).name());
    EXPECT_EQ(typeOf(WorkPlane::memberSet(), "plane"), typeid(ZkGePlane).name());
    EXPECT_EQ(typeOf(WorkPlane::memberSet(), "urParam"), typeid(ZkGePoint2d).name());
    EXPECT_EQ(typeOf(WorkAxis::memberSet(), "line"), typeid(ZkGeLine3d).name());
    EXPECT_EQ(typeOf(WorkAxis::memberSet(), "upperParam"), typeid(double).name());
}

TEST_F(WorkGeometrySchemaTest, CollectionsPersistSignedCountersAndSwitches) {
    EXPECT_EQ(
        memberNames(WorkGeometries::memberSet()),
        (Names{"highWaterMarkPlanes", "highWaterMarkAxes", "highWaterMarkPoints", "visible"}));
    EXPECT_EQ(typeOf(WorkGeometries::memberSet(), "highWaterMarkAxes"), typeid(int).name());
    EXPECT_EQ(memberNames(OriginWorkGeometry::memberSet()), Names{"visible"});
    for (const MemberSet* set :
         {&WorkPlanes::memberSet(), &WorkAxes::memberSet(), &WorkPoints::memberSet()}) {
        EXPECT_EQ(memberNames(*set), Names{"highWaterMark"}) << set->name();
        EXPECT_EQ(typeOf(*set, "highWaterMark"), typeid(int).name()) << set->name();
    }
    const MemberSet& group = CommonData::CommonBaseGroupEntity::s_metaType().memberSet();
    for (const MemberSet* set :
         {&WorkGeometries::memberSet(), &OriginWorkGeometry::memberSet(), &WorkPlanes::memberSet(),
          &WorkAxes::memberSet(), &WorkPoints::memberSet()})
        EXPECT_EQ(set->base(), &group) << set->name();
    EXPECT_TRUE(WorkGeometry::s_metaType().makeInstance(nullptr, 1).isNull());
}

} // namespace
} // namespace Kv::Geometry::WorkGeometryTests
