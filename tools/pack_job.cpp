// Packs a job given in the packing job text form:
//
//   pack_job [--svg DIR] [JOB]     JOB is a file, or standard input when absent or "-"
//
// The groups go to standard output in the results text form, progress to
// standard error. With --svg, DIR receives one drawing per host used and an
// index.html with a summary table.
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "PackingSvg.h"
#include "geometry/Exception.h"
#include "packing/PackingJob.h"

using namespace Zelkor::Rectilinear;

namespace {

const char* const usageText =
    "usage: pack_job [--svg DIR] [JOB]\n"
    "\n"
    "Packs the job in file JOB (standard input when JOB is absent or \"-\") and prints\n"
    "the groups, one \"group HOST\" line per host used (\"-\" is a standard sheet)\n"
    "followed by one line per part (name, outline), and a last line\n"
    "\"totals AREA MERGED_AREA HOST_AREA\". Progress goes to standard error.\n"
    "\n"
    "  --svg DIR   also write one SVG drawing per host used and DIR/index.html\n"
    "  --help      show this text\n"
    "\n"
    "A job is plain text, one item a line ('#' starts a comment):\n"
    "  sheet 3000 1500                          standard sheet, length along x, width along y\n"
    "  blade 4                                  spacing between parts (default 0)\n"
    "  mode full-sheets                         or minimum-outfall, maximum-outfall\n"
    "  host offcut-7 0,0 800,0 800,400 0,400    off-cut in stock: name, corners\n"
    "  part side-left 0,0 600,0 600,300 0,300   part: name (\"-\" for none), corners\n"
    "Corners are x,y (x to the right, y upward, whole numbers); every edge, the\n"
    "closing one included, is horizontal or vertical.\n"
    "\n"
    "A malformed job is reported on standard error as \"pack_job: JOB: line N: reason\"\n"
    "with exit status 1; a wrong command line gives exit status 2.\n"
    "\n"
    "Example:\n"
    "  pack_job --svg out tools/jobs/small-order.job > small-order.result\n";

// The progress fraction on one line of standard error, rewritten in place
// whenever it has moved by at least 0.01.
class ProgressLine final : public Zelkor::ReportReceiver {
public:
    void report(void* data) override {
        if (data == nullptr) return;  // a heartbeat
        const float progress = *static_cast<const float*>(data);
        if (shown >= 0.0f && std::fabs(progress - shown) < 0.01f) return;
        shown = progress;
        std::fprintf(stderr, "\rpacking %.2f", static_cast<double>(progress));
        std::fflush(stderr);
    }

    void finish() {
        if (shown >= 0.0f) std::fputs("\rpacking done\n", stderr);
    }

private:
    float shown = -1.0f;
};

// File names keep letters, digits, '.', '-' and '_' of the host name.
std::string fileNameFor(std::size_t index, const std::string& host) {
    char number[16];
    std::snprintf(number, sizeof number, "%03zu-", index + 1);
    std::string name = number;
    for (char c : host.empty() ? std::string("sheet") : host) {
        const bool plain = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
        name += plain ? c : '_';
    }
    return name + ".svg";
}

void writeDrawings(const std::filesystem::path& directory, const std::string& title, const PackingJob& job,
                   const Math::PackingResults& results, double seconds) {
    std::filesystem::create_directories(directory);
    const Polygon sheet(
        std::vector<Point>{{0, 0}, {job.sheetLength, 0}, {job.sheetLength, job.sheetWidth}, {0, job.sheetWidth}}, "");
    std::vector<Tools::HostSummary> summaries;
    for (const Math::HostAndSetPairing& group : results.resultingSets) {
        const Polygon* host = &sheet;
        for (const Polygon& candidate : job.hosts) {
            if (!group.hostId.empty() && candidate.getName() == group.hostId) host = &candidate;
        }
        Tools::HostSummary summary;
        summary.file = fileNameFor(summaries.size(), group.hostId);
        summary.host = group.hostId;
        summary.parts = group.set.size();
        for (const Polygon& part : group.set.getAllPolygons()) summary.partArea += part.getArea();
        summary.hostArea = host->getArea();
        std::ofstream svg(directory / summary.file);
        Tools::writeHostSvg(svg, *host, group.set, job.bladeWidth,
                            group.hostId.empty() ? "standard sheet" : group.hostId);
        if (!svg) throw std::runtime_error("cannot write " + (directory / summary.file).string());
        summaries.push_back(summary);
    }
    std::ofstream index(directory / "index.html");
    Tools::writeIndexHtml(index, title, summaries,
                          {results.totalArea, results.totalMergedArea, results.totalHostArea, seconds});
    if (!index) throw std::runtime_error("cannot write " + (directory / "index.html").string());
}

}  // namespace

int main(int argc, char** argv) {
    std::string jobPath = "-";
    std::string svgDirectory;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << usageText;
            return 0;
        } else if (argument == "--svg" && i + 1 < argc) {
            svgDirectory = argv[++i];
        } else if (argument.size() > 1 && argument[0] == '-') {
            std::cerr << usageText;
            return 2;
        } else if (jobPath == "-") {
            jobPath = argument;
        } else {
            std::cerr << usageText;
            return 2;
        }
    }

    const std::string source = jobPath == "-" ? std::string("standard input") : jobPath;
    try {
        PackingJob job;
        if (jobPath == "-") {
            job = readPackingJob(std::cin);
        } else {
            std::ifstream in(jobPath);
            if (!in) {
                std::cerr << "pack_job: cannot open " << jobPath << '\n';
                return 1;
            }
            job = readPackingJob(in);
        }

        ProgressLine progress;
        const auto start = std::chrono::steady_clock::now();
        const Math::PackingResults results = runPackingJob(job, progress);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        progress.finish();

        writePackingResults(std::cout, results);
        std::cout.flush();
        if (!svgDirectory.empty()) writeDrawings(svgDirectory, source, job, results, seconds);
    } catch (const PackingTextError& e) {
        std::cerr << "pack_job: " << source << ": " << e.what() << '\n';
        return 1;
    } catch (const Zelkor::Exception& e) {
        std::cerr << "\npack_job: " << e << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "pack_job: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
