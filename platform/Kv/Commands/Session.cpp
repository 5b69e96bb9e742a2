#include "Kv/Commands/Session.h"

#include "Kv/AddInMgr/AddInMgr.h"
#include "Kv/Base/Utf8.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/IComponentContributor.h"
#include "Kv/CommonData/Component.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/IScriptableObject.h"
#include "Kv/DataModel/MemberCodec.h"
#include "Kv/DataModel/ObjectPath.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/DataModel/Segment.h"

#include <algorithm>
#include <unordered_map>

namespace Kv {
namespace {

std::string className(const Entity* entity) {
    const EntityMetaType* metaType = entity->metaType();
    return metaType ? metaType->className() : std::string("Entity");
}

std::string numbered(const std::string& className, size_t n) {
    return className + "#" + std::to_string(n);
}

std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start) // "a//b" and a trailing '/' are forgiven
            names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

} // namespace

Session::Session(AddInMgr& addIns)
    : m_addIns(addIns) {}

Session::Session()
    : Session(AddInMgr::get()) {}

Session::~Session() {
    closeDocument();
}

std::unique_ptr<Session> Session::makeScratch() const {
    auto scratch = std::make_unique<Session>(m_addIns);
    scratch->m_contributors = m_contributors;
    return scratch;
}

std::unique_ptr<Asset> Session::makeDocument() const {
    auto asset = std::make_unique<Asset>();
    StrongRef<Component> component = Component::make(asset->createSegment());
    std::vector<IComponentContributor*> contributors;
    for (AddIn* addIn : m_addIns.addIns()) {
        void* contributor =
            addIn->serverAddIn()->queryInterface(IComponentContributor::interfaceId());
        if (contributor)
            contributors.push_back(static_cast<IComponentContributor*>(contributor));
    }
    contributors.insert(contributors.end(), m_contributors.begin(), m_contributors.end());
    for (IComponentContributor* contributor : contributors)
        contributor->populateComponent(*component);
    return asset;
}

Asset& Session::document() {
    if (!m_asset)
        setDocument(makeDocument());
    return *m_asset;
}

Component& Session::component() {
    document();
    if (!m_component)
        throw CommandError("the document has no component");
    return *m_component;
}

void Session::newDocument() {
    setDocument(makeDocument());
}

void Session::setDocument(std::unique_ptr<Asset> asset) {
    closeDocument();
    m_asset = std::move(asset);
    if (m_asset)
        m_component = Component::find(m_asset->defaultSegment());
}

void Session::closeDocument() {
    m_documentPath.clear();
    m_current.reset();
    m_component.reset();
    m_asset.reset();
}

void Session::addComponentContributor(IComponentContributor* contributor) {
    if (contributor)
        m_contributors.push_back(contributor);
}

std::string Session::keyName(Entity* entity) const {
    if (m_namingHook) {
        std::string name = m_namingHook(entity);
        if (!name.empty())
            return name;
    }
    auto* scriptable = queryInterface<IScriptableObject>(entity);
    Onk key;
    if (!scriptable || !scriptable->getOnk(key))
        return {};
    // A parent that finds its children by the key's text (a collection of
    // named sketches or work planes) names them by that text; otherwise the
    // key's own name tells the entity from its siblings ("Point:1:2").
    auto* parent = queryInterface<IScriptableObject>(entity->parentEntity());
    if (parent && !key.representation().empty() &&
        parent->getChildObject(key, ObjectPath()) == scriptable)
        return Utf8::toUtf8(key.representation());
    if (!key.name().empty())
        return Utf8::toUtf8(key.name());
    return {};
}

std::string Session::nameOf(Entity* entity) const {
    if (!entity)
        return {};
    const std::string ownClass = className(entity);
    Entity* parent = entity->parentEntity();
    auto* group = queryInterface<Managed::ManagedGroupEntity>(parent);
    const bool isChild = group && group->indexOf(entity) != Managed::ManagedGroupEntity::npos;
    if (parent && !isChild) {
        size_t n = 0;
        for (Entity* owned : ownedEntities(parent)) {
            if (className(owned) == ownClass)
                ++n;
            if (owned == entity)
                return numbered(ownClass, n);
        }
    }
    std::string name = keyName(entity);
    if (!name.empty())
        return name;
    size_t n = 1;
    if (isChild) {
        for (const StrongRef<Entity>& sibling : group->children()) {
            if (sibling.get() == entity)
                break;
            if (className(sibling.get()) == ownClass)
                ++n;
        }
    }
    return numbered(ownClass, n);
}

