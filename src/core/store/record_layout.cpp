#include "core/store/record_layout.h"

#include <string>

namespace quindle::store::layout {
namespace {

using F = FieldForm;
using T = RecordType;

class CatalogBuilder {
  public:
    explicit CatalogBuilder(std::vector<NamedField>& out) : out_(out) {}

    void Add(T type, std::string name, FieldPos pos, F form) {
        out_.push_back({type, std::move(name), pos, form});
    }
    // A field of entry `n` of a repeated block: "prefix(n).name".
    void AddEntry(T type, const std::string& prefix, int n, const char* name, FieldPos pos,
                  F form) {
        Add(type, prefix + "(" + std::to_string(n) + ")." + name, pos, form);
    }

    void Head(T type) {
        Add(type, "head.RecordType", head::kRecordType, F::kCode);
        Add(type, "head.DataKind", head::kDataKind, F::kCode);
        Add(type, "head.CreationDate", head::kCreationDate, F::kDigits);
        if (!HasRaceKey(type)) return;
        Add(type, "head.RaceKey", head::kRaceKey, F::kCode);
        Add(type, "head.Year", head::kYear, F::kDigits);
        Add(type, "head.MonthDay", head::kMonthDay, F::kDigits);
        Add(type, "head.Month", head::kMonth, F::kDigits);
        Add(type, "head.Day", head::kDay, F::kDigits);
        Add(type, "head.Venue", head::kVenue, F::kCode);
        Add(type, "head.Meeting", head::kMeeting, F::kDigits);
        Add(type, "head.DayOfMeeting", head::kDayOfMeeting, F::kDigits);
        Add(type, "head.RaceNumber", head::kRaceNumber, F::kDigits);
        Add(type, "head.RaceDate", head::kRaceDate, F::kDigits);
    }

    void RaceRef(T type, const std::string& prefix, int n, int pos) {
        AddEntry(type, prefix, n, "Year", At(pos, race_ref::kYear), F::kDigits);
        AddEntry(type, prefix, n, "MonthDay", At(pos, race_ref::kMonthDay), F::kDigits);
        AddEntry(type, prefix, n, "Venue", At(pos, race_ref::kVenue), F::kCode);
        AddEntry(type, prefix, n, "Meeting", At(pos, race_ref::kMeeting), F::kDigits);
        AddEntry(type, prefix, n, "DayOfMeeting", At(pos, race_ref::kDayOfMeeting), F::kDigits);
        AddEntry(type, prefix, n, "RaceNumber", At(pos, race_ref::kRaceNumber), F::kDigits);
    }

    void GradedWins(T type, const std::string& ns, int (*entryPos)(int)) {
        const std::string p = ns + ".GradedWin";
        for (int e = 1; e <= graded_win::kEntries; ++e) {
            int pos = entryPos(e);
            RaceRef(type, p, e, pos);
            AddEntry(type, p, e, "RaceNameShort3", At(pos, graded_win::kRaceNameShort3), F::kText);
            AddEntry(type, p, e, "Grade", At(pos, graded_win::kGrade), F::kCode);
            AddEntry(type, p, e, "Starters", At(pos, graded_win::kStarters), F::kDigits);
            AddEntry(type, p, e, "HorseName", At(pos, graded_win::kHorseName), F::kText);
        }
    }

    void Counts(T type, const std::string& name, int pos, EntryField counts) {
        for (int place = 1; place <= results::kPlaces; ++place) {
            Add(type, name + "[" + std::to_string(place) + "]",
                At(pos, results::kCount(counts, place)), F::kDigits);
        }
    }

