#include "Geometry/sketch3d/Sketch.h"

#include "Geometry/curves3d/Curve3D.h"
#include "Geometry/sketch3d/CoordinateSystem.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/SketchDataModelCallback.h"
#include "Geometry/sketch3d/Sketches.h"
#include "Geometry/sketch3d/SketchesRoot.h"
#include "Geometry/text/Text.h"
#include "Kv/Base/StringTable.h"
#include "Kv/CommonData/IComponentTraversalContext.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/Scene/NodeChange.h"
#include "Wyn/Objects/BBox.h"
#include "ZkGeBoundBlock3d.h"
#include "ZkGeContext.h"
#include "ZkGeCurve3d.h"
#include "ZkGeLineSeg3d.h"
#include "ZkGeNurbCurve3d.h"
#include "ZkGePlane.h"
#include "ZkGeRay3d.h"

#include <algorithm>
#include <boost/format.hpp>

namespace Kv::Geometry {
namespace {

// Widens the running box [low, high] by [a, b]; the first box starts it.
void widen(bool& started, ZkGePoint3d& low, ZkGePoint3d& high, const ZkGePoint3d& a,
           const ZkGePoint3d& b) {
    if (!started) {
        low = a;
        high = b;
        started = true;
        return;
    }
    low = ZkGePoint3d(std::min(low.x, a.x), std::min(low.y, a.y), std::min(low.z, a.z));
    high = ZkGePoint3d(std::max(high.x, b.x), std::max(high.y, b.y), std::max(high.z, b.z));
}

// A text's box: around the outlines its characters are drawn with.
bool textBlock(const Text& text, ZkGeBoundBlock3d& block) {
    std::vector<ZkGeLineSeg3d> lines;
    std::vector<ZkGeNurbCurve3d> curves;
    text.profile(lines, curves);
    bool any = false;
    auto add = [&](const ZkGeCurve3d& piece) {
        if (any)
            block.extend(piece.boundBlock());
        else
            block = piece.boundBlock();
        any = true;
    };
    for (const ZkGeLineSeg3d& line : lines)
        add(line);
    for (const ZkGeNurbCurve3d& curve : curves)
        add(curve);
    return any;
}

} // namespace

KV_GEOMETRY_ENTITY_IMPL(Sketch)

StrongRefCreator<Sketch> Sketch::make(const StrongRef<Sketches>& sketches,
                                      const std::wstring& name) {
    if (!sketches)
        return {};
    StrongRef<Sketch> sketch(new Sketch(sketches.get(), name));
    sketch->postCreation(kTransactDo);
    return StrongRefCreator<Sketch>(sketch);
}

StrongRefCreator<Sketch> Sketch::make(Segment* segment, const std::wstring& name) {
    if (!segment)
        return {};
    StrongRef<Sketch> sketch(new Sketch(segment, name));
    sketch->postCreation(kTransactDo);
    return StrongRefCreator<Sketch>(sketch);
}

Sketch::Sketch(Entity* parent, const std::wstring& name)
    : CommonBaseGroupEntity(parent)
    , m_userName(name) {
    initializeMemberSetIfNeeded();
}

Sketch::Sketch(Segment* segment, const std::wstring& name)
    : CommonBaseGroupEntity(segment)
    , m_userName(name) {
    initializeMemberSetIfNeeded();
}

Sketch::Sketch(Segment* segment, uint64_t id)
    : CommonBaseGroupEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void Sketch::initializeMemberSet(uint32_t version, MemberSet& memberSet) {
    if (version > 1)
        return;
    registerMember(memberSet, "userName", m_userName);
    registerMember(memberSet, "UCS", m_UCS);
    registerMember(memberSet, "isVisible", m_isVisible);
    if (version >= 1)
        registerMember(memberSet, "creationIndex", m_creationIndex);
}

void Sketch::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, [this](uint32_t version, MemberSet& set) {
        initializeMemberSet(version, set);
        g_sketchDataModelCallback.performPostClonePaste();
        s_metaType().dataModelCallback(&g_sketchDataModelCallback);
    });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void Sketch::onPostMigrate() {
    CommonBaseGroupEntity::onPostMigrate();
    if (version() < s_metaType().version())
        version(s_metaType().version());
}

// Numbering, the segment's root collection and the unique name are state the
// records of undo, redo, loading and clone-paste bring back themselves.
void Sketch::onPostCreation(int kind) {
    const bool replay = DataChange::test(kind, kTransactReplay);
    if (!replay && m_creationIndex == kUnsetIndex)
        if (StrongRef<Sketches> sketches = parentSketches())
            m_creationIndex = sketches->getNextID();
    CommonBaseGroupEntity::onPostCreation(kind);
    if (replay) {
        connectScene();
        return;
    }
    if (!SketchesRoot::find(segment()))
        SketchesRoot::make(segment());
    const std::wstring name = userName();
    if (!isUniqueName(name))
        userName(getUniqueName(name));
    // A collection read from a file joins the scene with its first new sketch.
    if (StrongRef<Sketches> sketches = parentSketches())
        sketches->connectScene();
    connectScene();
}

