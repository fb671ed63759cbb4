#include "load/day_files.h"

#include <system_error>

#include "store/files/checked_records.h"
#include "store/files/file_names.h"
#include "store/record_layout.h"
#include "text/fields.h"
#include "util/folders.h"

namespace quindle::load {
using model::kRaces;
using model::kRunners;
using model::RaImage;

namespace {

namespace fs = std::filesystem;
namespace layout = store::layout;
using store::FileKind;

constexpr std::string_view kYear = "年";
constexpr std::string_view kMonth = "月";
constexpr std::string_view kDay = "日";

// An SE day file holds 12 races of 18 slots.
constexpr int kSeRacesPerVenue = 12;

bool AllDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

std::vector<std::string> FirstRaces(std::vector<std::string> records) {
    if (records.size() > static_cast<size_t>(kRaces)) records.resize(kRaces);
    return records;
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

Result<std::vector<std::string>> DayFiles::ReadRaces() {
    auto records = store::ReadWholeRecordFile(paths_.ra, DaySpec(layout::RecordType::RA));
    if (!records) return Error{records.error()};
    // A race listed twice would push another race out of its index.
    std::map<std::string_view, size_t> lineOfKey;
    for (size_t i = 0; i < records->size(); ++i) {
        const std::string_view key = text::FieldAt((*records)[i], layout::head::kRaceKey);
        if (text::IsBlank(key)) continue;
        const auto [first, fresh] = lineOfKey.emplace(key, i + 1);
        if (!fresh) {
            return Error{RecordMessage(
                paths_.ra, static_cast<int>(i) + 1,
                "同じレースが " + std::to_string(first->second) + "行目にもあります")};
        }
    }
    return FirstRaces(std::move(*records));
}

Result<std::vector<std::string>> DayFiles::ReadPayouts() {
    auto records = store::ReadWholeRecordFile(paths_.hr, DaySpec(layout::RecordType::HR));
    if (!records) return Error{records.error()};
    return FirstRaces(std::move(*records));
}

store::RecordFileSpec DayFiles::DaySpec(layout::RecordType type) const {
    store::RecordFileSpec spec{type};
    spec.implied.push_back(store::DayOf(ymd_));
    return spec;
}

Result<const std::vector<std::string>*> DayFiles::SeRecords(std::string_view venueCode,
                                                            fs::path& path) {
    auto it = seFiles_.find(std::string(venueCode));
    if (it == seFiles_.end()) {
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
                auto records = store::ReadWholeRecordFile(file.path, spec);
                if (!records) return Error{records.error()};
                file.records = std::move(*records);
            }
        }
        it = seFiles_.emplace(std::string(venueCode), std::move(file)).first;
    }
    path = it->second.path;
    return it->second.records ? &*it->second.records : nullptr;
}

Result<bool> DayFiles::ForEachRunner(
    const RaImage& ra, int raRecordNumber,
    const std::function<Status(int slot, const std::string& record)>& onRunner) {
    auto entered = EnteredRunners(ra, paths_.ra, raRecordNumber);
    if (!entered) return Error{entered.error()};
    fs::path sePath;
    auto records = SeRecords(ra.Field(layout::head::kVenue), sePath);
    if (!records) return Error{records.error()};
    if (*records == nullptr) return false;
    const int raceNumber = ra.Int32(layout::head::kRaceNumber);
    if (*entered > 0 && (raceNumber < 1 || raceNumber > kSeRacesPerVenue)) {
        return Error{RecordMessage(paths_.ra, raRecordNumber,
                                   "レース番号が " + std::to_string(raceNumber) +
                                       " です (出走馬は 1 から 12 レースまで)")};
    }
    for (int slot = 0; slot < *entered; ++slot) {
        // Slot (race number − 1) × 18 + slot: 12 races of 18 slots per venue.
        const size_t index = static_cast<size_t>((raceNumber - 1) * kRunners + slot);
        if (index >= (*records)->size()) {
            return Error{RecordMessage(sePath, static_cast<int>(index) + 1,
                                       "レコードがありません (" + std::to_string(raceNumber) +
                                           "R " + std::to_string(slot + 1) + "番)")};
        }
        if (Status s = onRunner(slot, (**records)[index]); !s) return Error{s.error()};
    }
    return true;
}

}  // namespace quindle::load
