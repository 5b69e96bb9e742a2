#include "TestPasteComponent.h"

#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/Request.h"

namespace Kv::Geometry::SketchTests {
namespace {

EntityMetaTypeOf<TestPasteComponent, false> g_testPasteComponentMetaType(
    "KvSketchTests", "KvSketchTests::TestPasteComponent", "TestPasteComponentMetaType", 1,
    "Kv::CommonData::CommonBaseGroupEntity", EntityMetaType::kConcrete);

// Does nothing: the tests only look at who made it and with what.
class PasteRequest : public Request {
public:
    using Request::Request;

protected:
    void onExecute(Status&) override {}
};

} // namespace

EntityMetaType& TestPasteComponent::s_metaType() {
    return g_testPasteComponentMetaType;
}

StrongRefCreator<TestPasteComponent> TestPasteComponent::make(Segment* segment) {
    StrongRef<TestPasteComponent> component(new TestPasteComponent(segment));
    component->postCreation(kTransactDo);
    return StrongRefCreator<TestPasteComponent>(component);
}

TestPasteComponent::TestPasteComponent(Segment* segment)
    : CommonBaseGroupEntity(segment) {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
}

TestPasteComponent::TestPasteComponent(Segment* segment, uint64_t id)
    : CommonBaseGroupEntity(segment, id) {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
}

Request* TestPasteComponent::onProvidePasteRequest(const std::vector<ObjectPath>& pasted,
                                                   const ObjectPath& target, bool isCut,
                                                   bool isClone, bool isReorder) {
    m_pasted = pasted;
    m_target = target;
    m_flags.clear();
    for (const auto& [set, name] :
         {std::pair{isCut, "cut"}, std::pair{isClone, "clone"}, std::pair{isReorder, "reorder"}})
        if (set)
            m_flags += (m_flags.empty() ? "" : " ") + std::string(name);
    return new PasteRequest(asset());
}

bool TestPasteComponent::onCanPaste(const std::vector<ObjectPath>&, const ObjectPath&, bool, bool) {
    return !m_refuse;
}

void* TestPasteComponent::queryInterface(const UniqueString& id) {
    if (id == IComponent::interfaceId())
        return static_cast<IComponent*>(this);
    if (id == IPasteSink::interfaceId())
        return static_cast<IPasteSink*>(this);
    return CommonBaseGroupEntity::queryInterface(id);
}

} // namespace Kv::Geometry::SketchTests