void Sketch::onPreDeletion(int kind) {
    disconnectScene();
    coordinateSystem(StrongRef<CoordinateSystem>());
    CommonBaseGroupEntity::onPreDeletion(kind);
}

void Sketch::onObservedEntityPreDeletion(const StrongRef<Entity>&, int) {
    clientObject(nullptr);
}

void Sketch::onPostChange(const EntityChange& change) {
    CommonBaseGroupEntity::onPostChange(change);
    onPostChangeScene(change.changeType());
}

std::wstring Sketch::userName() const {
    return m_userName.empty() ? defaultUserName() : m_userName;
}

void Sketch::userName(const std::wstring& name) {
    if (name == m_userName)
        return;
    std::wstring unique = name;
    if (!isUniqueName(unique))
        unique = getUniqueName(unique);
    EntityChange change(this, kTransactDo, kChangeName, 3, nullptr, true);
    m_userName = unique;
}

std::wstring Sketch::defaultUserName() const {
    const std::wstring prefix =
        StringTable::getLocalizedString(L"KvGeometry", "SketchDefaultName", L"Sketch");
    return (boost::wformat(L"%1%%2%") % prefix % m_creationIndex).str();
}

bool Sketch::onRename(const std::wstring& name) {
    userName(name);
    return true;
}

bool Sketch::isUniqueName(const std::wstring& name) {
    StrongRef<Sketches> sketches = parentSketches();
    if (!sketches)
        return true;
    for (const StrongRef<Entity>& child : sketches->children()) {
        auto* sibling = ::Kv::queryInterface<Sketch>(child.get());
        if (sibling && sibling != this && sibling->userName() == name)
            return false;
    }
    return true;
}

bool Sketch::getOnk(Onk& key) {
    key.setName(L"Sketch");
    key.setRepresentation(userName());
    return true;
}

void Sketch::coordinateSystem(const StrongRef<CoordinateSystem>& system) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_UCS = system;
}

bool Sketch::onExtractTransform(const ObjectPath& path, ZkGeMatrix3d& transform,
                                ObjectPath& transformPath) {
    transformPath = ObjectPath();
    for (size_t i = 1; i < path.size(); ++i)
        transformPath.push(path.elements()[i].get());
    transform = m_UCS ? m_UCS->transform() : ZkGeMatrix3d();
    return true;
}

bool Sketch::intersectWith(const ZkGeRay3d& ray, ZkGePoint3d& point) const {
    ZkGeRay3d local(ray);
    if (m_UCS)
        local.transformBy(m_UCS->transform().inverse());
    return ZkGePlane::kXYPlane.intersectWith(local, point, ZkGeContext::gTol);
}

StrongRef<GeometryBase3D> Sketch::geometry(unsigned int index) const {
    return StrongRef<GeometryBase3D>(::Kv::queryInterface<GeometryBase3D>(child(index).get()));
}

std::vector<PassiveRef<Curve3D>> Sketch::curves() const {
    std::vector<PassiveRef<Curve3D>> found;
    for (const StrongRef<Entity>& c : children())
        if (auto* curve = ::Kv::queryInterface<Curve3D>(c.get()))
            found.emplace_back(curve);
    return found;
}

std::vector<PassiveRef<Point3D>> Sketch::points() const {
    std::vector<PassiveRef<Point3D>> found;
    for (const StrongRef<Entity>& c : children())
        if (auto* point = ::Kv::queryInterface<Point3D>(c.get()))
            found.emplace_back(point);
    return found;
}

std::vector<PassiveRef<Text>> Sketch::texts() const {
    std::vector<PassiveRef<Text>> found;
    for (const StrongRef<Entity>& c : children())
        if (auto* text = ::Kv::queryInterface<Text>(c.get()))
            found.emplace_back(text);
    return found;
}

void Sketch::remove(const StrongRef<GeometryBase3D>& geometry) {
    if (geometry)
        removeChild(StrongRef<Entity>(geometry.get()));
}

void Sketch::getBoundingBox(Wyn::Objects::BBox& box) const {
    bool started = false;
    ZkGePoint3d low = ZkGePoint3d::kOrigin;
    ZkGePoint3d high = ZkGePoint3d::kOrigin;
    for (const PassiveRef<Curve3D>& curve : curves()) {
        const ZkGeBoundBlock3d block = curve->curve().boundBlock();
        widen(started, low, high, block.minPoint(), block.maxPoint());
    }
    for (const PassiveRef<Text>& text : texts()) {
        ZkGeBoundBlock3d block;
        if (textBlock(*text, block))
            widen(started, low, high, block.minPoint(), block.maxPoint());
    }
    box.set(low, high);
}

StrongRef<Point3D> Sketch::getSketchPointForPosition(const ZkGePoint3d& position,
                                                     const ZkGeTol& tol) const {
    return StrongRef<Point3D>(PointIndex::walk(*this, position, tol));
}

void Sketch::updateSketchID() {
    StrongRef<Sketches> sketches = parentSketches();
    if (!sketches)
        return;
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    m_creationIndex = sketches->getNextID();
}

