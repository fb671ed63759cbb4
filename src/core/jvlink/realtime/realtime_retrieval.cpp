#include "core/jvlink/realtime/realtime_retrieval.h"

#include "core/jvlink/realtime/realtime_reader.h"
#include "core/jvlink/result_text.h"

namespace quindle::jvlink {
namespace {

// The venue and race number of the status texts: "中山 1".
std::string VenueRace(const load::RaceRef& race) {
    return load::VenueRaceText(race.venue, race.number);
}

}  // namespace

void MergeOutcome(RealtimeOutcome& into, RealtimeOutcome part) {
    into.ran = into.ran || part.ran;
    into.beep = into.beep || part.beep;
    into.jvLinkError = into.jvLinkError || part.jvLinkError;
    for (auto& line : part.errorLines) into.errorLines.push_back(std::move(line));
    if (into.fileError.empty()) into.fileError = std::move(part.fileError);
    if (into.errorLogFailure.empty()) into.errorLogFailure = std::move(part.errorLogFailure);
    into.records += part.records;
    into.linesStored += part.linesStored;
    into.refused += part.refused;
    into.oddsImports.insert(into.oddsImports.end(), part.oddsImports.begin(),
                            part.oddsImports.end());
    into.payoutImport = into.payoutImport || part.payoutImport;
    into.showSelectedRace = into.showSelectedRace || part.showSelectedRace;
}

// How one session reports: the status text before the result text of a
// failed open, and where the beep sounds.
struct RealtimeRetrieval::SessionRules {
    std::string_view spec;
    RealtimeReader reader;
    std::string openErrorPrefix;
    bool beepOnOpenError;
    bool beepOnReadError;
    bool beepOnCloseError;
    bool beepOnClose;
};

RealtimeRetrieval::RealtimeRetrieval(JvLink& link, AcquisitionFlags& flags,
                                     std::filesystem::path programFolder, env::ErrorLog* errorLog,
                                     RealtimeObserver& observer)
    : link_(link),
      flags_(flags),
      programFolder_(std::move(programFolder)),
      errorLog_(errorLog),
      observer_(observer) {}

void RealtimeRetrieval::Status(std::string_view text) {
    observer_.SetStatusLine(text);
}

void RealtimeRetrieval::ErrorLine(std::string text, RealtimeOutcome& out) {
    Status(text);
    if (errorLog_) {
        const quindle::Status logged = errorLog_->AppendErrorLog(text);
        if (!logged) ErrorLogFailed(logged.error(), out);
    }
    out.errorLines.push_back(std::move(text));
}

void RealtimeRetrieval::ErrorLogFailed(const std::string& reason, RealtimeOutcome& out) {
    if (reason.empty() || !out.errorLogFailure.empty()) return;
    Status(reason);
    out.errorLogFailure = reason;
}

void RealtimeRetrieval::Store(store::FileBatch& batch, RealtimeOutcome& out) {
    if (batch.PendingFiles() == 0) return;
    const quindle::Status flushed = batch.Flush();
    if (flushed) return;
    if (out.fileError.empty()) {
        Status("");
        observer_.Pump();
        out.fileError = flushed.error();
    }
    out.oddsImports.clear();
    out.payoutImport = false;
    out.showSelectedRace = false;
}

void RealtimeRetrieval::RunSession(const SessionRules& rules, std::string_view key,
                                   store::FileBatch& batch, RealtimeOutcome& out) {
    const int opened = link_.JVRTOpen(rules.spec, key);
    if (opened != code::kOk) {
        out.jvLinkError = true;
        out.noData = out.noData || opened == code::kNoData;
        out.beep = out.beep || rules.beepOnOpenError;
        ErrorLine(rules.openErrorPrefix + JvResultText(link_, "JVRTOpen", opened), out);
    } else {
        // A cancelled accumulated download must not silence every later
        // retrieval: its flag concerns that download alone. Cleared only once
        // this session is open, so it never undoes a cancel of a download
        // that still holds the session.
        flags_.CancelRequested = false;
        RealtimeReadResult read =
            ReadRealtimeRecords(link_, flags_, observer_, programFolder_, rules.reader, errorLog_, batch);
        out.records += read.records;
        out.linesStored += read.linesStored;
        out.refused += read.refused;
        ErrorLogFailed(read.errorLogFailure, out);
        if (!read.fileError.empty()) {
            // As when anything fails after the open: clear the status line,
            // let the window repaint, close the session, and stop.
            Status("");
            observer_.Pump();
            link_.JVClose();
            out.fileError = read.fileError;
            return;
        }
        if (read.loop.end == ReadLoopEnd::ReadError) {
            out.jvLinkError = true;
            out.beep = out.beep || rules.beepOnReadError;
            ErrorLine(JvResultText(link_, "JVRead", read.loop.code), out);
        }
    }
    const int closed = link_.JVClose();
    if (closed != code::kOk) {
        out.jvLinkError = true;
        out.beep = out.beep || rules.beepOnCloseError;
        ErrorLine(JvResultText(link_, "JVClose", closed), out);
    } else {
        out.beep = out.beep || rules.beepOnClose;
    }
}

void RealtimeRetrieval::RaceOdds(std::string_view raceKey, const std::string& venueRace,
                                 bool autoList, store::FileBatch& batch,
                                 RealtimeOutcome& out) {
    const SessionRules rules{kOddsDataSpec,
                             RealtimeReader::Odds,
                             venueRace + (autoList ? "R:" : "R:ｵｯｽﾞ取得エラー："),
                             true,
                             true,
                             true,
                             false};
    RunSession(rules, raceKey, batch, out);
}

RealtimeOutcome RealtimeRetrieval::RetrieveRaceOdds(const load::RaceRef& race) {
    store::FileBatch batch;
    RealtimeOutcome out = SelectedRaceOdds(race, batch);
    Store(batch, out);
    return out;
}

RealtimeOutcome RealtimeRetrieval::SelectedRaceOdds(const load::RaceRef& race,
                                                    store::FileBatch& batch) {
    RealtimeOutcome out;
    if (!race.UsableKey()) return out;
    out.ran = true;
    const std::string venueRace = VenueRace(race);
    Status(venueRace + "オッズ取得中");
    observer_.Pump();
    RaceOdds(race.key, venueRace, false, batch, out);
    if (!out.fileError.empty()) return out;
    Status("");
    observer_.Pump();
    out.oddsImports.push_back(race.index);
    out.showSelectedRace = true;
    return out;
}

RealtimeOutcome RealtimeRetrieval::RetrieveDayOdds(const std::vector<load::RaceRef>& raceList) {
    RealtimeOutcome out;
    store::FileBatch batch;
    for (const load::RaceRef& race : raceList) {
        MergeOutcome(out, SelectedRaceOdds(race, batch));
        if (!out.fileError.empty()) break;
    }
    // Records read before a file error stay stored, with the races done.
    Store(batch, out);
    return out;
}

RealtimeOutcome RealtimeRetrieval::RetrieveAutoOdds(std::vector<load::RaceRef> queue,
                                                    const load::RaceRef& shown) {
    RealtimeOutcome out;
    store::FileBatch batch;
    bool showSelected = false;
    for (const load::RaceRef& race : queue) {
        out.ran = true;
        const std::string venueRace = VenueRace(race);
        Status(venueRace + "R ｵｯｽﾞ取得中");
        if (race.venue == shown.venue && race.number == shown.number) showSelected = true;
        observer_.Pump();
        RaceOdds(race.key, venueRace, true, batch, out);
        if (!out.fileError.empty()) break;
        Status("");
        observer_.Pump();
        out.oddsImports.push_back(race.index);
    }
    if (out.fileError.empty()) out.showSelectedRace = showSelected;
    Store(batch, out);
    return out;
}

RealtimeOutcome RealtimeRetrieval::DaySession(bool results, const load::RaceRef& first,
                                              const load::RaceRef& shown) {
    RealtimeOutcome out;
    if (!first.UsableDate()) return out;
    out.ran = true;
    Status(results ? "ﾚｰｽ情報データ取得中" : "DM取得中");
    observer_.Pump();
    const bool automatic = results ? flags_.AutoResultsRun : flags_.AutoMiningRun;
    const SessionRules rules{
        results ? kResultsDataSpec : kMiningDataSpec,
        results ? RealtimeReader::Results : RealtimeReader::Mining,
        VenueRace(shown) + (results ? "R:ﾚｰｽ情報データ取得エラー：" : "R:DMデータ取得エラー："),
        !automatic,
        false,
        false,
        !automatic};
    store::FileBatch batch;
    RunSession(rules, first.Date(), batch, out);
    Store(batch, out);
    if (!out.fileError.empty()) return out;
    Status("");
    observer_.Pump();
    out.payoutImport = results;
    out.showSelectedRace = true;
    return out;
}

RealtimeOutcome RealtimeRetrieval::RetrieveResults(const load::RaceRef& first,
                                                   const load::RaceRef& shown) {
    return DaySession(true, first, shown);
}

RealtimeOutcome RealtimeRetrieval::RetrieveMining(const load::RaceRef& first,
                                                  const load::RaceRef& shown) {
    return DaySession(false, first, shown);
}

}  // namespace quindle::jvlink
