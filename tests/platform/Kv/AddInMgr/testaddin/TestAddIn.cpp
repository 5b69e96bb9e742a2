// An add-in library for the add-in manager tests. Besides GetIAddIn it
// exports a few probes, so that tests can see what the manager did to it.

#include "Kv/AddInMgr/IServerAddIn.h"

namespace {

using UnloadObserver = void (*)(void* context, int reason);

int entryCalls = 0;
int loadedCalls = 0;
UnloadObserver unloadObserver = nullptr;
void* unloadContext = nullptr;

class TestAddIn final : public Kv::IServerAddIn {
public:
    std::wstring toString() const override { return L"Test add-in"; }
    void onLoaded() override { ++loadedCalls; }
    void onUnloading(int reason) override {
        if (unloadObserver)
            unloadObserver(unloadContext, reason);
    }
    const Kv::UniqueString& getInterfaceId() const override { return interfaceId(); }
    void* queryInterface(const Kv::UniqueString& id) override {
        if (id == interfaceId())
            return this;
        return IServerAddIn::queryInterface(id);
    }

    KV_INTERFACE_ID("Kv::TestAddIn")
};

} // namespace

extern "C" __attribute__((visibility("default"))) Kv::IServerAddIn* GetIAddIn() {
    ++entryCalls;
    static TestAddIn addIn;
    return &addIn;
}

extern "C" __attribute__((visibility("default"))) int KvTestAddInEntryCalls() {
    return entryCalls;
}

extern "C" __attribute__((visibility("default"))) int KvTestAddInLoadedCalls() {
    return loadedCalls;
}

extern "C" __attribute__((visibility("default"))) void
KvTestAddInObserveUnloading(UnloadObserver observer, void* context) {
    unloadObserver = observer;
    unloadContext = context;
}