std::vector<std::string> Session::childNames(const Managed::ManagedGroupEntity& group) const {
    std::vector<std::string> names;
    names.reserve(group.childCount());
    std::unordered_map<std::string, size_t> counts;
    for (const StrongRef<Entity>& child : group.children()) {
        std::string ownClass = className(child.get());
        const size_t n = ++counts[ownClass];
        std::string name = keyName(child.get());
        names.push_back(name.empty() ? numbered(ownClass, n) : std::move(name));
    }
    return names;
}

std::string Session::pathOf(Entity* entity) const {
    std::vector<std::string> names;
    for (Entity* e = entity; e; e = e->parentEntity()) {
        if (!e->parentEntity() && queryInterface<Component>(e))
            break;
        names.push_back(nameOf(e));
    }
    std::string path;
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        if (!path.empty())
            path += '/';
        path += *it;
    }
    return path;
}

std::vector<Entity*> Session::ownedEntities(Entity* entity) {
    std::vector<Entity*> owned;
    MemberCodec::forEachReference(entity, [&](Entity* target, bool owning) {
        if (owning && target->parentEntity() == entity &&
            std::find(owned.begin(), owned.end(), target) == owned.end())
            owned.push_back(target);
    });
    return owned;
}

void Session::walk(Entity& from, bool owned, const Visitor& visit) const {
    walkBelow(&from, pathOf(&from), owned, visit);
}

void Session::walkBelow(Entity* entity, const std::string& path, bool owned,
                        const Visitor& visit) const {
    const auto below = [&path](const std::string& name) {
        return path.empty() ? name : path + "/" + name;
    };
    if (owned) {
        std::unordered_map<std::string, size_t> counts;
        for (Entity* ownedEntity : ownedEntities(entity)) {
            const std::string ownClass = className(ownedEntity);
            visit(ownedEntity, below(numbered(ownClass, ++counts[ownClass])));
        }
    }
    auto* group = queryInterface<Managed::ManagedGroupEntity>(entity);
    if (!group)
        return;
    const std::vector<std::string> names = childNames(*group);
    for (size_t i = 0; i < names.size(); ++i) {
        Entity* child = group->child(i).get();
        const std::string childPath = below(names[i]);
        visit(child, childPath);
        walkBelow(child, childPath, owned, visit);
    }
}

Entity* Session::childNamed(Entity* entity, const std::string& name) const {
    if (auto* group = queryInterface<Managed::ManagedGroupEntity>(entity)) {
        const std::vector<std::string> names = childNames(*group);
        const auto it = std::find(names.begin(), names.end(), name);
        if (it != names.end())
            return group->child(static_cast<size_t>(it - names.begin())).get();
    }
    std::unordered_map<std::string, size_t> counts;
    for (Entity* owned : ownedEntities(entity)) {
        const std::string ownClass = className(owned);
        if (numbered(ownClass, ++counts[ownClass]) == name)
            return owned;
    }
    return nullptr;
}

Entity* Session::lookup(const std::string& path, std::string* why) {
    Entity* entity = nullptr;
    std::string rest = path;
    std::string walked;
    if (path == "." || path.rfind("./", 0) == 0) {
        entity = m_current.get();
        if (!entity) {
            if (why)
                *why = "there is no current sketch for '" + path + "'";
            return nullptr;
        }
        rest = path.substr(1);
        walked = ".";
    } else {
        entity = &component();
    }
    for (const std::string& name : splitPath(rest)) {
        Entity* next = childNamed(entity, name);
        if (!next) {
            if (why)
                *why = "no entity '" + name + "' in " +
                       (walked.empty() ? std::string("the component") : "'" + walked + "'");
            return nullptr;
        }
        entity = next;
        walked += (walked.empty() ? "" : "/") + name;
    }
    return entity;
}

Entity* Session::find(const std::string& path) {
    return lookup(path, nullptr);
}

Entity& Session::resolve(const std::string& path) {
    std::string why;
    Entity* entity = lookup(path, &why);
    if (!entity)
        throw CommandError(why);
    return *entity;
}

} // namespace Kv
