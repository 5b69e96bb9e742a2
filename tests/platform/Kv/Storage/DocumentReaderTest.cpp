#include "DocumentFiles.h"

#include "../DataModel/MemberBlobs.h"

#include "Kv/Base/ByteWriter.h"
#include "Kv/CommonData/ManagedGroupEntity.h"
#include "Kv/DataModel/MemberMetaType.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/DataModel/ValueMetaType.h"
#include "Kv/Storage/DocumentReader.h"
#include "Kv/Storage/StorageError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace Kv::Tests {
namespace {

using ::testing::HasSubstr;

class DocumentReaderTest : public ::testing::Test {
protected:
    DocumentReaderTest()
        : sample(files.writeSample("sample.kvd")) {}

    // The StorageError loading `path` throws; fails the test when it loads.
    StorageError loadError(const std::string& path) {
        try {
            DocumentReader::load(path);
        } catch (const StorageError& error) {
            return error;
        }
        ADD_FAILURE() << path << " loaded";
        return StorageError(path, "(loaded)");
    }
    // The problem reported for a copy of the sample after `damage` was done to it.
    std::string problemAfter(const std::function<void(const std::string&)>& damage) {
        const std::string file = files.path("damaged" + std::to_string(++m_copies) + ".kvd");
        std::filesystem::copy_file(sample, file);
        damage(file);
        StorageError error = loadError(file);
        EXPECT_EQ(error.file(), file);
        EXPECT_EQ(std::string(error.what()), file + ": " + error.problem());
        return error.problem();
    }
    std::string problemAfterSql(const std::string& sql) {
        return problemAfter([&](const std::string& file) { DocumentFiles::execute(file, sql); });
    }
    std::string a() const { return "entity " + std::to_string(files.aId) + " of segment 1"; }

