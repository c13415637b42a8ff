// Packs a job given in the packing job text form, or writes out results packed elsewhere:
//
//   pack_job [OPTIONS] [JOB]
//   pack_job --results RESULTS [OPTIONS] JOB
//
// JOB is a file, or standard input when absent or "-".
//
// The groups go to standard output in the results text form, progress to
// standard error. --svg, --dxf and --csv write drawings and a cutting list;
// --parts-dxf and --hosts-dxf add outlines read from DXF drawings to the job;
// with --results the groups are read from RESULTS instead of packed. --optimize
// also searches for a better packing and writes it when it finds one.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "CuttingList.h"
#include "PackingDxf.h"
#include "PackingSvg.h"
#include "geometry/ExactArea.h"
#include "packing/PackingDriver.h"
#include "packing/PackingJob.h"
#include "packing/PackingOptions.h"
#include "packing/PartFit.h"

using namespace Zelkor::Rectilinear;

namespace {

const char* const usageText =
    "usage: pack_job [OPTIONS] [JOB]\n"
    "       pack_job --results RESULTS [OPTIONS] JOB\n"
    "\n"
    "Packs the job in file JOB (standard input when JOB is absent or \"-\") and prints\n"
    "the groups, one \"group HOST\" line per host used (\"-\" is a standard sheet)\n"
    "followed by one line per part (name, outline), and a last line\n"
    "\"totals AREA MERGED_AREA HOST_AREA\". Progress goes to standard error.\n"
    "\n"
    "  --threads N        search on N threads (default: one per core); the result\n"
    "                     is the same for every N\n"
    "  --optimize [EFFORT]\n"
    "                     also search for a packing on fewer hosts (or better by the\n"
    "                     mode's own measure) and write it in place of the specified\n"
    "                     one when it is better; EFFORT (default %EFFORT%, taken when the\n"
    "                     next argument is a whole number) sets how hard, 0 turns the\n"
    "                     search off. Overrides the job's optimize line. The hosts\n"
    "                     used and the utilization of both go to standard error\n"
    "  --optimize-seconds S\n"
    "                     stop the search after S seconds (default 0: no limit); the\n"
    "                     result then depends on the machine\n"
    "  --seed N           seed of the search's random choices (default 1); the same\n"
    "                     job, effort and seed give the same result everywhere\n"
    "  --svg DIR          also write one SVG drawing per host used (DIR/host-NN-HOST.svg,\n"
    "                     removing those of an earlier run) and DIR/index.html\n"
    "  --title TEXT       heading of index.html (default \"Packing \" and JOB's file name)\n"
    "  --dxf DIR          also write one DXF drawing per host used (DIR/host-NN-HOST.dxf,\n"
    "                     removing those of an earlier run), layers HOST, PARTS,\n"
    "                     PART_NAMES, CUT_LINES and LEFTOVER, in the job's units\n"
    "  --csv FILE         also write the cutting list: a row per part placed (host, name,\n"
    "                     x, y of its first corner, quarter turns, area), per host\n"
    "                     (parts, utilization, leftover area) and per part set aside\n"
    "  --parts-dxf FILE   add every closed polyline of the DXF drawing FILE as a part,\n"
    "                     named after the file and numbered (FILE's stem-1, -2, ...)\n"
    "  --hosts-dxf FILE   add them as off-cuts in stock, named the same way\n"
    "  --strict           pack nothing when a part fits nowhere (exit status 1)\n"
    "  --results RESULTS  write out the groups in file RESULTS, in the form above, on\n"
    "                     the hosts of JOB instead of packing; needs --svg, --dxf or\n"
    "                     --csv, prints nothing\n"
    "  --help             show this text\n"
    "\n"
    "A job is plain text, one item a line ('#' starts a comment):\n"
    "  sheet 3000 1500                          standard sheet, length along x, width along y\n"
    "  blade 4                                  saw blade width (default 0), see below\n"
    "  mode full-sheets                         or minimum-outfall, maximum-outfall\n"
    "  units mm                                 or cm, m, in, ft (default: not stated)\n"
    "  optimize 500                             search as --optimize 500 does (\"optimize\"\n"
    "                                           alone: the default effort)\n"
    "  host offcut-7 0,0 800,0 800,400 0,400    off-cut in stock: name, corners\n"
    "  part side-left 0,0 600,0 600,300 0,300   part: name (\"-\" for none), corners\n"
    "  part door 0,0 400,0 400,700 0,700 x4 rotate none\n"
    "                                           4 copies door-1..door-4, never turned\n"
    "Corners are x,y (x to the right, y upward, whole numbers in\n"
    "-2147483646..2147483646); every edge, the closing one included, is horizontal\n"
    "or vertical. \"rotate half\" lets a part turn end for end only (grain along an\n"
    "axis), \"rotate quarter\" (the default) by any quarter turn.\n"
    "\n"
    "Parts, off-cuts and the sheet grow by half the blade, rounded down, and grown\n"
    "parts may touch: parts keep the blade width apart when it is even, one unit\n"
    "less when it is odd (a warning says so).\n"
    "\n"
    "A malformed job, results file or drawing is reported on standard error as\n"
    "\"pack_job: FILE: line N: reason\" or \"pack_job: FILE: ENTITY: reason\"\n"
    "with exit status 1. A part that fits neither the sheet nor any off-cut is set\n"
    "aside and named on standard error, the others are packed, and the exit status\n"
    "is 3. Off-cuts that cannot take parts are named on standard error after\n"
    "packing. A wrong command line gives exit status 2.\n"
    "\n"
    "Examples:\n"
    "  pack_job --svg out --csv out/cutting.csv tools/jobs/small-order.job > small-order.result\n"
    "  pack_job --dxf again --results small-order.result tools/jobs/small-order.job\n"
    "  pack_job --optimize 500 --optimize-seconds 60 tools/jobs/cabinet-order.job > cabinet-order.result\n";

// The usage text with the default effort filled in.
std::string usage() {
    std::string text = usageText;
    const std::string placeholder = "%EFFORT%";
    text.replace(text.find(placeholder), placeholder.size(), std::to_string(defaultOptimizeEffort));
    return text;
}

// Exit statuses besides 0.
constexpr int failed = 1;
constexpr int badCommandLine = 2;
constexpr int partsSetAside = 3;

// The progress fraction on one line of standard error, rewritten in place
// whenever it has moved by at least 0.01, after what the run does.
class ProgressLine final : public Zelkor::ReportReceiver {
public:
    // Shown before the fraction from the next report on: "packing" until set.
    void setActivity(const char* newActivity) { activity = newActivity; }

