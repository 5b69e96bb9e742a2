#pragma once

#include "Kv/DataModel/MemberSet.h"
#include "Kv/DataModel/TemplatizedFunctions.h"

#include <map>
#include <typeinfo>
#include <vector>

namespace Kv {

// Registers `field` as the member `name`, with the member meta type its type
// calls for: containers get the "Vector" or "Map" meta type with their
// element functions, everything else its value or reference meta type. A
// field of a migration helper names that helper as `holder`.
template <class T>
Member& registerMember(MemberSet& set, const std::string& name, T& field,
                       const MigrationHelper* holder = nullptr) {
    return set.addNewMember(name, &field, typeid(T).name(), MemberMetaTypeOf<T>::get(), nullptr,
                            holder);
}

template <class E>
Member& registerMember(MemberSet& set, const std::string& name, std::vector<E>& field,
                       const MigrationHelper* holder = nullptr) {
    return set.addNewMember(name, &field, typeid(field).name(), MemberMetaType::find("Vector"),
                            TemplatizedFunctions::forVector<E>(), holder);
}

template <class E>
Member& registerMember(MemberSet& set, const std::string& name, std::map<int, E>& field,
                       const MigrationHelper* holder = nullptr) {
    return set.addNewMember(name, &field, typeid(field).name(), MemberMetaType::find("Map"),
                            TemplatizedFunctions::forMap<E>(), holder);
}

} // namespace Kv
