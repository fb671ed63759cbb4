#pragma once
// A small accumulated delivery, an observer that writes down what the
// download showed, and a look at every record file of a program folder.

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/jvlink/download/download_observer.h"
#include "core/jvlink/fake_jvlink.h"

namespace quindle::jvlink::testing {

// Six JV-Link files: races of two days with runners, payouts and odds, master
// records, later versions of records stored earlier, a record of the wrong
// length, and an empty file.
std::vector<FakeFile> SmallDelivery();

// Every record file under `home` by its path relative to `home`, with its
// bytes; the settings file and the error log are left out.
std::map<std::string, std::string> RecordTree(const std::filesystem::path& home);

class RecordingObserver : public DownloadObserver {
  public:
    void Pump() override {
        ++pumps;
        if (onPump) onPump(pumps);
    }
    void SetDownloadBar(int position, int maximum) override { downloadBar = {position, maximum}; }
    void SetReadBar(int position, int maximum) override { readBar = {position, maximum}; }
    void SetStoreBar(int position, int maximum) override {
        storeBars.emplace_back(position, maximum);
    }
    void SetProgressLabel(std::string_view text) override { labels.emplace_back(text); }
    void SetMkDataLabel(std::string_view text) override { mkData.emplace_back(text); }
    void SetFromTime(std::string_view display) override { fromTime = std::string(display); }
    void ShowMessage(std::string_view text, bool beep) override {
        messages.emplace_back(text);
        beeps += beep;
    }
    void Beep() override { ++beeps; }
    void SetBusy(bool b) override { busy = b; }

    int pumps = 0;
    std::function<void(int pump)> onPump;
    std::pair<int, int> downloadBar{-1, -1};
    std::pair<int, int> readBar{-1, -1};
    std::vector<std::pair<int, int>> storeBars;  // every call, in order
    std::vector<std::string> labels;
    std::vector<std::string> mkData;
    std::vector<std::string> messages;
    std::string fromTime;
    int beeps = 0;
    bool busy = false;
};

}  // namespace quindle::jvlink::testing
