#include "PackingSvg.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <stdexcept>

#include "cutting/CutLines.h"
#include "cutting/CutServices.h"
#include "geometry/Exception.h"
#include "geometry/ExactArea.h"
#include "geometry/HoledPolygonSet.h"

namespace Zelkor::Rectilinear::Tools {

namespace {

// Room left free around a label, on each side, in units of its font size.
constexpr double labelPaddingEm = 0.25;

// Sizes of the drawing's furniture, in screen pixels.
constexpr double targetPixels = 900;      // the largest drawing's longer side
constexpr double marginPixels = 16;
constexpr double headingPixels = 16;      // font size of the heading
constexpr double headingBandPixels = 32;
constexpr double legendPixels = 12;       // font size of the legend
constexpr double legendBandPixels = 30;
constexpr double smallestLabelPixels = 7;
constexpr double largestLabelPixels = 14;

const char* const times = "\xc3\x97";  // the multiplication sign, in UTF-8

const char* const partFill = "#bbdefb";
const char* const partStroke = "#1e3a5f";
const char* const labelColour = "#0d2a4a";
const char* const hostFill = "#f3e2c0";
const char* const hostStroke = "#7a5b2e";
const char* const leftoverStroke = "#558b2f";
const char* const cutColour = "#d32f2f";

// A number with at most two decimals, trailing zeros dropped.
std::string number(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text = buffer;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}


std::string percent(double part, double whole) {
    if (!(whole > 0)) return "-";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f%%", 100.0 * part / whole);
    return buffer;
}

std::string plural(std::size_t count, const std::string& word) {
    return std::to_string(count) + ' ' + word + (count == 1 ? "" : "s");
}

// Characters of UTF-8 text: bytes that do not continue a sequence.
std::size_t characterCount(const std::string& text) {
    return std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xc0) != 0x80; });
}

double textWidth(const std::string& text, double size) {
    return characterWidthEm * double(characterCount(text)) * size;
}

struct Box {
    double left = std::numeric_limits<double>::infinity();
    double bottom = std::numeric_limits<double>::infinity();
    double right = -std::numeric_limits<double>::infinity();
    double top = -std::numeric_limits<double>::infinity();

    void add(const Rectangle& r) {
        left = std::min(left, double(r.getBottomLeft().x));
        bottom = std::min(bottom, double(r.getBottomLeft().y));
        right = std::max(right, double(r.getTopRight().x));
        top = std::max(top, double(r.getTopRight().y));
    }
    double width() const { return right - left; }
    double height() const { return top - bottom; }
};

// The host and the parts: a part placed partly outside its host still shows.
Box extentOf(const HostDrawing& drawing) {
    Box box;
    box.add(drawing.host.getBoundingRectangle());
    for (const Polygon& part : drawing.parts.getAllPolygons()) box.add(part.getBoundingRectangle());
    return box;
}

// The rectangles inside the polygon that no rectangle inside it contains
// (some others besides), found on the grid of its corners' coordinates:
// for each row of cells as the bottom and each column as the left side,
// every right side with the tallest stack of inside cells above.
std::vector<Box> interiorRectangles(const Polygon& polygon) {
    std::vector<Coordinate> xs, ys;
    for (const Point& p : polygon.getPoints()) {
        xs.push_back(p.x);
        ys.push_back(p.y);
    }
    for (std::vector<Coordinate>* values : {&xs, &ys}) {
        std::sort(values->begin(), values->end());
        values->erase(std::unique(values->begin(), values->end()), values->end());
    }
    if (xs.size() < 2 || ys.size() < 2) return {};
    const std::size_t columns = xs.size() - 1, rows = ys.size() - 1;
    const std::vector<Segment> edges = polygon.getEdges();

    // A cell is inside when its middle is: count the vertical edges to its right.
    // Twice the coordinates keep the middles whole.
    auto inside = [&](std::size_t column, std::size_t row) {
        const std::int64_t x2 = std::int64_t{xs[column]} + xs[column + 1];
        const std::int64_t y2 = std::int64_t{ys[row]} + ys[row + 1];
        bool in = false;
        for (const Segment& edge : edges) {
            const Point& a = edge.getStartPoint();
            const Point& b = edge.getEndPoint();
            if (a.x != b.x || 2 * std::int64_t{a.x} < x2) continue;
            if (2 * std::int64_t{std::min(a.y, b.y)} < y2 && y2 < 2 * std::int64_t{std::max(a.y, b.y)}) in = !in;
        }
        return in;
    };

    std::vector<Box> found;
    std::vector<std::size_t> stack(columns, 0);  // inside cells from the current row upward
    for (std::size_t row = rows; row-- > 0;) {
        for (std::size_t column = 0; column < columns; ++column) {
            stack[column] = inside(column, row) ? stack[column] + 1 : 0;
        }
        for (std::size_t left = 0; left < columns; ++left) {
            std::size_t height = stack[left];
            for (std::size_t right = left; right < columns && height > 0; ++right) {
                height = std::min(height, stack[right]);
                if (height == 0) break;
                const bool widerStillAsTall = right + 1 < columns && stack[right + 1] >= height;
                if (widerStillAsTall) continue;
                found.push_back({double(xs[left]), double(ys[row]), double(xs[right + 1]), double(ys[row + height])});
            }
        }
    }
    return found;
}

