#include "Geometry/GeometryAddIn.h"

#include "Geometry/GeometryComponentContributor.h"
#include "Geometry/commands/GeometryCommandProvider.h"

namespace {

// Contributes nothing through the hooks: everything the library offers is
// registered by its load-time globals before the host first asks for this.
class GeometryAddIn final : public Kv::IServerAddIn {
public:
    std::wstring toString() const override { return L"KvGeometry10 geometry add-in"; }
    void onLoaded() override {}
    void onUnloading(int /*reason*/) override {
        Kv::Geometry::GeometryCommandProvider::instance().unregisterAllCommands();
    }
    const Kv::UniqueString& getInterfaceId() const override { return interfaceId(); }
    void* queryInterface(const Kv::UniqueString& id) override {
        if (id == Kv::IComponentContributor::interfaceId())
            return static_cast<Kv::IComponentContributor*>(
                &Kv::Geometry::GeometryComponentContributor::instance());
        if (id == Kv::ICommandProvider::interfaceId())
            return static_cast<Kv::ICommandProvider*>(
                &Kv::Geometry::GeometryCommandProvider::instance());
        return IServerAddIn::queryInterface(id);
    }

    KV_INTERFACE_ID("Kv::Geometry10")
};

} // namespace

namespace Kv {

std::string GeometryAddInIdentifier() {
    return "Geometry";
}

namespace Geometry {

IServerAddIn& geometryAddIn() {
    static GeometryAddIn addIn;
    return addIn;
}

} // namespace Geometry
} // namespace Kv

extern "C" Kv::IServerAddIn* GetIAddIn() {
    return &Kv::Geometry::geometryAddIn();
}
