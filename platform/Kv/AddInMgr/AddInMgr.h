#pragma once

#include "Kv/AddInMgr/AddIn.h"
#include "Kv/AddInMgr/IAddIn.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Kv {

// Finds, loads and unloads the add-ins under an application root. Each
// add-in is described by <root>/Server/<Folder>/Configuration/<File>.xml,
// checked against <root>/Server/AddInMgr/Configuration/Schema/AddinSchema.xsd.
// One bad configuration never stops the others from loading: what went wrong
// is kept in errors(), one line per configuration.
// Loading and unloading belong on one thread (the application's main one);
// lookups may come from any thread.
class AddInMgr {
public:
    using LoadedListener = std::function<void(AddIn&)>;

    // The application's manager. Never destroyed, so that add-ins stay loaded
    // while other statics shut down; the application calls unloadAll itself.
    static AddInMgr& get();

    // A manager of its own, for tools and tests; unloads its add-ins when
    // destroyed.
    AddInMgr();
    ~AddInMgr();
    AddInMgr(const AddInMgr&) = delete;
    AddInMgr& operator=(const AddInMgr&) = delete;

    // Loads every add-in configured under `root` (PathInfo::rootDirectory()
    // when empty), in the order of the configuration paths, and returns how
    // many were loaded. A configuration already loaded from the same path is
    // skipped, so calling this again picks up only new add-ins. errors() is
    // reset first and then holds this call's failures.
    std::size_t loadAll(const std::string& root);

    // Unloads every add-in, the last loaded first: each hears onUnloading,
    // then its library is closed.
    void unloadAll(int reason = IAddIn::UnloadOnShutdown);

    // The add-in with this identifier, or null.
    AddIn* addIn(const std::string& identifier) const;
    // The loaded add-ins in load order.
    std::vector<AddIn*> addIns() const;
    // One line per configuration that failed in the last loadAll, each
    // starting with the configuration's path.
    std::vector<std::string> errors() const;

    // `listener` is called for each add-in loaded from now on, after the
    // add-in's own onLoaded. An exception from it is recorded in errors();
    // the add-in stays loaded.
    void onAddInLoaded(LoadedListener listener);

    // Where loadAll expects the configuration schema under `root`.
    static std::string schemaPath(const std::string& root);

private:
    void loadConfiguration(const std::string& root, const std::string& configurationPath,
                           const std::string& schema);
    bool isLoadedFrom(const std::string& configurationPath) const;

    mutable std::recursive_mutex m_mutex; // listeners may look add-ins up while loading
    std::vector<std::unique_ptr<AddIn>> m_addIns;
    std::vector<std::string> m_errors;
    std::vector<LoadedListener> m_listeners;
};

} // namespace Kv