class SvgWriter {
public:
    SvgWriter(std::ostream& newOut, const HostDrawing& newDrawing, int newBladeWidth, double pixelsPerUnit)
        : out(newOut), drawing(newDrawing), bladeWidth(newBladeWidth), unit(1.0 / pixelsPerUnit),
          extent(extentOf(newDrawing)), pixels(pixelsPerUnit) {}

    std::vector<std::string> write() {
        const std::string heading = headingText();
        const double margin = marginPixels * unit;
        const double width = std::max({extent.width() + 2 * margin,
                                       textWidth(heading, headingPixels * unit) + 2 * margin,
                                       legendWidth() + 2 * margin});
        const double height = headingBandPixels * unit + extent.height() + 2 * margin + legendBandPixels * unit;
        left = extent.left - margin;
        top = extent.top + margin + headingBandPixels * unit;

        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << std::lround(width * pixels) << "\" height=\""
            << std::lround(height * pixels) << "\" viewBox=\"" << number(left) << " 0 " << number(width) << ' '
            << number(height) << "\" font-family=\"sans-serif\">\n"
            << "<title>" << xmlEscaped(heading) << "</title>\n";
        const double hatch = 8 * unit;
        out << "<defs><pattern id=\"leftover-hatch\" patternUnits=\"userSpaceOnUse\" width=\"" << number(hatch)
            << "\" height=\"" << number(hatch) << "\" patternTransform=\"rotate(45)\"><rect width=\"" << number(hatch)
            << "\" height=\"" << number(hatch) << "\" fill=\"#dcedc8\"/><rect width=\"" << number(hatch / 4)
            << "\" height=\"" << number(hatch) << "\" fill=\"#9ccc65\"/></pattern></defs>\n";
        out << "<rect x=\"" << number(left) << "\" y=\"0\" width=\"" << number(width) << "\" height=\""
            << number(height) << "\" fill=\"#ffffff\"/>\n";
        out << "<text class=\"heading\" x=\"" << number(left + margin) << "\" y=\"" << number(22 * unit)
            << "\" font-size=\"" << number(headingPixels * unit) << "\" fill=\"#263238\">" << xmlEscaped(heading)
            << "</text>\n";

        // The geometry, drawn in its own coordinates with y mirrored.
        out << "<g transform=\"matrix(1 0 0 -1 0 " << number(top) << ")\">\n";
        writeHost();
        writeLeftover();
        writeParts();
        writeCutLines();
        out << "</g>\n";
        writeLegend(top - extent.bottom + margin);
        out << "</svg>\n";
        return warnings;
    }

private:
    std::string headingText() const {
        const Rectangle box = drawing.host.getBoundingRectangle();
        double partArea = 0;
        for (const Polygon& part : drawing.parts.getAllPolygons()) partArea += double(Math::twiceArea(part)) / 2;
        return std::to_string(drawing.number) + ". " +
               (drawing.hostName.empty() ? std::string("standard sheet") : drawing.hostName) + ": " +
               std::to_string(std::int64_t{box.getTopRight().x} - box.getBottomLeft().x) + ' ' + times + ' ' +
               std::to_string(std::int64_t{box.getTopRight().y} - box.getBottomLeft().y) + ", " +
               plural(drawing.parts.getAllPolygons().size(), "part") + ", " +
               percent(partArea, double(Math::twiceArea(drawing.host)) / 2) + " used";
    }

    static std::string pathData(const Polygon& polygon) {
        std::string data;
        for (const Point& p : polygon.getPoints()) {
            data += (data.empty() ? "M" : " L") + std::to_string(p.x) + ',' + std::to_string(p.y);
        }
        return data.empty() ? data : data + " Z";
    }

