// Host placement: whether and where a set fits inside a host polygon, and how
// good a place is by the outfall it leaves.
//
// Every search walks the candidate grid in its fixed order (rotation, then x
// offset, then y offset), so the first of equal answers always wins. What
// makes the walk affordable is deciding each candidate cheaply without ever
// changing the answer:
// - only candidates whose bounding rectangle fits the host's are visited (the
//   containment test would refuse every other one at once), found by binary
//   search on the two sorted axes of the grid;
// - containment is answered by a cell index of the host built once per
//   rotation (HostRegion), falling back to Polygon::contains when the index
//   cannot answer.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>

#include "geometry/CoordinateRangeException.h"
#include "geometry/ExactArea.h"
#include "geometry/GrainTurns.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/InvalidPolygonException.h"
#include "geometry/OutlineSimplicity.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "placement/ColumnCover.h"
#include "placement/HostFit.h"
#include "placement/HostSearch.h"
#include "placement/HostRegion.h"
#include "placement/OutfallScorer.h"
#include "placement/PlacementSearch.h"
#include "placement/RegionOutlines.h"
#include "placement/TranslationGrid.h"
#include "geometry/WhiteSpaceInformation.h"

namespace Zelkor::Rectilinear {

namespace {

using namespace PlacementSearch;

// Polygon::contains(fixedSet) of `host` (at translation zero) moved by t,
// decided through the host's index where possible.
class MovingHostTest {
public:
    MovingHostTest(const Polygon& host, const PolygonSet& fixedSet) : host(host), fixedSet(fixedSet) {}

    void useIndex() {
        if (!region) region.emplace(host);
    }

    bool contains(const Point& t) {
        if (region) {
            bool decided = true;
            for (const Polygon& member : fixedSet.getAllPolygons()) {
                const HostRegion::Answer answer =
                    region->containsTranslated(member, -std::int64_t{t.x}, -std::int64_t{t.y});
                if (answer == HostRegion::Answer::no) return false;
                if (answer == HostRegion::Answer::unknown) decided = false;
            }
            if (decided) return true;
        }
        return movedHost(t).contains(fixedSet);
    }

    // The host moved by t.
    const Polygon& movedHost(const Point& t) {
        moved = host;
        moved.translate(t);
        return moved;
    }

private:
    const Polygon& host;
    const PolygonSet& fixedSet;
    std::optional<HostRegion> region;
    Polygon moved;
};

std::int64_t sideLength(const Point& a, const Point& b) {
    return std::abs(std::int64_t{b.x} - a.x) + std::abs(std::int64_t{b.y} - a.y);
}

}  // namespace

// --- Candidate translations ------------------------------------------------

std::vector<Point> Math::getAllTranslationsForPositions(const std::vector<Point>& corners,
                                                       const std::vector<Point>& possiblePoints) {
    return TranslationGrid(corners, possiblePoints).allTranslations();
}

// --- Scoring ---------------------------------------------------------------

WhiteSpaceInformation Math::whiteSpaceScore(const Polygon& host, const PolygonSet& setToBeContained,
                                            int contractionFactor) {
    const HoledPolygonSet outfall = host.booleanSubtract(setToBeContained);
    return WhiteSpaceInformation(outfall.getAllPolygonsContracted(contractionFactor), contractionFactor);
}

namespace {

// The score of the set placed in `host`, or nothing when it cannot beat
// `best`: contracting a piece never makes it larger, so when even the largest
// piece before contraction is smaller than the best's largest piece, the
// costly contraction is skipped.
std::optional<WhiteSpaceInformation> scoreUnlessBeaten(const Polygon& host, const PolygonSet& placedSet,
                                                       int contractionFactor, const WhiteSpaceInformation& best) {
    const HoledPolygonSet outfall = host.booleanSubtract(placedSet);
    if (best.isSet() && host.getArea() < static_cast<float>(Math::exactFloatAreaLimit)) {
        float largestPiece = 0.0f;
        for (const HoledPolygon& piece : outfall.getAllPolygons()) largestPiece = std::max(largestPiece, piece.getArea());
        if (largestPiece < best.getAreaOfLargestOutfall()) return std::nullopt;
    }
    return WhiteSpaceInformation(outfall.getAllPolygonsContracted(contractionFactor), contractionFactor);
}

// Whether an outline meets itself nowhere. Long outlines are not examined
// and count as not simple.
bool isStrictlySimple(const Polygon& polygon) {
    constexpr std::size_t longOutline = 256;
    return polygon.getPoints().size() <= longOutline && Math::meetsItselfNowhere(polygon.getPoints());
}

}  // namespace

// --- Set in host -------------------------------------------------------------

namespace {

// The set's union, as the search reads it.
// The set's union, as the search reads it: merged here (`own`) or known
// already (`known`).
struct SetOutline {
    MergedOutline own;
    const MergedOutline* known = nullptr;
    bool closes = true;  // false: the union did not close, and the members stand for it
    const PolygonSet* contractedHoles = nullptr;  // the holes shrunk, when known already

