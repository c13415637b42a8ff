// Writes the random packing job that the packing benchmarks run, in the
// packing job text form, for the command-line packer:
//
//   random_packing_job PARTS [SEED] [MODE]   SEED defaults to PARTS, MODE to minimum-outfall
//
//   random_packing_job 100 > job100.txt && build/tools/pack_job job100.txt
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

#include "RandomPackingJobs.h"
#include "packing/PackingJob.h"

using namespace Zelkor::Rectilinear;

const char* const usageText =
    "usage: random_packing_job PARTS [SEED] [full-sheets|minimum-outfall|maximum-outfall]\n"
    "Writes a random packing job of PARTS parts; SEED defaults to PARTS, the mode to minimum-outfall.\n";

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << usageText;
        return 0;
    }
    if (argc < 2 || argc > 4 || std::atoi(argv[1]) <= 0) {
        std::cerr << usageText;
        return 2;
    }
    const int parts = std::atoi(argv[1]);
    std::mt19937 random(argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10))
                                 : static_cast<unsigned>(parts));
    int mode = Math::minimumAreaOutfall;
    if (argc > 3) {
        for (int candidate : {Math::maximumAreaOutfall, Math::minimumAreaOutfall, Math::standardSheet}) {
            if (packingModeName(candidate) == argv[3]) mode = candidate;
        }
        if (packingModeName(mode) != argv[3]) {
            std::cerr << "random_packing_job: unknown mode " << argv[3] << '\n';
            return 2;
        }
    }
    std::cout << "# random packing job: " << parts << " parts, seed " << (argc > 2 ? argv[2] : argv[1]) << '\n';
    writePackingJob(std::cout, Testing::randomPackingJob(random, parts, mode));
    return 0;
}
