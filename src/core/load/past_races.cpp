#include "core/load/past_races.h"

#include "core/store/files/checked_records.h"
#include "core/store/files/file_names.h"
#include "core/store/race_key.h"
#include "core/text/fields.h"

namespace quindle::load {
using model::SeImage;

namespace {

namespace layout = store::layout;
namespace head = layout::head;

// The index key of a race: 'C' (the central venues' file) or 'O', then the
// date, the venue and the race number as the records hold them. Fifteen bytes
// at most, so the text needs no allocation.
std::string RaceIndexKey(bool centralVenue, std::string_view ymd, std::string_view venue,
                         std::string_view raceNumber) {
    std::string key(1, centralVenue ? 'C' : 'O');
    key += ymd;
    key += venue;
    key += raceNumber;
    return key;
}

}  // namespace

void PastRaceFinder::Read(bool centralVenue, std::string_view ymd, std::string_view venue) {
    std::string fileKey(1, centralVenue ? 'C' : 'O');
    fileKey += ymd;
    if (!centralVenue) fileKey += venue;
    if (!asked_.insert(std::move(fileKey)).second) return;
    auto location = centralVenue ? store::DayFileLocation(store::FileKind::RaDay, ymd)
                                 : store::OtherVenueLocation(ymd, venue);
    // A date or venue that cannot be part of a file name names no file.
    if (!location) return;
    auto path = files_.PathOf(*location, /*createFolders=*/false);
    if (!path) return;
    // Every record must be of the file's date (and, outside the central
    // venues, of its venue): a damaged one is left out, so the run it would
    // have placed keeps only its race key.
    store::RecordFileSpec spec{layout::RecordType::RA};
    spec.implied.push_back(store::DayOf(ymd));
    if (!centralVenue) spec.implied.push_back({head::kVenue, std::string(venue), "場コード"});
    std::string& bytes = contents_.emplace_back();
    const store::RecordFileScan scan =
        store::ForEachCheckedRecord(*path, bytes, spec, [&](const store::CheckedRecord& r) {
            if (r.blank) return;
            // The first record of a race is the one found.
            races_.emplace(RaceIndexKey(centralVenue, ymd, text::FieldAt(r.record, head::kVenue),
                                        text::FieldAt(r.record, head::kRaceNumber)),
                           r.record);
        });
    if (scan.exists) ++filesRead_;
    for (auto& problem : scan.Messages()) problems_.push_back(std::move(problem));
}

const std::string_view* PastRaceFinder::Find(const SeImage& pastSe) {
    const std::string_view ymd = pastSe.Field(head::kRaceDate);
    const std::string_view venue = pastSe.Field(head::kVenue);
    // Central venues share one file per date; other venues have one per
    // date and venue.
    const bool central = store::IsCentralVenue(venue);
    Read(central, ymd, venue);
    const auto found =
        races_.find(RaceIndexKey(central, ymd, venue, pastSe.Field(head::kRaceNumber)));
    return found == races_.end() ? nullptr : &found->second;
}

}  // namespace quindle::load
