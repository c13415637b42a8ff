#include "packing/PackingJob.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <system_error>

#include "geometry/Exception.h"
#include "geometry/PolygonSet.h"
#include "geometry/ShapeValidation.h"

namespace Zelkor::Rectilinear {

namespace {

constexpr std::string_view emptyNameToken = "-";

struct ModeName {
    int mode;
    std::string_view name;
};
constexpr ModeName modeNames[] = {
    {Math::standardSheet, "full-sheets"},
    {Math::minimumAreaOutfall, "minimum-outfall"},
    {Math::maximumAreaOutfall, "maximum-outfall"},
};

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

// One input line cut into white-space separated tokens, comment removed.
class Line {
public:
    Line(int newNumber, std::string_view text)
        : lineNumber(newNumber), indented(!text.empty() && (text[0] == ' ' || text[0] == '\t')) {
        text = text.substr(0, text.find('#'));
        std::size_t at = 0;
        while (true) {
            at = text.find_first_not_of(" \t\r", at);
            if (at == std::string_view::npos) break;
            std::size_t end = text.find_first_of(" \t\r", at);
            if (end == std::string_view::npos) end = text.size();
            tokens.push_back(text.substr(at, end - at));
            at = end;
        }
    }

    int getNumber() const { return lineNumber; }
    bool isIndented() const { return indented; }
    bool empty() const { return tokens.empty(); }
    std::size_t size() const { return tokens.size(); }
    std::string_view operator[](std::size_t i) const { return tokens[i]; }

    [[noreturn]] void fail(const std::string& reason) const { throw PackingTextError(lineNumber, reason); }

    // The token at i, which must be present; `what` names it in the error.
    std::string_view field(std::size_t i, const char* what) const {
        if (i >= tokens.size()) fail("missing " + std::string(what) + " after " + quoted(tokens[0]));
        return tokens[i];
    }

    void expectEnd(std::size_t count) const {
        if (tokens.size() > count) fail("unexpected " + quoted(tokens[count]) + " after " + quoted(tokens[0]));
    }

    template <typename Number>
    Number number(std::string_view text, const char* what) const {
        Number value{};
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error == std::errc::result_out_of_range) fail(std::string(what) + " " + quoted(text) + " is out of range");
        if (error != std::errc() || end != text.data() + text.size()) {
            fail(std::string(what) + " " + quoted(text) + " is not a number");
        }
        return value;
    }

    // A coordinate of a real shape or the sheet: the ends of the 32-bit range
    // are reserved (geometry/Point.h), so they are refused with the rest.
    Coordinate coordinate(std::string_view text, const char* what) const {
        const std::int64_t value = number<std::int64_t>(text, what);
        if (!isInCoordinateRange(value)) {
            fail(std::string(what) + " " + quoted(text) + " is outside the coordinate range " +
                 std::to_string(lowestCoordinate) + ".." + std::to_string(highestCoordinate));
        }
        return static_cast<Coordinate>(value);
    }

    std::string name(std::size_t i) const {
        const std::string_view token = field(i, "name");
        return token == emptyNameToken ? std::string() : std::string(token);
    }

    // The polygon text made of the tokens from `first` up to `end` (all of
    // them when npos), named `newName`.
    Polygon polygon(std::size_t first, std::string newName, std::size_t end = std::string_view::npos) const {
        end = std::min(end, tokens.size());
        if (first >= end) fail("missing polygon after the name");
        std::vector<Point> corners;
        for (std::size_t i = first; i < end; ++i) {
            const std::string_view token = tokens[i];
            const std::size_t comma = token.find(',');
            if (comma == std::string_view::npos) fail("corner " + quoted(token) + " is not of the form x,y");
            corners.emplace_back(coordinate(token.substr(0, comma), "coordinate"),
                                 coordinate(token.substr(comma + 1), "coordinate"));
        }
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const Point& a = corners[i];
            const Point& b = corners[(i + 1) % corners.size()];
            if (a.x != b.x && a.y != b.y) {
                fail("edge " + a.toString() + " to " + b.toString() + " is neither horizontal nor vertical");
            }
        }
        Polygon result;
        try {
            result = Polygon(corners, std::move(newName));
        } catch (const Exception&) {
            fail("not a valid polygon");
        }
        if (!(result.getArea() > 0.0f)) fail("polygon encloses no area");
        if (const std::optional<std::string> problem = Math::whatIsWrongWith(result)) fail(*problem);
        return result;
    }

private:
    int lineNumber;
    bool indented;
    std::vector<std::string_view> tokens;
};

// Calls `handle` with each line that holds more than a comment.
template <typename Handler>
void forEachLine(std::istream& in, Handler handle) {
    int number = 0;
    for (std::string text; std::getline(in, text);) {
        const Line line(++number, text);
        if (!line.empty()) handle(line);
    }
    if (in.bad()) throw PackingTextError(0, "read error");
}

constexpr std::string_view unitNames[] = {"mm", "cm", "m", "in", "ft"};

constexpr int largestQuantity = 100000;

