#pragma once

#include "Kv/DataModel/KernelValueCodecs.h"
#include "Kv/DataModel/ValueMetaType.h"

namespace Kv {

// The member meta type of a kernel value class: one per class, shared by
// every member of that class.
class ZkGeValueMetaType {
public:
    template <class T> static MemberMetaType* get() { return &ValueMetaType<T>::instance(); }
};

} // namespace Kv
