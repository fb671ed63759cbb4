#include "core/load/past_races.h"

#include "core/store/files/checked_records.h"
#include "core/store/files/file_names.h"
#include "core/store/race_key.h"
#include "core/text/fields.h"

namespace quindle::load {
using model::SeImage;

namespace {

namespace fs = std::filesystem;
namespace layout = store::layout;
namespace head = layout::head;

}  // namespace

const std::vector<std::string>& PastRaceFinder::Records(const std::string& key, bool centralVenue,
                                                        const std::string& ymd,
                                                        const std::string& venue) {
    if (auto it = cache_.find(key); it != cache_.end()) return it->second;
    std::vector<std::string>& records = cache_[key];
    auto location = centralVenue ? store::DayFileLocation(store::FileKind::RaDay, ymd)
                                 : store::OtherVenueLocation(ymd, venue);
    // A date or venue that cannot be part of a file name names no file.
    if (!location) return records;
    auto path = files_.PathOf(*location, /*createFolders=*/false);
    if (!path) return records;
    // Every record must be of the file's date (and, outside the central
    // venues, of its venue): a damaged one is left out, so the run it would
    // have placed keeps only its race key.
    store::RecordFileSpec spec{layout::RecordType::RA};
    spec.implied.push_back(store::DayOf(ymd));
    if (!centralVenue) spec.implied.push_back({head::kVenue, venue, "場コード"});
    const store::RecordFileScan scan =
        store::ForEachCheckedRecord(*path, spec, [&](const store::CheckedRecord& r) {
            if (!r.blank) records.emplace_back(r.record);
        });
    if (scan.exists) ++filesRead_;
    for (auto& problem : scan.Messages()) problems_.push_back(std::move(problem));
    return records;
}

const std::string* PastRaceFinder::Find(const SeImage& pastSe) {
    const std::string ymd(pastSe.Field(head::kRaceDate));
    const std::string venue(pastSe.Field(head::kVenue));
    const std::string_view raceNumber = pastSe.Field(head::kRaceNumber);
    const bool central = store::IsCentralVenue(venue);
    // Central venues share one file per date; other venues have one per
    // date and venue.
    const std::string key = central ? ymd : ymd + venue;
    for (const std::string& line : Records(key + (central ? "C" : "O"), central, ymd, venue)) {
        if (text::FieldAt(line, head::kRaceNumber) != raceNumber) continue;
        if (central && text::FieldAt(line, head::kVenue) != venue) continue;
        return &line;
    }
    return nullptr;
}

}  // namespace quindle::load