    void report(void* data) override {
        if (data == nullptr) return;  // a heartbeat
        const float progress = *static_cast<const float*>(data);
        if (shown >= 0.0f && std::fabs(progress - shown) < 0.01f) return;
        shown = progress;
        std::fprintf(stderr, "\r%s %.2f", activity, static_cast<double>(progress));
        std::fflush(stderr);
    }

    void finish() {
        if (shown >= 0.0f) std::fprintf(stderr, "\r%s done\n", activity);
        shown = -1.0f;
    }

    // Ends the progress line, if one is open, so that a message starts on a line of its own.
    void breakLine() {
        if (shown >= 0.0f) std::fputc('\n', stderr);
        shown = -1.0f;
    }

private:
    const char* activity = "packing";
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

void reportPictureWarnings(const std::vector<std::string>& warnings) {
    for (const std::string& warning : warnings) std::cerr << "pack_job: warning: " << warning << '\n';
}

// Names every part that fits nowhere; answers whether there was any.
bool reportPartsThatFitNowhere(const PackingJob& job) {
    const std::vector<Math::PartThatFitsNowhere> misfits =
        Math::findPartsThatFitNowhere(job.parts, job.bladeWidth, job.sheetLength, job.sheetWidth, job.hosts);
    for (const Math::PartThatFitsNowhere& misfit : misfits) std::cerr << "pack_job: " << misfit.reason << '\n';
    return !misfits.empty();
}

void reportPartsSetAside(const Math::PackingResults& results) {
    for (const Math::PartThatFitsNowhere& misfit : results.partsSetAside) {
        std::cerr << "pack_job: set aside: " << misfit.reason << '\n';
    }
}

// The outlines of a DXF drawing added to the job's parts or hosts, named
// after the file. The drawing's units must be the job's; a job without units
// takes the drawing's. Says what was read, in which units.
void addFromDxf(PackingJob& job, const std::string& file, bool asHosts) {
    const Tools::DxfOutlines read = Tools::readDxfOutlines(file, std::filesystem::path(file).stem().string());
    if (read.unitsCode != 0) {
        const std::string units = Tools::jobUnitsFor(read.unitsCode);
        if (!job.units.empty() && units != job.units) {
            throw Tools::DxfError(file + ": drawn in " + Tools::dxfUnitsName(read.unitsCode) + ", the job is in " +
                                  Tools::dxfUnitsName(Tools::dxfUnitsCode(job.units)));
        }
        job.units = units;
    }
    std::vector<Polygon>& into = asHosts ? job.hosts : job.parts;
    for (const Polygon& outline : read.outlines) {
        const bool taken = std::any_of(into.begin(), into.end(),
                                       [&outline](const Polygon& p) { return p.getName() == outline.getName(); });
        if (taken && asHosts) throw Tools::DxfError(file + ": host '" + outline.getName() + "' is already in the job");
        if (taken) std::cerr << "pack_job: warning: part name '" << outline.getName() << "' given twice\n";
        into.push_back(outline);
    }
    std::cerr << "pack_job: " << file << ": " << read.outlines.size() << (asHosts ? " off-cut(s)" : " part(s)")
              << " read, "
              << (read.unitsCode != 0 ? "in " + Tools::dxfUnitsName(read.unitsCode)
                                      : "no units stated (taken as the job's" +
                                            (job.units.empty() ? std::string()
                                                               : ", " + Tools::dxfUnitsName(Tools::dxfUnitsCode(job.units))) +
                                            ")")
              << '\n';
}

struct Outputs {
    std::string svgDirectory;
    std::string title;
    std::string dxfDirectory;
    std::string csvPath;
    bool any() const { return !svgDirectory.empty() || !dxfDirectory.empty() || !csvPath.empty(); }
};

void writeOutputs(const Outputs& outputs, const PackingJob& job, const Math::PackingResults& results,
                  std::optional<double> seconds) {
    if (!outputs.svgDirectory.empty()) {
        reportPictureWarnings(Tools::writePackingPictures(outputs.svgDirectory, {outputs.title, seconds}, job, results));
    }
    if (!outputs.dxfDirectory.empty()) reportPictureWarnings(Tools::writePackingDxf(outputs.dxfDirectory, job, results));
    if (!outputs.csvPath.empty()) {
        std::ofstream csv(outputs.csvPath, std::ios::binary);
        Tools::writeCuttingList(csv, job, results);
        if (!csv) throw std::runtime_error("cannot write " + outputs.csvPath);
    }
}

// Part area over the area of the hosts used, as the cutting list measures it
// (neither grown by the blade).
double utilization(const PackingJob& job, const Math::PackingResults& results) {
    __int128 partArea = 0;
    __int128 hostArea = 0;
    for (const Tools::HostDrawing& drawing : Tools::hostDrawings(job, results)) {
        hostArea += Math::twiceArea(drawing.host);
        for (const Polygon& part : drawing.parts.getAllPolygons()) partArea += Math::twiceArea(part);
    }
    return hostArea > 0 ? double(partArea) / double(hostArea) : 0.0;
}

// "pack_job: optimized: 5 hosts (was 6), utilization 81.2% (was 67.7%)".
void reportOptimized(const PackingJob& job, const Math::PackingResults& specified,
                     const Math::PackingResults& optimized) {
    const std::size_t hosts = optimized.resultingSets.size();
    std::fprintf(stderr, "pack_job: optimized: %zu host%s (was %zu), utilization %.1f%% (was %.1f%%)\n", hosts,
                 hosts == 1 ? "" : "s", specified.resultingSets.size(), 100.0 * utilization(job, optimized),
                 100.0 * utilization(job, specified));
}

// Whether `text` is a whole number without a sign.
bool isWholeNumber(const char* text) {
    return *text != '\0' && std::strspn(text, "0123456789") == std::strlen(text);
}

// `text` as a whole number from 0 to `largest`, or nothing.
std::optional<unsigned long long> readWholeNumber(const char* text, unsigned long long largest) {
    if (!isWholeNumber(text)) return std::nullopt;
    errno = 0;
    const unsigned long long value = std::strtoull(text, nullptr, 10);
    if (errno == ERANGE || value > largest) return std::nullopt;
    return value;
}

void reportUnusableHosts(const Math::PackingResults& results) {
    for (const Math::UnusableHost& host : results.unusableHosts) {
        std::cerr << "pack_job: off-cut '" << host.name << "' left unused: " << host.reason << '\n';
    }
}


}  // namespace

int main(int argc, char** argv) {
    std::string jobPath = "-";
    Outputs outputs;
    std::string resultsPath;
    int threads = 0;
    std::vector<std::pair<std::string, bool>> drawings;  // DXF file, read as hosts
    bool strict = false;
    std::optional<int> optimizeEffort;  // given on the command line, over the job's
    std::optional<unsigned> optimizeSeed;
    std::optional<double> optimizeSeconds;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool valueFollows = i + 1 < argc;
        if (argument == "--help" || argument == "-h") {
            std::cout << usage();
            return 0;
        } else if (argument == "--threads" && valueFollows) {
            char* end = nullptr;
            const long wanted = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || wanted < 1 || wanted > 1024) {
                std::cerr << "pack_job: --threads takes a whole number from 1 to 1024\n";
                return badCommandLine;
            }
            threads = static_cast<int>(wanted);
        } else if (argument == "--optimize") {
            optimizeEffort = defaultOptimizeEffort;
            if (valueFollows && isWholeNumber(argv[i + 1])) {
                const auto effort = readWholeNumber(argv[++i], std::numeric_limits<int>::max());
                if (!effort) {
                    std::cerr << "pack_job: --optimize takes an effort from 0 to " << std::numeric_limits<int>::max()
                              << '\n';
                    return badCommandLine;
                }
                optimizeEffort = static_cast<int>(*effort);
            }
        } else if (argument == "--optimize-seconds" && valueFollows) {
            char* end = nullptr;
            const char* text = argv[++i];
            const double seconds = std::strtod(text, &end);
            if (end == text || *end != '\0' || !std::isfinite(seconds) || seconds < 0.0) {
                std::cerr << "pack_job: --optimize-seconds takes a number of seconds, 0 or more\n";
                return badCommandLine;
            }
            optimizeSeconds = seconds;
        } else if (argument == "--seed" && valueFollows) {
            const auto seed = readWholeNumber(argv[++i], std::numeric_limits<unsigned>::max());
            if (!seed) {
                std::cerr << "pack_job: --seed takes a whole number from 0 to " << std::numeric_limits<unsigned>::max()
                          << '\n';
                return badCommandLine;
            }
            optimizeSeed = static_cast<unsigned>(*seed);
        } else if (argument == "--svg" && valueFollows) {
            outputs.svgDirectory = argv[++i];
        } else if (argument == "--title" && valueFollows) {
            outputs.title = argv[++i];
        } else if (argument == "--dxf" && valueFollows) {
            outputs.dxfDirectory = argv[++i];
        } else if (argument == "--csv" && valueFollows) {
            outputs.csvPath = argv[++i];
        } else if ((argument == "--parts-dxf" || argument == "--hosts-dxf") && valueFollows) {
            drawings.emplace_back(argv[++i], argument == "--hosts-dxf");
        } else if (argument == "--strict") {
            strict = true;
        } else if (argument == "--results" && valueFollows) {
            resultsPath = argv[++i];
        } else if (argument.size() > 1 && argument[0] == '-') {
            std::cerr << usage();
            return badCommandLine;
        } else if (jobPath == "-") {
            jobPath = argument;
        } else {
            std::cerr << usage();
            return badCommandLine;
        }
    }
    if (!resultsPath.empty() && (!outputs.any() || jobPath == "-")) {
        std::cerr << usage();
        return badCommandLine;
    }

    std::string source = jobPath == "-" ? std::string("standard input") : jobPath;
    if (outputs.title.empty()) {
        outputs.title = "Packing " + (jobPath == "-" ? source : std::filesystem::path(jobPath).filename().string());
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
                return failed;
            }
            job = readPackingJob(in);
        }
        for (const std::string& warning : job.warnings) {
            std::cerr << "pack_job: warning: " << source << ": " << warning << '\n';
        }
        for (const auto& [file, asHosts] : drawings) addFromDxf(job, file, asHosts);

        if (!resultsPath.empty()) {
            std::ifstream in(resultsPath);
            if (!in) {
                std::cerr << "pack_job: cannot open " << resultsPath << '\n';
                return failed;
            }
            source = resultsPath;
            writeOutputs(outputs, job, readPackingResults(in), std::nullopt);
            return 0;
        }

        warnAboutTheBlade(job);
        if (strict && reportPartsThatFitNowhere(job)) return failed;

        PackingOptions options = job.options();
        options.receiver = &progress;
        options.threads = threads;
        options.setAsidePartsThatFitNowhere = true;
        if (optimizeEffort) options.optimizeEffort = *optimizeEffort;
        if (optimizeSeed) options.optimizeSeed = *optimizeSeed;
        if (optimizeSeconds) options.optimizeSeconds = *optimizeSeconds;
        if (options.optimizeEffort == 0 && (optimizeSeed || optimizeSeconds)) {
            std::cerr << "pack_job: warning: --seed and --optimize-seconds only apply with --optimize\n";
        }

        const auto start = std::chrono::steady_clock::now();
        // The specified packing too, when optimizing, to compare with.
        std::optional<Math::PackingResults> specified;
        if (options.optimizeEffort > 0) {
            PackingOptions asSpecified = options;
            asSpecified.optimizeEffort = 0;
            specified = Math::packPolygonsToInventory(job.parts, job.hosts, asSpecified);
            progress.finish();
            progress.setActivity("optimizing");
        }
        const Math::PackingResults results = Math::packPolygonsToInventory(job.parts, job.hosts, options);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        progress.finish();
        if (specified) reportOptimized(job, *specified, results);
        reportPartsSetAside(results);
        reportUnusableHosts(results);

        writePackingResults(std::cout, results);
        std::cout.flush();
        writeOutputs(outputs, job, results, seconds);
        return results.partsSetAside.empty() ? 0 : partsSetAside;
    } catch (const PackingTextError& e) {
        std::cerr << "pack_job: " << source << ": " << e.what() << '\n';
        return failed;
    } catch (const std::exception& e) {  // the library's exceptions among them, what() telling why
        progress.breakLine();
        std::cerr << "pack_job: " << e.what() << '\n';
        return failed;
    }
}
