#include "Kv/AddInMgr/AddInMgr.h"

#include "Kv/AddInMgr/IServerAddIn.h"
#include "Kv/Base/PathInfo.h"
#include "Kv/Base/Utf8.h"
#include "Kv/Base/XMLUtility.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace Kv {
namespace {

constexpr const char* entryPointName = "GetIAddIn";

// A configuration that cannot be loaded; the message names the reason only,
// the caller prefixes the configuration path.
class LoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Closes a library that failed to load past dlopen.
struct LibraryCloser {
    void* handle;
    ~LibraryCloser() {
        if (handle)
            dlclose(handle);
    }
    void* release() { return std::exchange(handle, nullptr); }
};

std::vector<std::string> configurationFiles(const std::string& root) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& folder : fs::directory_iterator(fs::path(root) / "Server", error)) {
        std::error_code ignored;
        const fs::path configuration = folder.path() / "Configuration";
        if (!fs::is_directory(configuration, ignored))
            continue;
        for (const auto& entry : fs::directory_iterator(configuration, ignored)) {
            if (entry.path().extension() == ".xml" && entry.is_regular_file(ignored))
                files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool parseBoolean(const std::string& text) {
    return text == "true" || text == "1";
}

std::string requiredText(const XmlDocument& document, const char* element) {
    auto text = document.childText(element);
    // The schema already insists on these; this guards a schema edited by hand.
    if (!text || text->empty())
        throw LoadError(std::string("no ") + element + " given");
    return *text;
}

AddIn::Configuration readConfiguration(const std::string& root, const std::string& path,
                                       const std::string& schema) {
    const XmlDocument document = XMLUtility::schemaValidator(path, schema);
    AddIn::Configuration configuration;
    configuration.configurationPath = path;
    configuration.identifier = requiredText(document, "Identifier");
    configuration.libraryPath = PathInfo::join(root, requiredText(document, "Library"));
    configuration.coreAddIn = parseBoolean(requiredText(document, "CoreAddIn"));
    configuration.name =
        Utf8::toWide(document.childText("Name").value_or(configuration.identifier));
    configuration.description = Utf8::toWide(document.childText("Description").value_or(""));
    return configuration;
}

} // namespace

AddInMgr& AddInMgr::get() {
    static AddInMgr* manager = new AddInMgr;
    return *manager;
}

AddInMgr::AddInMgr() = default;

AddInMgr::~AddInMgr() {
    unloadAll(IAddIn::UnloadOnShutdown);
}

std::string AddInMgr::schemaPath(const std::string& root) {
    return PathInfo::join(root, "Server/AddInMgr/Configuration/Schema/AddinSchema.xsd");
}

std::size_t AddInMgr::loadAll(const std::string& requestedRoot) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_errors.clear();
    const std::string root = requestedRoot.empty() ? PathInfo::rootDirectory() : requestedRoot;
    const std::size_t before = m_addIns.size();

    std::error_code error;
    const std::string servers = PathInfo::join(root, "Server");
    if (!fs::is_directory(servers, error)) {
        m_errors.push_back(servers + ": no add-in folder here");
        return 0;
    }
    // Without the schema every configuration would fail alike; say it once.
    const std::string schema = schemaPath(root);
    if (!fs::is_regular_file(schema, error)) {
        m_errors.push_back(schema + ": add-in configuration schema not found");
        return 0;
    }

    for (const std::string& path : configurationFiles(root)) {
        if (isLoadedFrom(path))
            continue;
        try {
            loadConfiguration(root, path, schema);
        } catch (const XmlError& e) {
            m_errors.push_back(e.what()); // already names the file and line
        } catch (const std::exception& e) {
            m_errors.push_back(path + ": " + e.what());
        }
    }
    return m_addIns.size() - before;
}

void AddInMgr::loadConfiguration(const std::string& root, const std::string& path,
                                 const std::string& schema) {
    AddIn::Configuration configuration = readConfiguration(root, path, schema);
    if (const AddIn* other = addIn(configuration.identifier))
        throw LoadError("add-in identifier '" + configuration.identifier + "' is already used by " +
                        other->configurationPath());

    std::error_code error;
    if (!fs::is_regular_file(configuration.libraryPath, error))
        throw LoadError("library '" + configuration.libraryPath + "' not found");
    // RTLD_GLOBAL so that the add-in's exported classes, typeinfo included,
    // are the ones later add-ins (and programs linking it directly) see:
    // casts across add-ins would otherwise fail on duplicate typeinfo.
    LibraryCloser library{dlopen(configuration.libraryPath.c_str(), RTLD_NOW | RTLD_GLOBAL)};
    if (!library.handle) {
        const char* reason = dlerror();
        throw LoadError("cannot load library: " + std::string(reason ? reason : "unknown error"));
    }
    dlerror();
    const auto entryPoint =
        reinterpret_cast<GetIAddInFunction>(dlsym(library.handle, entryPointName));
    if (!entryPoint)
        throw LoadError("library '" + configuration.libraryPath + "' does not export " +
                        entryPointName);

    IServerAddIn* serverAddIn = nullptr;
    try {
        serverAddIn = entryPoint();
    } catch (const std::exception& e) {
        throw LoadError(std::string(entryPointName) + " failed: " + e.what());
    } catch (...) {
        throw LoadError(std::string(entryPointName) + " failed with an unknown exception");
    }
    if (!serverAddIn)
        throw LoadError(std::string(entryPointName) + " returned no add-in");

    m_addIns.push_back(
        std::make_unique<AddIn>(std::move(configuration), library.release(), serverAddIn));
    AddIn& added = *m_addIns.back();
    try {
        serverAddIn->onLoaded();
    } catch (const std::exception& e) {
        m_addIns.pop_back();
        throw LoadError(std::string("the add-in failed to start: ") + e.what());
    }

    // Copied: a listener may register another listener.
    const std::vector<LoadedListener> listeners = m_listeners;
    for (const LoadedListener& listener : listeners) {
        try {
            listener(added);
        } catch (const std::exception& e) {
            m_errors.push_back(path + ": loaded, but a listener failed: " + e.what());
        } catch (...) {
            m_errors.push_back(path + ": loaded, but a listener failed");
        }
    }
}

void AddInMgr::unloadAll(int reason) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    while (!m_addIns.empty()) {
        // Out of the list first, so that the add-in's goodbye cannot find
        // itself through the manager while it is half gone.
        std::unique_ptr<AddIn> last = std::move(m_addIns.back());
        m_addIns.pop_back();
        try {
            last->serverAddIn()->onUnloading(reason);
        } catch (...) {
            // Unloading goes on regardless: there is no one left to tell.
        }
    }
}

AddIn* AddInMgr::addIn(const std::string& identifier) const {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    for (const auto& addIn : m_addIns) {
        if (addIn->identifier() == identifier)
            return addIn.get();
    }
    return nullptr;
}

std::vector<AddIn*> AddInMgr::addIns() const {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    std::vector<AddIn*> result;
    for (const auto& addIn : m_addIns)
        result.push_back(addIn.get());
    return result;
}

std::vector<std::string> AddInMgr::errors() const {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_errors;
}

void AddInMgr::onAddInLoaded(LoadedListener listener) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_listeners.push_back(std::move(listener));
}

bool AddInMgr::isLoadedFrom(const std::string& configurationPath) const {
    for (const auto& addIn : m_addIns) {
        if (addIn->configurationPath() == configurationPath)
            return true;
    }
    return false;
}

} // namespace Kv
