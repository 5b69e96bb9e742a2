// Fit-point splines: the makes and the definition-data constructor, fit
// point indexing, every edit with its handle re-indexing, closing and
// opening, derived curves, fitting through updateCurve, deletion, the scene,
// and persistence with undo, redo, save and open.

#include "SketchTestDocument.h"

#include "Geometry/GeometryMetaTypes.h"
#include "Geometry/sketch3d/CurvatureUses.h"
#include "Geometry/sketch3d/PointUses.h"
#include "Geometry/sketch3d/TangentUses.h"
#include "Kv/DataModel/MemberSet.h"
#include "Wyn/Graphics/GeometryNode.h"
#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Graphics/NurbsCurveNode.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::Tests {
namespace {

const std::vector<ZkGePoint3d> kFit = {ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 2, 0),
                                       ZkGePoint3d(3, 1, 0), ZkGePoint3d(4, 3, 0),
                                       ZkGePoint3d(6, 0, 0)};
const ZkGeVector3d kStartTangent(1, 1, 0);
const ZkGeVector3d kEndTangent(0, -2, 0);

template <class Map> std::vector<int> keysOf(const Map& map) {
    std::vector<int> keys;
    for (const auto& entry : map)
        keys.push_back(entry.first);
    return keys;
}

std::vector<ZkGePoint3d> positionsOf(const Spline3D& spline) {
    std::vector<ZkGePoint3d> positions;
    for (const StrongRef<Point3D>& point : spline.fitPointEntities())
        positions.push_back(point->point());
    return positions;
}

class Spline3DTest : public ::testing::Test {
protected:
    std::vector<StrongRef<Point3D>> points(const std::vector<ZkGePoint3d>& positions) {
        std::vector<StrongRef<Point3D>> made;
        for (const ZkGePoint3d& position : positions)
            made.push_back(Point3D::make(doc.parent, position));
        return made;
    }
    // Through kFit, with both end tangents: five points, two handles.
    StrongRef<Spline3D> fitted() {
        const ZkGeNurbCurve3d curve(ZkArray<ZkGePoint3d>(kFit), kStartTangent, kEndTangent);
        fit = points(kFit);
        return Spline3D::make(doc.parent, &curve, fit);
    }
    // Through kFit from positions, fitted, without handles.
    StrongRef<Spline3D> drawn(bool closed = false) {
        ZkArray<ZkGePoint3d> positions(kFit);
        if (closed)
            positions.append(kFit.front());
        StrongRef<Spline3D> spline = Spline3D::make(doc.parent, positions, closed);
        spline->updateCurve();
        return spline;
    }
    StrongRef<TangentHandle> tangentAt(const StrongRef<Spline3D>& spline, int index,
                                       const ZkGeVector3d& tangent) {
        StrongRef<TangentHandle> handle =
            TangentHandle::make(doc.parent, spline->fitPoint(index)->point(), tangent);
        spline->addTangentUse(index, handle);
        return handle;
    }
    StrongRef<CurvatureHandle> curvatureAt(const StrongRef<Spline3D>& spline, int index,
                                           const ZkGeVector3d& curvature) {
        StrongRef<CurvatureHandle> handle = CurvatureHandle::make(
            doc.parent,
            CurvatureHandle::arcFromCurvature(curvature, spline->fitPoint(index)->point()));
        spline->addCurvatureUse(index, handle);
        return handle;
    }

    SketchTestDocument doc;
    std::vector<StrongRef<Point3D>> fit;
};

// A spline built from definition data, which also tells which of the hooks
// through which a solver could follow the edits were called, and how.
class RecordingSpline : public Spline3D {
public:
    static StrongRef<RecordingSpline> make(const StrongRef<Entity>& parent,
                                           const ZkArray<double>& weights = {}) {
        const ZkArray<ZkGePoint3d> controls{{0, 0, 0}, {1, 2, 0}, {3, 2, 0}, {4, 0, 0}};
        StrongRef<RecordingSpline> spline(new RecordingSpline(
            parent.get(), 3, ZkGeKnotVector::clampedUniform(3, 4), controls, weights));
        spline->postCreation(kTransactDo);
        return spline;
    }
    std::vector<std::string> calls;

protected:
    RecordingSpline(Entity* parent, int degree, const ZkGeKnotVector& knots,
                    const ZkArray<ZkGePoint3d>& controlPoints, const ZkArray<double>& weights)
        : Spline3D(parent, degree, knots, controlPoints, weights, false) {}
    void onRemovePoint(int i) override { record("removePoint", i); }
    void onAddPoint(const ZkGePoint3d& p) override { record("addPoint", int(p.x)); }
    void onInsertPoint(int i, const ZkGePoint3d& p) override { record("insertPoint", i, int(p.x)); }
    void onAddTangent(int i, const ZkGeVector3d& t) override { record("addTangent", i, int(t.x)); }
    void onRemoveTangent(int i) override { record("removeTangent", i); }
    void onAddCurvature(int i, const ZkGeVector3d&) override { record("addCurvature", i); }
    void onRemoveCurvature(int i) override { record("removeCurvature", i); }

private:
    void record(const std::string& name, int a, int b = -1) {
        calls.push_back(name + " " + std::to_string(a) + (b >= 0 ? " " + std::to_string(b) : ""));
    }
};

