#include "packing/OptimizingPack.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <numeric>
#include <utility>

#include "geometry/GrainTurns.h"
#include "geometry/PolygonSet.h"
#include "packing/FreeRectangles.h"
#include "packing/Growth.h"
#include "packing/PackingDriver.h"
#include "packing/PackingHelpers.h"
#include "packing/PackingModes.h"
#include "packing/WorkerPool.h"

namespace Zelkor::Rectilinear::Math {

namespace {

using Clock = std::chrono::steady_clock;

// The search's own generator (splitmix64): the same numbers on every
// platform, which the standard distributions do not promise.
class SearchRandom {
public:
    explicit SearchRandom(std::uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform enough below n > 0.
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }

private:
    std::uint64_t state;
};

// Heartbeats to the caller's receiver, about one a millisecond however often
// it is asked; whatever the receiver throws passes on. Tells also whether the
// search's time is up, when it has a cap.
class Heartbeat {
public:
    Heartbeat(ReportReceiver* newReceiver, const Clock::time_point* newDeadline)
        : receiver(newReceiver), deadline(newDeadline), last(Clock::now()) {}
    // Whether the time is up.
    bool beat() {
        if (receiver == nullptr && deadline == nullptr) return false;
        const Clock::time_point now = Clock::now();
        if (receiver != nullptr && now - last >= std::chrono::microseconds(800)) {
            last = now;
            receiver->report(nullptr);
        }
        return deadline != nullptr && now >= *deadline;
    }

private:
    ReportReceiver* receiver;
    const Clock::time_point* deadline;
    Clock::time_point last;
};

// A part as the placer sees it: its grown outline in each turn its grain
// allows (turns that give the same outline once only), moved to the origin
// and cut into rectangles.
struct Orientation {
    int turns = 0;
    std::vector<LatticeBox> pieces;
    std::int64_t width = 0;
    std::int64_t height = 0;
};

struct PartShape {
    Polygon grown;
    std::vector<Orientation> orientations;
    std::int64_t area = 0;
    std::int64_t width = 0;   // unturned, grown
    std::int64_t height = 0;
};

PartShape shapeOf(const Polygon& part, int expansionFactor) {
    PartShape shape;
    shape.grown = grownPart(part, expansionFactor);
    const GrainTurns turns = turnsKeepingGrain(part);
    std::vector<Polygon> outlines;
    for (int q = 0; q < 4; ++q) {
        if (!allows(turns, q)) continue;
        Polygon turned = shape.grown;
        turned.rotateAboutOrigin(q);
        turned.slideToOrigin();
        if (std::find(outlines.begin(), outlines.end(), turned) != outlines.end()) continue;
        Orientation orientation;
        orientation.turns = q;
        orientation.pieces = rectanglePieces(turned);
        const Rectangle box = turned.getBoundingRectangle();
        orientation.width = std::int64_t{box.getTopRight().x} - box.getBottomLeft().x;
        orientation.height = std::int64_t{box.getTopRight().y} - box.getBottomLeft().y;
        // A piece that fits its empty rectangle on its own goes first.
        std::stable_sort(orientation.pieces.begin(), orientation.pieces.end(),
                         [](const LatticeBox& a, const LatticeBox& b) { return a.area() > b.area(); });
        outlines.push_back(std::move(turned));
        shape.orientations.push_back(std::move(orientation));
    }
    for (const LatticeBox& piece : shape.orientations.front().pieces) shape.area += piece.area();
    shape.width = shape.orientations.front().width;
    shape.height = shape.orientations.front().height;
    return shape;
}

struct HostShape {
    Polygon grown;
    FreeRectangles room;
    std::int64_t area = 0;
    LatticeBox bounds;
};

HostShape hostShapeOf(Polygon grown) {
    HostShape host;
    host.room = FreeRectangles(grown);
    host.area = latticeArea(grown);
    const Rectangle box = grown.getBoundingRectangle();
    host.bounds = {box.getBottomLeft().x, box.getBottomLeft().y, box.getTopRight().x, box.getTopRight().y};
    host.grown = std::move(grown);
    return host;
}

constexpr int sheetHost = -1;

struct Placement {
    int part = 0;
    int orientation = 0;
    std::int64_t dx = 0;
    std::int64_t dy = 0;
};

struct Bin {
    int host = sheetHost;  // position in the stock order, or the sheet
    FreeRectangles room;
    std::vector<LatticeBox> taken;
    std::vector<Placement> placed;
    std::int64_t hostArea = 0;
    std::int64_t partArea = 0;
};

// How a position is scored, lower first.
enum class Rule { shortSide, area, contact, bottomLeft, longSide };
constexpr int ruleCount = 5;

struct Fit {
    bool found = false;
    int orientation = 0;
    std::int64_t dx = 0;
    std::int64_t dy = 0;
    std::int64_t first = 0;
    std::int64_t second = 0;

