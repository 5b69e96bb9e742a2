#pragma once

#include "Kv/Scene/EnvironmentEvent.h"

#include <vector>

namespace Kv::Scene {

class EnvironmentEventSite;

// The process's source of environment events: every subscribed site hears
// when the active environment changes. Subscribing is static, since there is
// one source; get() is for callers that hold the source itself.
class EnvironmentEventSource {
public:
    static EnvironmentEventSource& get();

    // Subscribing twice keeps one subscription.
    static void subscribe(EnvironmentEventSite* site);
    static void unsubscribe(EnvironmentEventSite* site);
    static bool isSubscribed(const EnvironmentEventSite* site);
    size_t subscriberCount() const { return m_sites.size(); }

    // Tells every site, in the order they subscribed. A site that unsubscribes
    // (or destroys another) during the round is not called afterwards.
    void activeEnvironmentChanged(EnvironmentEvent& event);

private:
    EnvironmentEventSource() = default;
    std::vector<EnvironmentEventSite*> m_sites;
};

} // namespace Kv::Scene
