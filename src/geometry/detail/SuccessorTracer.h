#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "geometry/Point.h"
#include "geometry/Segment.h"
#include "geometry/detail/BoundingBox.h"

namespace Zelkor::Rectilinear::Detail {

// Traces a boundary as the list tracer does where no two of its pieces start
// at the same point: every piece then has one successor, and each cycle runs
// from its first piece in list order through its successors. A piece's
// successor is mostly the piece before or after it in the list (the next
// piece of its edge, or of the edge before it once its edges were turned
// round); the others are looked up by their start. Where the boundary's
// cycles came from cycles that meet neither themselves nor one another,
// two pieces can start at the same point only within `meetingBox`, and only
// starts there are compared; an invalid box has every start compared. False,
// with nothing traced, where a point starts two pieces or a cycle does not
// close: the list tracer then has its say. Keeps its lists between
// boundaries.
class SuccessorTracer {
public:
    bool trace(const std::vector<Segment>& list, const Box& meetingBox);

    // Calls visit(first, last, anchor) for each cycle traced, in order: its
    // corners in [first, last), and the list position of its first piece.
    template <typename Visit>
    void forEachCycle(Visit&& visit) const {
        std::size_t begin = 0;
        for (const auto& [end, anchor] : ends) {
            visit(corners.begin() + static_cast<std::ptrdiff_t>(begin), corners.begin() + static_cast<std::ptrdiff_t>(end),
                  anchor);
            begin = end;
        }
    }

private:
    std::vector<Point> corners;
    std::vector<std::pair<std::size_t, std::size_t>> ends;  // (end in corners, anchor)
    std::vector<char> used;
    // Looked-up starts in a small open-addressed table: (point key, position
    // + 1), 0 marking a free slot.
    std::vector<std::pair<std::uint64_t, std::size_t>> starts;
};

}  // namespace Zelkor::Rectilinear::Detail
