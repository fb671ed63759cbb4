#include "core/store/codes/venue.h"
#include "core/text/cp932.h"
#include "jvsim/league/extra_layout.h"
#include "jvsim/league/record_builder.h"
#include "jvsim/league/records.h"
#include "jvsim/league/venues.h"

namespace quindle::jvsim::league {
namespace layout = store::layout;
using layout::At;

namespace {

void PutRaceRef(RecordBuilder& b, int pos, const RaceRef& r) {
    namespace rr = layout::race_ref;
    if (r.date == 0) return;
    b.Put(At(pos, rr::kYear), Date8(r.date).substr(0, 4));
    b.Put(At(pos, rr::kMonthDay), MonthDay4(r.date));
    b.Text(At(pos, rr::kVenue), r.venue);
    b.Number(At(pos, rr::kMeeting), r.meeting);
    b.Number(At(pos, rr::kDayOfMeeting), r.dayOfMeeting);
    b.Number(At(pos, rr::kRaceNumber), r.raceNumber);
}

void PutCounts(RecordBuilder& b, int pos, layout::EntryField counts,
               const FinishCounts<std::uint32_t>& c) {
    namespace res = layout::results;
    for (int place = 1; place <= res::kPlaces; ++place) {
        b.Number(At(pos, res::kCount(counts, place)), c.n[static_cast<std::size_t>(place - 1)]);
    }
}

void PutResultsBlock(RecordBuilder& b, int pos, const PersonYear& y) {
    namespace res = layout::results;
    const FinishCounts<std::uint32_t> none;
    b.Number(At(pos, res::kYear), y.year);
    b.Number(At(pos, res::kFlatPrize), y.flatPrize);
    b.Number(At(pos, res::kJumpPrize), 0);
    b.Number(At(pos, res::kFlatAdded), y.flatAdded);
    b.Number(At(pos, res::kJumpAdded), 0);
    PutCounts(b, pos, res::kFlatCounts, y.flat);
    PutCounts(b, pos, res::kJumpCounts, none);
    for (int v = 1; v <= res::kVenues; ++v) {
        PutCounts(b, pos, res::kVenueFlatCounts(v), y.venues[static_cast<std::size_t>(v - 1)]);
        PutCounts(b, pos, res::kVenueJumpCounts(v), none);
    }
    for (int d = 1; d <= res::kDistanceBands; ++d) {
        PutCounts(b, pos, res::kTurfCounts(d), y.turf[static_cast<std::size_t>(d - 1)]);
        PutCounts(b, pos, res::kDirtCounts(d), y.dirt[static_cast<std::size_t>(d - 1)]);
    }
}

void PutResults(RecordBuilder& b, int (*resultsPos)(int), const PersonResults& r) {
    namespace res = layout::results;
    PutResultsBlock(b, resultsPos(res::kThisYear), r.thisYear);
    PutResultsBlock(b, resultsPos(res::kLastYear), r.lastYear);
    PersonYear all = r.allYears;
    all.year = 0;
    PutResultsBlock(b, resultsPos(res::kAllYears), all);
}

void PutGradedWins(RecordBuilder& b, int (*gradedPos)(int), const std::vector<RaceRef>& wins) {
    namespace gw = layout::graded_win;
    for (int e = 1; e <= gw::kEntries && e <= static_cast<int>(wins.size()); ++e) {
        const RaceRef& r = wins[static_cast<std::size_t>(e - 1)];
        int pos = gradedPos(e);
        PutRaceRef(b, pos, r);
        b.Name(At(pos, extra::kGradedRaceName), r.raceName);
        b.Name(At(pos, extra::kGradedShort10), r.short10);
        b.Name(At(pos, extra::kGradedShort6), r.short6);
        b.Name(At(pos, gw::kRaceNameShort3), r.short3);
        b.Put(At(pos, gw::kGrade), std::string(1, r.grade));
        b.Number(At(pos, gw::kStarters), r.starters);
        b.Text(At(pos, extra::kGradedPedigree), r.pedigree);
        b.Name(At(pos, gw::kHorseName), r.horseName);
    }
}

std::string KindFor(bool written) {
    return written ? "2" : "1";
}

// 東西所属コード of a rider: the two training centres, invited riders from
// abroad (3) and from local tracks (4).
int AffiliationOf(const Jockey& j) {
    switch (j.kind) {
        case JockeyKind::Central:
            return static_cast<int>(j.centre);
        case JockeyKind::Local:
            return 4;
        default:
            return 3;
    }
}

}  // namespace

std::string BuildUM(const World& world, const Horse& h, Day created) {
    namespace um = layout::um;
    const Trainer& t = world.trainers[static_cast<std::size_t>(h.trainer)];
    const Owner& o = world.owners[static_cast<std::size_t>(h.owner)];
    const Breeder& br = world.breeders[static_cast<std::size_t>(h.breeder)];
    RecordBuilder b(RecordType::UM);
    b.Head(KindFor(h.written), Date8(created));
    b.Number(um::kKey, h.pedigree);
    b.Number(extra::um::kDeleted, h.retiredOn != 0 ? 1 : 0);
    b.Put(extra::um::kRegistered, Date8(h.registered));
    if (h.retiredOn != 0) b.Put(extra::um::kDeletedOn, Date8(h.retiredOn));
    b.Put(um::kBirthDate, Date8(h.birth));
    b.Name(um::kHorseName, h.name);
    b.Text(extra::um::kNameKana, h.kana);
    b.Number(extra::um::kAtJraStable, h.loc == Location::Central ? 1 : 0);
    b.Number(um::kHorseSymbol, h.symbol);
    b.Number(um::kSex, h.sex);
    b.Number(um::kBreed, 1);
    b.Number(um::kCoat, h.coat);
    for (int i = 0; i < extra::um::kPedigreeEntries; ++i) {
        const Ancestor& a =
            world.ancestors[static_cast<std::size_t>(h.ancestors[static_cast<std::size_t>(i)])];
        b.Put(extra::um::PedigreeNumber(i), a.number);
        b.Name(extra::um::PedigreeName(i), a.name);
    }
    b.Number(um::kTrainingCentre, static_cast<int>(h.centre));
    b.Put(extra::um::kTrainerCode, t.code);
    b.Name(um::kTrainerShort, t.shortName);
    b.Put(extra::um::kBreederCode, br.code);
    b.Name(um::kBreeder, br.name);
    b.Name(um::kBreedingPlace, br.place);
    b.Put(extra::um::kOwnerCode, o.code);
    b.Name(um::kOwner, o.name);
    for (int j = 1; j <= um::kPrizeTotalCount; ++j) {
        b.Number(um::kPrizeTotal(j), h.counts.prizes[static_cast<std::size_t>(j - 1)]);
    }
    for (int block = 1; block <= um::kFinishBlockCount; ++block) {
        const auto& c = h.counts.blocks[static_cast<std::size_t>(block - 1)];
        for (int place = 1; place <= um::kFinishPlaces; ++place) {
            b.Number(um::kFinishCount(block, place), c.n[static_cast<std::size_t>(place - 1)]);
        }
    }
    for (int s = 1; s <= um::kRunningStyleCount; ++s) {
        b.Number(um::kRunningStyle(s), h.counts.styles[static_cast<std::size_t>(s - 1)]);
    }
    b.Number(extra::um::kRacesRun, h.counts.racesRun);
    return b.Finish();
}

std::string BuildKS(const World& world, const Jockey& j, Day created) {
    namespace ks = layout::ks;
    RecordBuilder b(RecordType::KS);
    b.Head(KindFor(j.written), Date8(created));
    b.Put(ks::kKey, j.code);
    b.Number(extra::ks::kDeleted, j.retiredOn != 0 ? 1 : 0);
    if (j.retiredOn != 0) b.Put(extra::ks::kDeletedOn, Date8(j.retiredOn));
    b.Put(ks::kLicenceDate, Date8(j.licence));
    b.Put(ks::kBirthDate, Date8(j.birth));
    b.Name(ks::kName, j.fullName);
    b.Text(ks::kNameKana, j.kana);
    b.Name(extra::ks::kShortName, j.shortName);
    b.Number(ks::kSex, j.sex);
    b.Number(ks::kQualification, j.code.back() % 3 == 0 ? 1 : 2);
    b.Number(ks::kApprentice, j.ApprenticeCode(created));
    b.Number(ks::kTrainingCentre, AffiliationOf(j));
    if (j.kind == JockeyKind::Local && j.localVenue >= 0) {
        std::string venue =
            store::VenueName(LocalVenues()[static_cast<std::size_t>(j.localVenue)].code, 3);
        b.Name(ks::kInvitingRegion, std::string(text::TrimRightBlanks(venue)));
    }
    if (j.stableTrainer >= 0) {
        const Trainer& t = world.trainers[static_cast<std::size_t>(j.stableTrainer)];
        b.Put(extra::ks::kStableTrainerCode, t.code);
        b.Name(ks::kStableTrainerShort, t.shortName);
    }
    if (j.firstRide.date != 0) {
        namespace fr = layout::first_ride;
        int pos = ks::FirstRidePos(ks::kFlatCourse);
        PutRaceRef(b, pos, j.firstRide);
        b.Number(At(pos, fr::kStarters), j.firstRide.starters);
        b.Text(At(pos, extra::kFirstRidePedigree), j.firstRide.pedigree);
        b.Name(At(pos, fr::kHorseName), j.firstRide.horseName);
        b.Number(At(pos, fr::kFinish), j.firstRide.finish);
        b.Number(At(pos, extra::kFirstRideAbnormality), 0);
    }
    if (j.firstWin.date != 0) {
        namespace fw = layout::first_win;
        int pos = ks::FirstWinPos(ks::kFlatCourse);
        PutRaceRef(b, pos, j.firstWin);
        b.Number(At(pos, fw::kStarters), j.firstWin.starters);
        b.Text(At(pos, extra::kFirstWinPedigree), j.firstWin.pedigree);
        b.Name(At(pos, fw::kHorseName), j.firstWin.horseName);
    }
    PutGradedWins(b, ks::GradedWinPos, j.gradedWins);
    PutResults(b, ks::ResultsPos, j.results);
    return b.Finish();
}

std::string BuildCH(const World&, const Trainer& t, Day created) {
    namespace ch = layout::ch;
    RecordBuilder b(RecordType::CH);
    b.Head(KindFor(t.written), Date8(created));
    b.Put(ch::kKey, t.code);
    b.Number(extra::ch::kDeleted, 0);
    b.Put(ch::kLicenceDate, Date8(t.licence));
    b.Put(ch::kBirthDate, Date8(t.birth));
    b.Name(ch::kName, t.fullName);
    b.Text(ch::kNameKana, t.kana);
    b.Name(extra::ch::kShortName, t.shortName);
    b.Number(ch::kSex, t.sex);
    b.Number(ch::kTrainingCentre, static_cast<int>(t.centre));
    PutGradedWins(b, ch::GradedWinPos, t.gradedWins);
    PutResults(b, ch::ResultsPos, t.results);
    return b.Finish();
}

}  // namespace quindle::jvsim::league