    void writeHost() {
        out << "<path class=\"host\" d=\"" << pathData(drawing.host) << "\" fill=\"" << hostFill << "\" stroke=\""
            << hostStroke << "\" stroke-width=\"" << number(2 * unit) << "\" data-name=\""
            << xmlEscaped(drawing.hostName) << "\" data-polygon=\"" << drawing.host << "\"/>\n";
    }

    void writeLeftover() {
        try {
            const HoledPolygonSet leftover = Math::getOutfallFrom(drawing.host, drawing.parts, bladeWidth);
            out << "<g class=\"leftover\" fill=\"url(#leftover-hatch)\" fill-rule=\"evenodd\" stroke=\""
                << leftoverStroke << "\" stroke-width=\"" << number(0.75 * unit) << "\">\n";
            for (const HoledPolygon& piece : leftover.getAllPolygons()) {
                std::string data = pathData(piece.getBasePolygon());
                for (const Polygon& hole : piece.getHoles()) data += ' ' + pathData(hole);
                out << "<path d=\"" << data << "\"/>\n";
            }
            out << "</g>\n";
        } catch (const Exception& e) {
            std::ostringstream reason;
            reason << "no leftover drawn (" << e << ")";
            warnings.push_back(reason.str());
        }
    }

    // Each part in a group of its own with its name as the tooltip, so that a
    // part too small for its label still tells its name.
    void writeParts() {
        out << "<g class=\"parts\" fill=\"" << partFill << "\" stroke=\"" << partStroke << "\" stroke-width=\""
            << number(unit) << "\" text-anchor=\"middle\">\n";
        for (const Polygon& part : drawing.parts.getAllPolygons()) {
            const std::string name = xmlEscaped(part.getName());
            out << "<g class=\"part\">";
            if (!name.empty()) out << "<title>" << name << "</title>";
            out << "<path d=\"" << pathData(part) << "\" data-name=\"" << name << "\" data-polygon=\"" << part
                << "\"/>";
            const PartLabel label =
                fitLabel(part, part.getName(), smallestLabelPixels * unit, largestLabelPixels * unit);
            if (label.shown) {
                out << "<text transform=\"translate(" << number(label.x) << ' ' << number(label.y) << ") scale(1 -1)"
                    << (label.upright ? " rotate(-90)" : "") << "\" font-size=\"" << number(label.size)
                    << "\" dy=\"0.35em\" fill=\"" << labelColour << "\" stroke=\"none\">" << name << "</text>";
            }
            out << "</g>\n";
        }
        out << "</g>\n";
    }

    void writeCutLines() {
        try {
            const std::vector<Segment> cuts = Math::getCutLines(drawing.host, drawing.parts.getAllPolygons(), bladeWidth);
            out << "<g class=\"cut-lines\" fill=\"none\" stroke=\"" << cutColour << "\" stroke-width=\""
                << number(1.5 * unit) << "\" stroke-dasharray=\"" << number(6 * unit) << ' ' << number(3 * unit)
                << "\">\n";
            for (const Segment& cut : cuts) {
                const Point& a = cut.getStartPoint();
                const Point& b = cut.getEndPoint();
                out << "<path d=\"M" << a.x << ',' << a.y << " L" << b.x << ',' << b.y << "\"/>\n";
            }
            out << "</g>\n";
        } catch (const Exception& e) {
            std::ostringstream reason;
            reason << "no cut lines drawn (" << e << ")";
            warnings.push_back(reason.str());
        }
    }

    static constexpr const char* legendNames[] = {"part", "leftover", "cut line", "host"};
    static constexpr double swatchPixels = 12, gapPixels = 5, itemGapPixels = 18;

    double legendWidth() const {
        double width = 0;
        for (const char* name : legendNames) {
            width += (swatchPixels + gapPixels + itemGapPixels) * unit + textWidth(name, legendPixels * unit);
        }
        return width;
    }

