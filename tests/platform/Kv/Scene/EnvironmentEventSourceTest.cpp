// The environment event source keeps its subscribers in subscription order
// through any number of departures, and a copied site is a site of its own.

#include "Kv/Scene/EnvironmentEventSource.h"
#include "Kv/Scene/Environment.h"
#include "Kv/Scene/EnvironmentEventSite.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace Kv::Scene;

class Counter : public EnvironmentEventSite {
public:
    Counter(std::vector<int>& heard, int number)
        : m_heard(heard)
        , m_number(number) {
        EnvironmentEventSource::subscribe(this);
    }
    Counter(const Counter& other) = default;
    Counter& operator=(const Counter& other) {
        EnvironmentEventSite::operator=(other);
        m_number = other.m_number;
        return *this;
    }
    void activeEnvironmentChanged(Event*) override { m_heard.push_back(m_number); }

private:
    std::vector<int>& m_heard;
    int m_number;
};

void announce() {
    Environment environment("Test");
    EnvironmentEvent event(&environment, "Before");
    EnvironmentEventSource::get().activeEnvironmentChanged(event);
}

TEST(EnvironmentEventSource, ManyDeparturesKeepTheOthersInOrder) {
    const size_t before = EnvironmentEventSource::get().subscriberCount();
    std::vector<int> heard;
    std::vector<std::unique_ptr<Counter>> sites;
    for (int i = 0; i < 1000; ++i)
        sites.push_back(std::make_unique<Counter>(heard, i));
    EXPECT_EQ(EnvironmentEventSource::get().subscriberCount(), before + 1000);

    // Most leave, some by unsubscribing and some by going away, so that the
    // list closes its gaps on the way.
    std::vector<int> kept;
    for (int i = 0; i < 1000; ++i) {
        if (i % 97 == 0) {
            kept.push_back(i);
            continue;
        }
        if (i % 2)
            EnvironmentEventSource::unsubscribe(sites[i].get());
        else
            sites[i].reset();
    }
    EXPECT_EQ(EnvironmentEventSource::get().subscriberCount(), before + kept.size());
    for (int i = 1; i < 1000; i += 2) {
        if (i % 97 != 0) {
            EXPECT_FALSE(EnvironmentEventSource::isSubscribed(sites[i].get()));
        }
    }
    for (int i : kept)
        EXPECT_TRUE(EnvironmentEventSource::isSubscribed(sites[i].get()));
    announce();
    EXPECT_EQ(heard, kept);

    // A late subscriber comes after them; subscribing again changes nothing.
    auto late = std::make_unique<Counter>(heard, 5000);
    EnvironmentEventSource::subscribe(sites[0].get());
    heard.clear();
    announce();
    kept.push_back(5000);
    EXPECT_EQ(heard, kept);
    sites.clear();
    late.reset();
    EXPECT_EQ(EnvironmentEventSource::get().subscriberCount(), before);
}

TEST(EnvironmentEventSource, ACopyStartsUnsubscribed) {
    std::vector<int> heard;
    Counter original(heard, 1);
    Counter copy(original);
    EXPECT_TRUE(EnvironmentEventSource::isSubscribed(&original));
    EXPECT_FALSE(EnvironmentEventSource::isSubscribed(&copy));
    copy = original;
    EXPECT_FALSE(EnvironmentEventSource::isSubscribed(&copy)) << "assigning keeps its own state";
    EnvironmentEventSource::subscribe(&copy);
    announce();
    EXPECT_EQ(heard, (std::vector<int>{1, 1}));
    EXPECT_FALSE(EnvironmentEventSource::isSubscribed(nullptr));
}

// Sends every counter but the last away when it is called.
class Sweeper : public EnvironmentEventSite {
public:
    explicit Sweeper(std::vector<std::unique_ptr<Counter>>& sites)
        : m_sites(sites) {
        EnvironmentEventSource::subscribe(this);
    }
    void activeEnvironmentChanged(Event*) override {
        for (size_t i = 0; i + 1 < m_sites.size(); ++i)
            m_sites[i].reset();
    }

private:
    std::vector<std::unique_ptr<Counter>>& m_sites;
};

TEST(EnvironmentEventSource, SitesLeavingDuringARoundAreNotCalled) {
    std::vector<int> heard;
    std::vector<std::unique_ptr<Counter>> sites;
    Sweeper sweeper(sites); // subscribed first, so called first
    for (int i = 0; i < 200; ++i)
        sites.push_back(std::make_unique<Counter>(heard, i));
    announce();
    EXPECT_EQ(heard, (std::vector<int>{199}));
    std::vector<int> later;
    Counter after(later, 1);
    heard.clear();
    announce();
    EXPECT_EQ(heard, (std::vector<int>{199})) << "the gaps were closed after the round";
    EXPECT_EQ(later, (std::vector<int>{1}));
}

} // namespace
