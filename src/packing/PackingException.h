#pragma once

#include <string>
#include <utility>

#include "geometry/Exception.h"

namespace Zelkor::Rectilinear {

// Raised when the packing engine reached a state it cannot continue from: the
// parts still to pack do not fit the standard sheet (with the blade around them).
class PackingException : public Exception {
public:
    PackingException(std::string newFileName, int newLineNumber)
        : Exception(std::move(newFileName), newLineNumber,
                    "the packing cannot go on: no part left fits the standard sheet") {}
    // `reason` says which parts fit and why not.
    PackingException(std::string newFileName, int newLineNumber, const std::string& reason)
        : Exception(std::move(newFileName), newLineNumber, "the packing cannot go on: " + reason) {}
};

}  // namespace Zelkor::Rectilinear
