#pragma once
// The jockey view ("騎手データ", KS record) and the trainer view ("調教師データ",
// CH record): the heading line and its tooltip, the jockey's first rides and
// first wins, the three most recent graded wins, and the results of this
// year, last year and all years ("本年", "前年", "累計"). Texts are CP932.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/masterdata/view_lines.h"

namespace quindle::masterdata {

inline constexpr int kResultTabs = 3;
// The captions of the results tabs (UTF-8), index 0 to 2.
inline constexpr std::array<const char*, kResultTabs> kResultTabCaptions{"本年", "前年", "累計"};

struct PersonView {
    std::string NameLabel;
    std::string tooltip;  // the name in half-width katakana
    // FirstRideLabel, FirstRideLabel2, FirstVLabel, FirstVLabel2; jockeys only.
    std::vector<ViewItem> firstRides;
    std::vector<ViewItem> gradedWins;  // LatestVLabel1 to LatestVLabel3
    // One tab per results block: SetteiNenLabel, the prize lines and every
    // finish-count line under their headings.
    std::array<std::vector<ViewItem>, kResultTabs> results;
};

// The view of `ks`, a KS record image.
PersonView MakeJockeyView(std::string_view ks);
// The view of `ch`, a CH record image.
PersonView MakeTrainerView(std::string_view ch);

}  // namespace quindle::masterdata
