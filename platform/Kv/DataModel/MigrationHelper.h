#pragma once

namespace Kv {

class Segment;

// Per-entity scratch data kept while an entity read from an old document is
// converted. Registered with the segment under the entity and meta type.
class MigrationHelper {
public:
    explicit MigrationHelper(Segment* segment)
        : m_segment(segment) {}
    virtual ~MigrationHelper() = default;
    MigrationHelper(const MigrationHelper&) = delete;
    MigrationHelper& operator=(const MigrationHelper&) = delete;

    Segment* segment() const { return m_segment; }

private:
    Segment* m_segment;
};

// Outcome of an entity's own conversion step.
enum EMigrationStatus : int {
    kMigrationFailed = 0,
    kMigrationDone = 1,
    kMigrationDeferred = 2, // handed to an asset migrator that runs after loading
};

} // namespace Kv
