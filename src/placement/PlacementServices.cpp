// Placement services of the drawing tools: every place a shape may be dropped
// into a host among other shapes, and a new place (and orientation) for a
// shape near where it was.
//
// Padding works by growing: the shape, the other shapes and the host grow by
// half the padding, so that two grown shapes that merely touch keep the whole
// padding between the originals; the grown shape shrinks by 1 before the
// tests so that touching is not overlapping.
//
// Both services walk the candidate grid in its fixed order and decide each
// candidate without changing any answer:
// - only candidates inside the host's box are visited;
// - per column of the grid, the other shapes whose box reaches the column
//   give runs of y offsets at which the candidate's box meets theirs. Where
//   both are rectangles a meeting box is a meeting shape, so such a run is
//   skipped whole; other runs get the exact intersection test;
// - containment goes through the host's cell index (HostRegion).
//
// The shape must also lie inside the host itself. Growing both the shape and
// the host and then shrinking only the shape by 1 would otherwise let the
// shape stick out of the host by one unit, for example a 10 by 10 square
// dropped into "0,0 20,0 20,10 0,10" at x offset 11 beside another shape
// with a corner at x = 11.
//
// Shrinking by 1 stands for "touching is allowed" only while it keeps the
// whole shape: a part 2 units wide vanishes, a part 1 unit wide turns inside
// out. With a padding below 2 such a shape (say "0,0 2,0 2,10 0,10") could
// otherwise be dropped right on top of another one. For those shapes the
// interiors are also compared directly (InteriorOverlapTest).

#include "placement/PlacementServices.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <vector>

#include "geometry/HoledPolygonSet.h"
#include "placement/HostRegion.h"
#include "placement/HostSearch.h"
#include "placement/PlacementSearch.h"
#include "placement/TranslationGrid.h"

namespace Zelkor::Rectilinear::Math {

namespace {

using namespace PlacementSearch;

// Coordinates of every shape involved stay below this bound for the fast
// scan, so that the offsets and area sums of the shape operations agree
// whether a shape is shrunk before or after it is moved.
constexpr std::int64_t fastScanLimit = std::int64_t{1} << 29;

// A shape already in the host as the scan sees it.
struct Obstacle {
    Extent box;
    bool rectangle;
    const Polygon* polygon;
};

// The y offsets [low, high] at which the candidate's box meets an obstacle's box.
struct Run {
    std::int64_t low;
    std::int64_t high;
    const Polygon* polygon;
};

bool extentWithin(const Extent& e, std::int64_t limit) {
    return e.left >= -limit && e.right <= limit && e.bottom >= -limit && e.top <= limit;
}

// The shrink by 1 moves every side inward and keeps each one, in its
// direction and at a length of at least 1.
bool shrinkKeepsWholeShape(const Polygon& paddedShape, const Polygon& candidate) {
    return !candidate.isEmpty() && candidate.numberOfPoints() == paddedShape.numberOfPoints() &&
           paddedShape.getAllUnflippedNonZeroEdgesAfterContract(1).size() ==
               static_cast<std::size_t>(paddedShape.numberOfEdges());
}

// Whether the interiors of a moved shape and another shape overlap. On a
// lattice four times finer every part of a shape is at least 4 wide, so the
// shrink by 1 keeps it whole, and the shrunk shape meets (closed) exactly the
// shapes whose interiors the shape overlaps. Shapes too far out to be scaled
// are compared by the area the other one takes away.
class InteriorOverlapTest {
public:
    explicit InteriorOverlapTest(const Polygon& shape) : shape(shape) {}

    bool overlaps(const Polygon& other, const Point& t) {
        if (other.isEmpty() || shape.isEmpty()) return false;
        Extent moved = extentOf(shape);
        moved = {moved.left + t.x, moved.bottom + t.y, moved.right + t.x, moved.top + t.y};
        if (extentWithin(moved, fineLimit) && extentWithin(extentOf(other), fineLimit)) {
            if (!fineShape) {
                fineShape = finer(shape);
                fineShape->unvalidatedContract(1);
            }
            Polygon fineMoved = *fineShape;
            fineMoved.translate(Point(4 * t.x, 4 * t.y));
            auto fineOther = fineOthers.find(&other);
            if (fineOther == fineOthers.end()) fineOther = fineOthers.emplace(&other, finer(other)).first;
            return fineOther->second.intersect(fineMoved);
        }
        Polygon placed = shape;
        placed.translate(t);
        return placed.getArea() - placed.booleanSubtract(other).getArea() > 0.5f;
    }

private:
    static constexpr std::int64_t fineLimit = std::int64_t{1} << 28;