    void Results(T type, const std::string& ns, int (*blockPos)(int)) {
        for (int period = 0; period < results::kPeriods; ++period) {
            const int pos = blockPos(period);
            const std::string p = ns + ".Results(" + std::to_string(period) + ").";
            Add(type, p + "Year", At(pos, results::kYear), F::kDigits);
            Add(type, p + "FlatPrize", At(pos, results::kFlatPrize), F::kDigits);
            Add(type, p + "JumpPrize", At(pos, results::kJumpPrize), F::kDigits);
            Add(type, p + "FlatAdded", At(pos, results::kFlatAdded), F::kDigits);
            Add(type, p + "JumpAdded", At(pos, results::kJumpAdded), F::kDigits);
            Counts(type, p + "FlatCounts", pos, results::kFlatCounts);
            Counts(type, p + "JumpCounts", pos, results::kJumpCounts);
            for (int v = 1; v <= results::kVenues; ++v) {
                const std::string vs = std::to_string(v);
                Counts(type, p + "VenueFlatCounts(" + vs + ")", pos, results::kVenueFlatCounts(v));
                Counts(type, p + "VenueJumpCounts(" + vs + ")", pos, results::kVenueJumpCounts(v));
            }
            for (int d = 1; d <= results::kDistanceBands; ++d) {
                const std::string ds = std::to_string(d);
                Counts(type, p + "TurfCounts(" + ds + ")", pos, results::kTurfCounts(d));
                Counts(type, p + "DirtCounts(" + ds + ")", pos, results::kDirtCounts(d));
            }
        }
    }

