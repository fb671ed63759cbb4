#include "jvsim/league/league.h"

#include <system_error>

#include "core/text/fields.h"
#include "jvsim/league/emitter.h"
#include "jvsim/league/jockdata.h"
#include "jvsim/league/schedule.h"
#include "jvsim/league/simulation.h"
#include "jvsim/league/world.h"
#include "jvsim/store/store_format.h"
#include "jvsim/store/store_writer.h"

namespace quindle::jvsim::league {
namespace fs = std::filesystem;

namespace {

// The folder must be new, empty or hold an earlier league, whose output is
// removed so that nothing of it mixes with the new one.
Status PrepareFolder(const fs::path& dir) {
    std::error_code ec;
    if (fs::exists(dir, ec)) {
        if (!fs::is_directory(dir, ec)) return Error{dir.string() + " is not a folder"};
        bool empty = fs::directory_iterator(dir, ec) == fs::directory_iterator();
        if (!empty && !fs::exists(dir / kStoreIni, ec)) {
            return Error{dir.string() + " is neither empty nor a league folder (no " + kStoreIni +
                         ")"};
        }
        for (const char* name : {kFilesFolder, kRealtimeFolder, kTimeSeriesFolder}) {
            fs::remove_all(dir / name, ec);
            if (ec) return Error{"cannot clear " + (dir / name).string() + ": " + ec.message()};
        }
        for (const char* name : {kFilesIndex, kRealtimeIndex, kStoreIni, kJockDataFile})
            fs::remove(dir / name, ec);
    }
    fs::create_directories(dir, ec);
    if (ec) return Error{"cannot create " + dir.string() + ": " + ec.message()};
    return Status::Ok();
}

std::string Percent(std::int64_t part, std::int64_t whole) {
    return whole > 0 ? text::Format("%.1f%%",
                                    100.0 * static_cast<double>(part) / static_cast<double>(whole))
                     : "-";
}

}  // namespace

Result<LeagueSummary> GenerateLeague(const LeagueOptions& options) {
    if (auto s = PrepareFolder(options.outDir); !s) return Error{s.error()};
    const LeagueShape shape = ShapeFor(options.size);
    World world = CreateWorld(options.seed, shape);
    const std::vector<RaceDay> days = BuildRaceDays(shape);

    LeagueSummary summary;
    summary.seed = options.seed;
    summary.size = options.size;
    StoreWriter writer(options.outDir);
    Emitter emitter(writer, options.outDir);
    JockDataTally tally;
    Simulation sim(world, emitter, summary, tally);
    sim.SetRaceLog(options.raceLog);
    if (auto s = sim.Run(days); !s) return Error{s.error()};

    summary.firstDay = days.empty() ? "" : Date8(days.front().date);
    summary.lastDay = days.empty() ? "" : Date8(days.back().date);
    summary.fullFrom = Date8(shape.fullFrom);
    summary.now = Minute12(shape.lastDay, shape.nowHhmm);
    std::string realtimeFrom;
    for (const RaceDay& d : days) {
        if (d.realtime) {
            realtimeFrom = Date8(d.date);
            break;
        }
    }
    writer.SetFact(kFactNow, summary.now);
    writer.SetFact("seed", std::to_string(options.seed));
    writer.SetFact("size", std::string(LeagueSizeName(options.size)));
    writer.SetFact("first_day", summary.firstDay);
    writer.SetFact("full_from", summary.fullFrom);
    writer.SetFact("realtime_from", realtimeFrom);
    writer.SetFact("last_day", summary.lastDay);
    if (auto s = writer.Finish(); !s) return Error{s.error()};

    auto rows = tally.Write(options.outDir / kJockDataFile, world,
                            shape.size == LeagueSize::Small ? 3 : 10);
    if (!rows) return Error{rows.error()};
    summary.jockDataRows = *rows;

    const EmitCounts& counts = emitter.Counts();
    summary.fileRecords = counts.fileRecords;
    summary.realtimeRecords = counts.realtimeRecords;
    summary.files = counts.files;
    summary.announcements = counts.announcements;
    summary.timeSeriesLines = counts.timeSeriesLines;
    summary.bytes = counts.bytes;
    summary.horses = static_cast<int>(world.horses.size());
    summary.jockeys = static_cast<int>(world.jockeys.size());
    summary.trainers = static_cast<int>(world.trainers.size());
    for (const Horse& h : world.horses) {
        if (h.runs >= 30) ++summary.horsesWith30Runs;
        summary.maxRuns = std::max<int>(summary.maxRuns, h.runs);
    }
    return summary;
}

std::string FormatSummary(const LeagueSummary& s) {
    std::string out;
    auto line = [&](const std::string& l) { out += l + "\n"; };
    line(text::Format(
        "league: size %s, seed %llu, race days %d (%s to %s, everything from %s), now %s",
        std::string(LeagueSizeName(s.size)).c_str(), static_cast<unsigned long long>(s.seed),
        s.raceDays, s.firstDay.c_str(), s.lastDay.c_str(), s.fullFrom.c_str(), s.now.c_str()));
    line(text::Format("races: %d JRA (%d planned races not run), %d local, %d overseas",
                      s.centralRaces, s.droppedRaces, s.localRaces, s.overseasRaces));
    line(text::Format(
        "people and horses: %d horses (%d with 30 runs or more, most %d), %d jockeys, %d trainers",
        s.horses, s.horsesWith30Runs, s.maxRuns, s.jockeys, s.trainers));
    std::string records = "accumulated records:";
    for (const auto& [type, n] : s.fileRecords)
        records += text::Format(" %s %lld", type.c_str(), static_cast<long long>(n));
    line(records + text::Format(" (%lld files)", static_cast<long long>(s.files)));
    std::string realtime = "real-time records:";
    for (const auto& [type, n] : s.realtimeRecords)
        realtime += text::Format(" %s %lld", type.c_str(), static_cast<long long>(n));
    line(realtime + text::Format(" (%lld announcements); time-series odds lines %lld",
                                 static_cast<long long>(s.announcements),
                                 static_cast<long long>(s.timeSeriesLines)));
    const PatternCounts& p = s.patterns;
    line(text::Format(
        "runners: %lld, first run %lld; of those with a history: テン乗り %s, 連続騎乗 %s, "
        "乗り戻り %s",
        static_cast<long long>(p.runners), static_cast<long long>(p.firstRun),
        Percent(p.tenNori, p.WithHistory()).c_str(), Percent(p.renzoku, p.WithHistory()).c_str(),
        Percent(p.noriModori, p.WithHistory()).c_str()));
    line(text::Format("Get/Give: %d races with a pair (%s of races), %lld Get and %lld Give marks",
                      s.getGiveRaces, Percent(s.getGiveRaces, s.centralRaces).c_str(),
                      static_cast<long long>(s.getMarks), static_cast<long long>(s.giveMarks)));
    line(text::Format(
        "results: favourite won %s, %d dead-heated runners, %d scratched, %d pulled up",
        Percent(s.favouriteWins, s.centralRaces).c_str(), s.deadHeats, s.scratches, s.pulledUp));
    std::string sizes = "field sizes:";
    for (int n = 1; n <= 18; ++n) {
        if (s.fieldSizes[static_cast<std::size_t>(n)] > 0)
            sizes += text::Format(" %d:%d", n, s.fieldSizes[static_cast<std::size_t>(n)]);
    }
    line(sizes);
    line(text::Format("jockdata.kcsv: %d rows; %.1f MB written", s.jockDataRows,
                      static_cast<double>(s.bytes) / 1e6));
    return out;
}

}  // namespace quindle::jvsim::league
