#include "core/store/files/record_writers.h"

#include <stdexcept>

#include "core/store/files/record_line.h"
#include "core/store/record_layout.h"
#include "core/text/fields.h"

namespace quindle::store {
namespace {

namespace layout = store::layout;
namespace head = layout::head;
namespace kind = layout::data_kind;
using layout::RecordType;
using text::FieldAt;
using text::FieldInt;

// --- Record tests ----------------------------------------------------------------

std::string_view Kind(std::string_view r) {
    return FieldAt(r, head::kDataKind);
}
bool KindIs(std::string_view r, std::string_view k) {
    return Kind(r) == k;
}
bool LocalOrOverseas(std::string_view r) {
    return KindIs(r, kind::kLocalTrack) || KindIs(r, kind::kOverseas);
}
bool WithdrawnOrCancelled(std::string_view r) {
    return KindIs(r, kind::kWithdrawn) || KindIs(r, kind::kCancelled);
}
bool HasRace(std::string_view r) {
    return FieldInt(r, head::kRaceNumber) > 0;
}
bool InRange(std::int64_t v, int lo, int hi) {
    return v >= lo && v <= hi;
}
bool HorseInField(std::string_view r) {
    return InRange(FieldInt(r, layout::se::kHorseNumber), 1, kHorsesPerRace);
}
bool DateFrom(std::string_view r, const DownloadRules& rules) {
    return FieldInt(r, head::kRaceDate) >= EarliestDayFileDate(rules.fromDate);
}

using Test = bool (*)(std::string_view record, const DownloadRules& rules);

bool DownloadRaTest(std::string_view r, const DownloadRules& rules) {
    return !LocalOrOverseas(r) && DateFrom(r, rules) && HasRace(r) &&
           InRange(FieldInt(r, layout::ra::kEntered), 1, kHorsesPerRace);
}
bool OtherVenueRaTest(std::string_view r, const DownloadRules&) {
    return LocalOrOverseas(r) && HasRace(r);
}
bool DownloadSeDayTest(std::string_view r, const DownloadRules& rules) {
    return HasRace(r) && HorseInField(r) && !LocalOrOverseas(r) && DateFrom(r, rules);
}
// Run histories are kept for horses born after the year limit, compared as text.
bool HistoryYearTest(std::string_view r, const DownloadRules& rules) {
    return FieldAt(r, layout::se::kPedigreeYear) > std::string_view(rules.yearLimit);
}
bool HistoryKindTest(std::string_view r, const DownloadRules&) {
    return KindIs(r, kind::kResults) || LocalOrOverseas(r);
}
bool DownloadHrTest(std::string_view r, const DownloadRules& rules) {
    return DateFrom(r, rules) && HasRace(r);
}
bool OddsTest(std::string_view r, const DownloadRules&) {
    return !WithdrawnOrCancelled(r) && HasRace(r);
}
bool RaceTest(std::string_view r, const DownloadRules&) {
    return HasRace(r);
}
bool ResultsSeTest(std::string_view r, const DownloadRules&) {
    return HasRace(r) && FieldInt(r, layout::se::kHorseNumber) > 0;
}
// A master record of kind "0" withdraws a record delivered by mistake; it
// must not blank the master that is kept.
bool MasterTest(std::string_view r, const DownloadRules&) {
    return !KindIs(r, kind::kWithdrawn);
}

bool FinalOddsAsked(const DownloadRules& rules) {
    return rules.finalOdds;
}

void Refuse(StoreOutcome& outcome, const std::string& why) {
    if (!outcome.refused.empty()) outcome.refused += " / ";
    outcome.refused += why;
}

// --- The writer table ---------------------------------------------------------------

enum class Merge { Keyed, Slot };

struct Row {
    Writer writer;
    WriterRow row;
    FileKind kind;  // the file, and with it the record type the row takes
    Test when;
    bool normalise;
    Merge merge;
    KeyedLineOptions keyed;  // key and options of a keyed merge; existing-only of a slot
    // Row applies at all for these rules (nullptr: always).
    bool (*enabled)(const DownloadRules&) = nullptr;
    // A test passed before `when`; once it passes the file's folders are
    // created, whatever `when` then says (the run-history year folder).
    Test folderGate = nullptr;
};

constexpr KeyedLineOptions kKeyed{head::kRaceKey, false, false};
constexpr KeyedLineOptions kKeyedDropBlank{head::kRaceKey, false, true};
constexpr KeyedLineOptions kKeyedExistingDropBlank{head::kRaceKey, true, true};
constexpr KeyedLineOptions kSlot{head::kRaceKey, false, false};
constexpr KeyedLineOptions kSlotExisting{head::kRaceKey, true, false};
constexpr KeyedLineOptions kHorseKeyed{layout::um::kKey, false, false};
constexpr KeyedLineOptions kJockeyKeyed{layout::ks::kKey, false, false};
constexpr KeyedLineOptions kTrainerKeyed{layout::ch::kKey, false, false};

constexpr bool kNormalise = true;
constexpr bool kAsReceived = false;

const Row kRows[] = {
    // Accumulated download.
    {Writer::Download, WriterRow::DownloadRa, FileKind::RaDay, DownloadRaTest, kNormalise,
     Merge::Keyed, kKeyedDropBlank},
    {Writer::Download, WriterRow::DownloadOtherVenueRa, FileKind::RaOtherVenue, OtherVenueRaTest,
     kNormalise, Merge::Keyed, kKeyed},
    {Writer::Download, WriterRow::DownloadSeDay, FileKind::SeDay, DownloadSeDayTest, kAsReceived,
     Merge::Slot, kSlot},
    {Writer::Download, WriterRow::DownloadSeHistory, FileKind::SeHistory, HistoryKindTest,
     kNormalise, Merge::Keyed, kKeyed, nullptr, HistoryYearTest},
    {Writer::Download, WriterRow::DownloadHr, FileKind::HrDay, DownloadHrTest, kNormalise,
     Merge::Keyed, kKeyed},
    {Writer::Download, WriterRow::DownloadFinalOdds, FileKind::O1Day, OddsTest, kNormalise,
     Merge::Keyed, kKeyedDropBlank, FinalOddsAsked},
    {Writer::Download, WriterRow::DownloadFinalOdds, FileKind::O5Day, OddsTest, kNormalise,
     Merge::Keyed, kKeyedDropBlank, FinalOddsAsked},
    {Writer::Download, WriterRow::DownloadHorseMaster, FileKind::UmMaster, MasterTest, kNormalise,
     Merge::Keyed, kHorseKeyed},
    {Writer::Download, WriterRow::DownloadJockeyMaster, FileKind::KsMaster, MasterTest, kNormalise,
     Merge::Keyed, kJockeyKeyed},
    {Writer::Download, WriterRow::DownloadTrainerMaster, FileKind::ChMaster, MasterTest, kNormalise,
     Merge::Keyed, kTrainerKeyed},
    // Real-time odds, mining predictions and results.
    {Writer::RealtimeOdds, WriterRow::RealtimeOdds, FileKind::O1Day, OddsTest, kNormalise,
     Merge::Keyed, kKeyedDropBlank},
    {Writer::RealtimeOdds, WriterRow::RealtimeOdds, FileKind::O5Day, OddsTest, kNormalise,
     Merge::Keyed, kKeyedDropBlank},
    {Writer::RealtimeMining, WriterRow::RealtimeMining, FileKind::DmDay, RaceTest, kNormalise,
     Merge::Keyed, kKeyedDropBlank},
    {Writer::RealtimeResults, WriterRow::ResultsRa, FileKind::RaDay, RaceTest, kNormalise,
     Merge::Keyed, kKeyedExistingDropBlank},
    {Writer::RealtimeResults, WriterRow::ResultsSeDay, FileKind::SeDay, ResultsSeTest, kAsReceived,
     Merge::Slot, kSlotExisting},
    {Writer::RealtimeResults, WriterRow::ResultsHr, FileKind::HrDay, RaceTest, kAsReceived,
     Merge::Keyed, kKeyed},
};

bool Applies(const Row& row, Writer writer, RecordType type, const DownloadRules& rules) {
    return row.writer == writer && FileRecordType(row.kind) == type &&
           (!row.enabled || row.enabled(rules));
}

// Stores `record` by `row` once its tests have passed. Refusals go to
// `outcome.refused`; the error result is for files that fail.
Status StoreByRow(LocalFiles& files, FileBatch& batch, const Row& row, std::string_view record,
                  const DownloadRules& rules, StoreOutcome& outcome) {
    const bool createFolders = !row.keyed.existingFilesOnly;
    auto located = RecordFileLocation(row.kind, record);
    if (row.folderGate) {
        if (!row.folderGate(record, rules)) return Status::Ok();
        if (!located) {
            Refuse(outcome, located.error());
            return Status::Ok();
        }
        if (auto folder = files.FolderOf(located->folders, true); !folder) {
            return Error{folder.error()};
        }
    }
    if (!row.when(record, rules)) return Status::Ok();
    if (!located) {
        Refuse(outcome, located.error());
        return Status::Ok();
    }
    if (row.merge == Merge::Slot && !SlotOfRecord(record)) {
        Refuse(outcome, "枠の範囲外の馬毎レコードは保存しません: レース番号 " +
                            std::string(FieldAt(record, head::kRaceNumber)) + " 馬番 " +
                            std::string(FieldAt(record, layout::se::kHorseNumber)));
        return Status::Ok();
    }
    auto path = files.PathOf(*located, createFolders);
    if (!path) return Error{path.error()};
    const std::string normalised = row.normalise ? NormalisedLine(record) : std::string();
    const std::string_view stored = row.normalise ? std::string_view(normalised) : record;
    auto effect = row.merge == Merge::Keyed
                      ? batch.StoreKeyedLine(*path, stored, row.keyed)
                      : batch.StoreSlotLine(*path, stored, {row.keyed.existingFilesOnly});
    if (!effect) return Error{effect.error()};
    if (*effect == StoreEffect::Stored) outcome.stored.push_back({row.row, row.kind, *path});
    return Status::Ok();
}

Result<StoreOutcome> StoreByWriter(LocalFiles& files, FileBatch& batch, Writer writer,
                                   std::string_view record, const DownloadRules& rules) {
    StoreOutcome outcome;
    const auto type = layout::FindRecordType(FieldAt(record, head::kRecordType));
    if (!type) return outcome;
    bool handled = false;
    for (const Row& row : kRows) handled = handled || Applies(row, writer, *type, rules);
    if (!handled) return outcome;
    if (Status s = CheckRecord(record); !s) {
        Refuse(outcome, s.error());
        return outcome;
    }
    for (const Row& row : kRows) {
        if (!Applies(row, writer, *type, rules)) continue;
        if (Status s = StoreByRow(files, batch, row, record, rules, outcome); !s) {
            return Error{s.error()};
        }
    }
    return outcome;
}

}  // namespace

DownloadRules MakeDownloadRules(int fromDate, int currentYear, bool finalOdds) {
    return {fromDate, YearLimitText(currentYear), finalOdds};
}

int EarliestDayFileDate(int fromDate) {
    return fromDate - 10;
}

std::string YearLimitText(int currentYear) {
    return text::Format("%4d", currentYear - 15);
}

Result<StoreOutcome> StoreDownloadRecord(LocalFiles& files, FileBatch& batch,
                                         std::string_view record, const DownloadRules& rules) {
    return StoreByWriter(files, batch, Writer::Download, record, rules);
}

Result<StoreOutcome> StoreRealtimeRecord(LocalFiles& files, FileBatch& batch, Writer writer,
                                         std::string_view record) {
    if (writer == Writer::Download) {
        throw std::invalid_argument("StoreRealtimeRecord: the download has rules of its own");
    }
    return StoreByWriter(files, batch, writer, record, DownloadRules{});
}

}  // namespace quindle::store
