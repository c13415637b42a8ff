// The packing engine on the classic two-dimensional bin-packing classes I to
// X: each instance's bin is the standard sheet, its items are the parts
// (rectangles, quarter turns allowed), the blade is 0 and the mode fills full
// sheets. Per class it prints the sheets used against the area lower bound
// and the best published total. The industrial instances a01 to a43 and beng01 to beng10 of the
// same file, another blade and another mode can be asked for instead; with
// --optimize each instance is also given to the optimizing pack, and the
// specified and the optimized totals are printed side by side.
//
//   bin2d_classes [--class N|all] [--industrial] [--blade N] [--mode full-sheets|minimum-outfall|maximum-outfall]
//                 [--optimize [EFFORT]] [--seed N] [--max-items N] [--time-limit S] [--threads N] [--verbose]
//                 [DATA_DIR]
//
// DATA_DIR holds bin2d-instances.txt (default: ../shared/benchdata beside the
// source tree) and may come anywhere among the options. Each result is
// checked: every part comes back once, with its own size, inside the sheet
// and overlapping no other part.
#include <chrono>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>  // isatty

#include "geometry/Exception.h"
#include "geometry/Polygon.h"
#include "packing/InterruptedException.h"
#include "packing/OptimizingPack.h"
#include "packing/PackingDriver.h"
#include "packing/PackingModes.h"
#include "packing/PackingOptions.h"
#include "packing/ReportReceiver.h"

using namespace Zelkor::Rectilinear;

namespace {

using Clock = std::chrono::steady_clock;

struct Item {
    Coordinate w, h;
};

struct Instance {
    std::string name;
    int classNumber = 0;
    Coordinate binWidth = 0, binHeight = 0;  // along x, along y
    std::vector<Item> items;                 // one entry per item, counts expanded

    long long lowerBound() const {
        long long itemArea = 0;
        for (const Item& item : items) itemArea += static_cast<long long>(item.w) * item.h;
        const long long binArea = static_cast<long long>(binWidth) * binHeight;
        return (itemArea + binArea - 1) / binArea;
    }
};

// Best published totals over the 50 instances of each class, 90-degree turns allowed.
const std::map<int, int> bestPublished = {{1, 972}, {2, 124}, {3, 675}, {4, 120}, {5, 861},
                                          {6, 109}, {7, 758}, {8, 759}, {9, 2119}, {10, 491}};

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> fields;
    std::stringstream in(text);
    for (std::string field; std::getline(in, field, separator);) fields.push_back(field);
    return fields;
}

// "name;entries;W;H;w,h[,count];..." lines; the class instances "clNN_..."
// are kept, or with `industrial` the instances "aNN" (class 0) and "bengNN" (class 1).
std::vector<Instance> readClassInstances(const std::string& path, bool industrial) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::vector<Instance> instances;
    for (std::string line; std::getline(in, line);) {
        const bool beng = line.rfind("beng", 0) == 0;
        const bool wanted =
            industrial ? beng || (line.size() > 1 && line[0] == 'a' && std::isdigit(static_cast<unsigned char>(line[1])))
                       : line.rfind("cl", 0) == 0;
        if (!wanted) continue;
        const std::vector<std::string> fields = split(line, ';');
        if (fields.size() < 5) throw std::runtime_error("malformed instance line: " + line);
        Instance instance;
        instance.name = fields[0];
        instance.classNumber = industrial ? (beng ? 1 : 0) : std::stoi(fields[0].substr(2, 2));
        instance.binWidth = std::stoi(fields[2]);
        instance.binHeight = std::stoi(fields[3]);
        for (std::size_t i = 4; i < fields.size(); ++i) {
            const std::vector<std::string> numbers = split(fields[i], ',');
            if (numbers.size() < 2) throw std::runtime_error("malformed item in " + instance.name);
            const int count = numbers.size() > 2 ? std::stoi(numbers[2]) : 1;
            for (int c = 0; c < count; ++c) instance.items.push_back({std::stoi(numbers[0]), std::stoi(numbers[1])});
        }
        instances.push_back(std::move(instance));
    }
    return instances;
}

// One progress line on standard error; stops the run once it is over its time.
class InstanceProgress final : public Zelkor::ReportReceiver {
public:
    InstanceProgress(std::string newPrefix, double newTimeLimit)
        : prefix(std::move(newPrefix)), timeLimit(newTimeLimit), start(Clock::now()) {
        show(0.0f);
    }