    const PolygonSet& mergedSet() const { return known ? known->outlines : own.outlines; }
    const PolygonSet& holes() const { return known ? known->holes : own.holes; }
};

// The search of getPositionOfSetWithin, once the set's union is known; `merge`
// gives it when it is first needed.
template <typename Merge>
bool searchPositionOfSet(const Polygon& hostPolygon, const Rectangle& setBox, Math::GrainTurns grainTurns, Merge merge,
                         Point* possibleTranslation, int* possibleRotation, WhiteSpaceInformation* score,
                         bool findBestPosition, int contractionFactor, const Point* startAtTranslation,
                         const int* startAtRotation);

}  // namespace

bool Math::getPositionOfSetWithin(const Polygon& hostPolygon, const PolygonSet& polygonSet, Point* possibleTranslation,
                                  int* possibleRotation, WhiteSpaceInformation* score, bool findBestPosition,
                                  int contractionFactor, const Point* startAtTranslation, const int* startAtRotation) {
    auto merge = [&polygonSet] {
        SetOutline outline;
        try {
            outline.own.outlines = polygonSet.booleanAddAndSimplifyAll(&outline.own.holes);
        } catch (const InvalidPolygonException&) {
            // An outline that does not close is searched member by member.
            outline.own.outlines = polygonSet;
            outline.own.holes = PolygonSet();
            outline.closes = false;
        }
        return outline;
    };
    return searchPositionOfSet(hostPolygon, polygonSet.getBoundingRectangle(), Math::turnsKeepingGrain(polygonSet), merge,
                               possibleTranslation, possibleRotation, score, findBestPosition, contractionFactor,
                               startAtTranslation, startAtRotation);
}

bool Math::getBestPositionOfSetWithin(const Polygon& host, const MergedOutline& merged, GrainTurns grainTurns,
                                      const PolygonSet* contractedHoles, Point* possibleTranslation, int* possibleRotation, WhiteSpaceInformation* score,
                                      int contractionFactor, const Point* startAtTranslation,
                                      const int* startAtRotation) {
    auto merge = [&merged, contractedHoles] {
        SetOutline outline;
        outline.known = &merged;
        outline.contractedHoles = contractedHoles;
        return outline;
    };
    return searchPositionOfSet(host, merged.outlines.getBoundingRectangle(), grainTurns, merge, possibleTranslation,
                               possibleRotation, score, true, contractionFactor, startAtTranslation, startAtRotation);
}

namespace {

template <typename Merge>
bool searchPositionOfSet(const Polygon& hostPolygon, const Rectangle& setBox, Math::GrainTurns grainTurns, Merge merge,
                         Point* possibleTranslation, int* possibleRotation, WhiteSpaceInformation* score,
                         bool findBestPosition, int contractionFactor, const Point* startAtTranslation,
                         const int* startAtRotation) {
    const std::vector<Point>& points = hostPolygon.getPoints();
    // A set whose box fits the host's box in neither orientation is refused
    // before any geometry is computed.
    const Rectangle hostBox = hostPolygon.getBoundingRectangle();
    const std::int64_t sideOne = std::int64_t{hostBox.getTopRight().x} - hostBox.getBottomLeft().x;
    const std::int64_t sideTwo = std::int64_t{hostBox.getTopRight().y} - hostBox.getBottomLeft().y;
    const std::int64_t setSideOne = std::int64_t{setBox.getTopRight().x} - setBox.getBottomLeft().x;
    const std::int64_t setSideTwo = std::int64_t{setBox.getTopRight().y} - setBox.getBottomLeft().y;
    if (std::max(setSideOne, setSideTwo) > std::max(sideOne, sideTwo) ||
        std::min(setSideOne, setSideTwo) > std::min(sideOne, sideTwo)) {
        return false;
    }
    // The host turns by `rotation`, so the set turns by -rotation against it.
    auto rotationKeepsGrain = [grainTurns](int rotation) { return Math::allows(grainTurns, -rotation); };
    auto boxFits = [&](int rotation) {
        return rotation % 2 == 0 ? setSideOne <= sideOne && setSideTwo <= sideTwo
                                 : setSideOne <= sideTwo && setSideTwo <= sideOne;
    };

    // A rectangle holds whatever fits its box in some orientation.
    if (points.size() == 4 && !findBestPosition) {
        int rotation = 0;
        while (grainTurns != Math::anyTurn && rotation < 4 && !(rotationKeepsGrain(rotation) && boxFits(rotation))) ++rotation;
        if (rotation == 4) return false;
        if (possibleRotation != nullptr) *possibleRotation = rotation;
        if (possibleTranslation != nullptr) *possibleTranslation = Point();
        return true;
    }

    // Copies of the host are turned and slid to the origin below, where they
    // have to lie in the coordinate range.
    if (sideOne > highestCoordinate || sideTwo > highestCoordinate) {
        const bool tooWide = sideOne > highestCoordinate;
        throw CoordinateRangeException("HostPlacement", __LINE__, "moving the host to the origin", tooWide ? 'x' : 'y',
                                       tooWide ? sideOne : sideTwo);
    }

    const SetOutline outline = merge();
    const PolygonSet& mergedSet = outline.mergedSet();
    const PolygonSet& holes = outline.holes();
    const bool mergedSetCloses = outline.closes;

    // Turning a rectangle by a half turn gives the same shape, and a square
    // needs no turn at all; unless the set's grain tells those turns apart.
    int rotations = 3;
    if (points.size() == 4 && grainTurns == Math::anyTurn) {
        rotations = sideLength(points[0], points[1]) != sideLength(points[1], points[2]) ? 1 : 0;
    }

    WhiteSpaceInformation bestScore;
    const int firstRotation = startAtRotation != nullptr ? *startAtRotation : 0;
    bool considerTranslations = startAtTranslation == nullptr || startAtTranslation->isHole();
    const std::vector<Point> setPoints = mergedSet.getPoints();
    const std::optional<Extent> setExtent = extentOf(mergedSet);

    // The shortcut scorer holds for outlines that meet themselves nowhere.
    std::optional<OutfallScorer> scorer;
    const bool simpleShapes = mergedSetCloses && isStrictlySimple(hostPolygon) &&
                              std::all_of(mergedSet.getAllPolygons().begin(), mergedSet.getAllPolygons().end(),
                                          [](const Polygon& member) { return isStrictlySimple(member); });
    std::optional<HostFit> fit;
    if (simpleShapes) {
        // Both read the set as the boxes of its region, worked out once.
        const std::optional<std::vector<ColumnCover::Box>> setRegion = ColumnCover::boxesOf(mergedSet);
        if (findBestPosition) scorer.emplace(setRegion, contractionFactor);
        fit.emplace(setRegion);
    }
    for (int rotation = firstRotation; rotation <= rotations; ++rotation) {
        if (!rotationKeepsGrain(rotation)) continue;
        Polygon copyPolygon = hostPolygon;
        copyPolygon.rotateAboutOrigin(rotation);
        copyPolygon.slideToOrigin();
        if (scorer) scorer->placeHost(copyPolygon);
        if (fit) fit->placeHost(copyPolygon);
        const TranslationGrid grid(setPoints, copyPolygon.getPoints());
        if (grid.empty()) continue;  // no set corners or no host corners: nothing to try
        const std::vector<Coordinate>& xs = grid.getXTranslations();
        const std::vector<Coordinate>& ys = grid.getYTranslations();

        // The first candidate in walking order that is tried in this rotation.
        std::size_t beginX = 0;
        std::size_t beginY = 0;
        if (!considerTranslations) {
            const auto x = std::lower_bound(xs.begin(), xs.end(), startAtTranslation->x);
            const auto y = std::lower_bound(ys.begin(), ys.end(), startAtTranslation->y);
            if (x == xs.end() || *x != startAtTranslation->x || y == ys.end() || *y != startAtTranslation->y) continue;
            considerTranslations = true;
            beginX = static_cast<std::size_t>(x - xs.begin());
            beginY = static_cast<std::size_t>(y - ys.begin());
        }

        // The host box at t must cover the set box: t.x in [set right - width, set left].
        const Extent host = extentOf(copyPolygon);
        const Extent& set = *setExtent;
        const auto [xFirst, xLast] = TranslationGrid::indexRange(xs, set.right - (host.right - host.left), set.left);
        const auto [yFirst, yLast] = TranslationGrid::indexRange(ys, set.top - (host.top - host.bottom), set.bottom);
        MovingHostTest test(copyPolygon, mergedSet);
        const CandidateWindow covering{xFirst, xLast, yFirst, yLast};
        CandidateWindow window = covering;
        const bool keepsWithin = gridKeepsWithin(grid, host, coordinateLimit);
        const bool fitDecides = fit && fit->usable();
        // A host moved out of the coordinate range wraps round, and only the
        // exact test reads such a host; the others are judged as usual.
        auto wraps = [&host](const Point& t) {
            return host.left + t.x < -coordinateLimit || host.right + t.x > coordinateLimit ||
                   host.bottom + t.y < -coordinateLimit || host.top + t.y > coordinateLimit;
        };
        if (keepsWithin && fitDecides && fit->holdsNowhere()) continue;
        if (!keepsWithin) {
            window = CandidateWindow::whole(grid);
        } else if (!fitDecides && window.size() >= candidatesWorthAnIndex) {
            test.useIndex();
        }
        // A wrapped host holds the set only where its box, corners wrapped,
        // holds the set's box.
        auto wrappedBoxHolds = [&](const Point& t) {
            std::int64_t left = std::numeric_limits<std::int64_t>::max(), bottom = left;
            std::int64_t right = std::numeric_limits<std::int64_t>::min(), top = right;
            for (const Point& corner : copyPolygon.getPoints()) {
                const Point moved = corner + t;
                left = std::min<std::int64_t>(left, moved.x);
                right = std::max<std::int64_t>(right, moved.x);
                bottom = std::min<std::int64_t>(bottom, moved.y);
                top = std::max<std::int64_t>(top, moved.y);
            }
            return set.left >= left && set.right <= right && set.bottom >= bottom && set.top <= top;
        };
        auto holds = [&](std::size_t ix, std::size_t iy, const Point& t) {
            if (!keepsWithin && wraps(t)) return wrappedBoxHolds(t) && test.contains(t);
            if (ix < covering.xFirst || ix >= covering.xLast || iy < covering.yFirst || iy >= covering.yLast) {
                return false;
            }
            return fitDecides ? fit->holdsAt(t) : test.contains(t);
        };

        for (std::size_t ix = std::max(beginX, window.xFirst); ix < window.xLast; ++ix) {
            const std::size_t yStart = ix == beginX ? std::max(beginY, window.yFirst) : window.yFirst;
            for (std::size_t iy = yStart; iy < window.yLast; ++iy) {
                const Point t(xs[ix], ys[iy]);
                if (!holds(ix, iy, t)) continue;
                if (!findBestPosition) {
                    if (possibleRotation != nullptr) *possibleRotation = rotation;
                    if (possibleTranslation != nullptr) *possibleTranslation = t;
                    return true;
                }
                std::optional<WhiteSpaceInformation> candidateScore;
                if (scorer && (keepsWithin || !wraps(t))) candidateScore = scorer->score(t);
                if (!candidateScore) {
                    candidateScore = scoreUnlessBeaten(test.movedHost(t), mergedSet, contractionFactor, bestScore);
                }
                if (candidateScore && candidateScore->isBetter(bestScore)) {
                    bestScore = *candidateScore;
                    if (possibleRotation != nullptr) *possibleRotation = rotation;
                    if (possibleTranslation != nullptr) *possibleTranslation = t;
                }
            }
        }
    }

    if (!bestScore.isSet()) return false;
    // Holes the set closes by itself are outfall too, though they never
    // decide between positions.
    bestScore.addOutfall(HoledPolygonSet(outline.contractedHoles ? *outline.contractedHoles
                                                                 : holes.getAllPolygonsContracted(contractionFactor)),
                         contractionFactor);
    if (score != nullptr) *score = bestScore;
    return true;
}

}  // namespace

namespace {

// A hole of a region, as its gaps column by column, shrunk by the
// contraction factor and counted as outfall: the hole's box shrunk, less the
// rest of the box grown. Nothing where the scorer cannot count it; pieces
// sharing the largest area are told by *largestShared.
std::optional<WhiteSpaceInformation> shrunkHoleScore(const std::vector<ColumnCover::Box>& gaps,
                                                     int contractionFactor, bool* largestShared) {
    ColumnCover::Box box = gaps.front();
    for (const ColumnCover::Box& g : gaps) {
        box = {std::min(box.left, g.left), std::min(box.bottom, g.bottom), std::max(box.right, g.right),
               std::max(box.top, g.top)};
    }
    std::vector<ColumnCover::Box> rest;
    for (std::size_t i = 0; i < gaps.size();) {
        std::int64_t from = box.bottom;
        std::size_t j = i;
        for (; j < gaps.size() && gaps[j].left == gaps[i].left; ++j) {
            if (gaps[j].bottom > from) rest.push_back({gaps[i].left, from, gaps[i].right, gaps[j].bottom});
            from = gaps[j].top;
        }
        if (from < box.top) rest.push_back({gaps[i].left, from, gaps[i].right, box.top});
        i = j;
    }
    auto at = [](std::int64_t x, std::int64_t y) { return Point(static_cast<Coordinate>(x), static_cast<Coordinate>(y)); };
    const Polygon host({at(box.left, box.bottom), at(box.right, box.bottom), at(box.right, box.top), at(box.left, box.top)},
                       "");
    OutfallScorer scorer(std::optional<std::vector<ColumnCover::Box>>(std::move(rest)), contractionFactor);
    scorer.placeHost(host);
    return scorer.score(Point(0, 0), largestShared);
}

// What the holes a region closes in add to a score once shrunk: their
// pieces, and the largest of them. *largestShared tells whether another
// piece has the same area, which the order of the pieces would decide.
// Nothing where a hole cannot be counted.
std::optional<WhiteSpaceInformation> shrunkHolesScore(const std::vector<std::vector<ColumnCover::Box>>& holes,
                                                      int contractionFactor, bool* largestShared) {
    int pieces = 0;
    std::optional<WhiteSpaceInformation> largest;
    *largestShared = false;
    for (const std::vector<ColumnCover::Box>& hole : holes) {
        bool shared = false;
        const std::optional<WhiteSpaceInformation> score = shrunkHoleScore(hole, contractionFactor, &shared);
        if (!score) return std::nullopt;
        pieces += score->getPiecesOfOutfall();
        if (score->getPiecesOfOutfall() == 0) continue;
        if (!largest || score->getAreaOfLargestOutfall() > largest->getAreaOfLargestOutfall()) {
            largest = score;
            *largestShared = shared;
        } else if (score->getAreaOfLargestOutfall() == largest->getAreaOfLargestOutfall()) {
            *largestShared = true;
        }
    }
    if (!largest) return WhiteSpaceInformation(pieces, 0.0f, 0, 0.0f);
    WhiteSpaceInformation total(pieces - largest->getPiecesOfOutfall(), 0.0f, 0, 0.0f);
    total.addOutfall(*largest);
    return total;
}

}  // namespace

// For a rectangle at the origin the candidates whose host box covers the set
// box pair the set's extreme corners with the host's: the set's box tells
// them all, in the order the grid walks them.
std::optional<bool> Math::getBestPositionOfRegionWithin(const Polygon& hostPolygon,
                                                        const std::vector<ColumnCover::Box>& region,
                                                        const WhiteSpaceInformation& contractedHoles,
                                                        Point* possibleTranslation,
                                                        int* possibleRotation, WhiteSpaceInformation* score,
                                                        int contractionFactor, const Point* startAtTranslation,
                                                        const int* startAtRotation) {
    const std::vector<Point>& points = hostPolygon.getPoints();
    if (points.size() != 4 || region.empty() || !isStrictlySimple(hostPolygon)) return std::nullopt;
    Extent set{std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::max(),
               std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::min()};
    for (const ColumnCover::Box& b : region) {
        set = {std::min(set.left, b.left), std::min(set.bottom, b.bottom), std::max(set.right, b.right),
               std::max(set.top, b.top)};
    }
    constexpr std::int64_t safe = std::int64_t{1} << 29;
    if (set.left < -safe || set.bottom < -safe || set.right > safe || set.top > safe) return std::nullopt;
    const Rectangle hostBox = hostPolygon.getBoundingRectangle();
    const std::int64_t sideOne = std::int64_t{hostBox.getTopRight().x} - hostBox.getBottomLeft().x;
    const std::int64_t sideTwo = std::int64_t{hostBox.getTopRight().y} - hostBox.getBottomLeft().y;
    if (sideOne > safe || sideTwo > safe) return std::nullopt;
    const std::int64_t setSideOne = set.right - set.left, setSideTwo = set.top - set.bottom;
    if (std::max(setSideOne, setSideTwo) > std::max(sideOne, sideTwo) ||
        std::min(setSideOne, setSideTwo) > std::min(sideOne, sideTwo)) {
        return false;
    }
    // Outlines of any length, which the union cuts where they touch
    // themselves, are scored by the shortcut as the plain way scores them.
    // The holes the region closes in are the set's own too: filled for the
    // places, and counted once the best is found. A hole the region touches
    // at a corner may come out of the union as outfall instead, the outline
    // passing that corner twice, which the plain way shrinks as one piece;
    // that is left to it, as is a piece in a hole, an outline of its own
    // which the plain way reads by the even-odd rule.
    const RegionOutlines outlines = Math::regionOutlines(ColumnCover::ofBoxes(region));
    if (outlines.hasIslands) return std::nullopt;
    std::vector<std::vector<ColumnCover::Box>> closed;
    std::vector<ColumnCover::Box> filled = region;
    for (const RegionOutlines::Hole& hole : outlines.holes) {
        if (hole.touchedAtCorner) return std::nullopt;
        closed.push_back(hole.gaps);
        filled.insert(filled.end(), hole.gaps.begin(), hole.gaps.end());
    }
    bool closedLargestShared = false;
    const std::optional<WhiteSpaceInformation> closedHoles =
        shrunkHolesScore(closed, contractionFactor, &closedLargestShared);
    if (!closedHoles) return std::nullopt;

    const int rotations = sideLength(points[0], points[1]) != sideLength(points[1], points[2]) ? 1 : 0;
    OutfallScorer scorer(std::optional<std::vector<ColumnCover::Box>>(std::move(filled)), contractionFactor);
    WhiteSpaceInformation bestScore;
    Point bestTranslation;
    int bestRotation = 0;
    const int firstRotation = startAtRotation != nullptr ? *startAtRotation : 0;
    bool considerTranslations = startAtTranslation == nullptr || startAtTranslation->isHole();
    for (int rotation = firstRotation; rotation <= rotations; ++rotation) {
        Polygon copyPolygon = hostPolygon;
        copyPolygon.rotateAboutOrigin(rotation);
        copyPolygon.slideToOrigin();
        scorer.placeHost(copyPolygon);
        const Extent host = extentOf(copyPolygon);
        // Corners of the set's box less corners of the host's: among the grid's translations.
        auto known = [](std::int64_t setLow, std::int64_t setHigh, std::int64_t hostLow, std::int64_t hostHigh,
                        std::int64_t value) {
            return value == setLow - hostLow || value == setLow - hostHigh || value == setHigh - hostLow ||
                   value == setHigh - hostHigh;
        };
        Point begin(std::numeric_limits<Coordinate>::min(), std::numeric_limits<Coordinate>::min());
        if (!considerTranslations) {
            if (!known(set.left, set.right, host.left, host.right, startAtTranslation->x) ||
                !known(set.bottom, set.top, host.bottom, host.top, startAtTranslation->y)) {
                return std::nullopt;
            }
            considerTranslations = true;
            begin = *startAtTranslation;
        }
        // Where a moved host could wrap, the plain search tests every candidate.
        if (host.left + set.left - host.right < -coordinateLimit || host.right + set.right - host.left > coordinateLimit ||
            host.bottom + set.bottom - host.top < -coordinateLimit || host.top + set.top - host.bottom > coordinateLimit) {
            return std::nullopt;
        }
        auto window = [](std::int64_t setLow, std::int64_t setHigh, std::int64_t hostLow, std::int64_t hostHigh) {
            std::vector<std::int64_t> values;
            for (const std::int64_t v : {setLow - hostLow, setLow - hostHigh, setHigh - hostLow, setHigh - hostHigh}) {
                if (v >= setHigh - (hostHigh - hostLow) && v <= setLow) values.push_back(v);
            }
            std::sort(values.begin(), values.end());
            values.erase(std::unique(values.begin(), values.end()), values.end());
            return values;
        };
        const std::vector<std::int64_t> xs = window(set.left, set.right, host.left, host.right);
        const std::vector<std::int64_t> ys = window(set.bottom, set.top, host.bottom, host.top);
        for (const std::int64_t x : xs) {
            if (x < begin.x) continue;
            for (const std::int64_t y : ys) {
                if (x == begin.x && y < begin.y) continue;
                const Point t(static_cast<Coordinate>(x), static_cast<Coordinate>(y));
                const std::optional<WhiteSpaceInformation> candidateScore = scorer.score(t);
                if (!candidateScore) return std::nullopt;
                if (candidateScore->isBetter(bestScore)) {
                    bestScore = *candidateScore;
                    bestRotation = rotation;
                    bestTranslation = t;
                }
            }
        }
    }
    if (!bestScore.isSet()) return false;
    // The closed holes and the given ones lie in an order the region does not
    // tell: where one of each could be the largest piece, the order decides.
    // (A given hole larger than all closed ones wins whatever the order.)
    if (closedHoles->getAreaOfLargestOutfall() > bestScore.getAreaOfLargestOutfall() &&
        (closedLargestShared ||
         contractedHoles.getAreaOfLargestOutfall() == closedHoles->getAreaOfLargestOutfall())) {
        return std::nullopt;
    }
    bestScore.addOutfall(*closedHoles);
    bestScore.addOutfall(contractedHoles);
    if (possibleRotation != nullptr) *possibleRotation = bestRotation;
    if (possibleTranslation != nullptr) *possibleTranslation = bestTranslation;
    if (score != nullptr) *score = bestScore;
    return true;
}

bool Math::canContain(const Polygon& host, const PolygonSet& polygonSet, Point* possibleTranslation,
                      int* possibleRotation) {
    return getPositionOfSetWithin(host, polygonSet, possibleTranslation, possibleRotation, nullptr, false, 1, nullptr,
                                  nullptr);
}

bool Math::canContain(const Polygon& host, const Polygon& otherPolygon, Point* possibleTranslation,
                      int* possibleRotation) {
    PolygonSet wrapped;
    wrapped.add(otherPolygon);
    return canContain(host, wrapped, possibleTranslation, possibleRotation);
}

bool Math::getBestPositionOfSetWithin(const Polygon& host, const PolygonSet& polygonSet, Point* possibleTranslation,
                                      int* possibleRotation, WhiteSpaceInformation* score, int contractionFactor,
                                      const Point* startAtTranslation, const int* startAtRotation) {
    return getPositionOfSetWithin(host, polygonSet, possibleTranslation, possibleRotation, score, true,
                                  contractionFactor, startAtTranslation, startAtRotation);
}

// --- Moving shapes into this host ----------------------------------------------

bool Math::moveSetToBestPositionWithin(const Polygon& host, PolygonSet& polygonSet, int contractionFactor) {
    PolygonSet mergedSet = polygonSet.booleanAddAndSimplifyAll(nullptr);
    const GrainTurns grainTurns = turnsKeepingGrain(polygonSet);
    WhiteSpaceInformation bestScore;
    Point bestTranslation;
    int bestRotation = 0;
    FixedHostTest test(host);

    for (int rotation = 0; rotation < 4; ++rotation) {
        if (rotation > 0) mergedSet.rotateAboutOrigin(1);
        if (!allows(grainTurns, rotation)) continue;
        mergedSet.slideToOrigin();
        const TranslationGrid grid(host.getPoints(), mergedSet.getPoints());
        if (grid.empty()) continue;
        const Extent moving = *extentOf(mergedSet);
        CandidateWindow window = windowKeeping(grid, moving, extentOf(host));
        if (!gridKeepsWithin(grid, moving, coordinateLimit)) {
            window = CandidateWindow::whole(grid);
        } else if (window.size() >= candidatesWorthAnIndex) {
            test.useIndex();
        }
        const std::vector<Coordinate>& xs = grid.getXTranslations();
        const std::vector<Coordinate>& ys = grid.getYTranslations();
        for (std::size_t ix = window.xFirst; ix < window.xLast; ++ix) {
            for (std::size_t iy = window.yFirst; iy < window.yLast; ++iy) {
                const Point t(xs[ix], ys[iy]);
                if (!test.contains(mergedSet, t)) continue;
                PolygonSet moved = mergedSet;
                moved.translate(t);
                const std::optional<WhiteSpaceInformation> candidateScore =
                    scoreUnlessBeaten(host, moved, contractionFactor, bestScore);
                if (candidateScore && candidateScore->isBetter(bestScore)) {
                    bestScore = *candidateScore;
                    bestTranslation = t;
                    bestRotation = rotation;
                }
            }
        }
    }

    if (!bestScore.isSet()) return false;
    polygonSet.rotateAboutOrigin(bestRotation);
    polygonSet.slideToOrigin();
    polygonSet.translate(bestTranslation);
    return true;
}

bool Math::positionPolygonWithin(const Polygon& host, Polygon& polygon) {
    FixedHostTest test(host);
    for (int rotation = 0; rotation < 4; ++rotation) {
        if (rotation > 0) polygon.rotateAboutOrigin(1);
        if (!Math::keepsGrain(polygon.getTurnsAllowed(), polygon.getQuarterTurnsApplied())) continue;
        polygon.slideToOrigin();
        const TranslationGrid grid(host.getPoints(), polygon.getPoints());
        if (grid.empty()) continue;
        const std::vector<Coordinate>& xs = grid.getXTranslations();
        const std::vector<Coordinate>& ys = grid.getYTranslations();
        const Extent moving = extentOf(polygon);
        CandidateWindow window = windowKeeping(grid, moving, extentOf(host));
        if (!gridKeepsWithin(grid, moving, coordinateLimit)) {
            window = CandidateWindow::whole(grid);
        } else if (window.size() >= candidatesWorthAnIndex) {
            test.useIndex();
        }
        for (std::size_t ix = window.xFirst; ix < window.xLast; ++ix) {
            for (std::size_t iy = window.yFirst; iy < window.yLast; ++iy) {
                const Point t(xs[ix], ys[iy]);
                if (test.contains(polygon, t)) {
                    polygon.translate(t);
                    return true;
                }
            }
        }
        // A failed rotation leaves the polygon where its last candidate put it.
        polygon.translate(Point(xs.back(), ys.back()));
    }
    return false;
}

// --- The host's members, which forward to the search above ------------------

std::vector<Point> Polygon::getAllTranslationsForPositions(const std::vector<Point>& possiblePoints) const {
    return Math::getAllTranslationsForPositions(points, possiblePoints);
}

std::vector<Point> PolygonSet::getAllTranslationsForPositions(const std::vector<Point>& possiblePoints) const {
    return Math::getAllTranslationsForPositions(getPoints(), possiblePoints);
}

WhiteSpaceInformation Polygon::whiteSpaceScore(const PolygonSet& setToBeContained, int contractionFactor) const {
    return Math::whiteSpaceScore(*this, setToBeContained, contractionFactor);
}

bool Polygon::getPositionOfSetWithin(const PolygonSet& polygonSet, Point* possibleTranslation, int* possibleRotation,
                                     WhiteSpaceInformation* score, bool findBestPosition, int contractionFactor,
                                     const Point* startAtTranslation, const int* startAtRotation) const {
    return Math::getPositionOfSetWithin(*this, polygonSet, possibleTranslation, possibleRotation, score,
                                        findBestPosition, contractionFactor, startAtTranslation, startAtRotation);
}

bool Polygon::canContain(const PolygonSet& polygonSet, Point* possibleTranslation, int* possibleRotation) const {
    return Math::canContain(*this, polygonSet, possibleTranslation, possibleRotation);
}

bool Polygon::canContain(const Polygon& otherPolygon, Point* possibleTranslation, int* possibleRotation) const {
    return Math::canContain(*this, otherPolygon, possibleTranslation, possibleRotation);
}

bool Polygon::getBestPositionOfSetWithin(const PolygonSet& polygonSet, Point* possibleTranslation,
                                         int* possibleRotation, WhiteSpaceInformation* score, int contractionFactor,
                                         const Point* startAtTranslation, const int* startAtRotation) const {
    return Math::getBestPositionOfSetWithin(*this, polygonSet, possibleTranslation, possibleRotation, score,
                                            contractionFactor, startAtTranslation, startAtRotation);
}

bool Polygon::moveSetToBestPositionWithin(PolygonSet& polygonSet, int contractionFactor) const {
    return Math::moveSetToBestPositionWithin(*this, polygonSet, contractionFactor);
}

bool Polygon::positionPolygonWithin(Polygon& polygon) const {
    return Math::positionPolygonWithin(*this, polygon);
}

}  // namespace Zelkor::Rectilinear
