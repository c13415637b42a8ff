#pragma once

#include "geometry/Exception.h"

namespace Zelkor::Rectilinear {

// Raised when a polygon was refused while it was built or standardized.
class InvalidPolygonException : public Exception {
public:
    InvalidPolygonException(std::string newFileName, int newLineNumber)
        : Exception(std::move(newFileName), newLineNumber) {}
};

}  // namespace Zelkor::Rectilinear
