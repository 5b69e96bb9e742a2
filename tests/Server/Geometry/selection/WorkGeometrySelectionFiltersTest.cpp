// The work geometry selection filters, their category and the finders that
// look them up by name.

#include "../workgeometry/WorkGeometryTestDocument.h"
#include "SelectionTestSupport.h"

#include "Geometry/selection/WorkAxisExtentSelection.h"
#include "Geometry/selection/WorkAxisExtentSelectionFilter.h"
#include "Geometry/selection/WorkAxisSelection.h"
#include "Geometry/selection/WorkAxisSelectionFilter.h"
#include "Geometry/selection/WorkGeometriesSelection.h"
#include "Geometry/selection/WorkPlaneExtentLineSelection.h"
#include "Geometry/selection/WorkPlaneExtentLineSelectionFilter.h"
#include "Geometry/selection/WorkPlaneExtentPointSelection.h"
#include "Geometry/selection/WorkPlaneExtentPointSelectionFilter.h"
#include "Geometry/selection/WorkPlaneSelection.h"
#include "Geometry/selection/WorkPlaneSelectionFilter.h"
#include "Geometry/selection/WorkPointSelection.h"
#include "Geometry/selection/WorkPointSelectionFilter.h"
#include "Geometry/workgeometry/WorkAxis.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Geometry/workgeometry/WorkPoint.h"
#include "Kv/Selection/SelectionCategory.h"
#include "Kv/Selection/SelectionFilterFinder.h"

#include <gtest/gtest.h>

#include <string>

namespace Kv::Geometry::SelectionTests {
namespace {

using WorkGeometryTests::WorkGeometryTestDocument;

// What `filter` makes of `candidate`.
StrongRef<LogicalSelection> filtered(const SelectionFilter& filter,
                                     const StrongRef<LogicalSelection>& candidate) {
    const StrongRef<Selection> kept = filter.filter(StrongRef<Selection>(candidate.get()));
    return StrongRef<LogicalSelection>(queryInterface<LogicalSelection>(kept.get()));
}

// A plane, an axis and a point, with picks of every part of them.
class WorkGeometrySelectionFiltersTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.transact([&] {
            plane = WorkPlane::make(doc.collection(), ZkGePlane::kXYPlane);
            axis = WorkAxis::make(doc.collection(), ZkGeLine3d::kXAxis);
            point = WorkPoint::make(doc.collection(), ZkGePoint3d(1, 2, 3));
        });
        picks = {{"plane ", pick<WorkPlaneSelection>(plane.get())},
                 {"corner ", pick<WorkPlaneExtentPointSelection>(plane.get(), kLowerRightCorner)},
                 {"edge ", pick<WorkPlaneExtentLineSelection>(plane.get(), kTopEdge)},
                 {"axis ", pick<WorkAxisSelection>(axis.get())},
                 {"end ", pick<WorkAxisExtentSelection>(axis.get(), kUpperEnd)},
                 {"point ", pick<WorkPointSelection>(point.get())},
                 {"all ", pick<WorkGeometriesSelection>(doc.workGeometries.get())}};
        for (const auto& [name, selection] : picks)
            EXPECT_TRUE(selection) << name;
    }

    // Which picks `filter` keeps; a "*" marks one it replaced by another
    // selection rather than handing back.
    std::string kindsKept(const SelectionFilter& filter) const {
        std::string kinds;
        for (const auto& [name, selection] : picks)
            if (const StrongRef<LogicalSelection> kept = filtered(filter, selection))
                kinds += kept.get() == selection.get() ? name : "*" + name;
        return kinds;
    }

    WorkGeometryTestDocument doc;
    StrongRef<WorkPlane> plane;
    StrongRef<WorkAxis> axis;
    StrongRef<WorkPoint> point;
    std::vector<std::pair<std::string, StrongRef<LogicalSelection>>> picks;
};

TEST_F(WorkGeometrySelectionFiltersTest, EachFilterKeepsItsKindsOfPick) {
    EXPECT_EQ(kindsKept(WorkPlaneSelectionFilter::get()), "plane *corner *edge ");
    EXPECT_EQ(kindsKept(WorkPlaneExtentPointSelectionFilter::get()), "corner ");
    EXPECT_EQ(kindsKept(WorkPlaneExtentLineSelectionFilter::get()), "edge ");
    EXPECT_EQ(kindsKept(WorkAxisSelectionFilter::get()), "axis *end ");
    EXPECT_EQ(kindsKept(WorkAxisExtentSelectionFilter::get()), "end ");
    EXPECT_EQ(kindsKept(WorkPointSelectionFilter::get()), "point ");
    EXPECT_EQ(&WorkPlaneSelectionFilter::get(), &WorkPlaneSelectionFilter::get())
        << "one instance per class";
}

