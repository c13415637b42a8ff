#include "packing/PairingSearch.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <utility>

#include "geometry/ExactArea.h"
#include "geometry/GrainTurns.h"
#include "geometry/OutlineSimplicity.h"
#include "packing/PackingHelpers.h"
#include "placement/ColumnCover.h"
#include "placement/HostSearch.h"

namespace Zelkor::Rectilinear::Math {

namespace {

int indexOfLargestSet(std::vector<PolygonSet>& polygonSets) {
    const std::vector<IndexedValue> sorted = sortedIndicesByArea(polygonSets);
    return sorted.empty() ? -1 : sorted.back().index;
}

// The outline of the set, plus each enclosed hole at least `minimumHoleArea`
// large: a partner may be placed inside such a hole. The union is the shared
// outline's, where the set has one traced.
PolygonSet outlineWithUsableHoles(const PolygonSet& set, float minimumHoleArea, SharedOutline* shared = nullptr) {
    const MergedOutline* merged = shared != nullptr ? shared->merged() : nullptr;
    const bool known = merged != nullptr && merged->traced;
    PolygonSet holes;
    PolygonSet outline = known ? merged->outlines : set.booleanAddAndSimplifyAll(&holes);
    for (const Polygon& hole : (known ? merged->holes : holes).getAllPolygons()) {
        if (hole.getArea() >= minimumHoleArea) outline.add(hole);
    }
    return outline;
}

// Shrinking by 1 stands for "touching is allowed" only while every polygon
// keeps all its sides: a part 2 units wide vanishes and one 1 unit wide turns
// inside out, and either would then be judged against the wrong shape.
bool shrinkKeepsEveryPolygon(const PolygonSet& set, const PolygonSet& shrunk) {
    if (set.shortestSegmentLength() <= 2) return false;
    for (int ii = 0; ii < set.size(); ++ii) {
        if (shrunk.getPolygon(ii).numberOfPoints() != set.getPolygon(ii).numberOfPoints()) return false;
    }
    return true;
}

bool boxFitsInEitherOrientation(const Rectangle& box, const Rectangle& hostBox) {
    const std::int64_t width = std::int64_t{box.getTopRight().x} - box.getBottomLeft().x;
    const std::int64_t height = std::int64_t{box.getTopRight().y} - box.getBottomLeft().y;
    const std::int64_t hostWidth = std::int64_t{hostBox.getTopRight().x} - hostBox.getBottomLeft().x;
    const std::int64_t hostHeight = std::int64_t{hostBox.getTopRight().y} - hostBox.getBottomLeft().y;
    return std::max(width, height) <= std::max(hostWidth, hostHeight) &&
           std::min(width, height) <= std::min(hostWidth, hostHeight);
}

// Whether a candidate with the satellite's box (extent from the origin)
// moved by t loses to `best` on the area ratio or, tied there, on the
// bounding density: the first two criteria, computed from boxes alone.
bool losesOnBoundingBox(const Rectangle& baseBox, const Point& t, const Point& satelliteExtent, double baseBoxArea,
                        double satelliteBoxArea, float baseArea, float satelliteArea, ComparablePacking& best) {
    const double left = std::min<double>(baseBox.getBottomLeft().x, t.x);
    const double bottom = std::min<double>(baseBox.getBottomLeft().y, t.y);
    const double right = std::max<double>(baseBox.getTopRight().x, static_cast<double>(t.x) + satelliteExtent.x);
    const double top = std::max<double>(baseBox.getTopRight().y, static_cast<double>(t.y) + satelliteExtent.y);
    const double combinationBoxArea = (right - left) * (top - bottom);
    using Verdict = ComparablePacking::Verdict;
    const Verdict ratio = ComparablePacking::compareAreaRatios(
        ComparablePacking::areaRatioOf(combinationBoxArea, satelliteBoxArea, baseBoxArea), best.getAreaRatio());
    if (ratio != Verdict::tie) return ratio == Verdict::worse;
    return ComparablePacking::compareBoundingDensities(
               ComparablePacking::boundingDensityOf(baseArea, satelliteArea, combinationBoxArea),
               best.getBoundingDensity()) == Verdict::worse;
}

// A closed box in 64-bit coordinates.
struct Span {
    std::int64_t left, bottom, right, top;
    bool holds(std::int64_t x, std::int64_t y) const { return left <= x && x <= right && bottom <= y && y <= top; }
};

Span spanOf(const Rectangle& box) {
    return {box.getBottomLeft().x, box.getBottomLeft().y, box.getTopRight().x, box.getTopRight().y};
}

// Boxes by the cells of a coarse grid over them, so that a query box is
// compared only with the boxes whose cells it reaches. Boxes are closed:
// boxes that merely touch a cell are listed in it.
class SpanGrid {
public:
    explicit SpanGrid(const std::vector<Span>& boxes) : seen(boxes.size(), 0) {
        if (boxes.empty()) return;
        low = {boxes[0].left, boxes[0].bottom};
        high = {boxes[0].right, boxes[0].top};
        for (const Span& b : boxes) {
            low = {std::min(low.x, b.left), std::min(low.y, b.bottom)};
            high = {std::max(high.x, b.right), std::max(high.y, b.top)};
        }
        // About one cell per box.
        std::int64_t side = 1;
        while (side * side < static_cast<std::int64_t>(boxes.size())) ++side;
        columns = rows = side;
        cellWidth = (high.x - low.x) / columns + 1;
        cellHeight = (high.y - low.y) / rows + 1;
        // Each cell's boxes lie together in one list: counted, then placed.
        first.assign(static_cast<std::size_t>(columns * rows) + 1, 0);
        for (const Span& b : boxes) forCells(b, [&](std::size_t cell) { ++first[cell + 1]; });
        for (std::size_t c = 1; c < first.size(); ++c) first[c] += first[c - 1];
        listed.resize(first.back());
        std::vector<std::size_t> next(first.begin(), first.end() - 1);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            forCells(boxes[i], [&](std::size_t cell) { listed[next[cell]++] = i; });
        }
    }

