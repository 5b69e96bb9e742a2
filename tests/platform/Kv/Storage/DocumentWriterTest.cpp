#include "DocumentFiles.h"

#include "Kv/Storage/DocumentReader.h"
#include "Kv/Storage/DocumentWriter.h"
#include "Kv/Storage/StorageError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <unistd.h>

namespace Kv::Tests {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class DocumentWriterTest : public ::testing::Test {
protected:
    // The StorageError saving `doc` to `path` throws.
    StorageError saveError(const std::string& path) {
        try {
            DocumentWriter::save(doc.asset, path);
        } catch (const StorageError& error) {
            return error;
        }
        ADD_FAILURE() << "saved to " << path;
        return StorageError(path, "(saved)");
    }
    std::set<std::string> directoryListing(const std::string& dir) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.insert(entry.path().filename().string());
        return names;
    }

    DocumentFiles files;
    TestDocument doc;
};

// The rename is the commit: whatever fails before it leaves the old file.
TEST_F(DocumentWriterTest, FailedSaveLeavesThePreviousFileAsItWas) {
    const std::string file = files.writeSample("sample.kvd");
    const std::string before = DocumentFiles::readBytes(file);
    TestItem::make(doc.group.get())->label(L"newer");
    // The new file cannot be made where the writer puts it: a folder in the
    // way stops every user, where folder permissions would not stop the
    // superuser.
    const std::string scratch = file + ".saving-" + std::to_string(::getpid());
    fs::create_directories(scratch + "/in-the-way");

    const StorageError error = saveError(file);
    EXPECT_EQ(error.file(), file);
    EXPECT_THAT(error.problem(), StartsWith("cannot save: "));
    EXPECT_EQ(DocumentFiles::readBytes(file), before);
    EXPECT_EQ(DocumentFiles::printed(DocumentReader::load(file)->findEntity(1, files.aId)),
              files.aPrinted);
}

TEST_F(DocumentWriterTest, PathsThatCannotHoldADocument) {
    const std::string missing = files.path("no/such/folder/doc.kvd");
    StorageError error = saveError(missing);
    EXPECT_EQ(error.file(), missing);
    EXPECT_THAT(error.problem(), StartsWith("cannot save: "));
    EXPECT_FALSE(fs::exists(files.path("no")));

    const std::string folder = files.path("folder.kvd");
    fs::create_directory(folder);
    error = saveError(folder);
    EXPECT_EQ(error.file(), folder);
    EXPECT_THAT(error.problem(), HasSubstr("directory"));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(directoryListing(files.path("")), std::set<std::string>{"folder.kvd"})
        << "nothing is left beside it";
}

TEST_F(DocumentWriterTest, EntitiesOnlyTheUndoHistoryHoldsAreLeftOut) {
    StrongRef<TestItem> kept = TestItem::make(doc.group.get());
    StrongRef<TestItem> removed = TestItem::make(doc.group.get());
    kept->watched(PassiveRef<TestItem>(removed));
    doc.asset.beginTransaction("remove");
    doc.group->removeChild(removed);
    doc.asset.commitTransaction();
    const uint64_t removedId = removed->id();
    removed.reset();

    const std::string file = files.path("doc.kvd");
    DocumentWriter::save(doc.asset, file);
    std::unique_ptr<Asset> loaded = DocumentReader::load(file);
    EXPECT_EQ(loaded->findEntity(1, removedId), nullptr);
    auto* keptLoaded = queryInterface<TestItem>(loaded->findEntity(1, kept->id()));
    ASSERT_NE(keptLoaded, nullptr);
    EXPECT_FALSE(keptLoaded->watched()) << "a reference to what is not saved reads null";

    // Undone, the entity is part of the model again and saved with it.
    doc.asset.undo();
    DocumentWriter::save(doc.asset, file);
    EXPECT_NE(DocumentReader::load(file)->findEntity(1, removedId), nullptr);
}

// An entity reached only through a reference, whose group is gone from the
// model, is saved without an owner rather than filed under a group the file
// does not have.
TEST_F(DocumentWriterTest, OwnedEntityOfARemovedGroupStillLoads) {
    StrongRef<TestGroup> elsewhere = TestGroup::make(doc.component.get());
    StrongRef<TestItem> owned = TestItem::make(elsewhere.get());
    owned->label(L"owned");
    StrongRef<TestItem> owner = TestItem::make(doc.group.get());
    owner->owned(owned);
    doc.asset.beginTransaction("remove");
    doc.component->removeChild(elsewhere);
    doc.asset.commitTransaction();

    const std::string file = files.path("doc.kvd");
    DocumentWriter::save(doc.asset, file);
    std::unique_ptr<Asset> loaded;
    ASSERT_NO_THROW(loaded = DocumentReader::load(file));
    EXPECT_EQ(loaded->findEntity(1, elsewhere->id()), nullptr);
    auto* ownerLoaded = queryInterface<TestItem>(loaded->findEntity(1, owner->id()));
    ASSERT_NE(ownerLoaded, nullptr);
    ASSERT_TRUE(ownerLoaded->owned());
    EXPECT_EQ(ownerLoaded->owned()->label(), L"owned");
}

// An entity can be reached through a reference before the group that holds
// it is walked; it is still filed at its place among the group's children.
TEST_F(DocumentWriterTest, ChildReachedThroughAReferenceFirstKeepsItsPlace) {
    StrongRef<TestItem> owner = TestItem::make(doc.group.get());
    StrongRef<TestGroup> outer = TestGroup::make(doc.component.get());
    StrongRef<TestGroup> inner = TestGroup::make(outer.get());
    std::vector<StrongRef<TestItem>> children;
    for (const wchar_t* label : {L"first", L"second", L"third"}) {
        children.push_back(TestItem::make(inner.get()));
        children.back()->label(label);
    }
    owner->owned(children[2]);
    owner->watched(PassiveRef<TestItem>(children[1]));

    const std::string file = files.path("doc.kvd");
    DocumentWriter::save(doc.asset, file);
    std::unique_ptr<Asset> loaded = DocumentReader::load(file);
    auto* innerLoaded = queryInterface<TestGroup>(loaded->findEntity(1, inner->id()));
    ASSERT_NE(innerLoaded, nullptr);
    ASSERT_EQ(innerLoaded->childCount(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(innerLoaded->child(i)->id(), children[i]->id()) << i;
    auto* ownerLoaded = queryInterface<TestItem>(loaded->findEntity(1, owner->id()));
    ASSERT_NE(ownerLoaded, nullptr);
    EXPECT_EQ(ownerLoaded->owned().get(), innerLoaded->child(2).get());
    EXPECT_EQ(ownerLoaded->watched().getTarget(), innerLoaded->child(1).get());
}

TEST_F(DocumentWriterTest, ProgressCountsEveryEntity) {
    for (int i = 0; i < 5; ++i)
        TestItem::make(doc.group.get());
    size_t last = 0, total = 0;
    DocumentWriter::save(doc.asset, files.path("doc.kvd"), [&](size_t done, size_t all) {
        EXPECT_GE(done, last);
        last = done;
        total = all;
    });
    EXPECT_EQ(total, 7u) << "component, group and five items";
    EXPECT_EQ(last, total);
}

} // namespace
} // namespace Kv::Tests
