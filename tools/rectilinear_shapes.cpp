// Shape algebra from the command line, for trying inputs by hand:
//
//   rectilinear_shapes union          < polygons   one polygon text per line
//   rectilinear_shapes subtract       < polygons   first line minus the others
//   rectilinear_shapes contract N     < polygons   every polygon shrunk by N (negative grows)
//   rectilinear_shapes split          < segments   segments cut at each other
//
// Results are printed one shape per line in the library's text forms. A
// polygon that is not a valid shape (it crosses or runs over itself, or
// encloses no area) is refused with the reason.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "ZelkorRectilinearGeometry.h"

using namespace Zelkor::Rectilinear;

namespace {

std::vector<std::string> readLines() {
    std::vector<std::string> lines;
    for (std::string line; std::getline(std::cin, line);) {
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

PolygonSet readPolygons() {
    PolygonSet polygons;
    for (const std::string& line : readLines()) polygons.add(Math::readValidPolygon(line, ""));
    return polygons;
}

template <typename Shapes>
void printEach(const Shapes& shapes) {
    for (const auto& shape : shapes) std::cout << shape << '\n';
}

int usage() {
    std::cerr << "usage: rectilinear_shapes union | subtract | contract N | split  (shapes on standard input)\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string command = argv[1];
    try {
        if (command == "union") {
            PolygonSet holes;
            const PolygonSet outlines = readPolygons().booleanAddAndSimplifyAll(&holes);
            printEach(outlines.getAllPolygons());
            for (const Polygon& hole : holes.getAllPolygons()) std::cout << "hole " << hole << '\n';
        } else if (command == "subtract") {
            const PolygonSet polygons = readPolygons();
            if (polygons.empty()) return 0;
            const std::vector<Polygon>& all = polygons.getAllPolygons();
            const PolygonSet subtrahends(std::vector<Polygon>(all.begin() + 1, all.end()));
            printEach(all.front().booleanSubtract(subtrahends).getAllPolygons());
        } else if (command == "contract" && argc == 3) {
            printEach(readPolygons().getAllPolygonsContracted(std::atoi(argv[2])).getAllPolygons());
        } else if (command == "split") {
            std::vector<Segment> segments;
            for (const std::string& line : readLines()) segments.emplace_back(line);
            printEach(Math::splitSegmentsBySegments(segments, segments));
        } else {
            return usage();
        }
    } catch (const InvalidPolygonException& e) {
        std::cerr << e;
        if (!e.getReason().empty()) std::cerr << " Invalid shape: " << e.getReason();
        std::cerr << '\n';
        return 1;
    } catch (const Zelkor::Exception& e) {
        std::cerr << e << '\n';
        return 1;
    }
    return 0;
}
