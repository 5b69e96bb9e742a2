#pragma once

#include "Kv/Base/StrongRef.h"
#include "Kv/DataModel/MemberSet.h"
#include "Kv/DataModel/MetaType.h"

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace Kv {

class DataModelCallback;
class Entity;
class Segment;

// The meta type of an entity class: identity, kind, the member sets of the
// current and of older schema versions, and the factory that loading uses.
class EntityMetaType : public MetaType {
public:
    // Kinds: abstract bases, concrete classes, and classes of a core add-in.
    enum Kind : int { kAbstract = 1, kConcrete = 2, kCore = 4 };

    // Registers the meta type with MetaTypeMgr; the destructor unregisters it.
    EntityMetaType(const std::string& addInId, const std::string& identifier,
                   const std::string& name, uint32_t version, const std::string& baseIdentifier,
                   int kind);
    ~EntityMetaType() override;

    const std::string& baseIdentifier() const { return m_baseIdentifier; }
    // The base class's meta type, looked up by identifier (null for roots).
    EntityMetaType* baseMetaType() const;
    int kind() const { return m_kind; }
    void setKind(int kind) { m_kind = kind; }
    // Whether the class was registered as an abstract base; stays true when
    // loading as a core add-in later changes the kind.
    bool isAbstract() const { return m_abstract; }
    // Whether this meta type is `other` or derives from it.
    bool isKindOf(const EntityMetaType* other) const;

    // The member set of `version`: the current one for kCurrentVersion or the
    // current version number, otherwise the one built for reading old data.
    MemberSet& memberSet(uint32_t version = kCurrentVersion);
    // Builds (once) the member set of an older version, through
    // initializeMemberSet on `entity`, and returns it.
    MemberSet* migratingMemberSetIfNeeded(Entity* entity, uint32_t version);

    // The class name the member sets carry: the meta type name without its
    // "MetaType" suffix.
    std::string className() const;

    // Run at the end of every constructor of the class, creating or loading:
    // builds the current member set once (under the set's lock when locking is
    // on), calling `initOwn` for the class's own members.
    // Made once per class, asked in every constructor of every entity: the
    // common case is answered here, without a call or a lock.
    template <class InitOwn> void initializeMemberSetIfNeeded(Entity* entity, InitOwn&& initOwn) {
        if (!m_current.initialized())
            initializeCurrentMemberSet(entity, std::forward<InitOwn>(initOwn));
    }
    // For an entity being loaded from data saved with an older version of this
    // class: records that version on the entity, calls `createHelper`, builds
    // the old member set and marks the entity migrating. False when nothing
    // needs migrating.
    bool beginMigrationIfNeeded(Entity* entity, const std::function<void()>& createHelper);
    // The same for classes without a migration helper, as most are.
    bool beginMigrationIfNeeded(Entity* entity, std::nullptr_t);

    DataModelCallback* dataModelCallback() const { return m_callback; }
    void dataModelCallback(DataModelCallback* callback) { m_callback = callback; }

    // Fills `memberSet` with the members of `version` of the class, using
    // `entity` to locate the fields.
    virtual void initializeMemberSet(Entity* entity, uint32_t version, MemberSet& memberSet);
    // A new instance for loading, made with the class's load constructor.
    virtual StrongRef<Entity> makeInstance(Segment* segment, uint64_t id);
    virtual void onPreSave(Entity*) {}
    virtual void onPostSave(Entity*) {}
    virtual void onPreLoad(Entity*) {}
    virtual void onPostLoad(Entity*) {}
    // The in-memory size of one instance.
    virtual size_t instanceSize() const { return 0; }

private:
    void initializeCurrentMemberSet(Entity* entity,
                                    const std::function<void(uint32_t, MemberSet&)>& initOwn);
    // Whether an entity being made may have older data of this class.
    bool mayMigrate(Entity* entity) const;

    std::string m_baseIdentifier;
    int m_kind;
    bool m_abstract;
    MemberSet m_current;
    std::mutex m_oldSetsMutex;
    std::map<uint32_t, std::unique_ptr<MemberSet>> m_oldSets;
    DataModelCallback* m_callback = nullptr;
};

} // namespace Kv
