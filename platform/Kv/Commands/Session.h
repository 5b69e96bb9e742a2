#pragma once

#include "Kv/Base/StrongRef.h"
#include "Kv/DataModel/Entity.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Kv {

class AddInMgr;
class Asset;
class Component;
class IComponentContributor;

namespace Managed {
class ManagedGroupEntity;
}

// The application's open document, made when first needed, with what commands
// remember between lines (the current sketch) and the paths that name entities.
class Session {
public:
    // Asked for an entity's name; "" means the entity has no name of its own.
    using NamingHook = std::function<std::string(Entity*)>;

    // New documents are populated by the add-ins of `addIns`.
    explicit Session(AddInMgr& addIns);
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The document, made now if there is none: one default segment whose
    // component every contributor has populated, with an empty undo history.
    Asset& document();
    bool hasDocument() const { return m_asset != nullptr; }
    // The document, or null; never makes one.
    Asset* documentIfAny() const { return m_asset.get(); }
    // The document's component, making the document when needed.
    Component& component();
    // Replaces the document with a new one. When making it fails, the old
    // document stays.
    void newDocument();
    // Takes over a document made elsewhere (a file that was read).
    void setDocument(std::unique_ptr<Asset> asset);
    void closeDocument();

    // The file the document was opened from or last saved to; "" for a new
    // document.
    const std::string& documentPath() const { return m_documentPath; }
    void setDocumentPath(const std::string& path) { m_documentPath = path; }

    // Contributors besides the add-ins, asked after them.
    void addComponentContributor(IComponentContributor* contributor);

    // The current sketch (`.` in paths), or null.
    StrongRef<Entity> currentPath() const { return m_current; }
    void setCurrentPath(StrongRef<Entity> current) { m_current = std::move(current); }

    // Names: the hook's answer when it gives one, else the entity's own
    // object-name key (IScriptableObject::getOnk): its text when the parent
    // finds the entity by that text (getChildObject), else its name; else `Class#N`,
    // N counting that class among the entity's siblings from 1 (an entity
    // outside any group is the first of its class).
    void setNamingHook(NamingHook hook) { m_namingHook = std::move(hook); }
    // An entity its owner holds through a reference without being its group
    // (a coordinate system, a use list) is named `Class#N` among the entities
    // that owner holds so, as `ownedEntities` lists them.
    std::string nameOf(Entity* entity) const;
    // The names of all children of `group` in child order, in one pass.
    std::vector<std::string> childNames(const Managed::ManagedGroupEntity& group) const;
    // The names from the component down to `entity`, joined with '/'; "" for
    // the component itself.
    std::string pathOf(Entity* entity) const;
    // The entities `entity` owns through its references without being their
    // group, in member order, each once.
    static std::vector<Entity*> ownedEntities(Entity* entity);

    // Calls `visit` for every entity below `from` with its path, depth first
    // in child order. With `owned`, each entity's owned entities (as
    // `ownedEntities` lists them, named Class#N) come right before its group
    // children.
    using Visitor = std::function<void(Entity* entity, const std::string& path)>;
    void walk(Entity& from, bool owned, const Visitor& visit) const;

    // A session without a document whose new documents are populated as this
    // one's are: for work that must not touch this session's document.
    std::unique_ptr<Session> makeScratch() const;

    // The add-ins that populate new documents.
    AddInMgr& addIns() const { return m_addIns; }

    // The entity at `path` ("" is the component, "." the current sketch,
    // "./NAME..." below it), or null. A name is looked up among the group
    // children first, then among the owned entities. Makes the document when
    // needed.
    Entity* find(const std::string& path);
    // Like find, but throws CommandError saying which name was not found.
    Entity& resolve(const std::string& path);

private:
    // The hook's or the key's name, or "".
    std::string keyName(Entity* entity) const;
    Entity* lookup(const std::string& path, std::string* why);
    void walkBelow(Entity* entity, const std::string& path, bool owned, const Visitor& visit) const;
    // The group child or owned entity of `entity` called `name`, or null.
    Entity* childNamed(Entity* entity, const std::string& name) const;
    std::unique_ptr<Asset> makeDocument() const;

    AddInMgr& m_addIns;
    std::vector<IComponentContributor*> m_contributors;
    NamingHook m_namingHook;
    // Declared after the document, so that they let go of its entities first.
    std::unique_ptr<Asset> m_asset;
    StrongRef<Component> m_component;
    StrongRef<Entity> m_current;
    std::string m_documentPath;
};

} // namespace Kv
