#include "Geometry/GeometryAddIn.h"

#include "Kv/AddInMgr/AddInMgr.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(GeometryAddIn, EntryPointsAnswerTheSameEveryTime) {
    Kv::IServerAddIn* addIn = GetIAddIn();
    ASSERT_NE(addIn, nullptr);
    EXPECT_EQ(GetIAddIn(), addIn);

    EXPECT_EQ(Kv::GeometryAddInIdentifier(), "Geometry");
}

TEST(GeometryAddIn, AnswersTheHostInterfacesAndNothingUnknown) {
    Kv::IServerAddIn* addIn = GetIAddIn();
    EXPECT_EQ(addIn->getInterfaceId(), Kv::UniqueString("Kv::Geometry10"));
    EXPECT_EQ(addIn->queryInterface(Kv::IServerAddIn::interfaceId()), addIn);
    EXPECT_EQ(addIn->queryInterface(Kv::IAddIn::interfaceId()), static_cast<Kv::IAddIn*>(addIn));
    EXPECT_EQ(addIn->queryInterface(Kv::UniqueString("Kv::NoSuchInterface")), nullptr);
    EXPECT_FALSE(addIn->toString().empty());
}

TEST(GeometryAddInConfiguration, AddInManagerLoadsItAsTheCoreGeometryAddIn) {
    Kv::AddInMgr& manager = Kv::AddInMgr::get();
    manager.loadAll(KV_RUNTIME_ROOT); // validates the configuration against the schema
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
