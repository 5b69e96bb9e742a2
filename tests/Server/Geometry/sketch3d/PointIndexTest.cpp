// The point index behind findOrMake answers exactly what looking at every
// child in order answers: on random positions, on clusters within tolerance
// of each other, and after points are moved, removed, reordered, undone,
// redone and read back from a file.

#include "../curves3d/SketchTestDocument.h"

#include "Geometry/sketch3d/GeometryGroup3D.h"
#include "Geometry/sketch3d/PointIndex.h"
#include "ZkGeContext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace Kv::Geometry::Tests {
namespace {

// What the sharing rule says: the first child, in child order, that is a
// point equal to `position` within `tol`.
Point3D* firstInChildOrder(const Managed::ManagedGroupEntity& group, const ZkGePoint3d& position,
                           const ZkGeTol& tol) {
    for (const StrongRef<Entity>& child : group.children())
        if (auto* point = queryInterface<Point3D>(child.get());
            point && point->point().isEqualTo(position, tol))
            return point;
    return nullptr;
}

class PointIndexTest : public ::testing::Test {
protected:
    // Positions on a coarse grid, some nudged by less than the tolerance, so
    // that many queries find one point, some several and some none.
    ZkGePoint3d randomPosition() {
        const double tol = ZkGeContext::gTol.equalPoint();
        std::uniform_int_distribution<int> cell(-6, 6);
        std::uniform_real_distribution<double> nudge(-0.7 * tol, 0.7 * tol);
        std::bernoulli_distribution nudged(0.5);
        ZkGePoint3d p(cell(random) * 0.5, cell(random) * 0.25, cell(random) % 3);
        if (nudged(random))
            p = p + ZkGeVector3d(nudge(random), nudge(random), nudge(random));
        return p;
    }

    // Compares the index with the walk for `count` random positions and for
    // the position of every child point.
    void expectIndexMatchesWalk(const Managed::ManagedGroupEntity& group, const PointIndex& index,
                                int count, const char* when) {
        size_t points = 0;
        for (const StrongRef<Entity>& child : group.children())
            points += queryInterface<Point3D>(child.get()) != nullptr;
        ASSERT_EQ(index.pointCount(), points) << when;
        const ZkGeTol& tol = ZkGeContext::gTol;
        for (int i = 0; i < count; ++i) {
            const ZkGePoint3d p = randomPosition();
            ASSERT_EQ(index.find(p, tol), firstInChildOrder(group, p, tol))
                << when << " at (" << p.x << ", " << p.y << ", " << p.z << ")";
        }
        for (const StrongRef<Entity>& child : group.children()) {
            if (auto* point = queryInterface<Point3D>(child.get())) {
                ASSERT_EQ(index.find(point->point(), tol),
                          firstInChildOrder(group, point->point(), tol))
                    << when;
            }
        }
    }

    // Random edits of the sketch's points, each its own transaction.
    void randomEdits(int count) {
        std::uniform_int_distribution<int> what(0, 9);
        for (int i = 0; i < count; ++i) {
            const size_t children = sketch->childCount();
            std::uniform_int_distribution<size_t> pick(0, children ? children - 1 : 0);
            const int edit = children ? what(random) : 0;
            doc.transact([&] {
                if (edit <= 3) {
                    Point3D::findOrMake(parent, randomPosition());
                } else if (edit == 4) {
                    Point3D::make(parent, randomPosition());
                } else if (edit == 5) {
                    sketch->removeChild(sketch->child(pick(random)));
                } else if (edit == 6) {
                    sketch->moveChild(sketch->child(pick(random)).get(), pick(random));
                } else if (auto* point =
                               queryInterface<Point3D>(sketch->child(pick(random)).get())) {
                    if (edit == 7)
                        point->point(randomPosition());
                    else
                        point->translate(ZkGeVector3d(0.25, 0, 0));
                }
            });
        }
    }