TEST_F(WorkGeometrySelectionFiltersTest, TheAxisFilterTurnsAPickOfAnEndIntoThePickOfTheAxis) {
    StrongRef<LogicalSelection> end = pick<WorkAxisExtentSelection>(axis.get(), kLowerEnd);
    SelectionHitInfo hit;
    hit.localRay = ZkGeRay3d(ZkGePoint3d(-9.9, 0, 5), -ZkGeVector3d::kZAxis);
    end->hitInfo(hit);

    StrongRef<LogicalSelection> whole = filtered(WorkAxisSelectionFilter::get(), end);
    auto* axisPick = queryInterface<WorkAxisSelection>(whole.get());
    ASSERT_TRUE(axisPick);
    EXPECT_NE(whole.get(), end.get());
    EXPECT_EQ(axisPick->workAxis().get(), axis.get());
    EXPECT_EQ(whole->path().qualifier(), 0u);
    EXPECT_EQ(end->path().qualifier(), uint64_t(kLowerEnd)) << "the end pick is left alone";
    ASSERT_TRUE(whole->hitInfo());
    EXPECT_EQ(whole->hitInfo()->localRay.pointOnLine(), ZkGePoint3d(-9.9, 0, 5));
}

TEST_F(WorkGeometrySelectionFiltersTest, ThePlaneFilterTurnsCornerAndEdgePicksIntoThePlane) {
    for (const uint64_t handle : std::initializer_list<uint64_t>{
             kLowerLeftCorner, kUpperRightCorner, kLeftEdge, kTopEdge}) {
        auto* source = queryInterface<ILogicalSelectionSource>(plane.get());
        ObjectPath path = ObjectPath::toEntity(plane.get());
        path.qualify(handle);
        StrongRef<LogicalSelection> whole =
            filtered(WorkPlaneSelectionFilter::get(), source->onCreateLogicalSelection(path));
        auto* planePick = queryInterface<WorkPlaneSelection>(whole.get());
        ASSERT_TRUE(planePick) << handle;
        EXPECT_EQ(planePick->workPlane().get(), plane.get());
        EXPECT_EQ(whole->path(), ObjectPath::toEntity(plane.get())) << handle;
    }
}

TEST_F(WorkGeometrySelectionFiltersTest, PicksOfDeletedEntitiesAreRejected) {
    doc.transact([&] {
        for (const StrongRef<Entity>& deleted :
             {StrongRef<Entity>(plane), StrongRef<Entity>(axis), StrongRef<Entity>(point)})
            doc.workGeometries->removeChild(deleted);
    });
    EXPECT_EQ(kindsKept(WorkPlaneSelectionFilter::get()), "");
    EXPECT_EQ(kindsKept(WorkAxisSelectionFilter::get()), "");
    EXPECT_EQ(kindsKept(WorkPointSelectionFilter::get()), "");
    EXPECT_EQ(kindsKept(WorkAxisExtentSelectionFilter::get()), "end ")
        << "the handle filters only look at the kind of pick";
}

TEST(WorkGeometrySelectionFilters, ListUnderTheWorkGeometryCategory) {
    SelectionCategory* workGeometry = &SelectionCategory::workGeometryCategory();
    for (const SwitchableSelectionFilter* filter :
         std::initializer_list<SwitchableSelectionFilter*>{
             &WorkAxisSelectionFilter::get(), &WorkAxisExtentSelectionFilter::get(),
             &WorkPlaneSelectionFilter::get(), &WorkPlaneExtentLineSelectionFilter::get(),
             &WorkPlaneExtentPointSelectionFilter::get(), &WorkPointSelectionFilter::get()})
        EXPECT_EQ(filter->selectionCategory(), workGeometry);
}

TEST(WorkGeometrySelectionFilters, FindersNameTheAxisPlaneAndPointFilters) {
    EXPECT_EQ(SelectionFilterFinder::findFilter(UniqueString("WorkAxis")),
              &WorkAxisSelectionFilter::get());
    EXPECT_EQ(SelectionFilterFinder::findFilter(UniqueString("WorkPlane")),
              &WorkPlaneSelectionFilter::get());
    EXPECT_EQ(SelectionFilterFinder::findFilter(UniqueString("WorkPoint")),
              &WorkPointSelectionFilter::get());
    EXPECT_EQ(SelectionFilterFinder::findFilter(UniqueString("WorkPoints")), nullptr);
    EXPECT_EQ(SelectionFilterFinder::findFilter(UniqueString("WorkAxisExtent")), nullptr);
}

} // namespace
} // namespace Kv::Geometry::SelectionTests
