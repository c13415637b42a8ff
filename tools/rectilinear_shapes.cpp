// Shape algebra from the command line, for trying inputs by hand; --help
// tells the commands and the text forms. Shapes are read one a line and
// checked strictly (ShapeText.h); results are printed one a line in the same
// forms, so that they can be fed back in.
#include <charconv>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

#include "ShapeText.h"
#include "ZelkorRectilinearGeometry.h"

using namespace Zelkor::Rectilinear;

namespace {

const char* const helpText =
    "usage: rectilinear_shapes COMMAND < shapes\n"
    "\n"
    "Reads shapes from standard input, one a line (blank lines are skipped), and\n"
    "prints the results one a line in the same text form.\n"
    "\n"
    "Commands:\n"
    "  union        the union of all shapes\n"
    "  subtract     the first shape minus all the others\n"
    "  contract N   every shape shrunk by N units (a negative N grows it)\n"
    "  area         the area of each shape\n"
    "  split        segments cut where they meet each other\n"
    "\n"
    "Text forms (x grows to the right, y upward; coordinates are whole numbers\n"
    "in -2147483646..2147483646):\n"
    "  corner         x,y\n"
    "  polygon        x,y x,y x,y x,y ...  at least four corners, one space between;\n"
    "                 every edge, the closing one from the last corner back to the\n"
    "                 first included, is horizontal or vertical; either orientation\n"
    "  holed polygon  base|hole|hole       polygons joined by '|'; the holes lie\n"
    "                 inside the base and apart from each other\n"
    "  segment        x,y x,y              horizontal or vertical (for split)\n"
    "\n"
    "Results are holed polygons, the outline counterclockwise; a result without\n"
    "holes is a plain polygon.\n"
    "\n"
    "Example:\n"
    "  printf '0,0 10,0 10,10 0,10\\n3,3 6,3 6,6 3,6\\n' | rectilinear_shapes subtract\n"
    "  0,0 10,0 10,10 0,10|6,6 3,6 3,3 6,3\n"
    "\n"
    "Malformed input is reported on standard error as \"line N: reason\", with\n"
    "exit status 1; a wrong command line gives exit status 2.\n";

int usage() {
    std::cerr << "usage: rectilinear_shapes union | subtract | contract N | area | split   (--help tells more)\n";
    return 2;
}

// Each non-blank line of standard input, read with `read`; a refused line
// raises InputError with its number in front.
template <typename Read>
auto readLines(Read read) {
    std::vector<decltype(read(std::string()))> shapes;
    int lineNumber = 0;
    for (std::string line; std::getline(std::cin, line);) {
        ++lineNumber;
        if (line.empty() || line == "\r") continue;
        try {
            shapes.push_back(read(line));
        } catch (const Zelkor::Tools::InputError& e) {
            throw Zelkor::Tools::InputError("line " + std::to_string(lineNumber) + ": " + e.what());
        }
    }
    return shapes;
}

HoledPolygonSet readShapes() {
    return HoledPolygonSet(readLines([](const std::string& line) { return Zelkor::Tools::readHoledPolygon(line); }));
}

void printEach(const HoledPolygonSet& shapes) {
    for (const HoledPolygon& shape : shapes.getAllPolygons()) std::cout << shape << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string command = argv[1];
    if (command == "--help" || command == "-h") {
        std::cout << helpText;
        return 0;
    }
    int units = 0;
    if (command == "contract") {
        const std::string amount = argc == 3 ? argv[2] : "";
        const auto [end, error] = std::from_chars(amount.data(), amount.data() + amount.size(), units);
        if (amount.empty() || error != std::errc() || end != amount.data() + amount.size()) return usage();
    } else if (argc != 2) {
        return usage();
    }

    try {
        if (command == "union") {
            printEach(readShapes().booleanAddAll());
        } else if (command == "subtract") {
            const HoledPolygonSet shapes = readShapes();
            if (shapes.empty()) return 0;
            const std::vector<HoledPolygon>& all = shapes.getAllPolygons();
            printEach(all.front().booleanSubtract(HoledPolygonSet(std::vector<HoledPolygon>(all.begin() + 1, all.end()))));
        } else if (command == "contract") {
            printEach(readShapes().getAllPolygonsContracted(units));
        } else if (command == "area") {
            const HoledPolygonSet shapes = readShapes();
            std::cout << std::fixed << std::setprecision(0);
            for (const HoledPolygon& shape : shapes.getAllPolygons()) std::cout << shape.getArea() << '\n';
        } else if (command == "split") {
            const std::vector<Segment> segments =
                readLines([](const std::string& line) { return Zelkor::Tools::readSegment(line); });
            for (const Segment& piece : Math::splitSegmentsBySegments(segments, segments)) std::cout << piece << '\n';
        } else {
            return usage();
        }
    } catch (const Zelkor::Tools::InputError& e) {
        std::cerr << "rectilinear_shapes: " << e.what() << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "rectilinear_shapes: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
