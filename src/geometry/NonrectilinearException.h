#pragma once

#include <string>
#include <utility>

#include "geometry/Exception.h"

namespace Zelkor::Rectilinear {

// Raised when a segment was to be built between two points that share neither
// coordinate. what() names the segment when the raising code gives it
// ("x1,y1 x2,y2"); the stream form stays the one of every Exception.
class NonrectilinearException : public Exception {
public:
    NonrectilinearException(std::string newFileName, int newLineNumber, const std::string& segmentText = std::string())
        : Exception(std::move(newFileName), newLineNumber,
                    (segmentText.empty() ? std::string("a segment") : "the segment " + segmentText) +
                        " is neither horizontal nor vertical") {}
};

}  // namespace Zelkor::Rectilinear