    // Calls `visit` with each box whose cells the closed query box reaches,
    // once, until it answers true; whether one did.
    template <typename Visit>
    bool anyNear(const Span& query, Visit visit) {
        if (first.empty() || query.right < low.x || query.left > high.x || query.top < low.y || query.bottom > high.y) {
            return false;
        }
        ++stamp;
        bool found = false;
        forCells(query, [&](std::size_t cell) {
            for (std::size_t k = first[cell]; k < first[cell + 1] && !found; ++k) {
                const std::size_t i = listed[k];
                if (seen[i] == stamp) continue;
                seen[i] = stamp;
                found = visit(i);
            }
        });
        return found;
    }

private:
    struct Corner {
        std::int64_t x, y;
    };

    template <typename Do>
    void forCells(const Span& box, Do action) const {
        const std::int64_t x0 = column(box.left), x1 = column(box.right), y0 = row(box.bottom), y1 = row(box.top);
        for (std::int64_t x = x0; x <= x1; ++x) {
            for (std::int64_t y = y0; y <= y1; ++y) action(static_cast<std::size_t>(x * rows + y));
        }
    }
    std::int64_t column(std::int64_t x) const { return std::clamp<std::int64_t>((x - low.x) / cellWidth, 0, columns - 1); }
    std::int64_t row(std::int64_t y) const { return std::clamp<std::int64_t>((y - low.y) / cellHeight, 0, rows - 1); }

    Corner low{0, 0}, high{0, 0};
    std::int64_t columns = 1, rows = 1, cellWidth = 1, cellHeight = 1;
    std::vector<std::size_t> first, listed;
    std::vector<std::uint64_t> seen;
    std::uint64_t stamp = 0;
};

// The boxes of the members' regions, or nothing when an outline meets itself
// or its region cannot be read off its edges.
std::optional<std::vector<Span>> regionBoxes(const std::vector<Polygon>& members) {
    std::vector<Span> all;
    ColumnCover cover;
    for (const Polygon& member : members) {
        if (!Math::meetsItselfNowhere(member.getPoints())) return std::nullopt;
        if (!cover.assignOf(member)) return std::nullopt;
        for (const ColumnCover::Box& b : cover.boxes()) all.push_back({b.left, b.bottom, b.right, b.top});
    }
    return all;
}

// Answers base.intersectAll(satellite moved by t) for many t. Meant for
// moves that keep every corner in the coordinate range, where a moved box is
// the box moved (the caller checks).
//
// When every outline meets itself nowhere, Polygon::intersect is the test
// whether the two closed regions share a point. Cut into boxes, two regions
// share a point after the move by t exactly when a box of the satellite,
// moved by t, meets a box of the base; the base's boxes are found by a grid
// built once for all turns of the satellite.
//
// Otherwise a satellite member is moved, and compared edge by edge, only with
// the base members whose boxes its moved box meets.
class MovingOverlap {
public:
    // `baseRegion` is regionBoxes of the base and `baseRegionGrid` a grid of
    // them, worked out once for all turns of the satellite. With
    // `interiorsOnly`, sets that merely touch do not meet; that question is
    // answered through the region boxes alone.
    MovingOverlap(const PolygonSet& base, const std::optional<std::vector<Span>>& baseRegion,
                  SpanGrid* baseRegionGrid, const PolygonSet& satellite, bool interiorsOnly = false)
        : base(base.getAllPolygons()), moved(satellite.getAllPolygons()), movedBy(moved.size(), Point(0, 0)) {
        for (const Polygon& q : moved) boxes.push_back(q.getBoundingRectangle());
        if (baseRegion && baseRegionGrid && findSatelliteRegion(*baseRegion, *baseRegionGrid, interiorsOnly)) return;
        if (interiorsOnly) {
            unanswerable = true;
            return;
        }
        std::vector<Span> baseBoxes;
        for (const Polygon& p : this->base) baseBoxes.push_back(spanOf(p.getBoundingRectangle()));
        if (this->base.size() > membersWorthAGrid) grid.emplace(baseBoxes);
        memberBoxes = std::move(baseBoxes);
    }

    // Whether every member has corners (a proper box) and every move by one
    // of `translations` keeps the satellite's box in the coordinate range.
    bool serves(const std::vector<Point>& translations) const {
        if (unanswerable) return false;
        auto empty = [](const Polygon& p) { return p.getPoints().empty(); };
        if (std::any_of(base.begin(), base.end(), empty) || std::any_of(moved.begin(), moved.end(), empty)) {
            return false;
        }
        if (moved.empty()) return true;
        std::int64_t left = boxes[0].getBottomLeft().x, bottom = boxes[0].getBottomLeft().y;
        std::int64_t right = boxes[0].getTopRight().x, top = boxes[0].getTopRight().y;
        for (const Rectangle& b : boxes) {
            left = std::min<std::int64_t>(left, b.getBottomLeft().x);
            bottom = std::min<std::int64_t>(bottom, b.getBottomLeft().y);
            right = std::max<std::int64_t>(right, b.getTopRight().x);
            top = std::max<std::int64_t>(top, b.getTopRight().y);
        }
        constexpr std::int64_t low = std::numeric_limits<Coordinate>::min();
        constexpr std::int64_t high = std::numeric_limits<Coordinate>::max();
        return std::all_of(translations.begin(), translations.end(), [&](const Point& t) {
            return left + t.x >= low && bottom + t.y >= low && right + t.x <= high && top + t.y <= high;
        });
    }

