#pragma once

// Packing drawings in DXF, through dxflib: one drawing per host used, and
// outlines read from drawings made elsewhere.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "PackingSvg.h"
#include "geometry/Polygon.h"

namespace Zelkor::Rectilinear::Tools {

// The layers of a written drawing.
constexpr const char* hostLayer = "HOST";
constexpr const char* partsLayer = "PARTS";
constexpr const char* partNamesLayer = "PART_NAMES";
constexpr const char* cutLinesLayer = "CUT_LINES";
constexpr const char* leftoverLayer = "LEFTOVER";

// The DXF code of the drawing units ($INSUNITS) for a job's units: 0
// (unitless) for "", 4 for "mm", and so on.
int dxfUnitsCode(const std::string& units);
// The units of a DXF code in words, e.g. "millimetres", or "unitless".
std::string dxfUnitsName(int code);
// The job's units for a DXF code ("mm" for 4, "" for 0); throws
// std::invalid_argument for units a job cannot state.
std::string jobUnitsFor(int code);

// Writes one host used as a DXF drawing (AutoCAD 2000 format) in the job's
// units: the host's outline, the parts as closed polylines with their names
// as text, the cut lines and the leftover, each on its layer above. Like the
// pictures, the drawing goes without the leftover or the cut lines when the
// cutting services fail on an odd layout; the answer says so. Throws
// std::runtime_error when the file cannot be written.
std::vector<std::string> writeHostDxf(const std::filesystem::path& file, const HostDrawing& drawing, int bladeWidth,
                                      const std::string& units);

// Writes writeHostDxf's drawing for every group of `results` into
// `directory` (host-NN-HOST.dxf, as the pictures are named), removing the
// drawings of an earlier run there. Answers the warnings, each prefixed with
// its file's name.
std::vector<std::string> writePackingDxf(const std::filesystem::path& directory, const PackingJob& job,
                                         const Math::PackingResults& results);

// A drawing that cannot be read as outlines: what() names the file, the
// entity and the reason.
class DxfError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct DxfOutlines {
    std::vector<Polygon> outlines;  // in the drawing's order, named NAME-1, NAME-2, ...
    int unitsCode = 0;              // the drawing's $INSUNITS, 0 when not stated
};

// Reads every closed polyline of the model space of a DXF drawing as an
// outline named `name` and its number. Each must have horizontal and vertical
// edges only, corners on whole units within the coordinate range, and be a
// valid outline as the job reader judges it. Anything else that draws an
// outline (an open polyline, a line, an arc or a polyline with arc segments,
// a circle, an ellipse, a spline, a block reference) is refused with
// DxfError; text, dimensions and hatches are passed over.
DxfOutlines readDxfOutlines(const std::filesystem::path& file, const std::string& name);

}  // namespace Zelkor::Rectilinear::Tools
