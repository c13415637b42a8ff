#include "geometry/MergedOutline.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <unordered_map>
#include <utility>

#include "geometry/detail/SegmentKeys.h"

namespace Zelkor::Rectilinear::Math {

namespace {

// Closed boxes meet when they share a point.
bool boxesMeet(const Rectangle& a, const Rectangle& b) {
    return a.getBottomLeft().x <= b.getTopRight().x && b.getBottomLeft().x <= a.getTopRight().x &&
           a.getBottomLeft().y <= b.getTopRight().y && b.getBottomLeft().y <= a.getTopRight().y;
}

bool boxContains(const Rectangle& outer, const Rectangle& inner) {
    return outer.getBottomLeft().x <= inner.getBottomLeft().x && outer.getBottomLeft().y <= inner.getBottomLeft().y &&
           inner.getTopRight().x <= outer.getTopRight().x && inner.getTopRight().y <= outer.getTopRight().y;
}

// Polygons with their anchors, in the order the union's walks give them:
// by anchor, and in walking order within one walk.
struct Traced {
    std::vector<Polygon> polygons;
    std::vector<Segment> anchors;
    std::vector<int> origins;  // the position in the known outline, or -1 for a new polygon

    void add(const Polygon& polygon, const Segment& anchor, int origin) {
        polygons.push_back(polygon);
        anchors.push_back(anchor);
        origins.push_back(origin);
    }

    // Two lists, each in walking order and sharing no walk, as one list.
    void orderWalks() {
        std::vector<std::size_t> order(polygons.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return anchors[a] < anchors[b]; });
        Traced sorted;
        for (const std::size_t k : order) sorted.add(polygons[k], anchors[k], origins[k]);
        *this = std::move(sorted);
    }
};

}  // namespace

}  // namespace Zelkor::Rectilinear::Math

namespace Zelkor::Rectilinear {

void MergedOutline::translate(const Point& offset) {
    outlines.translate(offset);
    holes.translate(offset);
    for (std::vector<Segment>* anchors : {&outlineAnchors, &holeAnchors}) {
        for (Segment& anchor : *anchors) {
            anchor = Segment(Point(wrappingAdd(anchor.getStartPoint().x, offset.x), wrappingAdd(anchor.getStartPoint().y, offset.y)),
                             Point(wrappingAdd(anchor.getEndPoint().x, offset.x), wrappingAdd(anchor.getEndPoint().y, offset.y)));
        }
    }
}

}  // namespace Zelkor::Rectilinear

namespace Zelkor::Rectilinear::Math {

std::optional<MergedOutline> mergedOutlineAdding(const MergedOutline& known, const PolygonSet& added) {
    const Rectangle addedBox = added.getBoundingRectangle();
    if (added.empty() || known.outlines.empty() || addedBox.getBottomLeft().isHole() ||
        known.holeTouches.size() != static_cast<std::size_t>(known.holes.size())) {
        return std::nullopt;
    }
    for (const Polygon& hole : known.holes.getAllPolygons()) {
        if (boxesMeet(hole.getBoundingRectangle(), addedBox)) return std::nullopt;
    }

    // Merged again: the outlines whose boxes meet the added members' box,
    // then every outline whose box meets one of those, so that an outline
    // left alone shares no point with anything that changes. Outlines are
    // merged without their holes, so an island in a hole stays alone: no
    // change reaches into a hole's box.
    const std::vector<Polygon>& outlines = known.outlines.getAllPolygons();
    auto insideAHole = [&](const Rectangle& box) {
        return std::any_of(known.holes.getAllPolygons().begin(), known.holes.getAllPolygons().end(),
                           [&](const Polygon& hole) { return boxContains(hole.getBoundingRectangle(), box); });
    };
    std::vector<bool> near(outlines.size(), false);
    std::vector<Rectangle> nearBoxes{addedBox};
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t k = 0; k < outlines.size(); ++k) {
            const Rectangle box = outlines[k].getBoundingRectangle();
            if (near[k] || std::none_of(nearBoxes.begin(), nearBoxes.end(),
                                        [&](const Rectangle& b) { return boxesMeet(b, box); }) ||
                insideAHole(box)) {
                continue;
            }
            near[k] = true;
            nearBoxes.push_back(box);
            grew = true;
        }
    }
    // An outline given back as it is was never traced: it cannot stay alone.
    if (std::find(near.begin(), near.end(), true) == near.end()) return std::nullopt;
    if (!known.traced && std::find(near.begin(), near.end(), false) != near.end()) return std::nullopt;

    PolygonSet remerged;
    Traced outlinesLeft, holesLeft;
    for (std::size_t k = 0; k < outlines.size(); ++k) {
        if (near[k]) {
            remerged.add(outlines[k]);
        } else {
            outlinesLeft.add(outlines[k], known.outlineAnchors[k], static_cast<int>(k));
        }
    }
    // A hole that touches an outline merged again would have to be walked
    // again with it.
    for (int k = 0; k < known.holes.size(); ++k) {
        const int touched = known.holeTouches[static_cast<std::size_t>(k)];
        if (touched == MergedOutline::severalOutlines || (touched >= 0 && near[static_cast<std::size_t>(touched)])) {
            return std::nullopt;
        }
        holesLeft.add(known.holes.getPolygon(k), known.holeAnchors[static_cast<std::size_t>(k)], k);
    }
    remerged.add(added);

    const std::optional<MergedOutline> local = mergedOutline(remerged, false);
    if (!local) return std::nullopt;
    for (int k = 0; k < local->outlines.size(); ++k) {
        outlinesLeft.add(local->outlines.getPolygon(k), local->outlineAnchors[static_cast<std::size_t>(k)], -1);
    }
    for (int k = 0; k < local->holes.size(); ++k) {
        holesLeft.add(local->holes.getPolygon(k), local->holeAnchors[static_cast<std::size_t>(k)], -1);
    }
    outlinesLeft.orderWalks();
    holesLeft.orderWalks();
    MergedOutline merged;
    merged.outlines = PolygonSet(std::move(outlinesLeft.polygons));
    merged.holes = PolygonSet(std::move(holesLeft.polygons));
    merged.outlineAnchors = std::move(outlinesLeft.anchors);
    merged.holeAnchors = std::move(holesLeft.anchors);
    merged.holeOrigins = std::move(holesLeft.origins);
    merged.traced = true;
    return merged;
}

void findHoleContacts(MergedOutline& merged) {
    std::unordered_map<std::uint64_t, int> outlineAt;
    const std::vector<Polygon>& outlines = merged.outlines.getAllPolygons();
    for (std::size_t j = 0; j < outlines.size(); ++j) {
        for (const Point& corner : outlines[j].getPoints()) {
            outlineAt.emplace(Detail::pointKey(corner), static_cast<int>(j));
        }
    }
    merged.holeTouches.assign(static_cast<std::size_t>(merged.holes.size()), MergedOutline::noOutline);
    for (int k = 0; k < merged.holes.size(); ++k) {
        int& touches = merged.holeTouches[static_cast<std::size_t>(k)];
        for (const Point& corner : merged.holes.getPolygon(k).getPoints()) {
            const auto found = outlineAt.find(Detail::pointKey(corner));
            if (found == outlineAt.end() || found->second == touches) continue;
            touches = touches == MergedOutline::noOutline ? found->second : MergedOutline::severalOutlines;
        }
    }
}

}  // namespace Zelkor::Rectilinear::Math
