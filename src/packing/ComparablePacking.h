#pragma once

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "geometry/GrainTurns.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/MergedOutline.h"
#include "geometry/Point.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "geometry/Rectangle.h"
#include "geometry/WhiteSpaceInformation.h"
#include "placement/ColumnCover.h"

namespace Zelkor::Rectilinear {

class PackingCache;

// The merged outline of one side of a search's candidates, merged on first
// request and shared by them: scoring a candidate then merges only the other
// side into the outline near it. The side is the base, or the satellite in
// one of its turns, slid to the origin as the candidates place it.
class SharedOutline {
public:
    explicit SharedOutline(std::shared_ptr<const PolygonSet> outlined) : outlined(std::move(outlined)) {}

    // The set the outline is merged from.
    const PolygonSet& set() const { return *outlined; }
    // Null when the members do not merge into closed outlines.
    const MergedOutline* merged() {
        if (!tried) {
            outline = Math::mergedOutline(*outlined);
            tried = true;
        }
        return outline ? &*outline : nullptr;
    }
    // Each of the outline's holes shrunk by the contraction factor, as
    // PolygonSet::getAllPolygonsContracted shrinks them one by one; empty
    // when the set has no merged outline.
    const std::vector<PolygonSet>& contractedHoles(int contractionFactor) {
        const MergedOutline* known = merged();
        if (known != nullptr && contractedFor != contractionFactor) {
            contracted.clear();
            for (const Polygon& hole : known->holes.getAllPolygons()) {
                contracted.push_back(hole.getPolygonContracted(contractionFactor));
            }
            contractedFor = contractionFactor;
        }
        return contracted;
    }
    // Each of those holes counted as outfall, and all of them together.
    const std::vector<WhiteSpaceInformation>& contractedHoleScores(int contractionFactor) {
        const std::vector<PolygonSet>& holes = contractedHoles(contractionFactor);
        if (holesScoredFor != contractionFactor) {
            holeScores.clear();
            holesScore = WhiteSpaceInformation();
            for (const PolygonSet& hole : holes) {
                holeScores.emplace_back(HoledPolygonSet(hole), contractionFactor);
                holesScore.addOutfall(holeScores.back());
            }
            holesScoredFor = contractionFactor;
        }
        return holeScores;
    }
    const WhiteSpaceInformation& contractedHolesScore(int contractionFactor) {
        contractedHoleScores(contractionFactor);
        return holesScore;
    }
    // The turns that keep the grain of every member.
    Math::GrainTurns grainTurns() {
        if (!grainKnown) {
            grain = Math::turnsKeepingGrain(*outlined);
            grainKnown = true;
        }
        return grain;
    }
    // The outlines' region as boxes and the boxes of the holes, from which a
    // combination can be scored without merging it; null where the region
    // cannot stand for the outlines that way: an outline lies in a hole, a
    // hole touches an outline at a corner, or the members do not merge.
    struct Region {
        std::vector<ColumnCover::Box> boxes;       // the outlines filled
        std::vector<ColumnCover::Box> holedBoxes;  // the outlines less their holes
        std::vector<ColumnCover::Box> holeBoxes;   // each hole's box
        std::vector<std::vector<ColumnCover::Box>> holeFills;  // each hole as boxes
    };
    const Region* region();
    // The set's bounding rectangle, and whether a member is empty (or none is there).
    const Rectangle& box() {
        if (!boxKnown) {
            setBox = outlined->getBoundingRectangle();
            emptyMember = outlined->getAllPolygons().empty() ||
                          std::any_of(outlined->getAllPolygons().begin(), outlined->getAllPolygons().end(),
                                      [](const Polygon& p) { return p.isEmpty(); });
            boxKnown = true;
        }
        return setBox;
    }
    bool hasEmptyMember() {
        box();
        return emptyMember;
    }
    // The members' region as boxes (ColumnCover::boxesOf), unmerged.
    const std::optional<std::vector<ColumnCover::Box>>& memberBoxes() {
        if (!memberBoxesKnown) {
            members = ColumnCover::boxesOf(*outlined);
            memberBoxesKnown = true;
        }
        return members;
    }

private:
    std::shared_ptr<const PolygonSet> outlined;
    bool tried = false;
    std::optional<MergedOutline> outline;
    std::vector<PolygonSet> contracted;
    int contractedFor = -1;  // no contraction factor is negative
    std::vector<WhiteSpaceInformation> holeScores;
    WhiteSpaceInformation holesScore;
    int holesScoredFor = -1;
    Math::GrainTurns grain = Math::anyTurn;
    bool grainKnown = false;
    bool regionTried = false;
    std::optional<Region> regionOfOutlines;
    bool boxKnown = false;
    Rectangle setBox;
    bool emptyMember = false;
    bool memberBoxesKnown = false;
    std::optional<std::vector<ColumnCover::Box>> members;
};

// One candidate pairing of the engine: the satellite set laid beside the base
// set at a relative rotation and translation, judged for one host. Its scores
// are computed on first request and kept (they survive copying), so a
// candidate stored in the cache never recomputes them. The sets and the host
// are never changed through a candidate, so copies share them: a search
// weighs thousands of candidates of the same two sets.
class ComparablePacking {
public:
    // An unset, invalid candidate.
    ComparablePacking();
    ComparablePacking(PolygonSet newBaseSet, PolygonSet newSatelliteSet, Polygon newHostPolygon,
                      int newRelativeRotationMultiplier, Point newRelativeTranslation);
    // The same over shapes shared with other candidates.
    ComparablePacking(std::shared_ptr<PolygonSet> newBaseSet, std::shared_ptr<PolygonSet> newSatelliteSet,
                      std::shared_ptr<const Polygon> newHostPolygon, int newRelativeRotationMultiplier,
                      Point newRelativeTranslation);

