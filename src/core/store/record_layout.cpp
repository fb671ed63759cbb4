#include "core/store/record_layout.h"

#include <initializer_list>
#include <string>

namespace quindle::store::layout {
namespace {

// "<block> <n> 番目の": the name of entry n of a repeated block, which the
// name of the entry's field follows.
std::string Nth(std::string_view block, int n) {
    return std::string(block) + " " + std::to_string(n) + " 番目の";
}

// A place of a set of finish counts: "1着" to "5着", then "着外".
std::string PlaceText(int place) {
    return place < results::kPlaces ? std::to_string(place) + "着" : "着外";
}

class CatalogBuilder {
  public:
    CatalogBuilder(std::vector<NamedField>& out, RecordType type) : out_(out), type_(type) {}

    RecordType type() const { return type_; }

    void Add(std::string name, FieldPos pos, FieldForm form) {
        out_.push_back({type_, std::move(name), pos, form});
    }
    void Add(std::initializer_list<RecordField> fields) {
        for (const auto& f : fields) Add(std::string(f.name), f, f.form);
    }
    // Fields of the entry starting at `entryPos`, named "<entry><field>".
    void AddEntry(const std::string& entry, int entryPos,
                  std::initializer_list<EntryField> fields) {
        for (const auto& f : fields) Add(entry + std::string(f.name), At(entryPos, f), f.form);
    }
    void AddRaceRef(const std::string& entry, int entryPos) {
        AddEntry(entry, entryPos,
                 {race_ref::kYear, race_ref::kMonthDay, race_ref::kVenue, race_ref::kMeeting,
                  race_ref::kDayOfMeeting, race_ref::kRaceNumber});
    }
    // The six counts of a set of finish counts, "<name> 1着" .. "<name> 着外".
    void AddCounts(const std::string& name, int entryPos, EntryField counts) {
        for (int place = 1; place <= results::kPlaces; ++place) {
            Add(name + " " + PlaceText(place), At(entryPos, results::kCount(counts, place)),
                FieldForm::kDigits);
        }
    }

