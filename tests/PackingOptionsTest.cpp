#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "PackingBuilders.h"
#include "RandomPackingJobs.h"
#include "packing/PackingDriver.h"
#include "packing/PackingJob.h"
#include "packing/PackingOptions.h"

using namespace Zelkor::Rectilinear;

// Brace initialisation by position would let a length and a width be swapped.
static_assert(!std::is_aggregate_v<PackingOptions>);

namespace {

std::string resultsText(const Math::PackingResults& results) {
    std::ostringstream out;
    writePackingResults(out, results);
    return out.str();
}

PackingJob goldenJob(const std::string& name) {
    std::ifstream in(std::string(ZELKOR_GOLDEN_DIR) + "/" + name);
    return readPackingJob(in);
}

// Given the same values by name, the options form packs exactly as the
// positional form, reports the same progress, and needs no receiver. The jobs
// have oblong sheets, odd and even blades and all three modes.
TEST(PackingOptions, PacksAsThePositionalForm) {
    std::mt19937 random(7);
    const std::vector<PackingJob> jobs = {goldenJob("offcuts-maximum.job"), goldenJob("dominant-rectangles.job"),
                                          Testing::randomPackingJob(random, 12, Math::minimumAreaOutfall)};
    for (const PackingJob& job : jobs) {
        std::vector<Polygon> parts = job.parts;
        std::vector<Polygon> hosts = job.hosts;
        Testing::CountingReceiver positionalProgress;
        const std::string positional = resultsText(Math::packPolygonsToInventory(
            parts, job.bladeWidth, job.sheetWidth, job.sheetLength, hosts, job.mode, positionalProgress));

        PackingOptions options;
        options.sheetLength = job.sheetLength;
        options.sheetWidth = job.sheetWidth;
        options.bladeWidth = job.bladeWidth;
        options.mode = packingModeFromInt(job.mode);
        EXPECT_EQ(resultsText(Math::packPolygonsToInventory(job.parts, job.hosts, options)), positional);

        Testing::CountingReceiver progress;
        options.receiver = &progress;
        EXPECT_EQ(resultsText(Math::packPolygonsToInventory(job.parts, job.hosts, options)), positional);
        EXPECT_EQ(progress.progress, positionalProgress.progress);
        // Heartbeats also come while the calling thread waits for workers,
        // so their number depends on timing.
        EXPECT_EQ(progress.heartbeats > 0, positionalProgress.heartbeats > 0);
    }
}

TEST(PackingOptions, ModesConvertToAndFromTheirNumbers) {
    for (int mode : {Math::maximumAreaOutfall, Math::minimumAreaOutfall, Math::standardSheet}) {
        EXPECT_EQ(toInt(packingModeFromInt(mode)), mode);
    }
    EXPECT_EQ(packingModeFromInt(Math::minimumAreaOutfall), PackingMode::minimumAreaOutfall);
    EXPECT_THROW(packingModeFromInt(3), std::invalid_argument);
    EXPECT_THROW(packingModeFromInt(-1), std::invalid_argument);
}

}  // namespace
