#include "EveryClassDocument.h"

#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/CurvatureHandle.h"
#include "Geometry/curves3d/EllipticArc3D.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/sketch2d/Arc2D.h"
#include "Geometry/sketch2d/EllipticArc2D.h"
#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Sketch2D.h"
#include "Geometry/sketch2d/Sketch2Ds.h"
#include "Geometry/sketch2d/Spline2D.h"
#include "Geometry/sketch3d/CoordinateSystem.h"
#include "Geometry/sketch3d/GeometryGroup3D.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/sketch3d/Sketches.h"
#include "Geometry/sketch3d/SketchesRoot.h"
#include "Geometry/text/Text.h"
#include "Geometry/workgeometry/OriginWorkGeometry.h"
#include "Geometry/workgeometry/WorkAxes.h"
#include "Geometry/workgeometry/WorkAxis.h"
#include "Geometry/workgeometry/WorkGeometries.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Geometry/workgeometry/WorkPlanes.h"
#include "Geometry/workgeometry/WorkPoint.h"
#include "Geometry/workgeometry/WorkPoints.h"
#include "Kv/CommonData/Component.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MemberSet.h"
#include "Kv/DataModel/Segment.h"

#include <functional>
#include <stdexcept>
#include <typeinfo>

namespace Kv::Geometry::StorageTests {
namespace {

// Writes a persisted member through the field its member set registers, as
// undo and loading write it: for the members of a text that only its scene
// (the outline profiles) and its box drawing write.
template <class T> void writeMember(Entity& entity, const std::string& name, const T& value) {
    const Member* member = entity.metaType()->memberSet().findMember(name);
    if (!member || member->typeName() != typeid(T).name())
        throw std::logic_error(entity.metaType()->className() + " has no member \"" + name +
                               "\" of type " + typeid(T).name());
    EntityChange change(&entity, kTransactDo, kChangeEverything, 3, nullptr, true);
    *static_cast<T*>(member->field(static_cast<void*>(&entity))) = value;
}

void forEachEntity(Entity* entity, const std::function<void(Entity&)>& visit) {
    visit(*entity);
    if (auto* group = queryInterface<Managed::ManagedGroupEntity>(entity))
        for (const StrongRef<Entity>& child : group->children())
            forEachEntity(child.get(), visit);
}

// The members every drawable entity has, all away from their defaults.
void restyle(Entity& entity) {
    if (auto* geometry = queryInterface<GeometryBase3D>(&entity)) {
        geometry->lineThickness(2.5f);
        geometry->lineColor(Color(0.25f, 0.5f, 0.75f, 0.5f));
        geometry->fillColor(Color(0.125f, 0.375f, 0.625f, 0.875f));
        geometry->zOrder(7);
        geometry->isVisible(false);
    }
    if (auto* curve = queryInterface<Curve3D>(&entity)) {
        curve->fixed(true);
        curve->useEnvironmentColors(false);
        curve->showCurvatureComb(true);
        curve->combDensity(33);
        curve->combScale(0.25);
    }
    if (auto* point = queryInterface<Point3D>(&entity))
        point->fixed(true);
    if (auto* geometry = queryInterface<GeometryBase2D>(&entity)) {
        geometry->lineThickness(0.75f);
        geometry->lineColor(Color(1.0f, 0.5f, 0.0f, 0.25f));
        geometry->fillColor(Color(0.0f, 0.5f, 1.0f, 0.75f));
        geometry->zOrder(9);
        geometry->isVisible(false);
    }
}

// A text in its own colours with its four border lines, outline profiles
// and right-reading flag.
void addText(const StrongRef<Entity>& sketch) {
    FontStyle style;
    style.faceName = L"Liberation Serif";
    style.color = Color(0.5f, 0.25f, 0.0f, 0.75f);
    style.height = 2.5;
    style.width = 4.25;
    style.angle = 0.125;
    style.charset = 2;
    style.bold = style.italic = style.underline = style.shx = true;
    StrongRef<Text> text = Text::make(sketch, L"Ab", ZkGePoint3d(1, 8, 0), style);
    text->useEnvironmentColors(false);

    text->drawBox();
    writeMember(*text, "rightReading", true);
    writeMember(
        *text, "profilelines",
        std::vector<ZkGeLineSeg3d>{ZkGeLineSeg3d(ZkGePoint3d(1, 8, 0), ZkGePoint3d(2, 10, 0)),
                                   ZkGeLineSeg3d(ZkGePoint3d(2, 10, 0), ZkGePoint3d(3, 8, 0))});
    ZkArray<ZkGePoint3d> bow;
    for (const ZkGePoint3d& p :
         {ZkGePoint3d(3.5, 8, 0), ZkGePoint3d(4.5, 9, 0), ZkGePoint3d(3.5, 10, 0)})
        bow.append(p);
    writeMember(*text, "profilecurves", std::vector<ZkGeNurbCurve3d>{ZkGeNurbCurve3d(bow)});
}

// A sketch on a placed coordinate system holding one of each sketch entity;
// every point is used by a curve, and the spline has handles at both ends
// and a curvature handle inside.
void addSketch(Component& component) {
    StrongRef<Sketches> sketches = Sketches::make(&component);
    SketchesRoot::make(component.segment());
    StrongRef<Sketch> sketch = Sketch::make(sketches, L"Every \"class\" \\ one");
    StrongRef<CoordinateSystem> ucs = CoordinateSystem::make(StrongRef<Entity>(sketch));
    ucs->setCoordSystem(ZkGePoint3d(10, -2, 0.5), ZkGeVector3d(0, 1, 0), ZkGeVector3d(-1, 0, 0),
                        ZkGeVector3d(0, 0, 1));
    sketch->coordinateSystem(ucs);
    const StrongRef<Entity> parent(sketch);
    auto point = [&parent](double x, double y, double z) {
        return Point3D::findOrMake(parent, ZkGePoint3d(x, y, z));
    };

    Line3D::make(parent, point(0.5, 0, 0), point(4, 0, 0));
    CircArc3D::make(parent, point(2, 2, 0), point(4, 2, 0), point(2, 4, 0), ZkGeVector3d(0, 0, 1));
    EllipticArc3D::make(parent, point(2, 2, 0), point(5, 2, 0), point(2, 3.5, 0),
                        ZkGeVector3d(3, 0, 0), ZkGeVector3d(0, 1.5, 0));

    std::vector<StrongRef<Point3D>> fit = {point(0, 5, 0), point(1, 6, 0), point(3, 5.5, 0),
                                           point(4, 7, 1)};
    ZkArray<ZkGePoint3d> positions;
    for (const StrongRef<Point3D>& p : fit)
        positions.append(p->point());
    const ZkGeNurbCurve3d curve(positions, ZkGeVector3d(1, 0, 0), ZkGeVector3d(0, 1, 0));
    StrongRef<Spline3D> spline = Spline3D::make(parent, &curve, fit);
    spline->setFitPointLimit(9);
    spline->addCurvatureUse(2, CurvatureHandle::make(parent, ZkGePoint3d(3, 4.5, 0),
                                                     ZkGePoint3d(4, 4.5, 0), ZkGePoint3d(3, 5.5, 0),
                                                     ZkGeVector3d(0, 0, 1)));
    spline->handleScale();

    const StrongRef<Entity> group(GeometryGroup3D::make(PassiveRef<Entity>(sketch)));
    Line3D::make(group, Point3D::findOrMake(group, ZkGePoint3d(-1, -1, 0)),
                 Point3D::findOrMake(group, ZkGePoint3d(-3, -2, 0)));
    // Out of creation order: children come back in their order, not by age.
    sketch->moveChild(group.get(), 0);

    addText(parent);
    sketch->visible(false);
    sketches->isVisible(false);
}

// User work geometry, an origin set of its own rather than the standard one
// (whose xy plane and x axis are where new planes and axes start), and the
// older per-kind collections with their counters.
void addWorkGeometry(Component& component) {
    const StrongRef<Entity> work(WorkGeometries::make(&component));
    WorkPlane::make(work, ZkGePoint3d(1, 2, 3), ZkGeVector3d(0, 1, 0), ZkGeVector3d(0, 0, 1))
        ->setExtents(ZkGePoint3d(-1, -2, -3), ZkGePoint3d(4, 5, 6));
    WorkAxis::make(work, ZkGePoint3d(1, 1, 0), ZkGeVector3d(1, 1, 1))->scaleExtents(0.125);
    WorkPoint::make(work, ZkGePoint3d(0.1, -2e-9, 7));
    queryInterface<WorkGeometries>(work.get())->isVisible(false);

    StrongRef<OriginWorkGeometry> origin = OriginWorkGeometry::make(&component);
    const StrongRef<Entity> originParent(origin);
    WorkPlane::make(originParent, ZkGePlane(ZkGePoint3d(0, 0, 1), ZkGeVector3d(1, 1, 1)), true,
                    L"Tilted Plane");
    WorkAxis::make(originParent, ZkGeLine3d(ZkGePoint3d(0, 0, 1), ZkGeVector3d(0, 1, 1)), true,
                   L"Skew Axis");
    WorkPoint::make(originParent, ZkGePoint3d(0, 0, 1), true, L"Raised Point");
    origin->isVisible(true);

    StrongRef<WorkPlanes> planes(new WorkPlanes(&component));
    planes->postCreation(kTransactDo);
    planes->getNextID();
    StrongRef<WorkAxes> axes(new WorkAxes(&component));
    axes->postCreation(kTransactDo);
    axes->getNextID();
    StrongRef<WorkPoints> points(new WorkPoints(&component));
    points->postCreation(kTransactDo);
    points->getNextID();
}

// A placed 2D drawing with a point of its own, one curve of each kind on
// shared points, and a group with a line.
void addDrawing(Component& component) {
    StrongRef<Sketch2Ds> drawings = Sketch2Ds::make(&component);
    const StrongRef<Entity> paper(Sketch2D::make(PassiveRef<Sketch2Ds>(drawings), L"Drawing \"A\"",
                                                 ZkGeMatrix3d::translation(ZkGeVector3d(0, 0, 5))));
    Point2D::make(paper, ZkGePoint2d(9, 9), true);
    Line2D::make(paper, ZkGePoint2d(0.5, 0.25), ZkGePoint2d(3, 1));
    Arc2D::make(paper, ZkGePoint2d(5, 5), ZkGePoint2d(7, 5), ZkGePoint2d(5, 7));
    EllipticArc2D::make(paper, ZkGePoint2d(10, 0), ZkGeVector2d(1, 0), 3, 1, ZkGePoint2d(13, 0),
                        ZkGePoint2d(10, 1));
    ZkArray<ZkGePoint2d> fit;
    for (const ZkGePoint2d& p : {ZkGePoint2d(0, 10), ZkGePoint2d(2, 12), ZkGePoint2d(4, 11)})
        fit.append(p);
    Spline2D::make(paper, fit)->setFitPointLimit(6);
    const StrongRef<Entity> group(GeometryGroup2D::make(paper));
    Line2D::make(group, ZkGePoint2d(20, 20), ZkGePoint2d(21, 22));
}

} // namespace

std::unique_ptr<Asset> makeEveryClassDocument() {
    auto asset = std::make_unique<Asset>();
    StrongRef<Component> component = Component::make(asset->createSegment());
    addSketch(*component);
    addWorkGeometry(*component);
    addDrawing(*component);
    forEachEntity(component.get(), restyle);
    return asset;
}

} // namespace Kv::Geometry::StorageTests
