#include "Kv/Base/StringTable.h"
#include "Kv/Base/PathInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using Kv::PathInfo;
using Kv::StringTable;

const char* const dataRoot = KV_TEST_DATA_DIR "/Base/data";

class StringTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        PathInfo::setRootDirectory(dataRoot);
        PathInfo::setLanguage("en-US");
    }
    void TearDown() override {
        PathInfo::setRootDirectory("");
        PathInfo::setLanguage("");
    }

    static std::wstring lookUp(const std::wstring& table, const std::string& key) {
        return StringTable::getLocalizedString(table, key, L"<default>");
    }
};

TEST_F(StringTableTest, FindsTextsAsWritten) {
    EXPECT_EQ(StringTable::tablePath(L"Geometry"),
              std::string(dataRoot) + "/Localization/en-US/StringTables/Geometry.xml");
    EXPECT_EQ(lookUp(L"Geometry", "SketchDefaultName"), L"Sketch");
    EXPECT_EQ(lookUp(L"Geometry", "AngleUnit"), std::wstring(1, wchar_t(0xB0)));
    EXPECT_EQ(lookUp(L"Geometry", "Padded"), L"  two spaces each side  ");
    EXPECT_EQ(lookUp(L"Geometry", "Twice"), L"first");
}

TEST_F(StringTableTest, FallsBackToTheDefaultText) {
    EXPECT_EQ(lookUp(L"Geometry", "NoSuchKey"), L"<default>");
    EXPECT_EQ(lookUp(L"Geometry", "NotAString"), L"<default>");
    EXPECT_EQ(lookUp(L"NoSuchTable", "SketchDefaultName"), L"<default>");
    EXPECT_EQ(lookUp(L"Broken", "SketchDefaultName"), L"<default>");
    EXPECT_EQ(lookUp(L"WrongRoot", "SketchDefaultName"), L"<default>");
    EXPECT_EQ(lookUp(L"../en-US/StringTables/Geometry", "SketchDefaultName"), L"<default>");
    EXPECT_EQ(lookUp(L"", "SketchDefaultName"), L"<default>");
}

TEST_F(StringTableTest, SwitchingLanguageOrRootReadsTheOtherTable) {
    EXPECT_EQ(lookUp(L"Geometry", "SketchDefaultName"), L"Sketch");
    PathInfo::setLanguage("de-DE");
    EXPECT_EQ(lookUp(L"Geometry", "SketchDefaultName"), L"Skizze");
    EXPECT_EQ(lookUp(L"Geometry", "SizeLabel"), L"Gr\u00F6\u00DFe");
    EXPECT_EQ(lookUp(L"Geometry", "AngleUnit"), L"<default>");
    PathInfo::setLanguage("en-US");
    EXPECT_EQ(lookUp(L"Geometry", "SketchDefaultName"), L"Sketch");
    PathInfo::setRootDirectory(std::string(dataRoot) + "/xml");
    EXPECT_EQ(lookUp(L"Geometry", "SketchDefaultName"), L"<default>");
}

TEST_F(StringTableTest, KeepsATableUntilTheCacheIsCleared) {
    namespace fs = std::filesystem;
    std::string scratch = (fs::temp_directory_path() / "KvStringTableXXXXXX").string();
    ASSERT_NE(mkdtemp(scratch.data()), nullptr);
    PathInfo::setRootDirectory(scratch);
    const std::string path = StringTable::tablePath(L"Edited");
    fs::create_directories(fs::path(path).parent_path());
    const auto write = [&](const char* text) {
        std::ofstream(path) << "<StringTable><String key=\"Greeting\">" << text
                            << "</String></StringTable>";
    };

    write("Hello");
    EXPECT_EQ(lookUp(L"Edited", "Greeting"), L"Hello");
    write("Goodbye");
    EXPECT_EQ(lookUp(L"Edited", "Greeting"), L"Hello");
    StringTable::clearCache();
    EXPECT_EQ(lookUp(L"Edited", "Greeting"), L"Goodbye");

    StringTable::clearCache();
    fs::remove_all(scratch);
}

} // namespace
