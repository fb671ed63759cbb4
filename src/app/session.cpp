#include "app/session.h"

#include <algorithm>
#include <system_error>

#include "core/analysis/riding_pattern.h"
#include "core/env/program_folder.h"
#include "core/load/day_files.h"
#include "core/store/record_layout.h"
#include "core/text/fields.h"

namespace quindle::app {
namespace {

namespace fs = std::filesystem;
namespace layout = store::layout;

constexpr std::string_view kNewestDay = "newest";

std::string WithoutBlanks(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c != ' ') out += c;
    }
    return out;
}

}  // namespace

Session::Session(StartupState state, SessionOptions options,
                 std::shared_ptr<ProgramClock> programClock)
    : state_(std::move(state)),
      jvLink_(std::move(options.jvLink)),
      programClock_(std::move(programClock)),
      clock_(ClockFunction(programClock_)) {}

Result<fs::path> ChooseProgramFolder(const SessionOptions& options) {
    std::error_code ec;
    if (options.homeMustExist && !options.home.empty() && !fs::is_directory(options.home, ec)) {
        return Error{"no program folder " + options.home.string()};
    }
    return env::ChooseProgramFolder(env::ProgramFolderSources::FromEnvironment(options.home));
}

Result<Session> Session::Open(const SessionOptions& options) {
    if (auto folder = ChooseProgramFolder(options); !folder) return Error{folder.error()};
    std::shared_ptr<ProgramClock> programClock = options.programClock;
    if (!programClock) programClock = MakeProgramClock(options.jvLink.clock, options.clock);
    auto state = RunStartup({env::ProgramFolderSources::FromEnvironment(options.home),
                             options.registry, ClockFunction(programClock)});
    if (!state) return Error{state.error()};
    return Session(std::move(*state), options, std::move(programClock));
}

std::vector<std::string> Session::RaceDays() const {
    return load::MakeDataList(ProgramFolder());
}

Result<std::string> Session::ResolveDay(std::string_view text,
                                        const std::vector<std::string>& raceDays) const {
    std::string date(text);
    if (text == kNewestDay) {
        if (raceDays.empty()) return Error{"no race day in " + ProgramFolder().string()};
        return raceDays.front();
    }
    if (!load::YmdOfDateText(date)) {
        auto fromYmd = load::DateTextOfYmd(date);
        if (!fromYmd) {
            return Error{"a day is written 2025年01月05日 or 20250105, not '" + date + "'"};
        }
        date = *fromYmd;
    }
    if (std::find(raceDays.begin(), raceDays.end(), date) == raceDays.end()) {
        // Something that is no file in place of the day's RA file hides the
        // day from the list: name it rather than say the day is not there.
        if (auto files = load::DayFiles::Open(ProgramFolder(), date)) {
            std::error_code ec;
            const fs::path& ra = files->Paths().ra;
            if (fs::exists(fs::symlink_status(ra, ec)) && !fs::is_regular_file(ra, ec)) {
                return Error{ra.string() + ": 通常のファイルではありません"};
            }
        }
        return Error{"no race day " + date + " in " + ProgramFolder().string()};
    }
    return date;
}

load::DayLoadSettings Session::LoadSettings() const {
    return {Settings().Read(env::settings::kAutoOddsMinutes),
            Settings().Read(env::settings::kAutoRaceDataMinutes),
            Settings().Read(env::settings::kMailLeadMinutes)};
}

Result<load::DayLoadOutcome> Session::LoadDay(model::RaceDay& day, const std::string& dateText,
                                              ProgressSink& progress) {
    auto outcome = load::LoadDay(day, ProgramFolder(), dateText, LoadSettings(), JockeyTable(),
                                 load::LoadClockAt(clock_()), progress);
    if (!outcome) return outcome;
    for (const std::string& problem : outcome->problems) {
        // The load went on without what the problem names; the log keeps it.
        const Status logged = ErrorLog().AppendErrorLog(dateText + ": " + problem);
        if (!logged) {
            outcome->errorLogFailure = logged.error();
            break;
        }
    }
    return outcome;
}

Result<JvLinkSource> Session::JvLink(WithoutStore withoutStore) const {
    return JvLinkSource::Resolve(ProgramFolder(), jvLink_, withoutStore, programClock_);
}

Result<int> ResolveRace(const load::DayLoadOutcome& outcome, std::string_view text) {
    if (outcome.raceList.empty()) {
        // Every race withheld: the damage is the reason, not an empty file.
        if (!outcome.withheld.empty()) {
            return Error{"読み込めるレースがありません: " + outcome.withheld.front().reason};
        }
        return Error{outcome.files.ra.string() + ": レースがありません (no race in this file)"};
    }
    if (text::AllDigits(text)) {
        const int index = text.size() > 2 ? -1 : std::stoi(std::string(text));
        for (int r : outcome.raceIndexes) {
            if (r == index) return index;
        }
        return Error{"race index " + std::string(text) + " is not a race of this day, which has " +
                     std::to_string(outcome.raceList.size()) + " races"};
    }
    const std::string wanted = WithoutBlanks(text);
    for (size_t line = 0; line < outcome.raceList.size(); ++line) {
        if (WithoutBlanks(outcome.raceList[line]) == wanted) return outcome.raceIndexes[line];
    }
    for (const load::WithheldRace& w : outcome.withheld) {
        if (WithoutBlanks(w.Label()) == wanted) {
            return Error{w.Label() +
                         " は破損したレコードがあるため読み込んでいません: " + w.reason};
        }
    }
    return Error{"no race '" + std::string(text) + "' on this day"};
}

std::string RaceListText(const load::DayLoadOutcome& outcome, int race) {
    const auto& indexes = outcome.raceIndexes;
    for (size_t line = 0; line < indexes.size(); ++line) {
        if (indexes[line] == race) return outcome.raceList[line];
    }
    return std::to_string(race);
}

std::optional<std::string> NoRunnersMessage(const model::RaceDay& day, int race) {
    if (day.RunnerSE(race, 0).Int32(layout::se::kHorseNumber) != 0) return std::nullopt;
    return std::to_string(day.RaceRA(race).Int32(layout::head::kRaceNumber)) +
           "レースはデータが不十分です。";
}

}  // namespace quindle::app