    // A row of swatches with their names below the drawing, its top at y.
    void writeLegend(double y) {
        const double swatch = swatchPixels * unit;
        const double middle = y + legendBandPixels * unit / 2;
        double x = left + marginPixels * unit;
        out << "<g class=\"legend\" font-size=\"" << number(legendPixels * unit) << "\" fill=\"#263238\">\n";
        for (const char* name : legendNames) {
            const std::string at = "x=\"" + number(x) + "\" y=\"" + number(middle - swatch / 2) + "\" width=\"" +
                                   number(swatch) + "\" height=\"" + number(swatch) + "\"";
            const std::string item = name;
            if (item == "part") {
                out << "<rect " << at << " fill=\"" << partFill << "\" stroke=\"" << partStroke << "\" stroke-width=\""
                    << number(unit) << "\"/>";
            } else if (item == "leftover") {
                out << "<rect " << at << " fill=\"url(#leftover-hatch)\" stroke=\"" << leftoverStroke
                    << "\" stroke-width=\"" << number(0.75 * unit) << "\"/>";
            } else if (item == "cut line") {
                out << "<path d=\"M" << number(x) << ',' << number(middle) << " h" << number(swatch) << "\" stroke=\""
                    << cutColour << "\" stroke-width=\"" << number(1.5 * unit) << "\" stroke-dasharray=\""
                    << number(3 * unit) << ' ' << number(1.5 * unit) << "\"/>";
            } else {
                out << "<rect " << at << " fill=\"" << hostFill << "\" stroke=\"" << hostStroke << "\" stroke-width=\""
                    << number(2 * unit) << "\"/>";
            }
            x += swatch + gapPixels * unit;
            out << "<text x=\"" << number(x) << "\" y=\"" << number(middle) << "\" dy=\"0.35em\">" << name
                << "</text>\n";
            x += textWidth(name, legendPixels * unit) + itemGapPixels * unit;
        }
        out << "</g>\n";
    }

    std::ostream& out;
    const HostDrawing& drawing;
    int bladeWidth;
    double unit;  // geometry units per pixel
    Box extent;
    double pixels;
    double left = 0;
    double top = 0;
    std::vector<std::string> warnings;
};

__int128 partArea(const PolygonSet& parts) {
    __int128 twice = 0;
    for (const Polygon& part : parts.getAllPolygons()) twice += Math::twiceArea(part);
    return twice / 2;
}

// The names of the job's parts missing from the results, and of those placed more often than ordered.
std::vector<std::string> partMismatches(const PackingJob& job, const std::vector<HostDrawing>& drawings) {
    std::map<std::string, int> count;
    for (const Polygon& part : job.parts) ++count[part.getName()];
    for (const HostDrawing& drawing : drawings) {
        for (const Polygon& part : drawing.parts.getAllPolygons()) --count[part.getName()];
    }
    std::vector<std::string> mismatches;
    for (const auto& [name, left] : count) {
        if (left != 0) mismatches.push_back((left > 0 ? "missing '" : "extra '") + name + "'");
    }
    return mismatches;
}