    SketchTestDocument doc;
    const StrongRef<Sketch>& sketch = doc.sketch;
    const StrongRef<Entity>& parent = doc.parent;
    std::mt19937 random{20240611};
};

TEST_F(PointIndexTest, FollowsEditsUndoAndRedo) {
    randomEdits(400);
    expectIndexMatchesWalk(*sketch, sketch->pointIndex(), 500, "after edits");
    for (int i = 0; i < 150; ++i)
        ASSERT_TRUE(doc.asset.undo());
    expectIndexMatchesWalk(*sketch, sketch->pointIndex(), 500, "after undo");
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(doc.asset.redo());
    expectIndexMatchesWalk(*sketch, sketch->pointIndex(), 500, "after redo");
    randomEdits(100);
    expectIndexMatchesWalk(*sketch, sketch->pointIndex(), 500, "after more edits");
}

TEST_F(PointIndexTest, ComesBackWithTheDocument) {
    randomEdits(200);
    std::unique_ptr<Asset> opened = doc.saveAndOpen();
    StrongRef<Sketch> loaded = SketchTests::sketchesOf(*opened)->sketch(0);
    ASSERT_EQ(loaded->childCount(), sketch->childCount());
    expectIndexMatchesWalk(*loaded, loaded->pointIndex(), 500, "after opening");
    loaded.reset();
}

TEST_F(PointIndexTest, GroupsKeepTheirOwnIndex) {
    StrongRef<GeometryGroup3D> group = GeometryGroup3D::make(PassiveRef<Entity>(sketch));
    const StrongRef<Entity> inside(group);
    for (int i = 0; i < 200; ++i) {
        Point3D::make(inside, randomPosition());
        Point3D::findOrMake(parent, randomPosition());
    }
    expectIndexMatchesWalk(*group, group->pointIndex(), 500, "group");
    expectIndexMatchesWalk(*sketch, sketch->pointIndex(), 500, "sketch");
    EXPECT_EQ(PointIndex::of(group.get()), &group->pointIndex());
    EXPECT_EQ(PointIndex::of(doc.sketches.get()), nullptr) << "other parents are walked";
}

// Points closer than a cell but farther apart than the tolerance share a
// cell and so look alike to the index until it reads their positions.
TEST_F(PointIndexTest, PointsSharingACellAreToldApartByPosition) {
    const ZkGeTol& tol = ZkGeContext::gTol;
    auto at = [](int k, double shift = 0.0) {
        return ZkGePoint3d(k * 2e-6 + shift, 0, 0);
    };
    std::vector<StrongRef<Point3D>> points;
    for (int k = 0; k < 64; ++k)
        points.push_back(Point3D::make(parent, at(k)));
    for (int k = 0; k < 64; ++k) {
        ASSERT_EQ(sketch->pointIndex().find(at(k), tol), points[k].get()) << k;
        ASSERT_EQ(sketch->pointIndex().find(at(k, 1e-6), tol), nullptr) << k;
    }

    // Removing points shifts others back in their probe runs.
    doc.transact([&] {
        for (int k = 0; k < 64; k += 3)
            sketch->removeChild(StrongRef<Entity>(points[k]));
    });
    EXPECT_EQ(sketch->pointIndex().pointCount(), 64u - 22u);
    for (int k = 0; k < 64; ++k)
        ASSERT_EQ(sketch->pointIndex().find(at(k), tol), k % 3 ? points[k].get() : nullptr) << k;

    // Moving within the cell, and out of it.
    doc.transact([&] {
        points[1]->point(at(1, 1e-6));
        points[2]->point(ZkGePoint3d(5, 5, 5));
    });
    EXPECT_EQ(sketch->pointIndex().find(at(1), tol), nullptr);
    EXPECT_EQ(sketch->pointIndex().find(at(1, 1e-6), tol), points[1].get());
    EXPECT_EQ(sketch->pointIndex().find(at(2), tol), nullptr);
    EXPECT_EQ(sketch->pointIndex().find(ZkGePoint3d(5, 5, 5), tol), points[2].get());
    expectIndexMatchesWalk(*sketch, sketch->pointIndex(), 200, "after moves");

    ASSERT_TRUE(doc.asset.undo());
    ASSERT_TRUE(doc.asset.undo());
    for (int k = 0; k < 64; ++k)
        ASSERT_EQ(sketch->pointIndex().find(at(k), tol), points[k].get()) << k;
}

// A point that leaves its group is no longer found there, and one that a
// group that is gone had filed can still be put into another.
TEST_F(PointIndexTest, PointsOutliveTheGroupThatFiledThem) {
    StrongRef<Point3D> survivor;
    {
        StrongRef<GeometryGroup3D> group = GeometryGroup3D::make(PassiveRef<Entity>(sketch));
        survivor = Point3D::make(StrongRef<Entity>(group), ZkGePoint3d(1, 2, 3));
        EXPECT_EQ(group->pointIndex().find(ZkGePoint3d(1, 2, 3), ZkGeContext::gTol),
                  survivor.get());
        doc.transact([&] { sketch->removeChild(StrongRef<Entity>(group)); });
        doc.asset.undoStack().clear();
    }
    doc.transact([&] { sketch->addChild(StrongRef<Entity>(survivor)); });
    EXPECT_EQ(sketch->pointIndex().find(ZkGePoint3d(1, 2, 3), ZkGeContext::gTol), survivor.get());
}

TEST_F(PointIndexTest, LargeAndOddTolerancesStillAgree) {
    for (int i = 0; i < 300; ++i)
        Point3D::make(parent, randomPosition());
    const ZkGePoint3d far(1e300, -1e300, 0);
    Point3D::make(parent, far);
    for (const ZkGeTol& tol : {ZkGeTol(0.3, 1e-12), ZkGeTol(3.0, 1e-12), ZkGeTol(0, 1e-12),
                               ZkGeTol(1e-5, 1e-12), ZkGeTol(1e-4, 1e-12)})
        for (int i = 0; i < 300; ++i) {
            const ZkGePoint3d p = randomPosition();
            ASSERT_EQ(sketch->pointIndex().find(p, tol), firstInChildOrder(*sketch, p, tol))
                << tol.equalPoint();
        }
    EXPECT_EQ(sketch->pointIndex().find(far, ZkGeContext::gTol),
              firstInChildOrder(*sketch, far, ZkGeContext::gTol));
    EXPECT_NE(sketch->pointIndex().find(far, ZkGeContext::gTol), nullptr);
    const double nan = std::nan("");
    EXPECT_EQ(sketch->pointIndex().find(ZkGePoint3d(nan, 0, 0), ZkGeContext::gTol), nullptr);
}

} // namespace
} // namespace Kv::Geometry::Tests
