// The import of a time-series odds viewer's folder into the day files
// (ImportViewerOdds). The viewer keeps, per race, every O1 and O5 announcement of the
// day in <folder>/<yyyymmdd>/<venue meeting day race>.jvO1 (.jvO5); the one
// nearest to the race's automatic odds time replaces the race's record in the
// day file, as if it had been retrieved at that time.

#include <cstdlib>
#include <map>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/load/odds_import.h"
#include "core/store/files/file_names.h"
#include "core/store/files/line_file_io.h"
#include "core/store/files/local_files.h"
#include "core/text/fields.h"
#include "core/util/file_io.h"
#include "core/util/folders.h"

namespace quindle::load {
namespace {

namespace fs = std::filesystem;
namespace layout = store::layout;
namespace head = layout::head;
using text::FieldAt;

// Venue, meeting, day of meeting and race number: the viewer's file name.
constexpr text::FieldPos kViewerFileKey{head::kVenue.pos,
                                        head::kRaceNumber.End() - head::kVenue.pos + 1};

// Nothing is nearer than this many minutes: an announcement this far or
// farther from the odds time is never taken.
constexpr int kNoAnnouncement = 1000;
constexpr int kMinutesPerHour = 60;

struct ViewerKind {
    layout::RecordType type;
    store::FileKind dayFile;
    text::FieldPos announcedMonthDay;
    text::FieldPos announcedHour;
    text::FieldPos announcedMinute;
    bool counted;  // the message counts the races whose O1 was taken
};

constexpr ViewerKind kViewerKinds[] = {
    {layout::RecordType::O1, store::FileKind::O1Day, layout::o1::kAnnouncedMonthDay,
     layout::o1::kAnnouncedHour, layout::o1::kAnnouncedMinute, true},
    {layout::RecordType::O5, store::FileKind::O5Day, layout::o5::kAnnouncedMonthDay,
     layout::o5::kAnnouncedHour, layout::o5::kAnnouncedMinute, false},
};

bool SameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    auto normal = [](const fs::path& p) {
        std::error_code ignored;
        fs::path n = fs::absolute(p, ignored).lexically_normal();
        return n.has_filename() ? n : n.parent_path();
    };
    return normal(a) == normal(b);
}

// Record fields that become part of a path: ASCII digits and letters only.
bool IsNamePart(std::string_view part) {
    if (part.empty()) return false;
    for (char c : part) {
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!alnum) return false;
    }
    return true;
}

int Minutes(std::string_view hour, std::string_view minute) {
    return static_cast<int>(text::ReadInt(hour)) * kMinutesPerHour +
           static_cast<int>(text::ReadInt(minute));
}

// The viewer file of a race: <folder>/<yyyymmdd>/<key><extension>, found in
// any letter case; empty when there is none.
fs::path ViewerFile(const fs::path& folder, std::string_view date, std::string_view key,
                    layout::RecordType type) {
    auto dateFolder = FindFolder(folder, date);
    if (!dateFolder) return {};
    const std::string name = std::string(key) + ".jv" + std::string(layout::RecordTypeId(type));
    auto file = FindFile(*dateFolder, name);
    return file ? *file : fs::path();
}

// The line of `lines` announced on the race day nearest to `target` minutes;
// the first of equally near lines. Lines that are not whole records of the
// race (wrong length, another race key) are never taken: they would put the
// day file's fixed-length records out of step or a foreign race into it.
const std::string* NearestAnnouncement(const std::vector<std::string>& lines,
                                       const ViewerKind& kind, std::string_view raceKey,
                                       int target) {
    const auto lineLength = static_cast<size_t>(layout::LineLength(kind.type));
    const std::string* chosen = nullptr;
    int best = kNoAnnouncement;
    for (const std::string& line : lines) {
        if (line.size() != lineLength || FieldAt(line, head::kRaceKey) != raceKey) continue;
        if (FieldAt(line, head::kMonthDay) != FieldAt(line, kind.announcedMonthDay)) continue;
        const int difference = std::abs(target - Minutes(FieldAt(line, kind.announcedHour),
                                                         FieldAt(line, kind.announcedMinute)));
        if (difference < best) {
            best = difference;
            chosen = &line;
        }
    }
    return chosen;
}

