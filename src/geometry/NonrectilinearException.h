#pragma once

#include "geometry/Exception.h"

namespace Zelkor::Rectilinear {

// Raised when a segment was to be built between two points that share neither coordinate.
class NonrectilinearException : public Exception {
public:
    NonrectilinearException(std::string newFileName, int newLineNumber)
        : Exception(std::move(newFileName), newLineNumber) {}
};

}  // namespace Zelkor::Rectilinear
