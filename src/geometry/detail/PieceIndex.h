#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "geometry/Segment.h"
#include "geometry/detail/BoundingBox.h"
#include "geometry/detail/SegmentKeys.h"

namespace Zelkor::Rectilinear::Detail {

// Split boundary pieces and "the first piece equal to s in either
// direction", the question every union asks of a neighbour's pieces. A few
// pieces are searched directly; many go through a hash table of their end
// points (open addressing, each set of end points filed once, under its
// first piece), so a long outline does not make every lookup linear.
class PieceIndex {
public:
    explicit PieceIndex(std::vector<Segment> newPieces) : pieces(std::move(newPieces)) {
        if (pieces.size() > directSearchLimit) buildSlots();
    }

    const std::vector<Segment>& getPieces() const { return pieces; }

    // The first piece equal to s in either direction, or null.
    const Segment* firstMatch(const Segment& s) const {
        if (pieces.size() <= directSearchLimit) {
            const auto found = std::find(pieces.begin(), pieces.end(), s);
            return found == pieces.end() ? nullptr : &*found;
        }
        for (std::size_t slot = slotOf(s);; slot = (slot + 1) & (slots.size() - 1)) {
            if (slots[slot] == 0) return nullptr;
            const Segment& piece = pieces[slots[slot] - 1];
            if (piece == s) return &piece;
        }
    }

private:
    void buildSlots();
    // The same for both directions of a segment.
    std::size_t slotOf(const Segment& s) const {
        const SegmentKey key = undirectedKey(s);
        const std::uint64_t mixed = (key.first ^ (key.second * 0xC2B2AE3D27D4EB4Full)) * 0x9E3779B97F4A7C15ull;
        return static_cast<std::size_t>(mixed >> slotShift);
    }

    static constexpr std::size_t directSearchLimit = 16;
    std::vector<Segment> pieces;
    std::vector<std::uint32_t> slots;  // position + 1 of a piece, 0 for an empty slot
    unsigned slotShift = 64;
};

// Every member's edges cut wherever an edge of any member meets them, as the
// unions of many members need them. Only edges of touching members that reach
// the member's box can cut it, and most members of a tiling are not cut at
// all: their edges are then kept as they are, which is what splitting would
// hand back.
std::vector<PieceIndex> splitAmongTouchingMembers(std::vector<std::vector<Segment>>&& edges,
                                                  const std::vector<Box>& boxes, const TouchingMembers& touching);

}  // namespace Zelkor::Rectilinear::Detail
