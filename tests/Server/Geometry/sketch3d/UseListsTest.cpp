// The four use lists: what each operation does to its content, that each
// edit is one recorded change of the list, and that undo puts it back.

#include "../curves3d/SketchTestDocument.h"

#include "Geometry/sketch3d/CurvatureUses.h"
#include "Geometry/sketch3d/PointUses.h"
#include "Geometry/sketch3d/TangentUses.h"
#include "Kv/DataModel/DataChange.h"

#include <gtest/gtest.h>

#include <map>

namespace Kv::Geometry::Tests {
namespace {

using SketchTests::ChangeRecorder;

struct ListDocument : SketchTestDocument {
    StrongRef<Point3D> point(double x) { return Point3D::make(parent, ZkGePoint3d(x, 0, 0)); }
    StrongRef<Line3D> line(double x) { return Line3D::make(parent, point(x), point(x + 0.5)); }
    StrongRef<TangentHandle> tangent(double x) {
        return TangentHandle::make(parent, point(x), point(x + 0.25));
    }
    StrongRef<CurvatureHandle> curvature(double x) {
        return CurvatureHandle::make(parent, ZkGePoint3d(x, 0, 0), ZkGePoint3d(x + 1, 0, 0),
                                     ZkGePoint3d(x, 1, 0), ZkGeVector3d::kZAxis);
    }
    // Every change the list reports must be one recorded change of its
    // contents (kind 1, change type 1, timing 3).
    void expectListChanges(const ChangeRecorder& recorder, size_t count) {
        ASSERT_EQ(recorder.changes().size(), count);
        for (const ChangeRecorder::Change& change : recorder.changes()) {
            EXPECT_EQ(change.kind, kTransactDo);
            EXPECT_EQ(change.changeType, unsigned(kChangeProperties));
            EXPECT_EQ(change.timing, 3);
        }
    }
};

template <class Handle> std::map<int, Handle*> keys(const std::map<int, StrongRef<Handle>>& map) {
    std::map<int, Handle*> plain;
    for (const auto& [key, handle] : map)
        plain[key] = handle.get();
    return plain;
}

// ---- CurveUses

TEST(CurveUses, CurveIsListedOnce) {
    ListDocument doc;
    StrongRef<CurveUses> uses = CurveUses::make(doc.parent);
    ASSERT_TRUE(uses);
    EXPECT_EQ(uses->parentEntity(), doc.sketch.get());
    StrongRef<Line3D> a = doc.line(0);
    StrongRef<Line3D> b = doc.line(5);
    ChangeRecorder recorder({uses.get()});
    doc.transact([&] {
        uses->add(PassiveRef<Curve3D>(a));
        uses->add(PassiveRef<Curve3D>(a));
        uses->add(PassiveRef<Curve3D>(b));
    });
    doc.expectListChanges(recorder, 2);
    ASSERT_EQ(uses->geometriesCount(), 2u);
    EXPECT_TRUE(uses->contains(PassiveRef<Curve3D>(a)));
    EXPECT_EQ(uses->curves()[1].getTarget(), b.get());

    recorder.clear();
    doc.transact([&] {
        uses->remove(PassiveRef<Curve3D>(doc.line(9)));
        uses->remove(PassiveRef<Curve3D>(a));
    });
    doc.expectListChanges(recorder, 1);
    EXPECT_FALSE(uses->contains(PassiveRef<Curve3D>(a)));
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(uses->geometriesCount(), 2u);
    EXPECT_EQ(uses->curves()[0].getTarget(), a.get());
}

TEST(CurveUses, KeepsNoCurveAliveWhereAPointListKeepsItsPoints) {
    ListDocument doc;
    StrongRef<CurveUses> curves = CurveUses::make(doc.parent);
    StrongRef<PointUses> points = PointUses::make(doc.parent);
    PassiveRef<Line3D> line;
    PassiveRef<Point3D> point;
    {
        StrongRef<Line3D> made = doc.line(0);
        StrongRef<Point3D> loose = doc.point(5);
        line = PassiveRef<Line3D>(made);
        point = PassiveRef<Point3D>(loose);
        curves->add(PassiveRef<Curve3D>(made));
        points->add(loose);
        doc.sketch->removeChild(StrongRef<Entity>(made));
        doc.sketch->removeChild(StrongRef<Entity>(loose));
    }
    EXPECT_FALSE(line) << "the curve list did not keep it";
    EXPECT_EQ(curves->geometriesCount(), 1u);
    EXPECT_FALSE(curves->curves()[0]);
    EXPECT_TRUE(point) << "the point list did";
    EXPECT_EQ(curves->toString().rfind(L"CurveUses (base CommonBaseEntity ", 0), 0u);
}

// ---- PointUses

TEST(PointUses, PointsMayRepeatAndInsertAppendsPastTheEnd) {
    ListDocument doc;
    StrongRef<PointUses> uses = PointUses::make(doc.parent);
    StrongRef<Point3D> a = doc.point(0), b = doc.point(1), c = doc.point(2), d = doc.point(3);
    ChangeRecorder recorder({uses.get()});
    doc.transact([&] {
        uses->add(a);
        uses->add(a);
        uses->insert(2, b);
        uses->insert(1, c);
        uses->insert(0, d);
        uses->insert(-1, d);
    });
    doc.expectListChanges(recorder, 6);
    EXPECT_EQ(uses->points(), (std::vector<StrongRef<Point3D>>{d, a, c, a, b, d}));

    recorder.clear();
    doc.transact([&] {
        uses->remove(a);
        uses->remove(doc.point(7));
    });
    doc.expectListChanges(recorder, 1);
    ASSERT_EQ(uses->geometriesCount(), 5u);
    EXPECT_EQ(uses->points()[1].get(), c.get()) << "the first equal entry goes";
    EXPECT_TRUE(uses->contains(a)) << "its repeat stays";
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(uses->geometriesCount(), 6u);
    EXPECT_EQ(uses->toString().rfind(L"PointUses (base ", 0), 0u);
}

// ---- TangentUses and CurvatureUses

TEST(TangentUses, OneHandlePerIndexAndTheFirstStays) {
    ListDocument doc;
    StrongRef<TangentUses> uses = TangentUses::make(doc.parent);
    StrongRef<TangentHandle> first = doc.tangent(0), second = doc.tangent(1);
    ChangeRecorder recorder({uses.get()});
    doc.transact([&] {
        uses->insert(3, first);
        uses->insert(3, second);
        uses->remove(4);
    });
    EXPECT_EQ(uses->geometriesCount(), 1u);
    EXPECT_EQ(uses->tangents().at(3).get(), first.get());
    EXPECT_TRUE(uses->contains(3));
    EXPECT_FALSE(uses->contains(4));
    doc.expectListChanges(recorder, 2);
    doc.transact([&] { uses->remove(3); });
    EXPECT_EQ(uses->geometriesCount(), 0u);
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(uses->tangents().at(3).get(), first.get());
    EXPECT_EQ(uses->toString().rfind(L"TangentUses (base ", 0), 0u);
}

TEST(TangentUses, RearrangingShiftsEveryKeyFromTheIndexOn) {
    ListDocument doc;
    StrongRef<TangentUses> uses = TangentUses::make(doc.parent);
    StrongRef<TangentHandle> h0 = doc.tangent(0), h2 = doc.tangent(2), h5 = doc.tangent(5);
    uses->insert(0, h0);
    uses->insert(2, h2);
    uses->insert(5, h5);
    ChangeRecorder recorder({uses.get()});
    doc.transact([&] { uses->rearrangeIndex(2, true); });
    doc.expectListChanges(recorder, 1);
    EXPECT_EQ(keys(uses->tangents()),
              (std::map<int, TangentHandle*>{{0, h0.get()}, {1, h2.get()}, {4, h5.get()}}));
    doc.transact([&] { uses->rearrangeIndex(1, false); });
    EXPECT_EQ(keys(uses->tangents()),
              (std::map<int, TangentHandle*>{{0, h0.get()}, {2, h2.get()}, {5, h5.get()}}));

    recorder.clear();
    doc.transact([&] { uses->rearrangeIndex(6, true); });
    EXPECT_TRUE(recorder.changes().empty()) << "no key at or above the index";
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(keys(uses->tangents()),
              (std::map<int, TangentHandle*>{{0, h0.get()}, {1, h2.get()}, {4, h5.get()}}));
}

TEST(CurvatureUses, BehavesLikeTheTangentList) {
    ListDocument doc;
    StrongRef<CurvatureUses> uses = CurvatureUses::make(doc.parent);
    StrongRef<CurvatureHandle> h0 = doc.curvature(0), h2 = doc.curvature(10),
                               h5 = doc.curvature(20), spare = doc.curvature(30);
    ChangeRecorder recorder({uses.get()});
    doc.transact([&] {
        uses->insert(0, h0);
        uses->insert(2, h2);
        uses->insert(5, h5);
        uses->insert(5, spare);
    });
    doc.expectListChanges(recorder, 4);
    EXPECT_EQ(uses->curvatures().at(5).get(), h5.get());
    doc.transact([&] { uses->rearrangeIndex(2, true); });
    EXPECT_EQ(keys(uses->curvatures()),
              (std::map<int, CurvatureHandle*>{{0, h0.get()}, {1, h2.get()}, {4, h5.get()}}));
    doc.transact([&] { uses->remove(1); });
    EXPECT_FALSE(uses->contains(1));
    EXPECT_EQ(uses->geometriesCount(), 2u);
    ASSERT_TRUE(doc.asset.undo());
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(keys(uses->curvatures()),
              (std::map<int, CurvatureHandle*>{{0, h0.get()}, {2, h2.get()}, {5, h5.get()}}));
    EXPECT_EQ(uses->toString().rfind(L"CurvatureUses (base ", 0), 0u);
}

} // namespace
} // namespace Kv::Geometry::Tests
