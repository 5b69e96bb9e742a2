#include "SketchTestDocument.h"

#include "Geometry/GeometryMetaTypes.h"
#include "Geometry/curves3d/CurvatureHandle.h"
#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/curves3d/TangentHandle.h"
#include "Geometry/sketch3d/CurvatureUses.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/PointUses.h"
#include "Geometry/sketch3d/TangentUses.h"
#include "Kv/DataModel/MemberSet.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::Tests {
namespace {

const std::vector<ZkGePoint3d> kFit = {ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 2, 0),
                                       ZkGePoint3d(3, 1, 0), ZkGePoint3d(4, 3, 0),
                                       ZkGePoint3d(6, 0, 0)};
const ZkGeVector3d kStartTangent(1, 1, 0);
const ZkGeVector3d kEndTangent(0, -2, 0);

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
    static bool uses(const StrongRef<Point3D>& p, Curve3D* curve) {
        return p->curveUses()->contains(PassiveRef<Curve3D>(curve));
    }

    SketchTestDocument doc;
    std::vector<StrongRef<Point3D>> fit;
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

TEST_F(Spline3DTest, AFittedSplineSharesItsPointsAndGetsHandlesForItsTangents) {
    StrongRef<Spline3D> spline = fitted();
    EXPECT_EQ(spline->geomType(), Geometry3D::kSpline3D);
    EXPECT_EQ(spline->startPoint(), fit.front());
    EXPECT_EQ(spline->endPoint(), fit.back());
    EXPECT_EQ(spline->pointUses()->points(),
              std::vector<StrongRef<Point3D>>(fit.begin() + 1, fit.end() - 1));
    EXPECT_EQ(spline->fitPoints(), 5);
    EXPECT_EQ(spline->fitPoint(3), fit[3]);
    EXPECT_EQ(spline->fitPoint(4), fit[4]);
    EXPECT_FALSE(spline->fitPoint(5));
    EXPECT_EQ(spline->fitPointEntities(), fit);
    for (const StrongRef<Point3D>& p : fit)
        EXPECT_TRUE(uses(p, spline.get()));
    EXPECT_TRUE(spline->references(fit.back()));
    EXPECT_FALSE(spline->references(fit[2]));
    EXPECT_EQ(
        spline->toString().rfind(L"Spline3D from (0, 0, 0) to (6, 0, 0) with 5 fit points", 0), 0u);

    ASSERT_TRUE(spline->hasTangent(0) && spline->hasTangent(4));
    EXPECT_EQ(spline->tangentUses()->geometriesCount(), 2u);
    EXPECT_EQ(spline->curvatureUses()->geometriesCount(), 0u);
    StrongRef<TangentHandle> last = spline->tangentUses()->tangents().at(4);
    EXPECT_EQ(last->tangent(), kEndTangent);
    EXPECT_EQ(last->end() - last->tangent(), kFit.back());
    EXPECT_NE(last->endPoint(), fit.back());
    EXPECT_TRUE(last->curveUses()->contains(PassiveRef<Curve3D>(spline.get())));
    EXPECT_EQ(spline->tangentUses()->tangents().at(0)->tangent(), kStartTangent);

    // A point added after the interior ones pushes the end's handles up.
    StrongRef<CurvatureHandle> bend = CurvatureHandle::make(
        doc.parent, CurvatureHandle::arcFromCurvature(ZkGeVector3d(0, 0.5, 0), kFit.back()));
    spline->addCurvatureUse(4, bend);
    StrongRef<Point3D> added = Point3D::make(doc.parent, ZkGePoint3d(5, 5, 0));
    spline->addPointUse(added);
    EXPECT_EQ(spline->fitPoint(4), added);
    EXPECT_TRUE(spline->hasTangent(0) && spline->hasTangent(5) && spline->hasCurvature(5));
    EXPECT_FALSE(spline->hasTangent(4));
    EXPECT_TRUE(uses(added, spline.get()));
}

TEST_F(Spline3DTest, AClosedCurveClosesTheSplineOnItsStartPoint) {
    const std::vector<ZkGePoint3d> loop = {ZkGePoint3d(0, 0, 0), ZkGePoint3d(2, 0, 0),
                                           ZkGePoint3d(2, 2, 0), ZkGePoint3d(0, 2, 0),
                                           ZkGePoint3d(0, 0, 0)};
    const ZkGeNurbCurve3d curve{ZkArray<ZkGePoint3d>(loop)};
    std::vector<StrongRef<Point3D>> made = points({loop.begin(), loop.end() - 1});
    StrongRef<Spline3D> spline = Spline3D::make(doc.parent, &curve, made);
    EXPECT_EQ(spline->endPoint(), made.front());
    EXPECT_EQ(spline->pointUses()->geometriesCount(), 3u);
    EXPECT_EQ(spline->fitPoints(), 4);
    EXPECT_EQ(spline->fitPoint(4), made.front());
    EXPECT_EQ(spline->fitPointEntities(), made);
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

TEST_F(Spline3DTest, SaveAndOpenKeepTheSplineItsListsAndHandles) {
    StrongRef<Spline3D> spline = fitted();
    spline->addCurvatureUse(2, CurvatureHandle::make(doc.parent, ZkGeCircArc3d()));
    spline->setFitPointLimit(12);
    spline->combScale(2.5);
    spline->handleScale();

    std::unique_ptr<Asset> opened = doc.saveAndOpen();
    auto* read = queryInterface<Spline3D>(doc.counterpart(*opened, spline.get()));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->splineCurve(), spline->splineCurve());
    for (Entity* written : std::vector<Entity*>{
             spline.get(), spline->pointUses().get(), spline->tangentUses().get(),
             spline->curvatureUses().get(), spline->tangentUses()->tangents().at(4).get(),
             spline->curvatureUses()->curvatures().at(2).get()})
        EXPECT_EQ(printed(doc.counterpart(*opened, written)), printed(written));
    EXPECT_TRUE(
        read->tangentUses()->tangents().at(0)->curveUses()->contains(PassiveRef<Curve3D>(read)));
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
    doc.transact([&] { spline = fitted(); });
    const std::string made = printed(spline.get());
    EXPECT_EQ(doc.sketch->childCount(), 12u); // 5 fit points, 2 handles on 2 points each
    const ZkGeNurbCurve3d straight(ZkArray<ZkGePoint3d>{ZkGePoint3d(), ZkGePoint3d(6, 0, 0)});
    doc.transact([&] {
        spline->setCurve(straight);
        spline->setFitPointLimit(3);
    });
    StrongRef<Point3D> added;
    doc.transact([&] {
        added = Point3D::make(doc.parent, ZkGePoint3d(7, 1, 0));
        spline->addPointUse(added);
    });
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(spline->fitPoints(), 5);
    EXPECT_TRUE(spline->hasTangent(4));
    EXPECT_FALSE(uses(added, spline.get()));
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(printed(spline.get()), made);
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(spline->splineCurve(), straight);
    EXPECT_EQ(spline->fitPointsLimit(), 3u);
    ASSERT_TRUE(doc.asset.undo());
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(doc.sketch->childCount(), 0u);
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(doc.sketch->childCount(), 12u);
    EXPECT_EQ(printed(spline.get()), made);
}

} // namespace
} // namespace Kv::Geometry::Tests