void writeIndexHtml(std::ostream& out, const PicturesRun& run, const PackingJob& job,
                    const Math::PackingResults& results, const std::vector<HostDrawing>& drawings,
                    const std::vector<std::string>& files) {
    const std::string title = xmlEscaped(run.title);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
        << "<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n<meta charset=\"UTF-8\"/>\n<title>"
        << title << "</title>\n"
        << "<style>\n"
           "body { font-family: sans-serif; margin: 2em; color: #263238; }\n"
           "table { border-collapse: collapse; margin: 1em 0; }\n"
           "th, td { border: 1px solid #b0bec5; padding: 0.3em 0.8em; text-align: left; }\n"
           "td.number { text-align: right; font-variant-numeric: tabular-nums; }\n"
           "tr.overall { font-weight: bold; }\n"
           "figure { display: inline-block; margin: 1em; vertical-align: top; }\n"
           "img { border: 1px solid #cfd8dc; }\n"
           "</style>\n</head>\n<body>\n<h1>"
        << title << "</h1>\n";

    std::size_t sheets = 0;
    for (const HostDrawing& drawing : drawings) sheets += drawing.hostName.empty() ? 1 : 0;
    out << "<p>" << plural(job.parts.size(), "part") << ", " << job.hosts.size() << " off-cut(s) in stock, standard sheet "
        << job.sheetLength << " &#215; " << job.sheetWidth << ", blade " << job.bladeWidth << ", mode "
        << packingModeName(job.mode) << ". " << plural(drawings.size(), "host") << " used, " << sheets
        << " of them standard sheets.</p>\n";

    out << "<table id=\"hosts\">\n<tr><th>#</th><th>host</th><th>size</th><th>parts</th><th>part area</th>"
           "<th>host area</th><th>utilization</th></tr>\n";
    __int128 placedArea = 0, usedHostArea = 0;
    std::size_t placed = 0;
    for (std::size_t i = 0; i < drawings.size(); ++i) {
        const HostDrawing& drawing = drawings[i];
        const Rectangle box = drawing.host.getBoundingRectangle();
        const __int128 parts = partArea(drawing.parts), host = Math::twiceArea(drawing.host) / 2;
        placedArea += parts;
        usedHostArea += host;
        placed += drawing.parts.getAllPolygons().size();
        out << "<tr><td class=\"number\">" << drawing.number << "</td><td><a href=\"" << xmlEscaped(files[i]) << "\">"
            << (drawing.hostName.empty() ? std::string("standard sheet") : xmlEscaped(drawing.hostName))
            << "</a></td><td>" << std::int64_t{box.getTopRight().x} - box.getBottomLeft().x << " &#215; "
            << std::int64_t{box.getTopRight().y} - box.getBottomLeft().y << "</td><td class=\"number\">"
            << drawing.parts.getAllPolygons().size() << "</td><td class=\"number\">" << wholeNumber(parts)
            << "</td><td class=\"number\">" << wholeNumber(host) << "</td><td class=\"number\">"
            << percent(double(parts), double(host)) << "</td></tr>\n";
    }
    out << "<tr class=\"overall\"><td></td><td>overall</td><td></td><td class=\"number\">" << placed
        << "</td><td class=\"number\">" << wholeNumber(placedArea) << "</td><td class=\"number\">"
        << wholeNumber(usedHostArea) << "</td><td class=\"number\">"
        << percent(double(placedArea), double(usedHostArea)) << "</td></tr>\n</table>\n";

    out << "<table id=\"totals\">\n<tr><th>parts placed</th><td>" << placed << " of " << job.parts.size();
    const std::vector<std::string> mismatches = partMismatches(job, drawings);
    for (std::size_t i = 0; i < mismatches.size(); ++i) {
        out << (i == 0 ? "; not as ordered: " : ", ") << xmlEscaped(mismatches[i]);
    }
    out << "</td></tr>\n";
    __int128 orderedArea = 0;
    for (const Polygon& part : job.parts) orderedArea += Math::twiceArea(part) / 2;
    const __int128 sheetArea = __int128{job.sheetLength} * job.sheetWidth;
    if (sheetArea > 0) {
        out << "<tr><th>lower bound by area</th><td>" << wholeNumber((orderedArea + sheetArea - 1) / sheetArea)
            << " standard sheet(s)</td></tr>\n";
    }
    const std::pair<const char*, float> totals[] = {{"part-area", results.totalArea},
                                                    {"merged-area", results.totalMergedArea},
                                                    {"host-area", results.totalHostArea}};
    for (const auto& [name, value] : totals) {
        std::string words = name;
        std::replace(words.begin(), words.end(), '-', ' ');
        out << "<tr><th>engine total: " << words << "</th><td class=\"number\" data-total=\"" << name
            << "\" data-value=\"" << floatText(value) << "\">" << floatText(value) << "</td></tr>\n";
    }
    if (run.seconds) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.2f s", *run.seconds);
        out << "<tr><th>packing time</th><td>" << seconds << "</td></tr>\n";
    }
    out << "</table>\n<p>The engine's totals measure parts and hosts grown by half the blade.</p>\n";

    for (const std::string& file : files) {
        const std::string name = xmlEscaped(file);
        out << "<figure><img src=\"" << name << "\" alt=\"" << name << "\"/><figcaption>" << name
            << "</figcaption></figure>\n";
    }
    out << "</body>\n</html>\n";
}

}  // namespace

std::string wholeNumber(__int128 value) {
    if (value == 0) return "0";
    const bool negative = value < 0;
    std::string digits;
    for (; value != 0; value /= 10) digits += char('0' + int(negative ? -(value % 10) : value % 10));
    if (negative) digits += '-';
    return std::string(digits.rbegin(), digits.rend());
}

std::string xmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default: out += c;
        }
    }
    return out;
}

