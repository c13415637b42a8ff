#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "packing/ComparablePacking.h"

namespace Zelkor::Rectilinear {

// Answers of the two-set pairing search, remembered by the exact outlines of
// the base, the satellite and the host (names and ids play no part in the
// search). The same pair of shapes meets again and again while a host is
// filled: after every merge, for every congruent copy, and in every check of
// the largest set.
class PairingMemo {
public:
    // The remembered answer for these shapes, made to carry the given sets.
    bool find(const PolygonSet& baseSet, const PolygonSet& satelliteSet, const Polygon& hostPolygon,
              int contractionFactor, ComparablePacking& answer) const;
    void store(const PolygonSet& baseSet, const PolygonSet& satelliteSet, const Polygon& hostPolygon,
               int contractionFactor, const ComparablePacking& answer);
    // Whether the search finds any placement for these shapes, when that is known.
    std::optional<bool> findFits(const PolygonSet& baseSet, const PolygonSet& satelliteSet, const Polygon& hostPolygon,
                                 int contractionFactor) const;
    void storeFits(const PolygonSet& baseSet, const PolygonSet& satelliteSet, const Polygon& hostPolygon,
                   int contractionFactor, bool fits);
    void clear() {
        answers.clear();
        fitting.clear();
    }
    std::size_t size() const { return answers.size(); }

private:
    static std::string keyOf(const PolygonSet& baseSet, const PolygonSet& satelliteSet, const Polygon& hostPolygon,
                             int contractionFactor);

    std::unordered_map<std::string, ComparablePacking> answers;
    std::unordered_map<std::string, bool> fitting;
};

}  // namespace Zelkor::Rectilinear
