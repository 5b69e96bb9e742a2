#include "Geometry/text/Text.h"

#include "Geometry/selection/TextSelection.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/CurvesToUpdate.h"
#include "Geometry/sketch3d/DeleteTextRequest.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/text/TextBorder.h"
#include "Kv/Base/Types.h"
#include "Kv/CommonData/ManagedGroupEntity.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/Scene/Environment.h"
#include "Kv/Scene/EnvironmentEventSource.h"
#include "Kv/Scene/EnvironmentManager.h"
#include "Kv/Scene/NodeChange.h"
#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Graphics/PolyLineNode.h"
#include "Wyn/Graphics/TextNode.h"
#include "Wyn/Objects/LineSegment.h"
#include "Wyn/Objects/QuadraticSegment.h"
#include "Wyn/Objects/TextLayout.h"
#include "ZkGeContext.h"
#include "ZkGeMatrix3d.h"

#include <boost/format.hpp>

#include <algorithm>
#include <cmath>

namespace Kv::Geometry {
namespace {

// Node flags of the text node.
constexpr unsigned kTextNodeFlags[] = {0x100000, 0x10000};
// A placeholder character is half as wide as the text is high, and a fifth
// of that apart from the next.
constexpr double kPlaceholderWidth = 0.5;
constexpr double kPlaceholderGap = 0.2;
// Widths up to this count as not measured yet.
constexpr double kNoWidth = 1e-8;

// The pen advance of one placeholder character of a text `height` high.
double placeholderPitch(double height) {
    const double width = kPlaceholderWidth * height;
    return width + kPlaceholderGap * width;
}

ZkGePoint3d inPlane(const ZkGePoint2d& point) {
    return ZkGePoint3d(point.x, point.y, 0.0);
}

} // namespace

KV_GEOMETRY_ENTITY_IMPL(Text)

StrongRefCreator<Text> Text::make(const StrongRef<Entity>& parent, const std::wstring& text,
                                  const ZkGePoint3d& position, const FontStyle& style) {
    if (!parent)
        return {};
    StrongRef<Text> entity(new Text(parent.get(), text, position, style));
    entity->postCreation(kTransactDo);
    return StrongRefCreator<Text>(entity);
}

double Text::measuredWidth(const std::wstring& text, const FontStyle& style) {
    const Wyn::Objects::TextLayout layout(text, textStyle(style));
    const Wyn::Objects::BBox& box = layout.boundingBox();
    if (box.isEmpty())
        return static_cast<double>(text.size()) * placeholderPitch(style.height);
    return box.maxPoint().x - box.minPoint().x;
}

Text::Text(Entity* parent, const std::wstring& text, const ZkGePoint3d& position,
           const FontStyle& style)
    : Geometry3D(parent)
    , m_position(position)
    , m_text(text) {
    takeStyle(style);
    initializeMemberSetIfNeeded();
    Scene::EnvironmentEventSource::subscribe(this);
}

Text::Text(Segment* segment, uint64_t id)
    : Geometry3D(segment, id) {
    takeStyle(FontStyle());
    initializeMemberSetIfNeeded();
    Scene::EnvironmentEventSource::subscribe(this);
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
    {
        EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
        m_position = position;
    }
    updateBox();
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

void Text::update(const std::wstring& text, const ZkGePoint3d& position, const FontStyle& style) {
    {
        EntityChange change(this, kTransactDo, kChangeEverything, 3, nullptr, true);
        m_text = text;
        m_position = position;
        takeStyle(style);
    }
    // A new scene connection builds the text node afresh, and with it the
    // profiles and the measured width.
    disconnectScene();
    connectScene();
    updateBox();
}

void Text::useEnvironmentColors(bool use) {
    if (m_useEnvironmentColors == use)
        return;
    m_useEnvironmentColors = use;
    revalidate(kChangeAppearance);
}

ZkGePoint3d Text::center() const {
    ZkGePoint3d middle(m_position.x + m_width / 2.0, m_position.y + m_height / 2.0, 0.0);
    middle.transformBy(ZkGeMatrix3d::rotation(m_angle, ZkGeVector3d::kZAxis, m_position));
    return middle;
}

Wyn::Objects::BBox Text::BBox() const {
    const ZkGeMatrix3d turn = ZkGeMatrix3d::rotation(m_angle, ZkGeVector3d::kZAxis, m_position);
    ZkGePoint3d low = m_position;
    ZkGePoint3d high(m_position.x + m_width, m_position.y + m_height, 0.0);
    return Wyn::Objects::BBox(low.transformBy(turn), high.transformBy(turn));
}

void Text::profile(std::vector<ZkGeLineSeg3d>& lines, std::vector<ZkGeNurbCurve3d>& curves) const {
    lines.insert(lines.end(), m_profileLines.begin(), m_profileLines.end());
    curves.insert(curves.end(), m_profileCurves.begin(), m_profileCurves.end());
}

std::vector<StrongRef<TextBorder>> Text::borderLines() const {
    return m_textBox;
}

std::vector<ZkGePoint3d> Text::boxCorners() const {
    const ZkGeMatrix3d place = ZkGeMatrix3d::translation(m_position.asVector()) *
                               ZkGeMatrix3d::rotation(m_angle, ZkGeVector3d::kZAxis);
    const ZkGePoint3d p0(0.0, 0.0, 0.0);
    const ZkGePoint3d p1 = p0 + ZkGeVector3d(m_width, 0.0, 0.0);
    const ZkGePoint3d p2 = p1 + ZkGeVector3d(0.0, m_height, 0.0);
    const ZkGePoint3d p3 = p0 + ZkGeVector3d(0.0, m_height, 0.0);
    std::vector<ZkGePoint3d> corners{p0, p1, p2, p3};
    for (ZkGePoint3d& corner : corners)
        corner.transformBy(place);
    return corners;
}

void Text::drawBox() {
    // A text has one box at most; asking again brings it up to date.
    if (!m_textBox.empty()) {
        updateBox();
        return;
    }
    const StrongRef<Entity> parent(parentEntity());
    if (!parent)
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_updatingBox = false;
    const std::vector<ZkGePoint3d> corners = boxCorners();
    const StrongRef<Text> self(this);
    for (size_t i = 0; i < corners.size(); ++i)
        m_textBox.push_back(
            TextBorder::make(parent, corners[i], corners[(i + 1) % corners.size()], self));
}

void Text::updateBox() {
    if (m_textBox.empty())
        return;
    EntityChange change(this, kTransactDo, kChangeCounters, 3, nullptr, true);
    m_updatingBox = true;
    const std::vector<ZkGePoint3d> corners = boxCorners();
    // Moving points tells no curve: every curve on a moved corner, the
    // border lines and whatever else shares the corner, follows here.
    CurvesToUpdate curves;
    for (size_t i = 0; i < m_textBox.size() && i < corners.size(); ++i) {
        const StrongRef<TextBorder>& border = m_textBox[i];
        if (!border || !border->startPoint())
            continue;
        border->startPoint()->point(corners[i]);
        curves.add(border->startPoint()->curveUses().get());
    }
    curves.updateAll();
    m_updatingBox = false;
}

void Text::detachBorders() {
    if (m_textBox.empty())
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    for (const StrongRef<TextBorder>& border : m_textBox)
        if (border)
            border->text(PassiveRef<Text>());
    m_textBox.clear();
}

void Text::onEntityPostChange(Entity& entity, const EntityChange& change) {
    if (!(change.changeType() & kChangeProperties) || m_textBox.empty() || !m_textBox.front())
        return;
    // Undo and redo restore the text's own recorded state; its border lines
    // may be half restored while they tell it.
    if (asset() && asset()->isReplaying())
        return;
    const auto isBorder = [&](const StrongRef<TextBorder>& border) {
        return border.get() == &entity;
    };
    if (std::none_of(m_textBox.begin(), m_textBox.end(), isBorder))
        return;
    if (m_updatingBox) {
        // The text moved its border lines itself and stands where they say
        // already (its height along the base line's width excepted).
        EntityChange record(this, kTransactDo, kChangeCounters, 3, nullptr, true);
        return;
    }
    const TextBorder& base = *m_textBox.front();
    const ZkGeVector3d along = base.end() - base.start();
    EntityChange record(this, kTransactDo, kChangeEverything, 3, nullptr, true);
    m_position = base.start();
    m_height = along.length();
    m_angle = std::atan2(along.y, along.x);
}

void Text::onTranslate(const ZkGeVector3d& offset) {
    {
        EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
        m_position += offset;
    }
    updateBox();
}

void Text::onPreDeletion(int kind) {
    Entity* parent = parentEntity();
    auto* group = ::Kv::queryInterface<Managed::ManagedGroupEntity>(parent);
    if (!DataChange::test(kind, kTransactReplay) && group && !parent->isDestroying() &&
        !parent->isScheduledForDeletion() && !m_textBox.empty()) {
        EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
        for (StrongRef<TextBorder>& border : m_textBox) {
            if (border)
                group->removeChild(StrongRef<Entity>(border.get()));
            border = nullptr;
        }
    }
    Geometry3D::onPreDeletion(kind);
}

Request* Text::onProvideDeleteRequest(const ObjectPath& path) {
    if (::Kv::queryInterface<Text>(path.leaf()) != this)
        return Geometry3D::onProvideDeleteRequest(path);
    return DeleteTextRequest::make(asset(), PassiveRef<Text>(this));
}

StrongRef<LogicalSelection> Text::onCreateLogicalSelection(const ObjectPath& path) {
    const StrongRef<LogicalSelection> picked = Geometry3D::onCreateLogicalSelection(path);
    if (!picked)
        return picked;
    return TextSelection::make(picked->path(), StrongRef<Text>(this));
}

bool Text::onProvideNominalHitInfo(const LogicalSelection*, const ZkGeMatrix3d& transform,
                                   ZkGePoint3d& point, ZkGeMatrix3d& pointTransform) const {
    point = m_position;
    pointTransform = transform;
    return true;
}

DataModel::IPasteSink* Text::sketchPasteSink() const {
    auto* sketch = ::Kv::queryInterface<Sketch>(parentEntity());
    return sketch ? ::Kv::queryInterface<DataModel::IPasteSink>(sketch) : nullptr;
}

Request* Text::onProvidePasteRequest(const std::vector<ObjectPath>& pasted,
                                     const ObjectPath& target, bool isCut, bool isClone,
                                     bool isReorder) {
    DataModel::IPasteSink* sink = sketchPasteSink();
    return sink ? sink->onProvidePasteRequest(pasted, target, isCut, isClone, isReorder) : nullptr;
}

bool Text::onCanPaste(const std::vector<ObjectPath>& pasted, const ObjectPath& target, bool isCut,
                      bool isReorder) {
    DataModel::IPasteSink* sink = sketchPasteSink();
    return sink && sink->onCanPaste(pasted, target, isCut, isReorder);
}

bool Text::getOnk(Onk& key) {
    std::wstring name;
    if (!getOnkName(name))
        return false;
    key.setName(L"Text(" + m_text + L")" + name);
    key.setRepresentation(Types::Point3dToString(m_position));
    return true;
}

// ---- scene

Wyn::Objects::TextStyle Text::textStyle(const FontStyle& style) {
    // The style code is the weight the font engine picks the face by; bold
    // text without a code of its own asks for the usual bold weight.
    const int weight = style.styleCode > 0 ? style.styleCode : (style.bold ? 700 : 0);
    return Wyn::Objects::TextStyle(style.faceName, style.height, weight, style.italic,
                                   style.underline, 0.0, 1);
}

Color Text::environmentTextColor() {
    return Scene::EnvironmentManager::getEnvManager()
        .activeEnvironment()
        ->sketchtextColor()
        .toColor();
}

Color Text::drawColor() const {
    return m_useEnvironmentColors ? environmentTextColor() : m_color;
}

void Text::onCreateGeometryNode(Scene::NodeChange& change) {
    sceneNode(change.createGroupNode(this, 1, false, true));
}

void Text::onCreateScene(Scene::NodeChange& change) {
    // The group node comes first, so that it is the node of the change.
    Geometry3D::onCreateScene(change);
    m_textNode = change.createTextNode(this);
    Scene::NodeChange text(m_textNode);
    text.occludedEffect("", drawColor(), 1.0, 0.6, false, 0);
    refreshTextNode();
    text.depthPriority(1, false, 0);
    for (unsigned flag : kTextNodeFlags)
        text.nodeFlags(flag, true);
    change.depthPriority(2, false, 0);
    change.addChild(m_textNode);
}

void Text::refreshTextNode() {
    Scene::NodeChange text(m_textNode);
    text.textStyle(textStyle(fontStyle()));
    text.anchor(ZkGePoint2d(0.0, 0.0));
    text.text(m_text);
    // Laid out from the baseline, the glyphs start at their side bearing and
    // reach below it, while the profiles and the box start at the position:
    // moving the anchor by the outline's lower-left corner draws the glyphs
    // where the profiles lie.
    const Wyn::Objects::BBox& box = m_textNode->boundingBox();
    if (!box.isEmpty())
        text.anchor(ZkGePoint2d(-box.minPoint().x, -box.minPoint().y));
}

void Text::realizeTransform(Scene::NodeChange& change) {
    change.transform(ZkGeMatrix3d::translation(m_position.asVector()) *
                     ZkGeMatrix3d::rotation(m_angle, ZkGeVector3d::kZAxis));
}

void Text::realizeGeometry(Scene::NodeChange&) {
    if (!m_textNode)
        return;
    refreshTextNode();
    Scene::NodeChange(m_textNode).removeAllChildren(); // the placeholders of before
    const Wyn::Objects::BBox& box = m_textNode->boundingBox();
    createProfiles(*m_textNode, ZkGePoint3d(m_position.x, m_position.y, 0.0), m_angle);
    if (!box.isEmpty()) {
        EntityChange change(this, kTransactDo, kChangeCounters, 3, nullptr, true);
        m_width = box.maxPoint().x - box.minPoint().x;
        return;
    }
    drawPlaceholders();
    // A width measured before (or given) stays.
    if (m_width <= kNoWidth) {
        EntityChange change(this, kTransactDo, kChangeCounters, 3, nullptr, true);
        m_width = static_cast<double>(m_text.size()) * placeholderPitch(m_height);
    }
}

void Text::createProfiles(const Wyn::Graphics::TextNode& node, const ZkGePoint3d& offset,
                          double angle) {
    EntityChange change(this, kTransactDo, kChangeCounters, 3, nullptr, true);
    m_profileLines.clear();
    m_profileCurves.clear();
    const Wyn::Objects::BBox& box = node.boundingBox();
    const ZkGeVector3d lowerLeft =
        box.isEmpty() ? ZkGeVector3d() : ZkGeVector3d(box.minPoint().x, box.minPoint().y, 0.0);
    const ZkGeMatrix3d place = ZkGeMatrix3d::translation(offset.asVector()) *
                               ZkGeMatrix3d::rotation(angle, ZkGeVector3d::kZAxis) *
                               ZkGeMatrix3d::translation(-lowerLeft);
    for (const Wyn::Objects::CurveList& contour : node.outline()) {
        for (const auto& piece : contour) {
            if (piece->kind() == Wyn::Objects::Curve2d::Kind::LineSegment) {
                const ZkGePoint3d a = inPlane(piece->startPoint());
                const ZkGePoint3d b = inPlane(piece->endPoint());
                if (a == b)
                    continue;
                m_profileLines.push_back(ZkGeLineSeg3d(a, b).transformBy(place));
                continue;
            }
            const auto& quadratic = static_cast<const Wyn::Objects::QuadraticSegment&>(*piece);
            const ZkGePoint3d p0 = inPlane(quadratic.controlPoint(0));
            const ZkGePoint3d p1 = inPlane(quadratic.controlPoint(1));
            const ZkGePoint3d p2 = inPlane(quadratic.controlPoint(2));
            const ZkGePoint3d middle((p0.x + 2.0 * p1.x + p2.x) * 0.25,
                                     (p0.y + 2.0 * p1.y + p2.y) * 0.25, 0.0);
            ZkGeNurbCurve3d curve(ZkArray<ZkGePoint3d>{p0, middle, p2}, ZkGeContext::gTol);
            m_profileCurves.push_back(curve.transformBy(place));
        }
    }
}

void Text::drawPlaceholders() {
    const double height = m_height;
    const double width = kPlaceholderWidth * height;
    const double pitch = placeholderPitch(height);
    const Color color = environmentTextColor();
    Scene::NodeChange text(m_textNode);
    for (size_t i = 0; i < m_text.size(); ++i) {
        const double x = static_cast<double>(i) * pitch;
        const std::vector<ZkGePoint3d> outline{
            ZkGePoint3d(x, 0.0, 0.0), ZkGePoint3d(x + width, 0.0, 0.0),
            ZkGePoint3d(x + width, height, 0.0), ZkGePoint3d(x, height, 0.0),
            ZkGePoint3d(x, 0.0, 0.0)};
        Wyn::Graphics::PolyLineNode* rectangle = text.createPolyLineNode(this, outline);
        Scene::NodeChange(rectangle).occludedEffect("", color, 1.0, 0.6, false, 0);
        text.addChild(rectangle);
    }
}

void Text::realizeAppearance(Scene::NodeChange&) {
    if (m_textNode)
        Scene::NodeChange(m_textNode).occludedEffect("", drawColor(), 1.0, 0.6, false, 0);
}

void Text::releaseScene() {
    if (m_textNode)
        Scene::NodeChange(m_textNode).clearSource();
    m_textNode = nullptr;
    if (Wyn::Graphics::ARenderNode* group = sceneNode()) {
        Scene::NodeChange change(group);
        change.removeAllChildren();
    }
    Geometry3D::releaseScene();
}

void Text::activeEnvironmentChanged(Event*) {
    if (m_useEnvironmentColors)
        revalidate(kChangeAppearance);
}

void* Text::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = Geometry3D::queryInterface(id))
        return base;
    if (id == DataModel::IPasteSource::interfaceId())
        return static_cast<DataModel::IPasteSource*>(this);
    if (id == DataModel::IPasteSink::interfaceId())
        return static_cast<DataModel::IPasteSink*>(this);
    return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this) : nullptr;
}

std::wstring Text::onToString() const {
    return (boost::wformat(L"Text (%1%, %2%: %3%) (Base %4%)") % m_position.x % m_position.y %
            m_text % Geometry3D::onToString())
        .str();
}

} // namespace Kv::Geometry
