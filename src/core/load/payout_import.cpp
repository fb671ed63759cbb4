#include "core/load/payout_import.h"

#include <system_error>
#include <vector>

#include "core/load/day_files.h"
#include "core/model/payout_calc.h"
#include "core/store/record_layout.h"
#include "core/text/fields.h"

namespace quindle::load {
using model::CalculatePayouts;
using model::kRaces;
using model::kRunners;
using model::RaceDay;
using model::RaImage;
using model::TOutData;

namespace {

namespace fs = std::filesystem;
namespace layout = store::layout;
namespace head = layout::head;
using layout::hr::BetType;

struct StagedRunner {
    int race;
    int slot;
    std::string record;
};

// What the import read, before any of it reaches the model.
struct StagedDay {
    std::vector<std::string> races;
    std::vector<StagedRunner> runners;
    bool hrFileExists = false;
    std::vector<std::string> payouts;
};

Result<StagedDay> ReadDay(DayFiles& files) {
    StagedDay staged;
    std::error_code ec;
    if (fs::exists(files.Ra(), ec)) {
        auto races = files.ReadRaces();
        if (!races) return Error{races.error()};
        staged.races = std::move(races->records);
        for (size_t i = 0; i < staged.races.size(); ++i) {
            RaImage ra;
            ra.Assign(staged.races[i]);
            const int race = static_cast<int>(i);
            auto found = files.ForEachRunner(ra, race + 1, [&](int slot, const std::string& rec) {
                staged.runners.push_back({race, slot, rec});
                return Status::Ok();
            });
            if (!found) return Error{found.error()};
        }
    }
    if (fs::exists(files.Hr(), ec)) {
        staged.hrFileExists = true;
        auto payouts = files.ReadPayouts();
        if (!payouts) return Error{payouts.error()};
        staged.payouts = std::move(payouts->records);
    }
    // The import replaces the payouts of the whole day: a damaged record
    // refuses it, and the day keeps what it showed.
    if (!files.Problems().empty()) return Error{files.Problems().front()};
    return staged;
}

bool SameVenueAndRace(const RaImage& a, const RaImage& b) {
    return a.Field(head::kVenue) == b.Field(head::kVenue) &&
           a.Field(head::kRaceNumber) == b.Field(head::kRaceNumber);
}

// Matches every HR record to the first race of its key; true when the race
// shown got its first payout.
bool TakePayouts(RaceDay& day, const std::vector<std::string>& payouts, int shown) {
    for (int r = 0; r < kRaces; ++r) day.RaceHR(r).Blank();
    const bool shownValid = shown >= 0 && shown < kRaces;
    bool showAgain = false;
    for (const std::string& record : payouts) {
        const std::string_view key = text::FieldAt(record, head::kRaceKey);
        // A record without a key belongs to no race (and would otherwise
        // match a race index the day does not use).
        if (text::IsBlank(key)) continue;
        for (int r = 0; r < kRaces; ++r) {
            if (day.RaceRA(r).Field(head::kRaceKey) != key) continue;
            day.RaceHR(r).Assign(record);
            TOutData& out = day.OutData(r);
            if (shownValid && out.PayoutLoaded == 0 &&
                SameVenueAndRace(day.RaceRA(r), day.RaceRA(shown))) {
                showAgain = true;
            }
            out.PayoutLoaded = 1;
            break;
        }
    }
    return showAgain;
}

// The finish positions of the place-paid horses: the k-th place payout's
// horse finished k-th ("01" to "05").
void FinishesFromPlacePayouts(RaceDay& day) {
    const auto& place = layout::hr::Block(BetType::Place);
    for (int r = 0; r < kRaces; ++r) {
        for (int k = 1; k <= place.entries; ++k) {
            const int horse = day.RaceHR(r).Int32(place.Combo(k));
            // Horse numbers beyond the 18 slots have no runner to mark.
            if (horse < 1 || horse > kRunners) continue;
            day.RunnerSE(r, horse - 1).Put(layout::se::kFinish, text::Format("%02d", k));
        }
    }
}

}  // namespace

Result<bool> ImportPayouts(RaceDay& day, const fs::path& programFolder,
                           const std::string& selectedDateText, int shownRace) {
    auto files = DayFiles::Open(programFolder, selectedDateText);
    if (!files) return Error{files.error()};
    auto staged = ReadDay(*files);
    if (!staged) return Error{staged.error()};

    for (size_t i = 0; i < staged->races.size(); ++i) {
        day.RaceRA(static_cast<int>(i)).Assign(staged->races[i]);
    }
    for (const StagedRunner& runner : staged->runners) {
        day.RunnerSE(runner.race, runner.slot).Assign(runner.record);
    }
    bool showAgain = false;
    if (staged->hrFileExists) {
        showAgain = TakePayouts(day, staged->payouts, shownRace);
        FinishesFromPlacePayouts(day);
    }
    CalculatePayouts(day);
    return showAgain;
}

}  // namespace quindle::load
