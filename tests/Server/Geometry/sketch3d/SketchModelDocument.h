#pragma once

// A document holding a component with its sketch collection, for the tests of
// the 3D sketch model, with what they share: running edits as transactions,
// reading the whole model as text (to compare states before and after undo,
// redo or a save and open), and recording the changes entities report.

#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/sketch3d/Sketches.h"
#include "Kv/CommonData/Component.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/IEntityObserver.h"
#include "Kv/Storage/DocumentWriter.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Kv::Geometry::SketchTests {

// One named edit of a session.
struct Step {
    Step(const char* stepName, std::function<void()> stepEdit)
        : name(stepName)
        , edit(std::move(stepEdit)) {}
    const char* name;
    std::function<void()> edit;
};

class SketchModelDocument {
public:
    SketchModelDocument();
    ~SketchModelDocument();
    SketchModelDocument(const SketchModelDocument&) = delete;
    SketchModelDocument& operator=(const SketchModelDocument&) = delete;

    // A new sketch of the collection, made in a transaction of its own.
    StrongRef<Sketch> newSketch(const std::wstring& name = L"");
    // Runs `edit` as one undoable transaction.
    template <class Edit> void transact(Edit edit) {
        asset.beginTransaction("test");
        edit();
        asset.commitTransaction();
    }
    // Runs each step as a transaction of its own, then undoes them all and
    // redoes them all, expecting each to change the model and each undo and
    // redo to bring back exactly the model it left.
    void expectStepsUndoAndRedo(const std::vector<Step>& steps);
    // Saves the document to a scratch file, through `schema`, and opens it again.
    std::unique_ptr<Asset> saveAndOpen(const DocumentWriter::Schema& schema = {});

    Asset asset;
    Segment* segment;
    StrongRef<Component> component;
    StrongRef<Sketches> sketches;

private:
    std::string m_path;
};

// Everything the asset's segments hold, from their roots down through group
// children and owned entities: identifiers, classes, members and child
// order. Two equal texts mean the same objects in the same state.
std::string describeModel(Asset& asset);

// The sketch collection of a document's default segment, as kvgeo makes it.
StrongRef<Sketches> sketchesOf(Asset& asset);

// The changes entities report while it listens: kind and change type of each.
class ChangeRecorder : public IEntityObserver {
public:
    struct Change {
        Entity* entity;
        int kind;
        unsigned changeType;
        int timing;
    };
    explicit ChangeRecorder(std::vector<Entity*> entities);
    ~ChangeRecorder();
    ChangeRecorder(const ChangeRecorder&) = delete;
    ChangeRecorder& operator=(const ChangeRecorder&) = delete;

    const std::vector<Change>& changes() const { return m_changes; }
    std::vector<Change> changesOf(const Entity* entity) const;
    void clear() { m_changes.clear(); }

    void onEntityPostChange(Entity& entity, const EntityChange& change) override;
    void onEntityDestroyed(Entity& entity) override;

private:
    std::vector<Entity*> m_entities;
    std::vector<Change> m_changes;
};

} // namespace Kv::Geometry::SketchTests
