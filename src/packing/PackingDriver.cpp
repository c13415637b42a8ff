#include "packing/PackingDriver.h"

namespace Zelkor::Rectilinear::Math {

// Placeholder until the engine lands: packs nothing.
PackingResults packPolygonsToInventory(std::vector<Polygon>&, const int&, const int&, const int&,
                                       std::vector<Polygon>&, int, ReportReceiver&) {
    return PackingResults{};
}

}  // namespace Zelkor::Rectilinear::Math
