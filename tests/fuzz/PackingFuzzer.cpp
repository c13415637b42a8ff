// The packing engine on tiny decoded jobs: one to four parts, up to two
// off-cuts, a small sheet and a blade of 0 to 6. Every part comes back once,
// in its own outline, inside its host, and grown by half the blade no two
// parts overlap. PackingException only when some part is larger than the
// sheet either way round (it may still fit an off-cut).

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "packing/PackingException.h"
#include "packing/PackingJob.h"

using namespace Zelkor::Rectilinear;
using namespace Zelkor::Rectilinear::Fuzzing;
namespace bp = boost::polygon;
using namespace bp::operators;

namespace {

class ProgressCheck final : public Zelkor::ReportReceiver {
public:
    void report(void* data) override {
        if (data != nullptr && !(*static_cast<const float*>(data) <= 0.99f)) std::abort();
    }
};

Region grown(const Polygon& polygon, int by) {
    Region region = boostRegion(polygon);
    bp::bloat(region, static_cast<unsigned>(by));
    return region;
}

Coordinate extent(const Polygon& polygon, bool vertical) {
    const Rectangle box = polygon.getBoundingRectangle();
    return vertical ? box.getTopRight().y - box.getBottomLeft().y : box.getTopRight().x - box.getBottomLeft().x;
}

std::string jobText(const PackingJob& job) {
    std::ostringstream text;
    writePackingJob(text, job);
    return text.str();
}

void requireValidPacking(const PackingJob& job, const Math::PackingResults& results) {
    const int half = job.bladeWidth / 2;
    const Polygon sheet({{0, 0}, {job.sheetLength, 0}, {job.sheetLength, job.sheetWidth}, {0, job.sheetWidth}}, "");
    std::vector<bool> returned(job.parts.size(), false), hostUsed(job.hosts.size(), false);
    for (const Math::HostAndSetPairing& group : results.resultingSets) {
        const Polygon* host = &sheet;
        if (!group.hostId.empty()) {
            const auto found = std::find_if(job.hosts.begin(), job.hosts.end(),
                                            [&](const Polygon& h) { return h.getName() == group.hostId; });
            if (found == job.hosts.end()) fail("unknown host " + group.hostId, jobText(job));
            if (hostUsed[static_cast<std::size_t>(found - job.hosts.begin())]) fail("host used twice", jobText(job));
            hostUsed[static_cast<std::size_t>(found - job.hosts.begin())] = true;
            host = &*found;
        }
        const Region hostRegion = grown(*host, half);
        Region groupRegion;
        double groupArea = 0.0;
        for (const Polygon& part : group.set.getAllPolygons()) {
            std::size_t match = 0;
            while (match < job.parts.size() && (returned[match] || job.parts[match].getName() != part.getName() ||
                                                !Testing::boostCongruent(job.parts[match], part))) {
                ++match;
            }
            if (match == job.parts.size()) fail("no such part: '" + part.getName() + "' " + part.toString(), jobText(job));
            returned[match] = true;
            const Region partRegion = grown(part, half);
            if (bp::area(partRegion - hostRegion) != 0) fail("outside its host: " + part.toString(), jobText(job));
            groupArea += static_cast<double>(bp::area(partRegion));
            groupRegion |= partRegion;
        }
        if (static_cast<double>(bp::area(groupRegion)) != groupArea) fail("parts closer than the blade", jobText(job));
    }
    if (std::count(returned.begin(), returned.end(), false) != 0) fail("a part was not placed", jobText(job));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    PackingJob job;
    job.bladeWidth = in.between(0, 6);
    job.mode = in.between(0, 2);
    job.sheetLength = in.between(4, 20);
    job.sheetWidth = in.between(4, 20);
    for (int count = in.between(0, 2); count > 0; --count) {
        job.hosts.push_back(decodePolygon(in, 3, 6, "h" + std::to_string(job.hosts.size())));
    }
    bool allFit = true;
    for (int count = in.between(1, 4); count > 0; --count) {
        static const char* const names[] = {"", "a", "b", "c"};
        job.parts.push_back(decodePolygon(in, 3, 3, names[in.byte() % 4]));
        const Polygon& part = job.parts.back();
        const Coordinate w = extent(part, false), h = extent(part, true);
        allFit = allFit && ((w <= job.sheetLength && h <= job.sheetWidth) || (h <= job.sheetLength && w <= job.sheetWidth));
    }
    ProgressCheck progress;
    Math::PackingResults results;
    try {
        results = runPackingJob(job, progress);
    } catch (const PackingException&) {
        if (allFit) fail("PackingException although every part fits the sheet", jobText(job));
        return 0;
    }
    requireValidPacking(job, results);
    return 0;
}