  private:
    std::vector<NamedField>& out_;
    RecordType type_;
};

void AddHead(CatalogBuilder& b) {
    b.Add({head::kRecordType, head::kDataKind, head::kCreationDate});
    if (!HasRaceKey(b.type())) return;
    b.Add({head::kRaceKey, head::kRaceDate, head::kVenue, head::kMeeting, head::kDayOfMeeting,
           head::kRaceNumber});
}

void AddRa(CatalogBuilder& b) {
    using namespace ra;
    b.Add({kWeekday, kRaceName, kRaceNameShort6, kRaceNameShort3, kGradeEdition, kGrade, kRaceType,
           kRaceSymbol, kWeightType, kCondition2yo, kCondition3yo, kCondition4yo, kCondition5yoUp,
           kConditionYoungest, kDistance, kTrack, kCourseDivision});
    for (int k = 1; k <= kPrizePlaces; ++k) {
        b.Add("本賞金 (" + PlaceText(k) + ")", kPrize(k), FieldForm::kDigits);
    }
    for (int k = 1; k <= kAddedPrizePlaces; ++k) {
        b.Add("付加賞金 (" + PlaceText(k) + ")", kAddedPrize(k), FieldForm::kDigits);
    }
    b.Add({kPostTime, kEntered, kStarters, kFinishers, kWeather, kTurfGoing, kDirtGoing});
}

void AddSe(CatalogBuilder& b) {
    using namespace se;
    b.Add({kBracket,      kHorseNumber, kPedigree,     kHorseName,     kSex,
           kAge,          kTrainerCode, kTrainerShort, kCarriedWeight, kBlinkers,
           kJockeyCode,   kJockeyShort, kApprentice,   kBodyWeight,    kWeightChangeSign,
           kWeightChange, kAbnormality, kPassingOrder, kFinish,        kTime,
           kMargin});
    for (int c = 1; c <= kCornerCount; ++c) {
        b.Add(std::to_string(c) + " コーナーでの順位", kCorner(c), FieldForm::kDigits);
    }
    b.Add({kWinOdds, kWinPopularity, kPrizeWon, kAddedPrizeWon, kLast3F, kOpponentName, kTimeBehind,
           kTimeBehindSign, kTimeBehindValue});
}

void AddHr(CatalogBuilder& b) {
    for (const auto& block : hr::kBlocks) {
        for (int k = 1; k <= block.entries; ++k) {
            const std::string entry = Nth(block.name, k);
            b.Add(entry + "組番", block.Combo(k), FieldForm::kDigits);
            b.Add(entry + "払戻金", block.Payout(k), FieldForm::kDigits);
            b.Add(entry + "人気順", block.Popularity(k), FieldForm::kDigits);
        }
    }
}

// Odds entries are numbered from 1 in names, as the horses they stand for.
void AddO1(CatalogBuilder& b) {
    using namespace o1;
    b.Add({kAnnounced});
    for (int i = 0; i < kWinEntries; ++i) {
        const std::string entry = Nth("単勝オッズ", i + 1);
        b.Add(entry + "馬番", kWinHorse(i), FieldForm::kDigits);
        b.Add(entry + "オッズ", kWinOdds(i), FieldForm::kOdds);
        b.Add(entry + "人気順", kWinPopularity(i), FieldForm::kOdds);
    }
    for (int i = 0; i < kPlaceEntries; ++i) {
        const std::string entry = Nth("複勝オッズ", i + 1);
        b.Add(entry + "馬番", kPlaceHorse(i), FieldForm::kDigits);
        b.Add(entry + "最低オッズ", kPlaceOddsLow(i), FieldForm::kOdds);
        b.Add(entry + "最高オッズ", kPlaceOddsHigh(i), FieldForm::kOdds);
        b.Add(entry + "人気順", kPlacePopularity(i), FieldForm::kOdds);
    }
}

void AddO5(CatalogBuilder& b) {
    using namespace o5;
    b.Add({kAnnounced});
    for (int n = 1; n <= kTrioEntries; ++n) {
        const std::string entry = Nth("3連複オッズ", n);
        b.Add(entry + "組番", kTrioCombo(n), FieldForm::kDigits);
        b.Add(entry + "オッズ", kTrioOdds(n), FieldForm::kOdds);
        b.Add(entry + "人気順", kTrioPopularity(n), FieldForm::kOdds);
    }
}

void AddUm(CatalogBuilder& b) {
    using namespace um;
    static constexpr std::string_view kPrizeTotalNames[] = {
        "平地本賞金累計",   "障害本賞金累計",   "平地付加賞金累計",
        "障害付加賞金累計", "平地収得賞金累計", "障害収得賞金累計",
    };
    static_assert(std::size(kPrizeTotalNames) == kPrizeTotalCount);
    static constexpr std::string_view kStyleNames[] = {"逃げ", "先行", "差し", "追込"};
    static_assert(std::size(kStyleNames) == kRunningStyleCount);

    b.Add({kKey, kBirthDate, kHorseName, kHorseSymbol, kSex, kBreed, kCoat, kTrainingCentre,
           kTrainerShort, kInvitingRegion, kBreeder, kBreedingPlace, kOwner});
    for (int j = 1; j <= kPrizeTotalCount; ++j) {
        b.Add(std::string(kPrizeTotalNames[j - 1]), kPrizeTotal(j), FieldForm::kDigits);
    }
    for (int block = 1; block <= kFinishBlockCount; ++block) {
        for (int place = 1; place <= kFinishPlaces; ++place) {
            b.Add(Nth("着回数", block) + PlaceText(place), kFinishCount(block, place),
                  FieldForm::kDigits);
        }
    }
    for (int s = 1; s <= kRunningStyleCount; ++s) {
        b.Add("脚質傾向 " + std::string(kStyleNames[s - 1]) + "回数", kRunningStyle(s),
              FieldForm::kDigits);
    }
}

// Graded wins and results, laid out alike in the jockey and trainer records.
void AddPersonRecord(CatalogBuilder& b, int (*gradedWinPos)(int), int (*resultsPos)(int)) {
    for (int e = 1; e <= graded_win::kEntries; ++e) {
        const std::string entry = Nth("最近重賞勝利", e);
        b.AddRaceRef(entry, gradedWinPos(e));
        b.AddEntry(entry, gradedWinPos(e),
                   {graded_win::kRaceNameShort3, graded_win::kGrade, graded_win::kStarters,
                    graded_win::kHorseName});
    }
    static constexpr std::string_view kPeriodNames[] = {"本年", "前年", "累計"};
    static_assert(std::size(kPeriodNames) == results::kPeriods);
    static constexpr std::string_view kBandNames[] = {"1600m 以下", "2200m 以下", "2201m 以上"};
    static_assert(std::size(kBandNames) == results::kDistanceBands);
    using namespace results;
    for (int period = 0; period < kPeriods; ++period) {
        const int pos = resultsPos(period);
        const std::string p = std::string(kPeriodNames[period]) + "成績の";
        b.AddEntry(p, pos, {kYear, kFlatPrize, kJumpPrize, kFlatAdded, kJumpAdded});
        b.AddCounts(p + std::string(kFlatCounts.name), pos, kFlatCounts);
        b.AddCounts(p + std::string(kJumpCounts.name), pos, kJumpCounts);
        for (int v = 1; v <= kVenues; ++v) {
            const std::string venue = p + "競馬場 " + std::to_string(v) + " の";
            b.AddCounts(venue + std::string(kFlatCounts.name), pos, kVenueFlatCounts(v));
            b.AddCounts(venue + std::string(kJumpCounts.name), pos, kVenueJumpCounts(v));
        }
        for (int d = 1; d <= kDistanceBands; ++d) {
            const std::string band = " (" + std::string(kBandNames[d - 1]) + ")";
            b.AddCounts(p + "芝着回数" + band, pos, kTurfCounts(d));
            b.AddCounts(p + "ダート着回数" + band, pos, kDirtCounts(d));
        }
    }
}

void AddKs(CatalogBuilder& b) {
    using namespace ks;
    b.Add({kKey, kLicenceDate, kBirthDate, kName, kNameKana, kSex, kQualification, kApprentice,
           kTrainingCentre, kInvitingRegion, kStableTrainerShort});
    static constexpr std::string_view kCourseNames[] = {"(平地) の", "(障害) の"};
    for (int c = kFlatCourse; c <= kJumpCourse; ++c) {
        const std::string ride = "初騎乗 " + std::string(kCourseNames[c]);
        b.AddRaceRef(ride, FirstRidePos(c));
        b.AddEntry(ride, FirstRidePos(c),
                   {first_ride::kStarters, first_ride::kHorseName, first_ride::kFinish});
        const std::string win = "初勝利 " + std::string(kCourseNames[c]);
        b.AddRaceRef(win, FirstWinPos(c));
        b.AddEntry(win, FirstWinPos(c), {first_win::kStarters, first_win::kHorseName});
    }
    AddPersonRecord(b, GradedWinPos, ResultsPos);
}

void AddCh(CatalogBuilder& b) {
    using namespace ch;
    b.Add(
        {kKey, kLicenceDate, kBirthDate, kName, kNameKana, kSex, kTrainingCentre, kInvitingRegion});
    AddPersonRecord(b, GradedWinPos, ResultsPos);
}

// The fields after the head; a new record kind is a case here.
void AddBody(CatalogBuilder& b) {
    switch (b.type()) {
        case RecordType::RA:
            return AddRa(b);
        case RecordType::SE:
            return AddSe(b);
        case RecordType::HR:
            return AddHr(b);
        case RecordType::O1:
            return AddO1(b);
        case RecordType::O5:
            return AddO5(b);
        case RecordType::DM:
            return;  // the system reads only the race key of a mining record
        case RecordType::UM:
            return AddUm(b);
        case RecordType::KS:
            return AddKs(b);
        case RecordType::CH:
            return AddCh(b);
    }
}

std::vector<NamedField> BuildCatalog() {
    std::vector<NamedField> out;
    for (const auto& kind : kRecordTypes) {
        CatalogBuilder b(out, kind.type);
        AddHead(b);
        AddBody(b);
    }
    return out;
}

}  // namespace

const std::vector<NamedField>& FieldCatalog() {
    static const std::vector<NamedField> catalog = BuildCatalog();
    return catalog;
}

}  // namespace quindle::store::layout
