#pragma once
// A JvLink for the acquisition tests: serves files of records held in memory
// the way JV-Link serves them (the records of each file, -1 after each file,
// then 0), writes down every call, and lets a test make any operation fail.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/jvlink/jvlink.h"

namespace quindle::jvlink::testing {

struct FakeFile {
    std::string name;
    std::vector<std::string> records;  // with their CR LF
};

// `op` ("JVOpen", "JVStatus", "JVRead", ...) answers `code` instead of its
// result once `after` results went normally (JVRead counts the session's
// records, JVStatus the session's calls, other operations all their calls),
// `times` times (0: from then on for good). JVRead and JVStatus faults strike
// afresh in every session.
struct FakeFault {
    std::string op;
    int code = 0;
    int after = 0;
    int times = 0;
    int struck = 0;  // kept by the fake: results replaced so far
};

class FakeJvLink : public JvLink {
  public:
    // Accumulated data: every JVOpen delivers these files.
    std::vector<FakeFile> files;
    std::string lastFileTimestamp = "20250106183000";
    // Files JVOpen announces as still to download; -1: all of them.
    int downloadCount = -1;
    // Real-time data by "spec:key".
    std::map<std::string, std::vector<FakeFile>> realtime;

    std::vector<FakeFault> faults;
    // What LastErrorDetail says (the substitute's word for an empty store).
    std::string errorDetail;
    // Every call by name, in order ("JVOpen", "JVRead", ...).
    std::vector<std::string> calls;
    // The arguments of the last JVOpen / JVRTOpen, and of the last JVRead.
    std::string openSpec, openFrom, openKey;
    int openOption = 0;
    int lastReadSize = 0;

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
    std::string JVLinkVersion() const override { return "0490"; }
    std::string LastErrorDetail() const override { return errorDetail; }

    bool SessionOpen() const { return open_; }
    int Count(std::string_view op) const;

  private:
    bool Fault(std::string_view op, int progress, int& code);
    void StartSession(std::vector<FakeFile> served, int toDownload);

    bool open_ = false;
    bool cancelled_ = false;
    std::vector<FakeFile> served_;
    size_t file_ = 0;
    size_t record_ = 0;
    int toDownload_ = 0;
    int downloaded_ = 0;
    int sessionRecords_ = 0;
    int sessionStatusCalls_ = 0;
    std::map<std::string, int> opCalls_;
};

}  // namespace quindle::jvlink::testing