struct TurnsName {
    TurnsAllowed turns;
    std::string_view name;
};
constexpr TurnsName turnsNames[] = {
    {TurnsAllowed::quarter, "quarter"},
    {TurnsAllowed::half, "half"},
    {TurnsAllowed::none, "none"},
};

// "x3": a quantity; "xyz" or a corner is not one.
bool isQuantity(std::string_view token) {
    return token.size() > 1 && token[0] == 'x' && token.find(',') == std::string_view::npos;
}

// part NAME POLYGON [xN] [rotate none|half|quarter]: the part, or its N copies
// NAME-1 .. NAME-N, added to the job. A name given twice is warned about.
void readPart(const Line& line, PackingJob& job, std::map<std::string, int>& partNamedOn) {
    const std::string name = line.name(1);
    std::size_t optionsStart = 2;
    while (optionsStart < line.size() && !isQuantity(line[optionsStart]) && line[optionsStart] != "rotate") {
        ++optionsStart;
    }
    Polygon part = line.polygon(2, name, optionsStart);
    int quantity = 0;
    bool turnsGiven = false;
    for (std::size_t i = optionsStart; i < line.size(); ++i) {
        if (isQuantity(line[i])) {
            if (quantity != 0) line.fail("quantity given twice");
            quantity = line.number<int>(line[i].substr(1), "quantity");
            if (quantity < 1 || quantity > largestQuantity) {
                line.fail("quantity " + quoted(line[i]) + " is not 1 to " + std::to_string(largestQuantity));
            }
        } else if (line[i] == "rotate") {
            if (turnsGiven) line.fail("'rotate' given twice");
            turnsGiven = true;
            const std::string_view turns = line.field(++i, "turns");
            const auto found = std::find_if(std::begin(turnsNames), std::end(turnsNames),
                                            [&turns](const TurnsName& entry) { return entry.name == turns; });
            if (found == std::end(turnsNames)) line.fail("unknown turns " + quoted(turns) + " (none, half or quarter)");
            part.setTurnsAllowed(found->turns);
        } else {
            line.fail("unexpected " + quoted(line[i]) + " after the part's polygon");
        }
    }
    if (quantity != 0 && name.empty()) line.fail("copies need a name to number");

    auto add = [&](std::string copyName) {
        const auto [at, added] = partNamedOn.emplace(copyName, line.getNumber());
        if (!added && !copyName.empty()) {
            job.warnings.push_back("line " + std::to_string(line.getNumber()) + ": part name " + quoted(copyName) +
                                   " already given on line " + std::to_string(at->second));
        }
        part.setName(std::move(copyName));
        job.parts.push_back(part);
    };
    if (quantity == 0) {
        add(name);
    } else {
        for (int copy = 1; copy <= quantity; ++copy) add(name + "-" + std::to_string(copy));
    }
}

std::string nameToken(const std::string& name) {
    if (name.empty()) return std::string(emptyNameToken);
    if (name == emptyNameToken || name.find_first_of(" \t\r\n#") != std::string::npos) {
        throw std::invalid_argument("name " + quoted(name) + " cannot be written as one token");
    }
    return name;
}

}  // namespace

std::string floatText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

PackingTextError::PackingTextError(int newLineNumber, const std::string& reason)
    : std::runtime_error(newLineNumber > 0 ? "line " + std::to_string(newLineNumber) + ": " + reason : reason),
      lineNumber(newLineNumber) {}

std::string packingModeName(int mode) {
    for (const ModeName& entry : modeNames) {
        if (entry.mode == mode) return std::string(entry.name);
    }
    throw std::invalid_argument("unknown packing mode " + std::to_string(mode));
}

PackingJob readPackingJob(std::istream& in) {
    PackingJob job;
    std::map<std::string, int> givenOn;      // keyword or "host NAME" -> its line
    std::map<std::string, int> partNamedOn;  // part name -> the line that first gave it
    auto once = [&givenOn](const Line& line, const std::string& key, const std::string& what) {
        const auto [at, added] = givenOn.emplace(key, line.getNumber());
        if (!added) line.fail(what + " already given on line " + std::to_string(at->second));
    };
    forEachLine(in, [&](const Line& line) {
        const std::string_view keyword = line[0];
        if (keyword == "sheet") {
            once(line, "sheet", "sheet");
            job.sheetLength = line.coordinate(line.field(1, "sheet length"), "sheet length");
            job.sheetWidth = line.coordinate(line.field(2, "sheet width"), "sheet width");
            line.expectEnd(3);
            if (job.sheetLength <= 0 || job.sheetWidth <= 0) line.fail("sheet sides must be positive");
        } else if (keyword == "blade") {
            once(line, "blade", "blade");
            job.bladeWidth = line.number<int>(line.field(1, "blade width"), "blade width");
            line.expectEnd(2);
            if (job.bladeWidth < 0) line.fail("blade width must not be negative");
        } else if (keyword == "mode") {
            once(line, "mode", "mode");
            const std::string_view name = line.field(1, "mode");
            line.expectEnd(2);
            const ModeName* found = nullptr;
            for (const ModeName& entry : modeNames) {
                if (entry.name == name) found = &entry;
            }
            if (found == nullptr) {
                line.fail("unknown mode " + quoted(name) + " (full-sheets, minimum-outfall or maximum-outfall)");
            }
            job.mode = found->mode;
        } else if (keyword == "units") {
            once(line, "units", "units");
            const std::string_view units = line.field(1, "units");
            line.expectEnd(2);
            if (std::find(std::begin(unitNames), std::end(unitNames), units) == std::end(unitNames)) {
                line.fail("unknown units " + quoted(units) + " (mm, cm, m, in or ft)");
            }
            job.units = std::string(units);
        } else if (keyword == "optimize") {
            once(line, "optimize", "optimize");
            job.optimizeEffort = defaultOptimizeEffort;
            if (line.size() > 1) job.optimizeEffort = line.number<int>(line[1], "effort");
            line.expectEnd(2);
            if (job.optimizeEffort < 0) line.fail("effort must not be negative");
        } else if (keyword == "host") {
            std::string name = line.name(1);
            if (name.empty()) line.fail("a host needs a name");
            once(line, "host " + name, "host " + quoted(name));
            job.hosts.push_back(line.polygon(2, std::move(name)));
        } else if (keyword == "part") {
            readPart(line, job, partNamedOn);
        } else {
            line.fail("unknown keyword " + quoted(keyword));
        }
    });
    if (givenOn.count("sheet") == 0) throw PackingTextError(0, "the job has no sheet line");
    return job;
}

