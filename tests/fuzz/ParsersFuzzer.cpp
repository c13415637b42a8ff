// The text readers on arbitrary text: each one reads it or throws one of the
// library's exceptions. Points and segments, and what the validating readers
// accept, read back from their own text as the same shapes; what the
// validating readers accept passes validation.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "geometry/Exception.h"
#include "geometry/HoledPolygon.h"
#include "geometry/Point.h"
#include "geometry/Polygon.h"
#include "geometry/Segment.h"
#include "geometry/ShapeValidation.h"

using namespace Zelkor::Rectilinear;

namespace {

[[noreturn]] void fail(const std::string& what, const std::string& text) {
    std::fprintf(stderr, "FAILED: %s\ntext: \"%s\"\n", what.c_str(), text.c_str());
    std::abort();
}

// What `read` returns, or nothing when it throws one of the library's exceptions.
template <typename Read>
auto readOrRefuse(Read read) -> std::optional<decltype(read())> {
    try {
        return read();
    } catch (const Zelkor::Exception&) {
        return std::nullopt;
    }
}

// The text without empty holes: an empty hole at the end writes a trailing
// "|", which reads as no hole at all.
std::string withoutEmptyHoles(const HoledPolygon& shape) {
    std::string text = shape.getBasePolygon().toString();
    for (const Polygon& hole : shape.getHoles()) {
        if (!hole.isEmpty()) text += '|' + hole.toString();
    }
    return text;
}

}  // namespace

// Reading back happens outside readOrRefuse: text the library wrote itself
// must not be refused.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto point = readOrRefuse([&] { return Point(text); })) {
        if (Point(point->toString()) != *point) fail("the point does not read back", text);
    }
    if (const auto segment = readOrRefuse([&] { return Segment(text); })) {
        if (Segment(segment->toString()) != *segment) fail("the segment does not read back", text);
    }
    // The text constructors take any outline with axis-parallel edges; one
    // that runs over itself need not come back the same, so only the
    // validating readers' results are read back.
    readOrRefuse([&] { return Polygon(text, ""); });
    readOrRefuse([&] { return HoledPolygon(text); });
    if (const auto polygon = readOrRefuse([&] { return Math::readValidPolygon(text, ""); })) {
        if (Math::whatIsWrongWith(*polygon)) fail("an accepted polygon is invalid", text);
        if (Math::readValidPolygon(polygon->toString(), "").toString() != polygon->toString()) {
            fail("an accepted polygon does not read back", text);
        }
    }
    if (const auto shape = readOrRefuse([&] { return Math::readValidHoledPolygon(text); })) {
        if (Math::whatIsWrongWith(*shape)) fail("an accepted holed polygon is invalid", text);
        if (withoutEmptyHoles(Math::readValidHoledPolygon(shape->toString())) != withoutEmptyHoles(*shape)) {
            fail("an accepted holed polygon does not read back", text);
        }
    }
    return 0;
}