// Writes splines through the member set of an older version, as documents
// of that version hold them.
DocumentWriter::Schema splinesAt(uint32_t version) {
    DocumentWriter::Schema schema;
    schema.version = [version](const EntityMetaType* type) {
        return type == &g_Spline3DMetaType ? version : type->version();
    };
    schema.memberSet = [version](Entity* entity) -> const MemberSet* {
        return entity->metaType() == &g_Spline3DMetaType
                   ? g_Spline3DMetaType.migratingMemberSetIfNeeded(entity, version)
                   : nullptr;
    };
    return schema;
}

// ---- persistence

TEST_F(Spline3DTest, MemberSetsOfEveryVersion) {
    StrongRef<Spline3D> spline = fitted();
    std::vector<std::string> names = {"rStartPoint", "rEndPoint", "splineCurve", "fitPointsLimit",
                                      "pointUses"};
    const MemberSet* one = g_Spline3DMetaType.migratingMemberSetIfNeeded(spline.get(), 1);
    const MemberSet* zero = g_Spline3DMetaType.migratingMemberSetIfNeeded(spline.get(), 0);
    EXPECT_EQ(ownMemberNames(*one), names);
    EXPECT_EQ(one->base(), &Curve3D::memberSet());
    EXPECT_EQ(ownMemberNames(*zero), names);
    EXPECT_EQ(zero->base(), &Geometry3D::memberSet()); // written before curves had members
    names.insert(names.end(), {"tangentUses", "curvatureUses", "handleScale"});
    EXPECT_EQ(ownMemberNames(Spline3D::memberSet()), names);
    ASSERT_EQ(Spline3D::memberSet().base(), &Curve3D::memberSet());
    for (const Member& member : Curve3D::memberSet().ownMembers())
        EXPECT_EQ(member.hasOption(Member::kCopied), member.name().rfind("m_", 0) != 0)
            << member.name();
}

TEST_F(Spline3DTest, SaveAndOpenKeepTheSplineItsListsAndHandlesWithoutRefitting) {
    StrongRef<Spline3D> spline = fitted();
    tangentAt(spline, 2, ZkGeVector3d(1, -1, 0));
    curvatureAt(spline, 3, ZkGeVector3d(0.25, 0, 0));
    spline->updateCurve();
    spline->setFitPointLimit(12);
    spline->combScale(2.5);
    spline->handleScale();

    std::unique_ptr<Asset> opened = doc.saveAndOpen();
    auto* read = queryInterface<Spline3D>(doc.counterpart(*opened, spline.get()));
    ASSERT_TRUE(read);
    // The curve is read back, not refitted, and the lists keep their keys.
    for (Entity* written : std::vector<Entity*>{
             spline.get(), spline->pointUses().get(), spline->tangentUses().get(),
             spline->curvatureUses().get(), spline->tangentUses()->tangents().at(4).get(),
             spline->curvatureUses()->curvatures().at(3).get()})
        EXPECT_EQ(printed(doc.counterpart(*opened, written)), printed(written));
    EXPECT_TRUE(
        read->tangentUses()->tangents().at(0)->curveUses()->contains(PassiveRef<Curve3D>(read)));
    EXPECT_EQ(static_cast<Entity*>(read->curvatureUses()->curvatures().at(3)->fitPoint().get()),
              doc.counterpart(*opened, spline->fitPoint(3).get()));
    const ZkGeNurbCurve3d stored = read->splineCurve();
    read->updateCurve();
    EXPECT_TRUE(read->splineCurve().isEqualTo(stored, ZkGeTol(1e-12, 1e-12)))
        << "the opened spline fits to the same curve";
}

TEST_F(Spline3DTest, OlderSplinesOpenWithoutHandlesAndWithTheirScaleReset) {
    StrongRef<Spline3D> spline = fitted();
    spline->combDensity(7);
    spline->lineThickness(3.0f);
    spline->setFitPointLimit(9);
    ASSERT_GT(spline->handleScale(), 0.0);
    for (uint32_t version : {0u, 1u}) {
        std::unique_ptr<Asset> opened = doc.saveAndOpen(splinesAt(version));
        auto* read = queryInterface<Spline3D>(doc.counterpart(*opened, spline.get()));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->version(), 2u);
        EXPECT_FALSE(read->isMigrating());
        EXPECT_FALSE(read->tangentUses() || read->curvatureUses());
        EXPECT_NE(printed(read).find("handleScale = 0\n"), std::string::npos);
        EXPECT_EQ(read->splineCurve(), spline->splineCurve());
        EXPECT_EQ(read->fitPointsLimit(), 9u);
        EXPECT_EQ(read->fitPoints(), 5);
        EXPECT_EQ(read->lineThickness(), 3.0f);
        // Version 0 data holds no curve members: they keep their defaults.
        EXPECT_EQ(read->combDensity(), version == 0 ? 20u : 7u) << version;
    }
}

