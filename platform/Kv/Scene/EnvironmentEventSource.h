#pragma once

#include "Kv/Scene/EnvironmentEvent.h"

#include <cstddef>
#include <vector>

namespace Kv::Scene {

class EnvironmentEventSite;

// The process's source of environment events: every subscribed site hears
// when the active environment changes. Subscribing is static, since there is
// one source; get() is for callers that hold the source itself. Every sketch
// curve is a site, so subscribing and leaving take constant time.
class EnvironmentEventSource {
public:
    static EnvironmentEventSource& get();

    // Subscribing twice keeps one subscription.
    static void subscribe(EnvironmentEventSite* site);
    static void unsubscribe(EnvironmentEventSite* site);
    static bool isSubscribed(const EnvironmentEventSite* site);
    size_t subscriberCount() const { return m_count; }

    // Tells every site, in the order they subscribed. A site that unsubscribes
    // (or destroys another) during the round is not called afterwards; one
    // that subscribes during the round hears the next one.
    void activeEnvironmentChanged(EnvironmentEvent& event);

private:
    EnvironmentEventSource() = default;
    // Closes the gaps left by sites that left, unless a round is running.
    void compactIfSparse();

    // In subscription order; null where a site left.
    std::vector<EnvironmentEventSite*> m_sites;
    size_t m_count = 0;
    int m_rounds = 0;
};

} // namespace Kv::Scene
