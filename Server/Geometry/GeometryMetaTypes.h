#pragma once

#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/EntityMetaTypeOf.h"

// The meta types of the library's 41 persistent classes: the identity each
// class is registered with in the host's meta-type registry. They differ only
// in that identity, so rather than 41 header and source pairs they are
// declared here as one table, and their identities are listed together in
// GeometryMetaTypes.cpp. The global instances are defined, in registration
// order, in GeometryRegistration.cpp.
//
// KV_GEOMETRY_META_TYPE(Class, Base) declares Kv::Geometry::<Class>MetaType,
// derived from Base, and its global g_<Class>MetaType. Until a class exists
// its meta type derives from Kv::EntityMetaType; once it does, the base
// becomes Kv::EntityMetaTypeOf<Class> (or Kv::EntityMetaTypeOf<Class, false>
// for a class without persisted members of its own; the base may contain
// commas). Forward-declare the class here and include its header in
// GeometryMetaTypes.cpp, the one place that needs it complete.
#define KV_GEOMETRY_META_TYPE(Class, ...)                                                          \
    class Class##MetaType final : public __VA_ARGS__ {                                             \
    public:                                                                                        \
        Class##MetaType();                                                                         \
        /* out of line, so that only GeometryMetaTypes.cpp needs the class complete */             \
        ~Class##MetaType() override;                                                               \
                                                                                                   \
    private:                                                                                       \
        using MetaTypeBase = __VA_ARGS__;                                                          \
    };                                                                                             \
    extern Class##MetaType g_##Class##MetaType