TEST_F(Spline3DTest, CreationAndEditsUndoAndRedo) {
    StrongRef<Spline3D> spline;
    const ZkGeNurbCurve3d straight(ZkArray<ZkGePoint3d>{{0, 0, 0}, {6, 0, 0}});
    doc.expectStepsUndoAndRedo({
        SketchTests::Step("make", [&] { spline = fitted(); }),
        SketchTests::Step("curve", [&] { spline->setCurve(straight); }),
        SketchTests::Step("limit", [&] { spline->setFitPointLimit(3); }),
        SketchTests::Step("point",
                          [&] {
                              spline->addPointUse(Point3D::make(doc.parent, {7, 1, 0}));
                          }),
    });
}

// ---- making

TEST_F(Spline3DTest, AFittedSplineSharesItsPointsAndGetsHandlesForItsTangents) {
    StrongRef<Spline3D> spline = fitted();
    EXPECT_EQ(spline->startPoint(), fit.front());
    EXPECT_EQ(spline->endPoint(), fit.back());
    EXPECT_EQ(spline->pointUses()->points(),
              std::vector<StrongRef<Point3D>>(fit.begin() + 1, fit.end() - 1));
    EXPECT_EQ(spline->fitPointEntities(), fit);
    for (const StrongRef<Point3D>& p : fit)
        EXPECT_TRUE(usedBy(p, spline.get()));
    EXPECT_TRUE(spline->references(fit.back()));
    EXPECT_FALSE(spline->references(fit[2]));
    EXPECT_EQ(
        spline->toString().rfind(L"Spline3D from (0, 0, 0) to (6, 0, 0) with 5 fit points", 0), 0u);

    EXPECT_EQ(keysOf(spline->tangentUses()->tangents()), (std::vector<int>{0, 4}));
    EXPECT_EQ(spline->curvatureUses()->geometriesCount(), 0u);
    StrongRef<TangentHandle> last = spline->tangentUses()->tangents().at(4);
    EXPECT_EQ(last->tangent(), kEndTangent);
    EXPECT_EQ(last->end() - last->tangent(), kFit.back());
    EXPECT_NE(last->endPoint(), fit.back());
    EXPECT_TRUE(last->curveUses()->contains(PassiveRef<Curve3D>(spline.get())));
    EXPECT_EQ(spline->tangentUses()->tangents().at(0)->tangent(), kStartTangent);

    // A closed curve closes the spline on its start point.
    const std::vector<ZkGePoint3d> loop = {kFit[0], kFit[1], kFit[2], kFit[0]};
    std::vector<StrongRef<Point3D>> made = points({loop.begin(), loop.end() - 1});
    const ZkGeNurbCurve3d closedCurve{ZkArray<ZkGePoint3d>(loop)};
    StrongRef<Spline3D> closed = Spline3D::make(doc.parent, &closedCurve, made);
    EXPECT_EQ(closed->endPoint(), made.front());
    EXPECT_EQ(closed->pointUses()->geometriesCount(), 2u);
    EXPECT_EQ(closed->fitPoint(3), made.front());
    EXPECT_EQ(closed->fitPointEntities(), made);
}

TEST_F(Spline3DTest, HandleScaleIsATenthOfTheBoxDiagonalUntilReset) {
    const ZkGeNurbCurve3d line(1, ZkGeKnotVector{0, 0, 1, 1},
                               {ZkGePoint3d(), ZkGePoint3d(3, 4, 0)});
    StrongRef<Spline3D> spline =
        Spline3D::make(doc.parent, &line, points({ZkGePoint3d(), ZkGePoint3d(3, 4, 0)}));
    EXPECT_DOUBLE_EQ(spline->handleScale(), 0.5);
    spline->setCurve(ZkGeNurbCurve3d(ZkArray<ZkGePoint3d>(kFit)));
    EXPECT_DOUBLE_EQ(spline->handleScale(), 0.5);
    spline->setCurve(ZkGeLineSeg3d()); // not a spline: ignored
    EXPECT_EQ(spline->splineCurve(), ZkGeNurbCurve3d(ZkArray<ZkGePoint3d>(kFit)));
}

