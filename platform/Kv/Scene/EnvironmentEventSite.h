#pragma once

#include "Kv/Scene/EnvironmentEvent.h"

#include <cstddef>

namespace Kv::Scene {

// Receives environment events once subscribed to the EnvironmentEventSource.
// A site leaves the source when it is destroyed, so a subscriber that forgets
// to unsubscribe is never called after its death.
class EnvironmentEventSite {
public:
    using Event = EnvironmentEvent;

    virtual void activeEnvironmentChanged(Event* event);

protected:
    EnvironmentEventSite() = default;
    // A copy is another site: it starts unsubscribed, and assigning keeps the
    // site's own subscription.
    EnvironmentEventSite(const EnvironmentEventSite&) {}
    EnvironmentEventSite& operator=(const EnvironmentEventSite&) { return *this; }
    virtual ~EnvironmentEventSite();

private:
    friend class EnvironmentEventSource;
    static constexpr size_t kNotSubscribed = static_cast<size_t>(-1);
    // The site's place in the source's list, so that subscribing and leaving
    // cost the same with a million sites as with ten.
    size_t m_subscription = kNotSubscribed;
};

} // namespace Kv::Scene
