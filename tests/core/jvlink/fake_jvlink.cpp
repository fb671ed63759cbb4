#include "core/jvlink/fake_jvlink.h"

#include <algorithm>

namespace quindle::jvlink::testing {

int FakeJvLink::Count(std::string_view op) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), op));
}

bool FakeJvLink::Fault(std::string_view op, int progress, int& code) {
    for (FakeFault& f : faults) {
        if (f.op != op || progress < f.after) continue;
        if (f.times != 0 && f.struck >= f.times) continue;
        ++f.struck;
        code = f.code;
        return true;
    }
    return false;
}

void FakeJvLink::StartSession(std::vector<FakeFile> served, int toDownload) {
    open_ = true;
    cancelled_ = false;
    served_ = std::move(served);
    file_ = 0;
    record_ = 0;
    toDownload_ = toDownload;
    downloaded_ = 0;
    sessionRecords_ = 0;
    sessionStatusCalls_ = 0;
    for (FakeFault& f : faults) {
        if (f.op == "JVRead" || f.op == "JVStatus") f.struck = 0;
    }
}

int FakeJvLink::JVInit(std::string_view) {
    calls.push_back("JVInit");
    int rc = code::kOk;
    Fault("JVInit", opCalls_["JVInit"]++, rc);
    return rc;
}

int FakeJvLink::JVSetUIProperties() {
    calls.push_back("JVSetUIProperties");
    int rc = code::kOk;
    Fault("JVSetUIProperties", opCalls_["JVSetUIProperties"]++, rc);
    return rc;
}

int FakeJvLink::JVOpen(std::string_view dataSpec, std::string_view fromTime, int option,
                       int& readCount, int& toDownload, std::string& timestamp) {
    calls.push_back("JVOpen");
    openSpec = std::string(dataSpec);
    openFrom = std::string(fromTime);
    openOption = option;
    readCount = 0;
    toDownload = 0;
    timestamp.clear();
    if (open_) return code::kStillOpen;
    int rc = code::kOk;
    if (Fault("JVOpen", opCalls_["JVOpen"]++, rc)) return rc;
    if (files.empty()) return code::kNoData;
    const int count = static_cast<int>(files.size());
    readCount = count;
    toDownload = downloadCount < 0 ? count : downloadCount;
    timestamp = lastFileTimestamp;
    StartSession(files, toDownload);
    return code::kOk;
}

int FakeJvLink::JVStatus() {
    calls.push_back("JVStatus");
    if (!open_ || cancelled_) return code::kNotOpened;
    int rc = code::kOk;
    if (Fault("JVStatus", sessionStatusCalls_++, rc)) return rc;
    downloaded_ = std::min(toDownload_, downloaded_ + 1);
    return downloaded_;
}

int FakeJvLink::JVRTOpen(std::string_view dataSpec, std::string_view key) {
    calls.push_back("JVRTOpen");
    openSpec = std::string(dataSpec);
    openKey = std::string(key);
    if (open_) return code::kStillOpen;
    int rc = code::kOk;
    if (Fault("JVRTOpen", opCalls_["JVRTOpen"]++, rc)) return rc;
    auto it = realtime.find(openSpec + ":" + openKey);
    if (it == realtime.end()) return code::kNoData;
    StartSession(it->second, 0);
    return code::kOk;
}

int FakeJvLink::JVRead(std::string& buffer, int& size, std::string& fileName) {
    calls.push_back("JVRead");
    lastReadSize = size;
    buffer.clear();
    fileName.clear();
    const int capacity = size;
    size = 0;
    if (!open_ || cancelled_) return code::kNotOpened;
    int rc = code::kOk;
    if (Fault("JVRead", sessionRecords_, rc)) return rc;
    if (file_ >= served_.size()) return code::kEndOfData;
    const FakeFile& f = served_[file_];
    fileName = f.name;
    if (record_ >= f.records.size()) {
        ++file_;
        record_ = 0;
        return code::kFileBoundary;
    }
    buffer = f.records[record_++];
    if (static_cast<int>(buffer.size()) > capacity) buffer.resize(static_cast<size_t>(capacity));
    ++sessionRecords_;
    size = static_cast<int>(buffer.size());
    return size;
}

int FakeJvLink::JVSkip() {
    calls.push_back("JVSkip");
    if (!open_) return code::kNotOpened;
    // Past the rest of the file begun: the next read gives the next file's
    // first record.
    if (file_ < served_.size() && record_ > 0) {
        ++file_;
        record_ = 0;
    }
    return code::kOk;
}

int FakeJvLink::JVCancel() {
    calls.push_back("JVCancel");
    if (!open_) return code::kNotOpened;
    cancelled_ = true;
    return code::kOk;
}

int FakeJvLink::JVClose() {
    calls.push_back("JVClose");
    int rc = code::kOk;
    Fault("JVClose", opCalls_["JVClose"]++, rc);
    open_ = false;
    cancelled_ = false;
    served_.clear();
    return rc;
}

}  // namespace quindle::jvlink::testing
