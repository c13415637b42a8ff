#include "geometry/CoordinateRangeException.h"

#include <utility>

#include "geometry/Point.h"

namespace Zelkor::Rectilinear {

namespace {

std::string reasonFor(const std::string& operation, char axis, std::int64_t value) {
    return operation + " takes " + axis + " to " + std::to_string(value) + ", outside the coordinate range " +
           std::to_string(lowestCoordinate) + ".." + std::to_string(highestCoordinate);
}

}  // namespace

CoordinateRangeException::CoordinateRangeException(std::string newFileName, int newLineNumber,
                                                   const std::string& operation, char axis, std::int64_t value)
    : CoordinateRangeException(std::move(newFileName), newLineNumber, reasonFor(operation, axis, value)) {}

CoordinateRangeException::CoordinateRangeException(std::string newFileName, int newLineNumber, std::string newReason)
    : Exception(std::move(newFileName), newLineNumber, "coordinate out of range: " + newReason),
      reason(std::move(newReason)) {}

}  // namespace Zelkor::Rectilinear