TEST_F(Spline3DTest, PositionsShareTheEndsAndGiveEveryOtherPositionAPointOfItsOwn) {
    StrongRef<Point3D> existing = Point3D::make(doc.parent, kFit[0]);
    StrongRef<Point3D> besideSecond = Point3D::make(doc.parent, kFit[1]);
    StrongRef<Spline3D> spline = Spline3D::make(doc.parent, ZkArray<ZkGePoint3d>(kFit), false);
    EXPECT_EQ(spline->startPoint(), existing);
    EXPECT_EQ(spline->pointUses()->geometriesCount(), 3u);
    EXPECT_NE(spline->fitPoint(1), besideSecond) << "interior points are never shared";
    EXPECT_EQ(positionsOf(*spline), kFit);
    EXPECT_TRUE(usedBy(spline->fitPoint(2), spline.get()));
    EXPECT_EQ(spline->splineCurve().numControlPoints(), 0) << "empty until fitted";
    ZkArray<ZkGePoint3d> fitPositions;
    EXPECT_FALSE(spline->getFitPoints(fitPositions));
    spline->updateCurve();
    ASSERT_TRUE(spline->getFitPoints(fitPositions));
    EXPECT_EQ(fitPositions, ZkArray<ZkGePoint3d>(kFit));

    // Closed, the last position is the start again.
    ZkArray<ZkGePoint3d> loop{kFit[0], kFit[1], kFit[2], kFit[3], kFit[0]};
    StrongRef<Spline3D> closed = Spline3D::make(doc.parent, loop, true);
    EXPECT_EQ(closed->endPoint(), existing);
    EXPECT_EQ(closed->fitPoints(), 4);
    EXPECT_TRUE(closed->isClosed(0.0));
    EXPECT_EQ(closed->fitPoint(4), existing) << "wraps round";
    EXPECT_EQ(closed->fitPointIndex(existing), 0);
    EXPECT_EQ(existing->curveUses()->geometriesCount(), 2u);
}

TEST_F(Spline3DTest, ACurveWithPositionsFindsItsEndsAndGetsHandlesForItsTangents) {
    const ZkGeNurbCurve3d curve(ZkArray<ZkGePoint3d>(kFit), kStartTangent, kEndTangent);
    StrongRef<Spline3D> spline = Spline3D::make(doc.parent, curve, kFit);
    EXPECT_EQ(spline->fitPoints(), 2) << "only the ends";
    EXPECT_EQ(spline->splineCurve(), curve);
    EXPECT_EQ(keysOf(spline->tangentUses()->tangents()), (std::vector<int>{0, 4}));
    EXPECT_EQ(spline->GetCurveTangentAtEndPoint(), kEndTangent);

    ZkArray<ZkGePoint3d> loop(kFit);
    loop.append(kFit[0]);
    StrongRef<Spline3D> closed =
        Spline3D::make(doc.parent, ZkGeNurbCurve3d(loop), std::vector<ZkGePoint3d>{kFit[0]});
    EXPECT_TRUE(closed->isClosed());
    EXPECT_EQ(closed->startPoint(), spline->startPoint());
    EXPECT_EQ(closed->GetCurveTangentAtEndPoint(), ZkGeVector3d::kXAxis);
}

TEST_F(Spline3DTest, DefinitionDataMakeTheCurveBetweenPointsAtTheEndControlPoints) {
    StrongRef<Point3D> existing = Point3D::make(doc.parent, ZkGePoint3d(0, 0, 0));
    StrongRef<RecordingSpline> plain = RecordingSpline::make(doc.parent);
    EXPECT_FALSE(plain->splineCurve().isRational());
    EXPECT_EQ(plain->startPoint(), existing);
    EXPECT_EQ(plain->end(), ZkGePoint3d(4, 0, 0));
    EXPECT_TRUE(usedBy(plain->endPoint(), plain.get()));
    StrongRef<RecordingSpline> rational = RecordingSpline::make(doc.parent, {1, 2, 2, 1});
    int degree = 0;
    bool isRational = false, periodic = true;
    ZkGeKnotVector knots;
    ZkArray<ZkGePoint3d> controls;
    ZkArray<double> weights;
    rational->getDefinitionData(degree, isRational, periodic, knots, controls, weights);
    EXPECT_EQ(degree, 3);
    EXPECT_TRUE(isRational && !periodic);
    EXPECT_EQ(knots, ZkGeKnotVector::clampedUniform(3, 4));
    EXPECT_EQ(controls, ZkArray<ZkGePoint3d>({{0, 0, 0}, {1, 2, 0}, {3, 2, 0}, {4, 0, 0}}));
    EXPECT_EQ(weights, ZkArray<double>({1, 2, 2, 1}));
}

// ---- fit points and handles

TEST_F(Spline3DTest, FitPointsAreCountedFromTheStart) {
    StrongRef<Spline3D> spline = drawn();
    const std::vector<StrongRef<Point3D>> points = spline->fitPointEntities();
    ASSERT_EQ(points.size(), 5u);
    const std::vector<PassiveRef<Point3D>> nominees = spline->deleteNominees();
    ASSERT_EQ(nominees.size(), points.size());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(spline->fitPoint(i), points[size_t(i)]);
        EXPECT_EQ(spline->fitPointIndex(points[size_t(i)]), i);
        EXPECT_EQ(nominees[size_t(i)].getTarget(), points[size_t(i)].get());
    }
    EXPECT_FALSE(spline->fitPoint(5)) << "no wrap-around on an open spline";
    EXPECT_FALSE(spline->fitPoint(-1));
    EXPECT_EQ(spline->fitPointIndex(Point3D::make(doc.parent, ZkGePoint3d(9, 9, 9))), -1);
}

