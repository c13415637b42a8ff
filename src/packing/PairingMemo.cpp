#include "packing/PairingMemo.h"

#include <cstring>

namespace Zelkor::Rectilinear {

namespace {

void append(std::string& key, std::int32_t value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    key.append(bytes, sizeof value);
}

void append(std::string& key, const Polygon& polygon) {
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
    std::string key;
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
    answers.insert_or_assign(keyOf(baseSet, satelliteSet, hostPolygon, contractionFactor), answer);
}

}  // namespace Zelkor::Rectilinear