    bool meetsAt(const Point& t) {
        if (regionGrid) {
            // Neighbouring translations mostly meet the base where the last
            // one did: the moves by which that pair of boxes meets are tried first.
            if (lastMeeting && lastMeeting->holds(t.x, t.y)) return true;
            // Interiors meet exactly when the boxes overlap by one unit at least.
            for (const Span& b : satelliteRegion) {
                const Span m{b.left + t.x, b.bottom + t.y, b.right + t.x, b.top + t.y};
                const bool meets = regionGrid->anyNear(m, [&](std::size_t i) {
                    const Span& a = (*baseRegion)[i];
                    if (a.left + inset > m.right || m.left > a.right - inset || a.bottom + inset > m.top ||
                        m.bottom > a.top - inset) {
                        return false;
                    }
                    lastMeeting = Span{a.left + inset - b.right, a.bottom + inset - b.top, a.right - inset - b.left,
                                       a.top - inset - b.bottom};
                    return true;
                });
                if (meets) return true;
            }
            return false;
        }
        for (std::size_t j = 0; j < moved.size(); ++j) {
            const Rectangle& box = boxes[j];
            const Coordinate left = box.getBottomLeft().x + t.x, right = box.getTopRight().x + t.x;
            const Coordinate bottom = box.getBottomLeft().y + t.y, top = box.getTopRight().y + t.y;
            auto meetsMember = [&](std::size_t i) {
                const Span& other = memberBoxes[i];
                if (other.left > right || left > other.right || other.bottom > top || bottom > other.top) {
                    return false;
                }
                if (movedBy[j] != t) {
                    // Two moves may lie further apart than the range holds;
                    // the corners wrap back to exactly t.
                    moved[j].translate(Point(wrappingSubtract(t.x, movedBy[j].x), wrappingSubtract(t.y, movedBy[j].y)));
                    movedBy[j] = t;
                }
                return base[i].intersect(moved[j]);
            };
            if (grid) {
                if (grid->anyNear({left, bottom, right, top}, meetsMember)) return true;
                continue;
            }
            for (std::size_t i = 0; i < base.size(); ++i) {
                if (meetsMember(i)) return true;
            }
        }
        return false;
    }

private:
    // Below this many base members, trying each box costs less than the grid.
    static constexpr std::size_t membersWorthAGrid = 8;

    bool findSatelliteRegion(const std::vector<Span>& region, SpanGrid& grid, bool interiorsOnly) {
        std::optional<std::vector<Span>> boxesOfSatellite = regionBoxes(moved);
        if (!boxesOfSatellite) return false;
        satelliteRegion = std::move(*boxesOfSatellite);
        baseRegion = &region;
        regionGrid = &grid;
        inset = interiorsOnly ? 1 : 0;
        return true;
    }

    const std::vector<Polygon>& base;
    std::vector<Polygon> moved;
    std::vector<Point> movedBy;
    std::vector<Rectangle> boxes;
    std::vector<Span> memberBoxes;
    std::optional<SpanGrid> grid;
    std::vector<Span> satelliteRegion;
    const std::vector<Span>* baseRegion = nullptr;
    SpanGrid* regionGrid = nullptr;
    std::int64_t inset = 0;
    std::optional<Span> lastMeeting;  // the moves by which the pair of boxes met last meets
    bool unanswerable = false;
};

}  // namespace

int numberOfRotationsNecessaryToFindBestPairing(PolygonSet baseSet, PolygonSet satelliteSet) {
    // Whether the set looks the same after one and after two quarter turns.
    auto symmetries = [](PolygonSet& set) {
        set.slideToOrigin();
        PolygonSet turned = set;
        turned.rotateAboutOrigin(1);
        turned.slideToOrigin();
        const bool quarter = set == turned;
        turned.rotateAboutOrigin(1);
        turned.slideToOrigin();
        return std::make_pair(quarter, set == turned);
    };
    const auto [baseQuarter, baseHalf] = symmetries(baseSet);
    if (baseQuarter) return 0;
    if (baseHalf) return 1;
    const auto [satelliteQuarter, satelliteHalf] = symmetries(satelliteSet);
    if (satelliteQuarter) return 0;
    if (satelliteHalf) return 1;
    return 3;
}

