#include "Geometry/GeometryMetaTypes.h"

#include "Geometry/GeometryAddIn.h"
#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/CurvatureHandle.h"
#include "Geometry/curves3d/Curve3D.h"
#include "Geometry/curves3d/EllipticArc3D.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/curves3d/TangentHandle.h"
#include "Geometry/sketch2d/Arc2D.h"
#include "Geometry/sketch2d/EllipticArc2D.h"
#include "Geometry/sketch2d/Geometry2D.h"
#include "Geometry/sketch2d/GeometryBase2D.h"
#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Sketch2D.h"
#include "Geometry/sketch2d/Sketch2Ds.h"
#include "Geometry/sketch2d/Sketch2DsRoot.h"
#include "Geometry/sketch2d/Spline2D.h"
#include "Geometry/sketch3d/CoordinateSystem.h"
#include "Geometry/sketch3d/CurvatureUses.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/Geometry3D.h"
#include "Geometry/sketch3d/GeometryBase3D.h"
#include "Geometry/sketch3d/GeometryGroup3D.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/PointUses.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/sketch3d/Sketches.h"
#include "Geometry/sketch3d/SketchesRoot.h"
#include "Geometry/sketch3d/TangentUses.h"
#include "Geometry/text/Text.h"
#include "Geometry/text/TextBorder.h"
#include "Geometry/workgeometry/OriginWorkGeometry.h"
#include "Geometry/workgeometry/WorkAxes.h"
#include "Geometry/workgeometry/WorkAxis.h"
#include "Geometry/workgeometry/WorkGeometries.h"
#include "Geometry/workgeometry/WorkGeometry.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Geometry/workgeometry/WorkPlanes.h"
#include "Geometry/workgeometry/WorkPoint.h"
#include "Geometry/workgeometry/WorkPoints.h"

