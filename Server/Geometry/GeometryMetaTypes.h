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

class CoordinateSystem;
class CurvatureUses;
class Curve3D;
class CurveUses;
class Geometry3D;
class GeometryBase3D;
class GeometryGroup3D;
class Line3D;
class Point3D;
class PointUses;
class Sketch;
class Sketches;
class SketchesRoot;
class TangentHandle;
class TangentUses;

// 2D drawing model
KV_GEOMETRY_META_TYPE(Arc2D, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(EllipticArc2D, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(Geometry2D, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(GeometryBase2D, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(GeometryGroup2D, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(Line2D, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(Point2D, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(Sketch2D, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(Sketch2Ds, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(Sketch2DsRoot, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(Spline2D, Kv::EntityMetaType);

// 3D model
KV_GEOMETRY_META_TYPE(CircArc3D, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(CoordinateSystem, Kv::EntityMetaTypeOf<CoordinateSystem>);
KV_GEOMETRY_META_TYPE(CurvatureHandle, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(Curve3D, Kv::EntityMetaTypeOf<Curve3D>);
KV_GEOMETRY_META_TYPE(EllipticArc3D, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(Geometry3D, Kv::EntityMetaTypeOf<Geometry3D, false>);
KV_GEOMETRY_META_TYPE(GeometryBase3D, Kv::EntityMetaTypeOf<GeometryBase3D>);
KV_GEOMETRY_META_TYPE(GeometryGroup3D, Kv::EntityMetaTypeOf<GeometryGroup3D, false>);
KV_GEOMETRY_META_TYPE(CurveUses, Kv::EntityMetaTypeOf<CurveUses>);
KV_GEOMETRY_META_TYPE(PointUses, Kv::EntityMetaTypeOf<PointUses>);
KV_GEOMETRY_META_TYPE(TangentUses, Kv::EntityMetaTypeOf<TangentUses>);
KV_GEOMETRY_META_TYPE(CurvatureUses, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(Line3D, Kv::EntityMetaTypeOf<Line3D>);
KV_GEOMETRY_META_TYPE(OriginWorkGeometry, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(Point3D, Kv::EntityMetaTypeOf<Point3D>);
KV_GEOMETRY_META_TYPE(Sketch, Kv::EntityMetaTypeOf<Sketch>);
KV_GEOMETRY_META_TYPE(Sketches, Kv::EntityMetaTypeOf<Sketches>);
KV_GEOMETRY_META_TYPE(SketchesRoot, Kv::EntityMetaTypeOf<SketchesRoot, false>);
KV_GEOMETRY_META_TYPE(Spline3D, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(TangentHandle, Kv::EntityMetaTypeOf<TangentHandle>);
KV_GEOMETRY_META_TYPE(Text, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(TextBorder, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(WorkAxes, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(WorkAxis, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(WorkGeometries, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(WorkGeometry, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(WorkPlane, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(WorkPlanes, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(WorkPoint, Kv::EntityMetaType);
KV_GEOMETRY_META_TYPE(WorkPoints, Kv::EntityMetaType);

} // namespace Kv::Geometry
