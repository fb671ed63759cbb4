#include <algorithm>

#include "core/text/cp932.h"
#include "jvsim/league/extra_layout.h"
#include "jvsim/league/record_builder.h"
#include "jvsim/league/records.h"

namespace quindle::jvsim::league {
namespace layout = store::layout;

namespace {

// Condition codes of the four age groups for a race type: the groups the
// race is open to carry the condition, the others "000".
struct AgeConditions {
    int c2 = 0, c3 = 0, c4 = 0, c5 = 0;
};

AgeConditions ConditionsFor(int raceType, int condition) {
    switch (raceType) {
        case kTwoYearOlds:
            return {condition, 0, 0, 0};
        case kThreeYearOlds:
            return {0, condition, 0, 0};
        case kThreeUp:
            return {0, condition, condition, condition};
        default:
            return {0, 0, condition, condition};
    }
}

std::string OneChar(char c) {
    return std::string(1, c);
}

// Race time minutes (1), seconds (2), tenths (1).
std::string TimeText(int tenths) {
    int minutes = tenths / 600;
    int rest = tenths % 600;
    return text::Format("%01d%02d%01d", minutes % 10, rest / 10, rest % 10);
}

}  // namespace

std::string BuildRA(const Race& race, char kind, std::string_view created8, Stage stage) {
    namespace ra = layout::ra;
    const RaceInfo& s = race.info;
    RecordBuilder b(RecordType::RA);
    b.Head(OneChar(kind), created8).RaceKey(s.Key());
    b.Number(ra::kWeekday, s.weekdayCode);
    if (!s.name.name.empty()) {
        b.Number(extra::ra::kSpecialNumber, s.specialNumber);
        b.Name(ra::kRaceName, s.name.name);
        b.Name(extra::ra::kRaceNameShort10, s.name.short10);
        b.Name(ra::kRaceNameShort6, s.name.short6);
        b.Name(ra::kRaceNameShort3, s.name.short3);
    }
    b.Number(ra::kGradeEdition, s.Graded() ? s.edition : 0);
    b.Put(ra::kGrade, OneChar(s.grade));
    b.Number(ra::kRaceType, s.raceType);
    b.Put(ra::kRaceSymbol, s.symbol);
    b.Put(ra::kWeightType, OneChar(s.weightType));
    AgeConditions c = ConditionsFor(s.raceType, s.condition);
    b.Number(ra::kCondition2yo, c.c2);
    b.Number(ra::kCondition3yo, c.c3);
    b.Number(ra::kCondition4yo, c.c4);
    b.Number(ra::kCondition5yoUp, c.c5);
    b.Number(ra::kConditionYoungest, s.condition);
    b.Number(ra::kDistance, s.distance);
    b.Number(ra::kTrack, s.track);
    b.Text(ra::kCourseDivision, s.courseDivision);
    for (int k = 1; k <= ra::kPrizePlaces; ++k)
        b.Number(ra::kPrize(k), s.prize[static_cast<std::size_t>(k - 1)]);
    for (int k = 1; k <= ra::kAddedPrizePlaces; ++k)
        b.Number(ra::kAddedPrize(k), s.added[static_cast<std::size_t>(k - 1)]);
    b.Number(ra::kPostTime, s.postTime);
    b.Number(ra::kEntered, race.entered > 0 ? race.entered : static_cast<int>(race.runners.size()));
    if (stage == Stage::Result) {
        b.Number(ra::kStarters, race.starters);
        b.Number(ra::kFinishers, race.finishers);
        b.Number(ra::kWeather, s.weather);
        b.Number(ra::kTurfGoing, s.surface == Surface::Turf ? s.turfGoing : 0);
        b.Number(ra::kDirtGoing, s.surface == Surface::Dirt ? s.dirtGoing : 0);
        b.Number(extra::ra::kFront3F, race.front3f);
        b.Number(extra::ra::kLast3F, race.last3f);
    } else {
        b.Number(ra::kStarters, 0);
        b.Number(ra::kFinishers, 0);
    }
    return b.Finish();
}

std::string BuildSE(const World& world, const Race& race, const Runner& r, char kind,
                    std::string_view created8, Stage stage) {
    namespace se = layout::se;
    const Horse& h = world.horses[static_cast<std::size_t>(r.horse)];
    const Jockey& j = world.jockeys[static_cast<std::size_t>(r.jockey)];
    const Trainer& t = world.trainers[static_cast<std::size_t>(h.trainer)];
    const Owner& o = world.owners[static_cast<std::size_t>(h.owner)];
    RecordBuilder b(RecordType::SE);
    b.Head(OneChar(kind), created8).RaceKey(race.info.Key());
    b.Number(se::kBracket, r.bracket);
    b.Number(se::kHorseNumber, r.horseNumber);
    b.Number(se::kPedigree, h.pedigree);
    b.Name(se::kHorseName, h.name);
    b.Number(extra::se::kHorseSymbol, h.symbol);
    b.Number(se::kSex, h.sex);
    b.Number(extra::se::kBreed, 1);
    b.Number(extra::se::kCoat, h.coat);
    b.Number(se::kAge, r.age);
    b.Number(extra::se::kCentre, static_cast<int>(h.centre));
    b.Put(se::kTrainerCode, t.code);
    b.Name(se::kTrainerShort, t.shortName);
    b.Put(extra::se::kOwnerCode, o.code);
    b.Name(extra::se::kOwnerName, o.name);
    b.Name(extra::se::kSilks, o.silks);
    b.Number(se::kCarriedWeight, r.carried);
    b.Number(se::kBlinkers, r.blinkers ? 1 : 0);
    b.Put(se::kJockeyCode, j.code);
    b.Name(se::kJockeyShort, j.shortName);
    b.Number(se::kApprentice, r.apprentice);
    if (stage == Stage::EntryList) return b.Finish();

    if (r.Started()) {
        b.Number(se::kBodyWeight, r.bodyWeight);
        if (!r.firstWeighing) {
            b.Put(se::kWeightChangeSign, r.weightChange > 0 ? "+" : r.weightChange < 0 ? "-" : " ");
            b.Number(se::kWeightChange, r.weightChange < 0 ? -r.weightChange : r.weightChange);
        }
    }
    b.Number(se::kAbnormality, r.abnormality);
    b.Number(se::kPassingOrder, r.passingOrder);
    b.Number(se::kFinish, r.finish);
    b.Number(extra::se::kDeadHeat, r.deadHeat ? 1 : 0);
    b.Number(extra::se::kDeadHeatCount, r.deadHeat ? 1 : 0);
    b.Put(se::kTime, r.Finished() ? TimeText(r.timeTenths) : "0000");
    b.Text(se::kMargin, r.Finished() ? r.margin : "");
    for (int c = 1; c <= se::kCornerCount; ++c)
        b.Number(se::kCorner(c), r.corners[static_cast<std::size_t>(c - 1)]);
    if (r.Started()) {
        b.Number(se::kWinOdds, r.winOdds);
        b.Number(se::kWinPopularity, r.winPopularity);
    } else {
        b.Fill(se::kWinOdds, '-');
        b.Fill(se::kWinPopularity, '-');
    }
    b.Number(se::kPrizeWon, r.prize);
    b.Number(se::kAddedPrizeWon, r.added);
    b.Number(se::kLast3F, r.Finished() ? r.last3f : 0);
    if (r.opponent >= 0 && r.Finished()) {
        const Horse& opp = world.horses[static_cast<std::size_t>(
            race.runners[static_cast<std::size_t>(r.opponent)].horse)];
        b.Number(extra::se::kOpponentPedigree, opp.pedigree);
        b.Name(se::kOpponentName, opp.name);
    }
    if (r.Finished()) {
        // The winner shows its lead over the second as a negative difference.
        b.Put(se::kTimeBehindSign, r.finish == 1 && !r.deadHeat ? "-" : "+");
        b.Number(se::kTimeBehindValue, r.behindTenths < 0 ? -r.behindTenths : r.behindTenths);
    }
    b.Number(extra::se::kRunningStyle, race.RunningStyle(r));
    return b.Finish();
}

std::string BuildHR(const Race& race, const Payouts& payouts, char kind,
                    std::string_view created8) {
    namespace hr = layout::hr;
    RecordBuilder b(RecordType::HR);
    b.Head(OneChar(kind), created8).RaceKey(race.info.Key());
    const int entered = static_cast<int>(race.runners.size());
    b.Number(extra::hr::kEntered, entered);
    b.Number(extra::hr::kStarters, race.starters);
    b.Put(extra::hr::kVoidFlags, "000000000");
    b.Put(extra::hr::kSpecialFlags, "000000000");
    const bool refunds = !payouts.refundedHorses.empty();
    b.Put(extra::hr::kRefundFlags, refunds ? "111111011" : "000000000");
    std::string horses(28, '0');
    for (int number : payouts.refundedHorses) horses[static_cast<std::size_t>(number - 1)] = '1';
    b.Put(extra::hr::kRefundHorses, horses);
    std::string brackets(8, '0');
    for (int x = 1; x <= 8; ++x) {
        bool any = false, allOut = true;
        for (const Runner& r : race.runners) {
            if (r.bracket != x) continue;
            any = true;
            if (r.Started()) allOut = false;
        }
        if (any && allOut) brackets[static_cast<std::size_t>(x - 1)] = '1';
    }
    b.Put(extra::hr::kRefundBrackets, brackets);
    b.Put(extra::hr::kRefundSameBracket, "00000000");

    for (int t = 0; t < kBetCount; ++t) {
        const hr::PayoutBlock& block = hr::Block(static_cast<hr::BetType>(t));
        const auto& list = payouts.bets[static_cast<std::size_t>(t)];
        for (int k = 1; k <= block.entries && k <= static_cast<int>(list.size()); ++k) {
            const Payout& p = list[static_cast<std::size_t>(k - 1)];
            std::string combo;
            const int digits = static_cast<Bet>(t) == Bet::Bracket ? 1 : 2;
            for (int v : p.combo) combo += text::Format("%0*d", digits, v);
            b.Put(block.Combo(k), combo);
            b.Number(block.Payout(k), p.yen);
            b.Number(block.Popularity(k), p.popularity);
        }
    }
    return b.Finish();
}

}  // namespace quindle::jvsim::league
