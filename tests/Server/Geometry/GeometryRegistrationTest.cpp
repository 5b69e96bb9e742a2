#include "Geometry/GeometryRegistration.h"
#include "Geometry/GeometryMetaTypes.h"
#include "Geometry/sketch3d/MigrateSketchesHighWaterMark.h"

#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/AssetMigrator.h"
#include "Kv/DataModel/MetaTypeMgr.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace {

using Kv::EntityMetaType;
using Kv::MetaTypeMgr;

const std::string addInId = "Geometry";

struct ExpectedMetaType {
    const EntityMetaType* global; // what the class will reach as s_metaType
    std::string className;
    std::string identifier;
    std::string base; // a class of this table, or the identifier of a host class
    int kind;
    uint32_t version;
};

#define KV_EXPECTED(Class, identifier, base, kind, version)                                        \
    ExpectedMetaType {                                                                             \
        &Kv::Geometry::g_##Class##MetaType, #Class, identifier, base, kind, version                \
    }

// The host classes the add-in's classes derive from, by identifier.
const std::string kGroup = "Kv::CommonData::CommonBaseGroupEntity";
const std::string kEntity = "Kv::CommonData::CommonBaseEntity";
const std::string kRootCollection = "Kv::CommonData::CommonBaseRootCollection";

