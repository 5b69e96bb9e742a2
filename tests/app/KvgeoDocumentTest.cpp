// Saving and opening documents through kvgeo, with the geometry add-in of the
// build's runtime root.

#include "KvgeoProcess.h"
#include "ScratchDirectory.h"

#include "Kv/Storage/SqliteDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using KvgeoTests::KvgeoProcess;
using KvgeoTests::readFile;
using Lines = std::vector<std::string>;

const std::string kSketchFixture =
    KV_SOURCE_DIR "/tests/Server/Geometry/storage/fixtures/Sketch-v0.kvd";

class KvgeoDocumentTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return m_scratch.path(name); }
    // kvgeo running the commands, in order, as -c options.
    static KvgeoProcess::Result commands(const Lines& lines) {
        Lines args{"-q"};
        for (const std::string& line : lines)
            args.insert(args.end(), {"-c", line});
        return KvgeoProcess::run(args);
    }

    KvgeoTests::ScratchDirectory m_scratch;
};

// A document of an older release, saved and opened again, lists and reads the
// same; saved again to where it came from, it still does.
TEST_F(KvgeoDocumentTest, SavedDocumentsOpenAsTheyWereSaved) {
    const Lines look{"ls -a", "get Sketches", "get Sketches/Gamma", "get Sketches/Beta",
                     "info Sketches/Alpha"};
    const std::string copy = path("copy.kvd");
    Lines first{"open " + kSketchFixture};
    first.insert(first.end(), look.begin(), look.end());
    first.push_back("save " + copy);
    const auto saved = commands(first);
    ASSERT_EQ(saved.status, 0) << saved.err;
    for (const char* line :
         {"Sketches/Gamma\tSketch\n", "creationIndex = 1\n", "highWaterMark = 3\n"})
        EXPECT_NE(saved.out.find(line), std::string::npos) << saved.out;

    Lines second{"open " + copy};
    second.insert(second.end(), look.begin(), look.end());
    const auto opened = commands(second);
    ASSERT_EQ(opened.status, 0) << opened.err;
    EXPECT_EQ(opened.out, saved.out);
    EXPECT_EQ(commands({"open " + copy, "save"}).status, 0);
    EXPECT_EQ(commands(second).out, saved.out);
}

// Each bad file is refused with its name and the problem; the open document
// stays open, unchanged, and still saves to where it came from.
TEST_F(KvgeoDocumentTest, FailedOpenOrSaveLeavesTheOpenDocument) {
    const std::string good = path("good.kvd");
    fs::copy_file(kSketchFixture, good);
    const std::string document = readFile(good);

    std::vector<std::pair<std::string, std::string>> bad; // file, problem reported
    bad.emplace_back(m_scratch.write("notes.kvd", "not a document\n"), "not a readable document");
    bad.emplace_back(m_scratch.write("empty.kvd", ""), "not a document");
    bad.emplace_back(m_scratch.write("short.kvd", document.substr(0, document.size() / 2)), "");
    auto edited = [&](const std::string& name, const std::string& sql) {
        const std::string file = m_scratch.write(name, document);
        Kv::SqliteDatabase db(file, Kv::SqliteDatabase::CreateNew);
        db.exec(sql);
        db.close();
        return file;
    };
    bad.emplace_back(edited("newer.kvd", "UPDATE format SET value = '99' WHERE key = 'version'"),
                     "format version 99");
    bad.emplace_back(edited("unknown.kvd", "UPDATE entities SET metatype = 'Gone' WHERE rowid = "
                                           "(SELECT max(rowid) FROM entities)"),
                     "unknown meta type identifier \"Gone\"");
    bad.emplace_back(path("missing.kvd"), "no such file");
    const std::string nowhere = path("no/such/folder/doc.kvd");

    const std::string look = "ls -a\nget Sketches/Beta\n";
    std::string input = "open " + good + "\n" + look;
    for (const auto& [file, problem] : bad)
        input += "open " + file + "\n" + look;
    input += "save " + nowhere + "\n" + look + "save\n";
    const auto session = KvgeoProcess::run({"-q"}, input, true);
    EXPECT_EQ(session.status, 0) << session.err;

    const auto reference = commands({"open " + good, "ls -a", "get Sketches/Beta"});
    ASSERT_EQ(reference.status, 0) << reference.err;
    std::string expected;
    for (size_t i = 0; i < bad.size() + 2; ++i)
        expected += reference.out;
    EXPECT_EQ(session.out, expected);

    const Lines errors = session.errorLines();
    ASSERT_EQ(errors.size(), bad.size() + 1) << session.err;
    for (size_t i = 0; i < bad.size(); ++i) {
        EXPECT_EQ(errors[i].rfind("error: " + bad[i].first + ": ", 0), 0u) << errors[i];
        EXPECT_NE(errors[i].find(bad[i].second), std::string::npos) << errors[i];
    }
    EXPECT_EQ(errors.back().rfind("error: " + nowhere + ": cannot save: ", 0), 0u) << errors.back();
    EXPECT_FALSE(fs::exists(path("no")));

    // The last "save" wrote the document back to the file it was opened from
    // (at the current schema now).
    EXPECT_NE(readFile(good), document);
    const auto reopened = commands({"open " + good, "ls -a", "get Sketches/Beta"});
    EXPECT_EQ(reopened.out, reference.out);
}

} // namespace
