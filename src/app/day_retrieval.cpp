#include "app/day_retrieval.h"

#include "core/load/odds_import.h"
#include "core/load/payout_import.h"

namespace quindle::app {
namespace {

// The first listed race: its date is the key of the day's results and mining.
load::RaceRef FirstRace(const RetrievalDay& day) {
    const std::vector<int>& indexes = day.outcome.raceIndexes;
    return load::RaceRefOf(day.day, indexes.empty() ? 0 : indexes.front());
}

// The damaged odds records left out cost their races the odds; the log says
// which.
Status LogProblems(Session& session, const std::vector<std::string>& problems) {
    for (const std::string& problem : problems) {
        if (Status logged = session.ErrorLog().AppendErrorLog(problem); !logged) return logged;
    }
    return Status::Ok();
}

}  // namespace

Status ImportRetrievedOdds(Session& session, const RetrievalDay& day, int race) {
    std::vector<std::string> problems;
    const Status imported =
        load::ImportOdds(day.day, race, session.JockeyTable(), day.outcome.files, &problems);
    if (Status logged = LogProblems(session, problems); !logged) return logged;
    if (!imported) return Error{RaceListText(day.outcome, race) + ": " + imported.error()};
    return Status::Ok();
}

Status ImportAfterRetrieval(Session& session, const RetrievalDay& day,
                            const jvlink::RealtimeOutcome& retrieved, const ImportDone& done) {
    if (!retrieved.oddsImports.empty()) {
        // The day's odds files are read once for all the races: the whole
        // day's odds import 36 races from the same two files.
        auto files = load::DayOddsFiles::Read(day.outcome.files);
        const int first = retrieved.oddsImports.front();
        if (!files) return Error{RaceListText(day.outcome, first) + ": " + files.error()};
        if (Status logged = LogProblems(session, files->Problems()); !logged) return logged;
        for (int race : retrieved.oddsImports) {
            const Status imported = load::ImportOdds(day.day, race, session.JockeyTable(), *files);
            if (!imported) return Error{RaceListText(day.outcome, race) + ": " + imported.error()};
            done({race, ImportKind::Odds, "odds imported: " + RaceListText(day.outcome, race)});
        }
    }
    if (retrieved.payoutImport) {
        auto shown =
            load::ImportPayouts(day.day, session.ProgramFolder(), day.dateText, day.shownRace);
        if (!shown) return Error{shown.error()};
        done({day.shownRace, ImportKind::Payouts, "payouts imported"});
    }
    return Status::Ok();
}

DayRetrieval::DayRetrieval(Session& session, jvlink::JvLink& link, jvlink::AcquisitionFlags& flags,
                           jvlink::RealtimeObserver& status)
    : session_(session),
      engine_(link, flags, session.ProgramFolder(), &session.ErrorLog(), status) {}

RetrievalReport DayRetrieval::Run(Retrieval what, const RetrievalDay& day, const ImportDone& done,
                                  std::vector<load::RaceRef> queue) {
    RetrievalReport report;
    report.retrieved = Retrieve(what, day, std::move(queue));
    report.imported = ImportAfterRetrieval(session_, day, report.retrieved, done);
    return report;
}

jvlink::RealtimeOutcome DayRetrieval::Retrieve(Retrieval what, const RetrievalDay& day,
                                               std::vector<load::RaceRef> queue) {
    const load::RaceRef shown = load::RaceRefOf(day.day, day.shownRace);
    switch (what) {
        case Retrieval::RaceOdds:
            return engine_.RetrieveRaceOdds(shown);
        case Retrieval::AutoOdds:
            return engine_.RetrieveAutoOdds(std::move(queue), shown);
        case Retrieval::Results:
            return engine_.RetrieveResults(FirstRace(day), shown);
        case Retrieval::Mining:
            return engine_.RetrieveMining(FirstRace(day), shown);
        case Retrieval::DayOdds: {
            std::vector<load::RaceRef> races;
            for (int race : day.outcome.raceIndexes)
                races.push_back(load::RaceRefOf(day.day, race));
            return engine_.RetrieveDayOdds(races);
        }
    }
    return {};
}

}  // namespace quindle::app
