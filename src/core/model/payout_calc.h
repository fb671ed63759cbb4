#pragma once
// The payout result tables: the HR image of each race parsed into its
// per-bet-type slots (winning key, popularity, payout), as the result tab
// shows them.

#include "core/model/payout_tables.h"
#include "core/model/race_day.h"

namespace quindle::model {

// The payout tables of one HR image. A blank image gives empty keys and
// zeros; a slot whose key holds a zero number (cancelled, no result) keeps an
// empty key but still carries the popularity and payout fields as read.
RacePayouts ParsePayouts(const HrImage& hr);

// "Calc": parses RaceHR of all 36 races and overwrites their payout tables.
// Touches nothing else.
void CalculatePayouts(RaceDay& day);

// The key texts of the combination bets: "%2d-%2d" and "%2d-%2d-%2d".
std::string PairKeyText(int first, int second);
std::string TripleKeyText(int first, int second, int third);

}  // namespace quindle::model
