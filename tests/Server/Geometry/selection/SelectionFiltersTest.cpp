// The library's selection filters, their categories and the finders that
// look them up by name.

#include "../sketch3d/SketchModelDocument.h"
#include "SelectionTestSupport.h"

#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/EllipticArc3D.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/selection/Geometry3DSelectionFilter.h"
#include "Geometry/selection/SketchCurveSelection.h"
#include "Geometry/selection/SketchCurveSelectionFilter.h"
#include "Geometry/selection/SketchPointSelection.h"
#include "Geometry/selection/SketchPointSelectionFilter.h"
#include "Geometry/selection/SketchSelection.h"
#include "Geometry/selection/SketchSelectionFilter.h"
#include "Geometry/selection/SketchesSelection.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/text/Text.h"
#include "Geometry/text/TextBorder.h"
#include "Kv/Selection/SelectionCategory.h"
#include "Kv/Selection/SelectionFilterFinder.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::SelectionTests {
namespace {

using SketchTests::SketchModelDocument;

bool passes(const SelectionFilter& filter, const StrongRef<LogicalSelection>& candidate) {
    const StrongRef<Selection> kept = filter.filter(StrongRef<Selection>(candidate.get()));
    EXPECT_TRUE(!kept || kept.get() == candidate.get()) << "a pass hands back the candidate";
    return bool(kept);
}

// One curve of every kind, and a point, in one sketch.
class SelectionFiltersTest : public ::testing::Test {
protected:
    void SetUp() override {
        sketch = doc.newSketch();
        doc.transact([&] {
            line = Line3D::make(sketch, ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0));
            arc = CircArc3D::make(sketch, ZkGePoint3d(5, 5, 0), ZkGeVector3d::kZAxis, 1);
            ellipse = EllipticArc3D::make(sketch, ZkGePoint3d(9, 9, 0), ZkGeVector3d(2, 0, 0),
                                          ZkGeVector3d(0, 1, 0));
            spline = Spline3D::make(sketch,
                                    ZkArray<ZkGePoint3d>{ZkGePoint3d(0, 5, 0), ZkGePoint3d(1, 6, 0),
                                                         ZkGePoint3d(2, 5, 0)},
                                    false);
            border = TextBorder::make(sketch, ZkGePoint3d(0, -1, 0), ZkGePoint3d(3, -1, 0), {});
            point = Point3D::make(sketch, ZkGePoint3d(7, 0, 0));
        });
    }

    // Which of line, arc, ellipse, spline and border `filter` passes.
    std::string kindsPassed(const SketchCurveSelectionFilter& filter) {
        std::string kinds;
        const std::pair<const char*, Entity*> curves[] = {{"line ", line.get()},
                                                          {"arc ", arc.get()},
                                                          {"ellipse ", ellipse.get()},
                                                          {"spline ", spline.get()},
                                                          {"border ", border.get()}};
        for (const auto& [name, curve] : curves)
            if (passes(filter, pick<SketchCurveSelection>(curve)))
                kinds += name;
        return kinds;
    }

    SketchModelDocument doc;
    StrongRef<Sketch> sketch;
    StrongRef<Line3D> line;
    StrongRef<CircArc3D> arc;
    StrongRef<EllipticArc3D> ellipse;
    StrongRef<Spline3D> spline;
    StrongRef<TextBorder> border;
    StrongRef<Point3D> point;
};

TEST_F(SelectionFiltersTest, SketchCurveFiltersPassTheirKindsOfCurve) {
    using Filter = SketchCurveSelectionFilter;
    EXPECT_EQ(Filter::anyCurves().flags(), 23u);
    EXPECT_EQ(Filter::TextBorder().flags(), 16u);
    EXPECT_EQ(Filter::lines().flags(), 1u);
    EXPECT_EQ(Filter::circularCurves().flags(), 2u);
    EXPECT_EQ(Filter::geometryCurves2D().flags(), 15u);
    EXPECT_EQ(Filter::geometryCurves().flags(), 7u);

    EXPECT_EQ(kindsPassed(Filter::anyCurves()), "line arc ellipse spline border ");
    EXPECT_EQ(kindsPassed(Filter::lines()), "line border ") << "a text border is a line";
    EXPECT_EQ(kindsPassed(Filter::circularCurves()), "arc ");
    EXPECT_EQ(kindsPassed(Filter::TextBorder()), "border ");
    EXPECT_EQ(kindsPassed(Filter::geometryCurves()), "line arc ellipse spline border ");
    EXPECT_EQ(kindsPassed(Filter::geometryCurves2D()), "line arc ellipse spline border ");

    EXPECT_FALSE(passes(Filter::anyCurves(), pick<SketchPointSelection>(point.get())));
    EXPECT_EQ(&Filter::lines(), &Filter::lines()) << "one instance per accessor";
}

