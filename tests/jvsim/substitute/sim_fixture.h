#pragma once
// A small substitute store for the substitute's tests, and a script runner
// that drives a JvLink and writes down what came back.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/jvlink/jvlink.h"

namespace quindle::jvsim::testing {

// A fresh folder under the system temp folder, removed at the end.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// A record image: type (2), data kind "7", creation date, the 16-character
// race key at positions 12-27, then `marker` padded to `length` bytes, CR LF.
std::string Rec(std::string_view type, std::string_view raceKey, std::string_view marker,
                size_t length = 60);

// Race keys of the small store: two races at Nakayama on 5 January 2025,
// one on 6 January.
inline constexpr const char* kRace1 = "2025010506010101";
inline constexpr const char* kRace2 = "2025010506010102";
inline constexpr const char* kRace3 = "2025010606010201";

// Writes the small store into `root`, with store fact now=202501061200:
//   RACE 20250104100000 RACE_A   RA SE SE   (race 1)
//   RACE 20250104100000 RACE_B   HR O1      (race 1)
//   DIFN 20250104120000 DIFN_A   UM KS CH
//   MING 20250105090000 MING_A   DM         (race 1)
//   RACE 20250106180000 RACE_C   RA         (race 3; after the store's now)
//   0B30 race 1 from 202501050930: O1 O5 marked "v1"; from 202501051000: "v2"
//   0B12 day 20250105 from 202501051030: RA SE HR of race 1; from
//        202501051100: those and RA SE HR of race 2 (a later, fuller announcement)
//   0B13 day 20250105 from 202501050900: DM of races 1 and 2
void WriteSmallStore(const std::filesystem::path& root);

// Runs `script`, words separated by blanks, and gives one word per call:
//   init               JVInit("UNKNOWN")
//   open:SPEC:FROM:OPT JVOpen; the word is the result, with ReadCount,
//                      DownloadCount and LastFileTimestamp appended as
//                      "0(3/3/20250104120000)" when it is 0
//   open               open:RACEDIFN:20250101000000:1
//   rt:SPEC:KEY        JVRTOpen
//   status, skip, cancel, close, ui   the operation's result
//   read               one JVRead: the record type and its marker ("RA:r1")
//                      for a record, else the result code
//   drain              JVRead until 0 or an error, every result as "read" gives
// The words are joined by blanks.
std::string RunScript(jvlink::JvLink& link, std::string_view script);

// The marker of a record made by Rec ("r1").
std::string MarkerOf(std::string_view record);

}  // namespace quindle::jvsim::testing
