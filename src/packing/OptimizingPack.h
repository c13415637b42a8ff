#pragma once

#include <vector>

#include "geometry/Polygon.h"
#include "packing/PackingDriver.h"
#include "packing/PackingOptions.h"

namespace Zelkor::Rectilinear::Math {

// The optimizing pack: given the result the mode's own run made of `parts`
// (the parts it packed, set-aside parts left out) and `hosts` (the stock as
// the caller gave it), searches for a layout that is better by
// isBetterLayout and answers it, or else `specified` unchanged.
//
// The search decodes orders of the parts with a maximal-rectangles placer
// (packing/FreeRectangles.h): every part, host and the sheet grown by half
// the blade as the engine grows them, a part placed where each rectangle of
// its grown outline lies in an empty rectangle of its grown host, turned only
// as its grain allows; stock hosts in the mode's order before copies of the
// standard sheet, each at most once. Starts of six orders (largest first by
// area, longer side, perimeter, height, width, shorter side) under five
// placement rules (best short side, best area, contact, bottom-left, best
// long side), in the best host or the first that takes the part, are
// followed by four chains of local search over the order from the best
// starts. The search stops early once it needs no more sheets than the
// parts' area does (jobs without stock).
//
// options.optimizeEffort counts the trial layouts decoded (each costs about
// one placement per part and open host), starts and chains together;
// options.optimizeSeconds, when not 0, ends the search earlier. Starts and
// chains are independent tasks spread over options.threads and combined in
// their own order, so the same job, effort and seed give the same result on
// every machine and thread count unless the time cap ends the search. The
// receiver, called on the calling thread only, gets heartbeats (null) about
// every millisecond of the search; whatever it throws leaves this function.
//
// The results keep the specified run's unusableHosts and partsSetAside;
// groups come in host order with the driver's totals.
PackingResults optimizePacking(const std::vector<Polygon>& parts, const std::vector<Polygon>& hosts,
                               const PackingOptions& options, PackingResults specified);

// The measures by which two layouts of the same parts on the same stock are
// compared. All areas are of grown hosts and parts, exact.
struct LayoutMeasures {
    int hosts = 0;
    __int128 hostArea = 0;      // all hosts used
    __int128 sheetArea = 0;     // the copies of the standard sheet among them
    __int128 leftoverKept = 0;  // per host, its largest empty rectangle, summed
};

// Whether `a` is better than `b` for the mode:
//  - fewer hosts, in every mode;
//  - standardSheet and minimumAreaOutfall: then less host area (fewer and
//    smaller sheets and off-cuts, so less leftover), then more of the
//    leftover in one piece per host (a larger reusable off-cut);
//  - maximumAreaOutfall: then less area of new standard sheets (stock is
//    used first), then larger leftover pieces, then less host area.
bool isBetterLayout(const LayoutMeasures& a, const LayoutMeasures& b, int mode);

// The measures of finished results of packing onto `hosts` (the stock as
// given) with `options`: each group on the host it names, stock hosts taken
// in the mode's order, a group with no host name on the standard sheet
// unless an unnamed stock host still to come holds it.
LayoutMeasures measurePacking(const PackingResults& results, const std::vector<Polygon>& hosts,
                              const PackingOptions& options);

}  // namespace Zelkor::Rectilinear::Math
