#include "geometry/detail/BoundingBox.h"

#include <cstdint>
#include <utility>

namespace Zelkor::Rectilinear::Detail {

TouchingMembers::TouchingMembers(const std::vector<Box>& boxes) : offsets(boxes.size() + 1, 0) {
    const std::size_t count = boxes.size();
    std::vector<std::size_t> byLeft;
    byLeft.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (boxes[i].valid) byLeft.push_back(i);
    }
    if (byLeft.empty()) return;
    std::sort(byLeft.begin(), byLeft.end(), [&boxes](std::size_t a, std::size_t b) {
        return boxes[a].minX < boxes[b].minX || (boxes[a].minX == boxes[b].minX && a < b);
    });
    std::vector<std::size_t> rank(count, 0);
    for (std::size_t i = 0; i < byLeft.size(); ++i) rank[byLeft[i]] = i;

    // Boxes are filed in horizontal bands, each band swept by left side: a
    // box can only touch those of its bands that start before it ends. A
    // pair is reported in the band holding the bottom of their common
    // height alone. Bands about twice as high as the typical box keep most
    // boxes in one or two bands, and about as many bands as the square root
    // of the count keep each sweep short.
    std::int64_t bottom = boxes[byLeft.front()].minY;
    std::int64_t top = boxes[byLeft.front()].maxY;
    std::vector<std::int64_t> heights;
    heights.reserve(byLeft.size());
    for (const std::size_t i : byLeft) {
        bottom = std::min<std::int64_t>(bottom, boxes[i].minY);
        top = std::max<std::int64_t>(top, boxes[i].maxY);
        heights.push_back(std::int64_t{boxes[i].maxY} - boxes[i].minY);
    }
    std::nth_element(heights.begin(), heights.begin() + static_cast<std::ptrdiff_t>(heights.size() / 2), heights.end());
    const std::int64_t typicalHeight = heights[heights.size() / 2];
    std::int64_t bandCount = 1;
    while (bandCount * bandCount < static_cast<std::int64_t>(byLeft.size())) ++bandCount;
    const std::int64_t bandHeight = std::max((top - bottom) / bandCount + 1, 2 * typicalHeight + 1);
    bandCount = (top - bottom) / bandHeight + 1;
    auto bandOf = [bottom, bandHeight](Coordinate y) { return static_cast<std::size_t>((y - bottom) / bandHeight); };

    std::vector<std::size_t> bandOffsets(static_cast<std::size_t>(bandCount) + 1, 0);
    for (const std::size_t i : byLeft) {
        for (std::size_t band = bandOf(boxes[i].minY); band <= bandOf(boxes[i].maxY); ++band) ++bandOffsets[band + 1];
    }
    for (std::size_t band = 0; band + 1 < bandOffsets.size(); ++band) bandOffsets[band + 1] += bandOffsets[band];
    std::vector<std::size_t> banded(bandOffsets.back());
    std::vector<std::size_t> bandFill(bandOffsets.begin(), bandOffsets.end() - 1);
    for (const std::size_t i : byLeft) {
        for (std::size_t band = bandOf(boxes[i].minY); band <= bandOf(boxes[i].maxY); ++band) {
            banded[bandFill[band]++] = i;
        }
    }

    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    pairs.reserve(4 * byLeft.size());
    for (const std::size_t a : byLeft) pairs.emplace_back(a, a);
    for (std::size_t band = 0; band + 1 < bandOffsets.size(); ++band) {
        const std::size_t last = bandOffsets[band + 1];
        for (std::size_t i = bandOffsets[band]; i < last; ++i) {
            const std::size_t a = banded[i];
            for (std::size_t j = i + 1; j < last && boxes[banded[j]].minX <= boxes[a].maxX; ++j) {
                const std::size_t b = banded[j];
                if (!boxes[a].touches(boxes[b]) || bandOf(std::max(boxes[a].minY, boxes[b].minY)) != band) continue;
                pairs.emplace_back(a, b);
                pairs.emplace_back(b, a);
            }
        }
    }
    for (const auto& pair : pairs) ++offsets[pair.first + 1];
    for (std::size_t i = 0; i < count; ++i) offsets[i + 1] += offsets[i];
    members.resize(pairs.size());
    std::vector<std::size_t> fill(offsets.begin(), offsets.end() - 1);
    for (const auto& pair : pairs) members[fill[pair.first]++] = pair.second;
    // Each member's list in the order of the boxes' left sides.
    for (std::size_t i = 0; i < count; ++i) {
        std::sort(members.begin() + static_cast<std::ptrdiff_t>(offsets[i]),
                  members.begin() + static_cast<std::ptrdiff_t>(offsets[i + 1]),
                  [&rank](std::size_t a, std::size_t b) { return rank[a] < rank[b]; });
    }
}

}  // namespace Zelkor::Rectilinear::Detail