    DocumentFiles files;
    const std::string sample;

private:
    int m_copies = 0;
};

TEST_F(DocumentReaderTest, SampleLoadsWithEveryMemberAsSaved) {
    std::unique_ptr<Asset> asset = DocumentReader::load(sample);
    Entity* a = asset->findEntity(1, files.aId);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(DocumentFiles::printed(a), files.aPrinted);
    EXPECT_EQ(a->parentEntity(), asset->findEntity(1, files.groupId));
}

TEST_F(DocumentReaderTest, FilesThatAreNotDocuments) {
    const std::string text = files.path("notes.kvd");
    DocumentFiles::writeBytes(text, "These are notes, not a document.\n");
    EXPECT_THAT(loadError(text).problem(), HasSubstr("not a readable document"));

    const std::string empty = files.path("empty.kvd");
    DocumentFiles::writeBytes(empty, "");
    EXPECT_THAT(loadError(empty).problem(), HasSubstr("not a document"));

    const std::string other = files.path("other.db");
    DocumentFiles::execute(other,
                           "CREATE TABLE people (name TEXT); INSERT INTO people VALUES ('x')");
    EXPECT_THAT(loadError(other).problem(), HasSubstr("not a document"));

    const std::string foreign = files.path("foreign.db");
    DocumentFiles::execute(foreign, "CREATE TABLE format (key TEXT, value TEXT);"
                                    "INSERT INTO format VALUES ('application', 'Spreadsheet')");
    EXPECT_THAT(loadError(foreign).problem(), HasSubstr("\"Spreadsheet\""));

    EXPECT_THAT(loadError(files.path("missing.kvd")).problem(), HasSubstr("no such file"));
    std::filesystem::create_directory(files.path("folder.kvd"));
    EXPECT_THAT(loadError(files.path("folder.kvd")).problem(), HasSubstr("not a regular file"));
}

// Rows edited so that the file is a document this program cannot read, or
// one that is inconsistent; each problem names what is wrong.
TEST_F(DocumentReaderTest, DamagedRowsAreReportedWithWhatIsWrong) {
    const std::string aId = std::to_string(files.aId), groupId = std::to_string(files.groupId);
    const std::string group = "entity " + groupId + " of segment 1";
    struct Case {
        std::string sql;
        std::string problem;
    };
    const Case cases[] = {
        // Format versions it cannot read.
        {"UPDATE format SET value = '99' WHERE key = 'version'", "format version 99"},
        {"UPDATE format SET value = 'x1' WHERE key = 'version'", "\"x1\""},
        {"DELETE FROM format WHERE key = 'version'", "format version"},
        // Entities the program cannot make.
        {"UPDATE entities SET metatype = 'KvTests::Gone' WHERE id = " + aId,
         a() + " has the unknown meta type identifier \"KvTests::Gone\""},
        {"UPDATE entities SET metatype = 'Kv::CommonData::CommonBaseEntity' WHERE id = " + aId,
         "cannot be loaded on its own"},
        {"UPDATE entities SET segment = 7 WHERE id = " + aId, "segment 7"},
        // References to what the document does not have: c is held by a's
        // list and map, so without it a's references dangle.
        {"DELETE FROM entities WHERE id = " + std::to_string(files.cId),
         a() + " (TestItem): member \"watchList\" of TestItem: dangling reference to entity " +
             std::to_string(files.cId)},
        {"UPDATE entities SET parent_id = 999 WHERE id = " + aId,
         "names the owner entity 999 of segment 1"},
        {"UPDATE roots SET entity_id = 999", "root \"Component\" names entity 999"},
        // A child needs a group to go back to.
        {"UPDATE entities SET parent_segment = NULL, parent_id = NULL WHERE id = " + aId,
         a() + " is filed as a child of an entity that is not a group"},
        // Entities that own themselves, directly or through their own item.
        {"UPDATE entities SET parent_id = id WHERE id = " + groupId, group + " is its own owner"},
        {"UPDATE entities SET parent_id = " + aId + " WHERE id = " + groupId,
         group + " is its own owner"},
    };
    for (const Case& c : cases)
        EXPECT_THAT(problemAfterSql(c.sql), HasSubstr(c.problem)) << c.sql;
}

// Cut anywhere before its last page (the index of the empty root element
// table, which a document without root collections never reads).
TEST_F(DocumentReaderTest, TruncatedFile) {
    const std::string file = files.path("cut.kvd");
    const std::string whole = DocumentFiles::readBytes(sample);
    ASSERT_GT(whole.size(), 4 * 4096u);
    for (size_t size = 512; size <= whole.size() - 4096; size += 512) {
        DocumentFiles::writeBytes(file, whole.substr(0, size));
        EXPECT_EQ(loadError(file).file(), file) << size;
    }
}

TEST_F(DocumentReaderTest, ReferenceToAnEntityOfTheWrongClass) {
    // a owns b as a TestItem; filed as a group (with a group's data), b is of
    // the wrong class.
    EXPECT_THAT(problemAfter([&](const std::string& file) {
                    DocumentFiles::execute(file, "UPDATE entities SET metatype = "
                                                 "'KvTests::TestGroup' WHERE id = " +
                                                     std::to_string(files.bId));
                    DocumentFiles::setMembers(file, files.bId,
                                              DocumentFiles::membersOf(file, files.groupId));
                }),
                HasSubstr(a() +
                          " (TestItem): member \"owned\" of TestItem: a reference names "
                          "entity " +
                          std::to_string(files.bId) + " of class TestGroupMetaType"));
}

TEST_F(DocumentReaderTest, MembersThatDoNotFitTheClass) {
    const std::string doubleKey = IntrinsicMetaType::get<double>()->typeKey(nullptr);
    const std::string unsignedKey = IntrinsicMetaType::get<unsigned>()->typeKey(nullptr);
    const std::string fourBytes(4, '\1'), eightBytes(8, '\0'), twelveBytes(12, '\0');
    struct Case {
        std::string blob;
        std::string problem;
    };
    const Case cases[] = {
        {oneMemberBlob("value", unsignedKey, fourBytes),
         "member \"value\" of TestItem holds a " + unsignedKey + ", expected a " + doubleKey},
        {oneMemberBlob("value", doubleKey, fourBytes),
         "member \"value\" of TestItem: data ends early"},
        {oneMemberBlob("value", doubleKey, twelveBytes),
         "member \"value\" of TestItem: unexpected bytes after the value"},
        {oneMemberBlob("weight", doubleKey, eightBytes), "class TestItem has no member \"weight\""},
        {oneMemberBlob("value", doubleKey, eightBytes) + "x", "unexpected bytes after the value"},
        {"", "data ends early"},
    };
    for (const Case& c : cases)
        EXPECT_THAT(problemAfter([&](const std::string& file) {
                        DocumentFiles::setMembers(file, files.aId, c.blob);
                    }),
                    HasSubstr(a() + " (TestItem): " + c.problem));
}

// Whatever a damaged blob holds, loading reports it or reads it; it never
// reads out of bounds or crashes (the suite runs with sanitizers).
TEST_F(DocumentReaderTest, EveryDamagedOrShortenedBlobIsReportedOrRead) {
    const std::string file = sample;
    const std::string original = DocumentFiles::membersOf(file, files.aId);
    ASSERT_GT(original.size(), 100u);
    size_t reported = 0;
    for (size_t i = 0; i < original.size(); ++i) {
        std::string damaged = original;
        damaged[i] = static_cast<char>(~damaged[i]);
        DocumentFiles::setMembers(file, files.aId, damaged);
        try {
            DocumentReader::load(file);
        } catch (const StorageError& error) {
            EXPECT_THAT(error.what(), HasSubstr(file + ": " + a())) << "byte " << i;
            ++reported;
        }
    }
    EXPECT_GT(reported, original.size() / 2);
    for (size_t size = 0; size < original.size(); ++size) {
        DocumentFiles::setMembers(file, files.aId, original.substr(0, size));
        EXPECT_THAT(loadError(file).what(), HasSubstr(file + ": " + a())) << "size " << size;
    }
}

// Children go back to the places the file gives them, whatever order their
// rows are stored in.
TEST_F(DocumentReaderTest, ChildrenTakeThePlacesTheFileGivesThem) {
    const std::string file = files.path("reordered.kvd");
    std::filesystem::copy_file(sample, file);
    DocumentFiles::execute(file, "UPDATE entities SET child_index = 2 - child_index "
                                 "WHERE parent_id = " +
                                     std::to_string(files.groupId));
    std::unique_ptr<Asset> loaded = DocumentReader::load(file);
    auto* group = queryInterface<Managed::ManagedGroupEntity>(loaded->findEntity(1, files.groupId));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->childCount(), 3u);
    EXPECT_EQ(group->child(0)->id(), files.cId);
    EXPECT_EQ(group->child(1)->id(), files.bId);
    EXPECT_EQ(group->child(2)->id(), files.aId);
}