PartLabel fitLabel(const Polygon& part, const std::string& text, double smallest, double largest) {
    PartLabel best;
    const std::size_t characters = characterCount(text);
    if (characters == 0 || part.isEmpty() || !(smallest > 0) || largest < smallest) return best;
    // The text's box with its padding, at font size 1.
    const double alongEm = characterWidthEm * double(characters) + 2 * labelPaddingEm;
    const double acrossEm = textHeightEm + 2 * labelPaddingEm;
    // Sizes go in steps, so that the nearer of two rooms about as good wins.
    const double step = largest / 64;
    const Point anchor = part.getLabelPosition();
    double bestDistance = 0;
    for (const Box& room : interiorRectangles(part)) {
        for (const bool upright : {false, true}) {
            const double along = upright ? room.height() : room.width();
            const double across = upright ? room.width() : room.height();
            const double size = std::floor(std::min({largest, along / alongEm, across / acrossEm}) / step) * step;
            if (size < smallest || size < best.size) continue;
            const double halfWidth = (upright ? acrossEm : alongEm) * size / 2;
            const double halfHeight = (upright ? alongEm : acrossEm) * size / 2;
            const double x = std::clamp(double(anchor.x), room.left + halfWidth, room.right - halfWidth);
            const double y = std::clamp(double(anchor.y), room.bottom + halfHeight, room.top - halfHeight);
            const double distance = std::hypot(x - anchor.x, y - anchor.y);
            const bool better = !best.shown || size > best.size ||
                                (upright == best.upright ? distance < bestDistance : best.upright);
            if (!better) continue;
            best = {true, x, y, size, upright};
            bestDistance = distance;
        }
    }
    return best;
}

double commonPixelsPerUnit(const std::vector<HostDrawing>& drawings) {
    double longest = 0;
    for (const HostDrawing& drawing : drawings) {
        const Box box = extentOf(drawing);
        longest = std::max({longest, box.width(), box.height()});
    }
    return longest > 0 ? targetPixels / longest : 1.0;
}

std::vector<std::string> writeHostSvg(std::ostream& out, const HostDrawing& drawing, int bladeWidth,
                                      double pixelsPerUnit) {
    return SvgWriter(out, drawing, bladeWidth, pixelsPerUnit).write();
}

std::string fileStemFor(const HostDrawing& drawing) {
    char number[16];
    std::snprintf(number, sizeof number, "host-%02d-", drawing.number);
    std::string name = number;
    for (char c : drawing.hostName.empty() ? std::string("sheet") : drawing.hostName) {
        const bool plain = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
        name += plain ? c : '_';
    }
    return name;
}

std::vector<HostDrawing> hostDrawings(const PackingJob& job, const Math::PackingResults& results) {
    const Polygon sheet(
        std::vector<Point>{{0, 0}, {job.sheetLength, 0}, {job.sheetLength, job.sheetWidth}, {0, job.sheetWidth}}, "");
    std::vector<HostDrawing> drawings;
    for (const Math::HostAndSetPairing& group : results.resultingSets) {
        const Polygon* host = group.hostId.empty() ? &sheet : nullptr;
        for (const Polygon& candidate : job.hosts) {
            if (host == nullptr && candidate.getName() == group.hostId) host = &candidate;
        }
        if (host == nullptr) {
            throw std::runtime_error("the results name host '" + group.hostId + "', which the job does not have");
        }
        drawings.push_back({int(drawings.size()) + 1, group.hostId, *host, group.set});
    }
    return drawings;
}

std::vector<std::string> writePackingPictures(const std::filesystem::path& directory, const PicturesRun& run,
                                              const PackingJob& job, const Math::PackingResults& results) {
    const std::vector<HostDrawing> drawings = hostDrawings(job, results);

    std::filesystem::create_directories(directory);
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        const std::string name = entry.path().filename().string();
        const bool earlierDrawing = name.rfind("host-", 0) == 0 && entry.path().extension() == ".svg";
        if (earlierDrawing && entry.is_regular_file()) std::filesystem::remove(entry.path());
    }

    const double pixelsPerUnit = commonPixelsPerUnit(drawings);
    std::vector<std::string> files, warnings;
    for (const HostDrawing& drawing : drawings) {
        files.push_back(fileStemFor(drawing) + ".svg");
        std::ofstream svg(directory / files.back());
        for (const std::string& warning : writeHostSvg(svg, drawing, job.bladeWidth, pixelsPerUnit)) {
            warnings.push_back(files.back() + ": " + warning);
        }
        if (!svg) throw std::runtime_error("cannot write " + (directory / files.back()).string());
    }
    std::ofstream index(directory / "index.html");
    writeIndexHtml(index, run, job, results, drawings, files);
    if (!index) throw std::runtime_error("cannot write " + (directory / "index.html").string());
    return warnings;
}

}  // namespace Zelkor::Rectilinear::Tools
