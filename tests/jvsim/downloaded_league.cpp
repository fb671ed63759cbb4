#include "jvsim/downloaded_league.h"

#include <chrono>

#include "core/env/error_log.h"
#include "core/env/program_folder.h"
#include "core/env/settings_file.h"
#include "core/jvlink/jvlink_start.h"
#include "core/text/fields.h"
#include "core/util/folders.h"
#include "jvsim/store/store_reader.h"
#include "jvsim/substitute/sim_jvlink.h"

namespace quindle::jvsim::testing {

namespace fs = std::filesystem;

Result<jvlink::DownloadSummary> DownloadInto(jvlink::JvLink& link, const fs::path& home,
                                             const std::string& fromTime, int currentYear) {
    fs::create_directories(home);
    if (auto s = CreateStartupFolders(home); !s) return Error{"folders: " + s.error()};
    env::SettingsFile iniFile(home, env::kProgramName);
    env::ErrorLog errorLog(home);
    jvlink::AcquisitionFlags flags;
    jvlink::DownloadObserver observer;
    jvlink::DownloadEngine engine(link, flags, iniFile, &errorLog, observer);
    jvlink::DownloadOptions download;
    download.fromTime = fromTime;
    download.setup = true;
    download.finalOdds = true;
    download.currentYear = currentYear;
    jvlink::DownloadSummary summary = engine.Run(download, std::chrono::milliseconds(0));
    if (summary.end != jvlink::DownloadEnd::Completed) return Error{"download did not complete"};
    return summary;
}

Result<DownloadedLeague> DownloadLeague(
    const fs::path& store, const fs::path& home, league::LeagueSize size, std::uint64_t seed,
    const std::function<void(const league::LoggedRace&)>& raceLog) {
    league::LeagueOptions options;
    options.outDir = store;
    options.seed = seed;
    options.size = size;
    if (raceLog) options.raceLog = raceLog;
    if (auto s = league::GenerateLeague(options); !s) return Error{"generate: " + s.error()};

    auto reader = StoreReader::Open(store);
    if (!reader) return Error{"store: " + reader.error()};
    auto files = reader->Files();
    if (!files || files->empty()) {
        return Error{"store index: " + (files ? std::string("no files") : files.error())};
    }
    SimSettings settings;
    settings.store = store;
    settings.preDownloaded = true;
    auto link = SimJvLink::FromSettings(settings);
    if (!link) return Error{"substitute: " + link.error()};
    if (int rc = (*link)->JVInit(jvlink::SoftwareIdentifier()); rc != jvlink::code::kOk) {
        return Error{"JVInit: " + std::to_string(rc)};
    }
    DownloadedLeague out;
    out.currentYear = text::ReadInt32((*link)->Now().substr(0, 4));

    out.fromTime = files->front().timestamp;
    auto downloaded = DownloadInto(**link, home, out.fromTime, out.currentYear);
    if (!downloaded) return Error{downloaded.error()};
    out.download = *downloaded;
    return out;
}

}  // namespace quindle::jvsim::testing
