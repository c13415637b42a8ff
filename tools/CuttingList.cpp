#include "CuttingList.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "PackingSvg.h"
#include "geometry/ExactArea.h"

namespace Zelkor::Rectilinear::Tools {

namespace {

// A field quoted when it holds a comma, a quote or a line break, quotes doubled.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

void row(std::ostream& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) out << (i > 0 ? "," : "") << csvField(fields[i]);
    out << "\r\n";  // as RFC 4180 has it
}

__int128 area(const Polygon& polygon) {
    return Math::twiceArea(polygon) / 2;
}

// How a part of the job was placed: its first corner and its quarter turns.
struct Placement {
    Point corner;
    int quarterTurns = 0;
};

// The turns that bring `given` onto `placed` by a translation, the ones the
// engine counted first (a symmetric outline matches several).
std::optional<Placement> placementOf(const Polygon& given, const Polygon& placed) {
    for (int k = 0; k < 4; ++k) {
        const int turns = (placed.getQuarterTurnsApplied() + k) % 4;
        Polygon turned = given;
        turned.rotateAboutOrigin(turns);
        const Point offset(placed.getBoundingRectangle().getBottomLeft().x - turned.getBoundingRectangle().getBottomLeft().x,
                           placed.getBoundingRectangle().getBottomLeft().y - turned.getBoundingRectangle().getBottomLeft().y);
        turned.translate(offset);
        if (turned == placed) return Placement{turned.getPoints().front(), turns};
    }
    return std::nullopt;
}

std::string fraction(__int128 part, __int128 whole) {
    if (whole <= 0) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", double(part) / double(whole));
    return text;
}

}  // namespace

void writeCuttingList(std::ostream& out, const PackingJob& job, const Math::PackingResults& results) {
    row(out, {"row", "host", "part", "x", "y", "quarter_turns", "area", "parts", "utilization", "leftover_area",
              "reason"});
    std::vector<bool> listed(job.parts.size(), false);  // the job's parts matched to a placed one
    for (const HostDrawing& drawing : hostDrawings(job, results)) {
        const std::string host = drawing.hostName.empty() ? "-" : drawing.hostName;
        __int128 partArea = 0;
        for (const Polygon& part : drawing.parts.getAllPolygons()) {
            partArea += area(part);
            std::optional<Placement> placement;
            for (std::size_t i = 0; i < job.parts.size() && !placement; ++i) {
                if (listed[i] || job.parts[i].getName() != part.getName()) continue;
                placement = placementOf(job.parts[i], part);
                listed[i] = placement.has_value();
            }
            // A part the engine had to give another outline keeps its lowest corner and no turns.
            const Placement at = placement.value_or(Placement{part.getBoundingRectangle().getBottomLeft(), 0});
            row(out, {"part", host, part.getName(), std::to_string(at.corner.x), std::to_string(at.corner.y),
                      std::to_string(at.quarterTurns), wholeNumber(area(part)), "", "", "", ""});
        }
        const __int128 hostArea = area(drawing.host);
        row(out, {"host", host, "", "", "", "", wholeNumber(hostArea), std::to_string(drawing.parts.size()),
                  fraction(partArea, hostArea), wholeNumber(hostArea - partArea), ""});
    }
    for (const Math::PartThatFitsNowhere& misfit : results.partsSetAside) {
        const std::string partArea =
            misfit.index >= 0 && std::size_t(misfit.index) < job.parts.size() ? wholeNumber(area(job.parts[misfit.index])) : "";
        row(out, {"set-aside", "", misfit.name, "", "", "", partArea, "", "", "", misfit.reason});
    }
}

}  // namespace Zelkor::Rectilinear::Tools