TEST_F(Spline3DTest, NewPointsMoveTheHandlesFromTheirIndexOn) {
    StrongRef<Spline3D> spline = drawn();
    for (int index : {0, 1, 4}) {
        tangentAt(spline, index, ZkGeVector3d(1, 0, 0));
        curvatureAt(spline, index, ZkGeVector3d(0, 0.5, 0));
    }
    StrongRef<TangentHandle> second = spline->tangentUses()->tangents().at(1);
    spline->insertPointUse(0, Point3D::make(doc.parent, ZkGePoint3d(0.5, 1, 0)));
    EXPECT_EQ(keysOf(spline->tangentUses()->tangents()), (std::vector<int>{0, 2, 5}));
    EXPECT_EQ(keysOf(spline->curvatureUses()->curvatures()), (std::vector<int>{0, 2, 5}));
    EXPECT_EQ(spline->tangentUses()->tangents().at(2), second);
    EXPECT_EQ(second->fitPoint(), spline->fitPoint(2)) << "the handle keeps its point";
    EXPECT_EQ(spline->fitPoint(1)->point(), ZkGePoint3d(0.5, 1, 0));

    // Appending comes before the end point, whose handles move up.
    StrongRef<Point3D> added = Point3D::make(doc.parent, ZkGePoint3d(5, 2, 0));
    spline->addPointUse(added);
    EXPECT_EQ(keysOf(spline->tangentUses()->tangents()), (std::vector<int>{0, 2, 6}));
    EXPECT_EQ(keysOf(spline->curvatureUses()->curvatures()), (std::vector<int>{0, 2, 6}));
    EXPECT_EQ(spline->fitPoint(5), added);
    EXPECT_TRUE(usedBy(added, spline.get()));
    EXPECT_EQ(spline->fitPoint(6), spline->endPoint());
}

TEST_F(Spline3DTest, RemovingAnInteriorPointTakesItsHandlesAndMovesTheRestDown) {
    StrongRef<Spline3D> spline = drawn();
    StrongRef<TangentHandle> doomed = tangentAt(spline, 2, ZkGeVector3d(1, 0, 0));
    StrongRef<TangentHandle> kept = tangentAt(spline, 3, ZkGeVector3d(1, 1, 0));
    StrongRef<CurvatureHandle> bend = curvatureAt(spline, 2, ZkGeVector3d(0, 1, 0));
    const StrongRef<Point3D> removed = spline->fitPoint(2);
    spline->removePointUse(removed);
    EXPECT_EQ(spline->fitPoints(), 4);
    EXPECT_EQ(keysOf(spline->tangentUses()->tangents()), std::vector<int>{2});
    EXPECT_EQ(spline->tangentUses()->tangents().at(2), kept);
    EXPECT_TRUE(spline->curvatureUses()->curvatures().empty());
    EXPECT_FALSE(doc.inSketch(doomed.get())) << "a handle nothing uses goes";
    EXPECT_FALSE(doc.inSketch(doomed->startPoint().get()));
    EXPECT_FALSE(doc.inSketch(bend.get()));
    EXPECT_TRUE(doc.inSketch(removed.get())) << "the point itself stays";
    EXPECT_FALSE(usedBy(removed, spline.get()));
}

TEST_F(Spline3DTest, RemovingAnEndPromotesTheNeighbouringPoint) {
    StrongRef<Spline3D> spline = drawn();
    StrongRef<TangentHandle> atStart = tangentAt(spline, 0, ZkGeVector3d(1, 0, 0));
    tangentAt(spline, 1, ZkGeVector3d(0, 1, 0));
    const StrongRef<Point3D> oldStart = spline->startPoint();
    const StrongRef<Point3D> first = spline->fitPoint(1);
    spline->removePointUse(oldStart);
    EXPECT_EQ(spline->startPoint(), first);
    EXPECT_FALSE(spline->pointUses()->contains(first));
    EXPECT_EQ(keysOf(spline->tangentUses()->tangents()), std::vector<int>{0});
    EXPECT_FALSE(doc.inSketch(atStart.get()));
    EXPECT_FALSE(doc.inSketch(oldStart.get())) << "nothing else used it";
    const StrongRef<Point3D> last = spline->fitPoint(2);
    spline->removePointUse(spline->endPoint());
    EXPECT_EQ(spline->endPoint(), last);
    EXPECT_EQ(positionsOf(*spline), (std::vector<ZkGePoint3d>{kFit[1], kFit[2], kFit[3]}));

    // A closed spline stays closed on its new start.
    StrongRef<Spline3D> closed = drawn(true);
    const StrongRef<Point3D> next = closed->fitPoint(1);
    closed->removePointUse(closed->startPoint());
    EXPECT_EQ(closed->startPoint(), next);
    EXPECT_EQ(closed->endPoint(), next);
    EXPECT_EQ(closed->fitPoints(), 4);
}

