#include "Kv/DataModel/UndoStack.h"

#include "Kv/DataModel/Transaction.h"

namespace Kv {

UndoStack::UndoStack() = default;
UndoStack::~UndoStack() {
    clear();
}

void UndoStack::push(std::unique_ptr<Transaction> transaction) {
    m_undone.clear();
    m_done.push_back(std::move(transaction));
}

std::string UndoStack::undoName() const {
    return m_done.empty() ? "" : m_done.back()->name();
}
std::string UndoStack::redoName() const {
    return m_undone.empty() ? "" : m_undone.back()->name();
}

bool UndoStack::undo() {
    if (m_done.empty())
        return false;
    std::unique_ptr<Transaction> transaction = std::move(m_done.back());
    m_done.pop_back();
    transaction->undo();
    m_undone.push_back(std::move(transaction));
    return true;
}

bool UndoStack::redo() {
    if (m_undone.empty())
        return false;
    std::unique_ptr<Transaction> transaction = std::move(m_undone.back());
    m_undone.pop_back();
    transaction->redo();
    m_done.push_back(std::move(transaction));
    return true;
}

void UndoStack::clear() {
    // Newest first: later transactions may hold the last references to
    // entities that earlier ones also refer to.
    while (!m_undone.empty())
        m_undone.pop_back();
    while (!m_done.empty())
        m_done.pop_back();
}

} // namespace Kv