    bool isBetterThan(const Fit& other) const {
        if (!found) return false;
        if (!other.found) return true;
        return first < other.first || (first == other.first && second < other.second);
    }
};

std::int64_t overlapLength(std::int64_t lowA, std::int64_t highA, std::int64_t lowB, std::int64_t highB) {
    return std::max<std::int64_t>(0, std::min(highA, highB) - std::max(lowA, lowB));
}

// What a layout is judged by: the mode's measures, and for the search the
// sum of the squared fills, which grows as parts move out of the emptiest
// hosts.
struct Measures {
    LayoutMeasures layout;
    // In integers, fills in units of 2^-20, so that every machine sums alike.
    std::int64_t fillSquares = 0;
};

struct Layout {
    bool complete = false;
    std::vector<Bin> bins;
    Measures measures;
};

// How a layout is decoded: the parts in this order, each put at the best
// position by the rule, either in the first open host that takes it or in
// the best position over all open hosts.
struct Recipe {
    std::vector<int> order;
    Rule rule = Rule::shortSide;
    bool bestHost = true;
};

class Decoder {
public:
    Decoder(const std::vector<PartShape>& newParts, const std::vector<HostShape>& newStock, const HostShape& newSheet,
            Heartbeat& newHeartbeat)
        : parts(newParts), stock(newStock), sheet(newSheet), heartbeat(newHeartbeat) {}

    Layout decode(const Recipe& recipe) const {
        Layout layout;
        std::vector<bool> stockUsed(stock.size(), false);
        for (const int p : recipe.order) {
            if (heartbeat.beat()) return layout;  // out of time: incomplete
            const PartShape& part = parts[static_cast<std::size_t>(p)];
            Fit best;
            std::size_t bestBin = 0;
            for (std::size_t b = 0; b < layout.bins.size(); ++b) {
                const Fit fit = bestFit(layout.bins[b], part, recipe.rule);
                if (fit.isBetterThan(best)) {
                    best = fit;
                    bestBin = b;
                    if (!recipe.bestHost) break;
                }
            }
            if (!best.found) {
                Bin opened;
                for (std::size_t s = 0; s < stock.size() && !best.found; ++s) {
                    if (stockUsed[s]) continue;
                    opened = emptyBin(static_cast<int>(s));
                    best = bestFit(opened, part, recipe.rule);
                    if (best.found) stockUsed[s] = true;
                }
                if (!best.found) {
                    opened = emptyBin(sheetHost);
                    best = bestFit(opened, part, recipe.rule);
                    if (!best.found) return layout;  // fits nowhere: incomplete
                }
                bestBin = layout.bins.size();
                layout.bins.push_back(std::move(opened));
            }
            place(layout.bins[bestBin], p, best);
        }
        layout.complete = true;
        layout.measures = measure(layout.bins);
        return layout;
    }

