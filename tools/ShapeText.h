#pragma once

// Strict reading of shape text for the command-line tools. The library's text
// constructors read anything (atoi rules: "5" is the corner 5,5, two spaces in
// a row read an extra corner 0,0, junk becomes 0); the tools accept only text
// that the library reads exactly as written, and say what is wrong otherwise:
//
//   corner           x,y           two whole numbers, an optional leading '-'
//   polygon          x,y x,y ...   at least four corners, single spaces between;
//                                  every edge, the closing one included, horizontal or vertical
//   holed polygon    base|hole|... polygons joined by '|', no spaces around it
//   segment          x,y x,y       two corners on a horizontal or vertical line
//
// A coordinate lies in -2147483646..2147483646: the two values beyond mark
// "no point" and "infinitely many points" inside the library.

#include <charconv>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "geometry/HoledPolygon.h"
#include "geometry/InvalidPolygonException.h"
#include "geometry/Point.h"
#include "geometry/Segment.h"
#include "geometry/ShapeValidation.h"

namespace Zelkor::Tools {

// Input the tools refuse; what() is the reason.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace ShapeTextDetail {

inline std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

inline Rectilinear::Coordinate coordinate(std::string_view text, std::string_view corner) {
    constexpr long long limit = 2147483646;
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error == std::errc::invalid_argument || end != text.data() + text.size()) {
        throw InputError(quoted(text) + " in corner " + quoted(corner) + " is not a whole number");
    }
    if (error == std::errc::result_out_of_range || value < -limit || value > limit) {
        throw InputError(quoted(text) + " in corner " + quoted(corner) +
                         " is outside the coordinate range -2147483646..2147483646");
    }
    return static_cast<Rectilinear::Coordinate>(value);
}

// The tokens between single spaces; `what` names the text in errors.
inline std::vector<std::string_view> words(std::string_view text, const std::string& what) {
    if (text.empty()) throw InputError(what + " is empty");
    if (text.front() == ' ' || text.back() == ' ') throw InputError(what + " starts or ends with a space");
    std::vector<std::string_view> tokens;
    for (std::size_t at = 0;;) {
        const std::size_t space = text.find(' ', at);
        const std::string_view token = text.substr(at, space == std::string_view::npos ? space : space - at);
        if (token.empty()) throw InputError(what + " has two spaces in a row");
        tokens.push_back(token);
        if (space == std::string_view::npos) return tokens;
        at = space + 1;
    }
}

}  // namespace ShapeTextDetail

// "x,y".
inline Rectilinear::Point readCorner(std::string_view token) {
    const std::size_t comma = token.find(',');
    if (comma == std::string_view::npos) {
        throw InputError("corner " + ShapeTextDetail::quoted(token) + " has no comma (corners are written x,y)");
    }
    if (token.find(',', comma + 1) != std::string_view::npos) {
        throw InputError("corner " + ShapeTextDetail::quoted(token) + " has more than one comma");
    }
    return {ShapeTextDetail::coordinate(token.substr(0, comma), token),
            ShapeTextDetail::coordinate(token.substr(comma + 1), token)};
}

namespace ShapeTextDetail {

// The corners of one polygon of a holed polygon, checked as text; `what`
// names the polygon in errors.
inline void checkPolygon(std::string_view text, const std::string& what) {
    std::vector<Rectilinear::Point> corners;
    for (std::string_view token : words(text, what)) corners.push_back(readCorner(token));
    if (corners.size() < 4) {
        throw InputError(what + " has " + std::to_string(corners.size()) +
                         (corners.size() == 1 ? " corner" : " corners") + "; a polygon needs at least four");
    }
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const bool closing = i + 1 == corners.size();
        const Rectilinear::Point& from = corners[i];
        const Rectilinear::Point& to = corners[closing ? 0 : i + 1];
        if (from.x != to.x && from.y != to.y) {
            throw InputError(std::string(closing ? "the closing edge" : "the edge") + " from " + from.toString() +
                             " to " + to.toString() + " of " + what + " is neither horizontal nor vertical");
        }
    }
}

}  // namespace ShapeTextDetail

// A line in the holed-polygon form (a plain polygon is one without '|'), a
// carriage return at its end ignored; then the library's checks of the shape.
inline Rectilinear::HoledPolygon readHoledPolygon(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const bool holed = line.find('|') != std::string_view::npos;
    std::size_t piece = 0;
    for (std::size_t at = 0;; ++piece) {
        const std::size_t bar = line.find('|', at);
        const std::string what = piece > 0 ? "hole " + std::to_string(piece) : holed ? "the base" : "the polygon";
        ShapeTextDetail::checkPolygon(line.substr(at, bar == std::string_view::npos ? bar : bar - at), what);
        if (bar == std::string_view::npos) break;
        at = bar + 1;
    }
    try {
        if (!holed) return Rectilinear::HoledPolygon(Rectilinear::Math::readValidPolygon(std::string(line), ""));
        return Rectilinear::Math::readValidHoledPolygon(std::string(line));
    } catch (const Rectilinear::InvalidPolygonException& e) {
        throw InputError(e.getReason().empty() ? std::string("not a valid shape") : e.getReason());
    }
}

// "x1,y1 x2,y2", horizontal or vertical.
inline Rectilinear::Segment readSegment(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::vector<std::string_view> tokens = ShapeTextDetail::words(line, "the segment");
    if (tokens.size() != 2) {
        throw InputError("a segment is two corners, x1,y1 x2,y2; this line has " + std::to_string(tokens.size()));
    }
    const Rectilinear::Point start = readCorner(tokens[0]);
    const Rectilinear::Point end = readCorner(tokens[1]);
    if (start.x != end.x && start.y != end.y) {
        throw InputError("the segment from " + start.toString() + " to " + end.toString() +
                         " is neither horizontal nor vertical");
    }
    return {start, end};
}

}  // namespace Zelkor::Tools
