#include "Kv/Scene/EnvironmentEventSource.h"

#include "Kv/Scene/EnvironmentEventSite.h"

namespace Kv::Scene {

EnvironmentEventSource& EnvironmentEventSource::get() {
    static EnvironmentEventSource source;
    return source;
}

void EnvironmentEventSource::subscribe(EnvironmentEventSite* site) {
    if (!site || isSubscribed(site))
        return;
    EnvironmentEventSource& source = get();
    site->m_subscription = source.m_sites.size();
    source.m_sites.push_back(site);
    ++source.m_count;
}

void EnvironmentEventSource::unsubscribe(EnvironmentEventSite* site) {
    if (!site || !isSubscribed(site))
        return;
    EnvironmentEventSource& source = get();
    source.m_sites[site->m_subscription] = nullptr;
    site->m_subscription = EnvironmentEventSite::kNotSubscribed;
    --source.m_count;
    source.compactIfSparse();
}

bool EnvironmentEventSource::isSubscribed(const EnvironmentEventSite* site) {
    if (!site)
        return false;
    const std::vector<EnvironmentEventSite*>& sites = get().m_sites;
    return site->m_subscription < sites.size() && sites[site->m_subscription] == site;
}

// Gaps are closed once they outnumber the sites, so that a list that grew
// large and emptied again does not stay large, at a cost spread over the
// departures that made the gaps.
void EnvironmentEventSource::compactIfSparse() {
    if (m_rounds > 0 || m_sites.size() < 64 || m_sites.size() - m_count <= m_count)
        return;
    size_t kept = 0;
    for (EnvironmentEventSite* site : m_sites) {
        if (!site)
            continue;
        site->m_subscription = kept;
        m_sites[kept++] = site;
    }
    m_sites.resize(kept);
}

void EnvironmentEventSource::activeEnvironmentChanged(EnvironmentEvent& event) {
    // Sites are read in place, so that one destroyed during the round is
    // seen as gone; the list is not compacted until the round ends.
    ++m_rounds;
    const size_t end = m_sites.size();
    try {
        for (size_t i = 0; i < end; ++i)
            if (EnvironmentEventSite* site = m_sites[i])
                site->activeEnvironmentChanged(&event);
    } catch (...) {
        --m_rounds;
        throw;
    }
    --m_rounds;
    compactIfSparse();
}

} // namespace Kv::Scene