    static Polygon finer(const Polygon& polygon) {
        std::vector<Point> corners = polygon.getPoints();
        for (Point& p : corners) p = Point(4 * p.x, 4 * p.y);
        return Polygon(corners, polygon.getName());
    }

    const Polygon& shape;
    std::optional<Polygon> fineShape;
    std::map<const Polygon*, Polygon> fineOthers;
};

// The feasibility test of one candidate translation: the padded shape,
// shrunk by 1 (`candidate`), meets no other (padded) shape and lies in the
// padded host, and the shape itself (`shape`) lies in the host; when the
// shrink does not keep the padded shape whole, the padded shape's interior
// also overlaps no other's.
class TranslationScan {
public:
    TranslationScan(const Polygon& paddedHost, const PolygonSet& paddedOthers, const Polygon& host)
        : paddedHost(paddedHost), paddedOthers(paddedOthers), host(host), paddedHostTest(paddedHost), hostTest(host) {
        obstacles.reserve(static_cast<std::size_t>(paddedOthers.size()));
        for (const Polygon& other : paddedOthers.getAllPolygons()) {
            obstacles.push_back({extentOf(other), isAxisAlignedRectangle(other), &other});
        }
        std::sort(obstacles.begin(), obstacles.end(),
                  [](const Obstacle& a, const Obstacle& b) { return a.box.left < b.box.left; });
        sceneFitsFastScan = !paddedHost.isEmpty() && !host.isEmpty() &&
                            extentWithin(extentOf(paddedHost), fastScanLimit) && extentWithin(extentOf(host), fastScanLimit);
        for (const Obstacle& o : obstacles) {
            if (!o.polygon->isEmpty() && !extentWithin(o.box, fastScanLimit)) sceneFitsFastScan = false;
        }
    }

    // Calls visit(t) for every feasible translation t of the grid, in grid
    // order, until visit returns false. `paddedShape` is the grown shape at
    // translation zero, before the shrink by 1; `shape` the shape itself.
    template <typename Visit>
    void run(const TranslationGrid& grid, const Polygon& paddedShape, const Polygon& shape, Visit&& visit) {
        Polygon candidate = paddedShape;
        candidate.unvalidatedContract(1);
        const bool shrinkIsWhole = shrinkKeepsWholeShape(paddedShape, candidate);
        InteriorOverlapTest overlapTest(paddedShape);
        if (!canScanFast(grid, paddedShape, candidate, shape)) {
            runLiterally(grid, paddedShape, shrinkIsWhole, shape, overlapTest, visit);
            return;
        }
        const std::vector<Coordinate>& xs = grid.getXTranslations();
        const std::vector<Coordinate>& ys = grid.getYTranslations();
        const CandidateWindow window = windowKeeping(grid, extentOf(candidate), extentOf(paddedHost))
                                           .intersectedWith(windowKeeping(grid, extentOf(shape), extentOf(host)));
        if (window.size() >= candidatesWorthAnIndex) {
            paddedHostTest.useIndex();
            hostTest.useIndex();
        }
        // Whose boxes the scan compares: the shrunk shape's, or the whole
        // padded shape's when the interiors are compared too.
        const Extent c = extentOf(shrinkIsWhole ? candidate : paddedShape);
        const bool boxesDecide = shrinkIsWhole && isAxisAlignedRectangle(candidate);
        std::vector<Run> skipped;   // runs where the shapes surely meet
        std::vector<Run> doubtful;  // runs that need the exact tests
        for (std::size_t ix = window.xFirst; ix < window.xLast; ++ix) {
            const std::int64_t tx = xs[ix];
            const std::int64_t left = c.left + tx, right = c.right + tx;
            skipped.clear();
            doubtful.clear();
            for (const Obstacle& o : obstacles) {
                if (o.box.left > right) break;
                if (o.box.right < left) continue;
                const Run run{o.box.bottom - c.top, o.box.top - c.bottom, o.polygon};
                (boxesDecide && o.rectangle ? skipped : doubtful).push_back(run);
            }
            mergeRuns(skipped);
            std::sort(doubtful.begin(), doubtful.end(), [](const Run& a, const Run& b) { return a.low < b.low; });

            std::size_t nextSkipped = 0;
            std::size_t iy = window.yFirst;
            while (iy < window.yLast) {
                const std::int64_t ty = ys[iy];
                while (nextSkipped < skipped.size() && skipped[nextSkipped].high < ty) ++nextSkipped;
                if (nextSkipped < skipped.size() && skipped[nextSkipped].low <= ty) {
                    iy = TranslationGrid::indexRange(ys, skipped[nextSkipped].high + 1,
                                                     std::numeric_limits<std::int64_t>::max()).first;
                    continue;
                }
                const Point t(xs[ix], ys[iy]);
                ++iy;
                if (meetsDoubtfulObstacle(doubtful, candidate, shrinkIsWhole, overlapTest, t)) continue;
                if (!paddedHostTest.contains(candidate, t) || !hostTest.contains(shape, t)) continue;
                if (!visit(t)) return;
            }
        }
    }

private:
    bool canScanFast(const TranslationGrid& grid, const Polygon& paddedShape, const Polygon& candidate,
                     const Polygon& shape) const {
        if (!sceneFitsFastScan || candidate.isEmpty() || shape.isEmpty() || paddedShape.isEmpty()) return false;
        return gridKeepsWithin(grid, extentOf(paddedShape), fastScanLimit) &&
               gridKeepsWithin(grid, extentOf(candidate), fastScanLimit) &&
               gridKeepsWithin(grid, extentOf(shape), fastScanLimit);
    }

