#include "Geometry/sketch2d/Line2D.h"

#include "Geometry/sketch2d/Point2D.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Line2D)

namespace {

const ZkGePoint2d& positionOf(const StrongRef<Point2D>& point) {
    return point ? point->point() : ZkGePoint2d::kOrigin;
}

} // namespace

StrongRefCreator<Line2D> Line2D::make(const StrongRef<Entity>& parent,
                                      const StrongRef<Point2D>& start,
                                      const StrongRef<Point2D>& end) {
    if (!parent)
        return {};
    StrongRef<Line2D> line(new Line2D(parent.get(), start, end));
    line->postCreation(kTransactDo);
    return StrongRefCreator<Line2D>(line);
}

StrongRefCreator<Line2D> Line2D::make(const StrongRef<Entity>& parent, const ZkGePoint2d& start,
                                      const ZkGePoint2d& end) {
    if (!parent)
        return {};
    StrongRef<Point2D> startPoint = Point2D::findOrMake(parent, start);
    StrongRef<Point2D> endPoint = Point2D::findOrMake(parent, end);
    return make(parent, startPoint, endPoint);
}

Line2D::Line2D(Entity* parent, const StrongRef<Point2D>& start, const StrongRef<Point2D>& end)
    : Geometry2D(parent)
    , m_rStartPoint(start)
    , m_rEndPoint(end) {
    initializeMemberSetIfNeeded();
}

Line2D::Line2D(Segment* segment, uint64_t id)
    : Geometry2D(segment, id) {
    initializeMemberSetIfNeeded();
}

void Line2D::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "rStartPoint", m_rStartPoint);
    registerMember(memberSet, "rEndPoint", m_rEndPoint);
}

void Line2D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

const ZkGePoint2d& Line2D::start() const {
    return positionOf(m_rStartPoint);
}

const ZkGePoint2d& Line2D::end() const {
    return positionOf(m_rEndPoint);
}

void Line2D::start(const ZkGePoint2d& position) {
    rebind(m_rStartPoint, m_rEndPoint, position);
}

void Line2D::end(const ZkGePoint2d& position) {
    rebind(m_rEndPoint, m_rStartPoint, position);
}

void Line2D::rebind(StrongRef<Point2D>& field, const StrongRef<Point2D>& otherEnd,
                    const ZkGePoint2d& position) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    // A point both ends share stays: the line still uses it at the other end.
    if (field && field != otherEnd)
        field->garbageCollectOnChange(StrongRef<Geometry2D>(this));
    field = Point2D::findOrMake(StrongRef<Entity>(parentEntity()), position);
}

void Line2D::onTranslate(const ZkGeVector2d& offset) {
    start(start() + offset);
    end(end() + offset);
}

bool Line2D::onReferences(const StrongRef<Point2D>& point) const {
    return point && (point == m_rStartPoint || point == m_rEndPoint);
}

void Line2D::onPreDeletion(int kind) {
    // Letting go of the points is recorded, so that undoing the deletion
    // gives the line its points back.
    {
        EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
        for (StrongRef<Point2D>* field : {&m_rStartPoint, &m_rEndPoint}) {
            if (*field && !DataChange::test(kind, kTransactReplay))
                (*field)->garbageCollectOnDeletion(StrongRef<Geometry2D>(this));
            field->reset();
        }
    }
    Geometry2D::onPreDeletion(kind);
}

void Line2D::realizeGeometry(Scene::NodeChange& change) {
    drawPolyline(change, {start(), end()});
    modelBox(change, ZkGeBoundBlock2d(start(), end()));
}

void* Line2D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry2D::queryInterface(id);
}

std::wstring Line2D::onToString() const {
    return (boost::wformat(L"Line2D from (%1%, %2%) to (%3%, %4%) (Base %5%)") % start().x %
            start().y % end().x % end().y % Geometry2D::onToString())
        .str();
}

} // namespace Kv::Geometry