    // The base plus the placed satellite, slid to the origin; built on first use.
    PolygonSet* getCombination();
    // The combination's box, without building the combination.
    Rectangle getCombinationBox();
    // The combination's area, summed over its members as the combination
    // sums it, without building it where the turned satellite is shared.
    float getCombinationArea();
    // Shares what the candidates of one search work out once: about the base,
    // and about the satellite in this candidate's turn. The merged outline of
    // one side (the base's, or the satellite's where `baseKnown` is false)
    // then stands for that side when the candidate is scored, and the other
    // side is merged into it or laid beside its region. Dropped again with
    // releaseSharedOutlines, once the candidate is kept beyond its search.
    void shareOutlines(std::shared_ptr<SharedOutline> base, std::shared_ptr<SharedOutline> turnedSatellite,
                       bool baseKnown) {
        sharedBase = std::move(base);
        sharedSatellite = std::move(turnedSatellite);
        baseIsKnown = baseKnown;
    }
    void releaseSharedOutlines() {
        sharedBase.reset();
        sharedSatellite.reset();
    }

    bool getIsSet() const { return isSet; }
    void setIsSet(bool newIsSet) { isSet = newIsSet; }
    bool isValid() const { return valid; }
    void setIsValid(bool newValid) { valid = newValid; }
    int getRelativeRotationMultiplier() const { return relativeRotationMultiplier; }
    void setRelativeRotationMultiplier(int multiplier) { relativeRotationMultiplier = multiplier; }
    const Point& getRelativeTranslation() const { return relativeTranslation; }
    const PolygonSet& getBaseSet() const;
    const PolygonSet& getSatelliteSet() const;
    const Polygon& getHostPolygon() const;
    // The same placement and scores for sets and a host of exactly the same
    // outlines (other names or ids); the combination is rebuilt from them.
    void replaceShapes(const PolygonSet& newBaseSet, const PolygonSet& newSatelliteSet, const Polygon& newHostPolygon);
    // Drops the sets and the host (and all built from them), keeping the
    // placement and its scores: for a copy that is only ever read again
    // after replaceShapes.
    void releaseShapes();
    // A host placement known to hold the combination: the white-space search starts there.
    void setFirstKnownValidHostTranslationAndRotation(const Point& translation, int rotationMultiplier);

    float getAreaRatio();
    float getBoundingDensity();
    float getTightDensity();
    float getSideRatio();
    float getAreaSum();
    int getContactArea();
    std::pair<int, int> getUnusedSpace();
    // The best placement of the combination in the host, judged by its outfall;
    // searched again on each request while no placement has been found.
    WhiteSpaceInformation getWhiteSpaceScore(int contractionFactor);
    // Whether a placement has been scored, and a score found by another search
    // of the same placements (it then stands as if this one had found it).
    bool hasWhiteSpaceScore() const { return whiteSpace.isSet(); }
    void setWhiteSpaceScore(const WhiteSpaceInformation& score);

