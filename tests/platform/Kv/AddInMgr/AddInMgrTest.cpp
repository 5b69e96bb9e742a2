#include "Kv/AddInMgr/AddInMgr.h"
#include "Kv/Base/XMLUtility.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;
using Kv::AddIn;
using Kv::AddInMgr;

const std::string sourceSchema =
    KV_SOURCE_DIR "/Server/AddInMgr/Configuration/Schema/AddinSchema.xsd";

// A throw-away application root holding the real configuration schema; the
// add-in libraries are copied in, so each test loads fresh copies.
class AddInMgrTest : public ::testing::Test {
protected:
    AddInMgrTest() {
        std::string pattern = (fs::temp_directory_path() / "KvAddInMgrXXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary root");
        m_root = pattern;
        const fs::path schema = fs::path(AddInMgr::schemaPath(m_root));
        fs::create_directories(schema.parent_path());
        fs::copy_file(sourceSchema, schema);
        fs::create_directories(m_root + "/bin");
        fs::copy_file(KV_TEST_ADDIN, m_root + "/bin/libKvTestAddIn.so");
        fs::copy_file(KV_TEST_ADDIN_NO_ENTRY, m_root + "/bin/libKvTestAddInNoEntry.so");
    }
    ~AddInMgrTest() override {
        m_manager.reset(); // closes the libraries before their files go
        fs::remove_all(m_root);
    }

    // Copies the fixture file `fixture` to Server/<folder>/Configuration/.
    std::string addFixture(const std::string& folder, const std::string& fixture) {
        const fs::path target = configurationFolder(folder) / fixture;
        fs::copy_file(KV_TEST_DATA_DIR "/AddInMgr/data/" + fixture, target);
        return target.string();
    }

    std::string addConfiguration(const std::string& folder, const std::string& identifier,
                                 const std::string& library = "bin/libKvTestAddIn.so",
                                 const std::string& core = "true") {
        const fs::path target = configurationFolder(folder) / (identifier + ".xml");
        std::ofstream(target) << "<AddIn><Identifier>" << identifier << "</Identifier><Library>"
                              << library << "</Library><CoreAddIn>" << core
                              << "</CoreAddIn></AddIn>\n";
        return target.string();
    }

    // Another copy of the test add-in, which is a library apart once loaded.
    std::string copyTestAddIn(const std::string& name) {
        fs::copy_file(KV_TEST_ADDIN, m_root + "/bin/" + name);
        return "bin/" + name;
    }

    template <class Function> static Function probe(const AddIn& addIn, const char* symbol) {
        auto function = reinterpret_cast<Function>(addIn.findSymbol(symbol));
        if (!function)
            throw std::runtime_error(std::string("the test add-in lacks ") + symbol);
        return function;
    }
    static int entryCalls(const AddIn& addIn) {
        return probe<int (*)()>(addIn, "KvTestAddInEntryCalls")();
    }
    static int loadedCalls(const AddIn& addIn) {
        return probe<int (*)()>(addIn, "KvTestAddInLoadedCalls")();
    }

    // The error line about `configurationPath`, or "" when there is none.
    std::string errorFor(const std::string& configurationPath) const {
        for (const std::string& error : m_manager->errors()) {
            if (error.rfind(configurationPath, 0) == 0)
                return error;
        }
        return "";
    }

    AddInMgr& manager() { return *m_manager; }
    const std::string& root() const { return m_root; }

private:
    fs::path configurationFolder(const std::string& folder) {
        const fs::path path = fs::path(m_root) / "Server" / folder / "Configuration";
        fs::create_directories(path);
        return path;
    }

    std::string m_root;
    std::unique_ptr<AddInMgr> m_manager = std::make_unique<AddInMgr>();
};

