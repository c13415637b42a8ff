#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShapeBuilders.h"
#include "geometry/CoordinateRangeException.h"
#include "packing/PartFit.h"

using namespace Zelkor::Rectilinear;
using Testing::rect;

namespace {

Polygon named(Polygon shape, const std::string& name) {
    shape.setName(name);
    return shape;
}

// Parts are judged grown by half the blade, rounded down, against the grown
// sheet and the hosts that can grow, quarter turns allowed.
TEST(PartFit, NamesThePartsThatFitNeitherTheSheetNorAnyHost) {
    // A U whose slot, 3 wide, is narrower than a blade of 4: the slot stays
    // empty and grown parts keep clear of it, so the leg left of it, 14 wide,
    // takes no 14-wide part.
    const Polygon slotted = named(Testing::poly("0,0 31,0 31,20 17,20 17,5 14,5 14,20 0,20"), "slotted");
    const Polygon tall = named(rect(0, 0, 14, 20), "tall");
    struct Misfit {
        int index;
        std::string reason;
    };
    struct Case {
        const char* what;
        std::vector<Polygon> parts;
        int blade;
        Coordinate sheetLength, sheetWidth;
        std::vector<Polygon> hosts;
        std::vector<Misfit> expected;
    };
    const std::vector<Case> cases = {
        {"fits the sheet turned", {named(rect(0, 0, 20, 10), "a")}, 6, 10, 20, {}, {}},
        {"larger than the sheet",
         {named(rect(0, 0, 10, 10), "a")},
         0,
         1,
         1,
         {},
         {{0, "part 'a' (10 x 10) fits neither the 1 x 1 sheet nor any off-cut"}}},
        {"fits an off-cut only", {tall}, 0, 10, 10, {slotted}, {}},
        {"the slot narrower than the blade is kept clear",
         {tall},
         4,
         10,
         10,
         {slotted},
         {{0, "part 'tall' (14 x 20) fits neither the 10 x 10 sheet nor any off-cut"}}},
        {"blade 3 grows by 1 only, leaving the slot open", {tall}, 3, 10, 10, {slotted}, {}},
        {"several, in the order given",
         {rect(0, 0, 5, 5), rect(0, 0, 11, 3), named(rect(0, 0, 3, 12), "c")},
         2,
         10,
         10,
         {},
         {{1, "part 2 (unnamed, 11 x 3) fits neither the 10 x 10 sheet nor any off-cut"},
          {2, "part 'c' (3 x 12) fits neither the 10 x 10 sheet nor any off-cut"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<Math::PartThatFitsNowhere> misfits =
            Math::findPartsThatFitNowhere(c.parts, c.blade, c.sheetLength, c.sheetWidth, c.hosts);
        ASSERT_EQ(misfits.size(), c.expected.size());
        for (std::size_t k = 0; k < misfits.size(); ++k) {
            EXPECT_EQ(misfits[k].index, c.expected[k].index);
            EXPECT_EQ(misfits[k].name, c.parts[static_cast<std::size_t>(c.expected[k].index)].getName());
            EXPECT_EQ(misfits[k].reason, c.expected[k].reason);
        }
    }
    // Growing past the coordinate range is the caller's to hear about.
    EXPECT_THROW(Math::findPartsThatFitNowhere({rect(2147483600, 0, 2147483640, 10)}, 20, 100, 100, {}),
                 CoordinateRangeException);
}

}  // namespace
