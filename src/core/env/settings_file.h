#pragma once
// The settings file: one ini file named after the program with ".ini", in the
// program folder, shared by every window. It is read and written key by key
// at the moment a value is used: every read reads the file, every write
// rewrites it at once, keeping the other sections, keys, comments and their
// order as they stand. Section and key names compare without regard to letter
// case. The file is UTF-8 (it holds folder paths). It holds the mail password,
// so every write leaves it readable and writable by its owner only.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/util/result.h"

namespace quindle::env {

// A key with its default. `section` and `key` are the names in the file.
struct StringKey {
    std::string_view section;
    std::string_view key;
    std::string_view defaultValue;
    // When true the default is the program folder joined with `defaultValue`.
    bool defaultInProgramFolder = false;
};

struct IntKey {
    std::string_view section;
    std::string_view key;
    int defaultValue;
};

struct BoolKey {
    std::string_view section;
    std::string_view key;
    bool defaultValue;
};

// A window's remembered position and size.
struct GeometryKeys {
    IntKey top, left, width, height;
};

// The keys of the settings file, so that no caller spells a name by hand.
namespace settings {

inline constexpr GeometryKeys kMainWindow{{"locate", "top", 10},
                                          {"locate", "left", 10},
                                          {"locate", "width", 1000},
                                          {"locate", "height", 800}};
inline constexpr GeometryKeys kHorseWindow{{"Umalocate", "top", 10},
                                           {"Umalocate", "left", 10},
                                           {"Umalocate", "width", 630},
                                           {"Umalocate", "height", 450}};
inline constexpr GeometryKeys kJockeyWindow{{"Kishulocate", "top", 10},
                                            {"Kishulocate", "left", 10},
                                            {"Kishulocate", "width", 630},
                                            {"Kishulocate", "height", 450}};
inline constexpr GeometryKeys kTrainerWindow{{"Choklocate", "top", 10},
                                             {"Choklocate", "left", 10},
                                             {"Choklocate", "width", 630},
                                             {"Choklocate", "height", 450}};

// Size of the race grids' type and columns, in percent of the standard size
// (表示 > 文字を大きく / 文字を小さく, Ctrl++ / Ctrl+-).
inline constexpr IntKey kGridZoom{"Display", "GridZoom", 100};
// The optional race-card columns shown, by their headings separated by commas
// ("斤量,馬体重"); none by default.
inline constexpr StringKey kCardExtraColumns{"Display", "CardColumns", ""};

// Install folder of the vote plug-in, found in the registry at start-up.
inline constexpr StringKey kVoteFolder{"Dir", "VTXTohyo", ""};
// Time-series odds data folder of the sibling viewer.
inline constexpr StringKey kTimeSeriesFolder{"Dir", "jikeiretu", ""};
// Folder of the CSV exports; by default the "CSV" folder of the program folder.
inline constexpr StringKey kCsvExportFolder{"Dir", "CSV1", "CSV", true};

// Minutes before post time of the automatic odds retrieval.
inline constexpr IntKey kAutoOddsMinutes{"Time", "AutoOzGet", 10};
// Kept only: the acquisition-time dialog reads it and writes it back unchanged.
inline constexpr IntKey kAutoBodyWeightMinutes{"Time", "AutoBataijuGet", 37};
// Interval in minutes of the automatic race-data refresh.
inline constexpr IntKey kAutoRaceDataMinutes{"Time", "AutoRdataGet", 10};
// Minutes before post time at which a race's marks go out by mail (1 to 59).
inline constexpr IntKey kMailLeadMinutes{"Time", "MailLead", 5};

// "携帯へ転送する".
inline constexpr BoolKey kForwardMail{"alarm", "mail", false};

inline constexpr StringKey kMailTo{"MailSet", "MailTo", ""};
inline constexpr StringKey kMailFrom{"MailSet", "MailFrom", ""};
inline constexpr StringKey kMailSmtp{"MailSet", "SMTP", ""};
inline constexpr StringKey kMailUserId{"MailSet", "UserID", ""};
inline constexpr StringKey kMailPassword{"MailSet", "Pass", ""};
inline constexpr StringKey kMailSmtpPort{"MailSet", "SMTPPort", "25"};
// 1 lets the password go to a server that offers no TLS; by default a send
// without TLS stops before the password is sent.
inline constexpr BoolKey kMailPlainAuth{"MailSet", "PlainAuth", false};
// A certificate authority file trusted besides the system's certificates
// (relative to the program folder).
inline constexpr StringKey kMailCaFile{"MailSet", "CAFile", ""};

// State of the accumulated download.
inline constexpr StringKey kDownloadLastTime{"JvDataGet", "LastTime", ""};
inline constexpr StringKey kDownloadSetUpLapFile{"JvDataGet", "SetUpLapFile", ""};

}  // namespace settings

// The reading rule of string values: "" and ｢｣ read as empty; a longer value
// enclosed in double quotes, or in ｢ and ｣, reads without them; any other
// value reads as stored.
std::string UnquoteSettingValue(std::string_view stored);

// The integer reading of the platform's ini files: decimal with an optional
// sign, or hexadecimal after "$" or "0x"; anything else gives `defaultValue`.
int ParseSettingInt(std::string_view stored, int defaultValue);

class SettingsFile {
  public:
    // The settings file of `programName` ("quindle" -> "quindle.ini") in
    // `programFolder`.
    SettingsFile(std::filesystem::path programFolder, std::string_view programName);

    const std::filesystem::path& Path() const;
    const std::filesystem::path& ProgramFolder() const;

    // A missing key, or a file that cannot be read, gives the default.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    Status WriteString(std::string_view section, std::string_view key, std::string_view value);
    Status WriteInteger(std::string_view section, std::string_view key, int value);
    Status WriteBool(std::string_view section, std::string_view key, bool value);

    // The same through the key table.
    std::string Read(const StringKey& k) const;
    int Read(const IntKey& k) const;
    bool Read(const BoolKey& k) const;
    Status Write(const StringKey& k, std::string_view value);
    Status Write(const IntKey& k, int value);
    Status Write(const BoolKey& k, bool value);

  private:
    std::filesystem::path programFolder_;
    std::filesystem::path path_;
};

}  // namespace quindle::env
