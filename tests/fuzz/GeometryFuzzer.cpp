// The shape algebra on decoded valid shapes, against Boost.Polygon: the
// pieces of a subtraction, a union or an offset cover exactly the region
// Boost computes, never overlap, and keep their holes inside them.

#include <string>
#include <vector>

#include "FuzzInput.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/PolygonSet.h"

using namespace Zelkor::Rectilinear;
using namespace Zelkor::Rectilinear::Fuzzing;
namespace bp = boost::polygon;
using namespace bp::operators;

namespace {

// Square-cornered shrink (positive k) or bloat (negative k).
Region offset(Region region, int k) {
    if (k > 0) bp::shrink(region, static_cast<unsigned>(k));
    if (k < 0) bp::bloat(region, static_cast<unsigned>(-k));
    return region;
}

// The region, four times as large, with every opening it encloses filled, a
// pocket that an outline closes off at a corner included. At that scale,
// growing by one closes such corners and nothing else, so the openings that
// stay shut are the enclosed ones, which growing by one restores.
Region filledFourfold(const Region& region) {
    Region scaled = region;
    bp::scale_up(scaled, 4);
    Region grown = scaled;
    bp::bloat(grown, 1);
    std::vector<bp::polygon_90_with_holes_data<int>> pieces;
    grown.get(pieces);
    Region openings;
    for (const auto& piece : pieces) {
        for (auto hole = piece.begin_holes(); hole != piece.end_holes(); ++hole) openings.insert(*hole);
    }
    bp::bloat(openings, 1);
    return scaled | openings;
}

void subtract(FuzzInput& in) {
    const HoledPolygon a = decodeHoledPolygon(in, 6, 3, 3);
    std::vector<HoledPolygon> others;
    for (int count = in.between(1, 3); count > 0; --count) others.push_back(decodeHoledPolygon(in, 5, 3, 2));
    if (others.size() == 1) {
        for (int way = 0; way < 2; ++way) {
            const HoledPolygon& from = way == 0 ? a : others[0];
            const HoledPolygon& taken = way == 0 ? others[0] : a;
            const std::string input = "[" + from.toString() + "] minus [" + taken.toString() + "]";
            const HoledPolygonSet result = from.booleanSubtract(taken);
            requireExactCover(result.getAllPolygons(), boostRegion(from) - boostRegion(taken), input);
            requireHolesInside(result.getAllPolygons(), input);
        }
        return;
    }
    const HoledPolygonSet taken(others);
    const std::string input = "[" + a.toString() + "] minus the set [" + taken.toString() + "]";
    const HoledPolygonSet result = a.booleanSubtract(taken);
    requireExactCover(result.getAllPolygons(), boostRegion(a) - boostRegion(taken), input);
    requireHolesInside(result.getAllPolygons(), input);
}

void addPolygons(FuzzInput& in) {
    const Polygon a = decodePolygon(in, 6, 3);
    const Polygon b = decodePolygon(in, 6, 3);
    const std::string input = "[" + a.toString() + "] plus [" + b.toString() + "]";
    PolygonSet holes;
    const PolygonSet outlines = a.booleanAddAndSimplify(b, &holes);
    // Outlines count once and holes minus once (Boost adds the windings up):
    // together they make the union, nowhere twice. The outlines overlap only
    // where one shape lies in a pocket the other's outline closes off at a
    // corner: the pocket is a hole of the union, the shape in it an outline.
    const Region expected = boostRegion(a) | boostRegion(b);
    Region counted;
    double areaSum = 0.0;
    for (const Polygon& outline : outlines.getAllPolygons()) {
        counted.insert(Testing::boostOutline(outline));
        areaSum += outline.getArea();
    }
    for (const Polygon& hole : holes.getAllPolygons()) {
        counted.insert(Testing::boostOutline(hole), true);
        areaSum -= hole.getArea();
    }
    if (bp::area(counted ^ expected) != 0) fail("outlines and holes make another region", input);
    if (areaSum != static_cast<double>(bp::area(expected))) fail("outlines or holes overlap", input);
    if (a.booleanAddAndSimplify(b, nullptr).toString() != outlines.toString()) fail("other outlines without holes", input);
}

void addAll(FuzzInput& in) {
    HoledPolygonSet set;
    for (int count = in.between(1, 5); count > 0; --count) set.add(decodeHoledPolygon(in, 5, 3, 2));
    const std::string input = "the union of [" + set.toString() + "]";
    const HoledPolygonSet result = set.booleanAddAll();
    requireExactCover(result.getAllPolygons(), boostRegion(set), input);
    requireHolesInside(result.getAllPolygons(), input);
}

void offsets(FuzzInput& in) {
    const int k = in.between(-5, 5);
    const Polygon polygon = decodePolygon(in, 6, 3);
    const HoledPolygon shape = decodeHoledPolygon(in, 6, 3, 3);
    const std::string input = "[" + polygon.toString() + "] and [" + shape.toString() + "] contracted by " + std::to_string(k);
    const Region polygonRegion = boostRegion(polygon);
    const HoledPolygonSet holedPieces = HoledPolygon(polygon).getPolygonContracted(k);
    requireExactCover(holedPieces.getAllPolygons(), offset(polygonRegion, k), input);
    requireHolesInside(holedPieces.getAllPolygons(), input);
    // A plain polygon's pieces cover the offset with everything it encloses.
    const PolygonSet plainPieces = polygon.getPolygonContracted(k);
    Region plain = boostRegion(plainPieces);
    requireExactCover(plainPieces.getAllPolygons(), plain, input);
    bp::scale_up(plain, 4);
    if (bp::area(plain ^ filledFourfold(offset(polygonRegion, k))) != 0) fail("plain pieces cover another region", input);
    if (polygon.getPolygonExpanded(-k).toString() != polygon.getPolygonContracted(k).toString()) {
        fail("expanding is not contracting by the opposite amount", input);
    }
    const HoledPolygonSet pieces = shape.getPolygonContracted(k);
    requireExactCover(pieces.getAllPolygons(), offset(boostRegion(shape), k), input);
    requireHolesInside(pieces.getAllPolygons(), input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    switch (in.byte() % 4) {
        case 0: subtract(in); break;
        case 1: addPolygons(in); break;
        case 2: addAll(in); break;
        default: offsets(in); break;
    }
    return 0;
}
