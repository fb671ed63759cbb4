#include "jvsim/league/race.h"

#include <algorithm>

#include "core/text/fields.h"

namespace quindle::jvsim::league {

std::string RaceInfo::Key() const {
    return Date8(date) + venueCode +
           text::Format("%02d%02d%02d", meeting, dayOfMeeting, raceNumber);
}

std::vector<int> Race::FinishOrder() const {
    std::vector<int> order;
    for (int i = 0; i < static_cast<int>(runners.size()); ++i) order.push_back(i);
    auto rank = [&](int i) {
        const Runner& r = runners[static_cast<std::size_t>(i)];
        return r.finish > 0 ? r.finish : 100 + (r.Started() ? 0 : 50);
    };
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return rank(a) != rank(b) ? rank(a) < rank(b) : a < b; });
    return order;
}

int Race::RunningStyle(const Runner& r) const {
    int pos = 0;
    for (int c : r.corners) {
        if (c > 0) {
            pos = c;
            break;
        }
    }
    if (pos == 0) return 0;
    const int n = std::max(1, starters);
    if (pos == 1) return 1;
    if (pos * 3 <= n) return 2;
    if (pos * 3 <= n * 2) return 3;
    return 4;
}

}  // namespace quindle::jvsim::league