// References and owners may name entities stored after them: the sample
// stores owners first, so a's references name rows still to come; reversed,
// every owner comes after what it owns. Both load to the same document.
TEST_F(DocumentReaderTest, ReferencesResolveWhicheverWayTheRowsAreStored) {
    const std::string reversed = files.path("reversed.kvd");
    std::filesystem::copy_file(sample, reversed);
    DocumentFiles::execute(reversed, "CREATE TABLE stored AS SELECT * FROM entities "
                                     "ORDER BY rowid DESC; DELETE FROM entities; "
                                     "INSERT INTO entities SELECT * FROM stored ORDER BY rowid; "
                                     "DROP TABLE stored");
    for (const std::string& file : {sample, reversed}) {
        SCOPED_TRACE(file);
        std::unique_ptr<Asset> asset = DocumentReader::load(file);
        auto* a = dynamic_cast<TestItem*>(asset->findEntity(1, files.aId));
        Entity* b = asset->findEntity(1, files.bId);
        Entity* c = asset->findEntity(1, files.cId);
        Entity* group = asset->findEntity(1, files.groupId);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(DocumentFiles::printed(a), files.aPrinted);
        EXPECT_EQ(a->owned().get(), b);
        EXPECT_EQ(a->watched().getTarget(), b);
        ASSERT_EQ(a->watchList().size(), 2u);
        EXPECT_EQ(a->watchList()[1].getTarget(), c);
        EXPECT_EQ(a->ownedByKey().at(3).get(), c);
        EXPECT_EQ(a->parentEntity(), group);
        EXPECT_EQ(c->parentEntity(), group);
        auto* parts = queryInterface<Managed::ManagedGroupEntity>(group);
        ASSERT_EQ(parts->childCount(), 3u);
        EXPECT_EQ(parts->child(0).get(), a);
        EXPECT_EQ(parts->child(2).get(), c);
    }
}

// Data naming its members twice keeps the last values, references
// included: a's own members followed by b's read as b, and nothing a's first
// references named (rows after a's) is set once every row is in.
TEST_F(DocumentReaderTest, AMemberStoredTwiceKeepsItsLastValue) {
    const std::string aMembers = DocumentFiles::membersOf(sample, files.aId);
    const std::string bMembers = DocumentFiles::membersOf(sample, files.bId);
    uint32_t aCount = 0, bCount = 0;
    std::memcpy(&aCount, aMembers.data(), sizeof aCount);
    std::memcpy(&bCount, bMembers.data(), sizeof bCount);
    ByteWriter both;
    both.write<uint32_t>(aCount + bCount);
    const std::string twice = both.take() + aMembers.substr(4) + bMembers.substr(4);
    DocumentFiles::setMembers(sample, files.aId, twice);

    std::unique_ptr<Asset> asset = DocumentReader::load(sample);
    auto* a = dynamic_cast<TestItem*>(asset->findEntity(1, files.aId));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(DocumentFiles::printed(a), DocumentFiles::printed(asset->findEntity(1, files.bId)));
    EXPECT_FALSE(a->owned());
    EXPECT_TRUE(a->watchList().empty());
    EXPECT_TRUE(a->ownedByKey().empty());
}

TEST_F(DocumentReaderTest, ProgressEndsAtEveryEntityOnce) {
    std::vector<std::pair<size_t, size_t>> reports;
    std::unique_ptr<Asset> asset = DocumentReader::load(
        sample, [&](size_t done, size_t total) { reports.emplace_back(done, total); });
    ASSERT_FALSE(reports.empty());
    const size_t total = asset->segment(1)->entityCount();
    EXPECT_EQ(reports.back(), std::make_pair(total, total));
    EXPECT_EQ(std::count(reports.begin(), reports.end(), reports.back()), 1);
}

} // namespace
} // namespace Kv::Tests
