// Selections of 2D drawing items: what an item's pick makes, the filter that
// sorts them by kind, and picking them where they are drawn.

#include "../sketch2d/Sketch2DTestDocument.h"
#include "SelectionTestSupport.h"

#include "Geometry/selection/Geometry2DSelection.h"
#include "Geometry/selection/Geometry2DSelectionFilter.h"
#include "Geometry/selection/SketchSelection.h"
#include "Geometry/sketch2d/Arc2D.h"
#include "Geometry/sketch2d/EllipticArc2D.h"
#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Spline2D.h"
#include "Kv/Scene/SceneManager.h"
#include "Kv/Selection/Picker.h"
#include "Kv/Selection/SelectionCategory.h"
#include "Wyn/Scene/View.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::SelectionTests {
namespace {

using Sketch2DTests::Sketch2DTestDocument;
using Sketch2DTests::transact;

// One item of every kind in one drawing: a line, a circle, an ellipse, a
// spline, a point on its own, and a group holding a second line.
class Geometry2DSelectionTest : public ::testing::Test {
protected:
    Geometry2DSelectionTest() {
        transact(*doc.asset, [&] {
            line = Line2D::make(doc.parent(), ZkGePoint2d(0, 0), ZkGePoint2d(4, 0));
            circle = Arc2D::make(doc.parent(), ZkGePoint2d(10, 0), 1.0);
            ellipse =
                EllipticArc2D::make(doc.parent(), ZkGePoint2d(20, 0), ZkGeVector2d(1, 0), 2.0, 1.0);
            spline = Spline2D::make(
                doc.parent(),
                ZkArray<ZkGePoint2d>{ZkGePoint2d(0, 10), ZkGePoint2d(2, 12), ZkGePoint2d(4, 10)});
            point = Point2D::make(doc.parent(), ZkGePoint2d(30, 30), false);
            group = GeometryGroup2D::make(doc.parent());
            grouped =
                Line2D::make(StrongRef<Entity>(group), ZkGePoint2d(0, -5), ZkGePoint2d(4, -5));
        });
    }

    // Which of the items `filter` passes when each is picked on its own.
    std::string kindsPassed(const Geometry2DSelectionFilter& filter) {
        std::string kinds;
        const std::pair<const char*, Entity*> items[] = {
            {"line ", line.get()},       {"circle ", circle.get()}, {"ellipse ", ellipse.get()},
            {"spline ", spline.get()},   {"point ", point.get()},   {"group ", group.get()},
            {"grouped ", grouped.get()},
        };
        for (const auto& [name, item] : items) {
            StrongRef<Geometry2DSelection> picked = pick<Geometry2DSelection>(item);
            if (filter.filter(StrongRef<Selection>(picked.get())))
                kinds += name;
        }
        return kinds;
    }

    Sketch2DTestDocument doc;
    StrongRef<Line2D> line;
    StrongRef<Arc2D> circle;
    StrongRef<EllipticArc2D> ellipse;
    StrongRef<Spline2D> spline;
    StrongRef<Point2D> point;
    StrongRef<GeometryGroup2D> group;
    StrongRef<Line2D> grouped;
};

TEST_F(Geometry2DSelectionTest, EveryItemSelectsItselfByItsPath) {
    for (Entity* item : {static_cast<Entity*>(line.get()), static_cast<Entity*>(point.get()),
                         static_cast<Entity*>(group.get()), static_cast<Entity*>(grouped.get())}) {
        StrongRef<Geometry2DSelection> selection = pick<Geometry2DSelection>(item);
        ASSERT_TRUE(selection);
        EXPECT_EQ(selection->path().leaf(), item);
        EXPECT_EQ(selection->geometry().get(), item);
        EXPECT_TRUE(selection->userName().empty()) << "2D items have no name of their own";
    }
    EXPECT_EQ(pick<Geometry2DSelection>(grouped.get())->path().elements().size(),
              ObjectPath::toEntity(grouped.get()).elements().size())
        << "a grouped item keeps its group on the path";
}

TEST_F(Geometry2DSelectionTest, ASelectionOutlivesItsItemButNoLongerReachesIt) {
    StrongRef<Geometry2DSelection> selection = pick<Geometry2DSelection>(circle.get());
    transact(*doc.asset, [&] { doc.sketch->removeChild(StrongRef<Entity>(circle)); });
    EXPECT_FALSE(selection->isValid());
    EXPECT_FALSE(selection->geometry());
    EXPECT_EQ(kindsPassed(Geometry2DSelectionFilter::any()),
              "line ellipse spline point group grouped ")
        << "the deleted circle is rejected";
}

TEST_F(Geometry2DSelectionTest, FiltersPassTheirKindsOfItem) {
    using Filter = Geometry2DSelectionFilter;
    EXPECT_EQ(Filter::any().flags(), 255u);
    EXPECT_EQ(Filter::lines().flags(), 1u);
    EXPECT_EQ(Filter::circularCurves().flags(), 2u);
    EXPECT_EQ(Filter::anyCurves().flags(), 3u);
    EXPECT_EQ(Filter::points().flags(), 4u);
    EXPECT_EQ(Filter::groups().flags(), 8u);

    EXPECT_EQ(kindsPassed(Filter::any()), "line circle ellipse spline point group grouped ");
    EXPECT_EQ(kindsPassed(Filter::lines()), "line grouped ");
    EXPECT_EQ(kindsPassed(Filter::circularCurves()), "circle ");
    EXPECT_EQ(kindsPassed(Filter::anyCurves()), "line circle ellipse spline grouped ");
    EXPECT_EQ(kindsPassed(Filter::points()), "point ");
    EXPECT_EQ(kindsPassed(Filter::groups()), "group ") << "a group's members are no groups";

    StrongRef<LogicalSelection> other = SketchSelection::make(ObjectPath::toEntity(line.get()), {});
    EXPECT_FALSE(Filter::any().filter(StrongRef<Selection>(other.get())))
        << "a selection of another family, even on a 2D item";
    EXPECT_EQ(Filter::groups().selectionCategory()->name(), L"2D Geometry");
}

TEST_F(Geometry2DSelectionTest, PickingFindsItemsWhereTheyAreDrawn) {
    const Wyn::Scene::View top = Wyn::Scene::View::top();
    const auto hitsAt = [&](double x, double y) {
        return SelectionTests::hitsAt(doc.asset->sceneManager(), x, y);
    };
    EXPECT_EQ(hitsAt(2, 0.05), std::vector<Entity*>{line.get()});
    EXPECT_EQ(hitsAt(2, -5), std::vector<Entity*>{grouped.get()}) << "not the group";
    EXPECT_EQ(hitsAt(11, 0), std::vector<Entity*>{circle.get()});
    EXPECT_TRUE(hitsAt(10, 0).empty()) << "inside the circle is not on it";
    EXPECT_TRUE(hitsAt(30, 30).empty()) << "points are not drawn";

    StrongRef<LogicalSelection> picked = Picker::select(grouped.get(), top, 2, -5);
    auto* selection = queryInterface<Geometry2DSelection>(picked.get());
    ASSERT_TRUE(selection);
    EXPECT_EQ(selection->geometry().get(), grouped.get());
    EXPECT_TRUE(selection->hitInfo());

    line->drawForPreview(true);
    EXPECT_FALSE(Picker::select(line.get(), top, 2, 0)) << "an item in preview selects nothing";
    line->drawForPreview(false);
    EXPECT_TRUE(Picker::select(line.get(), top, 2, 0));
}

} // namespace
} // namespace Kv::Geometry::SelectionTests