    // Sorts runs and joins overlapping or adjacent ones.
    static void mergeRuns(std::vector<Run>& runs) {
        if (runs.empty()) return;
        std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.low < b.low; });
        std::size_t kept = 0;
        for (std::size_t i = 1; i < runs.size(); ++i) {
            if (runs[i].low <= runs[kept].high + 1) {
                runs[kept].high = std::max(runs[kept].high, runs[i].high);
            } else {
                runs[++kept] = runs[i];
            }
        }
        runs.resize(kept + 1);
    }

    bool meetsDoubtfulObstacle(const std::vector<Run>& doubtful, const Polygon& candidate, bool shrinkIsWhole,
                               InteriorOverlapTest& overlapTest, const Point& t) {
        bool moved = false;
        for (const Run& run : doubtful) {
            if (run.low > t.y) break;
            if (run.high < t.y) continue;
            if (!moved) {
                movedCandidate = candidate;
                movedCandidate.translate(t);
                moved = true;
            }
            if (run.polygon->intersect(movedCandidate)) return true;
            if (!shrinkIsWhole && overlapTest.overlaps(*run.polygon, t)) return true;
        }
        return false;
    }

    // Each candidate exactly as written: move the grown shape, shrink it, test.
    template <typename Visit>
    void runLiterally(const TranslationGrid& grid, const Polygon& paddedShape, bool shrinkIsWhole, const Polygon& shape,
                      InteriorOverlapTest& overlapTest, Visit&& visit) {
        const Extent padded = extentOf(paddedShape);
        for (const Point& t : grid.allTranslations()) {
            // Moved out of the coordinate range, the grown shape would wrap
            // round; it lies in no host inside the range anyway.
            if (!paddedShape.isEmpty() &&
                !extentWithin({padded.left + t.x, padded.bottom + t.y, padded.right + t.x, padded.top + t.y},
                              coordinateLimit)) {
                continue;
            }
            Polygon moved = paddedShape;
            moved.translate(t);
            moved.unvalidatedContract(1);
            if (paddedOthers.intersect(moved) || !paddedHost.contains(moved)) continue;
            Polygon placed = shape;
            placed.translate(t);
            if (!host.contains(placed)) continue;
            if (!shrinkIsWhole && overlapsAnyOther(overlapTest, t)) continue;
            if (!visit(t)) return;
        }
    }

    bool overlapsAnyOther(InteriorOverlapTest& overlapTest, const Point& t) {
        for (const Polygon& other : paddedOthers.getAllPolygons()) {
            if (overlapTest.overlaps(other, t)) return true;
        }
        return false;
    }

    const Polygon& paddedHost;
    const PolygonSet& paddedOthers;
    const Polygon& host;
    FixedHostTest paddedHostTest;
    FixedHostTest hostTest;
    std::vector<Obstacle> obstacles;
    bool sceneFitsFastScan = false;
    Polygon movedCandidate;
};

// The other shapes followed by the host: the positions the grid aligns to.
std::vector<Point> alignmentPoints(const PolygonSet& paddedOthers, const Polygon& paddedHost) {
    std::vector<Point> positions = paddedOthers.getPoints();
    const std::vector<Point>& hostPoints = paddedHost.getPoints();
    positions.insert(positions.end(), hostPoints.begin(), hostPoints.end());
    return positions;
}

}  // namespace

