#include <gtest/gtest.h>

#include <ctime>
#include <iostream>
#include <sstream>
#include <string>

#include "diagnostics/DebugOutput.h"

using namespace Zelkor::Rectilinear;

namespace {

const std::string canvas = "convert -size 800x800 xc:white -strokewidth 1 -stroke \"#000000\" ";

std::string drawingCommand(const PolygonSet& set, const char* fileName) {
    std::ostringstream out;
    Math::printPolygonsForViewing(set, fileName, out);
    return out.str();
}

// Captures what a function writes to standard output through std::cout.
template <typename Print>
std::string capturedStandardOutput(Print print) {
    std::ostringstream captured;
    std::streambuf* const original = std::cout.rdbuf(captured.rdbuf());
    print();
    std::cout.rdbuf(original);
    return captured.str();
}

}  // namespace

TEST(DebugOutput, DrawingCommandSlidesAndScalesToTheCanvas) {
    PolygonSet set;
    set.add(Polygon("10,10 20,10 20,20 10,20", ""));
    set.add(Polygon("20,10 30,10 30,15 20,15", ""));
    const std::string expected = canvas +
                                 "-fill \"#0000FF\" -draw \"polygon  0,0 400,0 400,400 0,400\" "
                                 "-fill \"#00FF00\" -draw \"polygon  400,0 800,0 800,200 400,200\" "
                                 "picture.png\n";
    EXPECT_EQ(drawingCommand(set, "picture.png"), expected);
    // The argument is a copy: the caller's set is not moved or scaled.
    EXPECT_EQ(set.getPolygon(0).toString(), "10,10 20,10 20,20 10,20");
    EXPECT_EQ(capturedStandardOutput([&set] { Math::printPolygonsForViewing(set, "picture.png"); }), expected);
}

TEST(DebugOutput, EmptySetPrintsOnlyTheOptions) {
    EXPECT_EQ(drawingCommand(PolygonSet(), "empty.png"), canvas + "empty.png\n");
    EXPECT_EQ(drawingCommand(PolygonSet(), nullptr), canvas + "\n");
}

TEST(DebugOutput, FillColoursCycleOverSix) {
    PolygonSet set;
    for (Coordinate i = 0; i < 7; ++i) set.add(Polygon(std::vector<Point>{{i, 0}, {i + 1, 0}, {i + 1, 1}, {i, 1}}, ""));
    const std::string command = drawingCommand(set, "f");
    const std::string fill = "-fill ";
    std::string colours;
    for (std::size_t at = command.find(fill); at != std::string::npos; at = command.find(fill, at + 1)) {
        colours += command.substr(at + fill.size(), 9) + ' ';
    }
    EXPECT_EQ(colours,
              "\"#0000FF\" \"#00FF00\" \"#FF0000\" \"#00FFFF\" \"#FF00FF\" \"#FFFF00\" \"#0000FF\" ");
}

TEST(DebugOutput, TimeStampInTheCLibraryLayout) {
    std::tm t{};
    t.tm_year = 73;
    t.tm_mon = 8;
    t.tm_mday = 16;
    t.tm_wday = 0;
    t.tm_hour = 1;
    t.tm_min = 3;
    t.tm_sec = 52;
    EXPECT_EQ(Math::formatTimeStamp(t), "Sun Sep 16 01:03:52 1973\n");
    t.tm_mday = 5;
    t.tm_year = 126;
    t.tm_wday = 6;
    t.tm_mon = 11;
    EXPECT_EQ(Math::formatTimeStamp(t), "Sat Dec  5 01:03:52 2026\n");

    const std::string now = capturedStandardOutput([] { Math::printTimeStamp(); });
    // "Www Mmm dd hh:mm:ss yyyy\n"
    ASSERT_EQ(now.size(), 25u) << now;
    EXPECT_EQ(now[3], ' ');
    EXPECT_EQ(now[7], ' ');
    EXPECT_EQ(now[13], ':');
    EXPECT_EQ(now[16], ':');
    EXPECT_EQ(now[19], ' ');
    EXPECT_EQ(now.back(), '\n');
}
