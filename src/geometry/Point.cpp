#include "geometry/Point.h"

#include <cctype>
#include <cstdint>
#include <limits>

namespace Zelkor::Rectilinear {

Coordinate parseInteger(const std::string& text, std::size_t begin, std::size_t end) {
    std::size_t i = begin;
    while (i < end && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<Coordinate>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < end && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        if (magnitude <= limit) magnitude = magnitude * 10 + (text[i] - '0');
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<Coordinate>::max()) return std::numeric_limits<Coordinate>::max();
    if (value < std::numeric_limits<Coordinate>::min()) return std::numeric_limits<Coordinate>::min();
    return static_cast<Coordinate>(value);
}

Point::Point(const std::string& s) {
    const std::size_t commaIndex = s.find(',');
    if (commaIndex == std::string::npos) {
        x = y = parseInteger(s, 0, s.size());
    } else {
        x = parseInteger(s, 0, commaIndex);
        y = parseInteger(s, commaIndex + 1, s.size());
    }
}

std::string Point::toString() const {
    return std::to_string(x) + ',' + std::to_string(y);
}

std::ostream& operator<<(std::ostream& os, const Point& p) {
    return os << p.toString();
}

}  // namespace Zelkor::Rectilinear
