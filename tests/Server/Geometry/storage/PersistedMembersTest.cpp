// The persisted format of the 2D drawing, work geometry and text classes:
// the names and order of each class's own members, the base each member set
// chains to, and the types the members are written as.

#include "EveryClassDocument.h"

#include "Geometry/curves3d/Line3D.h"
#include "Geometry/sketch2d/Arc2D.h"
#include "Geometry/sketch2d/EllipticArc2D.h"
#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Point2DCallback.h"
#include "Geometry/sketch2d/Sketch2D.h"
#include "Geometry/sketch2d/Sketch2Ds.h"
#include "Geometry/sketch2d/Sketch2DsRoot.h"
#include "Geometry/sketch2d/Spline2D.h"
#include "Geometry/text/Text.h"
#include "Geometry/text/TextBorder.h"
#include "Geometry/workgeometry/OriginWorkGeometry.h"
#include "Geometry/workgeometry/WorkAxes.h"
#include "Geometry/workgeometry/WorkAxis.h"
#include "Geometry/workgeometry/WorkGeometries.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Geometry/workgeometry/WorkPlanes.h"
#include "Geometry/workgeometry/WorkPoint.h"
#include "Geometry/workgeometry/WorkPoints.h"
#include "Kv/CommonData/CommonBaseRootCollection.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MemberSet.h"

#include <gtest/gtest.h>

#include <typeinfo>

namespace Kv::Geometry::StorageTests {
namespace {

using Names = std::vector<std::string>;

// A class's current member set is built by its first instance: the document
// with an entity of every class builds them all.
class PersistedMembersTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static const std::unique_ptr<Asset> doc = makeEveryClassDocument();
    }
};

TEST_F(PersistedMembersTest, EachClassAddsItsOwnMembersInOrderAfterItsBase) {
    const MemberSet* group = &CommonData::CommonBaseGroupEntity::s_metaType().memberSet();
    const Names attributes = {"lineThickness", "lineColor", "fillColor", "visible", "zOrder"};
    const Names arc = {"rCenterPoint", "rStartPoint", "rEndPoint", "arcCurve"};
    const struct {
        const MemberSet& set;
        const MemberSet* base;
        Names own;
    } classes[] = {
        {Sketch2D::memberSet(), group, {"userName", "transform"}},
        {Sketch2Ds::memberSet(), group, {}},
        {Sketch2DsRoot::memberSet(),
         &CommonData::CommonBaseRootCollection::s_metaType().memberSet(),
         {}},
        {GeometryBase2D::memberSet(), group, attributes},
        {Geometry2D::memberSet(), &GeometryBase2D::memberSet(), {}},
        {GeometryGroup2D::memberSet(), &GeometryBase2D::memberSet(), {}},
        {Point2D::memberSet(), &Geometry2D::memberSet(), {"point", "implicitlyCreated"}},
        {Line2D::memberSet(), &Geometry2D::memberSet(), {"rStartPoint", "rEndPoint"}},
        {Arc2D::memberSet(), &Geometry2D::memberSet(), arc},
        {EllipticArc2D::memberSet(), &Geometry2D::memberSet(), arc},
        {Spline2D::memberSet(),
         &Geometry2D::memberSet(),
         {"rStartPoint", "rEndPoint", "splineCurve", "fitPointsLimit"}},
        {WorkGeometry::memberSet(), &Geometry3D::memberSet(), {"id", "isOrigin", "originName"}},
        {WorkPoint::memberSet(), &WorkGeometry::memberSet(), {"point"}},
        {WorkPlane::memberSet(), &WorkGeometry::memberSet(), {"plane", "llParam", "urParam"}},
        {WorkAxis::memberSet(), &WorkGeometry::memberSet(), {"line", "lowerParam", "upperParam"}},
        {WorkGeometries::memberSet(),
         group,
         {"highWaterMarkPlanes", "highWaterMarkAxes", "highWaterMarkPoints", "visible"}},
        {OriginWorkGeometry::memberSet(), group, {"visible"}},
        {WorkPlanes::memberSet(), group, {"highWaterMark"}},
        {WorkAxes::memberSet(), group, {"highWaterMark"}},
        {WorkPoints::memberSet(), group, {"highWaterMark"}},
        {Text::memberSet(),
         &Geometry3D::memberSet(),
         {"position", "text", "face", "color", "height", "width", "angle", "charset", "bold",
          "italic", "underline", "shx", "rightReading", "profilelines", "profilecurves", "textBox",
          "useEnvironmentColors"}},
        {TextBorder::memberSet(), &Line3D::memberSet(), {"text"}},
    };
    for (const auto& [set, base, own] : classes) {
        SCOPED_TRACE(set.name());
        EXPECT_TRUE(set.initialized());
        Names names;
        for (const Member& member : set.ownMembers())
            names.push_back(member.name());
        EXPECT_EQ(names, own);
        EXPECT_EQ(set.base(), base);
    }
    // Building the point's set installs the callback that refills indexes.
    EXPECT_EQ(Point2D::s_metaType().dataModelCallback(), &g_point2DCallback);
    EXPECT_TRUE(WorkGeometry::s_metaType().makeInstance(nullptr, 1).isNull()) << "abstract";
}

