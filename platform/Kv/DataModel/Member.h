#pragma once

#include <cstddef>
#include <string>

namespace Kv {

class MemberMetaType;
struct TemplatizedFunctions;

// One persisted field of an entity class: where it lives, what type it has and
// which meta type handles its values.
class Member {
public:
    // Member options. Option 1 is "copied": set unless a member is a per-view
    // display preference that copies and clone-pastes should not carry over.
    enum Option : unsigned { kCopied = 1 };

    Member(std::string name, std::ptrdiff_t offset, std::string typeName, MemberMetaType* metaType,
           const TemplatizedFunctions* functions, bool inMigrationHelper);

    const std::string& name() const { return m_name; }
    std::ptrdiff_t offset() const { return m_offset; }
    const std::string& typeName() const { return m_typeName; }
    MemberMetaType* metaType() const { return m_metaType; }
    const TemplatizedFunctions* functions() const { return m_functions; }
    // Whether the field lives in the entity's migration helper rather than in
    // the entity (old data read only to be converted).
    bool inMigrationHelper() const { return m_inMigrationHelper; }

    unsigned options() const { return m_options; }
    bool hasOption(unsigned option) const { return (m_options & option) != 0; }
    void setOption(unsigned option) { m_options |= option; }
    void clearOption(unsigned option) { m_options &= ~option; }

    // The persisted type key, checked when a value is decoded. Worked out once:
    // every value written or read names it.
    const std::string& typeKey() const { return m_typeKey; }

    void* field(void* holder) const { return static_cast<char*>(holder) + m_offset; }
    const void* field(const void* holder) const {
        return static_cast<const char*>(holder) + m_offset;
    }

private:
    std::string m_name;
    std::ptrdiff_t m_offset;
    std::string m_typeName;
    MemberMetaType* m_metaType;
    const TemplatizedFunctions* m_functions;
    bool m_inMigrationHelper;
    std::string m_typeKey;
    unsigned m_options = kCopied;
};

} // namespace Kv
