// Picked work axes: the axis as a whole, and one of its ends.

#include "../workgeometry/WorkGeometryTestDocument.h"
#include "SelectionTestSupport.h"

#include "Geometry/selection/WorkAxisExtentSelection.h"
#include "Geometry/selection/WorkAxisSelection.h"
#include "Geometry/workgeometry/WorkAxis.h"
#include "Kv/Measure/IMeasurableCurve.h"

#include "ZkGeLine3d.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::SelectionTests {
namespace {

using WorkGeometryTests::WorkGeometryTestDocument;

// An axis up the z direction through (1, 2, 3), spanning -10..10 along it:
// its lower end is (1, 2, -7), its upper end (1, 2, 13).
class WorkAxisSelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.transact([&] {
            axis = WorkAxis::make(doc.collection(),
                                  ZkGeLine3d(ZkGePoint3d(1, 2, 3), ZkGeVector3d::kZAxis));
        });
    }
    void deleteAxis() {
        doc.transact([&] { doc.workGeometries->removeChild(StrongRef<Entity>(axis)); });
    }

    WorkGeometryTestDocument doc;
    StrongRef<WorkAxis> axis;
};

TEST_F(WorkAxisSelectionTest, TheAxisOffersItsLineAndMeasuresAsThatLine) {
    StrongRef<WorkAxisSelection> selection = pick<WorkAxisSelection>(axis.get());
    ASSERT_TRUE(selection);
    EXPECT_EQ(selection->workAxis().get(), axis.get());
    EXPECT_EQ(selection->userName(), L"WorkAxis");
    EXPECT_EQ(selection->geometry().get(), axis.get());

    ZkGeLine3d line;
    ASSERT_TRUE(selection->providesLine(line));
    EXPECT_EQ(line, axis->line());
    ZkGePoint3d point;
    ZkGePlane plane;
    EXPECT_FALSE(selection->providesPoint(point));
    EXPECT_FALSE(selection->providesPlane(plane));
    ASSERT_TRUE(selection->hitPoint(point));
    EXPECT_TRUE(point.isEqualTo(ZkGePoint3d(1, 2, 3.5))) << "half a unit along the axis";

    std::unique_ptr<Measurable> measurable = selection->makeMeasurable();
    auto* curve = queryInterface<IMeasurableCurve>(measurable.get());
    ASSERT_TRUE(curve && curve->curve());
    EXPECT_TRUE(curve->linear());
    EXPECT_FALSE(curve->bounded()) << "the whole line, not the drawn extent";
    doc.transact([&] { axis->line(ZkGeLine3d::kXAxis); });
    EXPECT_TRUE(curve->curve()->isEqualTo(ZkGeLine3d(ZkGePoint3d(1, 2, 3), ZkGeVector3d::kZAxis)))
        << "edits do not reach it";
}

TEST_F(WorkAxisSelectionTest, PicksOfAnEndSelectThatEnd) {
    StrongRef<WorkAxisExtentSelection> lower = pick<WorkAxisExtentSelection>(axis.get(), 1);
    StrongRef<WorkAxisExtentSelection> upper = pick<WorkAxisExtentSelection>(axis.get(), 2);
    ASSERT_TRUE(lower && upper);
    EXPECT_EQ(lower->workAxis().get(), axis.get());
    EXPECT_EQ(lower->userName(), L"WorkAxis Extent");
    EXPECT_EQ(lower->extentEnd(), kLowerEnd);
    EXPECT_EQ(upper->extentEnd(), kUpperEnd);
    EXPECT_TRUE(lower->extentPoint().isEqualTo(ZkGePoint3d(1, 2, -7)));
    EXPECT_TRUE(upper->extentPoint().isEqualTo(ZkGePoint3d(1, 2, 13)));

    // The end is read from the axis whenever asked.
    doc.transact([&] { axis->setOneExtent(ZkGePoint3d(0, 0, 20), false); });
    EXPECT_TRUE(upper->extentPoint().isEqualTo(ZkGePoint3d(1, 2, 20)));

    // An end offers nothing to constructions or measurement.
    ZkGeLine3d line;
    EXPECT_FALSE(lower->providesLine(line));
    EXPECT_FALSE(lower->makeMeasurable());
}

TEST_F(WorkAxisSelectionTest, QualifiersThatNameNoEndGiveTheAxisOrTheOrigin) {
    EXPECT_TRUE(pick<WorkAxisSelection>(axis.get(), 3)) << "a pick of the axis itself";
    EXPECT_FALSE(pick<WorkAxisExtentSelection>(axis.get(), 3));

    ObjectPath path = ObjectPath::toEntity(axis.get());
    path.qualify(3);
    StrongRef<WorkAxisExtentSelection> made = WorkAxisExtentSelection::make(path, axis);
    EXPECT_EQ(made->extentEnd(), WorkAxisExtentType(3)) << "the qualifier as it stands";
    EXPECT_EQ(made->extentPoint(), ZkGePoint3d::kOrigin);
}

TEST_F(WorkAxisSelectionTest, ADeletedAxisOffersNothing) {
    StrongRef<WorkAxisSelection> selection = pick<WorkAxisSelection>(axis.get());
    StrongRef<WorkAxisExtentSelection> end = pick<WorkAxisExtentSelection>(axis.get(), 2);
    deleteAxis();

    EXPECT_FALSE(selection->workAxis());
    ZkGeLine3d line(ZkGePoint3d(9, 9, 9), ZkGeVector3d::kYAxis);
    EXPECT_FALSE(selection->providesLine(line));
    EXPECT_EQ(line, ZkGeLine3d(ZkGePoint3d(9, 9, 9), ZkGeVector3d::kYAxis));
    ZkGePoint3d point;
    EXPECT_FALSE(selection->hitPoint(point));
    EXPECT_FALSE(selection->makeMeasurable());
    EXPECT_FALSE(end->workAxis());
    EXPECT_EQ(end->extentPoint(), ZkGePoint3d::kOrigin);
}

TEST_F(WorkAxisSelectionTest, APreviewCannotBePicked) {
    axis->drawForPreview(true);
    auto* source = queryInterface<ILogicalSelectionSource>(axis.get());
    EXPECT_FALSE(source->onCreateLogicalSelection(ObjectPath::toEntity(axis.get())));
}

} // namespace
} // namespace Kv::Geometry::SelectionTests
