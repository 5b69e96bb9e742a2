#pragma once

#include "Geometry/GeometryEntity.h"
#include "Geometry/workgeometry/WorkGeometryCollection.h"
#include "Kv/DataModel/IPasteSink.h"

#include <vector>

namespace Kv {
class IComponent;
}

namespace Kv::Geometry {

class WorkGeometry;

// A component's work planes, axes and points, in creation order. It hands out
// their numbers, one never-reused counter per kind, and shows or hides them
// all at once.
class WorkGeometries : public ToggledWorkGeometryCollection<WorkGeometries>,
                       public DataModel::IPasteSink {
    KV_GEOMETRY_ENTITY(WorkGeometries, CommonData::CommonBaseGroupEntity)

public:
    // Scripting name; children are found by user name.
    static constexpr const wchar_t* kScriptingName = L"WorkGeometries";

    static StrongRefCreator<WorkGeometries> make(IComponent* component);

    StrongRef<WorkGeometry> workGeometry(unsigned int index) const;

    // A WorkGeometriesSelection of the collection.
    StrongRef<LogicalSelection> onCreateLogicalSelection(const ObjectPath& path) override;

    // The next number of each kind, recorded as a change of the collection;
    // the first of each is 1.
    int getNextWorkPlaneID() { return nextNumber(m_highWaterMarkPlanes); }
    int getNextWorkAxisID() { return nextNumber(m_highWaterMarkAxes); }
    int getNextWorkPointID() { return nextNumber(m_highWaterMarkPoints); }
    int highWaterMarkPlanes() const { return m_highWaterMarkPlanes; }
    int highWaterMarkAxes() const { return m_highWaterMarkAxes; }
    int highWaterMarkPoints() const { return m_highWaterMarkPoints; }

    // Pasting is the component's business; the collection refuses to paste
    // something into itself or, when cutting (`isCut`), back into itself.
    Request* onProvidePasteRequest(const std::vector<ObjectPath>& pasted, const ObjectPath& target,
                                   bool isCut, bool isClone, bool isReorder) override;
    bool onCanPaste(const std::vector<ObjectPath>& pasted, const ObjectPath& target, bool isCut,
                    bool isReorder) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkGeometries")

protected:
    WorkGeometries(Segment* segment, uint64_t id);

private:
    explicit WorkGeometries(Entity* component);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    int m_highWaterMarkPlanes = 0;
    int m_highWaterMarkAxes = 0;
    int m_highWaterMarkPoints = 0;
};

} // namespace Kv::Geometry
