// Documents of the add-in's geometry: what is saved comes back member for
// member, saving is repeatable, and converted documents are saved at the
// current schema.

#include "EveryClassDocument.h"
#include "StorageTestSupport.h"

#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Sketch2D.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/sketch3d/SketchesRoot.h"
#include "Kv/Base/PathInfo.h"
#include "Kv/DataModel/MetaTypeMgr.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/Storage/DocumentReader.h"
#include "Kv/Storage/DocumentWriter.h"
#include "Kv/Storage/SqliteDatabase.h"
#include "Kv/Storage/SqliteStatement.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Kv::Geometry::StorageTests {
namespace {

using ::testing::HasSubstr;

// The document with an entity of every class, and what only a segment's root
// lists hold: a 3D sketch, and a 2D sketch with a line.
std::unique_ptr<Asset> makeDocument() {
    std::unique_ptr<Asset> asset = makeEveryClassDocument();
    Segment* segment = asset->defaultSegment();
    SketchesRoot::find(segment)->addElement(StrongRef<Sketch>(Sketch::make(segment, L"Listed")));
    StrongRef<Sketch2D> top =
        Sketch2D::make(segment, L"Top", ZkGeMatrix3d::translation(ZkGeVector3d(0, 0, 5)));
    Line2D::make(StrongRef<Entity>(top), ZkGePoint2d(1, 1), ZkGePoint2d(2, 2));
    return asset;
}

class GeometryDocumentTest : public ::testing::Test {
protected:
    // A committed edit realises the scene, which reads the add-in's images.
    GeometryDocumentTest() { PathInfo::setRootDirectory(KV_RUNTIME_ROOT); }
    ~GeometryDocumentTest() override { PathInfo::setRootDirectory(""); }

    std::string save(Asset& asset, const std::string& name) {
        DocumentWriter::save(asset, dir.path(name));
        return dir.path(name);
    }

    ScratchDirectory dir;
};

TEST_F(GeometryDocumentTest, EveryMemberChildAndRootComesBack) {
    std::unique_ptr<Asset> doc = makeDocument();
    const std::string described = describe(*doc);
    const std::string sketch = "1:Component/Sketches#1/Sketch#1";
    ASSERT_THAT(described, HasSubstr("rStartPoint = " + sketch + "/Point3D#1"));
    ASSERT_THAT(described, HasSubstr(sketch + ".UCS#1 (CoordinateSystem)"));
    ASSERT_THAT(described, HasSubstr(sketch + "/Spline3D#1.curvatureUses#1 (CurvatureUses)"));
    ASSERT_THAT(described, HasSubstr("1:SketchesRoot[0] (Sketch)\n    userName = \"Listed\""));
    ASSERT_THAT(described, HasSubstr("[0]/Line2D#1 (Line2D)"));

    std::unique_ptr<Asset> loaded = DocumentReader::load(save(*doc, "every class.kvd"));
    EXPECT_EQ(describe(*loaded), described);
}

TEST_F(GeometryDocumentTest, SavingAgainWritesTheSameRows) {
    std::unique_ptr<Asset> doc = makeDocument();
    const std::string first = save(*doc, "first.kvd");
    const std::string second = save(*doc, "second.kvd");
    const auto rows = documentRows(first);
    ASSERT_GT(rows.at("entities").size(), 15u);
    EXPECT_EQ(documentRows(second), rows);

    std::unique_ptr<Asset> loaded = DocumentReader::load(first);
    EXPECT_EQ(documentRows(save(*loaded, "third.kvd")), rows) << "a loaded document";
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

} // namespace
} // namespace Kv::Geometry::StorageTests