  private:
    std::vector<NamedField>& out_;
};

void AddRa(CatalogBuilder& b) {
    const T t = T::RA;
    b.Head(t);
    b.Add(t, "ra.Weekday", ra::kWeekday, F::kCode);
    b.Add(t, "ra.RaceName", ra::kRaceName, F::kText);
    b.Add(t, "ra.RaceNameShort6", ra::kRaceNameShort6, F::kText);
    b.Add(t, "ra.RaceNameShort3", ra::kRaceNameShort3, F::kText);
    b.Add(t, "ra.GradeEdition", ra::kGradeEdition, F::kDigits);
    b.Add(t, "ra.Grade", ra::kGrade, F::kCode);
    b.Add(t, "ra.RaceType", ra::kRaceType, F::kCode);
    b.Add(t, "ra.RaceSymbol", ra::kRaceSymbol, F::kCode);
    b.Add(t, "ra.WeightType", ra::kWeightType, F::kCode);
    b.Add(t, "ra.Condition2yo", ra::kCondition2yo, F::kCode);
    b.Add(t, "ra.Condition3yo", ra::kCondition3yo, F::kCode);
    b.Add(t, "ra.Condition4yo", ra::kCondition4yo, F::kCode);
    b.Add(t, "ra.Condition5yoUp", ra::kCondition5yoUp, F::kCode);
    b.Add(t, "ra.ConditionYoungest", ra::kConditionYoungest, F::kCode);
    b.Add(t, "ra.Distance", ra::kDistance, F::kDigits);
    b.Add(t, "ra.Track", ra::kTrack, F::kCode);
    b.Add(t, "ra.CourseDivision", ra::kCourseDivision, F::kCode);
    for (int k = 1; k <= ra::kPrizePlaces; ++k) {
        b.Add(t, "ra.Prize(" + std::to_string(k) + ")", ra::kPrize(k), F::kDigits);
    }
    for (int k = 1; k <= ra::kAddedPrizePlaces; ++k) {
        b.Add(t, "ra.AddedPrize(" + std::to_string(k) + ")", ra::kAddedPrize(k), F::kDigits);
    }
    b.Add(t, "ra.PostTime", ra::kPostTime, F::kDigits);
    b.Add(t, "ra.PostHour", ra::kPostHour, F::kDigits);
    b.Add(t, "ra.PostMinute", ra::kPostMinute, F::kDigits);
    b.Add(t, "ra.Entered", ra::kEntered, F::kDigits);
    b.Add(t, "ra.Starters", ra::kStarters, F::kDigits);
    b.Add(t, "ra.Finishers", ra::kFinishers, F::kDigits);
    b.Add(t, "ra.Weather", ra::kWeather, F::kCode);
    b.Add(t, "ra.TurfGoing", ra::kTurfGoing, F::kCode);
    b.Add(t, "ra.DirtGoing", ra::kDirtGoing, F::kCode);
}

void AddSe(CatalogBuilder& b) {
    const T t = T::SE;
    b.Head(t);
    b.Add(t, "se.Bracket", se::kBracket, F::kDigits);
    b.Add(t, "se.HorseNumber", se::kHorseNumber, F::kDigits);
    b.Add(t, "se.Pedigree", se::kPedigree, F::kDigits);
    b.Add(t, "se.PedigreeYear", se::kPedigreeYear, F::kDigits);
    b.Add(t, "se.HorseName", se::kHorseName, F::kText);
    b.Add(t, "se.Sex", se::kSex, F::kCode);
    b.Add(t, "se.Age", se::kAge, F::kDigits);
    b.Add(t, "se.TrainerCode", se::kTrainerCode, F::kDigits);
    b.Add(t, "se.TrainerShort", se::kTrainerShort, F::kText);
    b.Add(t, "se.CarriedWeight", se::kCarriedWeight, F::kDigits);
    b.Add(t, "se.Blinkers", se::kBlinkers, F::kCode);
    b.Add(t, "se.JockeyCode", se::kJockeyCode, F::kDigits);
    b.Add(t, "se.JockeyShort", se::kJockeyShort, F::kText);
    b.Add(t, "se.Apprentice", se::kApprentice, F::kCode);
    b.Add(t, "se.BodyWeight", se::kBodyWeight, F::kDigits);
    b.Add(t, "se.WeightChangeSign", se::kWeightChangeSign, F::kText);
    b.Add(t, "se.WeightChange", se::kWeightChange, F::kDigits);
    b.Add(t, "se.Abnormality", se::kAbnormality, F::kCode);
    b.Add(t, "se.PassingOrder", se::kPassingOrder, F::kDigits);
    b.Add(t, "se.Finish", se::kFinish, F::kDigits);
    b.Add(t, "se.Time", se::kTime, F::kDigits);
    b.Add(t, "se.TimeMinutes", se::kTimeMinutes, F::kDigits);
    b.Add(t, "se.TimeSeconds", se::kTimeSeconds, F::kDigits);
    b.Add(t, "se.TimeTenths", se::kTimeTenths, F::kDigits);
    b.Add(t, "se.Margin", se::kMargin, F::kCode);
    for (int c = 1; c <= se::kCornerCount; ++c) {
        b.Add(t, "se.Corner(" + std::to_string(c) + ")", se::kCorner(c), F::kDigits);
    }
    b.Add(t, "se.WinOdds", se::kWinOdds, F::kOdds);
    b.Add(t, "se.WinPopularity", se::kWinPopularity, F::kOdds);
    b.Add(t, "se.PrizeWon", se::kPrizeWon, F::kDigits);
    b.Add(t, "se.AddedPrizeWon", se::kAddedPrizeWon, F::kDigits);
    b.Add(t, "se.Last3F", se::kLast3F, F::kDigits);
    b.Add(t, "se.Last3FSeconds", se::kLast3FSeconds, F::kDigits);
    b.Add(t, "se.Last3FTenths", se::kLast3FTenths, F::kDigits);
    b.Add(t, "se.OpponentName", se::kOpponentName, F::kText);
    b.Add(t, "se.TimeBehind", se::kTimeBehind, F::kText);
    b.Add(t, "se.TimeBehindSign", se::kTimeBehindSign, F::kText);
    b.Add(t, "se.TimeBehindValue", se::kTimeBehindValue, F::kDigits);
}

void AddHr(CatalogBuilder& b) {
    const T t = T::HR;
    b.Head(t);
    for (int bt = 0; bt < hr::kBetTypeCount; ++bt) {
        const auto& block = hr::kBlocks[static_cast<size_t>(bt)];
        const std::string p = "hr.Block" + std::to_string(bt) + ".Entry";
        for (int k = 1; k <= block.entries; ++k) {
            b.AddEntry(t, p, k, "Combo", block.Combo(k), F::kDigits);
            b.AddEntry(t, p, k, "Payout", block.Payout(k), F::kDigits);
            b.AddEntry(t, p, k, "Popularity", block.Popularity(k), F::kDigits);
        }
    }
}

void AddO1(CatalogBuilder& b) {
    const T t = T::O1;
    b.Head(t);
    b.Add(t, "o1.Announced", o1::kAnnounced, F::kDigits);
    b.Add(t, "o1.AnnouncedMonthDay", o1::kAnnouncedMonthDay, F::kDigits);
    b.Add(t, "o1.AnnouncedHour", o1::kAnnouncedHour, F::kDigits);
    b.Add(t, "o1.AnnouncedMinute", o1::kAnnouncedMinute, F::kDigits);
    for (int i = 0; i < o1::kWinEntries; ++i) {
        b.AddEntry(t, "o1.Win", i, "Horse", o1::kWinHorse(i), F::kDigits);
        b.AddEntry(t, "o1.Win", i, "Odds", o1::kWinOdds(i), F::kOdds);
        b.AddEntry(t, "o1.Win", i, "Popularity", o1::kWinPopularity(i), F::kOdds);
    }
    for (int i = 0; i < o1::kPlaceEntries; ++i) {
        b.AddEntry(t, "o1.Place", i, "Horse", o1::kPlaceHorse(i), F::kDigits);
        b.AddEntry(t, "o1.Place", i, "OddsLow", o1::kPlaceOddsLow(i), F::kOdds);
        b.AddEntry(t, "o1.Place", i, "OddsHigh", o1::kPlaceOddsHigh(i), F::kOdds);
        b.AddEntry(t, "o1.Place", i, "Popularity", o1::kPlacePopularity(i), F::kOdds);
    }
}

void AddO5(CatalogBuilder& b) {
    const T t = T::O5;
    b.Head(t);
    b.Add(t, "o5.Announced", o5::kAnnounced, F::kDigits);
    b.Add(t, "o5.AnnouncedMonthDay", o5::kAnnouncedMonthDay, F::kDigits);
    b.Add(t, "o5.AnnouncedHour", o5::kAnnouncedHour, F::kDigits);
    b.Add(t, "o5.AnnouncedMinute", o5::kAnnouncedMinute, F::kDigits);
    for (int n = 1; n <= o5::kTrioEntries; ++n) {
        b.AddEntry(t, "o5.Trio", n, "Combo", o5::kTrioCombo(n), F::kDigits);
        b.AddEntry(t, "o5.Trio", n, "Odds", o5::kTrioOdds(n), F::kOdds);
        b.AddEntry(t, "o5.Trio", n, "Popularity", o5::kTrioPopularity(n), F::kOdds);
    }
}

void AddUm(CatalogBuilder& b) {
    const T t = T::UM;
    b.Head(t);
    b.Add(t, "um.Key", um::kKey, F::kDigits);
    b.Add(t, "um.BirthDate", um::kBirthDate, F::kDigits);
    b.Add(t, "um.BirthYear", um::kBirthYear, F::kDigits);
    b.Add(t, "um.BirthMonth", um::kBirthMonth, F::kDigits);
    b.Add(t, "um.BirthDay", um::kBirthDay, F::kDigits);
    b.Add(t, "um.HorseName", um::kHorseName, F::kText);
    b.Add(t, "um.HorseSymbol", um::kHorseSymbol, F::kCode);
    b.Add(t, "um.Sex", um::kSex, F::kCode);
    b.Add(t, "um.Breed", um::kBreed, F::kCode);
    b.Add(t, "um.Coat", um::kCoat, F::kCode);
    b.Add(t, "um.TrainingCentre", um::kTrainingCentre, F::kCode);
    b.Add(t, "um.TrainerShort", um::kTrainerShort, F::kText);
    b.Add(t, "um.InvitingRegion", um::kInvitingRegion, F::kText);
    b.Add(t, "um.Breeder", um::kBreeder, F::kText);
    b.Add(t, "um.BreedingPlace", um::kBreedingPlace, F::kText);
    b.Add(t, "um.Owner", um::kOwner, F::kText);
    for (int j = 1; j <= um::kPrizeTotalCount; ++j) {
        b.Add(t, "um.PrizeTotal(" + std::to_string(j) + ")", um::kPrizeTotal(j), F::kDigits);
    }
    for (int block = 1; block <= um::kFinishBlockCount; ++block) {
        for (int place = 1; place <= um::kFinishPlaces; ++place) {
            b.Add(t, "um.FinishCount(" + std::to_string(block) + "," + std::to_string(place) + ")",
                  um::kFinishCount(block, place), F::kDigits);
        }
    }
    for (int s = 1; s <= um::kRunningStyleCount; ++s) {
        b.Add(t, "um.RunningStyle(" + std::to_string(s) + ")", um::kRunningStyle(s), F::kDigits);
    }
}

void AddKs(CatalogBuilder& b) {
    const T t = T::KS;
    b.Head(t);
    b.Add(t, "ks.Key", ks::kKey, F::kDigits);
    b.Add(t, "ks.LicenceDate", ks::kLicenceDate, F::kDigits);
    b.Add(t, "ks.LicenceYear", ks::kLicenceYear, F::kDigits);
    b.Add(t, "ks.LicenceMonth", ks::kLicenceMonth, F::kDigits);
    b.Add(t, "ks.LicenceDay", ks::kLicenceDay, F::kDigits);
    b.Add(t, "ks.BirthDate", ks::kBirthDate, F::kDigits);
    b.Add(t, "ks.BirthYear", ks::kBirthYear, F::kDigits);
    b.Add(t, "ks.BirthMonth", ks::kBirthMonth, F::kDigits);
    b.Add(t, "ks.BirthDay", ks::kBirthDay, F::kDigits);
    b.Add(t, "ks.Name", ks::kName, F::kText);
    b.Add(t, "ks.NameKana", ks::kNameKana, F::kText);
    b.Add(t, "ks.Sex", ks::kSex, F::kCode);
    b.Add(t, "ks.Qualification", ks::kQualification, F::kCode);
    b.Add(t, "ks.Apprentice", ks::kApprentice, F::kCode);
    b.Add(t, "ks.TrainingCentre", ks::kTrainingCentre, F::kCode);
    b.Add(t, "ks.InvitingRegion", ks::kInvitingRegion, F::kText);
    b.Add(t, "ks.StableTrainerShort", ks::kStableTrainerShort, F::kText);
    for (int c = ks::kFlatCourse; c <= ks::kJumpCourse; ++c) {
        int pos = ks::FirstRidePos(c);
        b.RaceRef(t, "ks.FirstRide", c, pos);
        b.AddEntry(t, "ks.FirstRide", c, "Starters", At(pos, first_ride::kStarters), F::kDigits);
        b.AddEntry(t, "ks.FirstRide", c, "HorseName", At(pos, first_ride::kHorseName), F::kText);
        b.AddEntry(t, "ks.FirstRide", c, "Finish", At(pos, first_ride::kFinish), F::kDigits);
        pos = ks::FirstWinPos(c);
        b.RaceRef(t, "ks.FirstWin", c, pos);
        b.AddEntry(t, "ks.FirstWin", c, "Starters", At(pos, first_win::kStarters), F::kDigits);
        b.AddEntry(t, "ks.FirstWin", c, "HorseName", At(pos, first_win::kHorseName), F::kText);
    }
    b.GradedWins(t, "ks", ks::GradedWinPos);
    b.Results(t, "ks", ks::ResultsPos);
}

void AddCh(CatalogBuilder& b) {
    const T t = T::CH;
    b.Head(t);
    b.Add(t, "ch.Key", ch::kKey, F::kDigits);
    b.Add(t, "ch.LicenceDate", ch::kLicenceDate, F::kDigits);
    b.Add(t, "ch.LicenceYear", ch::kLicenceYear, F::kDigits);
    b.Add(t, "ch.LicenceMonth", ch::kLicenceMonth, F::kDigits);
    b.Add(t, "ch.LicenceDay", ch::kLicenceDay, F::kDigits);
    b.Add(t, "ch.BirthDate", ch::kBirthDate, F::kDigits);
    b.Add(t, "ch.BirthYear", ch::kBirthYear, F::kDigits);
    b.Add(t, "ch.BirthMonth", ch::kBirthMonth, F::kDigits);
    b.Add(t, "ch.BirthDay", ch::kBirthDay, F::kDigits);
    b.Add(t, "ch.Name", ch::kName, F::kText);
    b.Add(t, "ch.NameKana", ch::kNameKana, F::kText);
    b.Add(t, "ch.Sex", ch::kSex, F::kCode);
    b.Add(t, "ch.TrainingCentre", ch::kTrainingCentre, F::kCode);
    b.Add(t, "ch.InvitingRegion", ch::kInvitingRegion, F::kText);
    b.GradedWins(t, "ch", ch::GradedWinPos);
    b.Results(t, "ch", ch::ResultsPos);
}

std::vector<NamedField> BuildCatalog() {
    std::vector<NamedField> out;
    CatalogBuilder b(out);
    AddRa(b);
    AddSe(b);
    AddHr(b);
    AddO1(b);
    AddO5(b);
    b.Head(T::DM);
    AddUm(b);
    AddKs(b);
    AddCh(b);
    return out;
}

}  // namespace

const std::vector<NamedField>& FieldCatalog() {
    static const std::vector<NamedField> catalog = BuildCatalog();
    return catalog;
}

}  // namespace quindle::store::layout
