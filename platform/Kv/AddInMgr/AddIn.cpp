#include "Kv/AddInMgr/AddIn.h"

#include <dlfcn.h>

#include <utility>

namespace Kv {

AddIn::AddIn(Configuration configuration, void* libraryHandle, IServerAddIn* serverAddIn)
    : m_configuration(std::move(configuration))
    , m_libraryHandle(libraryHandle)
    , m_serverAddIn(serverAddIn) {}

AddIn::~AddIn() {
    if (m_libraryHandle)
        dlclose(m_libraryHandle);
}

void* AddIn::findSymbol(const std::string& symbol) const {
    return m_libraryHandle ? dlsym(m_libraryHandle, symbol.c_str()) : nullptr;
}

} // namespace Kv
