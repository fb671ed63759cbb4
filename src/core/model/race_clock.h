#pragma once
// The two clock texts of the main window's top bar: the current time, and the
// time left until the post time of the race on show.

#include <string>

#include "core/model/record_image.h"
#include "core/util/local_time.h"

namespace quindle::model {

// "hh時nn分ss秒" (UTF-8).
std::string ClockText(const LocalDateTime& now);

// The time left until the post moment of `ra` (its date and post time):
// "発走までの残り時間：hh:nn:ss" while the moment lies after `now`, else
// "発走済み". A race without a valid date or post time (a blank image, a
// damaged record) gives the empty text. Hours count on past 24.
std::string TimeLeftText(const model::RaImage& ra, const LocalDateTime& now);

}  // namespace quindle::model
