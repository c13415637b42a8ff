#include "geometry/PieceIndex.h"

#include <utility>

#include "geometry/SegmentSplitting.h"

namespace Zelkor::Rectilinear::Detail {

void PieceIndex::buildEntries() {
    entries.reserve(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) entries.push_back({undirectedKey(pieces[i]), i});
    // Among equal keys the lowest position comes first: the first match.
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.key < b.key || (a.key == b.key && a.position < b.position);
    });
}

namespace {

// Whether some perpendicular cutter meets the interior of some target, that
// is, whether splitting could change anything.
bool anyCut(const std::vector<Segment>& targets, const std::vector<Segment>& cutters) {
    for (const Segment& target : targets) {
        const Point& a = target.getStartPoint();
        const Point& b = target.getEndPoint();
        const bool vertical = target.isVertical();
        const Coordinate across = vertical ? a.x : a.y;
        const Coordinate low = vertical ? std::min(a.y, b.y) : std::min(a.x, b.x);
        const Coordinate high = vertical ? std::max(a.y, b.y) : std::max(a.x, b.x);
        if (low == high) continue;
        for (const Segment& cutter : cutters) {
            if (cutter.isVertical() == vertical) continue;
            const Point& c = cutter.getStartPoint();
            const Point& d = cutter.getEndPoint();
            const Coordinate position = vertical ? c.y : c.x;
            if (position <= low || position >= high) continue;
            const Coordinate cutterLow = vertical ? std::min(c.x, d.x) : std::min(c.y, d.y);
            const Coordinate cutterHigh = vertical ? std::max(c.x, d.x) : std::max(c.y, d.y);
            if (cutterLow <= across && across <= cutterHigh) return true;
        }
    }
    return false;
}

}  // namespace

std::vector<PieceIndex> splitAmongTouchingMembers(const std::vector<std::vector<Segment>>& edges,
                                                  const std::vector<Box>& boxes, const TouchingMembers& touching) {
    const std::size_t count = edges.size();
    std::vector<PieceIndex> split;
    split.reserve(count);
    std::vector<Segment> cutters;
    for (std::size_t ii = 0; ii < count; ++ii) {
        cutters.clear();
        for (const std::size_t* kk = touching.begin(ii); kk != touching.end(ii); ++kk) {
            for (const Segment& e : edges[*kk]) {
                if (boxes[ii].touches(Box(e))) cutters.push_back(e);
            }
        }
        split.emplace_back(anyCut(edges[ii], cutters) ? Math::splitSegmentsBySegments(edges[ii], cutters)
                                                      : edges[ii]);
    }
    return split;
}

}  // namespace Zelkor::Rectilinear::Detail