TEST_F(PersistedMembersTest, MembersAreWrittenAsTheirKernelAndAttributeTypes) {
    const std::string pointRef = typeid(StrongRef<Point2D>).name();
    const struct {
        const MemberSet& set;
        std::string member;
        std::string type;
    } members[] = {
        {Sketch2D::memberSet(), "userName", typeid(std::wstring).name()},
        {Sketch2D::memberSet(), "transform", typeid(ZkGeMatrix3d).name()},
        {GeometryBase2D::memberSet(), "lineThickness", typeid(float).name()},
        {GeometryBase2D::memberSet(), "fillColor", typeid(Color).name()},
        {Point2D::memberSet(), "point", typeid(ZkGePoint2d).name()},
        {Line2D::memberSet(), "rEndPoint", pointRef},
        {Arc2D::memberSet(), "rEndPoint", pointRef},
        {Arc2D::memberSet(), "rCenterPoint", pointRef},
        {EllipticArc2D::memberSet(), "rEndPoint", pointRef},
        {Spline2D::memberSet(), "rEndPoint", pointRef},
        {Arc2D::memberSet(), "arcCurve", typeid(ZkGeCircArc2d).name()},
        {EllipticArc2D::memberSet(), "arcCurve", typeid(ZkGeEllipArc2d).name()},
        {Spline2D::memberSet(), "splineCurve", typeid(ZkGeNurbCurve2d).name()},
        {Spline2D::memberSet(), "fitPointsLimit", typeid(unsigned int).name()},
        {WorkGeometry::memberSet(), "id", typeid(int).name()},
        {WorkGeometry::memberSet(), "originName", typeid(std::wstring).name()},
        {WorkPoint::memberSet(), "point", typeid(ZkGePoint3d).name()},
        {WorkPlane::memberSet(), "plane", typeid(ZkGePlane).name()},
        {WorkPlane::memberSet(), "urParam", typeid(ZkGePoint2d).name()},
        {WorkAxis::memberSet(), "line", typeid(ZkGeLine3d).name()},
        {WorkAxis::memberSet(), "upperParam", typeid(double).name()},
        {WorkGeometries::memberSet(), "highWaterMarkAxes", typeid(int).name()},
        {WorkPlanes::memberSet(), "highWaterMark", typeid(int).name()},
        {WorkAxes::memberSet(), "highWaterMark", typeid(int).name()},
        {WorkPoints::memberSet(), "highWaterMark", typeid(int).name()},
    };
    for (const auto& [set, name, type] : members) {
        const Member* member = set.findMember(name);
        ASSERT_NE(member, nullptr) << set.name() << "::" << name;
        EXPECT_EQ(member->typeName(), type) << set.name() << "::" << name;
    }
}

} // namespace
} // namespace Kv::Geometry::StorageTests
