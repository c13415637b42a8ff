#pragma once

namespace Zelkor::Rectilinear {

// A sortable (position, area) pair: the engine sorts these instead of the
// shapes themselves. Only the value takes part in comparisons.
class IndexedValue {
public:
    IndexedValue(int newIndex, double newValue) : index(newIndex), value(newValue) {}

    bool operator<(const IndexedValue& rhs) const { return value < rhs.value; }
    static bool greaterThanComparison(const IndexedValue& lhs, const IndexedValue& rhs) {
        return lhs.value > rhs.value;
    }

    int index;
    double value;
};

}  // namespace Zelkor::Rectilinear