    Measures measure(const std::vector<Bin>& bins) const {
        Measures m;
        m.layout.hosts = static_cast<int>(bins.size());
        for (const Bin& bin : bins) {
            m.layout.hostArea += bin.hostArea;
            if (bin.host == sheetHost) m.layout.sheetArea += bin.hostArea;
            m.layout.leftoverKept += bin.room.largestArea();
            const std::int64_t fill =
                bin.hostArea > 0 ? static_cast<std::int64_t>((__int128{bin.partArea} << 20) / bin.hostArea) : 0;
            m.fillSquares += fill * fill;
        }
        return m;
    }

    Bin emptyBin(int host) const {
        const HostShape& shape = host == sheetHost ? sheet : stock[static_cast<std::size_t>(host)];
        Bin bin;
        bin.host = host;
        bin.room = shape.room;
        bin.hostArea = shape.area;
        return bin;
    }

private:
    const HostShape& hostOf(const Bin& bin) const {
        return bin.host == sheetHost ? sheet : stock[static_cast<std::size_t>(bin.host)];
    }

    void place(Bin& bin, int p, const Fit& fit) const {
        const PartShape& part = parts[static_cast<std::size_t>(p)];
        for (const LatticeBox& piece : part.orientations[static_cast<std::size_t>(fit.orientation)].pieces) {
            const LatticeBox moved = piece.movedBy(fit.dx, fit.dy);
            bin.room.occupy(moved);
            bin.taken.push_back(moved);
        }
        bin.placed.push_back({p, fit.orientation, fit.dx, fit.dy});
        bin.partArea += part.area;
    }

    std::int64_t contact(const Bin& bin, const Orientation& orientation, std::int64_t dx, std::int64_t dy) const {
        const LatticeBox& bounds = hostOf(bin).bounds;
        std::int64_t length = 0;
        for (const LatticeBox& piece : orientation.pieces) {
            const LatticeBox p = piece.movedBy(dx, dy);
            if (p.left == bounds.left) length += p.height();
            if (p.right == bounds.right) length += p.height();
            if (p.bottom == bounds.bottom) length += p.width();
            if (p.top == bounds.top) length += p.width();
            for (const LatticeBox& q : bin.taken) {
                if (q.right == p.left || q.left == p.right) length += overlapLength(p.bottom, p.top, q.bottom, q.top);
                if (q.top == p.bottom || q.bottom == p.top) length += overlapLength(p.left, p.right, q.left, q.right);
            }
        }
        return length;
    }

    Fit bestFit(const Bin& bin, const PartShape& part, Rule rule) const {
        Fit best;
        if (part.area > bin.hostArea - bin.partArea) return best;
        const std::vector<LatticeBox>& room = bin.room.boxes();
        for (std::size_t o = 0; o < part.orientations.size(); ++o) {
            const Orientation& orientation = part.orientations[o];
            const std::size_t anchors = orientation.pieces.size();
            const int corners = anchors == 1 ? 1 : 4;
            for (const LatticeBox& free : room) {
                for (std::size_t k = 0; k < anchors; ++k) {
                    const LatticeBox& piece = orientation.pieces[k];
                    const std::int64_t spareWidth = free.width() - piece.width();
                    const std::int64_t spareHeight = free.height() - piece.height();
                    if (spareWidth < 0 || spareHeight < 0) continue;
                    for (int corner = 0; corner < corners; ++corner) {
                        const std::int64_t dx = (corner & 1) ? free.right - piece.right : free.left - piece.left;
                        const std::int64_t dy = (corner & 2) ? free.top - piece.top : free.bottom - piece.bottom;
                        Fit fit;
                        fit.found = true;
                        fit.orientation = static_cast<int>(o);
                        fit.dx = dx;
                        fit.dy = dy;
                        const std::int64_t shorter = std::min(spareWidth, spareHeight);
                        const std::int64_t longer = std::max(spareWidth, spareHeight);
                        switch (rule) {
                            case Rule::shortSide: fit.first = shorter, fit.second = longer; break;
                            case Rule::longSide: fit.first = longer, fit.second = shorter; break;
                            case Rule::area: fit.first = free.area() - piece.area(), fit.second = shorter; break;
                            case Rule::bottomLeft: fit.first = dy + orientation.height, fit.second = dx; break;
                            case Rule::contact: break;  // scored once the position is known to fit
                        }
                        // The cheap scores first: a position that cannot win is not checked.
                        if (rule != Rule::contact && !fit.isBetterThan(best)) continue;
                        bool fits = true;
                        for (std::size_t other = 0; other < anchors && fits; ++other) {
                            if (other == k) continue;
                            // Neighbouring pieces often lie in the anchor's rectangle too.
                            const LatticeBox moved = orientation.pieces[other].movedBy(dx, dy);
                            fits = free.contains(moved) || bin.room.holds(moved);
                        }
                        if (!fits) continue;
                        if (rule == Rule::contact) {
                            fit.first = -contact(bin, orientation, dx, dy);
                            fit.second = dy + orientation.height;
                        }
                        if (fit.isBetterThan(best)) best = fit;
                    }
                }
            }
        }
        return best;
    }