    void report(void* data) override {
        if (timeLimit > 0 && std::chrono::duration<double>(Clock::now() - start).count() > timeLimit) {
            throw InterruptedException("bin2d_classes", __LINE__);
        }
        if (data == nullptr) return;
        const float progress = *static_cast<const float*>(data);
        if (std::fabs(progress - shown) >= 0.01f) show(progress);
    }

private:
    // Rewritten in place on a terminal; anywhere else it would only pile up.
    void show(float progress) {
        shown = progress;
        if (!onTerminal) return;
        std::fprintf(stderr, "\r%s %.2f   ", prefix.c_str(), static_cast<double>(progress));
        std::fflush(stderr);
    }

    std::string prefix;
    double timeLimit;
    Clock::time_point start;
    const bool onTerminal = isatty(fileno(stderr)) != 0;
    float shown = 0.0f;
};

// Empty when the result is sound, otherwise what is wrong with it.
std::string checkResult(const Instance& instance, const Math::PackingResults& results) {
    std::vector<int> seen(instance.items.size(), 0);
    for (const Math::HostAndSetPairing& group : results.resultingSets) {
        if (!group.hostId.empty()) return "a group on host '" + group.hostId + "'";
        const std::vector<Polygon>& parts = group.set.getAllPolygons();
        for (std::size_t a = 0; a < parts.size(); ++a) {
            const Polygon& part = parts[a];
            const std::string& name = part.getName();
            const std::size_t index = name.size() > 1 ? std::strtoul(name.c_str() + 1, nullptr, 10) : seen.size();
            if (index >= seen.size()) return "unknown part '" + name + "'";
            if (++seen[index] > 1) return "part " + part.getName() + " returned twice";
            const Item& item = instance.items[index];
            const Rectangle box = part.getBoundingRectangle();
            const Coordinate w = box.getTopRight().x - box.getBottomLeft().x;
            const Coordinate h = box.getTopRight().y - box.getBottomLeft().y;
            if (part.numberOfPoints() != 4 || !((w == item.w && h == item.h) || (w == item.h && h == item.w))) {
                return "part " + part.getName() + " changed shape: " + part.toString();
            }
            if (box.getBottomLeft().x < 0 || box.getBottomLeft().y < 0 || box.getTopRight().x > instance.binWidth ||
                box.getTopRight().y > instance.binHeight) {
                return "part " + part.getName() + " outside the sheet: " + part.toString();
            }
            for (std::size_t b = 0; b < a; ++b) {
                const Rectangle other = parts[b].getBoundingRectangle();
                const bool overlap = box.getBottomLeft().x < other.getTopRight().x &&
                                     other.getBottomLeft().x < box.getTopRight().x &&
                                     box.getBottomLeft().y < other.getTopRight().y &&
                                     other.getBottomLeft().y < box.getTopRight().y;
                if (overlap) return "parts " + part.getName() + " and " + parts[b].getName() + " overlap";
            }
        }
    }
    for (std::size_t i = 0; i < seen.size(); ++i) {
        if (seen[i] == 0) return "part r" + std::to_string(i) + " missing";
    }
    return {};
}

struct ClassTally {
    int instances = 0;
    int failed = 0;  // interrupted, thrown or unsound; not in the sums
    long long sheets = 0;
    long long lowerBound = 0;
    double seconds = 0;
    long long optimizedSheets = 0;  // with --optimize
    double optimizeSeconds = 0;     // the optimizing search alone
    double slowestOptimize = 0;
};

const char* const usageText =
    "usage: bin2d_classes [--class N|all] [--industrial] [--blade N] [--mode MODE] [--optimize [EFFORT]]\n"
    "                     [--seed N] [--max-items N] [--time-limit S] [--threads N] [--verbose] [DATA_DIR]\n"
    "  --class       one class, 1 to 10, or all (default)\n"
    "  --industrial  the instances a01 to a43 and beng01 to beng10 instead of the classes\n"
    "  --blade       saw blade width (default 0)\n"
    "  --mode        full-sheets (default), minimum-outfall or maximum-outfall\n"
    "  --optimize    also run the optimizing pack with this effort (default 5000) on the\n"
    "                specified result, and print both totals with the search's time\n"
    "  --seed        seed of the optimizing search (default 1)\n"
    "  --max-items   skip instances with more items (default: no limit)\n"
    "  --time-limit  stop an instance after S seconds and count it as failed (default: none)\n"
    "  --threads     threads per packing (default: one per core)\n"
    "  --verbose     one line per instance\n"
    "  --help        show this text\n"
    "  DATA_DIR      folder of bin2d-instances.txt, anywhere among the options\n"
    "                (default " ZELKOR_DEFAULT_BENCHDATA ")\n";

