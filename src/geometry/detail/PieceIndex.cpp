#include "geometry/detail/PieceIndex.h"

#include <utility>

#include "geometry/SegmentSplitting.h"

namespace Zelkor::Rectilinear::Detail {

// Filed in order of position, the first piece with a set of end points
// takes the slot and later equal ones are passed over.
void PieceIndex::buildSlots() {
    std::size_t slotCount = 64;
    while (slotCount < 2 * pieces.size()) slotCount *= 2;
    for (std::size_t c = slotCount; c > 1; c /= 2) --slotShift;
    slots.assign(slotCount, 0);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        for (std::size_t slot = slotOf(pieces[i]);; slot = (slot + 1) & (slotCount - 1)) {
            if (slots[slot] == 0) {
                slots[slot] = static_cast<std::uint32_t>(i + 1);
                break;
            }
            if (pieces[slots[slot] - 1] == pieces[i]) break;
        }
    }
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

// Uncut members keep their edges, moved rather than copied once no member
// needs them as cutters any more.
std::vector<PieceIndex> splitAmongTouchingMembers(std::vector<std::vector<Segment>>&& edges,
                                                  const std::vector<Box>& boxes, const TouchingMembers& touching) {
    const std::size_t count = edges.size();
    std::vector<PieceIndex> split;
    split.reserve(count);
    std::vector<std::size_t> uncut;
    std::vector<Segment> cutters;
    Math::SplitScratch scratch;
    for (std::size_t ii = 0; ii < count; ++ii) {
        cutters.clear();
        for (const std::size_t* kk = touching.begin(ii); kk != touching.end(ii); ++kk) {
            for (const Segment& e : edges[*kk]) {
                if (boxes[ii].touches(Box(e))) cutters.push_back(e);
            }
        }
        std::vector<Segment> pieces;
        if (!anyCut(edges[ii], cutters) || !Math::splitSegmentsBySegmentsInto(edges[ii], cutters, scratch, pieces)) {
            uncut.push_back(ii);
        }
        split.emplace_back(std::move(pieces));
    }
    for (const std::size_t ii : uncut) split[ii] = PieceIndex(std::move(edges[ii]));
    return split;
}

}  // namespace Zelkor::Rectilinear::Detail
