#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "PackingSvg.h"
#include "geometry/Polygon.h"

using namespace Zelkor::Rectilinear;

namespace {

// One host with parts that leave their names room of every kind: a wide
// strip, a tall narrow one, a T whose label position lies in its narrow stem,
// a part too small for any label and a name that XML must escape. Drawn at
// one pixel a unit, labels run 7 to 14 units.
std::string drawnSample() {
    Tools::HostDrawing drawing;
    drawing.hostName = "offcut&1";
    drawing.host = Polygon("0,0 1400,0 1400,600 0,600", drawing.hostName);
    drawing.parts = PolygonSet(std::vector<Polygon>{
        Polygon("0,0 600,0 600,100 0,100", "wide-shelf"),
        Polygon("610,0 660,0 660,590 610,590", "tall-side"),
        Polygon("1000,400 1140,400 1140,0 1160,0 1160,400 1300,400 1300,460 1000,460", "tee"),
        Polygon("700,0 712,0 712,12 700,12", "tiny"),
        Polygon("700,100 900,100 900,300 700,300", "a<b&c"),
    });
    std::ostringstream svg;
    EXPECT_TRUE(Tools::writeHostSvg(svg, drawing, 4, 1.0).empty());
    return svg.str();
}

}  // namespace

TEST(PackingSvg, LabelsFitInsideTheirPartsOrAreLeftToTheTooltip) {
    const std::string svg = drawnSample();
    // A part's group: tooltip, outline, and the label if it has one.
    const std::regex partGroup(
        "<g class=\"part\"><title>([^<]*)</title><path d=\"[^\"]*\" data-name=\"[^\"]*\" data-polygon=\"([^\"]*)\"/>"
        "(?:<text transform=\"translate\\(([-0-9.]+) ([-0-9.]+)\\) scale\\(1 -1\\)( rotate\\(-90\\))?\" "
        "font-size=\"([0-9.]+)\"[^>]*>([^<]*)</text>)?</g>");
    // name -> "level", "upright" or "none"
    std::map<std::string, std::string> labels;
    for (std::sregex_iterator it(svg.begin(), svg.end(), partGroup), end; it != end; ++it) {
        const std::smatch& part = *it;
        const std::string name = part[1];
        if (!part[3].matched) {
            labels[name] = "none";
            continue;
        }
        EXPECT_EQ(part[7].str(), name);
        const bool upright = part[5].matched;
        labels[name] = upright ? "upright" : "level";

        // The text's estimated box, at least the smallest readable size, lies inside the part.
        const double size = std::stod(part[6]);
        EXPECT_GE(size, 7.0) << name;
        const std::size_t characters = name == "a&lt;b&amp;c" ? 5 : name.size();
        const double along = Tools::characterWidthEm * double(characters) * size / 2;
        const double across = Tools::textHeightEm * size / 2;
        const double x = std::stod(part[3]), y = std::stod(part[4]);
        const double halfWidth = upright ? across : along, halfHeight = upright ? along : across;
        const Coordinate left = std::floor(x - halfWidth), right = std::ceil(x + halfWidth);
        const Coordinate bottom = std::floor(y - halfHeight), top = std::ceil(y + halfHeight);
        const Polygon textBox(std::vector<Point>{{left, bottom}, {right, bottom}, {right, top}, {left, top}}, "");
        EXPECT_TRUE(Polygon(part[2].str(), name).contains(textBox)) << name << ": text box " << textBox;
    }
    const std::map<std::string, std::string> expected{{"wide-shelf", "level"}, {"tall-side", "upright"},
                                                      {"tee", "level"},        {"tiny", "none"},
                                                      {"a&lt;b&amp;c", "level"}};
    EXPECT_EQ(labels, expected);

    // Every name is escaped wherever it appears.
    EXPECT_NE(svg.find("<title>1. offcut&amp;1: 1400 \xc3\x97 600, 5 parts,"), std::string::npos);
    EXPECT_EQ(svg.find("a<b"), std::string::npos);
    EXPECT_FALSE(std::regex_search(svg, std::regex("&(?!amp;|lt;|gt;|quot;|apos;)")));
}
