#include "day_options.h"

#include <cstdio>

#include "stderr_progress.h"

namespace quindle::cli {

Result<DayOptions> ParseDayOptions(const Args& args) {
    DayOptions options;
    const ValueOption values[] = {
        StoreOption("home", options.home),
        StoreOption("day", options.day),
        StoreOption("race", options.race),
    };
    const FlagOption flags[] = {{"strict", [&options] { options.strict = true; }}};
    auto rest = TakeOptions(args, values, flags);
    if (!rest) return Error{rest.error()};
    options.rest = std::move(*rest);
    return options;
}

Result<app::Session> OpenSession(const std::filesystem::path& home, app::JvLinkOptions jvLink,
                                 bool makeHome) {
    app::SessionOptions options;
    options.home = home;
    options.homeMustExist = !makeHome;
    options.jvLink = std::move(jvLink);
    auto session = app::Session::Open(options);
    if (!session) return session;
    // The start went on without these; a terminal user sees them once.
    for (const std::string& problem : session->StartupProblems()) {
        std::fprintf(stderr, "quindle-cli: %s\n", problem.c_str());
    }
    return session;
}

Status ReportProblems(const std::vector<std::string>& problems, bool strict,
                      const std::string& what) {
    for (const std::string& problem : problems) {
        std::fprintf(stderr, "quindle-cli: warning: %s\n", problem.c_str());
    }
    if (strict && !problems.empty()) {
        return Error{what + ": " + std::to_string(problems.size()) +
                     " damaged record(s) in the files read (--strict)"};
    }
    return Status::Ok();
}

Status ReportProblems(const LoadedDay& loaded, const std::vector<std::string>& problems) {
    return ReportProblems(problems, loaded.strict, loaded.dateText);
}

Result<LoadedDay> OpenDay(const DayOptions& options, bool needRace, app::JvLinkOptions jvLink) {
    if (!options.day) return Error{"--day DATE is needed"};
    if (needRace && !options.race) return Error{"--race RACE is needed"};
    auto session = OpenSession(options.home, std::move(jvLink));
    if (!session) return Error{session.error()};
    auto dateText = session->ResolveDay(*options.day, session->RaceDays());
    if (!dateText) return Error{dateText.error() + " (see quindle-cli days)"};

    LoadedDay loaded{std::make_unique<app::Session>(std::move(*session)),
                     *dateText,
                     std::make_unique<model::RaceDay>(),
                     {},
                     -1,
                     options.strict};
    StderrProgress progress;
    auto outcome = loaded.session->LoadDay(*loaded.day, loaded.dateText, progress);
    if (!outcome) return Error{loaded.dateText + ": " + outcome.error()};
    loaded.outcome = std::move(*outcome);
    if (!loaded.outcome.errorLogFailure.empty()) {
        std::fprintf(stderr, "quindle-cli: %s\n", loaded.outcome.errorLogFailure.c_str());
    }
    if (Status s = ReportProblems(loaded, loaded.outcome.problems); !s) return Error{s.error()};

    if (options.race) {
        auto race = app::ResolveRace(loaded.outcome, *options.race);
        if (!race) return Error{race.error() + " (see quindle-cli races)"};
        loaded.race = *race;
        if (needRace) {
            if (auto empty = app::NoRunnersMessage(*loaded.day, *race)) return Error{*empty};
        }
    }
    return loaded;
}

Result<LoadedDay> OpenDay(const Args& args, bool needRace, app::JvLinkOptions jvLink) {
    auto options = ParseDayOptions(args);
    if (!options) return Error{options.error()};
    if (!options->rest.empty()) return Error{"unknown argument '" + options->rest.front() + "'"};
    return OpenDay(*options, needRace, std::move(jvLink));
}

}  // namespace quindle::cli
