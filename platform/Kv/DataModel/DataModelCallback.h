#pragma once

namespace Kv {

class Asset;
class Entity;

// Hooks an add-in installs on a meta type to hear about data-model events
// that concern all entities of the type rather than one of them.
class DataModelCallback {
public:
    virtual ~DataModelCallback() = default;

    // Asks to be told about entities of the type made by a clone-paste.
    void performPostClonePaste() { m_postClonePaste = true; }
    bool wantsPostClonePaste() const { return m_postClonePaste; }

    // An entity of the type was created by cloning during a paste.
    virtual void onPostClonePaste(Entity&) {}
    // A document holding entities of the type was loaded or restored.
    virtual void onPostRestore(Asset&) {}

private:
    bool m_postClonePaste = false;
};

} // namespace Kv
