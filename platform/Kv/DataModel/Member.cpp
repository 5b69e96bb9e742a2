#include "Kv/DataModel/Member.h"

#include "Kv/DataModel/MemberMetaType.h"

namespace Kv {

std::string Member::typeKey() const { return m_metaType->typeKey(m_functions); }

} // namespace Kv