TEST_F(AddInMgrTest, LoadsAnAddInAsItsConfigurationDescribes) {
    const std::string configuration = addFixture("Test", "TestAddIn.xml");

    EXPECT_EQ(manager().loadAll(root()), 1u);
    EXPECT_TRUE(manager().errors().empty());
    AddIn* addIn = manager().addIn("Test");
    ASSERT_NE(addIn, nullptr);
    EXPECT_EQ(addIn->configurationPath(), configuration);
    EXPECT_EQ(addIn->libraryPath(), root() + "/bin/libKvTestAddIn.so");
    EXPECT_FALSE(addIn->isCoreAddIn());
    EXPECT_EQ(addIn->name(), L"Test add-in");
    EXPECT_EQ(addIn->description(), L"Probes what the add-in manager does");
    EXPECT_EQ(entryCalls(*addIn), 1);
    EXPECT_EQ(loadedCalls(*addIn), 1);
    EXPECT_EQ(manager().addIn("Other"), nullptr);

    // Loading again leaves what is loaded alone and picks up only new ones.
    EXPECT_EQ(manager().loadAll(root()), 0u);
    EXPECT_EQ(entryCalls(*addIn), 1);
    addConfiguration("Later", "Later", copyTestAddIn("libLater.so"), "1");
    EXPECT_EQ(manager().loadAll(root()), 1u);
    ASSERT_NE(manager().addIn("Later"), nullptr);
    EXPECT_TRUE(manager().addIn("Later")->isCoreAddIn());
    EXPECT_EQ(manager().addIn("Later")->name(), L"Later");
    EXPECT_EQ(manager().addIns(), (std::vector<AddIn*>{addIn, manager().addIn("Later")}));
}

TEST_F(AddInMgrTest, EachBrokenConfigurationIsReportedWhileTheOthersLoad) {
    std::ofstream(root() + "/bin/libNotALibrary.so") << "this is not a shared library\n";
    const std::string good = addConfiguration("Good", "Good");
    const std::string notWellFormed = addFixture("A", "NotWellFormed.xml");
    const std::string schemaViolation = addFixture("B", "SchemaViolation.xml");
    const std::string missingLibrary = addFixture("C", "MissingLibrary.xml");
    const std::string noEntry = addFixture("D", "NoEntry.xml");
    const std::string notALibrary = addFixture("E", "NotALibrary.xml");

    EXPECT_EQ(manager().loadAll(root()), 1u);
    ASSERT_NE(manager().addIn("Good"), nullptr);
    EXPECT_EQ(entryCalls(*manager().addIn("Good")), 1);
    EXPECT_EQ(manager().errors().size(), 5u);

    EXPECT_EQ(errorFor(notWellFormed),
              notWellFormed + ":4: Opening and ending tag mismatch: Library line 4 and Libary");
    EXPECT_EQ(errorFor(schemaViolation),
              schemaViolation + ":3: Element 'library': This element is not expected. Expected "
                                "is one of ( Identifier, Library, CoreAddIn, Name, Description ).");
    EXPECT_EQ(errorFor(missingLibrary),
              missingLibrary + ": library '" + root() + "/bin/libNowhere.so' not found");
    EXPECT_EQ(errorFor(noEntry), noEntry + ": library '" + root() +
                                     "/bin/libKvTestAddInNoEntry.so' does not export GetIAddIn");
    EXPECT_EQ(errorFor(notALibrary).rfind(notALibrary + ": cannot load library: ", 0), 0u)
        << errorFor(notALibrary);
    for (const char* id :
         {"NotWellFormed", "SchemaViolation", "MissingLibrary", "NoEntry", "NotALibrary"})
        EXPECT_EQ(manager().addIn(id), nullptr) << id;
}

TEST_F(AddInMgrTest, SchemaRejectsIncompleteOrEmptyConfigurations) {
    // The odd folder name checks that errors name the path as it is, not as
    // the escaped URI libxml2 would make of it.
    const std::string blankIdentifier = addConfiguration("A space and %41", " ");
    const std::string notBoolean = addConfiguration("B", "B", "bin/libKvTestAddIn.so", "yes");
    const fs::path noCore = fs::path(root()) / "Server/C/Configuration/C.xml";
    fs::create_directories(noCore.parent_path());
    std::ofstream(noCore) << "<AddIn><Identifier>C</Identifier><Library>x.so</Library></AddIn>";

    EXPECT_EQ(manager().loadAll(root()), 0u);
    EXPECT_NE(errorFor(blankIdentifier).find("Element 'Identifier'"), std::string::npos);
    EXPECT_NE(errorFor(notBoolean).find("Element 'CoreAddIn'"), std::string::npos);
    EXPECT_NE(errorFor(noCore.string()).find("Missing child element(s)"), std::string::npos)
        << errorFor(noCore.string());
}

TEST_F(AddInMgrTest, DuplicateIdentifierKeepsTheFirstInPathOrder) {
    const std::string first = addConfiguration("A", "Same");
    const std::string second = addConfiguration("B", "Same");

    EXPECT_EQ(manager().loadAll(root()), 1u);
    ASSERT_NE(manager().addIn("Same"), nullptr);
    EXPECT_EQ(manager().addIn("Same")->configurationPath(), first);
    EXPECT_EQ(errorFor(second), second + ": add-in identifier 'Same' is already used by " + first);
    // The duplicate is refused before its library is asked for an add-in.
    EXPECT_EQ(entryCalls(*manager().addIn("Same")), 1);
}

