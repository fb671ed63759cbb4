#include "core/load/day_files.h"

#include <algorithm>
#include <system_error>

#include "core/store/codes/venue.h"
#include "core/store/files/checked_records.h"
#include "core/store/files/file_names.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"
#include "core/util/folders.h"

namespace quindle::load {
using model::kRaces;
using model::kRunners;
using model::RaImage;

namespace {

namespace fs = std::filesystem;
namespace layout = store::layout;
using store::FileKind;
using text::AllDigits;

constexpr std::string_view kYear = "年";
constexpr std::string_view kMonth = "月";
constexpr std::string_view kDay = "日";

// An SE day file holds 12 races of 18 slots.
constexpr int kSeRacesPerVenue = 12;

// A field of the race key within the 16 key bytes.
text::FieldPos KeyOffset(text::FieldPos f) {
    return {f.pos - layout::head::kRaceKey.pos + 1, f.len};
}

// The two-character venue names of the race list.
constexpr int kVenueNameStyle = 2;

// A file that exists but cannot be read at all (line 0) ends the work.
Status FileReadable(const store::RecordFileScan& scan) {
    for (const store::RecordProblem& p : scan.problems) {
        if (p.line == 0) return Error{p.Message()};
    }
    return Status::Ok();
}

// The race a damaged line was of, as far as its key still tells: a venue of
// the venue table and a race number of digits.
WithheldRace WithheldOf(const store::RecordProblem& p, int race) {
    WithheldRace w;
    w.race = race;
    w.reason = p.Message();
    const auto codes = store::VenueCodes();
    const std::string_view venue = text::FieldAt(p.key, KeyOffset(layout::head::kVenue));
    const std::string_view number = text::FieldAt(p.key, KeyOffset(layout::head::kRaceNumber));
    if (std::find(codes.begin(), codes.end(), venue) != codes.end() && AllDigits(number)) {
        w.venue = venue;
        w.raceNumber = text::ReadInt32(number);
    }
    return w;
}

}  // namespace

std::optional<std::string> YmdOfDateText(std::string_view t) {
    // "yyyy" 年 "mm" 月 "dd" 日
    const size_t month = 4 + kYear.size();
    const size_t day = month + 2 + kMonth.size();
    const size_t end = day + 2 + kDay.size();
    if (t.size() != end || t.substr(4, kYear.size()) != kYear ||
        t.substr(month + 2, kMonth.size()) != kMonth || t.substr(day + 2, kDay.size()) != kDay) {
        return std::nullopt;
    }
    std::string ymd = std::string(t.substr(0, 4)) + std::string(t.substr(month, 2)) +
                      std::string(t.substr(day, 2));
    if (!AllDigits(ymd)) return std::nullopt;
    return ymd;
}

std::optional<std::string> DateTextOfYmd(std::string_view ymd) {
    if (ymd.size() != 8 || !AllDigits(ymd)) return std::nullopt;
    return std::string(ymd.substr(0, 4)) + std::string(kYear) + std::string(ymd.substr(4, 2)) +
           std::string(kMonth) + std::string(ymd.substr(6, 2)) + std::string(kDay);
}

std::string RecordMessage(const fs::path& file, int recordNumber, std::string_view reason) {
    return file.string() + ": " + std::to_string(recordNumber) + "行目: " + std::string(reason);
}

Result<int> EnteredRunners(const RaImage& ra, const fs::path& file, int recordNumber) {
    const std::string_view field = ra.Field(layout::ra::kEntered);
    // A blank record is no race; a race's head count is two digits.
    if (ra.IsBlank()) return 0;
    if (!AllDigits(field)) {
        return Error{RecordMessage(file, recordNumber,
                                   "登録頭数が数字ではありません: \"" + std::string(field) + "\"")};
    }
    const int n = ra.Int32(layout::ra::kEntered);
    if (n < 0 || n > kRunners) {
        return Error{RecordMessage(file, recordNumber,
                                   "登録頭数が " + std::to_string(n) + " です (0 から 18 まで)")};
    }
    return n;
}

DayFiles::DayFiles(const fs::path& programFolder) : files_(programFolder) {}

Result<DayFiles> DayFiles::Open(const fs::path& programFolder, std::string_view dateText) {
    const auto ymd = YmdOfDateText(dateText);
    if (!ymd) return Error{"日付の形が違います: \"" + std::string(dateText) + "\""};
    DayFiles d(programFolder);
    d.ymd_ = *ymd;
    d.paths_.ymd = *ymd;
    const std::pair<FileKind, fs::path*> kinds[] = {
        {FileKind::RaDay, &d.paths_.ra},
        {FileKind::HrDay, &d.paths_.hr},
        {FileKind::O1Day, &d.paths_.o1},
        {FileKind::O5Day, &d.paths_.o5},
    };
    for (const auto& [kind, path] : kinds) {
        auto location = store::DayFileLocation(kind, d.ymd_);
        if (!location) return Error{location.error()};
        auto found = d.files_.PathOf(*location, /*createFolders=*/false);
        if (!found) return Error{found.error()};
        *path = *found;
    }
    const store::FileLocation csv{{std::string(kCsvFolder)}, "GYN" + d.ymd_ + ".CSV"};
    auto csvPath = d.files_.PathOf(csv, /*createFolders=*/false);
    if (!csvPath) return Error{csvPath.error()};
    d.paths_.csv = *csvPath;
    return d;
}

Result<DayRaces> DayFiles::ReadRaces() {
    DayRaces races;
    const store::RecordFileScan scan = store::ForEachCheckedRecord(
        paths_.ra, DaySpec(layout::RecordType::RA), [&](const store::CheckedRecord& r) {
            if (r.line > static_cast<size_t>(kRaces)) return;
            races.records.resize(r.line);
            races.records[r.line - 1] = r.blank ? std::string() : std::string(r.record);
        });
    if (Status s = FileReadable(scan); !s) return Error{s.error()};
    for (const store::RecordProblem& p : scan.problems) {
        problems_.push_back(p.Message());
        if (p.line > static_cast<size_t>(kRaces)) continue;  // no race of the day
        if (races.records.size() < p.line) races.records.resize(p.line);
        races.records[p.line - 1].clear();
        races.withheld.push_back(WithheldOf(p, static_cast<int>(p.line) - 1));
    }
    // A race listed twice would push another race out of its index.
    std::map<std::string_view, size_t> lineOfKey;
    for (size_t i = 0; i < races.records.size(); ++i) {
        const std::string_view key = text::FieldAt(races.records[i], layout::head::kRaceKey);
        if (text::IsBlank(key)) continue;
        const auto [first, fresh] = lineOfKey.emplace(key, i + 1);
        if (fresh) continue;
        const std::string reason =
            RecordMessage(paths_.ra, static_cast<int>(i) + 1,
                          "同じレースが " + std::to_string(first->second) + "行目にもあります");
        problems_.push_back(reason);
        races.withheld.push_back(
            {static_cast<int>(i),
             std::string(text::FieldAt(races.records[i], layout::head::kVenue)),
             text::ReadInt32(text::FieldAt(races.records[i], layout::head::kRaceNumber)), reason});
        races.records[i].clear();
    }
    return races;
}

Result<DayPayouts> DayFiles::ReadPayouts() {
    DayPayouts payouts;
    const store::RecordFileScan scan = store::ForEachCheckedRecord(
        paths_.hr, DaySpec(layout::RecordType::HR), [&](const store::CheckedRecord& r) {
            if (r.line <= static_cast<size_t>(kRaces)) payouts.records.emplace_back(r.record);
        });
    if (Status s = FileReadable(scan); !s) return Error{s.error()};
    for (const store::RecordProblem& p : scan.problems) {
        problems_.push_back(p.Message());
        payouts.damaged.push_back(WithheldOf(p, -1));
    }
    return payouts;
}

store::RecordFileSpec DayFiles::DaySpec(layout::RecordType type) const {
    store::RecordFileSpec spec{type};
    spec.implied.push_back(store::DayOf(ymd_));
    return spec;
}

Result<const DayFiles::SeFile*> DayFiles::SeRecords(std::string_view venueCode) {
    auto it = seFiles_.find(std::string(venueCode));
    if (it != seFiles_.end()) return &it->second;
    SeFile file;
    // A venue code that cannot be part of a file name names no SE file.
    if (auto location = store::DayFileLocation(FileKind::SeDay, ymd_, venueCode)) {
        auto found = files_.PathOf(*location, /*createFolders=*/false);
        if (!found) return Error{found.error()};
        file.path = *found;
        std::error_code ec;
        if (fs::exists(file.path, ec)) {
            store::RecordFileSpec spec = DaySpec(layout::RecordType::SE);
            spec.implied.push_back({layout::head::kVenue, std::string(venueCode), "場コード"});
            spec.slotFile = true;
            std::vector<std::string> records;
            const store::RecordFileScan scan =
                store::ForEachCheckedRecord(file.path, spec, [&](const store::CheckedRecord& r) {
                    records.resize(r.line);
                    records[r.line - 1] = r.record;
                });
            if (Status s = FileReadable(scan); !s) return Error{s.error()};
            records.resize(std::min(scan.lines, static_cast<size_t>(kSeRacesPerVenue * kRunners)));
            for (const store::RecordProblem& p : scan.problems) {
                problems_.push_back(p.Message());
                // Line n is slot n − 1: 18 slots per race.
                const int race = (static_cast<int>(p.line) - 1) / kRunners + 1;
                if (race <= kSeRacesPerVenue) file.damagedRaces.emplace(race, p.Message());
            }
            file.records = std::move(records);
        }
    }
    return &seFiles_.emplace(std::string(venueCode), std::move(file)).first->second;
}

Result<RunnerRead> DayFiles::ForEachRunner(
    const RaImage& ra, int raRecordNumber,
    const std::function<Status(int slot, const std::string& record)>& onRunner) {
    RunnerRead read;
    auto entered = EnteredRunners(ra, paths_.ra, raRecordNumber);
    if (!entered) {
        read.withheld = entered.error();
        return read;
    }
    auto se = SeRecords(ra.Field(layout::head::kVenue));
    if (!se) return Error{se.error()};
    const SeFile& file = **se;
    if (!file.records) return read;
    read.seFile = true;
    const int raceNumber = ra.Int32(layout::head::kRaceNumber);
    if (*entered > 0 && (raceNumber < 1 || raceNumber > kSeRacesPerVenue)) {
        read.withheld = RecordMessage(
            paths_.ra, raRecordNumber,
            "レース番号が " + std::to_string(raceNumber) + " です (出走馬は 1 から 12 レースまで)");
        return read;
    }
    if (auto damaged = file.damagedRaces.find(raceNumber); damaged != file.damagedRaces.end()) {
        read.withheld = damaged->second;
        return read;
    }
    // Slot (race number − 1) × 18 + slot: 12 races of 18 slots per venue.
    const auto first = static_cast<size_t>((raceNumber - 1) * kRunners);
    const auto end = first + static_cast<size_t>(*entered);
    if (*entered > 0 && end > file.records->size()) {
        const size_t missing = std::max(first, file.records->size());
        read.withheld = RecordMessage(file.path, static_cast<int>(missing) + 1,
                                      "レコードがありません (" + std::to_string(raceNumber) + "R " +
                                          std::to_string(missing - first + 1) + "番)");
        return read;
    }
    for (int slot = 0; slot < *entered; ++slot) {
        if (Status s = onRunner(slot, (*file.records)[first + static_cast<size_t>(slot)]); !s) {
            return Error{s.error()};
        }
    }
    return read;
}

std::string WithheldRace::Label() const {
    if (venue.empty() || raceNumber <= 0) return reason;
    return text::ToUtf8(store::VenueName(venue, kVenueNameStyle) + text::Format("%2d", raceNumber) +
                        "R");
}

}  // namespace quindle::load
