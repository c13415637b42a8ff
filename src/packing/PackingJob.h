#pragma once

#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "geometry/Point.h"
#include "geometry/Polygon.h"
#include "geometry/TurnsAllowed.h"
#include "packing/PackingDriver.h"
#include "packing/PackingOptions.h"
#include "packing/PairingSearch.h"
#include "packing/ReportReceiver.h"

namespace Zelkor::Rectilinear {

// A packing job and packing results as plain text, for command-line runs,
// benchmarks and golden files. A job reads
//
//   # comment lines and blank lines are ignored; '#' starts a comment anywhere
//   sheet 3000 1500                              standard sheet: length along x, width along y
//   blade 4                                      saw blade width (default 0); parts keep 2 * (blade / 2) apart
//   mode full-sheets                             full-sheets (default) | minimum-outfall | maximum-outfall
//   units mm                                     what a unit is: mm, cm, m, in or ft (default: not stated)
//   optimize 500                                 also search for a better layout at this effort; a bare
//                                                "optimize" takes defaultOptimizeEffort (default: 0, no search)
//   host offcut-7 0,0 800,0 800,400 0,400        inventory host: name, then polygon text
//   part side-left 0,0 600,0 600,300 0,300       part: name, then polygon text
//   part shelf 0,0 560,0 560,300 0,300 x4 rotate half   4 copies shelf-1..shelf-4, grain along x
//
// Fields are separated by spaces or tabs. A name is one token; "-" stands for
// the empty name. After a part's polygon, "xN" asks for N copies (1 to
// 100000) named NAME-1 .. NAME-N, and "rotate none|half|quarter" sets the
// turns packing may give it (Polygon::getTurnsAllowed; quarter by default).
// A part name given twice is accepted with a warning. Hosts need distinct, non-empty names, since results name
// the host of each group and the empty name is the standard sheet's. Polygon
// corners and sheet sides are checked for well-formed numbers inside the
// coordinate range (lowestCoordinate..highestCoordinate), axis-parallel edges
// and a non-zero area, and the outline must not cross itself nor run over
// itself except by doubling back along an edge (Math::whatIsWrongWith).
//
// Results read
//
//   group offcut-7                               host name, "-" for a standard sheet
//     side-left 0,0 600,0 600,300 0,300          one line per part: name, polygon text
//   totals 2.1e+06 2.3e+06 2.5e+06               totalArea totalMergedArea totalHostArea
//
// with the part lines indented and the totals in the shortest text that
// reads back as the same float.
//
// The readers throw PackingTextError on malformed input; these are input
// errors, not geometric failures, hence outside the library's exception family.

class PackingTextError : public std::runtime_error {
public:
    // what() is "line N: reason", or the bare reason for line 0 (the input as a whole).
    PackingTextError(int lineNumber, const std::string& reason);
    int getLineNumber() const { return lineNumber; }

private:
    int lineNumber;
};

struct PackingJob {
    Coordinate sheetLength = 0;  // along x
    Coordinate sheetWidth = 0;   // along y
    int bladeWidth = 0;
    int mode = Math::standardSheet;
    std::string units;           // "mm", "cm", "m", "in", "ft", or empty when not stated
    int optimizeEffort = 0;      // PackingOptions::optimizeEffort; 0 packs as the mode specifies
    std::vector<Polygon> hosts;  // named, in stock order
    std::vector<Polygon> parts;  // named, copies spelled out, each with its grain
    // What the reader let pass but a person should hear about, such as a part
    // name given twice: "line N: ...".
    std::vector<std::string> warnings;

    // The job's sheet, blade, mode and optimizing effort as packing options, with no receiver;
    // throws std::invalid_argument when the mode is none of the three.
    PackingOptions options() const;
};

// "full-sheets", "minimum-outfall" or "maximum-outfall"; throws
// std::invalid_argument for any other mode.
std::string packingModeName(int mode);

// "quarter", "half" or "none", as the job's rotate option spells them.
std::string turnsAllowedName(TurnsAllowed turns);

PackingJob readPackingJob(std::istream& in);
// Writes every part on a line of its own, with its rotate option unless it
// turns by quarter turns. Throws std::invalid_argument when a name cannot be
// written as one token (white space, '#', or the name "-") or the mode is unknown.
void writePackingJob(std::ostream& out, const PackingJob& job);

// Packs the job's parts and hosts with its options(), reporting to
// `reportReceiver` and pairing with `pairingSearch`. The engine's exceptions
// and the receiver's pass through.
Math::PackingResults runPackingJob(const PackingJob& job, ReportReceiver& reportReceiver,
                                   Math::GreedyPairingSearch pairingSearch = &Math::greedyPackToCreateMaxAreaSet);

// The shortest text that reads back as the same float, as the totals are written.
std::string floatText(float value);

Math::PackingResults readPackingResults(std::istream& in);
// Same name rule as writePackingJob.
void writePackingResults(std::ostream& out, const Math::PackingResults& results);

}  // namespace Zelkor::Rectilinear
