#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "ShapeText.h"

using Zelkor::Tools::InputError;

namespace {

template <typename Read>
std::string verdictOf(Read read) {
    try {
        read();
        return "";
    } catch (const InputError& e) {
        return e.what();
    }
}

}  // namespace

// Lines the tools read with the reason they give, or "" for a line read as
// written; a plain polygon line gets the same verdict as a holed one.
TEST(ShapeText, ReadsOnlyWhatTheLibraryReadsAsWritten) {
    const std::string square = "0,0 10,0 10,10 0,10";
    const std::pair<std::string, std::string> cases[] = {
        {square, ""},
        {square + "\r", ""},
        {"0,0 0,10 10,10 10,0", ""},
        {"-5,-5 5,-5 5,5 -5,5", ""},
        {square + "|2,2 4,2 4,4 2,4", ""},
        {"0,0 10,0 10,10 0,10 0,5 3,5", "the closing edge from 3,5 to 0,0 of the polygon is neither horizontal nor vertical"},
        {"0,0 10,0 5,10 0,10", "the edge from 10,0 to 5,10 of the polygon is neither horizontal nor vertical"},
        {square + "|2,2 4,2 3,4 2,4", "the edge from 4,2 to 3,4 of hole 1 is neither"},
        {"0,0 10,0 10,10", "the polygon has 3 corners; a polygon needs at least four"},
        {"0,0 10,0 10,10 0,10 x", "corner 'x' has no comma"},
        {"0,0 10,0 10,10 0,10 5", "corner '5' has no comma"},
        {"0,0 10,0 10,10 0,1,0", "corner '0,1,0' has more than one comma"},
        {"0,0 10.5,0 10,10 0,10", "'10.5' in corner '10.5,0' is not a whole number"},
        {"0,0 +10,0 10,10 0,10", "'+10' in corner '+10,0' is not a whole number"},
        {"0,0 10,0 10,10 0,10)", "'10)' in corner '0,10)' is not a whole number"},
        {"0,0 3000000000,0 3000000000,10 0,10", "'3000000000' in corner '3000000000,0' is outside the coordinate range"},
        {"0,0 2147483647,0 2147483647,10 0,10", "'2147483647' in corner '2147483647,0' is outside the coordinate range"},
        {"-2147483647,0 0,0 0,10 -2147483647,10", "'-2147483647' in corner '-2147483647,0' is outside the coordinate range"},
        {"0,0  10,0 10,10 0,10", "the polygon has two spaces in a row"},
        {" 0,0 10,0 10,10 0,10", "the polygon starts or ends with a space"},
        {square + " | 2,2 4,2 4,4 2,4", "the base starts or ends with a space"},
        {square + "|", "hole 1 is empty"},
        {"0,0 10,0 10,10 5,10 5,-5 0,-5", "the outline crosses itself at 5,0"},
        {square + "|5,5 15,5 15,8 5,8", "hole 1 is not inside the base"},
    };
    for (const auto& [line, expected] : cases) {
        const std::string verdict = verdictOf([&line = line] { Zelkor::Tools::readHoledPolygon(line); });
        if (expected.empty()) {
            EXPECT_EQ(verdict, "") << line;
        } else {
            EXPECT_EQ(verdict.find(expected), 0u) << line << " -> " << verdict;
        }
    }
}

TEST(ShapeText, SegmentsAreTwoCornersOnAnAxisLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"0,0 0,10", ""},
        {"5,5 5,5", ""},
        {"0,0 5,5", "the segment from 0,0 to 5,5 is neither horizontal nor vertical"},
        {"0,0 0,10 0,20", "a segment is two corners, x1,y1 x2,y2; this line has 3"},
        {"0,0", "a segment is two corners, x1,y1 x2,y2; this line has 1"},
        {"0,0 0,a", "'a' in corner '0,a' is not a whole number"},
    };
    for (const auto& [line, expected] : cases) {
        EXPECT_EQ(verdictOf([&line = line] { Zelkor::Tools::readSegment(line); }), expected) << line;
    }
}