    const std::vector<PartShape>& parts;
    const std::vector<HostShape>& stock;
    const HostShape& sheet;
    Heartbeat& heartbeat;
};

int compare(__int128 a, __int128 b) { return a < b ? -1 : a > b ? 1 : 0; }

// The search's own order: fewer hosts, then the mode's area, then fuller
// hosts beside emptier ones. Negative when a is better.
int searchCompare(const Measures& a, const Measures& b, int mode) {
    if (a.layout.hosts != b.layout.hosts) return a.layout.hosts < b.layout.hosts ? -1 : 1;
    const int area = mode == maximumAreaOutfall ? compare(a.layout.sheetArea, b.layout.sheetArea)
                                                : compare(a.layout.hostArea, b.layout.hostArea);
    if (area != 0) return area;
    if (a.fillSquares != b.fillSquares) return a.fillSquares > b.fillSquares ? -1 : 1;
    return 0;
}

// The parts in the orders the starts take, largest first by several measures.
std::vector<std::vector<int>> startingOrders(const std::vector<PartShape>& parts) {
    using Measure = std::pair<std::int64_t, std::int64_t>;
    using Key = Measure (*)(const PartShape&);
    const Key keys[] = {
        [](const PartShape& p) { return Measure(p.area, 0); },
        [](const PartShape& p) { return Measure(std::max(p.width, p.height), std::min(p.width, p.height)); },
        [](const PartShape& p) { return Measure(p.width + p.height, 0); },
        [](const PartShape& p) { return Measure(p.height, p.width); },
        [](const PartShape& p) { return Measure(p.width, p.height); },
        [](const PartShape& p) { return Measure(std::min(p.width, p.height), std::max(p.width, p.height)); },
    };
    std::vector<std::vector<int>> orders;
    for (const Key key : keys) {
        std::vector<int> order(parts.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return key(parts[static_cast<std::size_t>(a)]) > key(parts[static_cast<std::size_t>(b)]);
        });
        orders.push_back(std::move(order));
    }
    return orders;
}

// The stock hosts that can take parts, grown, in the order the mode takes them.
std::vector<HostShape> stockInModeOrder(const std::vector<Polygon>& hosts, int mode, int expansionFactor) {
    std::vector<int> order;
    if (mode == standardSheet) {
        order.resize(hosts.size());
        std::iota(order.begin(), order.end(), 0);
    } else {
        for (const IndexedValue& entry : sortedIndicesByArea(hosts, mode == maximumAreaOutfall)) {
            order.push_back(entry.index);
        }
    }
    std::vector<HostShape> stock;
    for (const int index : order) {
        GrownHost grown = grownHost(hosts[static_cast<std::size_t>(index)], expansionFactor);
        if (grown.host) stock.push_back(hostShapeOf(std::move(*grown.host)));
    }
    return stock;
}

// The measures of a finished result, each group on the host it names: stock
// hosts are taken in order, an empty name the sheet unless a stock host of
// that name still to come holds the group.
LayoutMeasures measuresOf(const PackingResults& results, const std::vector<HostShape>& stock, const HostShape& sheet,
                          int expansionFactor) {
    LayoutMeasures measures;
    std::size_t next = 0;
    for (const HostAndSetPairing& group : results.resultingSets) {
        const Rectangle box = group.set.getBoundingRectangle();
        const LatticeBox groupBounds{std::int64_t{box.getBottomLeft().x} - expansionFactor,
                                     std::int64_t{box.getBottomLeft().y} - expansionFactor,
                                     std::int64_t{box.getTopRight().x} + expansionFactor,
                                     std::int64_t{box.getTopRight().y} + expansionFactor};
        const HostShape* host = &sheet;
        for (std::size_t s = next; s < stock.size(); ++s) {
            if (stock[s].grown.getName() != group.hostId) continue;
            if (group.hostId.empty() && !stock[s].bounds.contains(groupBounds)) continue;
            host = &stock[s];
            next = s + 1;
            break;
        }
        FreeRectangles room = host->room;
        for (const Polygon& part : group.set.getAllPolygons()) {
            for (const LatticeBox& piece : rectanglePieces(grownPart(part, expansionFactor))) room.occupy(piece);
        }
        ++measures.hosts;
        measures.hostArea += host->area;
        if (host == &sheet) measures.sheetArea += host->area;
        measures.leftoverKept += room.largestArea();
    }
    return measures;
}

PackingResults resultsOf(const Layout& layout, const std::vector<Polygon>& parts, const std::vector<PartShape>& shapes,
                         const std::vector<HostShape>& stock, const HostShape& sheet, int expansionFactor,
                         PackingResults specified) {
    std::vector<const Bin*> bins;
    for (const Bin& bin : layout.bins) bins.push_back(&bin);
    // Stock in the mode's order, then the sheets in the order they were opened.
    std::stable_sort(bins.begin(), bins.end(), [](const Bin* a, const Bin* b) {
        const int rankA = a->host == sheetHost ? INT32_MAX : a->host;
        const int rankB = b->host == sheetHost ? INT32_MAX : b->host;
        return rankA < rankB;
    });
    PackingResults results;
    results.unusableHosts = std::move(specified.unusableHosts);
    results.partsSetAside = std::move(specified.partsSetAside);
    for (const Bin* bin : bins) {
        const Polygon& host = bin->host == sheetHost ? sheet.grown : stock[static_cast<std::size_t>(bin->host)].grown;
        std::vector<Polygon> grownParts, placedParts;
        for (const Placement& placement : bin->placed) {
            const PartShape& shape = shapes[static_cast<std::size_t>(placement.part)];
            const int turns = shape.orientations[static_cast<std::size_t>(placement.orientation)].turns;
            Polygon grown = shape.grown;
            grown.rotateAboutOrigin(turns);
            grown.slideToOrigin();
            grown.translate(Point(static_cast<Coordinate>(placement.dx), static_cast<Coordinate>(placement.dy)));
            grownParts.push_back(std::move(grown));
            Polygon part = parts[static_cast<std::size_t>(placement.part)];
            part.rotateAboutOrigin(turns);
            part.slideToOrigin();
            part.translate(Point(static_cast<Coordinate>(placement.dx + expansionFactor),
                                 static_cast<Coordinate>(placement.dy + expansionFactor)));
            placedParts.push_back(std::move(part));
        }
        // The totals as the driver sums them.
        PolygonSet group(std::move(grownParts));
        addGroupToTotals(results, group, host);
        results.resultingSets.push_back({PolygonSet(std::move(placedParts)), host.getName()});
    }
    return results;
}

}  // namespace

