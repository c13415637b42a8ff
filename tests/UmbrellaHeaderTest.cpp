#include <gtest/gtest.h>

#include "ZelkorRectilinearGeometry.h"

// The umbrella header stands on its own and exposes the whole interface.
TEST(UmbrellaHeader, ExposesTheInterface) {
    using namespace Zelkor::Rectilinear;
    const Polygon square("0,0 10,0 10,10 0,10", "square");
    const HoledPolygon withHole("0,0 10,0 10,10 0,10|4,4 6,4 6,6 4,6");
    EXPECT_EQ(square.getArea(), 100.0f);
    EXPECT_EQ(withHole.getArea(), 96.0f);
    EXPECT_FALSE(Math::whatIsWrongWith(withHole).has_value());
    EXPECT_EQ(Math::splitSegmentsBySegments({Segment(0, 0, 10, 0)}, {Segment(5, -1, 5, 1)}).size(), 2u);
}