std::vector<Point> getAllPossibleTranslationsForShapeWithinHost(Polygon polygon, Polygon hostPolygon,
                                                                PolygonSet otherPolygons, int minimumShapePadding) {
    const int half = minimumShapePadding / 2;
    Polygon paddedShape = polygon;
    paddedShape.unvalidatedExpand(half);
    Polygon paddedHost = hostPolygon;
    paddedHost.unvalidatedExpand(half);
    otherPolygons.unvalidatedExpandAll(half);

    const TranslationGrid grid(alignmentPoints(otherPolygons, paddedHost), paddedShape.getPoints());
    std::vector<Point> translations;
    TranslationScan scan(paddedHost, otherPolygons, hostPolygon);
    scan.run(grid, paddedShape, polygon, [&](const Point& t) {
        translations.push_back(t);
        return true;
    });
    return translations;
}

Polygon rotateAndPositionWithinHost(bool returnFirstFoundPosition, bool allowOriginalPosition, bool rotateClockwise,
                                    int firstRotationMultiplier, Polygon polygon, Polygon hostPolygon,
                                    PolygonSet otherPolygons, int minimumShapePadding) {
    const Point originalCentroid = polygon.getCentroid();
    const Rectangle originalBox = polygon.getBoundingRectangle();
    const int half = minimumShapePadding / 2;
    Point bestTranslation;
    int bestRotation = 0;
    bool haveBest = false;

    Polygon paddedHost = hostPolygon;
    paddedHost.unvalidatedExpand(half);
    otherPolygons.unvalidatedExpandAll(half);
    const std::vector<Point> positions = alignmentPoints(otherPolygons, paddedHost);
    TranslationScan scan(paddedHost, otherPolygons, hostPolygon);

    for (int rotation = firstRotationMultiplier; rotation <= 3 && !haveBest; ++rotation) {
        const int currentRotation = rotateClockwise ? -rotation : rotation;
        Polygon polygonCopy = polygon;
        polygonCopy.unvalidatedExpand(half);
        polygonCopy.rotateAboutOrigin(currentRotation);
        polygonCopy.slideToOrigin();
        // The shape itself where the grown copy starts: turned, at the origin,
        // then in by half the padding.
        Polygon shape = polygon;
        shape.rotateAboutOrigin(currentRotation);
        shape.slideToOrigin();
        shape.translate(Point(half, half));

        const TranslationGrid grid(positions, polygonCopy.getPoints());
        double bestDistanceSquaredFromOriginal = std::numeric_limits<double>::max();
        Polygon placed;
        scan.run(grid, polygonCopy, shape, [&](const Point& t) {
            placed = polygonCopy;
            placed.translate(t);
            placed.unvalidatedContract(1);
            placed.unvalidatedExpand(1);
            placed.unvalidatedContract(half);
            // Equal outlines have equal boxes; the box comparison spares most edge lists.
            if (!allowOriginalPosition && placed.getBoundingRectangle().getBottomLeft() == originalBox.getBottomLeft() &&
                placed.getBoundingRectangle().getTopRight() == originalBox.getTopRight() && placed == polygon) {
                return true;
            }
            const Point centroid = placed.getCentroid();
            const double dx = static_cast<double>(centroid.x) - static_cast<double>(originalCentroid.x);
            const double dy = static_cast<double>(centroid.y) - static_cast<double>(originalCentroid.y);
            const double distanceSquaredFromOriginal = dx * dx + dy * dy;
            if (!haveBest || distanceSquaredFromOriginal < bestDistanceSquaredFromOriginal) {
                haveBest = true;
                bestTranslation = t;
                bestRotation = currentRotation;
                bestDistanceSquaredFromOriginal = distanceSquaredFromOriginal;
                if (returnFirstFoundPosition) return false;
            }
            return true;
        });
    }

    if (!haveBest) return Polygon();
    polygon.rotateAboutOrigin(bestRotation);
    polygon.slideToOrigin();
    polygon.translate(Point(half, half));
    polygon.translate(bestTranslation);
    return polygon;
}

std::vector<bool> bulkCanContain(const PolygonSet& polygonSet, const std::vector<Polygon>& potentialHosts,
                                 int expansionFactor) {
    std::vector<bool> canContain;
    canContain.reserve(potentialHosts.size());
    for (const Polygon& host : potentialHosts) {
        canContain.push_back(host.canExpandBy(expansionFactor) && Math::canContain(host, polygonSet));
    }
    return canContain;
}

}  // namespace Zelkor::Rectilinear::Math