bool isBetterLayout(const LayoutMeasures& a, const LayoutMeasures& b, int mode) {
    if (a.hosts != b.hosts) return a.hosts < b.hosts;
    if (mode == maximumAreaOutfall) {
        if (a.sheetArea != b.sheetArea) return a.sheetArea < b.sheetArea;
        if (a.leftoverKept != b.leftoverKept) return a.leftoverKept > b.leftoverKept;
        return a.hostArea < b.hostArea;
    }
    if (a.hostArea != b.hostArea) return a.hostArea < b.hostArea;
    return a.leftoverKept > b.leftoverKept;
}

namespace {

HostShape grownSheet(const PackingOptions& options, int expansionFactor) {
    Polygon outline({Point(0, 0), Point(options.sheetLength, 0), Point(options.sheetLength, options.sheetWidth),
                     Point(0, options.sheetWidth)},
                    "");
    outline.unvalidatedExpand(expansionFactor);
    return hostShapeOf(std::move(outline));
}

}  // namespace

LayoutMeasures measurePacking(const PackingResults& results, const std::vector<Polygon>& hosts,
                              const PackingOptions& options) {
    const int expansionFactor = options.bladeWidth / 2;
    return measuresOf(results, stockInModeOrder(hosts, toInt(options.mode), expansionFactor),
                      grownSheet(options, expansionFactor), expansionFactor);
}

