#include "core/model/race_day.h"

#include <cstdint>
#include <stdexcept>

namespace quindle::model {
namespace {

int Check(int i, int count, const char* what) {
    if (i < 0 || i >= count) throw std::out_of_range(std::string("race-day model: ") + what);
    return i;
}
int Race(int race) {
    return Check(race, kRaces, "race index out of range");
}
int Slot(int slot) {
    return Check(slot, kRunners, "runner slot out of range");
}
int Past(int past) {
    return Check(past, kPastRuns, "past-run index out of range");
}

}  // namespace

struct RaceDay::Tables {
    RaImage raceRA[kRaces];
    SeImage runnerSE[kRaces][kRunners];
    SeImage pastSE[kRaces][kRunners][kPastRuns];
    RaImage pastRA[kRaces][kRunners][kPastRuns];
    HrImage raceHR[kRaces];
    O1Image raceO1[kRaces];
    O5Image raceO5[kRaces];
    TOutData outData[kRaces];
    RacePayouts payouts[kRaces];
    ReadBuffers buffers;
    // How many past images of each runner may be other than blank: every
    // non-const access raises it. The past images are nearly all of the
    // model's 25 MB, and a day fills only a few of them per runner, so the
    // clear before a load blanks just those.
    std::uint8_t pastInUse[kRaces][kRunners] = {};

    void MarkPastInUse(int race, int slot, int past) {
        std::uint8_t& inUse = pastInUse[race][slot];
        if (past >= inUse) inUse = static_cast<std::uint8_t>(past + 1);
    }
};

// The image constructors blank every image; the derived records start at 0
// and empty (a clear is what first sets the 99s).
RaceDay::RaceDay() : tables_(std::make_unique<Tables>()) {}
RaceDay::~RaceDay() = default;

RaImage& RaceDay::RaceRA(int race) {
    return tables_->raceRA[Race(race)];
}
const RaImage& RaceDay::RaceRA(int race) const {
    return tables_->raceRA[Race(race)];
}
SeImage& RaceDay::RunnerSE(int race, int slot) {
    return tables_->runnerSE[Race(race)][Slot(slot)];
}
const SeImage& RaceDay::RunnerSE(int race, int slot) const {
    return tables_->runnerSE[Race(race)][Slot(slot)];
}
SeImage& RaceDay::PastSE(int race, int slot, int past) {
    tables_->MarkPastInUse(Race(race), Slot(slot), Past(past));
    return tables_->pastSE[race][slot][past];
}
const SeImage& RaceDay::PastSE(int race, int slot, int past) const {
    return tables_->pastSE[Race(race)][Slot(slot)][Past(past)];
}
RaImage& RaceDay::PastRA(int race, int slot, int past) {
    tables_->MarkPastInUse(Race(race), Slot(slot), Past(past));
    return tables_->pastRA[race][slot][past];
}
const RaImage& RaceDay::PastRA(int race, int slot, int past) const {
    return tables_->pastRA[Race(race)][Slot(slot)][Past(past)];
}
HrImage& RaceDay::RaceHR(int race) {
    return tables_->raceHR[Race(race)];
}
const HrImage& RaceDay::RaceHR(int race) const {
    return tables_->raceHR[Race(race)];
}
O1Image& RaceDay::RaceO1(int race) {
    return tables_->raceO1[Race(race)];
}
const O1Image& RaceDay::RaceO1(int race) const {
    return tables_->raceO1[Race(race)];
}
O5Image& RaceDay::RaceO5(int race) {
    return tables_->raceO5[Race(race)];
}
const O5Image& RaceDay::RaceO5(int race) const {
    return tables_->raceO5[Race(race)];
}

TOutData& RaceDay::OutData(int race) {
    return tables_->outData[Race(race)];
}
const TOutData& RaceDay::OutData(int race) const {
    return tables_->outData[Race(race)];
}
RacePayouts& RaceDay::Payouts(int race) {
    return tables_->payouts[Race(race)];
}
const RacePayouts& RaceDay::Payouts(int race) const {
    return tables_->payouts[Race(race)];
}

ReadBuffers& RaceDay::Buffers() {
    return tables_->buffers;
}

void RaceDay::ClearDerivedData() {
    state_.ZensoExtracted = 0;
    for (int r = 0; r < kRaces; ++r) {
        ClearOutData(tables_->outData[r]);
        state_.Delivered[static_cast<std::size_t>(r)] = 0;
    }
}

void RaceDay::BlankImages() {
    Tables& t = *tables_;
    for (int r = 0; r < kRaces; ++r) {
        t.raceRA[r].Blank();
        t.raceHR[r].Blank();
        t.raceO1[r].Blank();
        t.raceO5[r].Blank();
        for (int s = 0; s < kRunners; ++s) {
            t.runnerSE[r][s].Blank();
            for (int p = 0; p < t.pastInUse[r][s]; ++p) {
                t.pastSE[r][s][p].Blank();
                t.pastRA[r][s][p].Blank();
            }
            t.pastInUse[r][s] = 0;
        }
    }
}

void RaceDay::ClearPayouts() {
    for (auto& p : tables_->payouts) p = RacePayouts{};
}

std::size_t RaceDay::TableBytes() {
    return sizeof(Tables);
}

}  // namespace quindle::model
