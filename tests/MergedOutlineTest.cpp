#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "RandomPartClusters.h"
#include "geometry/MergedOutline.h"

using namespace Zelkor::Rectilinear;

namespace {

// Corner by corner, in order.
bool sameExactly(const PolygonSet& a, const PolygonSet& b) {
    if (a.size() != b.size()) return false;
    for (int k = 0; k < a.size(); ++k) {
        if (a.getPolygon(k).getPoints() != b.getPolygon(k).getPoints()) return false;
    }
    return true;
}

}  // namespace

// Adding members to a known merged outline gives exactly the merged outline
// of all members, in either order, whenever it gives an answer at all, and
// moved by an offset it is the merged outline of all members moved.
TEST(MergedOutlineDifferential, AddingToAKnownOutlineMergesLikeAllMembers) {
    std::mt19937 random(31);
    int answered = 0;
    constexpr int trials = 3000;
    for (int trial = 0; trial < trials; ++trial) {
        const PolygonSet group = Testing::randomPartGroup(random);
        const std::vector<Polygon>& members = group.getAllPolygons();
        const int split = std::uniform_int_distribution<int>(2, group.size() - 1)(random);
        const PolygonSet known(std::vector<Polygon>(members.begin(), members.begin() + split));
        const PolygonSet added(std::vector<Polygon>(members.begin() + split, members.end()));

        const Point offset(std::uniform_int_distribution<Coordinate>(-1000, 1000)(random),
                           std::uniform_int_distribution<Coordinate>(-1000, 1000)(random));
        // The members' order does not matter: a search may know either side's outline.
        PolygonSet moved = trial % 2 == 0 ? group : PolygonSet(added);
        if (trial % 2 != 0) moved.add(known);
        moved.translate(offset);
        const std::optional<MergedOutline> all = Math::mergedOutline(moved);
        const std::optional<MergedOutline> knownOutline = Math::mergedOutline(known);
        if (!all || !knownOutline) continue;
        std::optional<MergedOutline> incremental = Math::mergedOutlineAdding(*knownOutline, added);
        if (!incremental) continue;
        incremental->translate(offset);
        ++answered;
        std::ostringstream input;
        input << "known " << known << "\nadded " << added << "\nmoved by " << offset;
        ASSERT_TRUE(sameExactly(incremental->outlines, all->outlines))
            << input.str() << "\nexpected " << all->outlines << "\ngot " << incremental->outlines;
        ASSERT_TRUE(sameExactly(incremental->holes, all->holes))
            << input.str() << "\nexpected holes " << all->holes << "\ngot " << incremental->holes;
    }
    // Most additions are answered without merging all members again.
    EXPECT_GT(answered, trials / 2);
}