StrongRef<SketchesRoot> Sketch::sketchesRoot() const {
    return SketchesRoot::find(segment());
}

StrongRef<Sketches> Sketch::parentSketches() const {
    return StrongRef<Sketches>(::Kv::queryInterface<Sketches>(parentEntity()));
}

bool Sketch::isVisible(CommonData::IComponentTraversalContext* context) {
    if (context && context->query(0))
        return false;
    return m_isVisible;
}

// The node follows at once; the collection's switch is looked at only when
// the appearance is next realised.
void Sketch::visible(bool visible) {
    if (visible == m_isVisible)
        return;
    {
        EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
        m_isVisible = visible;
    }
    if (!m_groupNode)
        return;
    Scene::NodeChange change(m_groupNode.get());
    if (visible)
        change.removeAttribute(0);
    else
        change.visibility(false);
}

void Sketch::sceneNode(Wyn::Graphics::ARenderNode* node) {
    m_groupNode = dynamic_cast<Wyn::Graphics::GroupNode*>(node);
}

void Sketch::onCreateScene(Scene::NodeChange& change) {
    m_groupNode = change.createGroupNode(this);
    if (m_UCS)
        change.transform(m_UCS->transform());
    change.clientType(0x10000);
    INodeSource::onCreateScene(change);
}

void Sketch::realizeChildNodes(Scene::NodeChange& change) {
    for (const StrongRef<Entity>& child : children())
        if (auto* source = ::Kv::queryInterface<Scene::INodeSource>(child.get()))
            if (Wyn::Graphics::ARenderNode* node = source->createScene())
                change.addChild(node);
}

bool Sketch::realizeAddedChild(Scene::NodeChange& change, Scene::INodeSource* child) {
    if (Wyn::Graphics::ARenderNode* node = child->createScene())
        change.addChild(node);
    return true;
}

void Sketch::realizeTransform(Scene::NodeChange& change) {
    if (m_UCS)
        change.transform(m_UCS->transform());
}

void Sketch::realizeAppearance(Scene::NodeChange& change) {
    if (isDrawn())
        change.removeAttribute(0);
    else
        change.visibility(false);
}

void Sketch::releaseScene() {
    INodeSource::releaseScene();
    m_groupNode = nullptr;
}

bool Sketch::isDrawn() const {
    StrongRef<Sketches> sketches = parentSketches();
    return m_isVisible && (!sketches || sketches->isVisible());
}

bool Sketch::toggleVisibility(const ObjectPath&) {
    visible(!m_isVisible);
    return true;
}

bool Sketch::onCanReorder(const ObjectPath& path) {
    return onCanReorder(std::vector<ObjectPath>{path}, ObjectPath::toEntity(parentEntity()));
}

bool Sketch::onCanReorder(const std::vector<ObjectPath>& paths, const ObjectPath& target) const {
    for (const ObjectPath& path : paths) {
        if (path == target)
            return false;
        auto* sketch = ::Kv::queryInterface<Sketch>(path.leaf());
        if (sketch && sketch->parentEntity() == parentEntity())
            return true;
    }
    return false;
}

DataModel::IPasteSink* Sketch::componentPasteSink() const {
    StrongRef<Sketches> sketches = parentSketches();
    Entity* component = sketches ? sketches->parentEntity() : nullptr;
    return ::Kv::queryInterface<DataModel::IPasteSink>(component);
}

Request* Sketch::onProvidePasteRequest(const std::vector<ObjectPath>& pasted,
                                       const ObjectPath& target, bool isCut, bool isClone,
                                       bool isReorder) {
    DataModel::IPasteSink* sink = componentPasteSink();
    return sink ? sink->onProvidePasteRequest(pasted, target, isCut, isClone, isReorder) : nullptr;
}

bool Sketch::onCanPaste(const std::vector<ObjectPath>& pasted, const ObjectPath& target, bool isCut,
                        bool isReorder) {
    DataModel::IPasteSink* sink = componentPasteSink();
    return sink && sink->onCanPaste(pasted, target, isCut, isReorder);
}

void* Sketch::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = CommonBaseGroupEntity::queryInterface(id))
        return base;
    if (id == INodeSource::interfaceId())
        return static_cast<INodeSource*>(this);
    if (id == IComponentObject::interfaceId())
        return static_cast<IComponentObject*>(this);
    if (id == IVisibilityToggle::interfaceId())
        return static_cast<IVisibilityToggle*>(this);
    if (id == ILogicalSelectionTransform::interfaceId())
        return static_cast<ILogicalSelectionTransform*>(this);
    if (id == IRenameTarget::interfaceId())
        return static_cast<IRenameTarget*>(this);
    if (id == IPasteSource::interfaceId())
        return static_cast<IPasteSource*>(this);
    if (id == IPasteSink::interfaceId())
        return static_cast<IPasteSink*>(this);
    return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this) : nullptr;
}

std::wstring Sketch::onToString() const {
    return (boost::wformat(L"Sketch %1% (Base %2%)") % userName() %
            CommonBaseGroupEntity::onToString())
        .str();
}

} // namespace Kv::Geometry
