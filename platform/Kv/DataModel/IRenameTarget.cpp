#include "Kv/DataModel/IRenameTarget.h"

namespace Kv::DataModel {

std::wstring IRenameTarget::getUniqueName(const std::wstring& name) {
    if (isUniqueName(name))
        return name;
    for (unsigned long long n = 1;; ++n) {
        std::wstring candidate = name + L" (" + std::to_wstring(n) + L")";
        if (isUniqueName(candidate))
            return candidate;
    }
}

} // namespace Kv::DataModel
