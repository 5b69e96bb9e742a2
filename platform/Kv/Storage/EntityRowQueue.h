#pragma once

#include "Kv/Storage/EntityRow.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace Kv {

// Entity rows going from one thread to another in batches, so that the
// threads meet once per batch rather than once per row, with a few batches
// in flight at most: memory stays bounded whatever the document holds. The
// bytes a row names are copied in; what next() gives stays valid until its
// next call.
//
// Either side may fail: the exception is thrown to the other side at its
// next call, and nothing more goes through.
class EntityRowQueue {
public:
    EntityRowQueue();
    EntityRowQueue(const EntityRowQueue&) = delete;
    EntityRowQueue& operator=(const EntityRowQueue&) = delete;

    // The producing side. put() blocks while every batch is in flight and
    // answers false once the queue was stopped.
    bool put(const EntityRow& row);
    // No more rows: what is batched goes over.
    void close();

    // The consuming side: the next row, false after the last.
    bool next(EntityRow& row);

    // Either side: `error` reaches the other side at its next call.
    void fail(std::exception_ptr error);
    // Throws what a side failed with, if anything: for the producer once the
    // consumer is done.
    void rethrowIfFailed();
    // Wakes and ends both sides without an error (a side that gives up).
    void stop();

private:
    struct Batch {
        std::vector<EntityRow> rows;
        // Where each row's identifier and members are in `bytes`: the views
        // are set when the batch is handed over, as `bytes` may move before.
        std::vector<std::pair<size_t, size_t>> places;
        std::string bytes;
    };

    void hand(bool last);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<Batch>> m_full; // in the order put
    std::vector<std::unique_ptr<Batch>> m_free;
    bool m_closed = false;
    bool m_stopped = false;
    std::exception_ptr m_error;

    // Each side's own state on a cache line of its own: written for every
    // row, it would otherwise bounce between the two threads' caches.
    alignas(64) std::unique_ptr<Batch> m_putting;
    alignas(64) std::unique_ptr<Batch> m_taking;
    size_t m_next = 0;
};

} // namespace Kv