namespace {

// Hands each turn of the satellite beside the base that the search needs, in
// search order, to `walkTurn(translations, satelliteExtent, placementAt)`:
// the turn's corner-to-corner translations, the satellite's extent in the
// turn, and placementAt(t), the candidate at translation t, or nothing where
// the satellite overlaps the base there or the host does not hold the two.
// placementAt may be asked in any order. Stops when walkTurn answers false.
// A walk that scores its candidates merges the base's outline for them
// anyway: `scoring` takes its union from there.
template <typename WalkTurn>
void walkTurns(const PolygonSet& baseSet, const PolygonSet& satelliteSet, const Polygon& hostPolygon, bool scoring,
               WalkTurn walkTurn) {
    PolygonSet base = baseSet;
    PolygonSet localSatelliteSet = satelliteSet;
    const float baseArea = base.getArea();
    const float satelliteArea = localSatelliteSet.getArea();
    if (baseArea + satelliteArea > hostPolygon.getArea()) return;

    // Symmetry spares turns only while no part's grain tells them apart.
    const GrainTurns baseGrain = turnsKeepingGrain(baseSet);
    const bool anyGrain = baseGrain != anyTurn || turnsKeepingGrain(satelliteSet) != anyTurn;
    const int rotations = anyGrain ? 3 : numberOfRotationsNecessaryToFindBestPairing(baseSet, satelliteSet);
    // Candidates share the sets and the host instead of copying them.
    const auto sharedBase = std::make_shared<PolygonSet>(baseSet);
    const auto sharedSatellite = std::make_shared<PolygonSet>(satelliteSet);
    const auto sharedHost = std::make_shared<const Polygon>(hostPolygon);
    // A set of a few members merges as fast whole as the other into its
    // outline. The base's outline serves all turns; a large satellite beside
    // a small base shares its outline in each turn.
    constexpr int membersWorthSharingAnOutline = 3;
    const bool baseKnown = baseSet.size() >= membersWorthSharingAnOutline;
    const bool shareOutlines = baseKnown || satelliteSet.size() >= membersWorthSharingAnOutline;
    const auto baseSide = shareOutlines ? std::make_shared<SharedOutline>(sharedBase) : std::shared_ptr<SharedOutline>();
    const PolygonSet baseTranslationSet = outlineWithUsableHoles(baseSet, satelliteArea, scoring ? baseSide.get() : nullptr);
    PolygonSet satelliteTranslationSet = outlineWithUsableHoles(satelliteSet, baseArea);
    const bool rectangularHost = hostPolygon.numberOfPoints() == 4;
    const Rectangle baseBox = baseSet.getBoundingRectangle();
    const std::optional<std::vector<Span>> baseRegion = regionBoxes(baseSet.getAllPolygons());
    std::optional<SpanGrid> baseRegionGrid;
    if (baseRegion) baseRegionGrid.emplace(*baseRegion);

    for (int r = 0; r <= rotations; ++r) {
        if (r > 0) {
            localSatelliteSet.rotateAboutOrigin(1);
            satelliteTranslationSet.rotateAboutOrigin(1);
        }
        // Some turn of the whole combination has to keep every part's grain.
        if (anyGrain && (baseGrain & turnsKeepingGrain(localSatelliteSet)) == 0) continue;
        localSatelliteSet.slideToOrigin();
        satelliteTranslationSet.slideToOrigin();
        // The overlap test shrinks the satellite by one unit; shrinking commutes
        // with moving, so it is done once per rotation. A satellite too thin to
        // keep its shape when shrunk is tested for overlapping interiors instead.
        PolygonSet testedSatellite = localSatelliteSet;
        testedSatellite.unvalidatedContractAll(1);
        const bool shrinkKeepsSatellite = shrinkKeepsEveryPolygon(localSatelliteSet, testedSatellite);
        if (!shrinkKeepsSatellite) testedSatellite = localSatelliteSet;
        const Point satelliteExtent = localSatelliteSet.getBoundingRectangle().getTopRight();
        std::shared_ptr<SharedOutline> satelliteSide;
        if (shareOutlines) {
            // Turned as each candidate turns it.
            auto turned = std::make_shared<PolygonSet>(satelliteSet);
            turned->rotateAboutOrigin(r);
            turned->slideToOrigin();
            satelliteSide = std::make_shared<SharedOutline>(std::move(turned));
        }
        // A combination wider or higher than the coordinate range fits no
        // host, which has to lie in the range at the origin; such candidates
        // are passed over before their copies wrap round.
        auto combinationLeavesRange = [&](const Point& t) {
            auto span = [](Coordinate baseLow, Coordinate baseHigh, Coordinate at, Coordinate extent) {
                return std::max<std::int64_t>(baseHigh, std::int64_t{at} + extent) - std::min(baseLow, at);
            };
            const Point& low = baseBox.getBottomLeft();
            const Point& high = baseBox.getTopRight();
            return span(low.x, high.x, t.x, satelliteExtent.x) > highestCoordinate ||
                   span(low.y, high.y, t.y, satelliteExtent.y) > highestCoordinate;
        };

        const std::vector<Point> translations =
            Math::getAllTranslationsForPositions(baseTranslationSet.getPoints(), satelliteTranslationSet.getPoints());
        // One tested satellite moves from candidate to candidate (coordinates
        // wrap alike either way, so it always sits exactly at t).
        PolygonSet movedSatellite = testedSatellite;
        Point movedBy(0, 0);
        MovingOverlap overlap(baseSet, baseRegion, baseRegionGrid ? &*baseRegionGrid : nullptr, testedSatellite,
                              !shrinkKeepsSatellite);
        const bool overlapByBoxes = overlap.serves(translations);
        auto overlapsBase = [&](const Point& t) {
            if (overlapByBoxes) return overlap.meetsAt(t);
            movedSatellite.translate(Point(wrappingSubtract(t.x, movedBy.x), wrappingSubtract(t.y, movedBy.y)));
            movedBy = t;
            return shrinkKeepsSatellite ? baseSet.intersectAll(movedSatellite)
                                        : Math::interiorsOverlap(baseSet, movedSatellite);
        };
        auto placementAt = [&](const Point& t) -> std::optional<ComparablePacking> {
            if (combinationLeavesRange(t) || overlapsBase(t)) return std::nullopt;
            ComparablePacking positionInformation(sharedBase, sharedSatellite, sharedHost, r, t);
            positionInformation.setIsValid(true);
            if (shareOutlines) positionInformation.shareOutlines(baseSide, satelliteSide, baseKnown);
            Point hostTranslation;
            int hostRotationMultiplier = 0;
            // A rectangle holds whatever fits its box in some orientation.
            const bool fits = rectangularHost && !anyGrain ? boxFitsInEitherOrientation(positionInformation.getCombinationBox(),
                                                                           hostPolygon.getBoundingRectangle())
                                              : Math::canContain(hostPolygon, *positionInformation.getCombination(),
                                                                       &hostTranslation, &hostRotationMultiplier);
            if (!fits) return std::nullopt;
            positionInformation.setFirstKnownValidHostTranslationAndRotation(hostTranslation, hostRotationMultiplier);
            return positionInformation;
        };
        if (!walkTurn(translations, satelliteExtent, placementAt)) return;
    }
}

// Walks the placements of the satellite beside the base in search order: each
// rotation the search needs, each corner-to-corner translation. A candidate
// that `ruledOut` rejects from its box alone, or that overlaps the base, is
// passed over; each other one whose combination the host holds goes to
// `take`, with the host placement found and the satellite's extent in its
// turn, until `take` answers false.
template <typename RuledOut, typename Take>
void walkPlacementsThatFit(const PolygonSet& baseSet, const PolygonSet& satelliteSet, const Polygon& hostPolygon,
                           bool scoring, ReportReceiver* reportReceiver, RuledOut ruledOut, Take take) {
    walkTurns(baseSet, satelliteSet, hostPolygon, scoring,
              [&](const std::vector<Point>& translations, const Point& satelliteExtent, auto& placementAt) {
                  for (const Point& t : translations) {
                      if (reportReceiver) reportReceiver->report(nullptr);
                      if (ruledOut(t, satelliteExtent)) continue;
                      std::optional<ComparablePacking> candidate = placementAt(t);
                      if (candidate && !take(*candidate, satelliteExtent)) return false;
                  }
                  return true;
              });
}

// Weighs one turn's candidates as the walk alone weighs them, in order, each
// against the best one so far, with their scores computed ahead on all the
// pool's threads. A stretch of translations is looked at with the best
// candidate known at its start: those it rules out are noted as runs, and
// the others that fit (each ties with it on the criteria before the white
// space or beats it there) are scored together. The stretch is then weighed
// in order; once the best has changed, a translation is ruled out, or looked
// at, anew by the new best.
template <typename PlacementAt, typename LosesToBest, typename Weigh>
void weighTurnOnThreads(const std::vector<Point>& translations, const Point& satelliteExtent,
                        PlacementAt& placementAt, LosesToBest& losesToBest, Weigh& weigh, ComparablePacking& best,
                        int contractionFactor, WorkerPool& workers, ReportReceiver* reportReceiver) {
    constexpr std::size_t scoredTogether = 64;
    constexpr std::size_t noCandidate = static_cast<std::size_t>(-1);
    // Translations [first, last) ruled out, or the candidate at first.
    struct Step {
        std::size_t first, last, candidate;
    };
    std::vector<Step> steps;
    std::vector<ComparablePacking> candidates;
    candidates.reserve(scoredTogether);
    for (std::size_t next = 0; next < translations.size();) {
        steps.clear();
        candidates.clear();
        const bool bestKnown = best.isValid();
        while (next < translations.size() && candidates.size() < scoredTogether) {
            const std::size_t i = next++;
            if (reportReceiver) reportReceiver->report(nullptr);
            if (losesToBest(translations[i], satelliteExtent)) {
                // Overlapping translations between may join the run: looked at anew, they still overlap.
                if (!steps.empty() && steps.back().candidate == noCandidate) {
                    steps.back().last = i + 1;
                } else {
                    steps.push_back({i, i + 1, noCandidate});
                }
                continue;
            }
            std::optional<ComparablePacking> candidate = placementAt(translations[i]);
            if (!candidate) continue;
            steps.push_back({i, i + 1, candidates.size()});
            candidates.push_back(std::move(*candidate));
            // The first candidate found becomes the best unscored.
            if (!bestKnown) break;
        }
        // Weighing them asks for the best one's score too. A turn's
        // candidates share their outlines; the best may be of another turn.
        const bool scoreBest = bestKnown && !candidates.empty() && !best.hasWhiteSpaceScore();
        const std::size_t scored = bestKnown ? candidates.size() : 0;
        if (scored > 0) candidates.front().prepareSharedOutlines(contractionFactor);
        if (scoreBest) best.prepareSharedOutlines(contractionFactor);
        workers.run(
            scored + (scoreBest ? 1 : 0),
            [&](std::size_t k, ReportReceiver*) { (k < scored ? candidates[k] : best).scoreAhead(contractionFactor); },
            reportReceiver);
        bool bestChanged = false;
        for (const Step& step : steps) {
            if (step.candidate != noCandidate) {
                if (bestChanged && losesToBest(translations[step.first], satelliteExtent)) continue;
                if (weigh(candidates[step.candidate])) bestChanged = true;
            } else if (bestChanged) {
                for (std::size_t i = step.first; i < step.last; ++i) {
                    if (losesToBest(translations[i], satelliteExtent)) continue;
                    std::optional<ComparablePacking> late = placementAt(translations[i]);
                    if (late) weigh(*late);
                }
            }
        }
    }
}

// Whether the pairing search of these sets would find any placement at all:
// the first that fits ends the walk, and nothing is scored.
bool somePlacementFits(const PolygonSet& baseSet, const PolygonSet& satelliteSet, const Polygon& hostPolygon,
                       int contractionFactor, PairingMemo* memo, ReportReceiver* reportReceiver) {
    if (memo) {
        if (const std::optional<bool> known = memo->findFits(baseSet, satelliteSet, hostPolygon, contractionFactor)) {
            return *known;
        }
    }
    bool found = false;
    walkPlacementsThatFit(
        baseSet, satelliteSet, hostPolygon, false, reportReceiver, [](const Point&, const Point&) { return false; },
        [&found](ComparablePacking&, const Point&) {
            found = true;
            return false;
        });
    if (memo) memo->storeFits(baseSet, satelliteSet, hostPolygon, contractionFactor, found);
    return found;
}

}  // namespace

