#pragma once
// The race-day model: the record images of one race day, the derived record of
// each race, its payout tables and the day-level state.
//
// All tables sit in one block allocated when the RaceDay is made and kept for
// its life (about 24 MB, most of it the past-run images); loading a day fills
// them by whole-record copies and never allocates per record. Every index is
// checked: a race, slot or past-run index out of range throws
// std::out_of_range.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/model/out_data.h"
#include "core/model/payout_tables.h"
#include "core/model/record_image.h"

namespace quindle::model {

// One record between a file read and its copy into a table, shared by the
// loaders.
struct ReadBuffers {
    RaImage Ra;
    SeImage Se;
    SeImage PastSe;  // the second SE buffer, for past runs
    HrImage Hr;
    O1Image O1;
    O5Image O5;
};

// Day-level state owned with the model.
struct DayState {
    // Per race: its marks went out by mail.
    CheckedArray<std::uint8_t, kRaces> Delivered;
    // The previous-race search has filled every runner's ZensoMembers.
    std::uint8_t ZensoExtracted = 0;
};

class RaceDay {
  public:
    RaceDay();
    ~RaceDay();
    RaceDay(const RaceDay&) = delete;
    RaceDay& operator=(const RaceDay&) = delete;

    // Record images.
    RaImage& RaceRA(int race);
    const RaImage& RaceRA(int race) const;
    SeImage& RunnerSE(int race, int slot);
    const SeImage& RunnerSE(int race, int slot) const;
    SeImage& PastSE(int race, int slot, int past);
    const SeImage& PastSE(int race, int slot, int past) const;
    RaImage& PastRA(int race, int slot, int past);
    const RaImage& PastRA(int race, int slot, int past) const;
    HrImage& RaceHR(int race);
    const HrImage& RaceHR(int race) const;
    O1Image& RaceO1(int race);
    const O1Image& RaceO1(int race) const;
    O5Image& RaceO5(int race);
    const O5Image& RaceO5(int race) const;

    // Derived record and payout tables of a race.
    TOutData& OutData(int race);
    const TOutData& OutData(int race) const;
    RacePayouts& Payouts(int race);
    const RacePayouts& Payouts(int race) const;

    ReadBuffers& Buffers();
    DayState& State() { return state_; }
    const DayState& State() const { return state_; }

    // The clear ("初期化"): every race's TOutData back to its cleared state,
    // its Delivered flag 0, and ZensoExtracted 0. Images are left alone.
    void ClearDerivedData();
    // Fills every record image of every table with blanks (before a load).
    void BlankImages();
    // Empties every race's payout tables.
    void ClearPayouts();

    // Bytes of the table block.
    static std::size_t TableBytes();

  private:
    struct Tables;
    std::unique_ptr<Tables> tables_;
    DayState state_;
};

}  // namespace quindle::model
