#pragma once

#include <stdexcept>
#include <string>

namespace Zelkor::Rectilinear {

namespace Math {

// Packing modes as plain numbers, the value of `algorithm` in the positional
// packPolygonsToInventory and of the mode at the Java boundary.
constexpr int maximumAreaOutfall = 0;  // largest hosts first: keep large reusable off-cuts
constexpr int minimumAreaOutfall = 1;  // smallest hosts first: least leftover
constexpr int standardSheet = 2;       // fill full standard sheets

}  // namespace Math

// How the engine chooses hosts and forms groups, as a type of its own; the
// values are those of the Math constants above. Every mode takes the hosts in
// stock before copies of the standard sheet, and when every usable host in
// stock is congruent to the standard sheet every mode packs as standardSheet.
enum class PackingMode {
    // Largest hosts in stock first, so that what is left of them is large
    // enough to keep and use again.
    maximumAreaOutfall = Math::maximumAreaOutfall,
    // Smallest hosts in stock first: as little leftover as possible.
    minimumAreaOutfall = Math::minimumAreaOutfall,
    // Hosts in stock in the order given; a dominant kind of part is grouped
    // first (equal rectangles tiled in closed form) and small parts are held
    // back to fill gaps, so that whole sheets fill well.
    standardSheet = Math::standardSheet,
};

constexpr int toInt(PackingMode mode) { return static_cast<int>(mode); }

// The mode numbered `mode`; throws std::invalid_argument for a number that
// names no mode.
inline PackingMode packingModeFromInt(int mode) {
    switch (mode) {
        case Math::maximumAreaOutfall: return PackingMode::maximumAreaOutfall;
        case Math::minimumAreaOutfall: return PackingMode::minimumAreaOutfall;
        case Math::standardSheet: return PackingMode::standardSheet;
        default: throw std::invalid_argument("unknown packing mode " + std::to_string(mode));
    }
}

}  // namespace Zelkor::Rectilinear