// The persisted identity of every class, in load order.
const std::vector<ExpectedMetaType>& expectedMetaTypes() {
    static const std::vector<ExpectedMetaType> table = {
        KV_EXPECTED(Arc2D, "2D386D62-DCF0-4965-980E-B9C02A193B20", "Geometry2D", 2, 0),
        KV_EXPECTED(EllipticArc2D, "27E9A674-4551-4348-856F-3F17035A9AA2", "Geometry2D", 2, 0),
        KV_EXPECTED(Geometry2D, "32C6C213-1335-444C-9EC1-D1244B692977", "GeometryBase2D", 1, 0),
        KV_EXPECTED(GeometryBase2D, "186BF8F2-5FE5-45A4-A7DB-B4B85F3C5F2B", kGroup, 1, 0),
        KV_EXPECTED(GeometryGroup2D, "0C4FFA75-E787-4030-A364-F98AC61E530F", "GeometryBase2D", 2,
                    0),
        KV_EXPECTED(Line2D, "63CB3638-CD53-4770-8224-FC12792FBE0E", "Geometry2D", 2, 0),
        KV_EXPECTED(Point2D, "9B3B97D8-0E0A-43E8-BAFA-34F3326F0B53", "Geometry2D", 2, 0),
        KV_EXPECTED(Sketch2D, "8159DF24-9D05-40BD-8CB3-30D5EE58A5D0", kGroup, 2, 0),
        KV_EXPECTED(Sketch2Ds, "4D987C55-8D00-416F-8229-445355F9A785", kGroup, 2, 0),
        KV_EXPECTED(Sketch2DsRoot, "D42A259D-1C4F-4838-953A-6035498FFB68", kRootCollection, 2, 0),
        KV_EXPECTED(Spline2D, "56E84688-7486-41FE-BE9B-EB5A73DDDAE2", "Geometry2D", 2, 0),
        KV_EXPECTED(CircArc3D, "F0130424-8B7E-4092-93C9-1CA807482534", "Curve3D", 2, 0),
        KV_EXPECTED(CoordinateSystem, "F47A46FB-DA27-4AFA-8A72-1B38FA596E23", kEntity, 2, 0),
        KV_EXPECTED(CurvatureHandle, "12B81E30-2A79-4EDF-B948-7F77A1B40F5B", "CircArc3D", 2, 0),
        KV_EXPECTED(Curve3D, "9FF71F46-205F-484B-A2B5-A245D0D8FE33", "Geometry3D", 1, 0),
        KV_EXPECTED(EllipticArc3D, "FF23079A-D99C-47AB-940E-2F4E18F022AB", "Curve3D", 2, 0),
        KV_EXPECTED(Geometry3D, "8E9D588C-28EF-43C4-B9A6-AA5430A68D4B", "GeometryBase3D", 1, 0),
        KV_EXPECTED(GeometryBase3D, "F405DA34-6952-47F3-9C43-ABE392459FFF", kGroup, 1, 0),
        KV_EXPECTED(GeometryGroup3D, "0F551F3B-B195-4486-93D0-711CB83482CE", "GeometryBase3D", 2,
                    0),
        KV_EXPECTED(CurveUses, "362B7EC3-0F09-47C8-A3BE-DC066715CDAE", kEntity, 2, 0),
        KV_EXPECTED(PointUses, "F81C561A-B091-40F8-A875-BA72FD2FBFE8", kEntity, 2, 1),
        KV_EXPECTED(TangentUses, "4224E565-F64F-4532-93F4-ABE3AB9CA574", kEntity, 2, 0),
        KV_EXPECTED(CurvatureUses, "2243F105-E1CA-40F2-A3D7-24507E61AC5E", kEntity, 2, 0),
        KV_EXPECTED(Line3D, "DCA267ED-D615-4934-B64F-AD805E8003E2", "Curve3D", 2, 0),
        KV_EXPECTED(OriginWorkGeometry, "2972A3B8-3627-49BC-8C3D-18707605EC44", kGroup, 2, 0),
        KV_EXPECTED(Point3D, "C2CEDAE7-1716-47C1-B7B1-07B70081D0FB", "Geometry3D", 2, 0),
        KV_EXPECTED(Sketch, "37AD519C-AFB3-4CE2-9E6D-E3269FC6CDB9", kGroup, 2, 1),
        KV_EXPECTED(Sketches, "5275CBA4-3D7D-40DC-A651-1DFF3FC8AFBF", kGroup, 2, 2),
        KV_EXPECTED(SketchesRoot, "3A7E4411-2E8A-4FA8-96A3-9902E1ACAF2F", kRootCollection, 2, 0),
        KV_EXPECTED(Spline3D, "EE518F9E-9CC3-4424-9CAB-2B92426E5312", "Curve3D", 2, 2),
        KV_EXPECTED(TangentHandle, "AE42BAB6-643F-4169-A33C-529C8E0A4D84", "Line3D", 2, 0),
        KV_EXPECTED(Text, "f0b1afa3-3baf-42d0-b2f3-94b95662f2a9", "Geometry3D", 2, 0),
        KV_EXPECTED(TextBorder, "ea3b930a-3383-4ad3-be25-4b2814ea3985", "Line3D", 2, 0),
        KV_EXPECTED(WorkAxes, "254A3765-2980-43A9-8084-787859C629CC", kGroup, 2, 0),
        KV_EXPECTED(WorkAxis, "19031004-3AB6-4D13-ABBF-C51EE214688D", "WorkGeometry", 2, 0),
        KV_EXPECTED(WorkGeometries, "A8635B5F-1E2C-45FD-8BA9-0173B0FEB75E", kGroup, 2, 0),
        KV_EXPECTED(WorkGeometry, "1E5F6CE7-7544-4DE1-8C7B-6BACF6DC8E40", "Geometry3D", 1, 0),
        KV_EXPECTED(WorkPlane, "8D424E29-DE23-4B1F-A3AD-84C52A497D1A", "WorkGeometry", 2, 0),
        KV_EXPECTED(WorkPlanes, "8E0DBB0E-AEDE-4EA0-842A-3394DC22F939", kGroup, 2, 0),
        KV_EXPECTED(WorkPoint, "0E18EEF2-0D6F-480C-997E-5EBC7369AE5F", "WorkGeometry", 2, 0),
        KV_EXPECTED(WorkPoints, "9C28003A-D2EE-419F-89A0-D408F477C278", kGroup, 2, 0),
    };
    return table;
}

std::string expectedBaseIdentifier(const std::string& base) {
    for (const ExpectedMetaType& expected : expectedMetaTypes())
        if (expected.className == base)
            return expected.identifier;
    return base; // a host class, named by its identifier
}

struct StateAtLoad {
    int kind;
    bool memberSetInitialized;
};

// What can change once entities exist (the kind turns core, the member set
// gets built), by identifier.
std::map<std::string, StateAtLoad> takeStateAtLoad() {
    std::map<std::string, StateAtLoad> state;
    for (EntityMetaType* metaType : MetaTypeMgr::get().metaTypes())
        if (metaType->addInId() == addInId)
            state[metaType->identifier()] = {metaType->kind(), metaType->memberSet().initialized()};
    return state;
}

