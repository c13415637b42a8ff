#include "geometry/SegmentSplitting.h"

#include <algorithm>
#include <functional>

namespace Zelkor::Rectilinear::Math {

namespace {

bool isSentinel(Coordinate c) {
    return c == Point::holeCoordinate || c == Point::infinity;
}

// A cutter seen from the targets it may cut: its fixed coordinate
// (`position`, the y of a horizontal cutter or the x of a vertical one) and
// the closed range it spans on the other axis.
struct CutterSpan {
    Coordinate position;
    Coordinate low;
    Coordinate high;
    bool operator<(const CutterSpan& other) const { return position < other.position; }
};

// Cutters grouped by orientation and sorted by their fixed coordinate, so a
// target only visits the cutters whose line passes through its range.
class CutterIndex {
public:
    explicit CutterIndex(const std::vector<Segment>& cutters) {
        for (const Segment& cutter : cutters) {
            const Point& a = cutter.getStartPoint();
            const Point& b = cutter.getEndPoint();
            if (cutter.isVertical()) {
                vertical.push_back({a.x, std::min(a.y, b.y), std::max(a.y, b.y)});
            } else {
                horizontal.push_back({a.y, std::min(a.x, b.x), std::max(a.x, b.x)});
            }
        }
        std::stable_sort(vertical.begin(), vertical.end());
        std::stable_sort(horizontal.begin(), horizontal.end());
    }

    // Positions along the target's axis where a perpendicular cutter meets
    // the target's interior (unsorted, possibly repeated). Crossings at a
    // sentinel coordinate are no points and never split.
    void collectCutPositions(const Segment& target, std::vector<Coordinate>& positions) const {
        positions.clear();
        const bool targetVertical = target.isVertical();
        const Point& start = target.getStartPoint();
        const Point& end = target.getEndPoint();
        const Coordinate across = targetVertical ? start.x : start.y;
        const Coordinate alongStart = targetVertical ? start.y : start.x;
        const Coordinate alongEnd = targetVertical ? end.y : end.x;
        if (isSentinel(across)) return;
        const Coordinate low = std::min(alongStart, alongEnd);
        const Coordinate high = std::max(alongStart, alongEnd);
        // Perpendicular to a vertical target are the horizontal cutters.
        const std::vector<CutterSpan>& candidates = targetVertical ? horizontal : vertical;
        auto first = std::upper_bound(candidates.begin(), candidates.end(), CutterSpan{low, 0, 0});
        for (auto it = first; it != candidates.end() && it->position < high; ++it) {
            if (it->low <= across && across <= it->high && !isSentinel(it->position)) {
                positions.push_back(it->position);
            }
        }
    }

private:
    std::vector<CutterSpan> vertical;
    std::vector<CutterSpan> horizontal;
};

Point pointAt(const Segment& target, Coordinate position) {
    const Point& start = target.getStartPoint();
    return target.isVertical() ? Point(start.x, position) : Point(position, start.y);
}

}  // namespace

std::vector<Segment> splitSegmentsBySegments(const std::vector<Segment>& targetSegments,
                                             const std::vector<Segment>& cuttingSegmentsConst) {
    if (targetSegments.empty() || cuttingSegmentsConst.empty()) return targetSegments;
    const CutterIndex cutters(cuttingSegmentsConst);
    std::vector<Segment> splitSegments;
    splitSegments.reserve(targetSegments.size());
    std::vector<Coordinate> positions;
    for (const Segment& target : targetSegments) {
        cutters.collectCutPositions(target, positions);
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
