// Every load-time global of the library is defined in this one file: globals
// of one translation unit are made in the order they are defined and
// destroyed in reverse, which fixes the order across the whole library. Do
// not define load-time globals anywhere else.

#include "Geometry/GeometryRegistration.h"

#include "Geometry/GeometryAddIn.h"
#include "Geometry/GeometryMetaTypes.h"
#include "Geometry/selection/GeometrySelectionGlobals.h"
#include "Geometry/sketch2d/Point2DCallback.h"
#include "Geometry/sketch3d/MigrateSketchesHighWaterMark.h"
#include "Geometry/sketch3d/SketchDataModelCallback.h"

#include "Kv/Base/StringTable.h"
#include "Kv/DataModel/AssetMigrator.h"

namespace Kv::Geometry {
namespace {

// A function-local static, so that it exists before the first global needs
// it and outlives the last one.
std::vector<std::string>& constructionLog() {
    static std::vector<std::string> log;
    return log;
}

// Notes `name` and makes the global in place (the returned object is the
// global itself, never a copy).
template <class T> T constructed(const char* name) {
    constructionLog().emplace_back(name);
    return T();
}

IServerAddIn& constructAddIn() {
    constructionLog().emplace_back("GeometryAddIn");
    return geometryAddIn();
}

// The host keeps the factory for the rest of the process; nothing of it is
// undone at unload.
bool registerSketchesMigrator() {
    constructionLog().emplace_back(MigrateSketchesHighWaterMark::kName);
    AssetMigrator::registerAssetMigrator(
        MigrateSketchesHighWaterMark::kName,
        []() -> AssetMigrator* { return new MigrateSketchesHighWaterMark; });
    return true;
}

// Notes `key` and makes the selection category named by the string table's
// text under `key`.
SelectionCategory category(const char* key, const wchar_t* defaultName) {
    constructionLog().emplace_back(key);
    return SelectionCategory(StringTable::getLocalizedString(L"KvGeometry", key, defaultName));
}

} // namespace

#define KV_GEOMETRY_LOAD_META_TYPE(Class)                                                          \
    Class##MetaType g_##Class##MetaType = constructed<Class##MetaType>(#Class "MetaType")

// 1. The add-in object: made first, so that it is destroyed last.
namespace {
const IServerAddIn& g_geometryAddIn = constructAddIn();
} // namespace

// 2. The 2D drawing model, with the 2D point callback right after the 2D
// point's meta type.
KV_GEOMETRY_LOAD_META_TYPE(Arc2D);
KV_GEOMETRY_LOAD_META_TYPE(EllipticArc2D);
KV_GEOMETRY_LOAD_META_TYPE(Geometry2D);
KV_GEOMETRY_LOAD_META_TYPE(GeometryBase2D);
KV_GEOMETRY_LOAD_META_TYPE(GeometryGroup2D);
KV_GEOMETRY_LOAD_META_TYPE(Line2D);
KV_GEOMETRY_LOAD_META_TYPE(Point2D);
Point2DCallback g_point2DCallback = constructed<Point2DCallback>("Point2DCallback");
KV_GEOMETRY_LOAD_META_TYPE(Sketch2D);
KV_GEOMETRY_LOAD_META_TYPE(Sketch2Ds);
KV_GEOMETRY_LOAD_META_TYPE(Sketch2DsRoot);
KV_GEOMETRY_LOAD_META_TYPE(Spline2D);

// 3. The 3D model up to the sketches collection, with the sketch callback
// right after the sketch's meta type.
KV_GEOMETRY_LOAD_META_TYPE(CircArc3D);
KV_GEOMETRY_LOAD_META_TYPE(CoordinateSystem);
KV_GEOMETRY_LOAD_META_TYPE(CurvatureHandle);
KV_GEOMETRY_LOAD_META_TYPE(Curve3D);
KV_GEOMETRY_LOAD_META_TYPE(EllipticArc3D);
KV_GEOMETRY_LOAD_META_TYPE(Geometry3D);
KV_GEOMETRY_LOAD_META_TYPE(GeometryBase3D);
KV_GEOMETRY_LOAD_META_TYPE(GeometryGroup3D);
KV_GEOMETRY_LOAD_META_TYPE(CurveUses);
KV_GEOMETRY_LOAD_META_TYPE(PointUses);
KV_GEOMETRY_LOAD_META_TYPE(TangentUses);
KV_GEOMETRY_LOAD_META_TYPE(CurvatureUses);
KV_GEOMETRY_LOAD_META_TYPE(Line3D);
KV_GEOMETRY_LOAD_META_TYPE(OriginWorkGeometry);
KV_GEOMETRY_LOAD_META_TYPE(Point3D);
KV_GEOMETRY_LOAD_META_TYPE(Sketch);
SketchDataModelCallback g_sketchDataModelCallback =
    constructed<SketchDataModelCallback>("SketchDataModelCallback");
KV_GEOMETRY_LOAD_META_TYPE(Sketches);

// 4. The migrator that version-0 sketch collections hand their numbering to.
namespace {
const bool g_sketchesMigratorRegistered = registerSketchesMigrator();
} // namespace

// 5. The rest of the 3D model.
KV_GEOMETRY_LOAD_META_TYPE(SketchesRoot);
KV_GEOMETRY_LOAD_META_TYPE(Spline3D);
KV_GEOMETRY_LOAD_META_TYPE(TangentHandle);
KV_GEOMETRY_LOAD_META_TYPE(Text);
KV_GEOMETRY_LOAD_META_TYPE(TextBorder);
KV_GEOMETRY_LOAD_META_TYPE(WorkAxes);
KV_GEOMETRY_LOAD_META_TYPE(WorkAxis);
KV_GEOMETRY_LOAD_META_TYPE(WorkGeometries);
KV_GEOMETRY_LOAD_META_TYPE(WorkGeometry);
KV_GEOMETRY_LOAD_META_TYPE(WorkPlane);
KV_GEOMETRY_LOAD_META_TYPE(WorkPlanes);
KV_GEOMETRY_LOAD_META_TYPE(WorkPoint);
KV_GEOMETRY_LOAD_META_TYPE(WorkPoints);

// 6. Selection support goes here, in this order: the 2D geometry selection
// category, the measure client, the sketch curve category and filter finder,
// the sketch point category and filter finder, the sketch and text
// categories, and the work axis, work plane and work point filter finders.
SelectionCategory g_geometry2DSelectionCategory =
    category("Geometry2DSelectionCategory", L"2D Geometry");
GeoMeasureClient g_geoMeasureClient = constructed<GeoMeasureClient>("GeoMeasureClient");
SelectionCategory g_sketchCurveSelectionCategory =
    category("SketchCurveSelectionCategory", L"Sketch Curves");
SketchCurveFilterFinder g_sketchCurveFilterFinder =
    constructed<SketchCurveFilterFinder>("SketchCurveFilterFinder");
SelectionCategory g_sketchPointSelectionCategory =
    category("SketchPointSelectionCategory", L"Sketch Points");
SketchPointFilterFinder g_sketchPointFilterFinder =
    constructed<SketchPointFilterFinder>("SketchPointFilterFinder");
SelectionCategory g_sketchSelectionCategory = category("SketchSelectionCategory", L"Sketches");
SelectionCategory g_textSelectionCategory = category("TextSelectionCategory", L"Text Selection");
WorkAxisFilterFinder g_workAxisFilterFinder =
    constructed<WorkAxisFilterFinder>("WorkAxisFilterFinder");
WorkPlaneFilterFinder g_workPlaneFilterFinder =
    constructed<WorkPlaneFilterFinder>("WorkPlaneFilterFinder");
WorkPointFilterFinder g_workPointFilterFinder =
    constructed<WorkPointFilterFinder>("WorkPointFilterFinder");

const std::vector<std::string>& registrationOrder() {
    return constructionLog();
}

} // namespace Kv::Geometry
