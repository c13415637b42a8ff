// A program of its own using the installed library: it reads shapes in the
// library's text forms, cuts a notch out of a sheet and packs two parts.
#include <iostream>
#include <vector>

#include "ZelkorRectilinearGeometry.h"

using namespace Zelkor::Rectilinear;

// Packing reports its progress here; this program has no use for it.
class IgnoreProgress : public Zelkor::ReportReceiver {
public:
    void report(void*) override {}
};

int main() {
    try {
        // Corners "x,y", y growing upward; a holed polygon is "base|hole|hole".
        const HoledPolygon sheet = Math::readValidHoledPolygon("0,0 100,0 100,60 0,60");
        const Polygon notch = Math::readValidPolygon("40,50 60,50 60,70 40,70", "notch");
        const HoledPolygonSet left = sheet.booleanSubtract(HoledPolygon(notch));
        std::cout << "left: " << left << "\narea left: " << left.getArea() << '\n';

        std::vector<Polygon> parts = {Polygon("0,0 40,0 40,30 0,30", "door"), Polygon("0,0 30,0 30,50 0,50", "side")};
        std::vector<Polygon> hostsInStock;
        IgnoreProgress progress;
        const Math::PackingResults packed = Math::packPolygonsToInventory(
            parts, /*spacingUnits=*/2, /*maxWidth=*/60, /*maxLength=*/100, hostsInStock, Math::standardSheet, progress);
        std::cout << "sheets used: " << packed.resultingSets.size() << '\n';
        for (const Polygon& part : packed.resultingSets.at(0).set.getAllPolygons()) {
            std::cout << "  " << part.getName() << ": " << part << '\n';
        }
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
