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
// therefore reads each file once and keeps its records for the rest of the
// load; the record it returns is the one a scan of the file for every run
// would find.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/model/record_image.h"
#include "core/store/files/local_files.h"

namespace quindle::load {

class PastRaceFinder {
  public:
    explicit PastRaceFinder(store::LocalFiles& files) : files_(files) {}

    // The RA record (CR LF included) of the race of `pastSe`, or nullptr
    // when the file does not exist or holds no such race. A damaged record
    // (or a file that cannot be read) is never returned; its message is kept
    // in Problems().
    const std::string* Find(const model::SeImage& pastSe);

    const std::vector<std::string>& Problems() const { return problems_; }
    // Number of files read so far (for tests of the cache).
    size_t FilesRead() const { return filesRead_; }

  private:
    const std::vector<std::string>& Records(const std::string& key, bool centralVenue,
                                            const std::string& ymd, const std::string& venue);

    store::LocalFiles& files_;
    std::map<std::string, std::vector<std::string>> cache_;
    std::vector<std::string> problems_;
    size_t filesRead_ = 0;
};

}  // namespace quindle::load
