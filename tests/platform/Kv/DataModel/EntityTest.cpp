// The rarely used state of an entity (observers, schema versions while
// migrating, a managed entity's client binding) shares one block made on
// demand: each part must keep working whatever the others do.

#include "TestEntities.h"

#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/IEntityObserver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Kv::Tests {
namespace {

// Writes what it hears as "<event>:<observer name>".
struct Listener : IEntityObserver {
    Listener(std::string name, std::vector<std::string>& log)
        : name(std::move(name))
        , log(log) {}
    void onEntityPreChange(Entity&, const EntityChange&) override { log.push_back("pre:" + name); }
    void onEntityPostChange(Entity&, const EntityChange&) override {
        log.push_back("post:" + name);
    }
    void onEntityPreDeletion(Entity&, int) override { log.push_back("deleting:" + name); }
    void onEntityDestroyed(Entity&) override { log.push_back("destroyed:" + name); }

    std::string name;
    std::vector<std::string>& log;
};

// Unsubscribes itself and another observer when first told of a change.
struct Leaver : Listener {
    using Listener::Listener;
    void onEntityPreChange(Entity& entity, const EntityChange& change) override {
        Listener::onEntityPreChange(entity, change);
        entity.unsubscribe(this);
        if (other)
            entity.unsubscribe(other);
    }
    IEntityObserver* other = nullptr;
};

using Log = std::vector<std::string>;

class EntityTest : public ::testing::Test {
protected:
    TestDocument doc;
    Log log;
};

TEST_F(EntityTest, ObserversHearChangesOnceEachUntilTheyUnsubscribe) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    Listener a("a", log), b("b", log);
    item->subscribe(&a);
    item->subscribe(&b);
    item->subscribe(&a); // once is enough
    item->value(1.0);
    EXPECT_EQ(log, (Log{"pre:a", "pre:b", "post:a", "post:b"}));

    log.clear();
    item->unsubscribe(&a);
    item->value(2.0);
    EXPECT_EQ(log, (Log{"pre:b", "post:b"}));

    log.clear();
    item->unsubscribe(&b);
    item->unsubscribe(&b); // not subscribed any more: nothing happens
    item->value(3.0);
    EXPECT_TRUE(log.empty());

    // Subscribing again after the list emptied works as the first time.
    item->subscribe(&b);
    item->value(4.0);
    EXPECT_EQ(log, (Log{"pre:b", "post:b"}));
    item->unsubscribe(&b);
}

TEST_F(EntityTest, AnObserverMayLeaveWhileBeingTold) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    Leaver leaver("leaver", log);
    Listener stays("stays", log), dropped("dropped", log);
    leaver.other = &dropped;
    item->subscribe(&leaver);
    item->subscribe(&dropped);
    item->subscribe(&stays);
    item->value(1.0);
    // Everyone subscribed when the change began hears its start; only those
    // still subscribed hear its end.
    EXPECT_EQ(log, (Log{"pre:leaver", "pre:dropped", "pre:stays", "post:stays"}));
    item->unsubscribe(&stays);
}

TEST_F(EntityTest, ObserversHearDeletionAndDestruction) {
    Listener a("a", log);
    {
        StrongRef<TestItem> item = TestItem::make(doc.group.get());
        item->subscribe(&a);
        doc.group->removeChild(StrongRef<Entity>(item));
        EXPECT_EQ(log, (Log{"deleting:a"}));
    }
    EXPECT_EQ(log, (Log{"deleting:a", "destroyed:a"}));
}

TEST_F(EntityTest, TheClientBindingAndTheObserversDoNotDisturbEachOther) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    StrongRef<TestItem> client = TestItem::make(doc.group.get());
    StrongRef<TestItem> next = TestItem::make(doc.group.get());
    Listener a("a", log);

    item->clientObject(client.get());
    item->subscribe(&a);
    item->clientObject(nullptr); // the observers stay
    EXPECT_EQ(item->clientObject(), nullptr);
    item->value(1.0);
    EXPECT_EQ(log, (Log{"pre:a", "post:a"}));

    item->clientObject(next.get());
    item->unsubscribe(&a); // the binding stays
    EXPECT_EQ(item->clientObject(), next.get());
    item->clientObject(client.get());
    EXPECT_EQ(item->clientObject(), client.get());

    // The binding is passive: a client that dies reads as none, and a new one
    // can be bound afterwards.
    doc.group->removeChild(StrongRef<Entity>(client));
    client.reset();
    EXPECT_EQ(item->clientObject(), nullptr);
    item->clientObject(next.get());
    EXPECT_EQ(item->clientObject(), next.get());
}

TEST_F(EntityTest, MigratingVersionsAreKeptPerMetaType) {
    StrongRef<TestDerivedItem> item = TestDerivedItem::make(doc.group.get());
    EntityMetaType* derived = &TestDerivedItem::s_metaType();
    EntityMetaType* base = &TestItem::s_metaType();
    EXPECT_EQ(item->migratingVersion(derived), derived->version());
    EXPECT_EQ(item->version(), derived->version());

    item->migratingVersion(base, 7);
    item->migratingVersion(derived, 3);
    item->migratingVersion(derived, 5); // replaces the earlier one
    EXPECT_EQ(item->migratingVersion(base), 7u);
    EXPECT_EQ(item->migratingVersion(derived), 5u);
    EXPECT_EQ(item->version(), 5u);

    // Observers and versions live side by side.
    Listener a("a", log);
    item->subscribe(&a);
    item->unsubscribe(&a);
    EXPECT_EQ(item->migratingVersion(base), 7u);
}

// What every sketch entity pays for its host bases: the rarely used parts are
// out of line and the reference count shares a word with the flags.
TEST(EntityFootprint, HostBasesStaySmall) {
    EXPECT_LE(sizeof(Entity), 64u);
    EXPECT_EQ(sizeof(Managed::ManagedEntity), sizeof(Entity));
    EXPECT_LE(sizeof(Managed::ManagedGroupEntity), sizeof(Entity) + sizeof(void*));
}

} // namespace
} // namespace Kv::Tests