// Every line with the key of `line` becomes `line`; without one it is
// appended. The file keeps its order.
void ReplaceOrAppend(std::vector<std::string>& lines, const std::string& line) {
    const std::string_view key = FieldAt(line, head::kRaceKey);
    bool replaced = false;
    for (std::string& existing : lines) {
        if (FieldAt(existing, head::kRaceKey) != key) continue;
        existing = line;
        replaced = true;
    }
    if (!replaced) lines.push_back(line);
}

// The day files the import changes, read once and written once at the end.
class DayFileEdits {
  public:
    explicit DayFileEdits(const fs::path& programFolder) : files_(programFolder) {}

    Result<std::vector<std::string>*> Lines(store::FileKind kind, std::string_view yyyymmdd) {
        auto location = store::DayFileLocation(kind, yyyymmdd);
        if (!location) return Error{location.error()};
        auto path = files_.PathOf(*location, /*createFolders=*/true);
        if (!path) return Error{path.error()};
        auto found = edits_.find(*path);
        if (found != edits_.end()) return &found->second;
        std::vector<std::string> lines;
        if (PathExists(*path)) {
            auto bytes = ReadFileBytes(*path);
            if (!bytes) return Error{bytes.error()};
            lines = store::SplitLines(*bytes);
        }
        return &edits_.emplace(*path, std::move(lines)).first->second;
    }

    Status Write() const {
        std::vector<store::FileReplacement> replacements;
        for (const auto& [path, lines] : edits_) replacements.push_back({path, &lines});
        return store::ReplaceFiles(replacements);
    }

  private:
    store::LocalFiles files_;
    std::map<fs::path, std::vector<std::string>> edits_;
};

}  // namespace

Result<ViewerImportOutcome> ImportViewerOdds(const model::RaceDay& day,
                                             const fs::path& programFolder,
                                             const fs::path& viewerFolder,
                                             const std::string& selectedDateText, bool bulkLoad) {
    const fs::path folder = viewerFolder.empty() ? programFolder : viewerFolder;
    if (SameFolder(folder, programFolder)) {
        return Error{"時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定をしてください。"};
    }
    if (text::TrimBlanks(selectedDateText).empty()) {
        return Error{"ｵｯｽﾞを読み込みたい当日の開催日ﾃﾞｰﾀを読み込んでください。"};
    }

    DayFileEdits edits(programFolder);
    ViewerImportOutcome outcome;
    for (int race = 0; race < model::kRaces; ++race) {
        const model::RaImage& ra = day.RaceRA(race);
        const std::string_view date = ra.Field(head::kRaceDate);
        const std::string_view key = ra.Field(kViewerFileKey);
        if (!IsNamePart(date) || !IsNamePart(key)) continue;  // no race at this index
        const std::string_view oddsTime = day.OutData(race).OddsTime.View();
        const int target = Minutes(FieldAt(oddsTime, 1, 2), FieldAt(oddsTime, 3, 2));

        for (const ViewerKind& kind : kViewerKinds) {
            const fs::path file = ViewerFile(folder, date, key, kind.type);
            if (file.empty()) continue;
            auto bytes = ReadFileBytes(file);
            if (!bytes) return Error{bytes.error()};
            const std::vector<std::string> lines = store::SplitLines(*bytes);
            const std::string* chosen =
                NearestAnnouncement(lines, kind, ra.Field(head::kRaceKey), target);
            if (chosen == nullptr) continue;
            auto dayLines = edits.Lines(kind.dayFile, date);
            if (!dayLines) return Error{dayLines.error()};
            ReplaceOrAppend(**dayLines, *chosen);
            if (kind.counted) ++outcome.racesImported;
        }
    }
    if (Status s = edits.Write(); !s) return Error{s.error()};

    if (!bulkLoad) {
        outcome.message =
            std::to_string(outcome.racesImported) + "ﾚｰｽ分のｵｯｽﾞ" + "\r\n" + "を取りこみました。";
    }
    outcome.reloadDay = true;
    return outcome;
}

}  // namespace quindle::load
