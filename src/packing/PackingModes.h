#pragma once

namespace Zelkor::Rectilinear::Math {

// Packing modes, the value of `algorithm`.
constexpr int maximumAreaOutfall = 0;  // largest hosts first: keep large reusable off-cuts
constexpr int minimumAreaOutfall = 1;  // smallest hosts first: least leftover
constexpr int standardSheet = 2;       // fill full standard sheets

}  // namespace Zelkor::Rectilinear::Math
