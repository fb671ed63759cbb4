#pragma once
// Finding the RA record of the race a past run was run in.
//
// A run at a central venue (code 1 to 10) is looked up in the day RA file of
// its date, taking the first record of the same venue and race number; a run
// elsewhere in the SEIR file of its date and venue, taking the first record of
// the same race number.
//
// One day load places up to 36 × 18 × 20 past runs, and they fall on a few
// hundred dates and venues: the same files come up again and again. The finder
// therefore reads each file once, keeps its bytes for the rest of the load and
// indexes its records by date, venue and race number; the record it returns is
// the one a scan of the file for every run would find.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/model/record_image.h"
#include "core/store/files/local_files.h"

namespace quindle::load {

class PastRaceFinder {
  public:
    explicit PastRaceFinder(store::LocalFiles& files) : files_(files) {}
    PastRaceFinder(const PastRaceFinder&) = delete;
    PastRaceFinder& operator=(const PastRaceFinder&) = delete;

    // The RA record (CR LF included) of the race of `pastSe`, or nullptr
    // when the file does not exist or holds no such race. A damaged record
    // (or a file that cannot be read) is never returned; its message is kept
    // in Problems(). The record stays where it is while the finder lives.
    const std::string_view* Find(const model::SeImage& pastSe);

    const std::vector<std::string>& Problems() const { return problems_; }
    // Number of files read so far (for tests of the cache).
    size_t FilesRead() const { return filesRead_; }

  private:
    // Reads the file of `ymd` (central venues) or of `ymd` and `venue` into
    // the index, unless it was read before.
    void Read(bool centralVenue, std::string_view ymd, std::string_view venue);

    store::LocalFiles& files_;
    // The files asked for ('C' or 'O', the date and, outside the central
    // venues, the venue), read or missing.
    std::unordered_set<std::string> asked_;
    // The bytes of the files read; the index points into them.
    std::deque<std::string> contents_;
    // The first sound record of each race by 'C' or 'O', date, venue and race
    // number.
    std::unordered_map<std::string, std::string_view> races_;
    std::vector<std::string> problems_;
    size_t filesRead_ = 0;
};

}  // namespace quindle::load
