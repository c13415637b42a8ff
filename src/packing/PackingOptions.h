#pragma once

#include "geometry/Point.h"
#include "packing/PackingModes.h"
#include "packing/PairingSearch.h"
#include "packing/ReportReceiver.h"

namespace Zelkor::Rectilinear {

// The effort of the optimizing pack (PackingOptions::optimizeEffort) where a
// front end asks for the search without saying how hard to try: a job's bare
// "optimize" line and pack_job's bare --optimize. Java's
// PackHandler.DEFAULT_OPTIMIZE_EFFORT has the same value.
constexpr int defaultOptimizeEffort = 5000;

// Everything a packing run takes besides the parts and the hosts in stock,
// set field by field:
//
//   PackingOptions options;
//   options.sheetLength = 3000;
//   options.sheetWidth = 1500;
//   options.bladeWidth = 4;
//   options.mode = PackingMode::minimumAreaOutfall;
//
// It is deliberately not an aggregate, so that `PackingOptions{4, 3000, 1500}`
// does not compile: a length and a width given by position are too easily
// swapped.
struct PackingOptions {
    PackingOptions() noexcept {}  // user-provided, and so no aggregate (not "= default")

    // Width the saw takes. Parts, hosts and the sheet grow by bladeWidth / 2,
    // rounded down, and grown parts may touch, so neighbouring parts keep
    // 2 * (bladeWidth / 2) apart. Not negative.
    int bladeWidth = 0;
    // The standard sheet, with its lower-left corner at the origin: its
    // length along x and its width along y. Both are 0 until set; copies of
    // the sheet are taken once the hosts in stock are used up, so set them
    // even when the stock should suffice.
    Coordinate sheetLength = 0;
    Coordinate sheetWidth = 0;
    PackingMode mode = PackingMode::standardSheet;
    // Receives progress and heartbeats on the calling thread (see
    // packing/ReportReceiver.h); whatever it throws ends the run. Not owned.
    // Null: no progress is reported.
    ReportReceiver* receiver = nullptr;
    // What a part that fits no host in stock and not the standard sheet does:
    // false, it makes the run fail with PackingException (the contract of the
    // positional form); true, it is set aside and listed with the reason in
    // PackingResults::partsSetAside, and the other parts are packed.
    bool setAsidePartsThatFitNowhere = false;
    // The greedy pairing search the engine runs. Another search of the same
    // answers may take its place, as a benchmark's baseline does. Not null.
    Math::GreedyPairingSearch pairingSearch = &Math::greedyPackToCreateMaxAreaSet;
    // Threads the run spreads its searches over, the calling thread included;
    // 0 takes one per core. The result is the same for every count; only the
    // calling thread ever calls the receiver.
    int threads = 0;
    // The optimizing pack. 0 packs exactly as the mode specifies. A positive
    // effort also searches for a layout on fewer hosts (then, per mode, a
    // better one by the mode's own criterion) and returns it only when it is
    // better than the specified result, which it never is worse than. The
    // same job, effort and seed give the same result on every machine and
    // thread count, unless the time cap cuts the search short.
    int optimizeEffort = 0;
    // Seed of the optimizing search's random choices.
    unsigned optimizeSeed = 1;
    // Wall-clock cap of the optimizing search in seconds; 0 sets none.
    double optimizeSeconds = 0.0;
};

}  // namespace Zelkor::Rectilinear
