#pragma once

#include <string>
#include <utility>

#include "geometry/Exception.h"

namespace Zelkor::Rectilinear {

// Raised when a polygon was refused while it was built or standardized, or
// when a shape read from outside the library is not a valid shape. The reason
// says what was wrong; it is empty where the raising code gives none. what()
// is "invalid polygon: reason (at Unit[line])"; the stream form stays the one
// of every Exception.
class InvalidPolygonException : public Exception {
public:
    InvalidPolygonException(std::string newFileName, int newLineNumber, std::string newReason = std::string())
        : Exception(std::move(newFileName), newLineNumber,
                    newReason.empty() ? std::string("invalid polygon") : "invalid polygon: " + newReason),
          reason(std::move(newReason)) {}

    const std::string& getReason() const { return reason; }

private:
    std::string reason;
};

}  // namespace Zelkor::Rectilinear