ComparablePacking determineBestRelativePosition(const PolygonSet& baseSet, const PolygonSet& satelliteSet,
                                                const Polygon& hostPolygon, int contractionFactor,
                                                ReportReceiver* reportReceiver, WorkerPool* workers) {
    const float baseArea = PolygonSet(baseSet).getArea();
    const float satelliteArea = PolygonSet(satelliteSet).getArea();
    const Rectangle baseBox = baseSet.getBoundingRectangle();
    const double baseBoxArea = baseBox.getArea();
    const double satelliteBoxArea = satelliteSet.getBoundingRectangle().getArea();

    ComparablePacking best;
    // A candidate that loses to the best one on the bounding-box criteria is
    // never taken, whether it fits or not: rule it out before anything is built.
    auto losesToBest = [&](const Point& t, const Point& satelliteExtent) {
        return best.isValid() &&
               losesOnBoundingBox(baseBox, t, satelliteExtent, baseBoxArea, satelliteBoxArea, baseArea, satelliteArea,
                                  best);
    };
    // Whether the candidate took the best one's place.
    auto weigh = [&](ComparablePacking& candidate) {
        if (!candidate.isBetterThan(best, contractionFactor, nullptr)) return false;
        best = std::move(candidate);
        return true;
    };
    if (workers == nullptr || workers->threadCount() < 2) {
        walkPlacementsThatFit(baseSet, satelliteSet, hostPolygon, true, reportReceiver, losesToBest,
                              [&](ComparablePacking& candidate, const Point&) {
                                  weigh(candidate);
                                  return true;
                              });
    } else {
        walkTurns(baseSet, satelliteSet, hostPolygon, true,
                  [&](const std::vector<Point>& translations, const Point& satelliteExtent, auto& placementAt) {
                      weighTurnOnThreads(translations, satelliteExtent, placementAt, losesToBest, weigh, best,
                                         contractionFactor, *workers, reportReceiver);
                      return true;
                  });
    }
    // Kept beyond the search, the answer does not keep the shared outline alive.
    best.releaseSharedOutlines();
    return best;
}

