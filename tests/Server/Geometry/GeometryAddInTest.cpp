#include "Geometry/GeometryAddIn.h"

#include "Kv/AddInMgr/AddInMgr.h"
#include "Kv/Base/PathInfo.h"
#include "Kv/Base/XMLUtility.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace {

using Kv::PathInfo;

const std::string configurationFile = "Server/Geometry/Configuration/KvGeometry10.xml";

TEST(GeometryAddIn, EntryPointsAnswerTheSameEveryTime) {
    Kv::IServerAddIn* addIn = GetIAddIn();
    ASSERT_NE(addIn, nullptr);
    EXPECT_EQ(GetIAddIn(), addIn);

    const std::string identifier = Kv::GeometryAddInIdentifier();
    EXPECT_EQ(identifier, "Geometry");
    EXPECT_EQ(identifier.size(), 8u);
}

TEST(GeometryAddIn, AnswersTheHostInterfacesAndNothingUnknown) {
    Kv::IServerAddIn* addIn = GetIAddIn();
    EXPECT_EQ(addIn->getInterfaceId(), Kv::UniqueString("Kv::Geometry10"));
    EXPECT_EQ(addIn->queryInterface(Kv::IServerAddIn::interfaceId()), addIn);
    EXPECT_EQ(addIn->queryInterface(Kv::IAddIn::interfaceId()), static_cast<Kv::IAddIn*>(addIn));
    EXPECT_EQ(addIn->queryInterface(Kv::UniqueString("Kv::NoSuchInterface")), nullptr);
    EXPECT_FALSE(addIn->toString().empty());
}

// The build lays out the runtime root with the real configuration and schema.
TEST(GeometryAddInConfiguration, ValidatesAndDescribesThisLibrary) {
    const std::string configuration = PathInfo::join(KV_RUNTIME_ROOT, configurationFile);
    std::optional<Kv::XmlDocument> document;
    ASSERT_NO_THROW(document.emplace(
        Kv::XMLUtility::schemaValidator(configuration, Kv::AddInMgr::schemaPath(KV_RUNTIME_ROOT))));

    EXPECT_EQ(document->childText("Identifier"), Kv::GeometryAddInIdentifier());
    EXPECT_EQ(document->childText("CoreAddIn"), "true");
    const std::string library = PathInfo::join(KV_RUNTIME_ROOT, *document->childText("Library"));
    EXPECT_TRUE(std::filesystem::is_regular_file(library)) << library;
}

TEST(GeometryAddInConfiguration, AddInManagerLoadsItAsTheCoreGeometryAddIn) {
    Kv::AddInMgr& manager = Kv::AddInMgr::get();
    manager.loadAll(KV_RUNTIME_ROOT);
    for (const std::string& error : manager.errors())
        EXPECT_EQ(error.find("KvGeometry10.xml"), std::string::npos) << error;

    const Kv::AddIn* addIn = manager.addIn("Geometry");
    ASSERT_NE(addIn, nullptr);
    EXPECT_TRUE(addIn->isCoreAddIn());
    // The library this program links is the one the manager opened.
    EXPECT_EQ(addIn->serverAddIn(), GetIAddIn());
    EXPECT_NE(addIn->findSymbol("GetIAddIn"), nullptr);
}

} // namespace
