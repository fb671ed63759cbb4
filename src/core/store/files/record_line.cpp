#include "core/store/files/record_line.h"

#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::store {
namespace {
namespace layout = store::layout;
}  // namespace

Status CheckRecord(std::string_view record) {
    const std::string_view type = text::FieldAt(record, layout::head::kRecordType);
    const int expected = layout::RecordLength(type);
    if (expected == 0) {
        return Error{"保存できないレコード種別です: \"" + text::ToUtf8(type) + "\" (" +
                     std::to_string(record.size()) + " バイト)"};
    }
    const std::string typeText(type);
    if (record.size() != static_cast<size_t>(expected)) {
        return Error{"レコード長が正しくありません: " + typeText + " レコードは " +
                     std::to_string(expected) + " バイトのはずが " + std::to_string(record.size()) +
                     " バイトです"};
    }
    const std::string_view line = LineOfRecord(record);
    // Two scans for one byte each: find_first_of with a set of two tests
    // the set for every byte of the record.
    if (record.substr(line.size()) != "\r\n" || line.find('\r') != line.npos ||
        line.find('\n') != line.npos) {
        return Error{"レコードの改行位置が正しくありません: " + typeText + " レコード (" +
                     std::to_string(expected) + " バイト) は末尾の CR LF だけで終わるはずです"};
    }
    return Status::Ok();
}

std::string_view LineOfRecord(std::string_view record) {
    const size_t keep =
        record.size() >= layout::kLineEndLength ? record.size() - layout::kLineEndLength : 0;
    return record.substr(0, keep);
}

std::string NormalisedLine(std::string_view line) {
    std::string out(line);
    constexpr text::FieldPos kKindAndDate{
        layout::head::kDataKind.pos, layout::head::kDataKind.len + layout::head::kCreationDate.len};
    if (out.size() >= static_cast<size_t>(kKindAndDate.End())) {
        text::PutField(out, kKindAndDate,
                       std::string(layout::data_kind::kNormalised) +
                           std::string(layout::data_kind::kNormalisedDate));
    }
    return out;
}

std::optional<int> SlotIndex(int race, int horse) {
    if (race < 1 || race > kRacesPerVenue || horse < 1 || horse > kHorsesPerRace) {
        return std::nullopt;
    }
    return race * kHorsesPerRace + horse - (kHorsesPerRace + 1);
}

std::optional<int> SlotOfRecord(std::string_view record) {
    return SlotIndex(text::ReadInt32(text::FieldAt(record, layout::head::kRaceNumber)),
                     text::ReadInt32(text::FieldAt(record, layout::se::kHorseNumber)));
}

}  // namespace quindle::store
