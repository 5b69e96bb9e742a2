#pragma once

#include <memory>
#include <string>
#include <vector>

namespace Kv {

class Transaction;

// The committed transactions of an asset that can be undone, and those undone
// that can be redone. A new commit forgets the redo side.
class UndoStack {
public:
    UndoStack();
    ~UndoStack();

    void push(std::unique_ptr<Transaction> transaction);
    bool canUndo() const { return !m_done.empty(); }
    bool canRedo() const { return !m_undone.empty(); }
    size_t undoCount() const { return m_done.size(); }
    size_t redoCount() const { return m_undone.size(); }
    // The name of the transaction undo (redo) would play back, or "".
    std::string undoName() const;
    std::string redoName() const;
    bool undo();
    bool redo();
    void clear();

private:
    std::vector<std::unique_ptr<Transaction>> m_done;
    std::vector<std::unique_ptr<Transaction>> m_undone;
};

} // namespace Kv