namespace Kv::Geometry {
namespace {

// The class identifiers are the persisted names of the classes: documents
// store them, so they never change, case included.
namespace Id {
constexpr const char* Arc2D = "2D386D62-DCF0-4965-980E-B9C02A193B20";
constexpr const char* EllipticArc2D = "27E9A674-4551-4348-856F-3F17035A9AA2";
constexpr const char* Geometry2D = "32C6C213-1335-444C-9EC1-D1244B692977";
constexpr const char* GeometryBase2D = "186BF8F2-5FE5-45A4-A7DB-B4B85F3C5F2B";
constexpr const char* GeometryGroup2D = "0C4FFA75-E787-4030-A364-F98AC61E530F";
constexpr const char* Line2D = "63CB3638-CD53-4770-8224-FC12792FBE0E";
constexpr const char* Point2D = "9B3B97D8-0E0A-43E8-BAFA-34F3326F0B53";
constexpr const char* Sketch2D = "8159DF24-9D05-40BD-8CB3-30D5EE58A5D0";
constexpr const char* Sketch2Ds = "4D987C55-8D00-416F-8229-445355F9A785";
constexpr const char* Sketch2DsRoot = "D42A259D-1C4F-4838-953A-6035498FFB68";
constexpr const char* Spline2D = "56E84688-7486-41FE-BE9B-EB5A73DDDAE2";
constexpr const char* CircArc3D = "F0130424-8B7E-4092-93C9-1CA807482534";
constexpr const char* CoordinateSystem = "F47A46FB-DA27-4AFA-8A72-1B38FA596E23";
constexpr const char* CurvatureHandle = "12B81E30-2A79-4EDF-B948-7F77A1B40F5B";
constexpr const char* Curve3D = "9FF71F46-205F-484B-A2B5-A245D0D8FE33";
constexpr const char* EllipticArc3D = "FF23079A-D99C-47AB-940E-2F4E18F022AB";
constexpr const char* Geometry3D = "8E9D588C-28EF-43C4-B9A6-AA5430A68D4B";
constexpr const char* GeometryBase3D = "F405DA34-6952-47F3-9C43-ABE392459FFF";
constexpr const char* GeometryGroup3D = "0F551F3B-B195-4486-93D0-711CB83482CE";
constexpr const char* CurveUses = "362B7EC3-0F09-47C8-A3BE-DC066715CDAE";
constexpr const char* PointUses = "F81C561A-B091-40F8-A875-BA72FD2FBFE8";
constexpr const char* TangentUses = "4224E565-F64F-4532-93F4-ABE3AB9CA574";
constexpr const char* CurvatureUses = "2243F105-E1CA-40F2-A3D7-24507E61AC5E";
constexpr const char* Line3D = "DCA267ED-D615-4934-B64F-AD805E8003E2";
constexpr const char* OriginWorkGeometry = "2972A3B8-3627-49BC-8C3D-18707605EC44";
constexpr const char* Point3D = "C2CEDAE7-1716-47C1-B7B1-07B70081D0FB";
constexpr const char* Sketch = "37AD519C-AFB3-4CE2-9E6D-E3269FC6CDB9";
constexpr const char* Sketches = "5275CBA4-3D7D-40DC-A651-1DFF3FC8AFBF";
constexpr const char* SketchesRoot = "3A7E4411-2E8A-4FA8-96A3-9902E1ACAF2F";
constexpr const char* Spline3D = "EE518F9E-9CC3-4424-9CAB-2B92426E5312";
constexpr const char* TangentHandle = "AE42BAB6-643F-4169-A33C-529C8E0A4D84";
constexpr const char* Text = "f0b1afa3-3baf-42d0-b2f3-94b95662f2a9";
constexpr const char* TextBorder = "ea3b930a-3383-4ad3-be25-4b2814ea3985";
constexpr const char* WorkAxes = "254A3765-2980-43A9-8084-787859C629CC";
constexpr const char* WorkAxis = "19031004-3AB6-4D13-ABBF-C51EE214688D";
constexpr const char* WorkGeometries = "A8635B5F-1E2C-45FD-8BA9-0173B0FEB75E";
constexpr const char* WorkGeometry = "1E5F6CE7-7544-4DE1-8C7B-6BACF6DC8E40";
constexpr const char* WorkPlane = "8D424E29-DE23-4B1F-A3AD-84C52A497D1A";
constexpr const char* WorkPlanes = "8E0DBB0E-AEDE-4EA0-842A-3394DC22F939";
constexpr const char* WorkPoint = "0E18EEF2-0D6F-480C-997E-5EBC7369AE5F";
constexpr const char* WorkPoints = "9C28003A-D2EE-419F-89A0-D408F477C278";
} // namespace Id

// The host's own base classes, registered by the host library before any
// add-in loads.
namespace HostId {
constexpr const char* CommonBaseEntity = "Kv::CommonData::CommonBaseEntity";
constexpr const char* CommonBaseGroupEntity = "Kv::CommonData::CommonBaseGroupEntity";
constexpr const char* CommonBaseRootCollection = "Kv::CommonData::CommonBaseRootCollection";
} // namespace HostId

constexpr int kAbstract = EntityMetaType::kAbstract;
constexpr int kConcrete = EntityMetaType::kConcrete;

} // namespace

// Class, base class identifier, kind, current schema version.
#define KV_GEOMETRY_META_TYPE_IDENTITY(Class, baseIdentifier, kind, version)                       \
    Class##MetaType::Class##MetaType()                                                             \
        : MetaTypeBase(GeometryAddInIdentifier(), Id::Class, #Class "MetaType", version,           \
                       baseIdentifier, kind) {}                                                    \
    Class##MetaType::~Class##MetaType() = default

KV_GEOMETRY_META_TYPE_IDENTITY(Arc2D, Id::Geometry2D, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(EllipticArc2D, Id::Geometry2D, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(Geometry2D, Id::GeometryBase2D, kAbstract, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(GeometryBase2D, HostId::CommonBaseGroupEntity, kAbstract, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(GeometryGroup2D, Id::GeometryBase2D, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(Line2D, Id::Geometry2D, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(Point2D, Id::Geometry2D, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(Sketch2D, HostId::CommonBaseGroupEntity, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(Sketch2Ds, HostId::CommonBaseGroupEntity, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(Sketch2DsRoot, HostId::CommonBaseRootCollection, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(Spline2D, Id::Geometry2D, kConcrete, 0);

KV_GEOMETRY_META_TYPE_IDENTITY(CircArc3D, Id::Curve3D, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(CoordinateSystem, HostId::CommonBaseEntity, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(CurvatureHandle, Id::CircArc3D, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(Curve3D, Id::Geometry3D, kAbstract, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(EllipticArc3D, Id::Curve3D, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(Geometry3D, Id::GeometryBase3D, kAbstract, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(GeometryBase3D, HostId::CommonBaseGroupEntity, kAbstract, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(GeometryGroup3D, Id::GeometryBase3D, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(CurveUses, HostId::CommonBaseEntity, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(PointUses, HostId::CommonBaseEntity, kConcrete, 1);
KV_GEOMETRY_META_TYPE_IDENTITY(TangentUses, HostId::CommonBaseEntity, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(CurvatureUses, HostId::CommonBaseEntity, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(Line3D, Id::Curve3D, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(OriginWorkGeometry, HostId::CommonBaseGroupEntity, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(Point3D, Id::Geometry3D, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(Sketch, HostId::CommonBaseGroupEntity, kConcrete, 1);
KV_GEOMETRY_META_TYPE_IDENTITY(Sketches, HostId::CommonBaseGroupEntity, kConcrete, 2);
KV_GEOMETRY_META_TYPE_IDENTITY(SketchesRoot, HostId::CommonBaseRootCollection, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(Spline3D, Id::Curve3D, kConcrete, 2);
KV_GEOMETRY_META_TYPE_IDENTITY(TangentHandle, Id::Line3D, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(Text, Id::Geometry3D, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(TextBorder, Id::Line3D, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(WorkAxes, HostId::CommonBaseGroupEntity, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(WorkAxis, Id::WorkGeometry, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(WorkGeometries, HostId::CommonBaseGroupEntity, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(WorkGeometry, Id::Geometry3D, kAbstract, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(WorkPlane, Id::WorkGeometry, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(WorkPlanes, HostId::CommonBaseGroupEntity, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(WorkPoint, Id::WorkGeometry, kConcrete, 0);
KV_GEOMETRY_META_TYPE_IDENTITY(WorkPoints, HostId::CommonBaseGroupEntity, kConcrete, 0);

} // namespace Kv::Geometry
