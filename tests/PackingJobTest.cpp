#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "RandomPackingJobs.h"
#include "packing/PackingJob.h"

using namespace Zelkor::Rectilinear;

namespace {

PackingJob readJob(const std::string& text) {
    std::istringstream in(text);
    return readPackingJob(in);
}

TEST(PackingJobTest, ReadsAJobAndWritesItBack) {
    const PackingJob job = readJob(
        "# a job\n"
        "\n"
        "sheet 3000 1500   # length, width\n"
        "blade\t4\r\n"
        "mode maximum-outfall\n"
        "optimize 50\n"
        "host offcut-7 0,0 800,0 800,400 0,400\n"
        "part side-left 0,0 600,0 600,300 0,300\n"
        "part - 0,0 10,0 10,5 5,5 5,10 0,10\n");
    EXPECT_EQ(job.sheetLength, 3000);
    EXPECT_EQ(job.sheetWidth, 1500);
    EXPECT_EQ(job.bladeWidth, 4);
    EXPECT_EQ(job.mode, Math::maximumAreaOutfall);
    EXPECT_EQ(job.options().optimizeEffort, 50);
    ASSERT_EQ(job.hosts.size(), 1u);
    EXPECT_EQ(job.hosts[0].getName(), "offcut-7");
    EXPECT_EQ(job.hosts[0].toString(), "0,0 800,0 800,400 0,400");
    ASSERT_EQ(job.parts.size(), 2u);
    EXPECT_EQ(job.parts[0].getName(), "side-left");
    EXPECT_EQ(job.parts[1].getName(), "");
    EXPECT_EQ(job.parts[1].getArea(), 75.0f);

    std::ostringstream written;
    writePackingJob(written, job);
    std::ostringstream rewritten;
    writePackingJob(rewritten, readJob(written.str()));
    EXPECT_EQ(rewritten.str(), written.str());
    EXPECT_NE(written.str().find("\noptimize 50\n"), std::string::npos);
    EXPECT_EQ(readJob("sheet 10 10\n").mode, Math::standardSheet);
    EXPECT_EQ(readJob("sheet 10 10\n").optimizeEffort, 0);
    EXPECT_EQ(readJob("sheet 10 10\noptimize\n").optimizeEffort, defaultOptimizeEffort);
    EXPECT_EQ(readJob("sheet 2147483646 10\npart p -2147483646,0 0,0 0,10 -2147483646,10\n").parts.size(), 1u);

    PackingJob unwritable = job;
    unwritable.parts[0].setName("two words");
    EXPECT_THROW(writePackingJob(written, unwritable), std::invalid_argument);
}

TEST(PackingJobTest, MalformedInputNamesItsLine) {
    struct Case {
        bool results;  // read as results rather than as a job
        std::string text;
        int line;
        const char* reason;
    };
    const std::string square = " 0,0 10,0 10,10 0,10\n";
    const std::vector<Case> cases = {
        {false, "sheet 10 10\nslab 3\n", 2, "unknown keyword 'slab'"},
        {false, "sheet 10\n", 1, "missing sheet width"},
        {false, "sheet 10 1o\n", 1, "sheet width '1o' is not a number"},
        {false, "sheet 3000000000 10\n", 1, "sheet length '3000000000' is outside the coordinate range"},
        // The ends of the 32-bit range are reserved.
        {false, "sheet 2147483647 10\n", 1, "sheet length '2147483647' is outside the coordinate range"},
        {false, "sheet 10 10\npart p 0,0 2147483647,0 2147483647,10 0,10\n", 2,
         "coordinate '2147483647' is outside the coordinate range -2147483646..2147483646"},
        {false, "sheet 10 10\nhost h -2147483647,0 0,0 0,10 -2147483647,10\n", 2, "coordinate '-2147483647' is outside"},
        {false, "sheet 10 10\npart p 0,-2147483648 10,-2147483648 10,0 0,0\n", 2, "coordinate '-2147483648' is outside"},
        {false, "sheet 0 10\n", 1, "must be positive"},
        {false, "sheet 10 10\nblade -2\n", 2, "must not be negative"},
        {false, "sheet 10 10\nblade 4 5\n", 2, "unexpected '5'"},
        {false, "sheet 10 10\nmode fastest\n", 2, "unknown mode 'fastest'"},
        {false, "sheet 10 10\n\nsheet 20 20\n", 3, "already given on line 1"},
        {false, "sheet 10 10\noptimize -1\n", 2, "effort must not be negative"},
        {false, "sheet 10 10\noptimize hard\n", 2, "effort 'hard' is not a number"},
        {false, "sheet 10 10\noptimize 5 6\n", 2, "unexpected '6'"},
        {false, "sheet 10 10\noptimize\noptimize 5\n", 3, "optimize already given on line 2"},
        {false, "sheet 10 10\npart\n", 2, "missing name"},
        {false, "sheet 10 10\npart p1\n", 2, "missing polygon"},
        {false, "sheet 10 10\npart p 0,0 10;0 10,10 0,10\n", 2, "not of the form x,y"},
        {false, "sheet 10 10\npart p 0,0 10,0 10,x 0,10\n", 2, "coordinate 'x' is not a number"},
        {false, "sheet 10 10\npart p 0,0 10,0 10,10 5,12\n", 2, "neither horizontal nor vertical"},
        {false, "sheet 10 10\npart p 0,0 10,0\n", 2, "encloses no area"},
        {false, "sheet 10 10\npart p 0,0 10,0 10,10 5,10 5,-5 0,-5\n", 2, "the outline crosses itself at 5,0"},
        {false, "sheet 10 10\nhost -" + square, 2, "a host needs a name"},
        {false, "sheet 10 10\nhost a" + square + "host a" + square, 3, "already given on line 2"},
        {false, "blade 4\n", 0, "no sheet line"},
        {false, "sheet 10 10\npart p 0,0 10,0 10,10 0,10 x0\n", 2, "quantity 'x0' is not 1 to 100000"},
        {false, "sheet 10 10\npart p 0,0 10,0 10,10 0,10 x2 x3\n", 2, "quantity given twice"},
        {false, "sheet 10 10\npart p 0,0 10,0 10,10 0,10 xy\n", 2, "quantity 'y' is not a number"},
        {false, "sheet 10 10\npart - 0,0 10,0 10,10 0,10 x2\n", 2, "copies need a name"},
        {false, "sheet 10 10\npart p 0,0 10,0 10,10 0,10 rotate\n", 2, "missing turns"},
        {false, "sheet 10 10\npart p 0,0 10,0 10,10 0,10 rotate some\n", 2, "unknown turns 'some'"},
        {false, "sheet 10 10\npart p 0,0 10,0 10,10 0,10 x2 5,5\n", 2, "unexpected '5,5' after the part's polygon"},
        {true, "  p" + square + "totals 1 1 1\n", 1, "before the first group"},
        {true, "group -\ntotals 1 1\n", 2, "missing total host area"},
        {true, "group -\ntotals 1 1 1\ngroup a\n", 3, "after the totals"},
        {true, "group -\n", 0, "no totals line"},
        {true, "group -\np" + square + "totals 1 1 1\n", 2, "unknown keyword 'p'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::istringstream in(c.text);
        try {
            if (c.results) {
                readPackingResults(in);
            } else {
                readPackingJob(in);
            }
            ADD_FAILURE() << "accepted";
        } catch (const PackingTextError& e) {
            EXPECT_EQ(e.getLineNumber(), c.line);
            EXPECT_NE(std::strstr(e.what(), c.reason), nullptr) << e.what();
            if (c.line > 0) {
                EXPECT_EQ(std::string(e.what()).rfind("line " + std::to_string(c.line) + ": ", 0), 0u);
            }
        }
    }
}

// "xN" spells out numbered copies, "rotate" sets the grain, which is written
// back; a name given twice is warned about, copies' names included.
TEST(PackingJobTest, QuantitiesGrainAndRepeatedNames) {
    const PackingJob job = readJob(
        "sheet 100 100\n"
        "part door 0,0 40,0 40,30 0,30 x3 rotate none\n"
        "part shelf 0,0 50,0 50,10 0,10 rotate half x1\n"
        "part door-2 0,0 5,0 5,5 0,5\n"
        "part plain 0,0 5,0 5,5 0,5 rotate quarter\n"
        "part plain 0,0 5,0 5,5 0,5\n");
    std::vector<std::string> names;
    for (const Polygon& part : job.parts) names.push_back(part.getName());
    EXPECT_EQ(names, (std::vector<std::string>{"door-1", "door-2", "door-3", "shelf-1", "door-2", "plain", "plain"}));
    EXPECT_EQ(job.parts[2].getTurnsAllowed(), TurnsAllowed::none);
    EXPECT_EQ(job.parts[3].getTurnsAllowed(), TurnsAllowed::half);
    EXPECT_EQ(job.parts[4].getTurnsAllowed(), TurnsAllowed::quarter);
    EXPECT_EQ(job.warnings, (std::vector<std::string>{"line 4: part name 'door-2' already given on line 2",
                                                      "line 6: part name 'plain' already given on line 5"}));

    std::ostringstream written;
    writePackingJob(written, job);
    EXPECT_NE(written.str().find("part door-3 0,0 40,0 40,30 0,30 rotate none\n"), std::string::npos);
    EXPECT_NE(written.str().find("part plain 0,0 5,0 5,5 0,5\n"), std::string::npos);
    const PackingJob reread = readJob(written.str());
    for (std::size_t i = 0; i < job.parts.size(); ++i) {
        EXPECT_EQ(reread.parts[i].getTurnsAllowed(), job.parts[i].getTurnsAllowed());
    }
}

// Hosts, part names, outlines and the exact totals survive a write and a read.
TEST(PackingJobTest, ResultsRoundTrip) {
    std::mt19937 random(7);
    const PackingJob job = Testing::randomPackingJob(random, 12);
    Math::PackingResults results;
    const char* hostIds[] = {"offcut-2", "", ""};
    for (int k = 0; k < 3; ++k) {
        PolygonSet group;
        for (int i = k; i < 12; i += 3) group.add(job.parts[static_cast<std::size_t>(i)]);
        results.resultingSets.push_back({group, hostIds[k]});
    }
    results.resultingSets[1].set.add(Polygon("0,0 7,0 7,7 0,7", ""));
    results.resultingSets[2].set.add(Polygon("0,0 7,0 7,7 0,7", "group"));
    results.totalArea = 0.1f;
    results.totalMergedArea = 16777215.0f;
    results.totalHostArea = 3.4028235e38f;

    std::ostringstream written;
    writePackingResults(written, results);
    std::istringstream in(written.str());
    const Math::PackingResults read = readPackingResults(in);

    ASSERT_EQ(read.resultingSets.size(), results.resultingSets.size());
    for (std::size_t k = 0; k < results.resultingSets.size(); ++k) {
        const PolygonSet& expected = results.resultingSets[k].set;
        const PolygonSet& actual = read.resultingSets[k].set;
        EXPECT_EQ(read.resultingSets[k].hostId, results.resultingSets[k].hostId);
        ASSERT_EQ(actual.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(actual.getPolygon(i).getName(), expected.getPolygon(i).getName());
            EXPECT_EQ(actual.getPolygon(i).toString(), expected.getPolygon(i).toString());
        }
    }
    EXPECT_EQ(read.totalArea, results.totalArea);
    EXPECT_EQ(read.totalMergedArea, results.totalMergedArea);
    EXPECT_EQ(read.totalHostArea, results.totalHostArea);
}

}  // namespace