TEST_F(Spline3DTest, HandlesAreDetachedOnlyFromTheSplineHoldingThem) {
    StrongRef<Spline3D> spline = drawn();
    StrongRef<TangentHandle> held = tangentAt(spline, 1, ZkGeVector3d(1, 0, 0));
    StrongRef<TangentHandle> foreign =
        TangentHandle::make(doc.parent, ZkGePoint3d(), ZkGeVector3d(1, 0, 0));
    foreign->addCurveUse(PassiveRef<Curve3D>(spline.get()));
    spline->removeTangent(foreign);
    EXPECT_TRUE(doc.inSketch(foreign.get())) << "not in the list: nothing happens";
    EXPECT_EQ(foreign->curveUses()->geometriesCount(), 1u);
    spline->removeTangent(held);
    EXPECT_FALSE(spline->hasTangent(1));
    EXPECT_FALSE(doc.inSketch(held.get()) || doc.inSketch(held->startPoint().get()) ||
                 doc.inSketch(held->endPoint().get()));
    StrongRef<CurvatureHandle> bend = curvatureAt(spline, 3, ZkGeVector3d(0, 0.2, 0));
    spline->removeCurvature(bend);
    EXPECT_FALSE(spline->hasCurvature(3));
    EXPECT_FALSE(doc.inSketch(bend.get()));
}

TEST_F(Spline3DTest, TheExtensionHooksHearOfEveryEditAndOfContinuityLetGo) {
    StrongRef<RecordingSpline> spline = RecordingSpline::make(doc.parent);
    spline->addPointUse(Point3D::make(doc.parent, ZkGePoint3d(2, 1, 0)));
    spline->insertPointUse(0, Point3D::make(doc.parent, ZkGePoint3d(1, 1, 0)));
    spline->addTangentUse(
        2, TangentHandle::make(doc.parent, ZkGePoint3d(2, 1, 0), ZkGeVector3d(3, 0, 0)));
    spline->addCurvatureUse(
        1, CurvatureHandle::make(doc.parent, CurvatureHandle::arcFromCurvature(
                                                 ZkGeVector3d(0, 1, 0), ZkGePoint3d(1, 1, 0))));
    spline->removePointUse(spline->fitPoint(1));
    EXPECT_EQ(spline->calls,
              (std::vector<std::string>{"addPoint 2", "insertPoint 0 1", "addTangent 2 3",
                                        "addCurvature 1", "removePoint 1"}));

    // A continuity curve with a flag keeps it; letting go removes what the
    // old flag put on the end.
    StrongRef<Line3D> neighbour =
        Line3D::make(doc.parent, ZkGePoint3d(4, 0, 0), ZkGePoint3d(6, 0, 0));
    spline->calls.clear();
    spline->setStartContinuityCurve(PassiveRef<Curve3D>(neighbour.get()), true, false,
                                    Spline3D::kTangentContinuity);
    bool option1 = false, option2 = true;
    Spline3D::EContinuityFlag flag = Spline3D::kNoContinuity;
    EXPECT_EQ(spline->startContinuityCurve(option1, option2, flag).getTarget(), neighbour.get());
    EXPECT_TRUE(option1 && !option2);
    EXPECT_EQ(flag, Spline3D::kTangentContinuity);
    EXPECT_TRUE(spline->calls.empty());
    spline->setStartContinuityCurve(PassiveRef<Curve3D>(), false, false, Spline3D::kNoContinuity);
    spline->setEndContinuityCurve(PassiveRef<Curve3D>(neighbour.get()), false, true,
                                  Spline3D::kCurvatureContinuity);
    spline->setEndContinuityCurve(PassiveRef<Curve3D>(neighbour.get()), false, false,
                                  Spline3D::kNoContinuity);
    EXPECT_EQ(spline->calls, (std::vector<std::string>{"removeTangent 0", "removeTangent 2",
                                                       "removeCurvature 2"}));
    EXPECT_FALSE(spline->endContinuityCurve(option1, option2, flag).isNull());
    EXPECT_EQ(flag, Spline3D::kNoContinuity);
}

// ---- closing, derived splines, fitting and queries

TEST_F(Spline3DTest, ClosingAppendsTheEndAndOpeningMakesTheLastPointTheEnd) {
    StrongRef<Spline3D> spline = drawn();
    const std::vector<StrongRef<Point3D>> before = spline->fitPointEntities();
    spline->makeClosed(true);
    EXPECT_TRUE(spline->isClosed());
    EXPECT_EQ(spline->endPoint(), before.front());
    EXPECT_EQ(spline->fitPointEntities(), before);
    EXPECT_TRUE(spline->splineCurve().isPeriodic()) << "fitted again";
    spline->makeClosed(false);
    EXPECT_FALSE(spline->isClosed());
    EXPECT_EQ(spline->endPoint(), before.back());
    EXPECT_EQ(spline->fitPointEntities(), before);
    EXPECT_FALSE(spline->splineCurve().isPeriodic());

    // Ends on one spot merge, unless too few points would be left.
    StrongRef<Spline3D> loop =
        Spline3D::make(doc.parent, nullptr, points({kFit[0], kFit[1], kFit[2], kFit[3], kFit[0]}));
    const StrongRef<Point3D> lastPoint = loop->endPoint();
    ASSERT_NE(lastPoint, loop->startPoint()) << "an open spline whose ends meet";
    loop->makeClosed(true);
    EXPECT_TRUE(loop->isClosed());
    EXPECT_EQ(loop->fitPoints(), 4);
    EXPECT_FALSE(doc.inSketch(lastPoint.get()));
    StrongRef<Spline3D> small =
        Spline3D::make(doc.parent, nullptr, points({{7, 0, 0}, {8, 1, 0}, {7, 0, 0}}));
    small->makeClosed(true);
    EXPECT_FALSE(small->isClosed());
    EXPECT_EQ(small->splineCurve().numControlPoints(), 0) << "not even fitted";
}

