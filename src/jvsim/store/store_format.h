#pragma once
// Names and field checks of the substitute store, shared by its writer, its
// reader and the substitute's parameter checks (the folder layout itself is
// described in store_writer.h).

#include <string_view>

namespace quindle::jvsim {

inline constexpr const char* kFilesIndex = "files.tsv";
inline constexpr const char* kFilesFolder = "files";
inline constexpr const char* kRealtimeIndex = "realtime.tsv";
inline constexpr const char* kRealtimeFolder = "realtime";
inline constexpr const char* kStoreIni = "store.ini";
inline constexpr const char* kStoreSection = "store";
// The store fact holding the simulated moment, yyyymmddhhnn.
inline constexpr const char* kFactNow = "now";

// A four-character data spec id: capital letters and digits ("RACE", "0B30").
bool IsSpecId(std::string_view s);

// Calendar-valid digit texts: a day yyyymmdd, a minute yyyymmddhhnn and a
// time stamp yyyymmddhhnnss.
bool IsDate8(std::string_view s);
bool IsMinute12(std::string_view s);
bool IsTimestamp14(std::string_view s);

// A race key: a day yyyymmdd, then venue, meeting, day of the meeting and race
// number, eight capital letters or digits.
bool IsRaceKey(std::string_view s);

// The key of an announcement: a day yyyymmdd or a race key.
bool IsAnnouncementKey(std::string_view s);

// A file name that stays inside its folder and fits on an index line.
bool IsPlainFileName(std::string_view s);

}  // namespace quindle::jvsim
