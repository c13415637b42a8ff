#include "geometry/SegmentSplitting.h"

#include <algorithm>
#include <functional>

namespace Zelkor::Rectilinear::Math {

namespace {

bool isSentinel(Coordinate c) {
    return c == Point::holeCoordinate || c == Point::infinity;
}

bool within(Coordinate value, Coordinate a, Coordinate b) {
    return a <= b ? (a <= value && value <= b) : (b <= value && value <= a);
}

// Positions along the target's axis where perpendicular cutters meet its
// interior, in no particular order and possibly repeated.
void collectCutPositions(const Segment& target, const std::vector<Segment>& cutters,
                         std::vector<Coordinate>& positions) {
    positions.clear();
    const bool vertical = target.isVertical();
    const Point& start = target.getStartPoint();
    const Point& end = target.getEndPoint();
    // Along: the axis the target runs on; across: its fixed coordinate.
    const Coordinate across = vertical ? start.x : start.y;
    const Coordinate alongStart = vertical ? start.y : start.x;
    const Coordinate alongEnd = vertical ? end.y : end.x;
    if (isSentinel(across)) return;
    for (const Segment& cutter : cutters) {
        if (cutter.isVertical() == vertical) continue;
        const Point& c0 = cutter.getStartPoint();
        const Point& c1 = cutter.getEndPoint();
        const Coordinate position = vertical ? c0.y : c0.x;
        if (position == alongStart || position == alongEnd || isSentinel(position)) continue;
        if (!within(position, alongStart, alongEnd)) continue;
        if (!(vertical ? within(across, c0.x, c1.x) : within(across, c0.y, c1.y))) continue;
        positions.push_back(position);
    }
}

Point pointAt(const Segment& target, Coordinate position) {
    const Point& start = target.getStartPoint();
    return target.isVertical() ? Point(start.x, position) : Point(position, start.y);
}

}  // namespace

std::vector<Segment> splitSegmentsBySegments(const std::vector<Segment>& targetSegments,
                                             const std::vector<Segment>& cuttingSegmentsConst) {
    if (targetSegments.empty() || cuttingSegmentsConst.empty()) return targetSegments;
    std::vector<Segment> splitSegments;
    splitSegments.reserve(targetSegments.size());
    std::vector<Coordinate> positions;
    for (const Segment& target : targetSegments) {
        collectCutPositions(target, cuttingSegmentsConst, positions);
        if (positions.empty()) {
            splitSegments.push_back(target);
            continue;
        }
        // Order the cuts from the target's end back to its start: the last
        // piece is emitted first.
        const bool increasing = target.isVertical() ? target.definedUpward() : target.definedRightward();
        if (increasing) {
            std::sort(positions.begin(), positions.end(), std::greater<>());
        } else {
            std::sort(positions.begin(), positions.end());
        }
        positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
        Point pieceEnd = target.getEndPoint();
        for (Coordinate position : positions) {
            const Point cut = pointAt(target, position);
            splitSegments.emplace_back(cut, pieceEnd);
            pieceEnd = cut;
        }
        splitSegments.emplace_back(target.getStartPoint(), pieceEnd);
    }
    return splitSegments;
}

}  // namespace Zelkor::Rectilinear::Math
