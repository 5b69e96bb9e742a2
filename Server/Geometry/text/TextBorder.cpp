#include "Geometry/text/TextBorder.h"

#include "Geometry/sketch3d/DeleteTextBorderRequest.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/text/Text.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/Scene/Environment.h"
#include "Kv/Scene/EnvironmentManager.h"
#include "Kv/Scene/NodeChange.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(TextBorder)

StrongRefCreator<TextBorder> TextBorder::make(const StrongRef<Entity>& parent,
                                              const ZkGePoint3d& start, const ZkGePoint3d& end,
                                              const StrongRef<Text>& text) {
    if (!parent)
        return {};
    const StrongRef<Point3D> startPoint = Point3D::findOrMake(parent, start);
    const StrongRef<Point3D> endPoint = Point3D::findOrMake(parent, end);
    StrongRef<TextBorder> border(new TextBorder(parent.get(), startPoint, endPoint, text));
    border->postCreation(kTransactDo);
    return StrongRefCreator<TextBorder>(border);
}

TextBorder::TextBorder(Entity* parent, const StrongRef<Point3D>& start,
                       const StrongRef<Point3D>& end, const StrongRef<Text>& text)
    : Line3D(parent, start, end)
    , m_text(text) {
    initializeMemberSetIfNeeded();
}

TextBorder::TextBorder(Segment* segment, uint64_t id)
    : Line3D(segment, id) {
    initializeMemberSetIfNeeded();
}

void TextBorder::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "text", m_text);
}

void TextBorder::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void TextBorder::text(const PassiveRef<Text>& text) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_text = text;
}

void TextBorder::onPostCreation(int kind) {
    Line3D::onPostCreation(kind);
    // Borders stand out from the sketch in a colour of their own.
    lineColor(Color(1.0f, 0.8f, 0.1f, 1.0f));
    useEnvironmentColors(false);
}

// The text is told directly rather than through an observer subscription:
// a subscription is session state that neither opening a document nor undo
// would bring back, while the reference to the text is persisted.
void TextBorder::onPostChange(const EntityChange& change) {
    Line3D::onPostChange(change);
    if (Text* text = m_text.getTarget())
        text->onEntityPostChange(*this, change);
}

Request* TextBorder::onProvideDeleteRequest(const ObjectPath& path) {
    if (::Kv::queryInterface<TextBorder>(path.leaf()) != this)
        return Geometry3D::onProvideDeleteRequest(path);
    return DeleteTextBorderRequest::make(asset(), PassiveRef<TextBorder>(this));
}

void TextBorder::activeEnvironmentChanged(Event*) {
    Wyn::Graphics::ARenderNode* node = curveNode();
    if (!node)
        return;
    const Color color =
        Scene::EnvironmentManager::getEnvManager().activeEnvironment()->textBorderColor().toColor();
    Scene::NodeChange(node).occludedEffect("", color, 1.0, 0.4, false, 0);
}

void* TextBorder::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Line3D::queryInterface(id);
}

std::wstring TextBorder::onToString() const {
    return (boost::wformat(L"TextBorder (Base %1%)") % Line3D::onToString()).str();
}

} // namespace Kv::Geometry
