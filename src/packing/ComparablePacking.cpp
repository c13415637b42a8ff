#include "packing/ComparablePacking.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "geometry/ExactArea.h"
#include "placement/HostSearch.h"

namespace Zelkor::Rectilinear {

namespace {

// Whether two closed boxes meet, if only at a corner.
bool boxesTouch(const Rectangle& a, const Rectangle& b) {
    return a.getBottomLeft().x <= b.getTopRight().x && b.getBottomLeft().x <= a.getTopRight().x &&
           a.getBottomLeft().y <= b.getTopRight().y && b.getBottomLeft().y <= a.getTopRight().y;
}

// Calls visit(from, to) for each edge of the outline through `corners`.
template <typename Visit>
void forEachEdge(const std::vector<Point>& corners, Visit visit) {
    for (std::size_t i = 0; i < corners.size(); ++i) visit(corners[i], corners[i + 1 == corners.size() ? 0 : i + 1]);
}

// The length two axis-parallel edges share when they lie on one line.
std::int64_t collinearOverlap(const Point& a, const Point& b, const Point& c, const Point& d) {
    auto overlap = [](std::int64_t p, std::int64_t q, std::int64_t r, std::int64_t s) {
        return std::max<std::int64_t>(0, std::min(std::max(p, q), std::max(r, s)) - std::max(std::min(p, q), std::min(r, s)));
    };
    const bool vertical = a.x == b.x, otherVertical = c.x == d.x;
    if (vertical && otherVertical && a.x == c.x) return overlap(a.y, b.y, c.y, d.y);
    if (!vertical && !otherVertical && a.y == c.y) return overlap(a.x, b.x, c.x, d.x);
    return 0;
}

double boundingArea(const PolygonSet& set) { return set.getBoundingRectangle().getArea(); }

std::int64_t extentX(const Rectangle& r) { return std::int64_t{r.getTopRight().x} - r.getBottomLeft().x; }
std::int64_t extentY(const Rectangle& r) { return std::int64_t{r.getTopRight().y} - r.getBottomLeft().y; }

}  // namespace

// An unset candidate holds no shapes until one is asked for: the cache keeps a
// candidate for every pair of sets, and most are never searched.
ComparablePacking::ComparablePacking() { initalizeHeuristicValues(); }

namespace {

const PolygonSet& noSet() {
    static const PolygonSet none;
    return none;
}

const Polygon& noPolygon() {
    static const Polygon none;
    return none;
}

}  // namespace

const PolygonSet& ComparablePacking::getBaseSet() const { return baseSet ? *baseSet : noSet(); }
const PolygonSet& ComparablePacking::getSatelliteSet() const { return satelliteSet ? *satelliteSet : noSet(); }
const Polygon& ComparablePacking::getHostPolygon() const { return hostPolygon ? *hostPolygon : noPolygon(); }

PolygonSet& ComparablePacking::base() {
    if (!baseSet) baseSet = std::make_shared<PolygonSet>();
    return *baseSet;
}

PolygonSet& ComparablePacking::satellite() {
    if (!satelliteSet) satelliteSet = std::make_shared<PolygonSet>();
    return *satelliteSet;
}

ComparablePacking::ComparablePacking(PolygonSet newBaseSet, PolygonSet newSatelliteSet, Polygon newHostPolygon,
                                     int newRelativeRotationMultiplier, Point newRelativeTranslation)
    : ComparablePacking(std::make_shared<PolygonSet>(std::move(newBaseSet)),
                        std::make_shared<PolygonSet>(std::move(newSatelliteSet)),
                        std::make_shared<const Polygon>(std::move(newHostPolygon)), newRelativeRotationMultiplier,
                        newRelativeTranslation) {}

ComparablePacking::ComparablePacking(std::shared_ptr<PolygonSet> newBaseSet,
                                     std::shared_ptr<PolygonSet> newSatelliteSet,
                                     std::shared_ptr<const Polygon> newHostPolygon, int newRelativeRotationMultiplier,
                                     Point newRelativeTranslation)
    : baseSet(std::move(newBaseSet)),
      satelliteSet(std::move(newSatelliteSet)),
      hostPolygon(std::move(newHostPolygon)),
      relativeTranslation(newRelativeTranslation),
      relativeRotationMultiplier(newRelativeRotationMultiplier) {
    initalizeHeuristicValues();
}

void ComparablePacking::initalizeHeuristicValues() {
    isSet = false;
    valid = false;
    startingHostPositionHasBeenSet = false;
    hostDataIsBest = false;
    areaRatio = boundingDensity = tightDensity = sideRatio = areaSum = combinationArea = -1.0f;
    combinationBox.reset();
    unusedSpace = {-1, -1};
    contactArea = -1;
    whiteSpace = WhiteSpaceInformation();
}

PolygonSet ComparablePacking::placedSatellite() {
    PolygonSet placed = satellite();
    placed.rotateAboutOrigin(relativeRotationMultiplier);
    placed.slideToOrigin();
    placed.translate(relativeTranslation);
    return placed;
}

PolygonSet* ComparablePacking::getCombination() {
    if (combination.empty()) {
        combination.add(base());
        combination.add(placedSatellite());
        combination.slideToOrigin();
    }
    return &combination;
}

std::optional<MergedOutline> ComparablePacking::combinationOutline(int contractionFactor,
                                                                  PolygonSet& contractedHoles) {
    if (known() == nullptr) return std::nullopt;
    const MergedOutline* knownOutline = known()->merged();
    if (knownOutline == nullptr) return std::nullopt;
    // The union does not depend on the members' order, nor on where they
    // lie: the satellite's outline takes the base moved against it.
    PolygonSet added = baseIsKnown ? placedSatellite() : base();
    if (!baseIsKnown) {
        added.translate(Point(wrappingSubtract(0, relativeTranslation.x), wrappingSubtract(0, relativeTranslation.y)));
    }
    std::optional<MergedOutline> merged = Math::mergedOutlineAdding(*knownOutline, added);
    if (!merged) return std::nullopt;
    // Moved as the combination is slid to the origin: the outlines' box is the members'.
    const Point from = merged->outlines.getBoundingRectangle().getBottomLeft();
    const Point offset(wrappingSubtract(0, from.x), wrappingSubtract(0, from.y));
    merged->translate(offset);
    // The known holes that stay are shrunk already; the new ones are shrunk here.
    const std::vector<PolygonSet>& knownContracted = known()->contractedHoles(contractionFactor);
    contractedHoles = PolygonSet();
    for (int k = 0; k < merged->holes.size(); ++k) {
        const int origin = merged->holeOrigins[static_cast<std::size_t>(k)];
        if (origin < 0) {
            contractedHoles.add(merged->holes.getPolygon(k).getPolygonContracted(contractionFactor));
        } else {
            PolygonSet moved = knownContracted[static_cast<std::size_t>(origin)];
            moved.translate(offset);
            contractedHoles.add(moved);
        }
    }
    return merged;
}

namespace {

bool boxesMeet(const ColumnCover::Box& a, const ColumnCover::Box& b) {
    return a.left <= b.right && b.left <= a.right && a.bottom <= b.top && b.bottom <= a.top;
}

ColumnCover::Box boxOf(const Rectangle& r) {
    return {r.getBottomLeft().x, r.getBottomLeft().y, r.getTopRight().x, r.getTopRight().y};
}

}  // namespace

const SharedOutline::Region* SharedOutline::region() {
    if (!regionTried) {
        regionTried = true;
        const MergedOutline* known = merged();
        if (known == nullptr || !known->traced ||
            known->holeTouches.size() != static_cast<std::size_t>(known->holes.size()) ||
            std::any_of(known->holeTouches.begin(), known->holeTouches.end(),
                        [](int touches) { return touches != MergedOutline::noOutline; })) {
            return nullptr;
        }
        Region found;
        for (const Polygon& hole : known->holes.getAllPolygons()) {
            found.holeBoxes.push_back(boxOf(hole.getBoundingRectangle()));
        }
        for (const Polygon& outline : known->outlines.getAllPolygons()) {
            const ColumnCover::Box box = boxOf(outline.getBoundingRectangle());
            for (const ColumnCover::Box& hole : found.holeBoxes) {
                if (hole.left <= box.left && hole.bottom <= box.bottom && box.right <= hole.right &&
                    box.top <= hole.top) {
                    return nullptr;
                }
            }
        }
        std::optional<std::vector<ColumnCover::Box>> boxes = ColumnCover::boxesOf(known->outlines);
        PolygonSet outlinesAndHoles = known->outlines;
        outlinesAndHoles.add(known->holes);
        std::optional<std::vector<ColumnCover::Box>> holed = ColumnCover::boxesOf(outlinesAndHoles);
        if (!boxes || !holed) return nullptr;
        for (const Polygon& hole : known->holes.getAllPolygons()) {
            std::optional<std::vector<ColumnCover::Box>> fill = ColumnCover::boxesOf(PolygonSet(std::vector<Polygon>{hole}));
            if (!fill) return nullptr;
            found.holeFills.push_back(std::move(*fill));
        }
        found.boxes = std::move(*boxes);
        found.holedBoxes = std::move(*holed);
        regionOfOutlines = std::move(found);
    }
    return regionOfOutlines ? &*regionOfOutlines : nullptr;
}

std::optional<bool> ComparablePacking::scoreFromRegion(int contractionFactor, const Point* startTranslation,
                                                       const int* startRotation) {
    if (known() == nullptr || other() == nullptr || getHostPolygon().numberOfPoints() != 4) return std::nullopt;
    const SharedOutline::Region* knownRegion = known()->region();
    if (knownRegion == nullptr || known()->grainTurns() != Math::anyTurn || other()->grainTurns() != Math::anyTurn) {
        return std::nullopt;
    }
    const std::optional<std::vector<ColumnCover::Box>>& addedBoxes = other()->memberBoxes();
    if (!addedBoxes || addedBoxes->empty()) return std::nullopt;

    // The satellite in its turn lies at the relative translation from the
    // base, and the base as far the other way from the satellite.
    const std::int64_t dx = baseIsKnown ? relativeTranslation.x : -std::int64_t{relativeTranslation.x};
    const std::int64_t dy = baseIsKnown ? relativeTranslation.y : -std::int64_t{relativeTranslation.y};
    // The holes the other side comes near are left open in the region, to
    // be found there again as the combination leaves them; the others stay
    // filled, and are counted shrunk as they are.
    std::vector<ColumnCover::Box> added = *addedBoxes;
    std::vector<char> nearHole(knownRegion->holeBoxes.size(), 0);
    bool nearAny = false;
    for (ColumnCover::Box& b : added) {
        b = {b.left + dx, b.bottom + dy, b.right + dx, b.top + dy};
        for (std::size_t h = 0; h < knownRegion->holeBoxes.size(); ++h) {
            if (boxesMeet(b, knownRegion->holeBoxes[h])) nearHole[h] = nearAny = true;
        }
    }
    std::vector<ColumnCover::Box> boxes;
    WhiteSpaceInformation farHoles;
    if (!nearAny) {
        boxes.reserve(knownRegion->boxes.size() + added.size());
        boxes.assign(knownRegion->boxes.begin(), knownRegion->boxes.end());
        farHoles = known()->contractedHolesScore(contractionFactor);
    } else {
        boxes = knownRegion->holedBoxes;
        const std::vector<WhiteSpaceInformation>& holeScores = known()->contractedHoleScores(contractionFactor);
        for (std::size_t h = 0; h < nearHole.size(); ++h) {
            if (nearHole[h]) continue;
            boxes.insert(boxes.end(), knownRegion->holeFills[h].begin(), knownRegion->holeFills[h].end());
            farHoles.addOutfall(holeScores[h]);
        }
    }
    boxes.insert(boxes.end(), added.begin(), added.end());
    // Slid as the combination is: the lower-left corner of its box to the origin.
    std::int64_t left = boxes.front().left, bottom = boxes.front().bottom;
    for (const ColumnCover::Box& b : boxes) {
        left = std::min(left, b.left);
        bottom = std::min(bottom, b.bottom);
    }
    constexpr std::int64_t safe = std::int64_t{1} << 29;
    if (left < -safe || bottom < -safe || left > safe || bottom > safe) return std::nullopt;
    for (ColumnCover::Box& b : boxes) b = {b.left - left, b.bottom - bottom, b.right - left, b.top - bottom};
    return Math::getBestPositionOfRegionWithin(getHostPolygon(), boxes, farHoles, &hostTranslation,
                                               &hostRotationMultiplier, &whiteSpace, contractionFactor,
                                               startTranslation, startRotation);
}

// A combination of sets too small to share outlines is scored from the
// region of its members where the host is a rectangle: the holes the members
// close in are found there.
std::optional<bool> ComparablePacking::scoreFromMemberRegion(int contractionFactor, const Point* startTranslation,
                                                             const int* startRotation) {
    if (known() != nullptr || getHostPolygon().numberOfPoints() != 4) return std::nullopt;
    const PolygonSet& combined = *getCombination();
    if (Math::turnsKeepingGrain(combined) != Math::anyTurn) return std::nullopt;
    const std::optional<std::vector<ColumnCover::Box>> boxes = ColumnCover::boxesOf(combined);
    if (!boxes || boxes->empty()) return std::nullopt;
    // Members that overlap are read otherwise by the plain way: the region
    // serves where its area is the members' areas summed (both exact).
    std::int64_t regionArea = 0;
    for (const ColumnCover::Box& b : *boxes) regionArea += (b.right - b.left) * (b.top - b.bottom);
    if (regionArea >= Math::exactFloatAreaLimit || static_cast<float>(regionArea) != getCombinationArea()) {
        return std::nullopt;
    }
    return Math::getBestPositionOfRegionWithin(getHostPolygon(), *boxes, WhiteSpaceInformation(), &hostTranslation,
                                               &hostRotationMultiplier, &whiteSpace, contractionFactor,
                                               startTranslation, startRotation);
}

float ComparablePacking::getCombinationArea() {
    if (combinationArea == -1.0f) {
        if (!combination.empty() || !sharedSatellite) {
            combinationArea = getCombination()->getArea();
        } else {
            float total = 0.0f;
            for (const Polygon& member : base().getAllPolygons()) total += member.getArea();
            for (const Polygon& member : sharedSatellite->set().getAllPolygons()) total += member.getArea();
            combinationArea = total;
        }
    }
    return combinationArea;
}

// The satellite turned about the origin and slid back has the box of its
// extents, turned; moved by the relative translation it joins the base's box.
// Sets with empty members take the built combination.
Rectangle ComparablePacking::getCombinationBox() {
    if (combinationBox) return *combinationBox;
    auto hasEmptyMember = [](const PolygonSet& set) {
        return set.getAllPolygons().empty() ||
               std::any_of(set.getAllPolygons().begin(), set.getAllPolygons().end(),
                           [](const Polygon& p) { return p.isEmpty(); });
    };
    // A search's candidates share their sets' boxes: the satellite's in its turn.
    const bool shared = sharedBase && sharedSatellite;
    const bool emptyMember = shared ? sharedBase->hasEmptyMember() || sharedSatellite->hasEmptyMember()
                                    : hasEmptyMember(base()) || hasEmptyMember(satellite());
    if (!combination.empty() || emptyMember) {
        combinationBox = getCombination()->getBoundingRectangle();
        return *combinationBox;
    }
    const Rectangle baseBox = shared ? sharedBase->box() : base().getBoundingRectangle();
    std::int64_t width, height;
    if (shared) {
        width = extentX(sharedSatellite->box());
        height = extentY(sharedSatellite->box());
    } else {
        const Rectangle satelliteBox = satellite().getBoundingRectangle();
        width = extentX(satelliteBox);
        height = extentY(satelliteBox);
        if (relativeRotationMultiplier % 2 != 0) std::swap(width, height);
    }
    const std::int64_t left = std::min<std::int64_t>(baseBox.getBottomLeft().x, relativeTranslation.x);
    const std::int64_t bottom = std::min<std::int64_t>(baseBox.getBottomLeft().y, relativeTranslation.y);
    const std::int64_t right = std::max<std::int64_t>(baseBox.getTopRight().x, relativeTranslation.x + width);
    const std::int64_t top = std::max<std::int64_t>(baseBox.getTopRight().y, relativeTranslation.y + height);
    combinationBox =
        Rectangle(Point(0, 0), Point(static_cast<Coordinate>(right - left), static_cast<Coordinate>(top - bottom)));
    return *combinationBox;
}

void ComparablePacking::replaceShapes(const PolygonSet& newBaseSet, const PolygonSet& newSatelliteSet,
                                      const Polygon& newHostPolygon) {
    baseSet = std::make_shared<PolygonSet>(newBaseSet);
    satelliteSet = std::make_shared<PolygonSet>(newSatelliteSet);
    hostPolygon = std::make_shared<const Polygon>(newHostPolygon);
    combination = PolygonSet();
    releaseSharedOutlines();
}

void ComparablePacking::releaseShapes() {
    baseSet.reset();
    satelliteSet.reset();
    hostPolygon.reset();
    combination = PolygonSet();
    releaseSharedOutlines();
}

void ComparablePacking::setFirstKnownValidHostTranslationAndRotation(const Point& translation,
                                                                     int rotationMultiplier) {
    hostTranslation = translation;
    hostRotationMultiplier = rotationMultiplier;
    startingHostPositionHasBeenSet = true;
}

float ComparablePacking::areaRatioOf(double combinationBoxArea, double satelliteBoxArea, double baseBoxArea) {
    return static_cast<float>(combinationBoxArea / (satelliteBoxArea + baseBoxArea));
}

float ComparablePacking::boundingDensityOf(float baseArea, float satelliteArea, double combinationBoxArea) {
    return static_cast<float>((baseArea + satelliteArea) / combinationBoxArea);
}

ComparablePacking::Verdict ComparablePacking::compareAreaRatios(float mine, float theirs) {
    // Measured against this candidate's own value; not a number is a tie.
    const float r = (mine - theirs) / mine;
    if (r <= -0.01) return Verdict::better;
    if (r >= 0.01) return Verdict::worse;
    return Verdict::tie;
}

ComparablePacking::Verdict ComparablePacking::compareBoundingDensities(float mine, float theirs) {
    if (mine == theirs) return Verdict::tie;
    return mine > theirs ? Verdict::better : Verdict::worse;
}

float ComparablePacking::getAreaRatio() {
    if (areaRatio == -1.0f) {
        const bool shared = sharedBase && sharedSatellite;
        areaRatio = areaRatioOf(getCombinationBox().getArea(),
                                shared ? sharedSatellite->box().getArea() : boundingArea(satellite()),
                                shared ? sharedBase->box().getArea() : boundingArea(base()));
    }
    return areaRatio;
}

float ComparablePacking::getBoundingDensity() {
    if (boundingDensity == -1.0f) {
        boundingDensity =
            boundingDensityOf(base().getArea(), satellite().getArea(), getCombinationBox().getArea());
    }
    return boundingDensity;
}

float ComparablePacking::getTightDensity() {
    if (tightDensity == -1.0f) {
        PolygonSet holes;
        PolygonSet merged = getCombination()->booleanAddAndSimplifyAll(&holes);
        const float mergedArea = merged.getArea();
        tightDensity = (mergedArea - holes.getArea()) / mergedArea;
    }
    return tightDensity;
}

float ComparablePacking::getSideRatio() {
    if (sideRatio == -1.0f) {
        const Rectangle bounds = getCombinationBox();
        const double x = static_cast<double>(extentX(bounds));
        const double y = static_cast<double>(extentY(bounds));
        sideRatio = static_cast<float>(std::min(x, y) / std::max(x, y));
    }
    return sideRatio;
}

float ComparablePacking::getAreaSum() {
    if (areaSum == -1.0f) areaSum = base().getArea() + satellite().getArea();
    return areaSum;
}

// The length of the satellite's edges lying along an edge of a base member,
// counted once for each member they lie along: the satellite's edges cut at
// every base corner, each piece counted for each member it lies on. A
// member's edges on one line never overlap, so a satellite edge's share of a
// member is the sum of its overlaps with that member's edges.
int ComparablePacking::getContactArea() {
    if (contactArea == -1) {
        const PolygonSet placed = placedSatellite();
        std::int64_t total = 0;
        for (const Polygon& member : base().getAllPolygons()) {
            if (member.isEmpty()) continue;
            const Rectangle box = member.getBoundingRectangle();
            const std::vector<Point>& corners = member.getPoints();
            for (const Polygon& other : placed.getAllPolygons()) {
                if (other.isEmpty() || !boxesTouch(box, other.getBoundingRectangle())) continue;
                forEachEdge(other.getPoints(), [&](const Point& a, const Point& b) {
                    forEachEdge(corners, [&](const Point& c, const Point& d) { total += collinearOverlap(a, b, c, d); });
                });
            }
        }
        contactArea = static_cast<int>(total);
    }
    return contactArea;
}

std::pair<int, int> ComparablePacking::getUnusedSpace() {
    if (unusedSpace.first == -1 && unusedSpace.second == -1 && getHostPolygon().numberOfEdges() < 5) {
        const Rectangle bounds = getCombinationBox();
        const Rectangle hostBounds = getHostPolygon().getBoundingRectangle();
        const std::int64_t length = extentX(bounds), width = extentY(bounds);
        const std::int64_t hostLength = extentX(hostBounds), hostWidth = extentY(hostBounds);
        const std::int64_t area = length * width;
        auto spare = [area](std::int64_t product) {
            const std::int64_t value = product - area;
            constexpr std::int64_t none = std::numeric_limits<std::int32_t>::max();
            return static_cast<int>(value < 0 ? none : std::min(value, none));
        };
        const int first = std::min(spare(length * hostWidth), spare(width * hostWidth));
        const int second = std::min(spare(length * hostLength), spare(width * hostLength));
        unusedSpace = {std::min(first, second), std::max(first, second)};
    }
    return unusedSpace;
}

WhiteSpaceInformation ComparablePacking::getWhiteSpaceScore(int contractionFactor) {
    if (!whiteSpace.isSet()) {
        // The search writes its answer over the start it reads: start from copies.
        const Point startTranslation = hostTranslation;
        const int startRotation = hostRotationMultiplier;
        const bool haveStart = startingHostPositionHasBeenSet;
        const Point* start = haveStart ? &startTranslation : nullptr;
        const int* startTurn = haveStart ? &startRotation : nullptr;
        // From the region where it can answer, else from the merged outline
        // where that is found locally, else from the combination merged whole.
        PolygonSet contractedHoles;
        std::optional<MergedOutline> outline;
        if (scoreFromRegion(contractionFactor, start, startTurn).has_value()) {
        } else if (scoreFromMemberRegion(contractionFactor, start, startTurn).has_value()) {
        } else if ((outline = combinationOutline(contractionFactor, contractedHoles))) {
            const Math::GrainTurns grainTurns = known()->grainTurns() & other()->grainTurns();
            Math::getBestPositionOfSetWithin(getHostPolygon(), *outline, grainTurns, &contractedHoles,
                                             &hostTranslation, &hostRotationMultiplier, &whiteSpace,
                                             contractionFactor, start, startTurn);
        } else {
            Math::getBestPositionOfSetWithin(getHostPolygon(), *getCombination(), &hostTranslation,
                                             &hostRotationMultiplier, &whiteSpace, contractionFactor, start,
                                             startTurn);
        }
        hostDataIsBest = true;
    }
    return whiteSpace;
}

void ComparablePacking::setWhiteSpaceScore(const WhiteSpaceInformation& score) {
    whiteSpace = score;
}

void ComparablePacking::prepareSharedOutlines(int contractionFactor) {
    for (SharedOutline* side : {known(), other()}) {
        if (side == nullptr) continue;
        side->box();
        side->grainTurns();
    }
    if (known() != nullptr) {
        known()->region();
        known()->contractedHoleScores(contractionFactor);
    }
    if (other() != nullptr) other()->memberBoxes();
}

void ComparablePacking::scoreAhead(int contractionFactor) noexcept {
    const Point translation = hostTranslation;
    const int turn = hostRotationMultiplier;
    const bool best = hostDataIsBest;
    try {
        getWhiteSpaceScore(contractionFactor);
    } catch (...) {
        hostTranslation = translation;
        hostRotationMultiplier = turn;
        hostDataIsBest = best;
        whiteSpace = WhiteSpaceInformation();
    }
}

ComparablePacking::Verdict ComparablePacking::compareOn(int criterion, ComparablePacking& other,
                                                         int contractionFactor) {
    // The relative criterion measures the difference against this candidate's
    // own value; a difference that is not a number falls inside the band.
    auto exact = [](auto mine, auto theirs, bool largerWins) {
        if (mine == theirs) return Verdict::tie;
        return (mine > theirs) == largerWins ? Verdict::better : Verdict::worse;
    };
    switch (criterion) {
        case 0:
            return compareAreaRatios(getAreaRatio(), other.getAreaRatio());
        case 1:
            return compareBoundingDensities(getBoundingDensity(), other.getBoundingDensity());
        case 8: {
            const float t = getWhiteSpaceScore(contractionFactor).getAreaOfLargestOutfall() + getCombinationArea();
            const float o = other.getWhiteSpaceScore(contractionFactor).getAreaOfLargestOutfall() +
                            other.getCombinationArea();
            const float r = (t - o) / t;
            if (r > 0.01) return Verdict::better;
            if (r < -0.01) return Verdict::worse;
            return Verdict::tie;
        }
        case 5:
            return exact(getAreaSum(), other.getAreaSum(), true);
        case 7:
            return exact(getWhiteSpaceScore(contractionFactor).getNumberOfSidesOfOutfall(),
                         other.getWhiteSpaceScore(contractionFactor).getNumberOfSidesOfOutfall(), false);
        case 10:
            return exact(getContactArea(), other.getContactArea(), true);
        default:
            return Verdict::tie;
    }
}

bool ComparablePacking::isBetterThan(ComparablePacking& otherPacking, int contractionFactor,
                                     LargestSetGuard* guard) {
    if (!valid) return false;
    bool haveCheckedGreatestAreaSet = guard == nullptr;
    if (otherPacking.valid) {
        bool decided = false;
        for (int position = 0; position < 6 && !decided; ++position) {
            const int criterion = heuristics[position];
            if (criterion == 8 && guard) {
                if (!guard->respectsLargestSet()) return false;
                haveCheckedGreatestAreaSet = true;
            }
            switch (compareOn(criterion, otherPacking, contractionFactor)) {
                case Verdict::better: decided = true; break;
                case Verdict::worse: return false;
                case Verdict::tie: break;
            }
        }
        if (!decided) return false;
    }
    return haveCheckedGreatestAreaSet || guard->respectsLargestSet();
}

}  // namespace Zelkor::Rectilinear
