#include "Kv/DataModel/Member.h"

#include "Kv/DataModel/MemberMetaType.h"

namespace Kv {

Member::Member(std::string name, std::ptrdiff_t offset, std::string typeName,
               MemberMetaType* metaType, const TemplatizedFunctions* functions,
               bool inMigrationHelper)
    : m_name(std::move(name))
    , m_offset(offset)
    , m_typeName(std::move(typeName))
    , m_metaType(metaType)
    , m_functions(functions)
    , m_inMigrationHelper(inMigrationHelper)
    , m_typeKey(metaType->typeKey(functions)) {}

} // namespace Kv
