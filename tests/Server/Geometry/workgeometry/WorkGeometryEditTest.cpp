// Edits of work geometry: what each records, how undo restores it, extents,
// moves and the debug texts.

#include "WorkGeometryTestDocument.h"

#include "../storage/StorageTestSupport.h"

#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/workgeometry/WorkAxis.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Geometry/workgeometry/WorkPoint.h"
#include "Kv/DataModel/ObjectPath.h"

#include "ZkGeMatrix3d.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Geometry::WorkGeometryTests {
namespace {

class WorkGeometryEditTest : public ::testing::Test {
protected:
    WorkGeometryTestDocument doc;
};

TEST_F(WorkGeometryEditTest, UndoAndRedoRestoreEveryEdit) {
    StrongRef<WorkPoint> point = WorkPoint::make(doc.collection(), ZkGePoint3d(1, 2, 3));
    StrongRef<WorkPlane> plane = WorkPlane::make(doc.collection(), ZkGePlane::kXYPlane);
    StrongRef<WorkAxis> axis = WorkAxis::make(doc.collection(), ZkGeLine3d::kXAxis);
    const ZkGePlane tilted(ZkGePoint3d(0, 0, 4), ZkGeVector3d(1, 1, 0));
    doc.transact([&] {
        point->point(ZkGePoint3d(-1, 0, 9));
        plane->plane(tilted);
        plane->scaleExtents(1.0);
        axis->setExtents(ZkGePoint3d(3, 7, 0), ZkGePoint3d(-4, 1, 1));
        doc.workGeometries->toggleVisibility(ObjectPath());
        doc.origin->toggleVisibility(ObjectPath());
        WorkPlane::make(doc.collection(), ZkGePlane::kYZPlane);
    });
    const std::string after = StorageTests::describe(*doc.asset);

    ASSERT_TRUE(doc.asset->undo());
    EXPECT_EQ(point->point(), ZkGePoint3d(1, 2, 3));
    EXPECT_EQ(plane->plane(), ZkGePlane::kXYPlane);
    ZkGePoint2d ll, ur;
    plane->size(ll, ur);
    EXPECT_EQ(ll, ZkGePoint2d(-5, -5));
    double lower = 0, upper = 0;
    axis->size(lower, upper);
    EXPECT_EQ(upper, 10.0);
    EXPECT_TRUE(doc.workGeometries->isVisible());
    EXPECT_FALSE(doc.origin->isVisible());
    EXPECT_EQ(doc.workGeometries->childCount(), 3u);
    EXPECT_EQ(doc.workGeometries->highWaterMarkPlanes(), 1) << "the number goes with the plane";

    ASSERT_TRUE(doc.asset->redo());
    EXPECT_EQ(StorageTests::describe(*doc.asset), after);
    EXPECT_EQ(doc.workGeometries->workGeometry(3)->userName(), L"Plane2");
}

TEST_F(WorkGeometryEditTest, ExtentsFollowTheGivenPointsInAnyOrder) {
    StrongRef<WorkPlane> plane = WorkPlane::make(doc.collection(), ZkGePlane::kXYPlane);
    // A box wholly above the plane still gives the rectangle of its shadow.
    plane->setExtents(ZkGePoint3d(4, 1, 2), ZkGePoint3d(1, 3, 8));
    ZkGePoint3d a, b, c, d;
    plane->getAllExtents(a, b, c, d);
    EXPECT_TRUE(a.isEqualTo(ZkGePoint3d(1, 1, 0)));
    EXPECT_TRUE(b.isEqualTo(ZkGePoint3d(1, 3, 0)));
    EXPECT_TRUE(c.isEqualTo(ZkGePoint3d(4, 1, 0)));
    EXPECT_TRUE(d.isEqualTo(ZkGePoint3d(4, 3, 0)));

    StrongRef<WorkAxis> axis =
        WorkAxis::make(doc.collection(), ZkGePoint3d(0, 0, 1), ZkGeVector3d(0, 0, 2));
    axis->setExtents(ZkGePoint3d(5, 0, 4), ZkGePoint3d(0, 3, -2)); // not sorted
    axis->getExtents(a, b);
    EXPECT_TRUE(a.isEqualTo(ZkGePoint3d(0, 0, 4)));
    EXPECT_TRUE(b.isEqualTo(ZkGePoint3d(0, 0, -2)));
}

TEST_F(WorkGeometryEditTest, OriginGeometryIsSmallAndOriginPlanesKeepTheirSize) {
    auto* xy = ::Kv::queryInterface<WorkPlane>(doc.origin->child(2).get());
    ChangeLog log;
    xy->subscribe(&log);
    xy->setExtents(ZkGePoint3d(-9, -9, 0), ZkGePoint3d(9, 9, 0));
    xy->unsubscribe(&log);
    EXPECT_TRUE(log.types.empty());
    ZkGePoint2d ll, ur;
    xy->size(ll, ur);
    EXPECT_EQ(ur, ZkGePoint2d(2, 2));
    auto* z = ::Kv::queryInterface<WorkAxis>(doc.origin->child(5).get());
    double lower = 0, upper = 0;
    z->size(lower, upper);
    EXPECT_EQ(lower, 0.175);
    EXPECT_FALSE(z->hasLines() || z->hasFill() || z->references(StrongRef<Point3D>()));
}

TEST_F(WorkGeometryEditTest, MovesRecordTheirChangeTypesExceptForAxisTranslation) {
    const ZkGeMatrix3d quarterTurn = ZkGeMatrix3d::rotation(M_PI / 2, ZkGeVector3d(1, 0, 0));
    StrongRef<WorkPoint> point = WorkPoint::make(doc.collection(), ZkGePoint3d(1, 0, 0));
    StrongRef<WorkPlane> plane =
        WorkPlane::make(doc.collection(), ZkGePlane(ZkGePoint3d(1, 2, 3), ZkGeVector3d(0, 0, 1)));
    StrongRef<WorkAxis> axis = WorkAxis::make(doc.collection(), ZkGeLine3d::kZAxis);
    ChangeLog pointLog, planeLog, axisLog;
    point->subscribe(&pointLog);
    plane->subscribe(&planeLog);
    axis->subscribe(&axisLog);
    doc.transact([&] {
        for (WorkGeometry* geometry :
             {static_cast<WorkGeometry*>(point.get()), static_cast<WorkGeometry*>(plane.get()),
              static_cast<WorkGeometry*>(axis.get())}) {
            geometry->translate(ZkGeVector3d(0, 1, 2));
            geometry->transformBy(quarterTurn);
        }
    });
    EXPECT_EQ(pointLog.types, (std::vector<unsigned>{kChangeGeometry, kChangeGeometry}));
    EXPECT_EQ(pointLog.recorded, (std::vector<bool>{true, true}));
    EXPECT_EQ(planeLog.types, (std::vector<unsigned>{kChangeGeometry, kChangeProperties}));
    EXPECT_EQ(axisLog.types, std::vector<unsigned>{kChangeProperties});
    point->unsubscribe(&pointLog);
    plane->unsubscribe(&planeLog);
    axis->unsubscribe(&axisLog);

    EXPECT_TRUE(point->point().isEqualTo(ZkGePoint3d(1, -2, 1)));
    EXPECT_TRUE(plane->plane().pointOnPlane().isEqualTo(ZkGePoint3d(1, -5, 3)));
    EXPECT_TRUE(plane->plane().normal().isEqualTo(ZkGeVector3d(0, -1, 0)));
    EXPECT_TRUE(axis->line().pointOnLine().isEqualTo(ZkGePoint3d(0, -2, 1)));
    EXPECT_TRUE(axis->line().direction().isEqualTo(ZkGeVector3d(0, -1, 0)));
}

TEST_F(WorkGeometryEditTest, DebugTextsNameTheKindAndItsPlace) {
    const ZkGePoint3d at(1, 2, 3);
    StrongRef<WorkPoint> point = WorkPoint::make(doc.collection(), at);
    StrongRef<WorkPlane> plane =
        WorkPlane::make(doc.collection(), ZkGePlane(at, ZkGeVector3d(0, 0, 1)));
    StrongRef<WorkAxis> axis = WorkAxis::make(doc.collection(), at, ZkGeVector3d(0, 0, 1));
    auto base = [](Entity& entity) {
        return L"WorkGeometry: (Base CommonBaseGroupEntity " + std::to_wstring(entity.id()) +
               L" with 0 children))";
    };
    EXPECT_EQ(point->toString(), L"WorkPoint at (1, 2) (Base " + base(*point) + L")");
    EXPECT_EQ(plane->toString(), L"WorkPlane at (1, 2) (Base " + base(*plane) + L")");
    EXPECT_EQ(axis->toString(),
              L"WorkAxis at (1, 2 3), direction (0, 0 1) (Base " + base(*axis) + L")");
    EXPECT_EQ(doc.origin->toString(), L"OriginWorkGeometry (base CommonBaseGroupEntity " +
                                          std::to_wstring(doc.origin->id()) + L" with 7 children)");
    EXPECT_EQ(doc.workGeometries->toString().rfind(L"WorkGeometries (base ", 0), 0u);
}

} // namespace
} // namespace Kv::Geometry::WorkGeometryTests
