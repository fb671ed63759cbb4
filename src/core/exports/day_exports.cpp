#include "core/exports/day_exports.h"

#include <cstdint>

#include "core/analysis/riding_pattern.h"
#include "core/store/record_layout.h"
#include "core/text/fields.h"
#include "core/util/file_io.h"
#include "core/util/utf8_path.h"

namespace quindle::exports {
namespace fs = std::filesystem;
namespace head = store::layout::head;
namespace se = store::layout::se;

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kExtension = ".csv";

// A mark of 1 or 2 as itself, anything else as "0".
std::string RecommendValue(std::int32_t mark) {
    return mark == 1 ? "1" : mark == 2 ? "2" : "0";
}

std::string FlagValue(std::int32_t mark) {
    return mark == 1 ? "1" : "0";
}

using ValueOf = std::string (*)(const model::TOutData& out, std::size_t slot);

struct MarkFile {
    std::string_view baseName;
    ValueOf value;
};

constexpr MarkFile kTanSuisho{"TanSuisho", [](const model::TOutData& out, std::size_t s) {
                                  return RecommendValue(out.WinRecommend[s]);
                              }};
constexpr MarkFile kFukuSuisho{"FukuSuisho", [](const model::TOutData& out, std::size_t s) {
                                   return RecommendValue(out.PlaceRecommend[s]);
                               }};
constexpr MarkFile kGet{
    "Get", [](const model::TOutData& out, std::size_t s) { return FlagValue(out.GetMark[s]); }};
constexpr MarkFile kGive{
    "Give", [](const model::TOutData& out, std::size_t s) { return FlagValue(out.GiveMark[s]); }};
constexpr MarkFile kZensoKachiAgari{"ZensoKachiAgari",
                                    [](const model::TOutData& out, std::size_t s) {
                                        return text::Format("%2d", out.ZensoMembers[s].UpCount);
                                    }};

std::vector<MarkFile> FilesOf(DayExport kind) {
    switch (kind) {
        case DayExport::Recommend:
            return {kTanSuisho, kFukuSuisho};
        case DayExport::GetGive:
            return {kGet, kGive};
        case DayExport::PreviousRaceWinners:
            return {kZensoKachiAgari};
    }
    return {};
}

std::string FileBytes(const model::RaceDay& day, const std::vector<int>& races,
                      const MarkFile& file) {
    std::string bytes;
    for (const int race : races) {
        const model::RaImage& raImage = day.RaceRA(race);
        const std::string_view key = raImage.Field(head::kRaceKey);
        const model::TOutData& out = day.OutData(race);
        const int runners = analysis::EnteredSlots(raImage);
        for (int slot = 0; slot < runners; ++slot) {
            bytes += key;
            bytes += day.RunnerSE(race, slot).Field(se::kHorseNumber);
            bytes += ',';
            bytes += file.value(out, static_cast<std::size_t>(slot));
            bytes += kCrLf;
        }
    }
    return bytes;
}

}  // namespace

std::string ExportDayDate(const model::RaceDay& day) {
    const model::RaImage& first = day.RaceRA(0);
    std::string date(first.Field(head::kYear));
    date += first.Field(head::kMonthDay);
    return date;
}

std::vector<ExportFile> BuildDayExport(const model::RaceDay& day, const std::vector<int>& races,
                                       DayExport kind) {
    std::vector<ExportFile> files;
    for (const MarkFile& file : FilesOf(kind)) {
        files.push_back({file.baseName, FileBytes(day, races, file)});
    }
    return files;
}

fs::path ExportPath(const fs::path& folder, std::string_view baseName, std::string_view dayDate) {
    std::string name(baseName);
    name += dayDate;
    name += kExtension;
    return PathBelow(folder, name);
}

Result<std::vector<fs::path>> WriteDayExport(const model::RaceDay& day,
                                             const std::vector<int>& races, DayExport kind,
                                             const fs::path& folder) {
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec)) {
        return Error{"CSVファイル出力先フォルダがありません: " + folder.string()};
    }
    const std::string date = ExportDayDate(day);
    std::vector<fs::path> written;
    for (const ExportFile& file : BuildDayExport(day, races, kind)) {
        fs::path path = ExportPath(folder, file.baseName, date);
        if (Status s = ReplaceFileAtomically(path, file.bytes); !s) return Error{s.error()};
        written.push_back(std::move(path));
    }
    return written;
}

fs::path CsvExportFolder(const env::SettingsFile& settings) {
    return PathFromUtf8(settings.Read(env::settings::kCsvExportFolder));
}

std::string ExportDoneMessage(const std::vector<fs::path>& paths, DayExport kind) {
    std::string message = "以下のCSVファイルを出力しました。";
    message += kCrLf;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        message += paths[i].string();
        const bool last = i + 1 == paths.size();
        if (!last || kind != DayExport::PreviousRaceWinners) message += kCrLf;
    }
    return message;
}

}  // namespace quindle::exports
