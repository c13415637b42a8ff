#pragma once

// The cutting list of a packing as comma-separated values, one table that any
// spreadsheet reads:
//
//   row,host,part,x,y,quarter_turns,area,parts,utilization,leftover_area,reason
//   part,offcut-7,door-1,600,0,1,1200,,,,
//   host,offcut-7,,,,,320000,1,0.0037,318800,
//   set-aside,,panel,,,,6000000,,,,part 'panel' (3000 x 2000) fits neither ...
//
// A part row gives the host ("-" for a standard sheet), the part's name, where
// its first corner as the job gives it lies on the host, the counterclockwise
// quarter turns it was given and its area. A host row gives the host's area,
// the number of parts on it, the share of its area they cover and the area
// they leave. Parts set aside follow with their reason.

#include <ostream>

#include "packing/PackingDriver.h"
#include "packing/PackingJob.h"

namespace Zelkor::Rectilinear::Tools {

// Groups name their host in `job` as for the pictures (std::runtime_error otherwise).
void writeCuttingList(std::ostream& out, const PackingJob& job, const Math::PackingResults& results);

}  // namespace Zelkor::Rectilinear::Tools
