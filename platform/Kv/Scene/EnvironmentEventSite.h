#pragma once

#include "Kv/Scene/EnvironmentEvent.h"

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
    EnvironmentEventSite(const EnvironmentEventSite&) = default;
    EnvironmentEventSite& operator=(const EnvironmentEventSite&) = default;
    virtual ~EnvironmentEventSite();
};

} // namespace Kv::Scene
