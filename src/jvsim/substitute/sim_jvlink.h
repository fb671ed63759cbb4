#pragma once
// The JV-Link substitute: serves the JvLink calls from a store folder (layout
// in jvsim/store/store_writer.h), behaving towards its caller as the real
// component does.
//
// Accumulated data (JVOpen): the files of the asked data spec ids whose time
// stamp is newer than the from-time (option 1 and 2) or not older than it
// (set-up, option 3 and 4), up to the end time when one is given, and never
// stamped after the simulated now. Files of several ids come in one delivery
// order, by time stamp and name. Nothing to deliver gives -1.
//
// Download stage: the files that are not local yet are downloaded one after
// another. By default each JVStatus call, and each JVRead that has to wait for
// its file (-3), completes `downloadStep` more files; with `downloadFileMs`
// the download runs on the clock instead. Files downloaded once stay local for
// later sessions of the same substitute, as the real component keeps its
// files; `preDownloaded` makes every file local from the start.
//
// Reading: the records of each file, -1 after each file (the last one too),
// then 0. JVSkip passes the rest of the file being read (the next JVRead
// gives the next file's first record; with no file begun it does nothing).
// After JVCancel nothing more comes: JVStatus and JVRead answer -203 until
// JVClose. A file the index names but the store lacks gives -503.
//
// Real-time data (JVRTOpen): the store's announcements for the spec and key
// as of the simulated now (see store_writer.h), each served as one file.
//
// Order: everything but JVSetUIProperties, JVClose and the version needs a
// successful JVInit (-201); JVOpen and JVRTOpen need the previous session
// closed (-202); JVStatus needs a JVOpen session, JVRead, JVSkip and
// JVCancel any session (-203). JVClose always ends the session.

#include <array>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/jvlink/jvlink.h"
#include "core/util/result.h"
#include "jvsim/store/store_reader.h"
#include "jvsim/substitute/sim_settings.h"

namespace quindle::jvsim {

class SimJvLink : public jvlink::JvLink {
  public:
    // Opens the store the settings name. A missing store folder, a damaged
    // store.ini or a malformed "now" (setting or store fact) is an error.
    static Result<std::unique_ptr<SimJvLink>> FromSettings(SimSettings settings);

    // `base` with the QUINDLE_JVSIM_* environment (see sim_settings.h) applied.
    static Result<std::unique_ptr<SimJvLink>> FromEnvironment(SimSettings base = {});

    int JVInit(std::string_view sid) override;
    int JVSetUIProperties() override;
    int JVOpen(std::string_view dataSpec, std::string_view fromTime, int option, int& readCount,
               int& downloadCount, std::string& lastFileTimestamp) override;
    int JVStatus() override;
    int JVRTOpen(std::string_view dataSpec, std::string_view key) override;
    int JVRead(std::string& buffer, int& size, std::string& fileName) override;
    int JVSkip() override;
    int JVCancel() override;
    int JVClose() override;
    std::string JVLinkVersion() const override;

    // Sets the simulated moment (yyyymmddhhnn); empty goes back to the
    // store's fact, or to no limit when the store has none.
    Status SetNow(std::string_view now12);
    // The simulated moment in force; empty: no limit.
    std::string Now() const;

    const SimSettings& Settings() const { return settings_; }

    // What went wrong with the store when an operation answered -401 or -503.
    const std::string& LastStoreError() const { return lastStoreError_; }
    std::string LastErrorDetail() const override { return lastStoreError_; }

  private:
    enum class SessionKind { kNone, kAccumulated, kRealtime };

    struct ServedFile {
        std::string name;
        std::filesystem::path path;
        int downloadOrdinal;  // place in the download order; -1: local already
    };

    struct Session {
        SessionKind kind = SessionKind::kNone;
        std::vector<ServedFile> files;
        size_t next = 0;       // the file being read, or the next one to read
        bool reading = false;  // the cursor holds files[next]
        int downloadCount = 0;
        int downloaded = 0;
        std::chrono::steady_clock::time_point openedAt;
        bool cancelled = false;
        int records = 0;
        int statusCalls = 0;
        int waitReads = 0;
        std::string recordKeyPrefix;  // real time: only records of this key
    };

    SimJvLink(SimSettings settings, StoreReader store);

    void Pause(JvOp op) const;
    std::optional<int> TakeFault(JvOp op);
    void StartSession(Session session);
    void EndSession();
    int Downloaded() const;
    void AdvanceDownload();
    int ReadNext(std::string& buffer, int& size, std::string& fileName, int capacity);

    SimSettings settings_;
    StoreReader store_;
    bool initialised_ = false;
    Session session_;
    RecordCursor cursor_;
    std::set<std::string> localFiles_;
    std::vector<int> faultStrikes_;
    std::array<int, kJvOpCount> calls_{};
    std::string lastStoreError_;
};

}  // namespace quindle::jvsim
