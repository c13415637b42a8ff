#include "packing/PartFit.h"

#include <algorithm>
#include <cstdint>

#include "packing/Growth.h"
#include "placement/HostSearch.h"

namespace Zelkor::Rectilinear::Math {

namespace {

std::string sizeText(std::int64_t length, std::int64_t width) {
    return std::to_string(length) + " x " + std::to_string(width);
}

std::string sizeText(const Polygon& shape) {
    const Rectangle box = shape.getBoundingRectangle();
    return sizeText(std::int64_t{box.getTopRight().x} - box.getBottomLeft().x,
                    std::int64_t{box.getTopRight().y} - box.getBottomLeft().y);
}

std::string partText(const Polygon& part, std::size_t index) {
    if (part.getName().empty()) return "part " + std::to_string(index + 1) + " (unnamed, " + sizeText(part) + ")";
    return "part '" + part.getName() + "' (" + sizeText(part) + ")";
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
                           partText(parts[i], i) + " fits neither the " + sizeText(sheetLength, sheetWidth) +
                               " sheet nor any off-cut"});
    }
    return misfits;
}

}  // namespace Zelkor::Rectilinear::Math
