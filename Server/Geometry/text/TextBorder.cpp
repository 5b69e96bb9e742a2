#include "Geometry/text/TextBorder.h"

#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/text/Text.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(TextBorder)

StrongRefCreator<TextBorder> TextBorder::make(const StrongRef<Entity>& parent,
                                              const StrongRef<Point3D>& start,
                                              const StrongRef<Point3D>& end,
                                              const StrongRef<Text>& text) {
    if (!parent)
        return {};
    StrongRef<TextBorder> border(new TextBorder(parent.get(), start, end, text));
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

void TextBorder::onPostCreation(int kind) {
    Line3D::onPostCreation(kind);
    // Borders stand out from the sketch in a colour of their own.
    lineColor(Color(1.0f, 0.8f, 0.1f, 1.0f));
    useEnvironmentColors(false);
}

void* TextBorder::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Line3D::queryInterface(id);
}

std::wstring TextBorder::onToString() const {
    return (boost::wformat(L"TextBorder (Base %1%)") % Line3D::onToString()).str();
}

} // namespace Kv::Geometry
