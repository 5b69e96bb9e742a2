#pragma once

#include "Kv/DataModel/Member.h"

#include <tbb/spin_rw_mutex.h>

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace Kv {

class Entity;
class EntityMetaType;
class MigrationHelper;
struct TemplatizedFunctions;

// The persisted members of one entity class at one schema version, plus the
// member set of its base class. Built once, then read-only.
class MemberSet {
public:
    MemberSet() = default;
    MemberSet(const MemberSet&) = delete;
    MemberSet& operator=(const MemberSet&) = delete;

    // Starts building the set for `entity`'s class; member addresses passed to
    // addNewMember are taken relative to this entity.
    void initialize(Entity* entity, const std::string& className);
    // Publishes the finished set; from then on it is read without a lock.
    void markInitialized() { m_initialized.store(true, std::memory_order_release); }
    bool initialized() const { return m_initialized.load(std::memory_order_acquire); }

    // Registers one member. `address` is the field in the entity handed to
    // initialize, or, when `holder` is given, the field in that migration helper.
    Member& addNewMember(const std::string& name, const void* address, const char* typeName,
                         MemberMetaType* metaType, const TemplatizedFunctions* functions,
                         const MigrationHelper* holder);

    void setBase(MemberSet* base) { m_base = base; }
    MemberSet* base() const { return m_base; }

    const std::string& name() const { return m_name; }
    // The meta type whose member set this is.
    EntityMetaType* metaType() const { return m_metaType; }
    void setMetaType(EntityMetaType* metaType) { m_metaType = metaType; }
    const std::deque<Member>& ownMembers() const { return m_members; }
    // Every member, base classes first, in registration order.
    void forEachMember(const std::function<void(const Member&)>& visit) const;
    // The member of that name in this set or a base set, or null.
    const Member* findMember(const std::string& name) const;
    Member* findOwnMember(const std::string& name);
    size_t memberCount() const;

    // A member as encoding writes it: `header` is the bytes before its value
    // (its name and type key), the same for every entity of the class.
    struct WrittenMember {
        const Member* member;
        std::string header;
    };
    // Every member in the order encoding writes them, base classes first.
    // Worked out on first use, when the set and its bases are complete.
    const std::vector<WrittenMember>& writtenOrder() const;

    // Guards the one-time initialisation when several threads make the first
    // entity of a class.
    tbb::spin_rw_mutex& mutex() { return m_mutex; }

private:
    std::string m_name;
    EntityMetaType* m_metaType = nullptr;
    const void* m_anchor = nullptr;
    std::deque<Member> m_members; // stable addresses: members are handed out by reference
    std::unordered_map<std::string, const Member*> m_byName;
    MemberSet* m_base = nullptr;
    std::atomic<bool> m_initialized{false};
    tbb::spin_rw_mutex m_mutex;
    mutable std::mutex m_writtenMutex;
    mutable std::atomic<bool> m_writtenReady{false};
    mutable std::vector<WrittenMember> m_written;
};

} // namespace Kv
