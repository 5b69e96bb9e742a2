// The persisted format of the 2D drawing model: member names, order and types
// of every class, and the chaining of each member set to its base class's.

#include "Sketch2DTestDocument.h"

#include "Geometry/sketch2d/Arc2D.h"
#include "Geometry/sketch2d/EllipticArc2D.h"
#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Point2DCallback.h"
#include "Geometry/sketch2d/Sketch2DsRoot.h"
#include "Geometry/sketch2d/Spline2D.h"
#include "Kv/CommonData/CommonBaseRootCollection.h"
#include "Kv/DataModel/MemberSet.h"

#include <gtest/gtest.h>

#include <typeinfo>

namespace Kv::Geometry::Sketch2DTests {
namespace {

using Names = std::vector<std::string>;

Names with(const Names& more) {
    Names names = {"lineThickness", "lineColor", "fillColor", "visible", "zOrder"};
    names.insert(names.end(), more.begin(), more.end());
    return names;
}

std::string typeNameOf(const MemberSet& set, const std::string& name) {
    const Member* member = set.findMember(name);
    return member ? member->typeName() : std::string("<missing>");
}

// Every class's current set is built by its first instance; one document with
// one entity of each kind makes them all.
class Sketch2DSchemaTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static Sketch2DTestDocument doc;
        const StrongRef<Entity> sketch = doc.parent();
        Line2D::make(sketch, ZkGePoint2d(0, 0), ZkGePoint2d(1, 0));
        Arc2D::make(sketch, ZkGePoint2d(0, 0), 1.0);
        EllipticArc2D::make(sketch, ZkGePoint2d(0, 0), ZkGeVector2d(1, 0), 2.0, 1.0);
        Spline2D::make(sketch, {ZkGePoint2d(0, 0), ZkGePoint2d(1, 1), ZkGePoint2d(2, 0)});
        GeometryGroup2D::make(sketch);
    }
};

TEST_F(Sketch2DSchemaTest, ContainersPersistOnlyTheSketchsNameAndPlacement) {
    const MemberSet& groupEntity = CommonData::CommonBaseGroupEntity::s_metaType().memberSet();
    EXPECT_EQ(memberNames(Sketch2D::memberSet()), Names({"userName", "transform"}));
    EXPECT_EQ(typeNameOf(Sketch2D::memberSet(), "userName"), typeid(std::wstring).name());
    EXPECT_EQ(typeNameOf(Sketch2D::memberSet(), "transform"), typeid(ZkGeMatrix3d).name());
    EXPECT_EQ(Sketch2D::memberSet().base(), &groupEntity);
    EXPECT_TRUE(Sketch2Ds::memberSet().ownMembers().empty());
    EXPECT_EQ(Sketch2Ds::memberSet().base(), &groupEntity);
    EXPECT_TRUE(Sketch2DsRoot::memberSet().initialized());
    EXPECT_TRUE(Sketch2DsRoot::memberSet().ownMembers().empty());
    EXPECT_EQ(Sketch2DsRoot::memberSet().base(),
              &CommonData::CommonBaseRootCollection::s_metaType().memberSet());
    EXPECT_EQ(GeometryBase2D::memberSet().base(), &groupEntity);
}

TEST_F(Sketch2DSchemaTest, GeometryAddsItsDataAfterTheDrawingAttributes) {
    EXPECT_EQ(memberNames(GeometryBase2D::memberSet()), with({}));
    EXPECT_TRUE(Geometry2D::memberSet().ownMembers().empty());
    EXPECT_TRUE(GeometryGroup2D::memberSet().ownMembers().empty());
    EXPECT_EQ(Geometry2D::memberSet().base(), &GeometryBase2D::memberSet());
    EXPECT_EQ(GeometryGroup2D::memberSet().base(), &GeometryBase2D::memberSet());

    EXPECT_EQ(memberNames(Point2D::memberSet()), with({"point", "implicitlyCreated"}));
    EXPECT_EQ(memberNames(Line2D::memberSet()), with({"rStartPoint", "rEndPoint"}));
    const Names arc = with({"rCenterPoint", "rStartPoint", "rEndPoint", "arcCurve"});
    EXPECT_EQ(memberNames(Arc2D::memberSet()), arc);
    EXPECT_EQ(memberNames(EllipticArc2D::memberSet()), arc);
    EXPECT_EQ(memberNames(Spline2D::memberSet()),
              with({"rStartPoint", "rEndPoint", "splineCurve", "fitPointsLimit"}));
    for (const MemberSet* set : {&Point2D::memberSet(), &Line2D::memberSet(), &Arc2D::memberSet(),
                                 &EllipticArc2D::memberSet(), &Spline2D::memberSet()})
        EXPECT_EQ(set->base(), &Geometry2D::memberSet()) << set->name();
}

TEST_F(Sketch2DSchemaTest, MemberTypesAreAttributesKernelValuesAndPointReferences) {
    EXPECT_EQ(typeNameOf(GeometryBase2D::memberSet(), "lineThickness"), typeid(float).name());
    EXPECT_EQ(typeNameOf(GeometryBase2D::memberSet(), "fillColor"), typeid(Color).name());
    EXPECT_EQ(typeNameOf(Point2D::memberSet(), "point"), typeid(ZkGePoint2d).name());
    const std::string pointRef = typeid(StrongRef<Point2D>).name();
    for (const MemberSet* set : {&Line2D::memberSet(), &Arc2D::memberSet(),
                                 &EllipticArc2D::memberSet(), &Spline2D::memberSet()})
        EXPECT_EQ(typeNameOf(*set, "rEndPoint"), pointRef) << set->name();
    EXPECT_EQ(typeNameOf(Arc2D::memberSet(), "rCenterPoint"), pointRef);
    EXPECT_EQ(typeNameOf(Arc2D::memberSet(), "arcCurve"), typeid(ZkGeCircArc2d).name());
    EXPECT_EQ(typeNameOf(EllipticArc2D::memberSet(), "arcCurve"), typeid(ZkGeEllipArc2d).name());
    EXPECT_EQ(typeNameOf(Spline2D::memberSet(), "splineCurve"), typeid(ZkGeNurbCurve2d).name());
    EXPECT_EQ(typeNameOf(Spline2D::memberSet(), "fitPointsLimit"), typeid(unsigned int).name());
    // Building the point's set installs the callback that refills indexes.
    EXPECT_EQ(Point2D::s_metaType().dataModelCallback(), &g_point2DCallback);
}

} // namespace
} // namespace Kv::Geometry::Sketch2DTests
