#pragma once

#include <vector>

#include "packing/ComparablePacking.h"
#include "packing/PairingMemo.h"
#include "packing/ReportReceiver.h"
#include "packing/WorkerPool.h"

namespace Zelkor::Rectilinear {

// The evaluated pairings of the engine's working list of sets, one entry per
// unordered pair of list positions: row i holds the entries of the pairs
// {i, j} for every j < i. The cache follows the list: it grows when sets are
// added and shifts indices down when one is removed.
//
// Positions out of range, or two equal positions, are not errors: reads give
// an unset, invalid entry and writes, unsets and deletions do nothing.
class PackingCache {
public:
    explicit PackingCache(int newNumberOfElements);
    virtual ~PackingCache() = default;

    // A copy of the pair's entry (either order), or an unset, invalid entry.
    ComparablePacking getCacheEntry(int element1, int element2) const;
    // Access without the copy; null for an unusable pair. Metrics computed on
    // the stored entry stay with it.
    const ComparablePacking* findCacheEntry(int element1, int element2) const;
    ComparablePacking* findCacheEntry(int element1, int element2);
    // Stores the entry, marked as set.
    void setCacheEntry(int element1, int element2, ComparablePacking cacheEntry);
    int size() const { return static_cast<int>(cache.size()); }
    // Marks every entry of the element unset; the entries keep their values.
    void unsetAllCacheEntriesForElement(int element);
    // Removes the element; later elements move down one position.
    void deleteElement(int element);
    // Appends elements with unset entries, or deletes from the end.
    void resize(int newNumberOfElements);

    // Answers of the pairing search for the whole run, kept beside the cache
    // (which lives for one pass of one host); null when there are none.
    PairingMemo* getMemo() const { return memo; }
    void attachMemo(PairingMemo* runMemo) { memo = runMemo; }
    // Where the searches the cache starts on its own (the checks against the
    // largest set) send their heartbeats, so that an abort reaches them too;
    // null for none.
    ReportReceiver* getHeartbeatReceiver() const { return heartbeatReceiver; }
    void attachHeartbeatReceiver(ReportReceiver* receiver) { heartbeatReceiver = receiver; }

    // The threads a pass may spread its pairing searches over; null, or a
    // pool of one thread, searches on the calling thread alone.
    WorkerPool* getWorkers() const { return workers; }
    void attachWorkers(WorkerPool* pool) { workers = pool; }

private:
    bool isUsablePair(int element1, int element2) const;

    std::vector<std::vector<ComparablePacking>> cache;
    PairingMemo* memo = nullptr;
    ReportReceiver* heartbeatReceiver = nullptr;
    WorkerPool* workers = nullptr;
};

}  // namespace Zelkor::Rectilinear
