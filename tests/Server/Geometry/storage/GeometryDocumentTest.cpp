// Documents of sketch geometry: what is saved comes back member for member,
// saving is repeatable, and damaged add-in data is refused with a StorageError.

#include "StorageTestSupport.h"

#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/CurvatureHandle.h"
#include "Geometry/curves3d/EllipticArc3D.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/curves3d/TangentHandle.h"
#include "Geometry/sketch3d/CoordinateSystem.h"
#include "Geometry/sketch3d/GeometryGroup3D.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/PointUses.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/sketch3d/SketchesRoot.h"
#include "Kv/Base/PathInfo.h"
#include "Kv/DataModel/MetaTypeMgr.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/Storage/DocumentReader.h"
#include "Kv/Storage/DocumentWriter.h"
#include "Kv/Storage/SqliteDatabase.h"
#include "Kv/Storage/SqliteStatement.h"
#include "Kv/Storage/StorageError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace Kv::Geometry::StorageTests {
namespace {

using ::testing::HasSubstr;

// Two sketches out of creation order: a triangle of lines on shared points
// with a placed coordinate system, a group, arcs and a spline with handles;
// and an empty one; plus a sketch that only the segment's sketch list holds.
struct SketchDocument : NewDocument {
    SketchDocument() {
        StrongRef<Sketch> empty = Sketch::make(sketches, L"Empty");
        profile = Sketch::make(sketches, L"Profile \u00e9");
        sketches->moveChild(profile.get(), 0);
        StrongRef<CoordinateSystem> ucs = CoordinateSystem::make(profile);
        ucs->transform(ZkGeMatrix3d::translation(ZkGeVector3d(10, 0, -2.5)));
        profile->coordinateSystem(ucs);
        for (const ZkGePoint3d& p :
             {ZkGePoint3d(0, 0, 0), ZkGePoint3d(4, 0, 0), ZkGePoint3d(0, 3, 0.1)})
            points.push_back(Point3D::make(profile, p));
        points[2]->fixed(true);
        for (int i = 0; i < 3; ++i)
            lines.push_back(Line3D::make(profile, points[i], points[(i + 1) % 3]));
        lines[0]->lineColor(Color(1.0f, 0.0f, 0.5f));
        lines[1]->lineThickness(2.5f);
        lines[2]->combScale(0.125);
        lines[2]->showCurvatureComb(true);
        StrongRef<GeometryGroup3D> group = GeometryGroup3D::make(PassiveRef<Entity>(profile));
        StrongRef<Point3D> grouped = Point3D::make(group, ZkGePoint3d(1e-9, -1e300, 1.0 / 3));
        TangentHandle::make(group, grouped, points[1]);

        StrongRef<Point3D> center = Point3D::make(profile, ZkGePoint3d(2, 1, 0));
        CircArc3D::make(profile, center, ZkGeVector3d(0, 0, 1), 0.75);
        EllipticArc3D::make(profile, center, ZkGeVector3d(2, 0, 0), ZkGeVector3d(0, 0.5, 0));
        std::vector<StrongRef<Point3D>> fit;
        for (const ZkGePoint3d& p : {ZkGePoint3d(0, 5, 0), ZkGePoint3d(1, 6, 0),
                                     ZkGePoint3d(3, 5.5, 0), ZkGePoint3d(4, 7, 1)})
            fit.push_back(Point3D::make(profile, p));
        ZkArray<ZkGePoint3d> fitPositions;
        for (const auto& point : fit)
            fitPositions.append(point->point());
        const ZkGeNurbCurve3d curve(fitPositions, ZkGeVector3d(1, 0, 0), ZkGeVector3d(0, 1, 0));
        StrongRef<Spline3D> spline = Spline3D::make(profile, &curve, fit);
        spline->addCurvatureUse(
            2, CurvatureHandle::make(
                   profile, ZkGeCircArc3d(ZkGePoint3d(3, 4.5, 0), ZkGeVector3d(0, 0, 1), 1.0)));
        spline->handleScale();

        StrongRef<SketchesRoot> list = SketchesRoot::make(segment);
        list->addElement(StrongRef<Sketch>(Sketch::make(segment, L"Listed")));
    }

