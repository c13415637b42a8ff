#include "packing/PartFit.h"

#include <algorithm>

#include "packing/Growth.h"
#include "packing/PackingHelpers.h"
#include "placement/HostSearch.h"

namespace Zelkor::Rectilinear::Math {

namespace {

std::string partText(const Polygon& part, std::size_t index) {
    std::string size = sizeText(part.getBoundingRectangle());
    if (part.getTurnsAllowed() == TurnsAllowed::half) size += ", turned end for end only";
    if (part.getTurnsAllowed() == TurnsAllowed::none) size += ", never turned";
    if (part.getName().empty()) return "part " + std::to_string(index + 1) + " (unnamed, " + size + ")";
    return "part '" + part.getName() + "' (" + size + ")";
}

// The hosts that can take parts, grown as the engine grows them.
std::vector<Polygon> grownHosts(const std::vector<Polygon>& hosts, int expansionFactor) {
    std::vector<Polygon> grown;
    for (const Polygon& host : hosts) {
        GrownHost candidate = grownHost(host, expansionFactor);
        if (candidate.host) grown.push_back(std::move(*candidate.host));
    }
    return grown;
}

}  // namespace

std::vector<PartThatFitsNowhere> findPartsThatFitNowhere(const std::vector<Polygon>& parts, int bladeWidth,
                                                         Coordinate sheetLength, Coordinate sheetWidth,
                                                         const std::vector<Polygon>& hosts) {
    const int expansionFactor = bladeWidth / 2;
    Polygon sheet({Point(0, 0), Point(sheetLength, 0), Point(sheetLength, sheetWidth), Point(0, sheetWidth)}, "");
    const std::string sheetSize = sizeText(sheet.getBoundingRectangle());
    sheet.unvalidatedExpand(expansionFactor);
    const std::vector<Polygon> usableHosts = grownHosts(hosts, expansionFactor);

    std::vector<PartThatFitsNowhere> misfits;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Polygon grown = grownPart(parts[i], expansionFactor);
        // Most parts fit the sheet, so the hosts are rarely searched.
        if (Math::canContain(sheet, grown)) continue;
        if (std::any_of(usableHosts.begin(), usableHosts.end(),
                        [&grown](const Polygon& host) { return Math::canContain(host, grown); })) {
            continue;
        }
        misfits.push_back({static_cast<int>(i), parts[i].getName(),
                           partText(parts[i], i) + " fits neither the " + sheetSize +
                               " sheet nor any off-cut"});
    }
    return misfits;
}

}  // namespace Zelkor::Rectilinear::Math
