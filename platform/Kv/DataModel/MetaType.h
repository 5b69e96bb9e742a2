#pragma once

#include <cstdint>
#include <string>

namespace Kv {

// Identity of a registered type: which add-in made it, its identifier string,
// its name and its current schema version.
class MetaType {
public:
    // The version argument that asks for the current version.
    static constexpr uint32_t kCurrentVersion = 0xFFFFFFFF;

    virtual ~MetaType() = default;
    MetaType(const MetaType&) = delete;
    MetaType& operator=(const MetaType&) = delete;

    const std::string& addInId() const { return m_addInId; }
    const std::string& identifier() const { return m_identifier; }
    const std::string& name() const { return m_name; }
    uint32_t version() const { return m_version; }

protected:
    MetaType(std::string addInId, std::string identifier, std::string name, uint32_t version)
        : m_addInId(std::move(addInId))
        , m_identifier(std::move(identifier))
        , m_name(std::move(name))
        , m_version(version) {}

private:
    std::string m_addInId;
    std::string m_identifier;
    std::string m_name;
    uint32_t m_version;
};

} // namespace Kv
