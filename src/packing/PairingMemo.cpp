#include "packing/PairingMemo.h"

#include <cstring>

#include "geometry/GrainTurns.h"

namespace Zelkor::Rectilinear {

namespace {

void append(std::string& key, std::int32_t value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    key.append(bytes, sizeof value);
}

void append(std::string& key, const Polygon& polygon) {
    // A grain changes the answers; a part without one keeps the key it had.
    const Math::GrainTurns grainTurns = Math::turnsKeepingGrain(polygon);
    if (grainTurns != Math::anyTurn) append(key, -1 - static_cast<std::int32_t>(grainTurns));
    append(key, polygon.numberOfPoints());
    for (const Point& p : polygon.getPoints()) {
        append(key, p.x);
        append(key, p.y);
    }
}

void append(std::string& key, const PolygonSet& set) {
    append(key, set.size());
    for (const Polygon& polygon : set.getAllPolygons()) append(key, polygon);
}

}  // namespace

std::string PairingMemo::keyOf(const PolygonSet& baseSet, const PolygonSet& satelliteSet, const Polygon& hostPolygon,
                               int contractionFactor) {
    // Reserved whole: a large set's key would otherwise grow by copying.
    std::size_t values = 1 + 2 + 2 * hostPolygon.numberOfPoints();
    for (const PolygonSet* set : {&baseSet, &satelliteSet}) {
        values += 1 + 2 * set->size();
        for (const Polygon& polygon : set->getAllPolygons()) values += 2 * polygon.getPoints().size();
    }
    std::string key;
    key.reserve(values * sizeof(std::int32_t));
    append(key, contractionFactor);
    append(key, hostPolygon);
    append(key, baseSet);
    append(key, satelliteSet);
    return key;
}

bool PairingMemo::find(const PolygonSet& baseSet, const PolygonSet& satelliteSet, const Polygon& hostPolygon,
                       int contractionFactor, ComparablePacking& answer) const {
    const auto found = answers.find(keyOf(baseSet, satelliteSet, hostPolygon, contractionFactor));
    if (found == answers.end()) return false;
    answer = found->second;
    answer.replaceShapes(baseSet, satelliteSet, hostPolygon);
    return true;
}

void PairingMemo::store(const PolygonSet& baseSet, const PolygonSet& satelliteSet, const Polygon& hostPolygon,
                        int contractionFactor, const ComparablePacking& answer) {
    ComparablePacking stored = answer;
    stored.releaseShapes();  // the key holds them; finding gives the stored answer the caller's
    answers.insert_or_assign(keyOf(baseSet, satelliteSet, hostPolygon, contractionFactor), std::move(stored));
}

std::optional<bool> PairingMemo::findFits(const PolygonSet& baseSet, const PolygonSet& satelliteSet,
                                          const Polygon& hostPolygon, int contractionFactor) const {
    const std::string key = keyOf(baseSet, satelliteSet, hostPolygon, contractionFactor);
    if (const auto answer = answers.find(key); answer != answers.end()) return answer->second.isValid();
    if (const auto known = fitting.find(key); known != fitting.end()) return known->second;
    return std::nullopt;
}

void PairingMemo::storeFits(const PolygonSet& baseSet, const PolygonSet& satelliteSet, const Polygon& hostPolygon,
                            int contractionFactor, bool fits) {
    fitting.insert_or_assign(keyOf(baseSet, satelliteSet, hostPolygon, contractionFactor), fits);
}

}  // namespace Zelkor::Rectilinear