// Taken while the test program starts: after the add-in's load-time globals
// were made, before any test can make an entity or load the add-in.
const std::map<std::string, StateAtLoad> stateAtLoad = takeStateAtLoad();

std::vector<std::string> geometryMetaTypeNamesInRegistryOrder() {
    std::vector<std::string> names;
    for (EntityMetaType* metaType : MetaTypeMgr::get().metaTypes())
        if (metaType->addInId() == addInId)
            names.push_back(metaType->name());
    return names;
}

TEST(GeometryMetaTypes, EachClassIsRegisteredUnderItsExactIdentity) {
    for (const ExpectedMetaType& expected : expectedMetaTypes()) {
        SCOPED_TRACE(expected.className);
        EntityMetaType* found = MetaTypeMgr::get().find(expected.identifier);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found, expected.global); // the global is the registered object
        EXPECT_EQ(found->addInId(), addInId);
        EXPECT_EQ(found->name(), expected.className + "MetaType");
        EXPECT_EQ(found->className(), expected.className); // names the member set
        EXPECT_EQ(found->version(), expected.version);
        EXPECT_EQ(found->baseIdentifier(), expectedBaseIdentifier(expected.base));
        ASSERT_EQ(stateAtLoad.count(expected.identifier), 1u);
        EXPECT_EQ(stateAtLoad.at(expected.identifier).kind, expected.kind);
    }
    // Nothing registered beyond the table, e.g. a second type under a
    // differently spelt identifier.
    EXPECT_EQ(stateAtLoad.size(), expectedMetaTypes().size());
    EXPECT_EQ(expectedMetaTypes().size(), 41u);
}

TEST(GeometryMetaTypes, NoMemberSetIsBuiltAtLoad) {
    ASSERT_FALSE(stateAtLoad.empty());
    for (const auto& [identifier, state] : stateAtLoad)
        EXPECT_FALSE(state.memberSetInitialized) << identifier;
}

TEST(GeometryRegistration, GlobalsAreMadeInLoadOrder) {
    std::vector<std::string> metaTypes;
    std::vector<std::string> expected = {"GeometryAddIn"};
    for (const ExpectedMetaType& type : expectedMetaTypes()) {
        const std::string name = type.className + "MetaType";
        if (name == "Sketch2DMetaType")
            expected.push_back("Point2DCallback");
        else if (name == "SketchesMetaType")
            expected.push_back("SketchDataModelCallback");
        else if (name == "SketchesRootMetaType")
            expected.push_back("MigrateSketchesHighWaterMark");
        expected.push_back(name);
        metaTypes.push_back(name);
    }
    for (const char* selectionSupport :
         {"Geometry2DSelectionCategory", "GeoMeasureClient", "SketchCurveSelectionCategory",
          "SketchCurveFilterFinder", "SketchPointSelectionCategory", "SketchPointFilterFinder",
          "SketchSelectionCategory", "TextSelectionCategory", "WorkAxisFilterFinder",
          "WorkPlaneFilterFinder", "WorkPointFilterFinder"})
        expected.push_back(selectionSupport);
    EXPECT_EQ(Kv::Geometry::registrationOrder(), expected);

    // The registry saw the meta types in that order too.
    EXPECT_EQ(geometryMetaTypeNamesInRegistryOrder(), metaTypes);
}

TEST(GeometryRegistration, SketchesMigratorIsRegisteredOnceAndMadePerAsset) {
    const std::string name = "MigrateSketchesHighWaterMark";
    EXPECT_EQ(Kv::AssetMigrator::registrationCount(name), 1);

    // What a version-0 sketches collection asks its asset for.
    Kv::Asset asset;
    Kv::AssetMigrator* migrator = asset.assetMigrator(name);
    ASSERT_NE(migrator, nullptr);
    EXPECT_NE(dynamic_cast<Kv::MigrateSketchesHighWaterMark*>(migrator), nullptr);
    EXPECT_TRUE(migrator->entities().empty());
    EXPECT_EQ(asset.assetMigrator(name), migrator);

    Kv::Asset other;
    EXPECT_NE(other.assetMigrator(name), migrator);
}

} // namespace