ComparablePacking determineBestRelativePosition(const PolygonSet& baseSet, const PolygonSet& satelliteSet,
                                                const Polygon& hostPolygon, int contractionFactor,
                                                ReportReceiver* reportReceiver, PairingMemo* memo,
                                                WorkerPool* workers) {
    ComparablePacking answer;
    if (memo && memo->find(baseSet, satelliteSet, hostPolygon, contractionFactor, answer)) return answer;
    answer = determineBestRelativePosition(baseSet, satelliteSet, hostPolygon, contractionFactor, reportReceiver,
                                           workers);
    if (memo) memo->store(baseSet, satelliteSet, hostPolygon, contractionFactor, answer);
    return answer;
}

std::vector<ComparablePacking> searchPairingsTogether(const std::vector<SetPair>& pairs, const Polygon& hostPolygon,
                                                      int contractionFactor, WorkerPool& workers,
                                                      ReportReceiver* reportReceiver) {
    // The searches with the most corners to pair first, so that no thread is
    // left with a long one at the end while the others wait.
    std::vector<std::size_t> order(pairs.size());
    std::vector<std::size_t> cost(pairs.size());
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        order[k] = k;
        cost[k] = pairs[k].base->getPoints().size() * pairs[k].satellite->getPoints().size();
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return cost[a] > cost[b]; });
    // A search that fails fails the whole as the first such pair in the
    // list would have, whichever thread met it first.
    std::vector<ComparablePacking> answers(pairs.size());
    std::vector<std::exception_ptr> failures(pairs.size());
    workers.run(
        pairs.size(),
        [&](std::size_t k, ReportReceiver* heartbeats) {
            const SetPair& pair = pairs[order[k]];
            try {
                answers[order[k]] =
                    determineBestRelativePosition(*pair.base, *pair.satellite, hostPolygon, contractionFactor, heartbeats);
            } catch (const std::exception&) {
                failures[order[k]] = std::current_exception();
            }
        },
        reportReceiver);
    for (const std::exception_ptr& failure : failures) {
        if (failure) std::rethrow_exception(failure);
    }
    return answers;
}

namespace {

// The cached pairing of two list positions, searched and stored first when the
// cache does not hold it yet; scores computed on it later stay in the cache.
ComparablePacking& storedPairing(std::vector<PolygonSet>& polygonSets, int indexOne, int indexTwo,
                                 const Polygon& hostPolygon, int contractionFactor, PackingCache& packingCache,
                                 ReportReceiver* reportReceiver) {
    ComparablePacking* entry = packingCache.findCacheEntry(indexOne, indexTwo);
    if (!entry->getIsSet()) {
        const int low = std::min(indexOne, indexTwo);
        const int high = std::max(indexOne, indexTwo);
        packingCache.setCacheEntry(low, high,
                                   determineBestRelativePosition(polygonSets[static_cast<std::size_t>(low)],
                                                                 polygonSets[static_cast<std::size_t>(high)],
                                                                 hostPolygon, contractionFactor, reportReceiver,
                                                                 packingCache.getMemo(), packingCache.getWorkers()));
    }
    return *entry;
}

// Whether the cache can answer for the two positions.
bool cacheServes(const PackingCache* packingCache, int indexOne, int indexTwo) {
    return packingCache && packingCache->findCacheEntry(indexOne, indexTwo) != nullptr;
}

// The pairs of positions a pass of the greedy search walks, in its order:
// the first pair of each two kinds of set.
std::vector<std::pair<int, int>> pairsOfDistinctKinds(const std::vector<int>& congruentPolygonSetIds) {
    std::vector<std::pair<int, int>> pairs;
    std::set<std::pair<int, int>> kindsSeen;
    const int numberOfSets = static_cast<int>(congruentPolygonSetIds.size());
    for (int base = 0; base + 1 < numberOfSets; ++base) {
        for (int satellite = base + 1; satellite < numberOfSets; ++satellite) {
            const int baseId = congruentPolygonSetIds[static_cast<std::size_t>(base)];
            const int satelliteId = congruentPolygonSetIds[static_cast<std::size_t>(satellite)];
            if (kindsSeen.insert({std::min(baseId, satelliteId), std::max(baseId, satelliteId)}).second) {
                pairs.emplace_back(base, satellite);
            }
        }
    }
    return pairs;
}

// Searches, on the cache's workers, the pairings of `pairs` that neither the
// cache nor the memo holds yet, and stores them as the pass would have one by
// one: every search depends only on its two sets and the host, so the
// answers are the same whichever thread finds them.
void searchMissingPairingsTogether(std::vector<PolygonSet>& polygonSets, const std::vector<std::pair<int, int>>& pairs,
                                   const Polygon& hostPolygon, int contractionFactor, PackingCache& packingCache,
                                   ReportReceiver* reportReceiver) {
    WorkerPool* workers = packingCache.getWorkers();
    if (workers == nullptr || workers->threadCount() < 2) return;
    PairingMemo* memo = packingCache.getMemo();
    std::vector<std::pair<int, int>> missing;
    for (const auto& [base, satellite] : pairs) {
        ComparablePacking* entry = packingCache.findCacheEntry(base, satellite);
        if (entry == nullptr || entry->getIsSet()) continue;
        ComparablePacking known;
        const PolygonSet& baseSet = polygonSets[static_cast<std::size_t>(base)];
        const PolygonSet& satelliteSet = polygonSets[static_cast<std::size_t>(satellite)];
        if (memo && memo->find(baseSet, satelliteSet, hostPolygon, contractionFactor, known)) {
            packingCache.setCacheEntry(base, satellite, std::move(known));
        } else {
            missing.emplace_back(base, satellite);
        }
    }
    if (missing.size() < 2) return;  // the pass finds a single one as fast, its scores on all threads
    std::vector<SetPair> setPairs;
    for (const auto& [base, satellite] : missing) {
        setPairs.push_back({&polygonSets[static_cast<std::size_t>(base)], &polygonSets[static_cast<std::size_t>(satellite)]});
    }
    std::vector<ComparablePacking> answers =
        searchPairingsTogether(setPairs, hostPolygon, contractionFactor, *workers, reportReceiver);
    for (std::size_t k = 0; k < missing.size(); ++k) {
        const auto [base, satellite] = missing[k];
        if (memo) {
            memo->store(polygonSets[static_cast<std::size_t>(base)], polygonSets[static_cast<std::size_t>(satellite)],
                        hostPolygon, contractionFactor, answers[k]);
        }
        packingCache.setCacheEntry(base, satellite, std::move(answers[k]));
    }
}

}  // namespace