    // Scoring candidates of one search on other threads: first, on the
    // searching thread, everything the candidates share and work out on first
    // use is worked out; then each candidate is scored ahead on its own. A
    // candidate whose scoring fails is left as it was, to fail again where
    // its score is asked for.
    void prepareSharedOutlines(int contractionFactor);
    void scoreAhead(int contractionFactor) noexcept;

    // Asked, at most once per comparison, whether merging the pairing leaves
    // the largest set of the pool able to grow.
    class LargestSetGuard {
    public:
        virtual bool respectsLargestSet() = 0;

    protected:
        ~LargestSetGuard() = default;
    };

    // Whether this candidate should replace otherPacking. The criteria, in order:
    // smaller bounding-box ratio (1 % band), larger bounding density, larger
    // largest leftover plus area (1 % band), larger area, fewer leftover sides,
    // larger contact. With a guard, a pairing the guard refuses never wins.
    bool isBetterThan(ComparablePacking& otherPacking, int contractionFactor, LargestSetGuard* guard);

    // The same with the pairing search's own guard over the pool: with
    // polygonSets given, a pairing that would leave the largest set unable to
    // grow never wins (see Math::pairingRespectsMaxAreaSet). Defined with the
    // pairing search, which the guard calls back into.
    bool isBetterThan(ComparablePacking& otherPacking, int contractionFactor, std::vector<PolygonSet>* polygonSets,
                      int baseSetIndex, int satelliteSetIndex, int greatestAreaSetIndex,
                      ComparablePacking* resultingBestPositionRelativeToLargestAreaSet, PackingCache* cache);

    // Criterion codes in the order they are consulted.
    static constexpr int heuristics[6] = {0, 1, 8, 5, 7, 10};

    // The first two criteria on bare values, so that a search can rule out a
    // candidate before building it.
    enum class Verdict { better, worse, tie };
    static Verdict compareAreaRatios(float mine, float theirs);
    static Verdict compareBoundingDensities(float mine, float theirs);
    static float areaRatioOf(double combinationBoxArea, double satelliteBoxArea, double baseBoxArea);
    static float boundingDensityOf(float baseArea, float satelliteArea, double combinationBoxArea);

private:
    Verdict compareOn(int criterion, ComparablePacking& other, int contractionFactor);
    void initalizeHeuristicValues();
    // The shapes for use inside: an unset candidate gets empty ones on first use.
    PolygonSet& base();
    PolygonSet& satellite();
    // The satellite turned and moved to its place beside the base.
    PolygonSet placedSatellite();
    // The combination's merged outline from the shared outline of one side,
    // when the other side can be merged into it locally, and its holes shrunk
    // by the contraction factor into `contractedHoles`.
    std::optional<MergedOutline> combinationOutline(int contractionFactor, PolygonSet& contractedHoles);
    // The white-space search from the region of the shared outline and the
    // other side's boxes, where the other side meets none of the outline's
    // holes; nothing where it cannot answer exactly so.
    std::optional<bool> scoreFromRegion(int contractionFactor, const Point* startTranslation,
                                        const int* startRotation);
    std::optional<bool> scoreFromMemberRegion(int contractionFactor, const Point* startTranslation,
                                              const int* startRotation);

    bool isSet = false;
    std::shared_ptr<PolygonSet> baseSet;
    std::shared_ptr<PolygonSet> satelliteSet;
    std::shared_ptr<const Polygon> hostPolygon;
    PolygonSet combination;
    // The side whose merged outline stands for it, and the other; null when
    // nothing is shared.
    SharedOutline* known() const { return (baseIsKnown ? sharedBase : sharedSatellite).get(); }
    SharedOutline* other() const { return (baseIsKnown ? sharedSatellite : sharedBase).get(); }
    std::shared_ptr<SharedOutline> sharedBase;
    std::shared_ptr<SharedOutline> sharedSatellite;
    bool baseIsKnown = true;
    bool valid = false;
    bool startingHostPositionHasBeenSet = false;
    Point relativeTranslation;
    int relativeRotationMultiplier = 0;
    bool hostDataIsBest = false;
    Point hostTranslation;
    int hostRotationMultiplier = 0;
    float areaRatio = -1.0f;
    float boundingDensity = -1.0f;
    float tightDensity = -1.0f;
    WhiteSpaceInformation whiteSpace;
    float sideRatio = -1.0f;
    float areaSum = -1.0f;
    float combinationArea = -1.0f;
    std::optional<Rectangle> combinationBox;
    std::pair<int, int> unusedSpace{-1, -1};
    int contactArea = -1;
};

}  // namespace Zelkor::Rectilinear
