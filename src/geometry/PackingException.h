#pragma once

#include "geometry/Exception.h"

namespace Zelkor::Rectilinear {

// Raised when the packing engine reached a state it cannot continue from.
class PackingException : public Exception {
public:
    PackingException(std::string newFileName, int newLineNumber)
        : Exception(std::move(newFileName), newLineNumber) {}
};

}  // namespace Zelkor::Rectilinear
