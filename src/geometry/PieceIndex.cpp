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
        if (!Math::splitSegmentsBySegmentsInto(edges[ii], cutters, scratch, pieces)) uncut.push_back(ii);
        split.emplace_back(std::move(pieces));
    }
    for (const std::size_t ii : uncut) split[ii] = PieceIndex(std::move(edges[ii]));
    return split;
}

}  // namespace Zelkor::Rectilinear::Detail
