#pragma once

// Document files for the storage tests: a sample document of the data model
// test entities written into a scratch directory, and the means to damage it.

#include "../DataModel/TestEntities.h"

#include <functional>
#include <memory>
#include <string>

namespace Kv::Tests {

class DocumentFiles {
public:
    DocumentFiles();
    ~DocumentFiles();
    DocumentFiles(const DocumentFiles&) = delete;
    DocumentFiles& operator=(const DocumentFiles&) = delete;

    std::string path(const std::string& name) const { return m_dir + "/" + name; }

    // A group "Parts" of the component holding items a, b and c: a owns b and
    // c (by reference and by key), watches b and lists b and c; every value
    // member set. Saved to `name`; returns the path.
    std::string writeSample(const std::string& name);
    // The identifiers the sample's entities were saved under.
    uint64_t groupId = 0, aId = 0, bId = 0, cId = 0;
    // The sample's item a, printed before it was saved.
    std::string aPrinted;

    static std::string readBytes(const std::string& path);
    static void writeBytes(const std::string& path, const std::string& bytes);
    // Runs SQL on a document file.
    static void execute(const std::string& path, const std::string& sql);
    static std::string membersOf(const std::string& path, uint64_t id);
    static void setMembers(const std::string& path, uint64_t id, const std::string& blob);

    // Every member of `entity`, printed, references as `#id`.
    static std::string printed(Entity* entity);

private:
    std::string m_dir;
};

} // namespace Kv::Tests
