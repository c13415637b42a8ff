// A program of its own using the installed library: it reads shapes in the
// library's text forms, cuts a notch out of a sheet and packs two parts.
#include <iostream>
#include <vector>

#include "ZelkorRectilinearGeometry.h"

using namespace Zelkor::Rectilinear;

int main() {
    try {
        // Corners "x,y", y growing upward; a holed polygon is "base|hole|hole".
        const HoledPolygon sheet = Math::readValidHoledPolygon("0,0 100,0 100,60 0,60");
        const Polygon notch = Math::readValidPolygon("40,50 60,50 60,70 40,70", "notch");
        const HoledPolygonSet left = sheet.booleanSubtract(HoledPolygon(notch));
        std::cout << "left: " << left << "\narea left: " << left.getArea() << '\n';

        // Two parts, no hosts in stock: they go onto 100 x 60 standard sheets.
        const std::vector<Polygon> parts = {Polygon("0,0 40,0 40,30 0,30", "door"),
                                            Polygon("0,0 30,0 30,50 0,50", "side")};
        PackingOptions options;
        options.sheetLength = 100;  // along x
        options.sheetWidth = 60;    // along y
        options.bladeWidth = 2;
        options.mode = PackingMode::standardSheet;
        // No options.receiver: this program has no use for progress.
        const Math::PackingResults packed = Math::packPolygonsToInventory(parts, /*hosts=*/{}, options);
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
