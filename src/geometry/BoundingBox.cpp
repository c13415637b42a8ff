#include "geometry/BoundingBox.h"

#include <utility>

namespace Zelkor::Rectilinear::Detail {

TouchingMembers::TouchingMembers(const std::vector<Box>& boxes) : offsets(boxes.size() + 1, 0) {
    const std::size_t count = boxes.size();
    std::vector<std::size_t> byLeft;
    byLeft.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (boxes[i].valid) byLeft.push_back(i);
    }
    std::sort(byLeft.begin(), byLeft.end(), [&boxes](std::size_t a, std::size_t b) {
        return boxes[a].minX < boxes[b].minX || (boxes[a].minX == boxes[b].minX && a < b);
    });
    // Sweep by left side: a box can only touch those that start before it ends.
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    pairs.reserve(4 * byLeft.size());
    for (std::size_t i = 0; i < byLeft.size(); ++i) {
        const std::size_t a = byLeft[i];
        pairs.emplace_back(a, a);
        for (std::size_t j = i + 1; j < byLeft.size() && boxes[byLeft[j]].minX <= boxes[a].maxX; ++j) {
            const std::size_t b = byLeft[j];
            if (boxes[a].touches(boxes[b])) {
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
}

}  // namespace Zelkor::Rectilinear::Detail
