#include "SketchModelDocument.h"

#include "Geometry/sketch3d/SketchesRoot.h"
#include "Kv/CommonData/ManagedGroupEntity.h"
#include "Kv/CommonData/ManagedRootCollection.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MemberCodec.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/Storage/DocumentReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>
#include <unistd.h>

namespace Kv::Geometry::SketchTests {
namespace {

std::string name(const Entity* entity) {
    return entity ? "#" + std::to_string(entity->id()) : "null";
}

void describe(Entity* entity, const std::string& indent, std::ostringstream& out,
              std::set<const Entity*>& seen) {
    if (!seen.insert(entity).second) {
        out << indent << name(entity) << " (again)\n";
        return;
    }
    out << indent << name(entity) << ' ' << entity->metaType()->className() << " parent "
        << name(entity->parentEntity()) << '\n';
    MemberContext printing;
    printing.pathOf = [](const Entity* target) {
        return name(target);
    };
    std::ostringstream members;
    MemberCodec::print(entity, members, printing);
    std::istringstream lines(members.str());
    for (std::string line; std::getline(lines, line);)
        out << indent << "  " << line << '\n';

    std::vector<Entity*> owned;
    MemberContext encoding;
    encoding.onReference = [&](Entity* target, bool owning) {
        if (owning && target->parentEntity() == entity &&
            std::find(owned.begin(), owned.end(), target) == owned.end())
            owned.push_back(target);
    };
    MemberCodec::encode(entity, encoding);
    for (Entity* target : owned)
        describe(target, indent + "  owns ", out, seen);
    if (auto* group = queryInterface<Managed::ManagedGroupEntity>(entity))
        for (const StrongRef<Entity>& child : group->children())
            describe(child.get(), indent + "  ", out, seen);
    if (auto* roots = queryInterface<Managed::ManagedRootCollection>(entity))
        for (const StrongRef<Entity>& element : roots->elements())
            out << indent << "  element " << name(element.get()) << '\n';
}

} // namespace

SketchModelDocument::SketchModelDocument()
    : segment(asset.createSegment())
    , component(Component::make(segment))
    , sketches(Sketches::make(component.get())) {
    SketchesRoot::make(segment);
    static int counter = 0;
    m_path = "/tmp/kv-sketch-model-" + std::to_string(::getpid()) + "-" +
             std::to_string(++counter) + ".kvd";
}

SketchModelDocument::~SketchModelDocument() {
    sketches.reset();
    component.reset();
    asset.clear();
    std::remove(m_path.c_str());
}

StrongRef<Sketch> SketchModelDocument::newSketch(const std::wstring& name) {
    StrongRef<Sketch> made;
    transact([&] { made = Sketch::make(sketches, name); });
    return made;
}

void SketchModelDocument::expectStepsUndoAndRedo(const std::vector<Step>& steps) {
    std::vector<std::string> states{describeModel(asset)};
    for (const Step& step : steps) {
        transact(step.edit);
        states.push_back(describeModel(asset));
        ASSERT_NE(states.back(), states[states.size() - 2]) << step.name << " changed nothing";
    }
    for (size_t i = steps.size(); i > 0; --i) {
        ASSERT_TRUE(asset.undo()) << steps[i - 1].name;
        ASSERT_EQ(describeModel(asset), states[i - 1]) << "undo of " << steps[i - 1].name;
    }
    for (size_t i = 0; i < steps.size(); ++i) {
        ASSERT_TRUE(asset.redo()) << steps[i].name;
        ASSERT_EQ(describeModel(asset), states[i + 1]) << "redo of " << steps[i].name;
    }
}

std::unique_ptr<Asset> SketchModelDocument::saveAndOpen(const DocumentWriter::Schema& schema) {
    DocumentWriter::save(asset, m_path, nullptr, schema);
    return DocumentReader::load(m_path);
}

std::string describeModel(Asset& asset) {
    std::ostringstream out;
    std::set<const Entity*> seen;
    for (const auto& segment : asset.segments())
        for (const auto& [rootId, root] : segment->rootEntities()) {
            out << "segment " << segment->key() << " root " << rootId << '\n';
            describe(root.get(), "  ", out, seen);
        }
    return out.str();
}

StrongRef<Sketches> sketchesOf(Asset& asset) {
    StrongRef<Component> component = Component::find(asset.defaultSegment());
    if (!component)
        return {};
    for (const StrongRef<Entity>& child : component->children())
        if (auto* sketches = queryInterface<Sketches>(child.get()))
            return StrongRef<Sketches>(sketches);
    return {};
}

ChangeRecorder::ChangeRecorder(std::vector<Entity*> entities)
    : m_entities(std::move(entities)) {
    for (Entity* entity : m_entities)
        entity->subscribe(this);
}

ChangeRecorder::~ChangeRecorder() {
    for (Entity* entity : m_entities)
        if (entity)
            entity->unsubscribe(this);
}

std::vector<ChangeRecorder::Change> ChangeRecorder::changesOf(const Entity* entity) const {
    std::vector<Change> found;
    for (const Change& change : m_changes)
        if (change.entity == entity)
            found.push_back(change);
    return found;
}

void ChangeRecorder::onEntityPostChange(Entity& entity, const EntityChange& change) {
    m_changes.push_back(Change{&entity, change.kind(), change.changeType(), change.timing()});
}

void ChangeRecorder::onEntityDestroyed(Entity& entity) {
    std::replace(m_entities.begin(), m_entities.end(), &entity, static_cast<Entity*>(nullptr));
}

} // namespace Kv::Geometry::SketchTests
