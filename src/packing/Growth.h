#pragma once

#include <optional>
#include <string>

#include "geometry/Polygon.h"

namespace Zelkor::Rectilinear::Math {

// The engine packs every part and host grown by half the blade (rounded
// down), so that grown parts may touch and the real parts keep that margin
// twice over between them.

// A part grown by `expansionFactor`. Where its plain offset would run over
// itself (a notch or slot narrower than the blade), it grows as its region
// does, the narrow opening closed up: nothing else fits there anyway.
Polygon grownPart(const Polygon& part, int expansionFactor);

// A host grown by `expansionFactor`, or why it cannot take parts.
struct GrownHost {
    std::optional<Polygon> host;  // named as the host given
    std::string reason;           // why not, when there is no host
};

GrownHost grownHost(const Polygon& host, int expansionFactor);

}  // namespace Zelkor::Rectilinear::Math
