// Documents written by older releases of the add-in open with their data
// converted. The documents are committed files (fixtures/); the functions that
// wrote them are kept here, and run again only on purpose (KV_UPDATE_FIXTURES=1).

#include "StorageTestSupport.h"

#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/sketch3d/CoordinateSystem.h"
#include "Geometry/sketch3d/CurvatureUses.h"
#include "Geometry/sketch3d/MigrateSketchesHighWaterMark.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/PointUses.h"
#include "Geometry/sketch3d/PointUsesMigrationHelper.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/sketch3d/Sketches.h"
#include "Geometry/sketch3d/TangentUses.h"
#include "Kv/DataModel/AssetMigrator.h"
#include "Kv/DataModel/MemberCodec.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/Storage/DocumentReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

namespace Kv::Geometry::StorageTests {
namespace {

const char* const kPointUsesRoot = "PointUsesFixture";
const ZkGePoint3d kFitPoints[] = {{0, 0, 0}, {1, 2, 0}, {3, 1, 1}};

// A point list of the first schema: passive references, kept in the list's
// migration helper while writing. The list is a segment root of its own so
// that the document needs no class that uses it. Listed out of creation order,
// so that the converted order is seen to come from the list.
void writePointUsesV0(const std::string& path) {
    NewDocument doc;
    StrongRef<Sketch> sketch = Sketch::make(doc.sketches, L"Fit points");
    std::vector<StrongRef<Point3D>> points;
    for (const ZkGePoint3d& position : kFitPoints)
        points.push_back(Point3D::make(sketch, position));
    StrongRef<PointUses> uses = PointUses::make(sketch);
    doc.segment->setRootEntity(UniqueString(kPointUsesRoot), uses);
    uses->doInitializeMigrationHelpers();
    auto* helper = static_cast<PointUsesMigrationHelper*>(
        doc.segment->migrationHelper(uses.get(), &PointUses::s_metaType()));
    for (int i : {2, 0, 1})
        helper->geometries.emplace_back(points[i]);
    FixtureWriter().version(PointUses::s_metaType(), 0).save(doc.asset, path);
    uses->doUninitializeMigrationHelpers();
}

// Three sketches of a release without sketch numbering, moved out of creation
// order (numbering follows the order of the collection).
void writeSketchV0(const std::string& path) {
    NewDocument doc;
    std::vector<StrongRef<Sketch>> sketches;
    for (const wchar_t* name : {L"Alpha", L"Beta", L"Gamma"}) {
        sketches.push_back(Sketch::make(doc.sketches, name));
        sketches.back()->coordinateSystem(CoordinateSystem::make(sketches.back()));
    }
    Point3D::make(sketches[1], ZkGePoint3d(4, 5, 6));
    doc.sketches->moveChild(sketches[2].get(), 0);
    FixtureWriter()
        .version(Sketches::s_metaType(), 0)
        .version(Sketch::s_metaType(), 0)
        .save(doc.asset, path);
}

// A collection that kept its mark but not yet its visibility switch.
void writeSketchesV1(const std::string& path) {
    NewDocument doc;
    for (unsigned index : {2u, 5u})
        Sketch::make(doc.sketches, L"Sketch" + std::to_wstring(index))
            ->creationIndexForMigration(index);
    doc.sketches->highWaterMarkForMigration(7);
    FixtureWriter().version(Sketches::s_metaType(), 1).save(doc.asset, path);
}

const std::vector<ZkGePoint3d> kSplineFit = {{0, 0, 0}, {2, 1, 0}, {4, 0, 1}, {6, 2, 1}};

ZkGeNurbCurve3d splineCurve() {
    return ZkGeNurbCurve3d(ZkArray<ZkGePoint3d>(kSplineFit));
}

// A spline of a release before handles: no handle lists or scale (they came
// with version 2), and before version 1 no curve members either. Its fit
// list is of the same time: at version 0 of the spline, version 0 of the
// list.
void writeSpline(const std::string& path, uint32_t version) {
    NewDocument doc;
    StrongRef<Sketch> sketch = Sketch::make(doc.sketches, L"Spline");
    std::vector<StrongRef<Point3D>> points;
    for (const ZkGePoint3d& position : kSplineFit)
        points.push_back(Point3D::make(sketch, position));
    const ZkGeNurbCurve3d curve = splineCurve();
    StrongRef<Spline3D> spline = Spline3D::make(sketch, &curve, points);
    spline->setFitPointLimit(8);
    spline->combDensity(5);
    spline->handleScale(); // worked out in memory, never written by these releases

    FixtureWriter writer;
    writer.version(Spline3D::s_metaType(), version);
    StrongRef<PointUses> uses = spline->pointUses();
    if (version == 0) {
        uses->doInitializeMigrationHelpers();
        auto* helper = static_cast<PointUsesMigrationHelper*>(
            doc.segment->migrationHelper(uses.get(), &PointUses::s_metaType()));
        for (const StrongRef<Point3D>& point : uses->points())
            helper->geometries.emplace_back(point);
        writer.version(PointUses::s_metaType(), 0);
    }
    writer.save(doc.asset, path);
    uses->doUninitializeMigrationHelpers();
    // The handle lists of today's spline did not exist either.
    execute(path, "DELETE FROM entities WHERE metatype IN ('" + TangentUses::s_metaTypeId() +
                      "', '" + CurvatureUses::s_metaTypeId() + "')");
}

std::string splineV0() {
    return fixture("Spline3D-v0.kvd", [](const std::string& path) { writeSpline(path, 0); });
}
std::string splineV1() {
    return fixture("Spline3D-v1.kvd", [](const std::string& path) { writeSpline(path, 1); });
}

std::string pointUsesV0() {
    return fixture("PointUses-v0.kvd", writePointUsesV0);
}
std::string sketchV0() {
    return fixture("Sketch-v0.kvd", writeSketchV0);
}
std::string sketchesV1() {
    return fixture("Sketches-v1.kvd", writeSketchesV1);
}

StrongRef<Sketches> sketchesOf(Asset& asset) {
    StrongRef<Component> component = Component::find(asset.defaultSegment());
    return component ? StrongRef<Sketches>(queryInterface<Sketches>(component->child(0).get()))
                     : StrongRef<Sketches>();
}

std::vector<std::wstring> names(const Sketches& sketches) {
    std::vector<std::wstring> found;
    for (unsigned i = 0; i < sketches.childCount(); ++i)
        found.push_back(sketches.sketch(i)->userName());
    return found;
}

TEST(PointUsesMigration, PassiveReferencesBecomeOwningOnesInTheirOrder) {
    std::unique_ptr<Asset> asset = DocumentReader::load(pointUsesV0());
    Segment* segment = asset->defaultSegment();
    {
        StrongRef<PointUses> uses(
            queryInterface<PointUses>(segment->rootEntity(UniqueString(kPointUsesRoot)).get()));
        ASSERT_TRUE(uses);
        ASSERT_EQ(uses->geometriesCount(), 3u);
        const ZkGePoint3d expected[] = {kFitPoints[2], kFitPoints[0], kFitPoints[1]};
        StrongRef<Sketch> sketch = sketchesOf(*asset)->sketch(0);
        for (size_t i = 0; i < 3; ++i) {
            ASSERT_TRUE(uses->points()[i]) << i;
            EXPECT_EQ(uses->points()[i]->point(), expected[i]) << i;
            EXPECT_EQ(uses->points()[i]->parentEntity(), sketch.get()) << "the sketch's own point";
        }
        EXPECT_EQ(uses->version(), 1u);
        EXPECT_FALSE(uses->isMigrating());
        EXPECT_EQ(segment->migrationHelperCount(), 0u);
        EXPECT_EQ(segment->migrationHelper(uses.get(), &PointUses::s_metaType()), nullptr);

        // The points are owned now: they outlive the sketch that made them.
        PassiveRef<Point3D> first(uses->points()[0]);
        sketchesOf(*asset)->removeChild(sketch);
        sketch.reset();
        EXPECT_TRUE(first);
    }
}

TEST(SketchMigration, VersionZeroCollectionIsNumberedInChildOrder) {
    std::unique_ptr<Asset> asset = DocumentReader::load(sketchV0());
    {
        StrongRef<Sketches> sketches = sketchesOf(*asset);
        ASSERT_TRUE(sketches);
        EXPECT_EQ(names(*sketches), (std::vector<std::wstring>{L"Gamma", L"Alpha", L"Beta"}));
        for (unsigned i = 0; i < 3; ++i)
            EXPECT_EQ(sketches->sketch(i)->creationIndex(), i + 1) << i;
        EXPECT_EQ(sketches->highWaterMark(), 3u);
        EXPECT_TRUE(sketches->isVisible());
        EXPECT_EQ(sketches->version(), 2u);
        EXPECT_EQ(sketches->sketch(0)->version(), 1u);
        EXPECT_EQ(asset->defaultSegment()->migrationHelperCount(), 0u);

        // What version 0 did keep comes through.
        ASSERT_TRUE(sketches->sketch(1)->coordinateSystem());
        EXPECT_EQ(sketches->sketch(1)->coordinateSystem()->parentEntity(),
                  sketches->sketch(1).get());
        EXPECT_EQ(sketches->sketch(2)->childCount(), 1u) << "Beta's point";

        asset->beginTransaction("number");
        EXPECT_EQ(sketches->getNextID(), 4u);
        asset->commitTransaction();
    }
}

TEST(SketchMigration, VersionOneCollectionKeepsItsMarkAndComesUpVisible) {
    std::unique_ptr<Asset> asset = DocumentReader::load(sketchesV1());
    {
        StrongRef<Sketches> sketches = sketchesOf(*asset);
        ASSERT_TRUE(sketches);
        EXPECT_EQ(sketches->highWaterMark(), 7u);
        EXPECT_TRUE(sketches->isVisible());
        EXPECT_EQ(sketches->version(), 2u);
        ASSERT_EQ(sketches->childCount(), 2u);
        EXPECT_EQ(sketches->sketch(0)->creationIndex(), 2u) << "not renumbered";
        EXPECT_EQ(sketches->sketch(1)->creationIndex(), 5u);
        EXPECT_EQ(asset->defaultSegment()->migrationHelperCount(), 0u);
        asset->beginTransaction("number");
        EXPECT_EQ(sketches->getNextID(), 8u);
        asset->commitTransaction();
    }
}

std::string member(Entity* entity, const std::string& name) {
    std::ostringstream out;
    EXPECT_TRUE(MemberCodec::printMember(entity, name, out, MemberContext())) << name;
    return out.str();
}

class SplineMigration : public ::testing::TestWithParam<uint32_t> {};

TEST_P(SplineMigration, OldSplineComesUpWithoutHandles) {
    const uint32_t version = GetParam();
    std::unique_ptr<Asset> asset = DocumentReader::load(version == 0 ? splineV0() : splineV1());
    {
        StrongRef<Sketch> sketch = sketchesOf(*asset)->sketch(0);
        ASSERT_TRUE(sketch);
        ASSERT_EQ(sketch->childCount(), kSplineFit.size() + 1);
        StrongRef<Spline3D> spline(queryInterface<Spline3D>(sketch->child(4).get()));
        ASSERT_TRUE(spline);
        EXPECT_EQ(member(spline.get(), "handleScale"), "0");
        EXPECT_EQ(member(spline.get(), "tangentUses"), "null");
        EXPECT_EQ(member(spline.get(), "curvatureUses"), "null");
        EXPECT_EQ(spline->version(), 2u);
        EXPECT_FALSE(spline->isMigrating());

        EXPECT_EQ(spline->splineCurve(), splineCurve());
        EXPECT_EQ(spline->fitPointsLimit(), 8u);
        EXPECT_EQ(spline->combDensity(), version == 0 ? 20u : 5u)
            << "the first splines kept no curve members; the default stays";
        EXPECT_EQ(spline->startPoint().get(), sketch->child(0).get());
        EXPECT_EQ(spline->endPoint().get(), sketch->child(3).get());
        ASSERT_TRUE(spline->pointUses());
        EXPECT_EQ(spline->pointUses()->version(), 1u);
        ASSERT_EQ(spline->pointUses()->geometriesCount(), 2u);
        for (size_t i = 0; i < 2; ++i)
            EXPECT_EQ(spline->pointUses()->points()[i].get(), sketch->child(i + 1).get()) << i;
        EXPECT_EQ(asset->defaultSegment()->migrationHelperCount(), 0u);
        EXPECT_GT(spline->handleScale(), 0.0) << "worked out again when first needed";
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, SplineMigration, ::testing::Values(0u, 1u));

// Stands in for the add-in's migrator to see what it is given and when.
class WatchedMigrator : public MigrateSketchesHighWaterMark {
public:
    static int runs;
    static std::vector<Entity*> handed;
    static std::vector<unsigned> indicesBefore;

    void migrate(Asset& asset) override {
        ++runs;
        handed.insert(handed.end(), entities().begin(), entities().end());
        for (Entity* entity : entities())
            if (auto* sketches = queryInterface<Sketches>(entity))
                for (unsigned i = 0; i < sketches->childCount(); ++i)
                    indicesBefore.push_back(sketches->sketch(i)->creationIndex());
        MigrateSketchesHighWaterMark::migrate(asset);
    }
};
int WatchedMigrator::runs = 0;
std::vector<Entity*> WatchedMigrator::handed;
std::vector<unsigned> WatchedMigrator::indicesBefore;

// Checks, in a process of its own, what loading the version 0 document asks
// of the migrator and of the old member sets; exits 0 when all is as expected.
void checkMigratorAndMemberSets(const std::string& path) {
    AssetMigrator::registerAssetMigrator(MigrateSketchesHighWaterMark::kName,
                                         [] { return new WatchedMigrator; });
    bool ok = true;
    auto check = [&ok](bool condition, const char* what) {
        if (!condition) {
            std::fprintf(stderr, "failed: %s\n", what);
            ok = false;
        }
    };
    check(!Sketch::s_metaType().memberSet(0).initialized(), "no old sketch set before loading");
    {
        std::unique_ptr<Asset> asset = DocumentReader::load(path);
        StrongRef<Sketches> sketches = sketchesOf(*asset);
        check(WatchedMigrator::runs == 1, "the migrator runs once");
        check(WatchedMigrator::handed == std::vector<Entity*>{sketches.get()},
              "the collection is handed over once");
        check(WatchedMigrator::indicesBefore == std::vector<unsigned>(3, Sketch::kUnsetIndex),
              "version 0 sketches have no index until numbered");
        const MemberSet& old = Sketch::s_metaType().memberSet(0);
        check(old.initialized(), "the old sketch set is built on demand");
        std::vector<std::string> members;
        for (const Member& member : old.ownMembers())
            members.push_back(member.name());
        check(members == std::vector<std::string>{"userName", "UCS", "isVisible"},
              "the old sketch set lists version 0's members");
        check(Sketches::s_metaType().memberSet(0).initialized() &&
                  Sketches::s_metaType().memberSet(0).ownMembers().empty(),
              "version 0 collections have no members of their own");
    }
    std::fflush(stderr);
    std::exit(ok ? 0 : 1);
}

// The migrator registry counts registrations for the whole process, so this
// replaces the add-in's migrator only in a child process, which starts without
// any old member set built. It reads the file the tests above (re)write.
TEST(SketchMigrationInChild, VersionZeroCollectionIsHandedToTheMigratorOnce) {
    ::testing::GTEST_FLAG(death_test_style) = "threadsafe";
    const std::string path = fixturePath("Sketch-v0.kvd");
    EXPECT_EXIT(checkMigratorAndMemberSets(path), ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace Kv::Geometry::StorageTests