ComparablePacking determineBestRelativePosition(std::vector<PolygonSet>& polygonSets, int indexOne, int indexTwo,
                                                const Polygon& hostPolygon, int contractionFactor,
                                                PackingCache* packingCache, ReportReceiver* reportReceiver) {
    if (cacheServes(packingCache, indexOne, indexTwo)) {
        return storedPairing(polygonSets, indexOne, indexTwo, hostPolygon, contractionFactor, *packingCache,
                             reportReceiver);
    }
    const int low = std::min(indexOne, indexTwo);
    const int high = std::max(indexOne, indexTwo);
    return determineBestRelativePosition(polygonSets[static_cast<std::size_t>(low)],
                                         polygonSets[static_cast<std::size_t>(high)], hostPolygon,
                                         contractionFactor, reportReceiver);
}

bool greatestAreaSetIsReadyToRetire(int greatestAreaSetIndex, const PackingCache* packingCache,
                                    const std::vector<int>& congruentPolygonSetIds) {
    if (!packingCache) return false;
    std::vector<int> idsLookedAt;
    for (int ii = 0; ii < packingCache->size(); ++ii) {
        if (ii == greatestAreaSetIndex) continue;
        const int id = ii < static_cast<int>(congruentPolygonSetIds.size())
                           ? congruentPolygonSetIds[static_cast<std::size_t>(ii)]
                           : -1;
        if (std::find(idsLookedAt.begin(), idsLookedAt.end(), id) != idsLookedAt.end()) continue;
        idsLookedAt.push_back(id);
        const ComparablePacking* entry = packingCache->findCacheEntry(ii, greatestAreaSetIndex);
        if (!entry || !entry->getIsSet() || entry->isValid()) return false;
    }
    return true;
}

bool pairingRespectsMaxAreaSet(std::vector<PolygonSet>& polygonSets, const int& baseSetIndex,
                               const int& satelliteSetIndex, const int& greatestAreaSetIndex,
                               const Polygon& hostPolygon, int contractionFactor,
                               ComparablePacking* resultingBestPositionRelativeToLargestAreaSet,
                               PackingCache* packingCache) {
    if (baseSetIndex == greatestAreaSetIndex || satelliteSetIndex == greatestAreaSetIndex) return true;
    ReportReceiver* heartbeat = packingCache ? packingCache->getHeartbeatReceiver() : nullptr;
    const ComparablePacking baseAndMaxAreaEntry = determineBestRelativePosition(
        polygonSets, greatestAreaSetIndex, baseSetIndex, hostPolygon, contractionFactor, packingCache, heartbeat);
    if (!baseAndMaxAreaEntry.isValid()) {
        const ComparablePacking satelliteAndMaxAreaEntry =
            determineBestRelativePosition(polygonSets, greatestAreaSetIndex, satelliteSetIndex, hostPolygon,
                                          contractionFactor, packingCache, heartbeat);
        if (!satelliteAndMaxAreaEntry.isValid()) {
            if (resultingBestPositionRelativeToLargestAreaSet) {
                resultingBestPositionRelativeToLargestAreaSet->setIsValid(false);
            }
            return true;
        }
    }
    ComparablePacking positionInformation = determineBestRelativePosition(
        polygonSets, baseSetIndex, satelliteSetIndex, hostPolygon, contractionFactor, packingCache, heartbeat);
    const PolygonSet& combination = *positionInformation.getCombination();
    const PolygonSet& largestSet = polygonSets[static_cast<std::size_t>(greatestAreaSetIndex)];
    PairingMemo* memo = packingCache ? packingCache->getMemo() : nullptr;
    WorkerPool* workers = packingCache ? packingCache->getWorkers() : nullptr;
    // Without a place to put it, the best placement beside the largest set is
    // not wanted: that some placement exists is all that decides.
    if (!resultingBestPositionRelativeToLargestAreaSet) {
        return baseSetIndex < greatestAreaSetIndex
                   ? somePlacementFits(combination, largestSet, hostPolygon, contractionFactor, memo, heartbeat)
                   : somePlacementFits(largestSet, combination, hostPolygon, contractionFactor, memo, heartbeat);
    }
    ComparablePacking bestPositionRelativeToLargestAreaSet =
        baseSetIndex < greatestAreaSetIndex
            ? determineBestRelativePosition(combination, largestSet, hostPolygon, contractionFactor, heartbeat, memo,
                                            workers)
            : determineBestRelativePosition(largestSet, combination, hostPolygon, contractionFactor, heartbeat, memo,
                                            workers);
    if (!bestPositionRelativeToLargestAreaSet.isValid()) return false;
    if (resultingBestPositionRelativeToLargestAreaSet) {
        *resultingBestPositionRelativeToLargestAreaSet = std::move(bestPositionRelativeToLargestAreaSet);
    }
    return true;
}

}  // namespace Zelkor::Rectilinear::Math

