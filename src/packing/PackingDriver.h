#pragma once

#include <string>
#include <vector>

#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "packing/PackingModes.h"
#include "packing/PackingOptions.h"
#include "packing/PairingSearch.h"
#include "packing/PartFit.h"
#include "packing/ReportReceiver.h"

namespace Zelkor::Rectilinear::Math {

// One group of the result: the parts placed on one host, in host coordinates.
struct HostAndSetPairing {
    PolygonSet set;
    // The name of the receiving host; empty for the standard sheet.
    std::string hostId;
};

// An inventory host the engine could not use, and why.
struct UnusableHost {
    int index = -1;    // its position in the hosts given
    std::string name;  // its name, empty when it had none
    std::string reason;
};

struct PackingResults {
    // One entry per host used, in the order the hosts were taken.
    std::vector<HostAndSetPairing> resultingSets;
    // Sum of the group areas, measured on the parts grown by half the spacing.
    float totalArea = 0.0f;
    // Sum, per group, of the part of the group's bounding rectangle inside its host.
    float totalMergedArea = 0.0f;
    // Sum of the areas of the hosts used, grown by half the spacing.
    float totalHostArea = 0.0f;
    // Inventory hosts that could take no part, in the order given.
    std::vector<UnusableHost> unusableHosts;
    // With PackingOptions::setAsidePartsThatFitNowhere, the parts that fit
    // nowhere and were left out, in the order given, each with its reason.
    std::vector<PartThatFitsNowhere> partsSetAside;
};

// Adds one group, placed in its host and both still grown by half the
// spacing, to the three totals of `results` as the driver sums them.
void addGroupToTotals(PackingResults& results, PolygonSet& group, const Polygon& host);

// Groups the parts and places them onto the hosts in stock (in the order the
// mode asks for, then copies of the standard sheet), as the positional form
// below does with the same values, and answers where each part went.
//
// `parts` and `hosts` are left as they are: the engine works on copies, which
// cost little next to the packing itself. The parts come back in host
// coordinates under their own names, the hosts that can take no part are
// listed in the results' unusableHosts. Progress goes to options.receiver,
// nowhere when it is null. Throws as the positional form does (but see
// options.setAsidePartsThatFitNowhere), and std::invalid_argument for a null
// options.pairingSearch.
PackingResults packPolygonsToInventory(const std::vector<Polygon>& parts, const std::vector<Polygon>& hosts,
                                       const PackingOptions& options);

// The positional form, which works on the caller's vectors in place.
//
// Groups the parts and places them onto the inventory hosts (in the order the
// mode asks for, then copies of the standard sheet of maxLength along x by
// maxWidth along y). Parts, hosts and the sheet grow by spacingUnits / 2
// (rounded down) and grown parts may touch, so neighbouring parts keep
// 2 * (spacingUnits / 2) apart: the spacing when it is even, one unit less
// when it is odd. Parts may reach the edges of their host.
//
// On return `polygonsToPack` has lost every part that was matched back into
// the result (normally all of them) and carries congruency ids; the hosts
// that can take no part have been removed from `potentialHosts` (and are
// listed in the results' unusableHosts) and the others are grown (see
// grownHost).
//
// Progress and heartbeats go to `reportReceiver`, whose exceptions end the run
// unchanged; the progress it sees never falls back. Throws PackingException
// when a part fits no host at all (findPartsThatFitNowhere in
// packing/PartFit.h names them beforehand), and
// CoordinateRangeException when a part, a host or the standard sheet grown by
// half the spacing leaves the coordinate range, or would leave it moved to the
// origin (is more than highestCoordinate wide or high).
PackingResults packPolygonsToInventory(std::vector<Polygon>& polygonsToPack, const int& spacingUnits,
                                       const int& maxWidth, const int& maxLength,
                                       std::vector<Polygon>& potentialHosts, int algorithm,
                                       ReportReceiver& reportReceiver);
// The same with another greedy pairing search of the same answers (a
// benchmark's baseline), on `threads` threads (0: one per core).
PackingResults packPolygonsToInventory(std::vector<Polygon>& polygonsToPack, const int& spacingUnits,
                                       const int& maxWidth, const int& maxLength,
                                       std::vector<Polygon>& potentialHosts, int algorithm,
                                       ReportReceiver& reportReceiver, GreedyPairingSearch pairingSearch,
                                       int threads = 0);

}  // namespace Zelkor::Rectilinear::Math
