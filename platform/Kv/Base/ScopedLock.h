#pragma once

#include <mutex>

namespace Kv {

// Holds the host's global recursive lock for its scope, but only while locking
// is switched on (the default). A single-threaded host may switch it off.
class ScopedLock {
public:
    ScopedLock();
    ~ScopedLock();
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

    static bool isLockingOn();
    static void setLockingOn(bool on);

private:
    bool m_locked;
};

} // namespace Kv
