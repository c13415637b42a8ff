#pragma once

#include <string>
#include <utility>

#include "geometry/Exception.h"

namespace Zelkor::Rectilinear {

// Raised when the caller asked a running packing to stop: what a receiver
// throws from report() to end the run (the engine lets it through).
class InterruptedException : public Exception {
public:
    InterruptedException(std::string newFileName, int newLineNumber)
        : Exception(std::move(newFileName), newLineNumber, "the packing was stopped at the caller's request") {}
};

}  // namespace Zelkor::Rectilinear
