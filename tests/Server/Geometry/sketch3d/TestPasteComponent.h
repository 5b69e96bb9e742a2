#pragma once

// A component that takes pastes, for the tests of what sketches and their
// collection forward to their component: it remembers the last request it
// was asked for and answers paste checks as told.

#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/CommonData/IComponent.h"
#include "Kv/DataModel/EntityMetaTypeOf.h"
#include "Kv/DataModel/IPasteSink.h"

#include <string>
#include <vector>

namespace Kv::Geometry::SketchTests {

class TestPasteComponent : public CommonData::CommonBaseGroupEntity,
                           public IComponent,
                           public DataModel::IPasteSink {
public:
    static EntityMetaType& s_metaType();
    static StrongRefCreator<TestPasteComponent> make(Segment* segment);

    Entity* componentEntity() override { return this; }
    Request* onProvidePasteRequest(const std::vector<ObjectPath>& pasted, const ObjectPath& target,
                                   bool isCut, bool isClone, bool isReorder) override;
    bool onCanPaste(const std::vector<ObjectPath>& pasted, const ObjectPath& target, bool isCut,
                    bool isReorder) override;
    void refuse() { m_refuse = true; }

    const std::vector<ObjectPath>& lastPasted() const { return m_pasted; }
    const ObjectPath& lastTarget() const { return m_target; }
    // The flags of the last request that were set: "cut", "clone", "reorder".
    const std::string& lastFlags() const { return m_flags; }

    void* queryInterface(const UniqueString& id) override;

protected:
    TestPasteComponent(Segment* segment, uint64_t id);
    EntityMetaType* onMetaType() const override { return &s_metaType(); }

private:
    friend class EntityMetaTypeOf<TestPasteComponent, false>;
    explicit TestPasteComponent(Segment* segment);

    std::vector<ObjectPath> m_pasted;
    ObjectPath m_target;
    std::string m_flags;
    bool m_refuse = false;
};

} // namespace Kv::Geometry::SketchTests