TEST_F(SelectionFiltersTest, ADeletedCurveIsRejectedByEverySketchCurveFilter) {
    StrongRef<SketchCurveSelection> selection = pick<SketchCurveSelection>(arc.get());
    doc.transact([&] { sketch->remove(StrongRef<GeometryBase3D>(arc)); });
    for (const SketchCurveSelectionFilter* filter :
         {&SketchCurveSelectionFilter::anyCurves(), &SketchCurveSelectionFilter::circularCurves(),
          &SketchCurveSelectionFilter::geometryCurves()})
        EXPECT_FALSE(passes(*filter, selection)) << filter->flags();
}

TEST_F(SelectionFiltersTest, PointAndSketchFiltersPassOnlyValidSelectionsOfTheirKind) {
    SketchPointSelectionFilter& points = SketchPointSelectionFilter::get();
    SketchSelectionFilter& sketches = SketchSelectionFilter::get();
    StrongRef<LogicalSelection> pointPick = pick<SketchPointSelection>(point.get());
    StrongRef<LogicalSelection> sketchPick =
        SketchSelection::make(ObjectPath::toEntity(sketch.get()), sketch);
    EXPECT_TRUE(passes(points, pointPick));
    EXPECT_FALSE(passes(points, pick<SketchCurveSelection>(line.get())));
    EXPECT_TRUE(passes(sketches, sketchPick));
    EXPECT_FALSE(passes(sketches, pick<SketchesSelection>(doc.sketches.get())));

    doc.transact([&] { sketch->remove(StrongRef<GeometryBase3D>(point)); });
    EXPECT_FALSE(passes(points, pointPick)) << "the host reports the selection invalid";
    doc.transact([&] { doc.sketches->removeChild(StrongRef<Entity>(sketch)); });
    EXPECT_FALSE(passes(sketches, sketchPick));
}

TEST_F(SelectionFiltersTest, TheGeometryFilterPassesAny3DGeometrySelection) {
    Geometry3DSelectionFilter& filter = Geometry3DSelectionFilter::get();
    EXPECT_TRUE(passes(filter, pick<SketchPointSelection>(point.get())));
    EXPECT_TRUE(passes(filter, pick<SketchCurveSelection>(spline.get())));
    EXPECT_FALSE(passes(filter, pick<SketchesSelection>(doc.sketches.get())));
}

TEST(GeometrySelectionFilters, ListUnderTheirCategories) {
    EXPECT_EQ(SketchCurveSelectionFilter::lines().selectionCategory()->name(), L"Sketch Curves");
    EXPECT_EQ(SketchCurveSelectionFilter::anyCurves().selectionCategory(),
              SketchCurveSelectionFilter::lines().selectionCategory());
    EXPECT_EQ(SketchPointSelectionFilter::get().selectionCategory()->name(), L"Sketch Points");
    EXPECT_EQ(SketchSelectionFilter::get().selectionCategory()->name(), L"Sketches");
    EXPECT_TRUE(SketchPointSelectionFilter::get().isEnabled());
}

TEST(GeometrySelectionFilters, FindersNameTheLibrarysFilters) {
    EXPECT_EQ(SelectionFilterFinder::findFilter(UniqueString("AnySketchCurves")),
              &SketchCurveSelectionFilter::anyCurves());
    EXPECT_EQ(SelectionFilterFinder::findFilter(UniqueString("LinearSketchCurves")),
              &SketchCurveSelectionFilter::lines());
    EXPECT_EQ(SelectionFilterFinder::findFilter(UniqueString("CircularSketchCurve")),
              &SketchCurveSelectionFilter::circularCurves());
    EXPECT_EQ(SelectionFilterFinder::findFilter(UniqueString("SketchPoint")),
              &SketchPointSelectionFilter::get());
    EXPECT_EQ(SelectionFilterFinder::findFilter(UniqueString("CircularSketchCurves")), nullptr);
    EXPECT_EQ(SelectionFilterFinder::findFilter(UniqueString("Sketch")), nullptr);
}

} // namespace
} // namespace Kv::Geometry::SelectionTests