TEST_F(AddInMgrTest, ListenersHearOfEachAddInOnceItHasStarted) {
    addConfiguration("A", "First", copyTestAddIn("libFirst.so"));
    addConfiguration("B", "Second", copyTestAddIn("libSecond.so"));
    std::vector<std::string> heard;
    manager().onAddInLoaded([&](AddIn& addIn) {
        heard.push_back(addIn.identifier());
        EXPECT_EQ(loadedCalls(addIn), 1) << "onLoaded must come first";
        // What the host does here: ask the add-in for what it offers.
        Kv::IServerAddIn* server = addIn.serverAddIn();
        EXPECT_NE(server->queryInterface(Kv::UniqueString("Kv::TestAddIn")), nullptr);
        EXPECT_EQ(server->queryInterface(Kv::IServerAddIn::interfaceId()), server);
        EXPECT_EQ(server->queryInterface(Kv::UniqueString("Kv::Nothing")), nullptr);
        // Lookups from a listener must not deadlock.
        EXPECT_EQ(manager().addIn(addIn.identifier()), &addIn);
    });
    manager().onAddInLoaded([](AddIn& addIn) {
        if (addIn.identifier() == "Second")
            throw std::runtime_error("listener gave up");
    });

    EXPECT_EQ(manager().loadAll(root()), 2u);
    EXPECT_EQ(heard, (std::vector<std::string>{"First", "Second"}));
    ASSERT_EQ(manager().errors().size(), 1u);
    EXPECT_NE(manager().errors()[0].find("listener gave up"), std::string::npos);
    EXPECT_NE(manager().addIn("Second"), nullptr);
}

TEST_F(AddInMgrTest, UnloadAllSaysGoodbyeInReverseLoadOrder) {
    addConfiguration("A", "First", copyTestAddIn("libFirst.so"));
    addConfiguration("B", "Second", copyTestAddIn("libSecond.so"));
    ASSERT_EQ(manager().loadAll(root()), 2u);

    struct Goodbye {
        std::string identifier;
        int reason;
    };
    static std::vector<Goodbye> goodbyes;
    goodbyes.clear();
    using Observer = void (*)(void*, int);
    // Copies: the add-in records are gone by the time their goodbyes are read.
    std::vector<std::string> identifiers{"First", "Second"};
    for (std::string& identifier : identifiers) {
        probe<void (*)(Observer, void*)>(*manager().addIn(identifier),
                                         "KvTestAddInObserveUnloading")(
            [](void* context, int reason) {
                goodbyes.push_back({*static_cast<std::string*>(context), reason});
            },
            &identifier);
    }

    manager().unloadAll(Kv::IAddIn::UnloadOnRequest);
    ASSERT_EQ(goodbyes.size(), 2u);
    EXPECT_EQ(goodbyes[0].identifier, "Second");
    EXPECT_EQ(goodbyes[1].identifier, "First");
    EXPECT_EQ(goodbyes[0].reason, Kv::IAddIn::UnloadOnRequest);
    EXPECT_TRUE(manager().addIns().empty());
    EXPECT_EQ(manager().addIn("First"), nullptr);
}

TEST_F(AddInMgrTest, MissingSchemaOrServerFolderIsOneError) {
    addConfiguration("A", "First");
    fs::remove(AddInMgr::schemaPath(root()));
    EXPECT_EQ(manager().loadAll(root()), 0u);
    EXPECT_EQ(manager().errors(),
              (std::vector<std::string>{AddInMgr::schemaPath(root()) +
                                        ": add-in configuration schema not found"}));

    EXPECT_EQ(manager().loadAll(root() + "/bin"), 0u);
    EXPECT_EQ(manager().errors(),
              (std::vector<std::string>{root() + "/bin/Server: no add-in folder here"}));
}

TEST(AddInConfigurationTest, GeometryConfigurationMatchesTheSchema) {
    const Kv::XmlDocument document = Kv::XMLUtility::schemaValidator(
        KV_SOURCE_DIR "/Server/Geometry/Configuration/KvGeometry10.xml", sourceSchema);
    EXPECT_EQ(document.childText("Identifier"), "Geometry");
    EXPECT_EQ(document.childText("Library"), "bin/libKvGeometry10.so");
    EXPECT_EQ(document.childText("CoreAddIn"), "true");
    EXPECT_EQ(document.childText("Name"), "KvGeometry10");
}

} // namespace
