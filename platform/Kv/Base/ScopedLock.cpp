#include "Kv/Base/ScopedLock.h"

#include <atomic>

namespace Kv {
namespace {

std::atomic<bool> g_lockingOn{true};

std::recursive_mutex& hostMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

} // namespace

ScopedLock::ScopedLock()
    : m_locked(isLockingOn()) {
    if (m_locked)
        hostMutex().lock();
}

ScopedLock::~ScopedLock() {
    if (m_locked)
        hostMutex().unlock();
}

bool ScopedLock::isLockingOn() {
    return g_lockingOn.load(std::memory_order_acquire);
}

void ScopedLock::setLockingOn(bool on) {
    g_lockingOn.store(on, std::memory_order_release);
}

} // namespace Kv
