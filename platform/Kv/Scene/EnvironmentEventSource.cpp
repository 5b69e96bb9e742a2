#include "Kv/Scene/EnvironmentEventSource.h"

#include "Kv/Scene/EnvironmentEventSite.h"

#include <algorithm>

namespace Kv::Scene {

EnvironmentEventSource& EnvironmentEventSource::get() {
    static EnvironmentEventSource source;
    return source;
}

void EnvironmentEventSource::subscribe(EnvironmentEventSite* site) {
    if (site && !isSubscribed(site))
        get().m_sites.push_back(site);
}

void EnvironmentEventSource::unsubscribe(EnvironmentEventSite* site) {
    auto& sites = get().m_sites;
    sites.erase(std::remove(sites.begin(), sites.end(), site), sites.end());
}

bool EnvironmentEventSource::isSubscribed(const EnvironmentEventSite* site) {
    const auto& sites = get().m_sites;
    return std::find(sites.begin(), sites.end(), site) != sites.end();
}

void EnvironmentEventSource::activeEnvironmentChanged(EnvironmentEvent& event) {
    const std::vector<EnvironmentEventSite*> round = m_sites;
    for (EnvironmentEventSite* site : round)
        if (isSubscribed(site))
            site->activeEnvironmentChanged(&event);
}

} // namespace Kv::Scene
