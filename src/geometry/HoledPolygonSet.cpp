#include "geometry/HoledPolygonSet.h"

#include <algorithm>
#include <utility>

#include "geometry/PolygonSet.h"

namespace Zelkor::Rectilinear {

namespace {

constexpr char setSeparator[] = " || ";

}  // namespace

HoledPolygonSet::HoledPolygonSet(std::vector<HoledPolygon> holedPolygons) : holedPolygons(std::move(holedPolygons)) {}

HoledPolygonSet::HoledPolygonSet(const PolygonSet& polygonSet) {
    add(polygonSet);
}

std::vector<Segment> HoledPolygonSet::getAllEdges() const {
    std::vector<Segment> edges;
    std::size_t total = 0;
    for (const HoledPolygon& member : holedPolygons) total += static_cast<std::size_t>(member.getNumberOfEdges());
    edges.reserve(total);
    for (const HoledPolygon& member : holedPolygons) {
        const std::vector<Segment> memberEdges = member.getEdges();
        edges.insert(edges.end(), memberEdges.begin(), memberEdges.end());
    }
    return edges;
}

float HoledPolygonSet::getArea() const {
    float area = 0.0f;
    for (const HoledPolygon& member : holedPolygons) area += member.getArea();
    return area;
}

void HoledPolygonSet::add(const HoledPolygon& holedPolygon) {
    holedPolygons.push_back(holedPolygon);
}

void HoledPolygonSet::add(const HoledPolygonSet& holedPolygonSet) {
    // Copied first: the argument may be this set.
    const std::vector<HoledPolygon> members = holedPolygonSet.holedPolygons;
    holedPolygons.insert(holedPolygons.end(), members.begin(), members.end());
}

void HoledPolygonSet::add(const PolygonSet& polygonSet) {
    holedPolygons.reserve(holedPolygons.size() + static_cast<std::size_t>(polygonSet.size()));
    for (const Polygon& polygon : polygonSet.getAllPolygons()) holedPolygons.emplace_back(polygon);
}

// The union keeps every boundary piece that no other member covers, plus the
// pieces two members share running the same way; pieces shared in opposite
// directions (members side by side, or one filling another's hole) vanish
// from both, which fuses the members. The surviving pieces are traced into
// cycles: counterclockwise ones are outlines, clockwise ones holes, and each
// hole goes to the innermost outline that contains it. A member's shared
// edges (holes side by side, or a hole against its outline) bound nothing:
// their pieces go, and a piece along them is not inside that member.
//
// Only members whose boxes touch can cut each other's edges or contain each
// other's pieces, so each member deals with its neighbours alone; the outcome
// is that of comparing every piece with every member.
bool HoledPolygonSet::operator==(const HoledPolygonSet& holedPolygonSet) const {
    if (holedPolygons.size() != holedPolygonSet.holedPolygons.size()) return false;
    for (const HoledPolygon& member : holedPolygons) {
        if (std::find(holedPolygonSet.holedPolygons.begin(), holedPolygonSet.holedPolygons.end(), member) ==
            holedPolygonSet.holedPolygons.end()) {
            return false;
        }
    }
    return true;
}

std::string HoledPolygonSet::toString() const {
    std::string text;
    for (std::size_t i = 0; i < holedPolygons.size(); ++i) {
        if (i > 0) text += setSeparator;
        text += holedPolygons[i].toString();
    }
    return text;
}

std::ostream& operator<<(std::ostream& os, const HoledPolygonSet& s) {
    return os << s.toString();
}

}  // namespace Zelkor::Rectilinear