TEST_F(Spline3DTest, DerivedSplinesGoThroughTheFitPointsAndKeepEveryOneWhenClosed) {
    StrongRef<Spline3D> spline = drawn();
    tangentAt(spline, 0, ZkGeVector3d(0, 1, 0));
    const ZkGeNurbCurve3d before = spline->splineCurve();
    StrongRef<Spline3D> reversed(queryInterface<Spline3D>(spline->reverseCurve().get()));
    ASSERT_TRUE(reversed);
    EXPECT_EQ(positionsOf(*reversed), std::vector<ZkGePoint3d>(kFit.rbegin(), kFit.rend()));
    EXPECT_EQ(reversed->startPoint(), spline->endPoint()) << "the ends are shared";
    EXPECT_GT(reversed->splineCurve().numControlPoints(), 0) << "fitted";
    EXPECT_FALSE(reversed->hasTangent(4)) << "handles stay with the original";
    EXPECT_EQ(spline->splineCurve(), before);

    StrongRef<Spline3D> moved(queryInterface<Spline3D>(
        spline->transformBy(ZkGeMatrix3d::translation(ZkGeVector3d(0, 0, 5))).get()));
    ASSERT_TRUE(moved);
    for (size_t i = 0; i < kFit.size(); ++i)
        EXPECT_EQ(positionsOf(*moved)[i], kFit[i] + ZkGeVector3d(0, 0, 5));

    StrongRef<Spline3D> closed = drawn(true);
    StrongRef<Spline3D> copy(queryInterface<Spline3D>(closed->clone().get()));
    ASSERT_TRUE(copy && copy->isClosed());
    EXPECT_EQ(positionsOf(*copy), kFit);
    EXPECT_TRUE(copy->splineCurve().isEqualTo(closed->splineCurve()));
    StrongRef<Spline3D> back(queryInterface<Spline3D>(closed->reverseCurve().get()));
    ASSERT_TRUE(back && back->isClosed());
    EXPECT_EQ(positionsOf(*back),
              (std::vector<ZkGePoint3d>{kFit[0], kFit[4], kFit[3], kFit[2], kFit[1]}));
}

TEST_F(Spline3DTest, SplittingAtAFitPointGivesTwoSplinesMeetingThere) {
    StrongRef<Spline3D> spline = drawn();
    const StrongRef<Point3D> at = spline->fitPoint(2);
    StrongRef<Curve3D> first, second;
    spline->SplitInTwo(at, first, second);
    auto* a = queryInterface<Spline3D>(first.get());
    auto* b = queryInterface<Spline3D>(second.get());
    ASSERT_TRUE(a && b);
    EXPECT_EQ(positionsOf(*a), (std::vector<ZkGePoint3d>{kFit[0], kFit[1], kFit[2]}));
    EXPECT_EQ(positionsOf(*b), (std::vector<ZkGePoint3d>{kFit[2], kFit[3], kFit[4]}));
    EXPECT_EQ(a->startPoint(), spline->startPoint());
    EXPECT_EQ(b->startPoint(), at);
    EXPECT_EQ(b->endPoint(), spline->endPoint());

    // Without both ends nothing is split.
    StrongRef<Spline3D> bare = Spline3D::make(doc.parent, nullptr, {});
    StrongRef<Curve3D> untouched;
    bare->SplitInTwo(at, untouched, untouched);
    EXPECT_FALSE(untouched);
}

