#pragma once

namespace Kv {

// Transaction kinds. A kind is a set of these flags.
enum ETransact : int {
    kTransactDo = 1,     // an ordinary edit, recorded for undo
    kTransactNoUndo = 2, // notifies like an edit but is not recorded
    kTransactReplay = 4, // undo, redo, loading and clone-paste re-create state that was recorded
};

// Change types: which aspects of an entity a change touches.
enum EChangeType : unsigned {
    kChangeCounters = 0,
    kChangeProperties = 1,
    kChangeGeometry = 2,
    kChangeAppearance = 8,
    kChangeName = 16,
    kChangeEverything = 0xFFFF,
};

class DataChange {
public:
    // Whether the transaction kind carries `flag`.
    static bool test(int kind, int flag) { return (kind & flag) != 0; }
};

} // namespace Kv
