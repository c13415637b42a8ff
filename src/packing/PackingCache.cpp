#include "packing/PackingCache.h"

#include <algorithm>
#include <utility>

namespace Zelkor::Rectilinear {

PackingCache::PackingCache(int newNumberOfElements) {
    resize(newNumberOfElements);
    for (int element = 0; element < size(); ++element) unsetAllCacheEntriesForElement(element);
}

bool PackingCache::isUsablePair(int element1, int element2) const {
    return element1 != element2 && element1 >= 0 && element2 >= 0 && element1 < size() && element2 < size();
}

const ComparablePacking* PackingCache::findCacheEntry(int element1, int element2) const {
    if (!isUsablePair(element1, element2)) return nullptr;
    return &cache[static_cast<std::size_t>(std::max(element1, element2))]
                 [static_cast<std::size_t>(std::min(element1, element2))];
}

ComparablePacking* PackingCache::findCacheEntry(int element1, int element2) {
    return const_cast<ComparablePacking*>(std::as_const(*this).findCacheEntry(element1, element2));
}

ComparablePacking PackingCache::getCacheEntry(int element1, int element2) const {
    const ComparablePacking* entry = findCacheEntry(element1, element2);
    return entry ? *entry : ComparablePacking();
}

void PackingCache::setCacheEntry(int element1, int element2, ComparablePacking cacheEntry) {
    if (!isUsablePair(element1, element2)) return;
    cacheEntry.setIsSet(true);
    cache[static_cast<std::size_t>(std::max(element1, element2))][static_cast<std::size_t>(
        std::min(element1, element2))] = std::move(cacheEntry);
}

void PackingCache::unsetAllCacheEntriesForElement(int element) {
    if (element < 0 || element >= size()) return;
    for (ComparablePacking& entry : cache[static_cast<std::size_t>(element)]) entry.setIsSet(false);
    for (std::size_t row = static_cast<std::size_t>(element) + 1; row < cache.size(); ++row) {
        cache[row][static_cast<std::size_t>(element)].setIsSet(false);
    }
}

void PackingCache::deleteElement(int element) {
    if (element < 0 || element >= size()) return;
    for (std::size_t row = static_cast<std::size_t>(element) + 1; row < cache.size(); ++row) {
        cache[row].erase(cache[row].begin() + element);
    }
    cache.erase(cache.begin() + element);
}

void PackingCache::resize(int newNumberOfElements) {
    while (size() < newNumberOfElements) cache.emplace_back(cache.size());
    while (size() > std::max(newNumberOfElements, 0)) deleteElement(size() - 1);
}

}  // namespace Zelkor::Rectilinear