    StrongRef<Sketch> profile;
    std::vector<StrongRef<Point3D>> points;
    std::vector<StrongRef<Line3D>> lines;
};

class GeometryDocumentTest : public ::testing::Test {
protected:
    // A committed edit realises the scene, which reads the add-in's images.
    GeometryDocumentTest() { PathInfo::setRootDirectory(KV_RUNTIME_ROOT); }
    ~GeometryDocumentTest() override { PathInfo::setRootDirectory(""); }

    StorageError loadError(const std::string& path) {
        try {
            DocumentReader::load(path);
        } catch (const StorageError& error) {
            return error;
        }
        ADD_FAILURE() << path << " loaded";
        return StorageError(path, "(loaded)");
    }
    std::string save(Asset& asset, const std::string& name) {
        DocumentWriter::save(asset, dir.path(name));
        return dir.path(name);
    }

    ScratchDirectory dir;
};

TEST_F(GeometryDocumentTest, EveryMemberChildAndRootComesBack) {
    SketchDocument doc;
    const std::string described = describe(doc.asset);
    const std::string profile = "1:Component/Sketches#1/Sketch#1";
    ASSERT_THAT(described, HasSubstr(profile + "/Line3D#3 (Line3D)"));
    ASSERT_THAT(described, HasSubstr("rStartPoint = " + profile + "/Point3D#3"));
    ASSERT_THAT(described, HasSubstr(profile + ".UCS#1 (CoordinateSystem)"));
    ASSERT_THAT(described, HasSubstr(profile + "/GeometryGroup3D#1/TangentHandle#1.curveUses#1"));
    ASSERT_THAT(described, HasSubstr(profile + "/Spline3D#1.tangentUses#1 (TangentUses)"));
    ASSERT_THAT(described, HasSubstr(profile + "/Spline3D#1.curvatureUses#1 (CurvatureUses)"));
    ASSERT_THAT(described, HasSubstr("1:SketchesRoot[0] (Sketch)\n    userName = \"Listed\""));

    std::unique_ptr<Asset> loaded = DocumentReader::load(save(doc.asset, "sketches.kvd"));
    EXPECT_EQ(describe(*loaded), described);
}

TEST_F(GeometryDocumentTest, SavingAgainWritesTheSameRows) {
    SketchDocument doc;
    const std::string first = save(doc.asset, "first.kvd");
    const std::string second = save(doc.asset, "second.kvd");
    const auto rows = documentRows(first);
    ASSERT_GT(rows.at("entities").size(), 15u);
    EXPECT_EQ(documentRows(second), rows);

    std::unique_ptr<Asset> loaded = DocumentReader::load(first);
    EXPECT_EQ(documentRows(save(*loaded, "third.kvd")), rows) << "a loaded document";
}

TEST_F(GeometryDocumentTest, SketchOnlyTheUndoHistoryHoldsIsLeftOut) {
    SketchDocument doc;
    StrongRef<Sketch> removed = Sketch::make(doc.sketches, L"Removed");
    const uint64_t removedIds[] = {removed->id(),
                                   Point3D::make(removed, ZkGePoint3d(7, 7, 7))->id()};
    doc.asset.beginTransaction("delete sketch");
    doc.sketches->removeChild(removed);
    doc.asset.commitTransaction();
    removed.reset();
    const std::string before = describe(doc.asset);
    ASSERT_THAT(before, ::testing::Not(HasSubstr("Removed")));

    std::unique_ptr<Asset> loaded = DocumentReader::load(save(doc.asset, "doc.kvd"));
    EXPECT_EQ(describe(*loaded), before);
    for (uint64_t id : removedIds)
        EXPECT_EQ(loaded->findEntity(1, id), nullptr) << id;
}

// A document converted on opening is saved at the current schema, and says so.
TEST_F(GeometryDocumentTest, ConvertedDocumentIsSavedAtTheCurrentVersions) {
    std::unique_ptr<Asset> old = DocumentReader::load(fixturePath("Sketch-v0.kvd"));
    const std::string file = save(*old, "converted.kvd");
    SqliteDatabase db(file, SqliteDatabase::ReadOnly);
    SqliteStatement versions(db, "SELECT identifier, version FROM metatype_versions");
    size_t seen = 0;
    while (versions.step()) {
        const EntityMetaType* type = MetaTypeMgr::get().find(versions.text(0));
        ASSERT_NE(type, nullptr) << versions.text(0);
        EXPECT_EQ(uint32_t(versions.integer(1)), type->version()) << type->className();
        ++seen;
    }
    EXPECT_GT(seen, 3u);
    EXPECT_EQ(describe(*DocumentReader::load(file)), describe(*old));
}

// A reference that names an entity of another class: the point a line ends
// at is filed as a coordinate system.
TEST_F(GeometryDocumentTest, LineEndingAtSomethingElseIsRefused) {
    SketchDocument doc;
    const std::string file = save(doc.asset, "doc.kvd");
    const uint64_t point = doc.points[0]->id();
    execute(file, "UPDATE entities SET metatype = '" + CoordinateSystem::s_metaTypeId() +
                      "', members = x'00000000' WHERE id = " + std::to_string(point));
    const StorageError error = loadError(file);
    EXPECT_EQ(error.file(), file);
    EXPECT_THAT(error.problem(),
                HasSubstr("entity " + std::to_string(doc.lines[0]->id()) +
                          " of segment 1 (Line3D): member \"rStartPoint\" of Line3D: a "
                          "reference names entity " +
                          std::to_string(point) + " of class CoordinateSystemMetaType"));
}

// Data of the first point-list schema in a file that claims the current one:
// the member holds references of another kind than the class expects.
TEST_F(GeometryDocumentTest, OldDataUnderACurrentVersionIsRefused) {
    const std::string file = dir.path("lying.kvd");
    std::filesystem::copy_file(fixturePath("PointUses-v0.kvd"), file);
    execute(file, "UPDATE metatype_versions SET version = 1 WHERE identifier = '" +
                      PointUses::s_metaTypeId() + "'");
    const StorageError error = loadError(file);
    EXPECT_EQ(error.file(), file);
    EXPECT_THAT(error.problem(),
                HasSubstr("(PointUses): member \"geometries\" of PointUses holds a"));
}

// Every byte of a line's and a coordinate system's data damaged in turn:
// kernel values and references are read or refused, never misread into a
// crash.
TEST_F(GeometryDocumentTest, DamagedKernelValuesAreReadOrRefused) {
    NewDocument doc;
    StrongRef<Sketch> sketch = Sketch::make(doc.sketches, L"Damaged");
    StrongRef<CoordinateSystem> ucs = CoordinateSystem::make(sketch);
    ucs->transform(ZkGeMatrix3d::translation(ZkGeVector3d(1, 2, 3)));
    sketch->coordinateSystem(ucs);
    StrongRef<Line3D> line = Line3D::make(sketch, Point3D::make(sketch, ZkGePoint3d(0, 0, 0)),
                                          Point3D::make(sketch, ZkGePoint3d(1, 1, 0)));
    const std::string file = save(doc.asset, "doc.kvd");

    SqliteDatabase db(file, SqliteDatabase::CreateNew);
    db.exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF");
    SqliteStatement query(db, "SELECT members FROM entities WHERE id = ?");
    SqliteStatement update(db, "UPDATE entities SET members = ? WHERE id = ?");
    for (const Entity* entity :
         {static_cast<Entity*>(line.get()), static_cast<Entity*>(ucs.get())}) {
        query.bind(1, int64_t(entity->id()));
        ASSERT_TRUE(query.step());
        const std::string original(query.blob(0));
        query.reset();
        auto setMembers = [&](const std::string& blob) {
            update.bindBlob(1, blob);
            update.bind(2, int64_t(entity->id()));
            update.run();
        };
        const std::string name = "entity " + std::to_string(entity->id()) + " of segment 1";
        for (size_t i = 0; i < original.size(); ++i) {
            std::string damaged = original;
            damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
            setMembers(damaged);
            try {
                DocumentReader::load(file);
            } catch (const StorageError& error) {
                EXPECT_THAT(error.problem(), HasSubstr(name)) << "byte " << i;
            }
        }
        setMembers(original.substr(0, original.size() - 1));
        EXPECT_THAT(loadError(file).problem(), HasSubstr(name));
        setMembers(original);
    }
}

} // namespace
} // namespace Kv::Geometry::StorageTests
