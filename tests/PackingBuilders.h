#pragma once

#include <string>
#include <vector>

#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "packing/ReportReceiver.h"

namespace Zelkor::Rectilinear::Testing {

// A set of unnamed polygons given by their texts ("0,0 10,0 10,10 0,10").
inline PolygonSet polygonSetOf(const std::vector<std::string>& texts) {
    PolygonSet set;
    for (const std::string& text : texts) set.add(Polygon(text, ""));
    return set;
}

// What a receiver throws to stop a packing run.
struct StopRequested {};

// Counts what the engine reports: heartbeats (null) and progress values.
// With `throwOnCall` n > 0, the n-th call of either kind throws StopRequested.
class CountingReceiver final : public ReportReceiver {
public:
    explicit CountingReceiver(int newThrowOnCall = 0) : throwOnCall(newThrowOnCall) {}

    void report(void* data) override {
        ++calls;
        if (data) {
            progress.push_back(*static_cast<float*>(data));
        } else {
            ++heartbeats;
        }
        if (calls == throwOnCall) throw StopRequested();
    }

    int throwOnCall;
    int calls = 0;
    int heartbeats = 0;
    std::vector<float> progress;
};

}  // namespace Zelkor::Rectilinear::Testing
