#include "Geometry/text/Text.h"

#include "Geometry/text/TextBorder.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "ZkGeMatrix3d.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Text)

StrongRefCreator<Text> Text::make(const StrongRef<Entity>& parent, const std::wstring& text,
                                  const ZkGePoint3d& position, const FontStyle& style) {
    if (!parent)
        return {};
    StrongRef<Text> entity(new Text(parent.get(), text, position, style));
    entity->postCreation(kTransactDo);
    return StrongRefCreator<Text>(entity);
}

Text::Text(Entity* parent, const std::wstring& text, const ZkGePoint3d& position,
           const FontStyle& style)
    : Geometry3D(parent)
    , m_position(position)
    , m_text(text) {
    takeStyle(style);
    initializeMemberSetIfNeeded();
}

Text::Text(Segment* segment, uint64_t id)
    : Geometry3D(segment, id) {
    takeStyle(FontStyle());
    initializeMemberSetIfNeeded();
}

Text::~Text() = default;

void Text::takeStyle(const FontStyle& style) {
    m_face = style.faceName;
    m_color = style.color;
    m_height = style.height;
    m_width = style.width;
    m_angle = style.angle;
    m_charset = style.charset;
    m_styleCode = style.styleCode;
    m_bold = style.bold;
    m_italic = style.italic;
    m_underline = style.underline;
    m_shx = style.shx;
}

void Text::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "position", m_position);
    registerMember(memberSet, "text", m_text);
    registerMember(memberSet, "face", m_face);
    registerMember(memberSet, "color", m_color);
    registerMember(memberSet, "height", m_height);
    registerMember(memberSet, "width", m_width);
    registerMember(memberSet, "angle", m_angle);
    registerMember(memberSet, "charset", m_charset);
    registerMember(memberSet, "bold", m_bold);
    registerMember(memberSet, "italic", m_italic);
    registerMember(memberSet, "underline", m_underline);
    registerMember(memberSet, "shx", m_shx);
    registerMember(memberSet, "rightReading", m_rightReading);
    registerMember(memberSet, "profilelines", m_profileLines);
    registerMember(memberSet, "profilecurves", m_profileCurves);
    registerMember(memberSet, "textBox", m_textBox);
    registerMember(memberSet, "useEnvironmentColors", m_useEnvironmentColors);
}

void Text::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void Text::position(const ZkGePoint3d& position) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_position = position;
}

FontStyle Text::fontStyle() const {
    FontStyle style;
    style.faceName = m_face;
    style.color = m_color;
    style.height = m_height;
    style.width = m_width;
    style.angle = m_angle;
    style.charset = m_charset;
    style.styleCode = m_styleCode;
    style.bold = m_bold;
    style.italic = m_italic;
    style.underline = m_underline;
    style.shx = m_shx;
    return style;
}

void Text::useEnvironmentColors(bool use) {
    if (m_useEnvironmentColors != use)
        m_useEnvironmentColors = use;
}

ZkGePoint3d Text::center() const {
    ZkGePoint3d middle(m_position.x + m_width / 2.0, m_position.y + m_height / 2.0, 0.0);
    middle.transformBy(ZkGeMatrix3d::rotation(m_angle, ZkGeVector3d::kZAxis, m_position));
    return middle;
}

void Text::profile(std::vector<ZkGeLineSeg3d>& lines, std::vector<ZkGeNurbCurve3d>& curves) const {
    lines.insert(lines.end(), m_profileLines.begin(), m_profileLines.end());
    curves.insert(curves.end(), m_profileCurves.begin(), m_profileCurves.end());
}

std::vector<StrongRef<TextBorder>> Text::borderLines() const {
    return m_textBox;
}

void Text::onTranslate(const ZkGeVector3d& offset) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_position += offset;
}

void* Text::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry3D::queryInterface(id);
}

std::wstring Text::onToString() const {
    return (boost::wformat(L"Text (%1%, %2%: %3%) (Base %4%)") % m_position.x % m_position.y %
            m_text % Geometry3D::onToString())
        .str();
}

} // namespace Kv::Geometry