namespace Kv::Geometry {

class CircArc3D;
class CoordinateSystem;
class CurvatureHandle;
class CurvatureUses;
class Curve3D;
class CurveUses;
class EllipticArc3D;
class Geometry3D;
class GeometryBase3D;
class GeometryGroup3D;
class Line3D;
class OriginWorkGeometry;
class Point3D;
class PointUses;
class Sketch;
class Sketches;
class SketchesRoot;
class Spline3D;
class TangentHandle;
class TangentUses;
class Text;
class TextBorder;
class WorkAxes;
class WorkAxis;
class WorkGeometries;
class WorkGeometry;
class WorkPlane;
class WorkPlanes;
class WorkPoint;
class WorkPoints;

// 2D drawing model
class Arc2D;
class EllipticArc2D;
class Geometry2D;
class GeometryBase2D;
class GeometryGroup2D;
class Line2D;
class Point2D;
class Sketch2D;
class Sketch2Ds;
class Sketch2DsRoot;
class Spline2D;

KV_GEOMETRY_META_TYPE(Arc2D, Kv::EntityMetaTypeOf<Arc2D>);
KV_GEOMETRY_META_TYPE(EllipticArc2D, Kv::EntityMetaTypeOf<EllipticArc2D>);
KV_GEOMETRY_META_TYPE(Geometry2D, Kv::EntityMetaTypeOf<Geometry2D, false>);
KV_GEOMETRY_META_TYPE(GeometryBase2D, Kv::EntityMetaTypeOf<GeometryBase2D>);
KV_GEOMETRY_META_TYPE(GeometryGroup2D, Kv::EntityMetaTypeOf<GeometryGroup2D, false>);
KV_GEOMETRY_META_TYPE(Line2D, Kv::EntityMetaTypeOf<Line2D>);
KV_GEOMETRY_META_TYPE(Point2D, Kv::EntityMetaTypeOf<Point2D>);
KV_GEOMETRY_META_TYPE(Sketch2D, Kv::EntityMetaTypeOf<Sketch2D>);
KV_GEOMETRY_META_TYPE(Sketch2Ds, Kv::EntityMetaTypeOf<Sketch2Ds, false>);
KV_GEOMETRY_META_TYPE(Sketch2DsRoot, Kv::EntityMetaTypeOf<Sketch2DsRoot, false>);
KV_GEOMETRY_META_TYPE(Spline2D, Kv::EntityMetaTypeOf<Spline2D>);

// 3D model
KV_GEOMETRY_META_TYPE(CircArc3D, Kv::EntityMetaTypeOf<CircArc3D>);
KV_GEOMETRY_META_TYPE(CoordinateSystem, Kv::EntityMetaTypeOf<CoordinateSystem>);
KV_GEOMETRY_META_TYPE(CurvatureHandle, Kv::EntityMetaTypeOf<CurvatureHandle>);
KV_GEOMETRY_META_TYPE(Curve3D, Kv::EntityMetaTypeOf<Curve3D>);
KV_GEOMETRY_META_TYPE(EllipticArc3D, Kv::EntityMetaTypeOf<EllipticArc3D>);
KV_GEOMETRY_META_TYPE(Geometry3D, Kv::EntityMetaTypeOf<Geometry3D, false>);
KV_GEOMETRY_META_TYPE(GeometryBase3D, Kv::EntityMetaTypeOf<GeometryBase3D>);
KV_GEOMETRY_META_TYPE(GeometryGroup3D, Kv::EntityMetaTypeOf<GeometryGroup3D, false>);
KV_GEOMETRY_META_TYPE(CurveUses, Kv::EntityMetaTypeOf<CurveUses>);
KV_GEOMETRY_META_TYPE(PointUses, Kv::EntityMetaTypeOf<PointUses>);
KV_GEOMETRY_META_TYPE(TangentUses, Kv::EntityMetaTypeOf<TangentUses>);
KV_GEOMETRY_META_TYPE(CurvatureUses, Kv::EntityMetaTypeOf<CurvatureUses>);
KV_GEOMETRY_META_TYPE(Line3D, Kv::EntityMetaTypeOf<Line3D>);
KV_GEOMETRY_META_TYPE(OriginWorkGeometry, Kv::EntityMetaTypeOf<OriginWorkGeometry>);
KV_GEOMETRY_META_TYPE(Point3D, Kv::EntityMetaTypeOf<Point3D>);
KV_GEOMETRY_META_TYPE(Sketch, Kv::EntityMetaTypeOf<Sketch>);
KV_GEOMETRY_META_TYPE(Sketches, Kv::EntityMetaTypeOf<Sketches>);
KV_GEOMETRY_META_TYPE(SketchesRoot, Kv::EntityMetaTypeOf<SketchesRoot, false>);
KV_GEOMETRY_META_TYPE(Spline3D, Kv::EntityMetaTypeOf<Spline3D>);
KV_GEOMETRY_META_TYPE(TangentHandle, Kv::EntityMetaTypeOf<TangentHandle>);
KV_GEOMETRY_META_TYPE(Text, Kv::EntityMetaTypeOf<Text>);
KV_GEOMETRY_META_TYPE(TextBorder, Kv::EntityMetaTypeOf<TextBorder>);
KV_GEOMETRY_META_TYPE(WorkAxes, Kv::EntityMetaTypeOf<WorkAxes>);
KV_GEOMETRY_META_TYPE(WorkAxis, Kv::EntityMetaTypeOf<WorkAxis>);
KV_GEOMETRY_META_TYPE(WorkGeometries, Kv::EntityMetaTypeOf<WorkGeometries>);
KV_GEOMETRY_META_TYPE(WorkGeometry, Kv::EntityMetaTypeOf<WorkGeometry>);
KV_GEOMETRY_META_TYPE(WorkPlane, Kv::EntityMetaTypeOf<WorkPlane>);
KV_GEOMETRY_META_TYPE(WorkPlanes, Kv::EntityMetaTypeOf<WorkPlanes>);
KV_GEOMETRY_META_TYPE(WorkPoint, Kv::EntityMetaTypeOf<WorkPoint>);
KV_GEOMETRY_META_TYPE(WorkPoints, Kv::EntityMetaTypeOf<WorkPoints>);

} // namespace Kv::Geometry
