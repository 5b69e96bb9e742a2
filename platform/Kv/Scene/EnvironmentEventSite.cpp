#include "Kv/Scene/EnvironmentEventSite.h"

#include "Kv/Scene/EnvironmentEventSource.h"

namespace Kv::Scene {

void EnvironmentEventSite::activeEnvironmentChanged(Event*) {}

EnvironmentEventSite::~EnvironmentEventSite() {
    EnvironmentEventSource::unsubscribe(this);
}

} // namespace Kv::Scene