int usage() {
    std::cerr << usageText;
    return 2;
}

void printRow(const std::string& label, const ClassTally& t, const std::string& published, bool optimized) {
    char ratio[32] = "-";
    if (t.lowerBound > 0) std::snprintf(ratio, sizeof ratio, "%.3f", double(t.sheets) / double(t.lowerBound));
    std::printf("%-6s %9d %6d %8lld %11lld %7s %10s %10.2f", label.c_str(), t.instances, t.failed, t.sheets,
                t.lowerBound, ratio, published.c_str(), t.seconds);
    if (optimized) {
        std::printf(" %9lld %10.2f %9.3f %9.3f", t.optimizedSheets, t.optimizeSeconds,
                    t.instances > 0 ? t.optimizeSeconds / t.instances : 0.0, t.slowestOptimize);
    }
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    std::string dataDirectory = ZELKOR_DEFAULT_BENCHDATA;
    int onlyClass = 0;
    std::size_t maxItems = 0;
    double timeLimit = 0;
    bool verbose = false;
    int threads = 0;
    bool industrial = false;
    int blade = 0;
    int mode = Math::standardSheet;
    int optimizeEffort = 0;
    unsigned seed = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--help" || argument == "-h") {
            std::cout << usageText;
            return 0;
        } else if (argument == "--class" && hasValue) {
            const std::string value = argv[++i];
            onlyClass = value == "all" ? 0 : std::atoi(value.c_str());
            if (value != "all" && (onlyClass < 1 || onlyClass > 10)) return usage();
        } else if (argument == "--max-items" && hasValue) {
            maxItems = std::strtoul(argv[++i], nullptr, 10);
        } else if (argument == "--time-limit" && hasValue) {
            timeLimit = std::atof(argv[++i]);
        } else if (argument == "--threads" && hasValue) {
            threads = std::atoi(argv[++i]);
            if (threads < 1) return usage();
        } else if (argument == "--industrial") {
            industrial = true;
        } else if (argument == "--blade" && hasValue) {
            blade = std::atoi(argv[++i]);
            if (blade < 0) return usage();
        } else if (argument == "--mode" && hasValue) {
            const std::string value = argv[++i];
            if (value == "full-sheets") mode = Math::standardSheet;
            else if (value == "minimum-outfall") mode = Math::minimumAreaOutfall;
            else if (value == "maximum-outfall") mode = Math::maximumAreaOutfall;
            else return usage();
        } else if (argument == "--optimize") {
            optimizeEffort = defaultOptimizeEffort;
            if (hasValue && std::isdigit(static_cast<unsigned char>(argv[i + 1][0]))) optimizeEffort = std::atoi(argv[++i]);
            if (optimizeEffort < 1) return usage();
        } else if (argument == "--seed" && hasValue) {
            seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else if (argument == "--verbose") {
            verbose = true;
        } else if (argument[0] != '-') {
            dataDirectory = argument;
        } else {
            return usage();
        }
    }

    std::vector<Instance> selected;
    try {
        for (Instance& instance : readClassInstances(dataDirectory + "/bin2d-instances.txt", industrial)) {
            if (onlyClass != 0 && instance.classNumber != onlyClass) continue;
            if (maxItems != 0 && instance.items.size() > maxItems) continue;
            selected.push_back(std::move(instance));
        }
    } catch (const std::exception& e) {
        std::cerr << "bin2d_classes: " << e.what() << '\n';
        return 1;
    }

    std::map<int, ClassTally> tallies;
    int unsound = 0;
    for (std::size_t k = 0; k < selected.size(); ++k) {
        const Instance& instance = selected[k];
        std::vector<Polygon> parts;
        for (std::size_t i = 0; i < instance.items.size(); ++i) {
            const Item& item = instance.items[i];
            parts.emplace_back(std::vector<Point>{{0, 0}, {item.w, 0}, {item.w, item.h}, {0, item.h}},
                               "r" + std::to_string(i));
        }
        ClassTally& tally = tallies[instance.classNumber];
        ++tally.instances;
        const std::string prefix =
            instance.name + " (" + std::to_string(k + 1) + "/" + std::to_string(selected.size()) + ")";
        InstanceProgress progress(prefix, timeLimit);
        PackingOptions options;
        options.sheetLength = instance.binWidth;
        options.sheetWidth = instance.binHeight;
        options.bladeWidth = blade;
        options.mode = packingModeFromInt(mode);
        options.receiver = &progress;
        options.threads = threads;
        const Clock::time_point start = Clock::now();
        std::string problem;
        Math::PackingResults results;
        Math::PackingResults optimized;
        double optimizeSeconds = 0;
        try {
            results = Math::packPolygonsToInventory(parts, /*hosts=*/{}, options);
            problem = checkResult(instance, results);
            if (problem.empty() && optimizeEffort > 0) {
                options.optimizeEffort = optimizeEffort;
                options.optimizeSeed = seed;
                const Clock::time_point searchStart = Clock::now();
                optimized = Math::optimizePacking(parts, /*hosts=*/{}, options, results);
                optimizeSeconds = std::chrono::duration<double>(Clock::now() - searchStart).count();
                problem = checkResult(instance, optimized);
                if (!problem.empty()) problem = "optimized: " + problem;
            }
        } catch (const InterruptedException&) {
            problem = "stopped after the time limit";
        } catch (const Zelkor::Exception& e) {
            std::ostringstream text;
            text << "engine failure " << e;
            problem = text.str();
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count() - optimizeSeconds;
        tally.seconds += seconds;
        tally.optimizeSeconds += optimizeSeconds;
        tally.slowestOptimize = std::max(tally.slowestOptimize, optimizeSeconds);
        std::fprintf(stderr, "\r%*s\r", static_cast<int>(prefix.size()) + 8, "");
        if (!problem.empty()) {
            ++tally.failed;
            ++unsound;
            std::cerr << instance.name << ": " << problem << '\n';
        } else {
            tally.sheets += static_cast<long long>(results.resultingSets.size());
            tally.optimizedSheets += static_cast<long long>(optimized.resultingSets.size());
            tally.lowerBound += instance.lowerBound();
        }
        if (verbose) {
            std::printf("%-12s items %3zu  sheets %3zu  lower bound %3lld  %8.3f s", instance.name.c_str(),
                        instance.items.size(), results.resultingSets.size(), instance.lowerBound(), seconds);
            if (optimizeEffort > 0) {
                std::printf("  optimized %3zu  %8.3f s", optimized.resultingSets.size(), optimizeSeconds);
            }
            std::printf("%s\n", problem.empty() ? "" : "  FAILED");
            std::fflush(stdout);
        }
    }

    const bool optimized = optimizeEffort > 0;
    std::printf("\n%-6s %9s %6s %8s %11s %7s %10s %10s", "class", "instances", "failed", "sheets", "lower bound",
                "ratio", "published", "seconds");
    if (optimized) std::printf(" %9s %10s %9s %9s", "optimized", "search s", "mean s", "max s");
    std::printf("\n");
    // Published totals hold for the classes with no blade only.
    const bool published = !industrial && blade / 2 == 0;
    ClassTally all;
    for (const auto& [classNumber, tally] : tallies) {
        printRow(industrial ? std::string(classNumber == 0 ? "a" : "beng") : std::to_string(classNumber), tally,
                 published ? std::to_string(bestPublished.at(classNumber)) : "-", optimized);
        all.instances += tally.instances;
        all.failed += tally.failed;
        all.sheets += tally.sheets;
        all.lowerBound += tally.lowerBound;
        all.seconds += tally.seconds;
        all.optimizedSheets += tally.optimizedSheets;
        all.optimizeSeconds += tally.optimizeSeconds;
        all.slowestOptimize = std::max(all.slowestOptimize, tally.slowestOptimize);
    }
    if (tallies.size() > 1) {
        printRow("all", all, published && tallies.size() == bestPublished.size() ? "6988" : "", optimized);
    }
    std::printf("(sheets and lower bound cover the sound results only; the published totals cover all 50 instances "
                "of a class)\n");
    return unsound == 0 ? 0 : 1;
}
