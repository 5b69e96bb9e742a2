// The 3D geometry base: how properties are recorded, how groups pass them on,
// where an entity lies, how geometry names itself, and its texts and type
// codes.

#include "../curves3d/SketchTestDocument.h"

#include "Geometry/sketch3d/CoordinateSystem.h"
#include "Geometry/sketch3d/Geometry3D.h"
#include "Geometry/sketch3d/GeometryGroup3D.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/Onk.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::Tests {
namespace {

using SketchTests::ChangeRecorder;

struct GeometryDocument : SketchTestDocument {
    StrongRef<Point3D> point(double x, double y = 0, double z = 0) {
        return Point3D::make(parent, ZkGePoint3d(x, y, z));
    }
};

// ---- properties

TEST(GeometryBase3DProperties, EachSetterIsOneUndoableChangeOfAppearanceButPreviewIsNone) {
    GeometryDocument doc;
    StrongRef<Point3D> point = doc.point(1);
    const std::string before = printed(point.get());
    ChangeRecorder recorder({point.get()});
    doc.transact([&] {
        point->lineThickness(2.5f);
        point->lineColor(Color(1, 0, 0, 1));
        point->fillColor(Color(0, 1, 0, 0.5f));
        point->isVisible(false);
        point->zOrder(7);
    });
    ASSERT_EQ(recorder.changes().size(), 5u);
    for (const ChangeRecorder::Change& change : recorder.changes()) {
        EXPECT_EQ(change.kind, kTransactDo);
        EXPECT_EQ(change.changeType, unsigned(kChangeAppearance));
        EXPECT_EQ(change.timing, 3);
    }
    EXPECT_EQ(point->fillColor(), Color(0, 1, 0, 0.5f));
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(printed(point.get()), before);
    doc.transact([&] { EXPECT_TRUE(point->toggleVisibility(ObjectPath())); });
    EXPECT_FALSE(point->isVisible(nullptr));

    // Drawing for a preview is neither recorded nor saved.
    recorder.clear();
    const std::string toggled = printed(point.get());
    doc.transact([&] { point->drawForPreview(true); });
    EXPECT_TRUE(point->drawForPreview());
    EXPECT_TRUE(recorder.changes().empty());
    EXPECT_EQ(printed(point.get()), toggled);
}

// ---- groups

TEST(GeometryGroup3D, AppearanceGoesToEveryChildAndUndoesAsOne) {
    GeometryDocument doc;
    StrongRef<GeometryGroup3D> group;
    std::vector<StrongRef<Point3D>> children;
    doc.transact([&] {
        group = GeometryGroup3D::make(PassiveRef<Entity>(doc.sketch));
        for (int i = 0; i < 3; ++i)
            children.push_back(Point3D::make(StrongRef<Entity>(group), ZkGePoint3d(i, 0, 0)));
    });
    const std::string before = describeModel(doc.asset);
    ChangeRecorder recorder({group.get()});
    doc.transact([&] { group->lineColor(Color(0.25f, 0.5f, 0.75f, 1)); });
    for (const StrongRef<Point3D>& child : children)
        EXPECT_EQ(child->lineColor(), Color(0.25f, 0.5f, 0.75f, 1));
    ASSERT_EQ(recorder.changes().size(), 1u) << "one change around all children";
    EXPECT_EQ(recorder.changes()[0].changeType, unsigned(kChangeAppearance));

    doc.transact([&] {
        group->lineThickness(3);
        group->fillColor(Color(1, 1, 1, 1));
        group->zOrder(4);
        group->isVisible(false);
    });
    for (const StrongRef<Point3D>& child : children) {
        EXPECT_EQ(child->lineThickness(), 3.0f);
        EXPECT_EQ(child->fillColor(), Color(1, 1, 1, 1));
        EXPECT_EQ(child->zOrder(), 4u);
        EXPECT_FALSE(child->isVisible());
    }
    group->drawForPreview(true);
    for (const StrongRef<Point3D>& child : children)
        EXPECT_TRUE(child->drawForPreview());
    group->drawForPreview(false);

    ASSERT_TRUE(doc.asset.undo());
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(describeModel(doc.asset), before);
}

TEST(GeometryGroup3D, HasLinesWhenAChildHas) {
    GeometryDocument doc;
    StrongRef<GeometryGroup3D> group = GeometryGroup3D::make(PassiveRef<Entity>(doc.sketch));
    EXPECT_FALSE(group->hasLines()) << "no children";
    EXPECT_FALSE(group->hasFill());
    const StrongRef<Entity> inside(group);
    Point3D::make(inside, ZkGePoint3d(0, 0, 0));
    EXPECT_FALSE(group->hasLines());
    Line3D::make(inside, Point3D::findOrMake(inside, ZkGePoint3d(0, 0, 0)),
                 Point3D::findOrMake(inside, ZkGePoint3d(1, 0, 0)));
    EXPECT_TRUE(group->hasLines());
    EXPECT_FALSE(group->hasFill());
    EXPECT_FALSE(group->references(Point3D::findOrMake(inside, ZkGePoint3d(0, 0, 0))));
    EXPECT_FALSE(group->geometryBase3D(9));
}

TEST(GeometryGroup3D, DescribesItsChildren) {
    GeometryDocument doc;
    StrongRef<GeometryGroup3D> group = GeometryGroup3D::make(PassiveRef<Entity>(doc.sketch));
    Point3D::make(StrongRef<Entity>(group), ZkGePoint3d(0, 0, 0));
    Point3D::make(StrongRef<Entity>(group), ZkGePoint3d(1, 0, 0));
    const std::wstring text = group->toString();
    EXPECT_EQ(text.rfind(L"Geometries 2 base(CommonBaseGroupEntity ", 0), 0u) << text;
    EXPECT_FALSE(GeometryGroup3D::make(PassiveRef<Entity>()));
}

// ---- where an entity lies

TEST(GeometryBase3DPlace, SketchIsFoundThroughGroups) {
    GeometryDocument doc;
    StrongRef<GeometryGroup3D> outer = GeometryGroup3D::make(PassiveRef<Entity>(doc.sketch));
    StrongRef<GeometryGroup3D> inner = GeometryGroup3D::make(PassiveRef<Entity>(outer));
    StrongRef<Point3D> deep = Point3D::make(StrongRef<Entity>(inner), ZkGePoint3d(1, 1, 1));
    EXPECT_EQ(deep->sketch().get(), doc.sketch.get());
    EXPECT_EQ(deep->parentGeometryGroup3D(), inner.get());
    EXPECT_EQ(doc.point(2)->sketch().get(), doc.sketch.get());
    EXPECT_EQ(doc.point(3)->parentGeometryGroup3D(), nullptr);

    StrongRef<GeometryGroup3D> loose = GeometryGroup3D::make(PassiveRef<Entity>(doc.component));
    StrongRef<Point3D> outside = Point3D::make(StrongRef<Entity>(loose), ZkGePoint3d(0, 0, 0));
    EXPECT_FALSE(outside->sketch()) << "neither a sketch nor a group above";
    EXPECT_FALSE(loose->sketch());
}

// ---- naming

TEST(Geometry3DNaming, KeyCountsSiblingsOfTheSameType) {
    GeometryDocument doc;
    StrongRef<Point3D> first = doc.point(0);
    StrongRef<Point3D> second = doc.point(1);
    Line3D::make(doc.parent, first, second);
    StrongRef<Point3D> third = doc.point(2);
    Onk key;
    ASSERT_TRUE(second->getOnk(key));
    EXPECT_EQ(key.name(), L"Point:1:2");
    EXPECT_EQ(key.representation(), L"(1, 0, 0)");
    ASSERT_TRUE(third->getOnk(key));
    EXPECT_EQ(key.name(), L"Point:1:3") << "the line between does not count";

    StrongRef<GeometryGroup3D> group = GeometryGroup3D::make(PassiveRef<Entity>(doc.sketch));
    StrongRef<Point3D> grouped = Point3D::make(StrongRef<Entity>(group), ZkGePoint3d(5, 0, 0));
    ASSERT_TRUE(grouped->getOnk(key));
    EXPECT_EQ(key.name(), L"Point:1:1") << "counted within its own group";
}

TEST(Geometry3DNaming, NoKeyOutsideAGroup) {
    GeometryDocument doc;
    StrongRef<CoordinateSystem> holder = CoordinateSystem::make(doc.segment);
    StrongRef<Point3D> point = Point3D::make(StrongRef<Entity>(holder), ZkGePoint3d(1, 2, 3));
    Onk key(L"left", L"alone");
    EXPECT_FALSE(point->getOnk(key));
    EXPECT_EQ(key, Onk(L"left", L"alone"));
}

// ---- deletion, texts and type codes

TEST(Geometry3D, OnlyThePickedEntityCanBeDeleted) {
    GeometryDocument doc;
    StrongRef<GeometryGroup3D> group = GeometryGroup3D::make(PassiveRef<Entity>(doc.sketch));
    StrongRef<Point3D> point = Point3D::make(StrongRef<Entity>(group), ZkGePoint3d(1, 2, 3));
    StrongRef<Point3D> other = doc.point(9);
    EXPECT_TRUE(point->onCanDelete(ObjectPath::toEntity(point.get())));
    EXPECT_FALSE(point->onCanDelete(ObjectPath::toEntity(other.get())));
    EXPECT_FALSE(point->onCanDelete(ObjectPath::toEntity(group.get())));
    EXPECT_FALSE(point->onCanDelete(ObjectPath()));
}

TEST(Geometry3D, TextsEmbedTheirBases) {
    GeometryDocument doc;
    StrongRef<Point3D> point = doc.point(1.5, -2);
    const std::wstring base =
        L"CommonBaseGroupEntity " + std::to_wstring(point->id()) + L" with 0 children";
    EXPECT_EQ(point->toString(), L"Point3D at (1.5, -2) (Base " + base + L"))");
}

// The codes name the kinds in the keys scripts find geometry by.
TEST(Geometry3D, TypeCodesAreFixed) {
    EXPECT_EQ((std::vector<int>{Geometry3D::kGeometry3D, Geometry3D::kPoint3D, Geometry3D::kLine3D,
                                Geometry3D::kTangentHandle, Geometry3D::kCircArc3D,
                                Geometry3D::kEllipticArc3D, Geometry3D::kSpline3D,
                                Geometry3D::kCurvatureHandle, Geometry3D::kText,
                                Geometry3D::kTextBorder}),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 10, 11, 12}));
}

} // namespace
} // namespace Kv::Geometry::Tests