namespace Zelkor::Rectilinear {

bool ComparablePacking::isBetterThan(ComparablePacking& otherPacking, int contractionFactor,
                                     std::vector<PolygonSet>* polygonSets, int baseSetIndex, int satelliteSetIndex,
                                     int greatestAreaSetIndex,
                                     ComparablePacking* resultingBestPositionRelativeToLargestAreaSet,
                                     PackingCache* cache) {
    // Whether the pairing of two positions of the pool leaves its largest set room.
    struct PoolGuard final : LargestSetGuard {
        ComparablePacking& pairing;
        int contractionFactor;
        std::vector<PolygonSet>& polygonSets;
        int baseSetIndex, satelliteSetIndex, greatestAreaSetIndex;
        ComparablePacking* relationToLargestSet;
        PackingCache* cache;

        PoolGuard(ComparablePacking& newPairing, int newContractionFactor, std::vector<PolygonSet>& newSets,
                  int base, int satellite, int greatest, ComparablePacking* relation, PackingCache* newCache)
            : pairing(newPairing), contractionFactor(newContractionFactor), polygonSets(newSets),
              baseSetIndex(base), satelliteSetIndex(satellite), greatestAreaSetIndex(greatest),
              relationToLargestSet(relation), cache(newCache) {}

        bool respectsLargestSet() override {
            return Math::pairingRespectsMaxAreaSet(polygonSets, baseSetIndex, satelliteSetIndex,
                                                   greatestAreaSetIndex, pairing.getHostPolygon(),
                                                   contractionFactor, relationToLargestSet, cache);
        }
    };
    if (!polygonSets) return isBetterThan(otherPacking, contractionFactor, nullptr);
    PoolGuard guard(*this, contractionFactor, *polygonSets, baseSetIndex, satelliteSetIndex, greatestAreaSetIndex,
                    resultingBestPositionRelativeToLargestAreaSet, cache);
    return isBetterThan(otherPacking, contractionFactor, &guard);
}

}  // namespace Zelkor::Rectilinear

namespace Zelkor::Rectilinear::Math {

void greedyPackToCreateMaxAreaSet(std::vector<PolygonSet>& polygonSets, const Polygon& hostPolygon,
                                  int& contractionFactor, PackingCache& packingCache, int totalNumberOfShapesToPack,
                                  int numberOfShapesWaitingToBePackedLater, ReportReceiver* reportReceiver) {
    packingCache.attachHeartbeatReceiver(reportReceiver);
    int greatestAreaSetIndex = indexOfLargestSet(polygonSets);
    std::vector<int> congruentPolygonSetIds = findCongruentElementsAndAssignIds(polygonSets, nullptr, -1);
    bool done = false;
    while (!done) {
        ComparablePacking bestPositionInformation;
        std::pair<int, int> bestCombinationIndexes{0, 0};
        congruentPolygonSetIds =
            findCongruentElementsAndAssignIds(polygonSets, &congruentPolygonSetIds, greatestAreaSetIndex);
        const std::vector<std::pair<int, int>> pairs = pairsOfDistinctKinds(congruentPolygonSetIds);
        searchMissingPairingsTogether(polygonSets, pairs, hostPolygon, contractionFactor, packingCache,
                                      reportReceiver);

        const int numberOfSets = static_cast<int>(polygonSets.size());
        std::size_t nextPair = 0;
        for (int baseSetIndex = 0; baseSetIndex + 1 < numberOfSets; ++baseSetIndex) {
            for (int satelliteSetIndex = baseSetIndex + 1; satelliteSetIndex < numberOfSets; ++satelliteSetIndex) {
                reportProgress(totalNumberOfShapesToPack, numberOfShapesWaitingToBePackedLater, numberOfSets,
                               reportReceiver);
                // Only the first pair of each two kinds is compared.
                if (nextPair == pairs.size() || pairs[nextPair] != std::make_pair(baseSetIndex, satelliteSetIndex)) {
                    continue;
                }
                ++nextPair;
                // Compared in the cache itself, so that its scores are computed once per host pass.
                ComparablePacking& positionInformation =
                    storedPairing(polygonSets, baseSetIndex, satelliteSetIndex, hostPolygon, contractionFactor,
                                  packingCache, reportReceiver);
                // Only whether the pairing leaves the largest set room is asked
                // here; the winner's placement beside it is searched once below.
                if (positionInformation.isBetterThan(bestPositionInformation, contractionFactor, &polygonSets,
                                                     baseSetIndex, satelliteSetIndex, greatestAreaSetIndex, nullptr,
                                                     &packingCache)) {
                    bestCombinationIndexes = {baseSetIndex, satelliteSetIndex};
                    bestPositionInformation = positionInformation;
                }
            }
        }

        if (!bestPositionInformation.isValid() ||
            greatestAreaSetIsReadyToRetire(greatestAreaSetIndex, &packingCache, congruentPolygonSetIds)) {
            done = true;
            continue;
        }

        // The new set's pairing with the largest is the search of the two
        // sets as the cache runs it: left to the next pass, which runs it
        // beside the other new pairings on the workers.
        const auto [first, second] = bestCombinationIndexes;
        polygonSets[static_cast<std::size_t>(first)] = *bestPositionInformation.getCombination();
        packingCache.unsetAllCacheEntriesForElement(first);
        packingCache.deleteElement(second);
        polygonSets.erase(polygonSets.begin() + second);
        congruentPolygonSetIds[static_cast<std::size_t>(first)] = -1;
        congruentPolygonSetIds.erase(congruentPolygonSetIds.begin() + second);
        if (first != greatestAreaSetIndex && second != greatestAreaSetIndex && second < greatestAreaSetIndex) {
            --greatestAreaSetIndex;
        }
        // When the largest set itself was the one removed, its old position may
        // now lie past the end of the list.
        if (greatestAreaSetIndex < static_cast<int>(congruentPolygonSetIds.size())) {
            congruentPolygonSetIds[static_cast<std::size_t>(greatestAreaSetIndex)] = -1;
        }
        greatestAreaSetIndex = indexOfLargestSet(polygonSets);
    }
}

}  // namespace Zelkor::Rectilinear::Math
