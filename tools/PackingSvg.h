#pragma once

// Pictures of packed hosts: one SVG drawing per host (outline, parts with
// their names, the leftover material and the cut lines) and an HTML index
// with a summary table. y grows upward in the drawings as in the geometry.

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "cutting/CutLines.h"
#include "cutting/CutServices.h"
#include "geometry/Exception.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"

namespace Zelkor::Rectilinear::Tools {

inline std::string xmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

inline std::string fixed(double value, int decimals = 1) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

// SVG coordinates of a drawing whose top edge is at y = top: y is flipped.
class FlippedFrame {
public:
    explicit FlippedFrame(Coordinate newTop) : top(newTop) {}

    long long y(Coordinate geometryY) const { return static_cast<long long>(top) - geometryY; }
    std::string point(const Point& p) const { return std::to_string(p.x) + "," + std::to_string(y(p.y)); }

    // Path data of one closed outline.
    std::string outline(const Polygon& polygon) const {
        std::string data;
        for (const Point& p : polygon.getPoints()) data += (data.empty() ? "M" : " L") + point(p);
        return data.empty() ? data : data + " Z";
    }

private:
    Coordinate top;
};

// One host's drawing. The leftover and the cut lines come from the cutting
// services; should they fail on an odd layout the drawing goes without them
// and a warning names the host.
inline void writeHostSvg(std::ostream& out, const Polygon& host, const PolygonSet& parts, int bladeWidth,
                         const std::string& title) {
    const Rectangle box = host.getBoundingRectangle();
    const double width = double(box.getTopRight().x) - box.getBottomLeft().x;
    const double height = double(box.getTopRight().y) - box.getBottomLeft().y;
    const double extent = std::max(width, height);
    const double margin = extent / 50.0;
    const double stroke = std::max(1.0, extent / 800.0);
    const FlippedFrame frame(box.getTopRight().y);

    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" << fixed(box.getBottomLeft().x - margin) << ' '
        << fixed(-margin) << ' ' << fixed(width + 2 * margin) << ' ' << fixed(height + 2 * margin)
        << "\" width=\"1000\">\n";
    out << "<title>" << xmlEscaped(title) << "</title>\n";
    out << "<path d=\"" << frame.outline(host) << "\" fill=\"#ffffff\" stroke=\"#000000\" stroke-width=\""
        << fixed(2 * stroke) << "\"/>\n";

    try {
        const HoledPolygonSet leftover = Math::getOutfallFrom(host, parts, bladeWidth);
        out << "<g fill=\"#c8d0d8\" fill-rule=\"evenodd\" stroke=\"none\">\n";
        for (const HoledPolygon& piece : leftover.getAllPolygons()) {
            std::string data = frame.outline(piece.getBasePolygon());
            for (const Polygon& hole : piece.getHoles()) data += ' ' + frame.outline(hole);
            out << "<path d=\"" << data << "\"/>\n";
        }
        out << "</g>\n";
    } catch (const Exception& e) {
        std::cerr << "warning: " << title << ": no leftover drawn (" << e << ")\n";
    }

    static const char* const fills[] = {"#8dd3c7", "#ffffb3", "#bebada", "#fb8072", "#80b1d3", "#fdb462",
                                        "#b3de69", "#fccde5", "#d9d9d9", "#bc80bd", "#ccebc5", "#ffed6f"};
    const std::vector<Polygon>& placed = parts.getAllPolygons();
    out << "<g stroke=\"#333333\" stroke-width=\"" << fixed(stroke) << "\">\n";
    for (std::size_t i = 0; i < placed.size(); ++i) {
        out << "<path d=\"" << frame.outline(placed[i]) << "\" fill=\"" << fills[i % std::size(fills)] << "\"/>\n";
    }
    out << "</g>\n";

    try {
        const std::vector<Segment> cuts = Math::getCutLines(host, placed, bladeWidth);
        out << "<g stroke=\"#d62728\" stroke-width=\"" << fixed(stroke) << "\" stroke-dasharray=\""
            << fixed(6 * stroke) << ' ' << fixed(3 * stroke) << "\">\n";
        for (const Segment& cut : cuts) {
            out << "<path d=\"M" << frame.point(cut.getStartPoint()) << " L" << frame.point(cut.getEndPoint())
                << "\"/>\n";
        }
        out << "</g>\n";
    } catch (const Exception& e) {
        std::cerr << "warning: " << title << ": no cut lines drawn (" << e << ")\n";
    }

    out << "<g font-family=\"sans-serif\" text-anchor=\"middle\" dominant-baseline=\"middle\" fill=\"#000000\">\n";
    for (const Polygon& part : placed) {
        if (part.getName().empty()) continue;
        const Rectangle partBox = part.getBoundingRectangle();
        const double partWidth = double(partBox.getTopRight().x) - partBox.getBottomLeft().x;
        const double partHeight = double(partBox.getTopRight().y) - partBox.getBottomLeft().y;
        // Small enough for the name to fit across the part, at 0.6 em a character.
        const double fitting = std::min(partHeight / 3.0, partWidth / (0.6 * double(part.getName().size() + 1)));
        const double size = std::clamp(fitting, 1.0, extent / 40.0);
        const Point at = part.getLabelPosition();
        out << "<text x=\"" << at.x << "\" y=\"" << frame.y(at.y) << "\" font-size=\""
            << fixed(size) << "\">" << xmlEscaped(part.getName()) << "</text>\n";
    }
    out << "</g>\n</svg>\n";
}

struct HostSummary {
    std::string file;    // the drawing, relative to the index
    std::string host;    // host name, empty for a standard sheet
    int parts = 0;
    double partArea = 0;
    double hostArea = 0;
};

struct RunTotals {
    float totalArea = 0;
    float totalMergedArea = 0;
    float totalHostArea = 0;
    double seconds = 0;
};

inline std::string percent(double part, double whole) {
    return whole > 0 ? fixed(100.0 * part / whole) + "%" : "-";
}

inline void writeIndexHtml(std::ostream& out, const std::string& title, const std::vector<HostSummary>& hosts,
                           const RunTotals& totals) {
    double partArea = 0, hostArea = 0;
    int partCount = 0;
    for (const HostSummary& h : hosts) {
        partArea += h.partArea;
        hostArea += h.hostArea;
        partCount += h.parts;
    }
    out << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" << xmlEscaped(title) << "</title>\n"
        << "<style>body{font-family:sans-serif} table{border-collapse:collapse} "
           "td,th{border:1px solid #999;padding:2px 8px;text-align:right} td:first-child,th:first-child{text-align:left}"
           " img{display:block;margin:1em 0;max-width:100%;border:1px solid #ccc}</style></head><body>\n"
        << "<h1>" << xmlEscaped(title) << "</h1>\n<table>\n"
        << "<tr><th>host</th><th>parts</th><th>part area</th><th>host area</th><th>utilization</th></tr>\n";
    for (const HostSummary& h : hosts) {
        out << "<tr><td><a href=\"" << xmlEscaped(h.file) << "\">"
            << (h.host.empty() ? "standard sheet" : xmlEscaped(h.host)) << "</a></td><td>" << h.parts << "</td><td>"
            << fixed(h.partArea, 0) << "</td><td>" << fixed(h.hostArea, 0) << "</td><td>"
            << percent(h.partArea, h.hostArea) << "</td></tr>\n";
    }
    out << "<tr><th>" << hosts.size() << " hosts used</th><th>" << partCount << "</th><th>" << fixed(partArea, 0)
        << "</th><th>" << fixed(hostArea, 0) << "</th><th>" << percent(partArea, hostArea) << "</th></tr>\n"
        << "</table>\n<p>Engine totals, measured with half the blade around every part and host: area "
        << fixed(totals.totalArea, 0) << ", merged area " << fixed(totals.totalMergedArea, 0) << ", host area "
        << fixed(totals.totalHostArea, 0) << ". Packing time " << fixed(totals.seconds, 3) << " s.</p>\n";
    for (const HostSummary& h : hosts) out << "<img src=\"" << xmlEscaped(h.file) << "\" alt=\"\">\n";
    out << "</body></html>\n";
}

}  // namespace Zelkor::Rectilinear::Tools