PackingResults optimizePacking(const std::vector<Polygon>& parts, const std::vector<Polygon>& hosts,
                               const PackingOptions& options, PackingResults specified) {
    if (options.optimizeEffort <= 0 || parts.empty()) return specified;
    const bool capped = options.optimizeSeconds > 0.0;
    const Clock::time_point deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>(capped ? std::min(options.optimizeSeconds, 1e9) : 0.0));
    const Clock::time_point* cap = capped ? &deadline : nullptr;
    const auto timeIsUp = [&] { return capped && Clock::now() >= deadline; };
    Heartbeat heartbeat(options.receiver, nullptr);
    if (options.receiver != nullptr) options.receiver->report(nullptr);
    const int mode = toInt(options.mode);
    const int expansionFactor = options.bladeWidth / 2;

    std::vector<PartShape> shapes;
    shapes.reserve(parts.size());
    for (const Polygon& part : parts) {
        shapes.push_back(shapeOf(part, expansionFactor));
        heartbeat.beat();
    }
    const std::vector<HostShape> stock = stockInModeOrder(hosts, mode, expansionFactor);
    const HostShape sheet = grownSheet(options, expansionFactor);
    const LayoutMeasures specifiedMeasures = measuresOf(specified, stock, sheet, expansionFactor);

    // With no stock, no layout takes fewer sheets than the parts' area needs.
    int fewestHosts = 1;
    if (stock.empty() && sheet.area > 0) {
        __int128 partArea = 0;
        for (const PartShape& shape : shapes) partArea += shape.area;
        fewestHosts = static_cast<int>((partArea + sheet.area - 1) / sheet.area);
    }

    // Starts: every order with every rule, best host first, then first host.
    std::vector<Recipe> starts;
    for (int variant = 0; variant < 2 * ruleCount; ++variant) {
        for (const std::vector<int>& order : startingOrders(shapes)) {
            starts.push_back(Recipe{order, static_cast<Rule>(variant % ruleCount), variant < ruleCount});
        }
    }
    if (static_cast<long long>(starts.size()) > options.optimizeEffort) {
        starts.resize(static_cast<std::size_t>(options.optimizeEffort));
    }
    // Independent tasks, each writing only its own result and combined in
    // task order: the same result on every number of threads.
    WorkerPool workers(options.threads);
    std::vector<Layout> startLayouts(starts.size());
    workers.run(
        starts.size(),
        [&](std::size_t index, ReportReceiver* beats) {
            if (timeIsUp()) return;
            Heartbeat taskHeartbeat(beats, cap);
            startLayouts[index] = Decoder(shapes, stock, sheet, taskHeartbeat).decode(starts[index]);
        },
        options.receiver);
    Layout best;  // by the mode's comparison
    std::vector<std::size_t> ranked;  // complete starts, best first by the search's comparison
    for (std::size_t index = 0; index < startLayouts.size(); ++index) {
        const Layout& layout = startLayouts[index];
        if (!layout.complete) continue;
        ranked.push_back(index);
        if (!best.complete || isBetterLayout(layout.measures.layout, best.measures.layout, mode)) best = layout;
    }
    std::stable_sort(ranked.begin(), ranked.end(), [&](std::size_t a, std::size_t b) {
        return searchCompare(startLayouts[a].measures, startLayouts[b].measures, mode) < 0;
    });

    // Local search: chains from the best starts, each over the order of its
    // own: a part of the emptiest host moves forward, or two parts swap, or
    // the rule changes; a trial no worse by the search's comparison is kept.
    constexpr std::size_t chainCount = 4;
    const long long trialsPerChain =
        (options.optimizeEffort - static_cast<long long>(starts.size())) / static_cast<long long>(chainCount);
    const std::size_t n = shapes.size();
    const bool searching =
        best.complete && best.measures.layout.hosts > fewestHosts && trialsPerChain > 0 && n > 1 && !timeIsUp();
    std::vector<Layout> chainBest(searching ? chainCount : 0);
    workers.run(
        chainBest.size(),
        [&](std::size_t chain, ReportReceiver* beats) {
            Heartbeat taskHeartbeat(beats, cap);
            const Decoder decoder(shapes, stock, sheet, taskHeartbeat);
            SearchRandom random(std::uint64_t{options.optimizeSeed} * chainCount + chain);
            const std::size_t from = ranked[std::min(chain, ranked.size() - 1)];
            Recipe current = starts[from];
            Layout currentLayout = startLayouts[from];
            Layout& bestOfChain = chainBest[chain];
            for (long long trialsLeft = trialsPerChain; trialsLeft > 0 && !timeIsUp(); --trialsLeft) {
                Recipe trial = current;
                const std::uint64_t pick = random.below(100);
                if (pick < 50) {
                    const std::vector<Bin>& bins = currentLayout.bins;
                    std::size_t emptiest = 0;
                    for (std::size_t b = 1; b < bins.size(); ++b) {
                        if (__int128{bins[b].partArea} * bins[emptiest].hostArea <
                            __int128{bins[emptiest].partArea} * bins[b].hostArea) {
                            emptiest = b;
                        }
                    }
                    const std::vector<Placement>& placed = bins[emptiest].placed;
                    const int part = placed[random.below(placed.size())].part;
                    const auto at = std::find(trial.order.begin(), trial.order.end(), part);
                    const std::size_t position = static_cast<std::size_t>(at - trial.order.begin());
                    const std::size_t to = random.below(position + 1);
                    trial.order.erase(at);
                    trial.order.insert(trial.order.begin() + static_cast<std::ptrdiff_t>(to), part);
                } else if (pick < 95) {
                    std::swap(trial.order[random.below(n)], trial.order[random.below(n)]);
                } else {
                    trial.rule = static_cast<Rule>(random.below(ruleCount));
                    trial.bestHost = random.below(2) == 0;
                }
                Layout layout = decoder.decode(trial);
                if (!layout.complete) continue;
                if (!bestOfChain.complete ||
                    isBetterLayout(layout.measures.layout, bestOfChain.measures.layout, mode)) {
                    bestOfChain = layout;
                    if (bestOfChain.measures.layout.hosts <= fewestHosts) break;
                }
                if (searchCompare(layout.measures, currentLayout.measures, mode) <= 0) {
                    currentLayout = std::move(layout);
                    current = std::move(trial);
                }
            }
        },
        options.receiver);
    for (const Layout& layout : chainBest) {
        if (layout.complete && isBetterLayout(layout.measures.layout, best.measures.layout, mode)) best = layout;
    }

    if (!best.complete || !isBetterLayout(best.measures.layout, specifiedMeasures, mode)) return specified;
    return resultsOf(best, parts, shapes, stock, sheet, expansionFactor, std::move(specified));
}

}  // namespace Zelkor::Rectilinear::Math
