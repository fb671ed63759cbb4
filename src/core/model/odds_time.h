#pragma once
// The announcement time (発表月日時分) of a race's O1 odds. JV-Link sets it
// only for interim odds; the final odds carry blanks or zeros there. Whatever
// reads the time goes through here, so that final odds are never taken for
// odds announced at 00:00, or on no day at all and hence stale.

#include <string>

#include "core/model/record_image.h"

namespace quindle::model {

// True when `o1` holds odds of a race (its race number reads above 0) and no
// announcement time: the final odds.
bool FinalOdds(const O1Image& o1);

// "hh:mm" of the announcement, or empty when there is none (a blank image, or
// the final odds).
std::string AnnouncedTimeText(const O1Image& o1);

}  // namespace quindle::model
