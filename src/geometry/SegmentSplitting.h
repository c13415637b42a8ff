#pragma once

#include <memory>
#include <vector>

#include "geometry/Segment.h"

namespace Zelkor::Rectilinear::Math {

// Cuts every target segment at each point of its interior that a
// perpendicular cutting segment crosses or touches. A target cut at several
// points comes out as consecutive pieces, last piece first, each running in
// the target's direction; uncut targets come out unchanged, in input order.
std::vector<Segment> splitSegmentsBySegments(const std::vector<Segment>& targetSegments,
                                             const std::vector<Segment>& cuttingSegmentsConst);

// Working buffers of the splitting, kept between calls by callers that split
// many small sets in a row.
class SplitScratch {
public:
    SplitScratch();
    ~SplitScratch();
    SplitScratch(const SplitScratch&) = delete;
    SplitScratch& operator=(const SplitScratch&) = delete;

private:
    friend bool splitSegmentsBySegmentsInto(const std::vector<Segment>&, const std::vector<Segment>&, SplitScratch&,
                                        std::vector<Segment>&);
    struct Buffers;
    std::unique_ptr<Buffers> buffers;
};

// The same splitting, appending the pieces of every target to `pieces` when
// some target is cut; false, with `pieces` untouched, when none is.
bool splitSegmentsBySegmentsInto(const std::vector<Segment>& targetSegments,
                                 const std::vector<Segment>& cuttingSegments, SplitScratch& scratch,
                                 std::vector<Segment>& pieces);

// One target's pieces, appended to `pieces` just as the splitting of a list
// would give them, by comparing it with every cutter: for a target that few
// cutters can reach.
void splitSegmentBySegmentsInto(const Segment& target, const std::vector<Segment>& cuttingSegments,
                                std::vector<Segment>& pieces);

}  // namespace Zelkor::Rectilinear::Math
