#pragma once

#include "Kv/AddInMgr/IServerAddIn.h"

#include <string>

namespace Kv {

// One loaded add-in: what its configuration said, the add-in object its
// library handed out, and the library itself, which it keeps open.
class AddIn {
public:
    // What an add-in configuration file declares, as read by the manager.
    struct Configuration {
        std::string identifier;
        std::string configurationPath; // the XML file it came from
        std::string libraryPath;       // resolved against the root
        bool coreAddIn = false;
        std::wstring name; // the identifier when the file gives none
        std::wstring description;
    };

    // Takes over `libraryHandle` (from dlopen) and closes it when destroyed.
    AddIn(Configuration configuration, void* libraryHandle, IServerAddIn* serverAddIn);
    ~AddIn();
    AddIn(const AddIn&) = delete;
    AddIn& operator=(const AddIn&) = delete;

    const std::string& identifier() const { return m_configuration.identifier; }
    const std::string& configurationPath() const { return m_configuration.configurationPath; }
    const std::string& libraryPath() const { return m_configuration.libraryPath; }
    bool isCoreAddIn() const { return m_configuration.coreAddIn; }
    const std::wstring& name() const { return m_configuration.name; }
    const std::wstring& description() const { return m_configuration.description; }

    // Owned by the add-in's library: valid until the add-in is unloaded.
    IServerAddIn* serverAddIn() const { return m_serverAddIn; }

    // Another symbol the library exports, or null; for entry points beyond
    // GetIAddIn that a host component agrees on with an add-in.
    void* findSymbol(const std::string& symbol) const;

private:
    Configuration m_configuration;
    void* m_libraryHandle;
    IServerAddIn* m_serverAddIn;
};

} // namespace Kv
