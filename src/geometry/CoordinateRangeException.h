#pragma once

#include <cstdint>
#include <string>

#include "geometry/Exception.h"

namespace Zelkor::Rectilinear {

// Raised when an operation would make a coordinate outside the range
// lowestCoordinate..highestCoordinate (geometry/Point.h), where the exact
// result either needs more than 32 bits or takes a reserved value. The reason
// says which operation took which coordinate where: "expanding the corner
// 2147483647,0 by 10 takes x to 2147483657, outside the coordinate range
// -2147483646..2147483646".
// what() is "coordinate out of range: reason (at Unit[line])"; the stream
// form stays the one of every Exception.
class CoordinateRangeException : public Exception {
public:
    // `operation` ("expanding the corner 2147483647,0 by 10") took the
    // coordinate on `axis` ('x' or 'y') to `value`.
    CoordinateRangeException(std::string newFileName, int newLineNumber, const std::string& operation, char axis,
                             std::int64_t value);

    const std::string& getReason() const { return reason; }

private:
    CoordinateRangeException(std::string newFileName, int newLineNumber, std::string newReason);

    std::string reason;
};

}  // namespace Zelkor::Rectilinear
