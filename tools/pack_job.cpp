// Packs a job given in the packing job text form, or draws results packed elsewhere:
//
//   pack_job [--svg DIR] [--title TEXT] [JOB]
//   pack_job --svg DIR [--title TEXT] --results RESULTS JOB
//
// JOB is a file, or standard input when absent or "-".
//
// The groups go to standard output in the results text form, progress to
// standard error. With --svg, DIR receives one drawing per host used and an
// index.html with a summary table; with --results the groups are read from
// RESULTS instead of packed.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "PackingSvg.h"
#include "packing/PackingDriver.h"
#include "packing/PackingJob.h"
#include "packing/PackingOptions.h"
#include "packing/PartFit.h"

using namespace Zelkor::Rectilinear;

namespace {

const char* const usageText =
    "usage: pack_job [--threads N] [--svg DIR] [--title TEXT] [JOB]\n"
    "       pack_job --svg DIR [--title TEXT] --results RESULTS JOB\n"
    "\n"
    "Packs the job in file JOB (standard input when JOB is absent or \"-\") and prints\n"
    "the groups, one \"group HOST\" line per host used (\"-\" is a standard sheet)\n"
    "followed by one line per part (name, outline), and a last line\n"
    "\"totals AREA MERGED_AREA HOST_AREA\". Progress goes to standard error.\n"
    "\n"
    "  --threads N        search on N threads (default: one per core); the result\n"
    "                     is the same for every N\n"
    "  --svg DIR          also write one SVG drawing per host used (DIR/host-NN-HOST.svg,\n"
    "                     removing those of an earlier run) and DIR/index.html\n"
    "  --title TEXT       heading of index.html (default \"Packing \" and JOB's file name)\n"
    "  --results RESULTS  draw the groups in file RESULTS, in the form above, on the\n"
    "                     hosts of JOB instead of packing; needs --svg, prints nothing\n"
    "  --help             show this text\n"
    "\n"
    "A job is plain text, one item a line ('#' starts a comment):\n"
    "  sheet 3000 1500                          standard sheet, length along x, width along y\n"
    "  blade 4                                  saw blade width (default 0), see below\n"
    "  mode full-sheets                         or minimum-outfall, maximum-outfall\n"
    "  host offcut-7 0,0 800,0 800,400 0,400    off-cut in stock: name, corners\n"
    "  part side-left 0,0 600,0 600,300 0,300   part: name (\"-\" for none), corners\n"
    "Corners are x,y (x to the right, y upward, whole numbers in\n"
    "-2147483646..2147483646); every edge, the closing one included, is horizontal\n"
    "or vertical.\n"
    "\n"
    "Parts, off-cuts and the sheet grow by half the blade, rounded down, and grown\n"
    "parts may touch: parts keep the blade width apart when it is even, one unit\n"
    "less when it is odd (a warning says so).\n"
    "\n"
    "A malformed job or results file is reported on standard error as\n"
    "\"pack_job: FILE: line N: reason\"\n"
    "with exit status 1, and so is each part that fits neither the sheet nor any\n"
    "off-cut, before packing. Off-cuts that cannot take parts are named on standard\n"
    "error after packing. A wrong command line gives exit status 2.\n"
    "\n"
    "Examples:\n"
    "  pack_job --svg out tools/jobs/small-order.job > small-order.result\n"
    "  pack_job --svg again --results small-order.result tools/jobs/small-order.job\n";

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
        shown = -1.0f;
    }

    // Ends the progress line, if one is open, so that a message starts on a line of its own.
    void breakLine() {
        if (shown >= 0.0f) std::fputc('\n', stderr);
        shown = -1.0f;
    }

private:
    float shown = -1.0f;  // negative while no progress line is open
};

