// How work geometry comes into a component, is numbered and named, and how
// scripts find it.

#include "WorkGeometryTestDocument.h"

#include "Geometry/workgeometry/WorkAxis.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Geometry/workgeometry/WorkPlanes.h"
#include "Geometry/workgeometry/WorkPoint.h"
#include "Kv/Base/PathInfo.h"
#include "Kv/Base/StringTable.h"
#include "Kv/DataModel/ObjectPath.h"
#include "Kv/DataModel/Onk.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::WorkGeometryTests {
namespace {

class WorkGeometryNamingTest : public ::testing::Test {
protected:
    WorkGeometryTestDocument doc;
};

TEST_F(WorkGeometryNamingTest, ANewComponentHasAnEmptyCollectionAndAHiddenOriginSet) {
    ASSERT_TRUE(doc.workGeometries && doc.origin);
    EXPECT_EQ(doc.workGeometries->childCount(), 0u);
    EXPECT_TRUE(doc.workGeometries->isVisible());
    EXPECT_FALSE(doc.origin->isVisible());

    const std::vector<std::wstring> names = {L"YZ Plane", L"XZ Plane", L"XY Plane",    L"X Axis",
                                             L"Y Axis",   L"Z Axis",   L"Center Point"};
    ASSERT_EQ(doc.origin->originWorkGeometries(), names.size());
    for (unsigned int i = 0; i < names.size(); ++i) {
        StrongRef<WorkGeometry> geometry = doc.origin->originWorkGeometry(i);
        EXPECT_EQ(geometry->userName(), names[i]);
        EXPECT_TRUE(geometry->isOrigin()) << i;
        EXPECT_EQ(geometry->getUserId(), -1) << i;
    }
    auto* xy = ::Kv::queryInterface<WorkPlane>(doc.origin->child(2).get());
    ASSERT_NE(xy, nullptr);
    EXPECT_TRUE(xy->plane().normal().isEqualTo(ZkGeVector3d(0, 0, 1)));
    auto* z = ::Kv::queryInterface<WorkAxis>(doc.origin->child(5).get());
    ASSERT_NE(z, nullptr);
    EXPECT_TRUE(z->line().direction().isEqualTo(ZkGeVector3d(0, 0, 1)));
}

TEST_F(WorkGeometryNamingTest, EachKindCountsOnItsOwnAndNeverReusesANumber) {
    EXPECT_EQ(WorkPlane::make(doc.collection(), ZkGePlane::kXYPlane)->userName(), L"Plane1");
    EXPECT_EQ(WorkAxis::make(doc.collection(), ZkGeLine3d::kXAxis)->userName(), L"Axis1");
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(doc.workGeometries->getNextWorkPointID(), i);
    StrongRef<WorkPoint> point = WorkPoint::make(doc.collection(), ZkGePoint3d());
    EXPECT_EQ(point->getUserId(), 5);
    EXPECT_EQ(point->userName(), L"Point5");

    StrongRef<WorkPlane> plane2 = WorkPlane::make(doc.collection(), ZkGePlane::kYZPlane);
    EXPECT_EQ(plane2->userName(), L"Plane2");
    doc.asset->beginTransaction("delete");
    ASSERT_TRUE(doc.workGeometries->removeChild(StrongRef<Entity>(plane2.get())));
    doc.asset->commitTransaction();
    EXPECT_EQ(WorkPlane::make(doc.collection(), ZkGePlane::kZXPlane)->userName(), L"Plane3");
    EXPECT_EQ(doc.workGeometries->highWaterMarkPlanes(), 3);
    EXPECT_EQ(doc.workGeometries->highWaterMarkAxes(), 1);
}

TEST_F(WorkGeometryNamingTest, NumberingContinuesAfterReopening) {
    WorkPlane::make(doc.collection(), ZkGePlane::kXYPlane);
    WorkAxis::make(doc.collection(), ZkGeLine3d::kYAxis);
    WorkAxis::make(doc.collection(), ZkGeLine3d::kZAxis);
    std::unique_ptr<Asset> loaded = saveAndOpen(*doc.asset);
    StrongRef<Component> component = Component::find(loaded->defaultSegment());
    StrongRef<WorkGeometries> opened = firstChildOf<WorkGeometries>(*component);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->workGeometry(2)->userName(), L"Axis2");
    EXPECT_FLOAT_EQ(opened->workGeometry(2)->lineThickness(), 1.3f);
    EXPECT_EQ(firstChildOf<OriginWorkGeometry>(*component)->originWorkGeometry(2)->userName(),
              L"XY Plane");

    const StrongRef<Entity> reopened(opened.get());
    EXPECT_EQ(WorkPlane::make(reopened, ZkGePlane::kZXPlane)->userName(), L"Plane2");
    EXPECT_EQ(WorkAxis::make(reopened, ZkGeLine3d::kXAxis)->userName(), L"Axis3");
    EXPECT_EQ(WorkPoint::make(reopened, ZkGePoint3d())->userName(), L"Point1");
}

