#pragma once

// Pictures of packing results: one SVG drawing per host used and an index.html
// that shows them with a summary table. Every drawing has a heading (host, size,
// parts, utilization), the host's outline, the leftover material, the parts with
// their names, the cut lines and a legend. y grows upward in the drawings as in
// the geometry, and all drawings of one run share one scale.

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "packing/PackingDriver.h"
#include "packing/PackingJob.h"

namespace Zelkor::Rectilinear::Tools {

// The decimal digits of a whole number too large for 64 bits, such as an exact area.
std::string wholeNumber(__int128 value);

// Text made safe for XML content and attribute values.
std::string xmlEscaped(const std::string& text);

// Estimated extent of a line of sans-serif text, in units of the font size:
// the mean advance of a character, and the height of the line.
constexpr double characterWidthEm = 0.6;
constexpr double textHeightEm = 1.0;

// Where a part's name goes, in geometry coordinates.
struct PartLabel {
    bool shown = false;   // false when even the smallest size does not fit
    double x = 0;         // middle of the text
    double y = 0;
    double size = 0;      // font size
    bool upright = false; // turned a quarter counterclockwise, reading upward
};

// The largest size up to `largest` at which `text` fits inside `part`, with a
// quarter em of room on every side, in some rectangle of the part's interior.
// The text sits level when it fits as large that way, upright otherwise; at
// the point nearest the part's label position (Polygon::getLabelPosition)
// where it fits. Not shown when it fits only below `smallest`.
PartLabel fitLabel(const Polygon& part, const std::string& text, double smallest, double largest);

// One host used and the parts placed on it.
struct HostDrawing {
    int number = 1;       // its place in the run, from 1
    std::string hostName; // empty for a standard sheet
    Polygon host;
    PolygonSet parts;
};

// The groups of `results` on their hosts, numbered from 1: a group's host is
// the job's host of its name, or the standard sheet for the empty name; any
// other name is an error (std::runtime_error).
std::vector<HostDrawing> hostDrawings(const PackingJob& job, const Math::PackingResults& results);

// "host-NN-HOST" ("sheet" for a standard sheet), keeping letters, digits,
// '.', '-' and '_' of the host's name: the name of its files without extension.
std::string fileStemFor(const HostDrawing& drawing);

// Screen pixels per geometry unit that make the largest of the drawings about
// 900 pixels across, so that all of them show at one scale.
double commonPixelsPerUnit(const std::vector<HostDrawing>& drawings);

// Writes one drawing. The leftover and the cut lines come from the cutting
// services; should they fail on an odd layout the drawing goes without them,
// and the answer says so, one message per failure.
std::vector<std::string> writeHostSvg(std::ostream& out, const HostDrawing& drawing, int bladeWidth,
                                      double pixelsPerUnit);

struct PicturesRun {
    std::string title;                 // heading of the index page
    std::optional<double> seconds;     // packing time, when the run packed
};

// Writes one drawing per group of `results` and index.html into `directory`,
// after removing the drawings (host-*.svg) of an earlier run there. Groups
// name their host in `job`; a group of a host the job does not have is an
// error (std::runtime_error), and so is a file that cannot be written.
// Answers the warnings of writeHostSvg, each prefixed with its drawing's name.
std::vector<std::string> writePackingPictures(const std::filesystem::path& directory, const PicturesRun& run,
                                              const PackingJob& job, const Math::PackingResults& results);

}  // namespace Zelkor::Rectilinear::Tools
