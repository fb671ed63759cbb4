#pragma once
// Reads a JV-Link substitute store (layout in store_writer.h) for the
// substitute. Only the indexes are held in memory; records are read one file
// at a time through a RecordCursor, so a league of hundreds of thousands of
// records costs no more than its largest file.
//
// Store facts (store.ini, section "store"): "now" (kFactNow) is the simulated
// moment yyyymmddhhnn; the generator adds its seed and size under keys of its
// own.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/result.h"
#include "jvsim/store/ini_file.h"

namespace quindle::jvsim {

// One accumulated file of files.tsv.
struct StoreFile {
    std::string spec;       // "RACE", "DIFN", "MING", ...
    std::string timestamp;  // yyyymmddhhnnss
    std::string name;
};

// One real-time announcement of realtime.tsv.
struct Announcement {
    std::string spec;           // "0B30", "0B12", "0B13", ...
    std::string key;            // yyyymmdd or a 16-character race key
    std::string availableFrom;  // yyyymmddhhnn
    std::string fileName;       // below realtime/
};

class StoreReader {
  public:
    // Opens the store in `root`: the folder must exist; store.ini is read when
    // present (a damaged one is an error).
    static Result<StoreReader> Open(std::filesystem::path root);

    const std::filesystem::path& Root() const { return root_; }

    // A store fact as read at Open; empty when the store has none.
    std::string Fact(std::string_view key) const;

    // The accumulated files in delivery order, read afresh from files.tsv. A
    // store without files.tsv has no accumulated files.
    Result<std::vector<StoreFile>> Files() const;

    // What a real-time request for `spec` and `key` gets at `now12`
    // (yyyymmddhhnn; empty: no limit): per announcement key that equals, starts
    // with or begins `key`, the latest announcement available, in key order.
    // The index is read on first use and again when realtime.tsv changes.
    Result<std::vector<Announcement>> Realtime(std::string_view spec, std::string_view key,
                                               std::string_view now12);

    std::filesystem::path FilePath(std::string_view name) const;
    std::filesystem::path AnnouncementPath(std::string_view fileName) const;

  private:
    // A compact index entry: the large league has an announcement per race
    // and odds update, so the index avoids a string allocation per field.
    struct RtEntry {
        std::array<char, 4> spec;
        std::array<char, 16> key;
        std::uint8_t keyLen;
        std::array<char, 12> time;
        std::uint32_t nameOffset;
        std::uint32_t nameLen;

        std::string_view Spec() const { return {spec.data(), spec.size()}; }
        std::string_view Key() const { return {key.data(), keyLen}; }
        std::string_view Time() const { return {time.data(), time.size()}; }
    };

    explicit StoreReader(std::filesystem::path root) : root_(std::move(root)) {}
    Status LoadRealtimeIndex();
    void AddLatest(std::string_view spec, std::string_view key, bool prefix, std::string_view now12,
                   std::vector<Announcement>& out) const;

    std::filesystem::path root_;
    IniEntries facts_;
    std::vector<RtEntry> realtime_;
    std::string realtimeNames_;
    bool realtimeLoaded_ = false;
    std::filesystem::file_time_type realtimeTime_{};
    std::uintmax_t realtimeSize_ = 0;
};

// The records of one store file, read one at a time (the file is read whole
// when opened, and let go of when it ends).
class RecordCursor {
  public:
    // Opens `path`; a missing or unreadable file is an error.
    Status Open(const std::filesystem::path& path);

    // The next record with its CR LF (added back when the file's last line
    // lacks it); blank lines are passed over. False at the end of the file.
    bool Next(std::string& record);

    void Close();
    bool IsOpen() const { return open_; }

  private:
    std::string bytes_;
    size_t next_ = 0;  // where the next line starts in bytes_
    bool open_ = false;
};

}  // namespace quindle::jvsim