TEST_F(WorkGeometryNamingTest, OriginEntitiesShowTheirNameAndOthersOutsideTheCollectionNoNumber) {
    StrongRef<WorkPlane> datum =
        WorkPlane::make(doc.collection(), ZkGePlane::kYZPlane, true, L"Datum A");
    EXPECT_EQ(datum->userName(), L"Datum A");
    EXPECT_EQ(datum->getUserId(), -1);
    EXPECT_EQ(WorkAxis::make(doc.collection(), ZkGeLine3d::kXAxis, true, L"Ax")->userName(), L"Ax");
    EXPECT_EQ(doc.workGeometries->highWaterMarkPlanes(), 0);
    EXPECT_EQ(doc.workGeometries->highWaterMarkAxes(), 0);

    StrongRef<WorkPoint> stray =
        WorkPoint::make(StrongRef<Entity>(doc.origin.get()), ZkGePoint3d(1, 1, 1));
    EXPECT_EQ(stray->userName(), L"Point-1");
    EXPECT_TRUE(WorkPoint::make(nullptr, ZkGePoint3d()).isNull());
    EXPECT_TRUE(WorkGeometries::make(nullptr).isNull());
    EXPECT_TRUE(OriginWorkGeometry::makeStandard(nullptr).isNull());
}

TEST_F(WorkGeometryNamingTest, FindOrMakeReusesAnEqualEntityWithoutANewNumber) {
    StrongRef<WorkPoint> point = WorkPoint::make(doc.collection(), ZkGePoint3d(1, 2, 3));
    StrongRef<WorkPlane> plane = WorkPlane::make(doc.collection(), ZkGePlane::kXYPlane);
    StrongRef<WorkAxis> axis = WorkAxis::make(doc.collection(), ZkGeLine3d::kZAxis);

    EXPECT_EQ(WorkPoint::findOrMake(doc.collection(), ZkGePoint3d(1, 2, 3 + 1e-12)), point);
    EXPECT_EQ(WorkPlane::findOrMake(doc.collection(), ZkGePlane::kXYPlane), plane);
    EXPECT_EQ(WorkAxis::findOrMake(doc.collection(), ZkGeLine3d::kZAxis), axis);
    EXPECT_EQ(doc.workGeometries->childCount(), 3u);
    EXPECT_EQ(doc.workGeometries->highWaterMarkPoints(), 1);
    EXPECT_EQ(WorkPoint::findOrMake(doc.collection(), ZkGePoint3d(1, 2, 4))->userName(), L"Point2");
    EXPECT_EQ(WorkAxis::findOrMake(doc.collection(), ZkGeLine3d::kXAxis)->userName(), L"Axis2");
}

TEST_F(WorkGeometryNamingTest, ThePrefixComesFromTheStringTableOfTheLanguage) {
    PathInfo::setRootDirectory(KV_RUNTIME_ROOT);
    PathInfo::setLanguage("de-DE");
    StringTable::clearCache();
    const std::vector<std::wstring> names = {
        WorkPlane::make(doc.collection(), ZkGePlane::kXYPlane)->userName(),
        WorkAxis::make(doc.collection(), ZkGeLine3d::kXAxis)->userName(),
        WorkPoint::make(doc.collection(), ZkGePoint3d())->userName(),
        doc.origin->originWorkGeometry(2)->userName()};
    PathInfo::setLanguage("");
    PathInfo::setRootDirectory("");
    StringTable::clearCache();
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Ebene1", L"Achse1", L"Punkt1", L"XY Plane"}));
}

TEST_F(WorkGeometryNamingTest, ScriptsFindWorkGeometryByUserName) {
    StrongRef<WorkPlane> plane = WorkPlane::make(doc.collection(), ZkGePlane::kXYPlane);
    EXPECT_EQ(::Kv::queryInterface<CommonData::IComponentObject>(doc.origin.get())
                  ->componentObjectEntity(),
              doc.origin.get());

    const ObjectPath path = ObjectPath::toEntity(doc.workGeometries.get());
    EXPECT_EQ(doc.workGeometries->getChildObject(Onk(L"WorkPlane", L"Plane1"), path),
              static_cast<IScriptableObject*>(plane.get()));
    EXPECT_EQ(doc.workGeometries->getChildObject(Onk(L"WorkPlane", L"plane1"), path), nullptr)
        << "names are case sensitive";

    StrongRef<WorkPlanes> planes(new WorkPlanes(doc.component.get()));
    planes->postCreation(kTransactDo);
    EXPECT_EQ(planes->getNextID(), 1);
    WorkPlane::make(StrongRef<Entity>(planes.get()), ZkGePlane::kXYPlane, true, L"Old");
    EXPECT_NE(planes->getChildObject(Onk(L"WorkPlane", L"Old"), path), nullptr);
    Onk key;
    ASSERT_TRUE(planes->getOnk(key));
    EXPECT_EQ(key.name(), L"WorkPlanes");
}

} // namespace
} // namespace Kv::Geometry::WorkGeometryTests
