#include "geometry/detail/SuccessorTracer.h"

#include "geometry/detail/SegmentKeys.h"

namespace Zelkor::Rectilinear::Detail {

namespace {

constexpr std::size_t none = static_cast<std::size_t>(-1);

}  // namespace

bool SuccessorTracer::trace(const std::vector<Segment>& list, const Box& meetingBox) {
    const std::size_t n = list.size();
    auto follows = [&list](std::size_t before, std::size_t after) {
        return list[before].getEndPoint() == list[after].getStartPoint();
    };
    // The pieces to look up: those no neighbour in the list leads to, and
    // those starting where two may start.
    used.assign(n, 0);
    std::size_t lookedUp = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Point& start = list[i].getStartPoint();
        if (start == list[i].getEndPoint()) return false;
        const bool reachedNextDoor = (i > 0 && follows(i - 1, i)) || (i + 1 < n && follows(i + 1, i));
        used[i] = !meetingBox.valid || !reachedNextDoor || meetingBox.containsPoint(start);
        lookedUp += static_cast<std::size_t>(used[i]);
    }
    std::size_t slots = 16;
    while (slots < 2 * lookedUp) slots *= 2;
    starts.assign(slots, {0, 0});
    auto slotOf = [slots](std::uint64_t key) {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 40) & (slots - 1);
    };
    for (std::size_t i = 0; i < n; ++i) {
        if (!used[i]) continue;
        const std::uint64_t key = pointKey(list[i].getStartPoint());
        std::size_t slot = slotOf(key);
        for (; starts[slot].second != 0; slot = (slot + 1) & (slots - 1)) {
            if (starts[slot].first == key) return false;
        }
        starts[slot] = {key, i + 1};
    }
    auto successor = [&](std::size_t i) -> std::size_t {
        if (i + 1 < n && follows(i, i + 1)) return i + 1;
        if (i > 0 && follows(i, i - 1)) return i - 1;
        const std::uint64_t key = pointKey(list[i].getEndPoint());
        for (std::size_t slot = slotOf(key); starts[slot].second != 0; slot = (slot + 1) & (slots - 1)) {
            if (starts[slot].first == key) return starts[slot].second - 1;
        }
        return none;
    };
    used.assign(n, 0);
    std::size_t unused = n;
    corners.clear();
    ends.clear();
    for (std::size_t first = 0; first < n; ++first) {
        if (used[first]) continue;
        if (unused < 3) return false;
        for (std::size_t i = first;;) {
            corners.push_back(list[i].getStartPoint());
            used[i] = 1;
            --unused;
            i = successor(i);
            if (i == first) break;
            if (i == none || used[i]) return false;
        }
        ends.emplace_back(corners.size(), first);
    }
    return true;
}

}  // namespace Zelkor::Rectilinear::Detail