// Half the blade is rounded down as everything grows, so an odd blade keeps
// one unit less between parts than its width; a blade wider than the sheet is
// more likely a slip of units than meant.
void warnAboutTheBlade(const PackingJob& job) {
    const int blade = job.bladeWidth;
    if (blade % 2 != 0) {
        std::cerr << "pack_job: warning: blade " << blade << " is odd; parts keep " << 2 * (blade / 2)
                  << " units apart (half the blade, rounded down, on each side)\n";
    }
    const Coordinate shorterSide = std::min(job.sheetLength, job.sheetWidth);
    if (blade > shorterSide) {
        std::cerr << "pack_job: warning: blade " << blade << " is larger than the sheet's shorter side ("
                  << shorterSide << ")\n";
    }
}

// Names every part that fits nowhere; answers whether there was any.
bool reportPartsThatFitNowhere(const PackingJob& job) {
    const std::vector<Math::PartThatFitsNowhere> misfits =
        Math::findPartsThatFitNowhere(job.parts, job.bladeWidth, job.sheetLength, job.sheetWidth, job.hosts);
    for (const Math::PartThatFitsNowhere& misfit : misfits) std::cerr << "pack_job: " << misfit.reason << '\n';
    return !misfits.empty();
}

void reportUnusableHosts(const Math::PackingResults& results) {
    for (const Math::UnusableHost& host : results.unusableHosts) {
        std::cerr << "pack_job: off-cut '" << host.name << "' left unused: " << host.reason << '\n';
    }
}

void reportPictureWarnings(const std::vector<std::string>& warnings) {
    for (const std::string& warning : warnings) std::cerr << "pack_job: warning: " << warning << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    std::string jobPath = "-";
    std::string svgDirectory;
    std::string title;
    std::string resultsPath;
    int threads = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << usageText;
            return 0;
        } else if (argument == "--threads" && i + 1 < argc) {
            char* end = nullptr;
            const long wanted = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || wanted < 1 || wanted > 1024) {
                std::cerr << "pack_job: --threads takes a whole number from 1 to 1024\n";
                return 2;
            }
            threads = static_cast<int>(wanted);
        } else if (argument == "--svg" && i + 1 < argc) {
            svgDirectory = argv[++i];
        } else if (argument == "--title" && i + 1 < argc) {
            title = argv[++i];
        } else if (argument == "--results" && i + 1 < argc) {
            resultsPath = argv[++i];
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
    if (!resultsPath.empty() && (svgDirectory.empty() || jobPath == "-")) {
        std::cerr << usageText;
        return 2;
    }

    std::string source = jobPath == "-" ? std::string("standard input") : jobPath;
    if (title.empty()) {
        title = "Packing " + (jobPath == "-" ? source : std::filesystem::path(jobPath).filename().string());
    }
    ProgressLine progress;
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

        if (!resultsPath.empty()) {
            std::ifstream in(resultsPath);
            if (!in) {
                std::cerr << "pack_job: cannot open " << resultsPath << '\n';
                return 1;
            }
            source = resultsPath;
            const Math::PackingResults results = readPackingResults(in);
            reportPictureWarnings(Tools::writePackingPictures(svgDirectory, {title, std::nullopt}, job, results));
            return 0;
        }

        warnAboutTheBlade(job);
        if (reportPartsThatFitNowhere(job)) return 1;

        const auto start = std::chrono::steady_clock::now();
        PackingOptions options = job.options();
        options.receiver = &progress;
        options.threads = threads;
        const Math::PackingResults results = Math::packPolygonsToInventory(job.parts, job.hosts, options);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        progress.finish();
        reportUnusableHosts(results);

        writePackingResults(std::cout, results);
        std::cout.flush();
        if (!svgDirectory.empty()) {
            reportPictureWarnings(Tools::writePackingPictures(svgDirectory, {title, seconds}, job, results));
        }
    } catch (const PackingTextError& e) {
        std::cerr << "pack_job: " << source << ": " << e.what() << '\n';
        return 1;
    } catch (const std::exception& e) {  // the library's exceptions among them, what() telling why
        progress.breakLine();
        std::cerr << "pack_job: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
