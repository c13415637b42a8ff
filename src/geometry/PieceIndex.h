#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "geometry/BoundingBox.h"
#include "geometry/Segment.h"
#include "geometry/SegmentKeys.h"

namespace Zelkor::Rectilinear::Detail {

// Split boundary pieces and "the first piece equal to s in either
// direction", the question every union asks of a neighbour's pieces. A few
// pieces are searched directly; many go through an index sorted by
// undirected end points, then position, so a long outline does not make
// every lookup linear.
class PieceIndex {
public:
    explicit PieceIndex(std::vector<Segment> newPieces) : pieces(std::move(newPieces)) {
        if (pieces.size() > directSearchLimit) buildEntries();
    }

    const std::vector<Segment>& getPieces() const { return pieces; }

    // The first piece equal to s in either direction, or null.
    const Segment* firstMatch(const Segment& s) const {
        if (pieces.size() <= directSearchLimit) {
            const auto found = std::find(pieces.begin(), pieces.end(), s);
            return found == pieces.end() ? nullptr : &*found;
        }
        const SegmentKey key = undirectedKey(s);
        const auto found = std::lower_bound(entries.begin(), entries.end(), key,
                                            [](const Entry& e, const SegmentKey& k) { return e.key < k; });
        if (found == entries.end() || found->key != key) return nullptr;
        return &pieces[found->position];
    }

private:
    void buildEntries();

    static constexpr std::size_t directSearchLimit = 16;
    struct Entry {
        SegmentKey key;
        std::size_t position;
    };
    std::vector<Segment> pieces;
    std::vector<Entry> entries;
};

// Every member's edges cut wherever an edge of any member meets them, as the
// unions of many members need them. Only edges of touching members that reach
// the member's box can cut it, and most members of a tiling are not cut at
// all: their edges are then kept as they are, which is what splitting would
// hand back.
std::vector<PieceIndex> splitAmongTouchingMembers(std::vector<std::vector<Segment>>&& edges,
                                                  const std::vector<Box>& boxes, const TouchingMembers& touching);

}  // namespace Zelkor::Rectilinear::Detail
