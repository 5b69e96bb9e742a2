#include "Geometry/sketch2d/Geometry2D.h"

#include "Kv/Base/Point3f.h"
#include "Kv/Scene/BuildSimpleMesh.h"
#include "Kv/Scene/FatLine.h"
#include "Kv/Scene/NodeChange.h"
#include "Kv/Scene/TexCoord.h"
#include "Wyn/Graphics/LodGeometryNode.h"
#include "ZkGeCurve2d.h"
#include "ZkGeCurveSampling.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Geometry2D)

namespace {

// Every mesh part: positions, normals, texture coordinates and indices.
constexpr unsigned kAllMeshParts = 15;
// Mesh primitive types of the graphics system.
constexpr int kLineStrip = 3;
constexpr int kTriangles = 4;
// The graphics system's attribute type of visibility.
constexpr int kVisibilityAttribute = 0;
// How far the chords of a sampled curve may stray from it, in sketch units.
constexpr float kCurveApproximation = 0.05f;

} // namespace

Geometry2D::Geometry2D(Entity* parent)
    : GeometryBase2D(parent) {
    initializeMemberSetIfNeeded();
}

Geometry2D::Geometry2D(Segment* segment, uint64_t id)
    : GeometryBase2D(segment, id) {
    initializeMemberSetIfNeeded();
}

void Geometry2D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void Geometry2D::onCreateScene(Scene::NodeChange& change) {
    onCreateGeometryNode(change);
    INodeSource::onCreateScene(change);
}

void Geometry2D::onCreateGeometryNode(Scene::NodeChange& change) {
    if (sampledCurve())
        sceneNode(change.createLodGeometryNode(this, true));
    else
        sceneNode(change.createGeometryNode(this, true));
}

void Geometry2D::realizeGeometry(Scene::NodeChange& change, int level) {
    const ZkGeCurve2d* curve = sampledCurve();
    Wyn::Graphics::LodGeometryNode* node = change.lodGeometryNode();
    if (!curve || !node || !node->needsMesh(kAllMeshParts, level))
        return;
    std::vector<ZkGePoint2d> points = ZkGeCurveSampling::chordPoints(
        *curve, [](const auto&) { return static_cast<double>(kCurveApproximation); });
    // A closed curve runs on over its first span, so that the band is joined
    // at the seam instead of ending there in two cut ends.
    if (points.size() > 2 && curve->isClosed())
        points.push_back(points[1]);
    drawPolyline(change, points);
    modelBox(change, curve->boundBlock());
}

void Geometry2D::modelBox(Scene::NodeChange& change, const ZkGeBoundBlock2d& box) {
    const ZkGePoint2d low = box.minPoint(), high = box.maxPoint();
    change.modelBox(ZkGePoint3d(low.x, low.y, 0.0), ZkGePoint3d(high.x, high.y, 0.0));
}

// A hidden item keeps its node, so that showing it again costs nothing.
void Geometry2D::realizeAppearance(Scene::NodeChange& change) {
    change.colorEffect(lineColor(), false, 0);
    if (isVisible())
        change.removeAttribute(kVisibilityAttribute);
    else
        change.visibility(false);
}

void Geometry2D::releaseScene() {
    INodeSource::releaseScene();
    m_sceneNode = nullptr;
}

void Geometry2D::drawPolyline(Scene::NodeChange& change,
                              const std::vector<ZkGePoint2d>& points) const {
    std::vector<Point3f> polyline;
    polyline.reserve(points.size());
    for (const ZkGePoint2d& p : points)
        polyline.emplace_back(static_cast<float>(p.x), static_cast<float>(p.y), 0.0f);
    if (drawForPreview()) {
        change.geometry(Scene::BuildSimpleMesh(kLineStrip, polyline, {}, {}, {}, true, true),
                        kAllMeshParts);
        return;
    }
    // The band's texture runs along the line from 0 at its start to 1 at its end.
    std::vector<Scene::TexCoord> along;
    along.reserve(polyline.size());
    const double last = polyline.size() > 1 ? static_cast<double>(polyline.size() - 1) : 1.0;
    for (size_t i = 0; i < polyline.size(); ++i)
        along.push_back(Scene::TexCoord{static_cast<float>(i / last), 0.0f});
    const Scene::FatLine band(static_cast<double>(lineThickness()), ZkGeVector3d::kZAxis,
                              Scene::FatLine::kMiterJoin, Scene::FatLine::kButtCap, 2.0);
    std::vector<Point3f> vertices;
    std::vector<Scene::TexCoord> texCoords;
    band.generate(polyline, along, vertices, texCoords);
    change.geometry(Scene::BuildSimpleMesh(kTriangles, vertices, {}, texCoords, {}, true, true),
                    kAllMeshParts);
}

void* Geometry2D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : GeometryBase2D::queryInterface(id);
}

std::wstring Geometry2D::onToString() const {
    return (boost::wformat(L"%1%)") % GeometryBase2D::onToString()).str();
}

} // namespace Kv::Geometry
