#include "core/load/previous_race_search.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>

#include "core/analysis/riding_pattern.h"
#include "core/analysis/zenso.h"
#include "core/store/codes.h"
#include "core/store/files/checked_records.h"
#include "core/store/files/file_names.h"
#include "core/store/files/local_files.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"
#include "core/util/file_io.h"

namespace quindle::load {
namespace {

using analysis::First18;
using analysis::TwoDigits;

namespace fs = std::filesystem;
namespace layout = store::layout;
namespace head = layout::head;
namespace ra = layout::ra;
namespace se = layout::se;
using text::FieldAt;
using text::Sj;

// Venue names in status texts and labels have two characters.
constexpr int kVenueStyle = 2;

// The key of a race as the search compares it: date (8), venue (2), race
// number (2).
std::string RaceKey12(std::string_view record) {
    std::string key(FieldAt(record, head::kRaceDate));
    key += FieldAt(record, head::kVenue);
    key += FieldAt(record, head::kRaceNumber);
    return key;
}

// The race date yyyymmdd of a record; 0 when it is not eight digits.
std::int64_t RaceDate(std::string_view record) {
    const std::string_view date = FieldAt(record, head::kRaceDate);
    if (date.size() != 8 ||
        !std::all_of(date.begin(), date.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return 0;
    }
    return text::ReadInt(date);
}

// What the search learns about one horse of a previous race.
struct NextRun {
    bool found = false;
    std::string race;  // RaceKey12 of the next run
    std::int32_t finish = 0;
    std::string name;  // RA 競走名略称6文字, when the race's RA record was found
    std::string condition;
    std::int32_t headCount = 0;
};

// The files of one search, each read at most once.
class SearchFiles {
  public:
    SearchFiles(const fs::path& programFolder, std::int64_t today)
        : files_(programFolder), today_(today) {}

    // Records of a day file by line (CR LF included); a damaged line is an
    // empty text, so a slot keeps its place but is never used. nullptr when
    // there is no such file.
    Result<const std::vector<std::string>*> DayFile(store::FileKind kind, std::string_view date,
                                                    std::string_view venue = {}) {
        auto location = store::DayFileLocation(kind, date, venue);
        if (!location) return static_cast<const std::vector<std::string>*>(nullptr);
        const std::string name = location->fileName;
        auto cached = dayFiles_.find(name);
        if (cached == dayFiles_.end()) {
            auto path = files_.PathOf(*location, /*createFolders=*/false);
            if (!path) return Error{path.error()};
            const bool se = kind == store::FileKind::SeDay;
            store::RecordFileSpec spec{se ? layout::RecordType::SE : layout::RecordType::RA};
            spec.implied.push_back(store::DayOf(date));
            if (se) spec.implied.push_back({head::kVenue, std::string(venue), "場コード"});
            spec.slotFile = se;
            std::vector<std::string> lines;
            const store::RecordFileScan scan =
                store::ForEachCheckedRecord(*path, spec, [&](const store::CheckedRecord& r) {
                    lines.resize(r.line);
                    lines.back().assign(r.record);
                });
            if (!scan.ok() && scan.problems.front().line == 0) {
                return Error{scan.problems.front().Message()};
            }
            for (auto& problem : scan.Messages()) problems_.push_back(std::move(problem));
            lines.resize(scan.lines);
            std::optional<std::vector<std::string>> kept;
            if (scan.exists) kept = std::move(lines);
            cached = dayFiles_.emplace(name, std::move(kept)).first;
        }
        return cached->second ? &*cached->second : nullptr;
    }

    // Messages of the damaged records met so far (UTF-8).
    const std::vector<std::string>& Problems() const { return problems_; }

    // The next run of horse `pedigree` after the race `key`, before today.
    Result<const NextRun*> NextRunOf(std::string_view pedigree, const std::string& key) {
        std::string id = std::string(pedigree) + key;
        if (auto it = nextRuns_.find(id); it != nextRuns_.end()) return &it->second;
        auto next = FindNextRun(pedigree, key);
        if (!next) return Error{next.error()};
        return &nextRuns_.emplace(std::move(id), std::move(*next)).first->second;
    }

  private:
    // The sound runs of the history file of `pedigree`, oldest first, into
    // runs_; false when there is none. A history with a damaged record inside
    // counts as none (its problems are kept): a run left out would make
    // another run look like the next one.
    Result<bool> ReadHistory(std::string_view pedigree) {
        auto location = store::HistoryLocation(pedigree);
        if (!location) return false;
        auto path = files_.PathOf(*location, /*createFolders=*/false);
        if (!path) return Error{path.error()};
        const std::size_t maxBytes = MaxBytesOf(ReadLimit::kData);
        switch (const FileRead read = ReadFileInto(*path, buffer_, maxBytes)) {
            case FileRead::kRead:
                break;
            case FileRead::kMissing:
                return false;
            case FileRead::kFailed:
            case FileRead::kTooLarge:
                return Error{FileReadMessage(read, *path, maxBytes)};
        }
        store::RecordFileSpec spec{layout::RecordType::SE};
        spec.implied.push_back({se::kPedigree, std::string(pedigree), "血統登録番号"});
        runs_.clear();
        const store::RecordFileScan scan = store::ForEachCheckedRecordIn(
            buffer_, *path, spec, [this](const store::CheckedRecord& r) {
                if (!r.blank) runs_.push_back(r.record);
            });
        for (auto& problem : scan.Messages()) problems_.push_back(std::move(problem));
        return scan.ok() || scan.OnlyCutAtEnd();
    }

    Result<NextRun> FindNextRun(std::string_view pedigree, const std::string& key) {
        NextRun next;
        auto read = ReadHistory(pedigree);
        if (!read) return Error{read.error()};
        if (!*read) return next;

        const std::size_t count = runs_.size();
        const auto beforeToday = [this](std::int64_t d) { return d > 0 && d < today_; };

        // Newest first, down to the previous race; the run after it is the
        // horse's next run. A match on the last run has no next run.
        for (std::size_t i = count; i-- > 0;) {
            const std::string_view line = runs_[i];
            if (!beforeToday(RaceDate(line)) || RaceKey12(line) != key) continue;
            if (i + 1 == count) continue;
            const std::string_view after = runs_[i + 1];
            if (beforeToday(RaceDate(after))) {
                next.found = true;
                next.race = RaceKey12(after);
                next.finish = text::ReadInt32(FieldAt(after, se::kFinish));
                auto raceRecord = FindRace(next.race);
                if (!raceRecord) return Error{raceRecord.error()};
                if (*raceRecord) {
                    next.name = std::string(FieldAt(**raceRecord, ra::kRaceNameShort6));
                    next.condition = std::string(FieldAt(**raceRecord, ra::kConditionYoungest));
                    next.headCount = text::ReadInt32(FieldAt(**raceRecord, ra::kEntered));
                }
            }
            break;
        }
        return next;
    }

    // The RA record of race `key` in the RA day file of its date.
    Result<std::optional<std::string_view>> FindRace(const std::string& key) {
        auto lines = DayFile(store::FileKind::RaDay, std::string_view(key).substr(0, 8));
        if (!lines) return Error{lines.error()};
        std::optional<std::string_view> found;
        if (*lines) {
            for (const std::string& line : **lines) {
                if (!line.empty() && RaceKey12(line) == key) {
                    found = line;
                    break;
                }
            }
        }
        return found;
    }

    store::LocalFiles files_;
    std::int64_t today_;
    std::map<std::string, std::optional<std::vector<std::string>>> dayFiles_;
    std::unordered_map<std::string, NextRun> nextRuns_;
    std::string buffer_;
    std::vector<std::string_view> runs_;  // into buffer_
    std::vector<std::string> problems_;
};

void StoreNextRun(const NextRun& next, model::TZensoMembers& members, std::size_t k) {
    if (!next.found) return;
    members.NextRace[k] = next.race;
    members.NextFinish[k] = next.finish;
    members.NextRaceName[k] = next.name;
    members.NextCond[k] = next.condition;
    members.NextHeadCount[k] = next.headCount;
}

// The horses of the previous race of runner `slot` of race `race`.
Status SearchRunner(model::RaceDay& day, int race, int slot, SearchFiles& files,
                    ProgressSink& progress) {
    const model::SeImage& prevSe = day.PastSE(race, slot, 0);
    const model::RaImage& prevRa = day.PastRA(race, slot, 0);
    model::TZensoMembers& members = day.OutData(race).ZensoMembers[static_cast<std::size_t>(slot)];

    auto seDay = files.DayFile(store::FileKind::SeDay, prevSe.Field(head::kRaceDate),
                               prevSe.Field(head::kVenue));
    if (!seDay) return Error{seDay.error()};
    if (*seDay == nullptr) return Status::Ok();  // no previous race, or its day is not kept
    const std::vector<std::string>& slots = **seDay;

    const std::string key = RaceKey12(prevSe.View());
    const model::RaImage& today = day.RaceRA(race);
    const std::string progressHead =
        store::VenueName(today.Field(head::kVenue), kVenueStyle) +
        TwoDigits(today.Int(head::kRaceNumber)) + "R " +
        std::string(First18(day.RunnerSE(race, slot).Field(se::kHorseName))) + Sj("-前走対戦馬->");

    const int raceNumber = prevSe.Int32(head::kRaceNumber);
    const int entered = std::clamp(prevRa.Int32(ra::kEntered), 0, model::kRunners);
    for (int k = 0; k < entered; ++k) {
        const std::int64_t index = static_cast<std::int64_t>(raceNumber - 1) * model::kRunners + k;
        if (raceNumber < 1 || index >= static_cast<std::int64_t>(slots.size())) break;
        const std::string_view line = slots[static_cast<std::size_t>(index)];
        if (line.empty()) continue;  // a damaged record: this horse stays unknown
        const std::string_view name = First18(FieldAt(line, se::kHorseName));
        progress.SetDetail(text::ToUtf8(progressHead + std::string(name)));
        progress.Pump();

        const auto kk = static_cast<std::size_t>(k);
        const std::string_view pedigree = FieldAt(line, se::kPedigree);
        members.Pedigree[kk] = pedigree;
        members.Name[kk] = name;
        members.PrevFinish[kk] = text::ReadInt32(FieldAt(line, se::kFinish));

        auto next = files.NextRunOf(pedigree, key);
        if (!next) return Error{next.error()};
        StoreNextRun(**next, members, kk);
    }
    members.UpCount = static_cast<std::int32_t>(
        std::count_if(members.NextFinish.begin(), members.NextFinish.end(),
                      [](std::int32_t f) { return f >= 1 && f <= 3; }));
    return Status::Ok();
}

}  // namespace

void ResetZensoMembers(model::RaceDay& day) {
    model::TZensoMembers empty;
    empty.NextFinish.fill(model::kUnknownFinish);
    empty.PrevFinish.fill(model::kUnknownFinish);
    for (int r = 0; r < model::kRaces; ++r) day.OutData(r).ZensoMembers.fill(empty);
}

Status SearchPreviousRaceWinners(model::RaceDay& day, const fs::path& programFolder,
                                 ProgressSink& progress, std::vector<std::string>* problems) {
    const std::int64_t today = RaceDate(day.RaceRA(0).View());
    if (today <= 0) return Error{std::string(kZensoNoDayMessage)};

    day.State().ZensoExtracted = 0;
    ResetZensoMembers(day);
    SearchFiles files(programFolder, today);
    progress.SetRange(model::kRaces);
    for (int race = 0; race < model::kRaces; ++race) {
        progress.SetPosition(race);
        const int count = analysis::EnteredSlots(day.RaceRA(race));
        for (int slot = 0; slot < count; ++slot) {
            if (Status s = SearchRunner(day, race, slot, files, progress); !s) {
                progress.SetDetail({});
                if (problems) *problems = files.Problems();
                return s;
            }
        }
    }
    progress.SetPosition(model::kRaces);
    progress.SetDetail({});
    if (problems) *problems = files.Problems();
    day.State().ZensoExtracted = 1;
    return Status::Ok();
}

}  // namespace quindle::load