void writePackingJob(std::ostream& out, const PackingJob& job) {
    const std::string mode = packingModeName(job.mode);
    out << "sheet " << job.sheetLength << ' ' << job.sheetWidth << '\n';
    out << "blade " << job.bladeWidth << '\n';
    out << "mode " << mode << '\n';
    if (!job.units.empty()) out << "units " << job.units << '\n';
    if (job.optimizeEffort > 0) out << "optimize " << job.optimizeEffort << '\n';
    for (const Polygon& host : job.hosts) out << "host " << nameToken(host.getName()) << ' ' << host << '\n';
    for (const Polygon& part : job.parts) {
        out << "part " << nameToken(part.getName()) << ' ' << part;
        if (part.getTurnsAllowed() != TurnsAllowed::quarter) out << " rotate " << turnsAllowedName(part.getTurnsAllowed());
        out << '\n';
    }
}

std::string turnsAllowedName(TurnsAllowed turns) {
    for (const TurnsName& entry : turnsNames) {
        if (entry.turns == turns) return std::string(entry.name);
    }
    return "quarter";
}

PackingOptions PackingJob::options() const {
    PackingOptions result;
    result.bladeWidth = bladeWidth;
    result.sheetLength = sheetLength;
    result.sheetWidth = sheetWidth;
    result.mode = packingModeFromInt(mode);
    result.optimizeEffort = optimizeEffort;
    return result;
}

Math::PackingResults runPackingJob(const PackingJob& job, ReportReceiver& reportReceiver,
                                   Math::GreedyPairingSearch pairingSearch) {
    PackingOptions options = job.options();
    options.receiver = &reportReceiver;
    options.pairingSearch = pairingSearch;
    return Math::packPolygonsToInventory(job.parts, job.hosts, options);
}

Math::PackingResults readPackingResults(std::istream& in) {
    Math::PackingResults results;
    std::vector<std::vector<Polygon>> groups;
    bool haveTotals = false;
    forEachLine(in, [&](const Line& line) {
        if (haveTotals) line.fail("text after the totals line");
        const std::string_view keyword = line[0];
        // Part lines are indented, so a part may be called "group" or "totals".
        if (line.isIndented()) {
            if (groups.empty()) line.fail("part " + quoted(keyword) + " before the first group line");
            groups.back().push_back(line.polygon(1, line.name(0)));
        } else if (keyword == "group") {
            results.resultingSets.push_back({PolygonSet(), line.name(1)});
            line.expectEnd(2);
            groups.emplace_back();
        } else if (keyword == "totals") {
            results.totalArea = line.number<float>(line.field(1, "total area"), "total area");
            results.totalMergedArea = line.number<float>(line.field(2, "total merged area"), "total merged area");
            results.totalHostArea = line.number<float>(line.field(3, "total host area"), "total host area");
            line.expectEnd(4);
            haveTotals = true;
        } else {
            line.fail("unknown keyword " + quoted(keyword) + " (part lines are indented)");
        }
    });
    if (!haveTotals) throw PackingTextError(0, "the results have no totals line");
    for (std::size_t k = 0; k < groups.size(); ++k) results.resultingSets[k].set = PolygonSet(std::move(groups[k]));
    return results;
}

void writePackingResults(std::ostream& out, const Math::PackingResults& results) {
    for (const Math::HostAndSetPairing& group : results.resultingSets) {
        out << "group " << nameToken(group.hostId) << '\n';
        for (const Polygon& part : group.set.getAllPolygons()) {
            out << "  " << nameToken(part.getName()) << ' ' << part << '\n';
        }
    }
    out << "totals " << floatText(results.totalArea) << ' ' << floatText(results.totalMergedArea) << ' '
        << floatText(results.totalHostArea) << '\n';
}

}  // namespace Zelkor::Rectilinear
