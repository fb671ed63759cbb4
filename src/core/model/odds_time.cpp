#include "core/model/odds_time.h"

namespace quindle::model {
namespace {

namespace head = store::layout::head;
namespace o1 = store::layout::o1;

// Blanks or zeros: no time was announced.
bool NoAnnouncement(const O1Image& odds) {
    return odds.Field(o1::kAnnounced).find_first_not_of(" 0") == std::string_view::npos;
}

}  // namespace

bool FinalOdds(const O1Image& odds) {
    return odds.Int(head::kRaceNumber) > 0 && NoAnnouncement(odds);
}

std::string AnnouncedTimeText(const O1Image& odds) {
    if (NoAnnouncement(odds)) return {};
    return std::string(odds.Field(o1::kAnnouncedHour)) + ":" +
           std::string(odds.Field(o1::kAnnouncedMinute));
}

}  // namespace quindle::model