TEST_F(Spline3DTest, UpdateCurveFitsThePointsAndHandlesAndFollowsTheirMoves) {
    StrongRef<Spline3D> spline;
    StrongRef<TangentHandle> tangent;
    doc.transact([&] {
        spline = drawn();
        tangent = tangentAt(spline, 1, ZkGeVector3d(2, 0, 0));
        curvatureAt(spline, 3, ZkGeVector3d(0, -0.5, 0));
        spline->updateCurve();
    });
    const double t1 = kFit[1].distanceTo(kFit[0]);
    const double t3 = t1 + kFit[2].distanceTo(kFit[1]) + kFit[3].distanceTo(kFit[2]);
    std::vector<ZkGeVector3d> d;
    EXPECT_LE(spline->splineCurve().evalPoint(t1, 2, d).distanceTo(kFit[1]), 1e-9);
    EXPECT_LE((d[0] - ZkGeVector3d(2, 0, 0)).length(), 1e-6);
    spline->splineCurve().evalPoint(t3, 2, d);
    const ZkGeVector3d unit = d[0].normal();
    const ZkGeVector3d k = (d[1] - unit * d[1].dotProduct(unit)) / d[0].lengthSqrd();
    EXPECT_LE((k - ZkGeVector3d(0, -0.5, 0)).length(), 1e-6);
    const ZkGeNurbCurve3d fitted = spline->splineCurve();

    // A moved fit point is followed once updateCurve is called.
    doc.transact([&] {
        spline->fitPoint(2)->point(ZkGePoint3d(3, 4, 0));
        spline->updateCurve();
    });
    EXPECT_LE(spline->splineCurve().distanceTo(ZkGePoint3d(3, 4, 0)), 1e-9);
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(spline->splineCurve(), fitted);

    // Moving a handle's point and updating the handle refits its splines.
    doc.transact([&] {
        tangent->endPoint()->point(tangent->endPoint()->point() + ZkGeVector3d(0, 2, 0));
        tangent->updateCurve();
    });
    EXPECT_EQ(tangent->tangent(), ZkGeVector3d(2, 1, 0));
    spline->splineCurve().evalPoint(t1, 1, d);
    EXPECT_LE((d[0] - ZkGeVector3d(2, 1, 0)).length(), 1e-6);
}

TEST_F(Spline3DTest, QueriesOfTheCurve) {
    StrongRef<Spline3D> spline = drawn();
    ZkGePoint3d position(7, 7, 7);
    EXPECT_FALSE(spline->getPosition(position));
    EXPECT_EQ(position, ZkGePoint3d(7, 7, 7));
    EXPECT_FALSE(spline->degenerate());
    EXPECT_FALSE(spline->isClosed(1e3)) << "the tolerance does not matter";
    StrongRef<Spline3D> dot =
        Spline3D::make(doc.parent, ZkArray<ZkGePoint3d>{{9, 9, 0}, {9, 9, 0}, {9, 9, 0}}, false);
    dot->updateCurve();
    EXPECT_TRUE(dot->degenerate());
}

// ---- deletion and the scene

TEST_F(Spline3DTest, DeletionTakesTheUnusedPointsAndHandlesAndUndoBringsThemBack) {
    StrongRef<Spline3D> spline;
    StrongRef<Line3D> line;
    StrongRef<TangentHandle> tangent;
    StrongRef<CurvatureHandle> bend;
    doc.transact([&] {
        spline = drawn();
        line = Line3D::make(doc.parent, kFit.back(), ZkGePoint3d(9, 0, 0));
        tangent = tangentAt(spline, 0, ZkGeVector3d(1, 0, 0));
        bend = curvatureAt(spline, 2, ZkGeVector3d(0, 1, 0));
    });
    const std::vector<StrongRef<Point3D>> points = spline->fitPointEntities();
    ASSERT_EQ(line->startPoint(), points.back()) << "the end is shared with the line";
    const std::string before = describeModel(doc.asset);

    doc.transact([&] { doc.sketch->removeChild(StrongRef<Entity>(spline)); });
    EXPECT_EQ(points.back()->curveUses()->geometriesCount(), 1u);
    EXPECT_EQ(doc.sketch->childCount(), 3u) << "only the line and its two points";
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(describeModel(doc.asset), before);
    EXPECT_EQ(tangent->fitPoint(), points.front());
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(doc.sketch->childCount(), 3u);
}

TEST_F(Spline3DTest, TheSceneShowsTheCurveBelowTheGroupNodeAndTheComb) {
    StrongRef<Spline3D> spline;
    doc.transact([&] { spline = drawn(); });
    doc.realize();
    ASSERT_NE(spline->groupNode(), nullptr);
    ASSERT_EQ(spline->groupNode()->children().size(), 1u);
    auto* node =
        dynamic_cast<Wyn::Graphics::NurbsCurveNode*>(spline->groupNode()->children().front().get());
    ASSERT_TRUE(node);
    EXPECT_EQ(node->points().front(), kFit.front());
    EXPECT_LE(node->points().back().distanceTo(kFit.back()), 1e-9);

    doc.transact([&] {
        spline->showCurvatureComb(true);
        spline->makeClosed(true);
    });
    doc.realize();
    EXPECT_EQ(spline->groupNode()->children().size(), 3u);
    ASSERT_NE(spline->combSpinesNode(), nullptr);
    EXPECT_EQ(spline->combSpinesNode()->mesh().positions().size(), 2u * 21u)
        << "a closed spline asks for one spine more, so that the ends meet";
    EXPECT_LE(node->points().back().distanceTo(kFit.front()), 1e-9) << "the curve was redrawn";
}

} // namespace
} // namespace Kv::Geometry::Tests
