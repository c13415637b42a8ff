#pragma once

namespace Zelkor::Rectilinear {

// The turns a part may be given when it is packed: its grain. A part with a
// grain along one axis may only be turned end for end (half turns); one with
// a pattern that has a direction may not be turned at all.
enum class TurnsAllowed { quarter, half, none };

namespace Math {

// Whether a part of this grain, given `quarterTurns` counterclockwise quarter
// turns in all (any whole number, negative clockwise), keeps its grain.
constexpr bool keepsGrain(TurnsAllowed allowed, int quarterTurns) {
    const int turns = ((quarterTurns % 4) + 4) % 4;
    switch (allowed) {
        case TurnsAllowed::half:
            return turns % 2 == 0;
        case TurnsAllowed::none:
            return turns == 0;
        default:
            return true;
    }
}

}  // namespace Math

}  // namespace Zelkor::Rectilinear
