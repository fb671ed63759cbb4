#include "jvsim/substitute/sim_jvlink.h"

#include <algorithm>
#include <thread>

#include "jvsim/store/store_format.h"
#include "jvsim/substitute/jv_params.h"

namespace quindle::jvsim {
namespace {

namespace code = jvlink::code;

// Race key of a record: positions 12-27 (1-based).
constexpr size_t kRaceKeyOffset = 11;

constexpr size_t kMaxSidBytes = 64;

bool HasRaceKeyPrefix(std::string_view record, std::string_view prefix) {
    return record.size() >= kRaceKeyOffset + prefix.size() &&
           record.substr(kRaceKeyOffset, prefix.size()) == prefix;
}

}  // namespace

Result<std::unique_ptr<SimJvLink>> SimJvLink::FromSettings(SimSettings settings) {
    if (!settings.now.empty() && !IsMinute12(settings.now)) {
        return Error{"the simulated now '" + settings.now + "' is not yyyymmddhhnn"};
    }
    if (settings.store.empty()) return Error{"no substitute store is set"};
    auto store = StoreReader::Open(settings.store);
    if (!store) return Error{store.error()};
    std::string fact = store->Fact(kFactNow);
    if (!fact.empty() && !IsMinute12(fact)) {
        return Error{"store fact now='" + fact + "' is not yyyymmddhhnn"};
    }
    return std::unique_ptr<SimJvLink>(new SimJvLink(std::move(settings), std::move(*store)));
}

Result<std::unique_ptr<SimJvLink>> SimJvLink::FromEnvironment(SimSettings base) {
    if (auto s = ApplySimEnvironment(base); !s) return Error{s.error()};
    return FromSettings(std::move(base));
}

SimJvLink::SimJvLink(SimSettings settings, StoreReader store)
    : settings_(std::move(settings)),
      store_(std::move(store)),
      faultStrikes_(settings_.faults.size(), 0) {}

void SimJvLink::Pause(JvOp op) const {
    int ms = settings_.delayMs[static_cast<size_t>(op)];
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::optional<int> SimJvLink::TakeFault(JvOp op) {
    int progress = 0;
    if (op == JvOp::kRead) {
        progress = session_.records;
    } else if (op == JvOp::kStatus) {
        progress = session_.statusCalls++;
    } else {
        progress = calls_[static_cast<size_t>(op)]++;
    }
    for (size_t i = 0; i < settings_.faults.size(); ++i) {
        const FaultRule& rule = settings_.faults[i];
        if (rule.op != op || progress < rule.after) continue;
        if (rule.times != 0 && faultStrikes_[i] >= rule.times) continue;
        ++faultStrikes_[i];
        return rule.code;
    }
    return std::nullopt;
}

void SimJvLink::StartSession(Session session) {
    session.openedAt = std::chrono::steady_clock::now();
    session_ = std::move(session);
    // Read and status faults count within a session, so they strike afresh.
    for (size_t i = 0; i < settings_.faults.size(); ++i) {
        JvOp op = settings_.faults[i].op;
        if (op == JvOp::kRead || op == JvOp::kStatus) faultStrikes_[i] = 0;
    }
}

void SimJvLink::EndSession() {
    int downloaded = Downloaded();
    for (const auto& f : session_.files) {
        if (f.downloadOrdinal >= 0 && f.downloadOrdinal < downloaded) localFiles_.insert(f.name);
    }
    cursor_.Close();
    session_ = Session{};
}

int SimJvLink::Downloaded() const {
    if (settings_.downloadFileMs <= 0 || session_.cancelled) return session_.downloaded;
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - session_.openedAt);
    auto files = elapsed.count() / settings_.downloadFileMs;
    return static_cast<int>(std::min<long long>(files, session_.downloadCount));
}

void SimJvLink::AdvanceDownload() {
    if (settings_.downloadFileMs > 0) return;
    session_.downloaded =
        std::min(session_.downloadCount, session_.downloaded + settings_.downloadStep);
}

std::string SimJvLink::Now() const {
    if (!settings_.now.empty()) return settings_.now;
    return store_.Fact(kFactNow);
}

Status SimJvLink::SetNow(std::string_view now12) {
    if (!now12.empty() && !IsMinute12(now12)) {
        return Error{"the simulated now '" + std::string(now12) + "' is not yyyymmddhhnn"};
    }
    settings_.now = std::string(now12);
    return Status::Ok();
}

int SimJvLink::JVInit(std::string_view sid) {
    Pause(JvOp::kInit);
    int rc = code::kOk;
    if (sid.empty()) {
        rc = code::kSidMissing;
    } else if (sid.size() > kMaxSidBytes) {
        rc = code::kSidTooLong;
    } else if (sid.front() == ' ') {
        rc = code::kSidBlankHead;
    } else if (auto fault = TakeFault(JvOp::kInit)) {
        rc = *fault;
    }
    initialised_ = rc == code::kOk;
    return rc;
}

int SimJvLink::JVSetUIProperties() {
    Pause(JvOp::kSetUIProperties);
    return TakeFault(JvOp::kSetUIProperties).value_or(code::kOk);
}

int SimJvLink::JVOpen(std::string_view dataSpec, std::string_view fromTime, int option,
                      int& readCount, int& downloadCount, std::string& lastFileTimestamp) {
    Pause(JvOp::kOpen);
    readCount = 0;
    downloadCount = 0;
    lastFileTimestamp.clear();
    if (!initialised_) return code::kNotInitialised;
    if (session_.kind != SessionKind::kNone) return code::kStillOpen;
    OpenRequest request;
    if (int rc = CheckOpenRequest(dataSpec, fromTime, option, request); rc != code::kOk) return rc;
    if (auto fault = TakeFault(JvOp::kOpen)) return *fault;

    lastStoreError_.clear();
    auto files = store_.Files();
    if (!files) {
        lastStoreError_ = files.error();
        return code::kInternalError;
    }
    if (files->empty()) {
        // Not "nothing newer": there is nothing to serve at all, which the
        // caller tells apart by the detail.
        lastStoreError_ = "取得元のフォルダ " + store_.Root().string() + " にデータがありません";
        return code::kNoData;
    }
    const std::string now = Now();
    const bool setup = option >= jvlink::option::kSetup;
    Session session;
    session.kind = SessionKind::kAccumulated;
    std::string newest;
    for (const auto& f : *files) {
        if (std::find(request.specs.begin(), request.specs.end(), f.spec) == request.specs.end()) {
            continue;
        }
        if (setup ? f.timestamp < request.from : f.timestamp <= request.from) continue;
        if (!request.to.empty() && f.timestamp > request.to) continue;
        if (!now.empty() && std::string_view(f.timestamp).substr(0, 12) > now) continue;
        bool local = settings_.preDownloaded || localFiles_.count(f.name) != 0;
        session.files.push_back(
            {f.name, store_.FilePath(f.name), local ? -1 : session.downloadCount++});
        newest = std::max(newest, f.timestamp);
    }
    if (session.files.empty()) return code::kNoData;

    readCount = static_cast<int>(session.files.size());
    downloadCount = session.downloadCount;
    lastFileTimestamp = newest;
    StartSession(std::move(session));
    return code::kOk;
}

int SimJvLink::JVStatus() {
    Pause(JvOp::kStatus);
    if (!initialised_) return code::kNotInitialised;
    if (session_.kind != SessionKind::kAccumulated || session_.cancelled) return code::kNotOpened;
    if (auto fault = TakeFault(JvOp::kStatus)) return *fault;
    AdvanceDownload();
    return Downloaded();
}

int SimJvLink::JVRTOpen(std::string_view dataSpec, std::string_view key) {
    Pause(JvOp::kRTOpen);
    if (!initialised_) return code::kNotInitialised;
    if (session_.kind != SessionKind::kNone) return code::kStillOpen;
    if (int rc = CheckRealtimeRequest(dataSpec, key); rc != code::kOk) return rc;
    if (auto fault = TakeFault(JvOp::kRTOpen)) return *fault;

    lastStoreError_.clear();
    auto announcements = store_.Realtime(dataSpec, key, Now());
    if (!announcements) {
        lastStoreError_ = announcements.error();
        return code::kInternalError;
    }
    if (announcements->empty()) return code::kNoData;
    Session session;
    session.kind = SessionKind::kRealtime;
    for (const auto& a : *announcements) {
        session.files.push_back({a.fileName, store_.AnnouncementPath(a.fileName), -1});
    }
    session.waitReads = settings_.realtimeWaitReads;
    session.recordKeyPrefix = std::string(key);
    StartSession(std::move(session));
    return code::kOk;
}

int SimJvLink::JVRead(std::string& buffer, int& size, std::string& fileName) {
    Pause(JvOp::kRead);
    const int capacity = size;
    buffer.clear();
    size = 0;
    fileName.clear();
    if (!initialised_) return code::kNotInitialised;
    if (session_.kind == SessionKind::kNone || session_.cancelled) return code::kNotOpened;
    if (auto fault = TakeFault(JvOp::kRead)) return *fault;
    return ReadNext(buffer, size, fileName, capacity);
}

int SimJvLink::ReadNext(std::string& buffer, int& size, std::string& fileName, int capacity) {
    if (session_.waitReads > 0) {
        --session_.waitReads;
        return code::kDownloading;
    }
    if (session_.next >= session_.files.size()) return code::kEndOfData;
    const ServedFile& file = session_.files[session_.next];
    if (!session_.reading) {
        if (file.downloadOrdinal >= Downloaded()) {
            AdvanceDownload();  // the download goes on while the caller waits
            return code::kDownloading;
        }
        if (auto s = cursor_.Open(file.path); !s) {
            lastStoreError_ = s.error();
            return code::kFileNotFound;
        }
        session_.reading = true;
    }
    std::string record;
    const std::string& prefix = session_.recordKeyPrefix;
    while (cursor_.Next(record)) {
        if (!prefix.empty() && !HasRaceKeyPrefix(record, prefix)) continue;
        // The component copies into a buffer of the caller's size, cutting longer records.
        if (capacity > 0 && record.size() > static_cast<size_t>(capacity)) {
            record.resize(static_cast<size_t>(capacity));
        }
        ++session_.records;
        size = static_cast<int>(record.size());
        buffer = std::move(record);
        fileName = file.name;
        return size;
    }
    session_.reading = false;
    ++session_.next;
    fileName = file.name;
    return code::kFileBoundary;
}

int SimJvLink::JVSkip() {
    Pause(JvOp::kSkip);
    if (!initialised_) return code::kNotInitialised;
    if (session_.kind == SessionKind::kNone) return code::kNotOpened;
    if (auto fault = TakeFault(JvOp::kSkip)) return *fault;
    if (session_.reading) {
        cursor_.Close();
        session_.reading = false;
        ++session_.next;
    }
    return code::kOk;
}

int SimJvLink::JVCancel() {
    Pause(JvOp::kCancel);
    if (!initialised_) return code::kNotInitialised;
    if (session_.kind == SessionKind::kNone) return code::kNotOpened;
    if (auto fault = TakeFault(JvOp::kCancel)) return *fault;
    if (session_.kind == SessionKind::kAccumulated) {
        session_.downloaded = Downloaded();  // the download stops where it is
        cursor_.Close();
        session_.reading = false;
        session_.cancelled = true;
    }
    return code::kOk;
}

int SimJvLink::JVClose() {
    Pause(JvOp::kClose);
    int rc = TakeFault(JvOp::kClose).value_or(code::kOk);
    // Closed even when the close reports an error: the caller never retries it.
    EndSession();
    return rc;
}

std::string SimJvLink::JVLinkVersion() const {
    return settings_.version;
}

}  // namespace quindle::jvsim
