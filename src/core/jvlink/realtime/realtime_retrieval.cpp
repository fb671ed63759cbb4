#include "jvlink/realtime/realtime_retrieval.h"

#include "jvlink/realtime/realtime_reader.h"
#include "jvlink/result_text.h"
#include "store/codes.h"
#include "store/record_layout.h"
#include "text/cp932.h"
#include "text/fields.h"

namespace quindle::jvlink {
namespace {

namespace head = store::layout::head;
using text::FieldAt;

// Characters of an automatic odds list entry (0-based offsets).
constexpr size_t kEntryKeyLength = 16;
constexpr size_t kEntryVenue = 8;
constexpr size_t kEntryRace = 14;
constexpr size_t kEntryIndex = 16;

// The venue name (two characters) and the race number "%2d" of the status
// texts, UTF-8.
std::string VenueRace(std::string_view venueCode, std::string_view raceNumber) {
    return text::ToUtf8(store::VenueName(venueCode, 2)) +
           text::Format("%2d", text::ReadInt32(raceNumber));
}

std::string VenueRaceOf(std::string_view ra) {
    return VenueRace(FieldAt(ra, head::kVenue), FieldAt(ra, head::kRaceNumber));
}

// True for a key that reads as a positive number (not blank, not all zero).
bool UsableKey(std::string_view key, size_t length) {
    return key.size() == length && text::ReadInt(key) > 0;
}

void Merge(RealtimeOutcome& into, RealtimeOutcome part) {
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

}  // namespace

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

void RealtimeRetrieval::RunSession(const SessionRules& rules, std::string_view key,
                                   RealtimeOutcome& out) {
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
            ReadRealtimeRecords(link_, flags_, observer_, programFolder_, rules.reader, errorLog_);
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
                                 bool autoList, RealtimeOutcome& out) {
    const SessionRules rules{kOddsDataSpec,
                             RealtimeReader::Odds,
                             venueRace + (autoList ? "R:" : "R:ｵｯｽﾞ取得エラー："),
                             true,
                             true,
                             true,
                             false};
    RunSession(rules, raceKey, out);
}

RealtimeOutcome RealtimeRetrieval::RetrieveRaceOdds(std::string_view selectedRa, int raceIndex) {
    RealtimeOutcome out;
    const std::string_view key = FieldAt(selectedRa, head::kRaceKey);
    if (!UsableKey(key, kEntryKeyLength)) return out;
    out.ran = true;
    const std::string venueRace = VenueRaceOf(selectedRa);
    Status(venueRace + "オッズ取得中");
    observer_.Pump();
    RaceOdds(key, venueRace, false, out);
    if (!out.fileError.empty()) return out;
    Status("");
    observer_.Pump();
    out.oddsImports.push_back(raceIndex);
    out.showSelectedRace = true;
    return out;
}

RealtimeOutcome RealtimeRetrieval::RetrieveDayOdds(const std::vector<ListedRace>& raceList) {
    RealtimeOutcome out;
    for (const ListedRace& race : raceList) {
        Merge(out, RetrieveRaceOdds(race.ra, race.raceIndex));
        if (!out.fileError.empty()) break;
    }
    return out;
}

RealtimeOutcome RealtimeRetrieval::RetrieveAutoOdds(std::vector<std::string> entries,
                                                    std::string_view selectedRa) {
    RealtimeOutcome out;
    bool showSelected = false;
    for (const std::string& entry : entries) {
        if (entry.size() < kEntryIndex + 2) continue;  // not an entry of the list
        out.ran = true;
        const std::string_view e(entry);
        const std::string_view venue = e.substr(kEntryVenue, 2);
        const std::string_view race = e.substr(kEntryRace, 2);
        const std::string venueRace = VenueRace(venue, race);
        Status(venueRace + "R ｵｯｽﾞ取得中");
        if (venue == FieldAt(selectedRa, head::kVenue) &&
            race == FieldAt(selectedRa, head::kRaceNumber)) {
            showSelected = true;
        }
        observer_.Pump();
        RaceOdds(e.substr(0, kEntryKeyLength), venueRace, true, out);
        if (!out.fileError.empty()) return out;
        Status("");
        observer_.Pump();
        out.oddsImports.push_back(text::ReadInt32(e.substr(kEntryIndex, 2)));
    }
    out.showSelectedRace = showSelected;
    return out;
}

RealtimeOutcome RealtimeRetrieval::DaySession(bool results, std::string_view firstRa,
                                              std::string_view selectedRa) {
    RealtimeOutcome out;
    const std::string_view day = FieldAt(firstRa, head::kRaceDate);
    if (!UsableKey(day, 8)) return out;
    out.ran = true;
    Status(results ? "ﾚｰｽ情報データ取得中" : "DM取得中");
    observer_.Pump();
    const bool automatic = results ? flags_.AutoResultsRun : flags_.AutoMiningRun;
    const SessionRules rules{results ? kResultsDataSpec : kMiningDataSpec,
                             results ? RealtimeReader::Results : RealtimeReader::Mining,
                             VenueRaceOf(selectedRa) + (results ? "R:ﾚｰｽ情報データ取得エラー："
                                                                : "R:DMデータ取得エラー："),
                             !automatic,
                             false,
                             false,
                             !automatic};
    RunSession(rules, day, out);
    if (!out.fileError.empty()) return out;
    Status("");
    observer_.Pump();
    out.payoutImport = results;
    out.showSelectedRace = true;
    return out;
}

RealtimeOutcome RealtimeRetrieval::RetrieveResults(std::string_view firstRa,
                                                   std::string_view selectedRa) {
    return DaySession(true, firstRa, selectedRa);
}

RealtimeOutcome RealtimeRetrieval::RetrieveMining(std::string_view firstRa,
                                                  std::string_view selectedRa) {
    return DaySession(false, firstRa, selectedRa);
}

}  // namespace quindle::jvlink
