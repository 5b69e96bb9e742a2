#include "DocumentFiles.h"

#include "Kv/DataModel/MemberCodec.h"
#include "Kv/Storage/DocumentWriter.h"
#include "Kv/Storage/SqliteDatabase.h"
#include "Kv/Storage/SqliteStatement.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace Kv::Tests {

namespace fs = std::filesystem;

DocumentFiles::DocumentFiles() {
    std::string pattern = (fs::temp_directory_path() / "KvDocumentFilesXXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary directory");
    m_dir = pattern;
}

DocumentFiles::~DocumentFiles() {
    std::error_code ignored;
    fs::remove_all(m_dir, ignored);
}

std::string DocumentFiles::writeSample(const std::string& name) {
    TestDocument doc;
    doc.group->title(L"Parts");
    StrongRef<TestItem> a = TestItem::make(doc.group.get());
    StrongRef<TestItem> b = TestItem::make(doc.group.get());
    StrongRef<TestItem> c = TestItem::make(doc.group.get());
    a->value(1.25);
    a->visible(false);
    a->count(42);
    a->label(L"first \u00e9");
    a->color(Color(0.25f, 0.5f, 0.75f, 1.0f));
    a->position(ZkGePoint3d(1, -2, 3.5));
    a->owned(b);
    a->watched(PassiveRef<TestItem>(b));
    a->watchList({PassiveRef<TestItem>(b), PassiveRef<TestItem>(c)});
    a->ownedByKey({{3, c}});
    groupId = doc.group->id();
    aId = a->id();
    bId = b->id();
    cId = c->id();
    aPrinted = printed(a.get());
    const std::string file = path(name);
    DocumentWriter::save(doc.asset, file);
    return file;
}

std::string DocumentFiles::readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void DocumentFiles::writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void DocumentFiles::execute(const std::string& path, const std::string& sql) {
    SqliteDatabase db(path, SqliteDatabase::CreateNew);
    db.exec(sql);
    db.close();
}

std::string DocumentFiles::membersOf(const std::string& path, uint64_t id) {
    SqliteDatabase db(path, SqliteDatabase::ReadOnly);
    SqliteStatement query(db, "SELECT members FROM entities WHERE id = ?");
    query.bind(1, int64_t(id));
    if (!query.step())
        throw std::runtime_error("no entity " + std::to_string(id) + " in " + path);
    return std::string(query.blob(0));
}

void DocumentFiles::setMembers(const std::string& path, uint64_t id, const std::string& blob) {
    SqliteDatabase db(path, SqliteDatabase::CreateNew);
    db.exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF"); // scratch files, many edits
    SqliteStatement update(db, "UPDATE entities SET members = ? WHERE id = ?");
    update.bindBlob(1, blob);
    update.bind(2, int64_t(id));
    update.run();
}

std::string DocumentFiles::printed(Entity* entity) {
    std::ostringstream out;
    MemberCodec::print(entity, out, MemberContext());
    return out.str();
}

} // namespace Kv::Tests
