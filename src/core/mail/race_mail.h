#pragma once
// The race-day side of the mail: the message of one race (its heading and a
// line per runner worth a look) and which races the delivery timer sends.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/mail/mail_message.h"
#include "core/model/race_day.h"

namespace quindle::mail {

// "【" + venue + race + "R】" (CP932): the venue's two-character name and the
// race number right-aligned in two characters (blanks for a number that
// reads 0).
std::string RaceMailHeading(const model::RaImage& ra);

// The prediction line of each runner that carries a recommendation mark
// (◎/☆ for win or place), a jockey move (Get/Give) or the pattern 乗り戻り,
// in horse-number order (CP932); never of a runner that does not run
// (analysis/scratched.h). E.g. " 3 ホースネーム 騎手名 乗り戻り 単◎ Get
// 5.2倍 2人気": horse number, horse name and jockey trimmed, the pattern, the
// marks, then win odds and popularity when known.
std::vector<std::string> PredictionLines(const model::RaceDay& day, int race);

// The body lines of race `race`: "<<" + venue + race + "R>>", then its
// prediction lines (CP932).
std::vector<std::string> RaceMailLines(const model::RaceDay& day, int race);

// The message of race `race`, subject "-" + heading + "-"; nothing when the
// race has no prediction line (a message of its heading alone is not sent).
std::optional<MailMessage> RaceMail(const model::RaceDay& day, int race);

// The races the delivery timer sends at "hhmm" `now`, in race order: odds
// loaded (the O1 image names a race), not delivered yet, and `now` at or
// after the race's DeliverTime (set by the day load) and before its post time. A tick that did not
// run in the minute of DeliverTime (the automatic odds were busy) thus still
// sends the race before it starts.
std::vector<int> DueDeliveries(const model::RaceDay& day, std::string_view now);

}  // namespace quindle::mail
