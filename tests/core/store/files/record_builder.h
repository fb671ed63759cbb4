#pragma once
// Small JV-Data records for the store tests: blanks of the type's length with
// the head, the race key and the fields the writers test.
//   Rec(RecordType::SE).Race(3).Horse(7).Record()

#include <string>
#include <string_view>

#include "core/store/record_layout.h"
#include "core/text/fields.h"

namespace quindle::store::testing {

class Rec {
  public:
    explicit Rec(layout::RecordType type) : type_(type) {}

    Rec& Kind(std::string v) { return Set(kind_, std::move(v)); }
    Rec& Date(std::string v) { return Set(date_, std::move(v)); }
    Rec& Venue(std::string v) { return Set(venue_, std::move(v)); }
    Rec& Race(int v) { return Set(race_, v); }
    Rec& Horse(int v) { return Set(horse_, v); }
    Rec& Pedigree(std::string v) { return Set(pedigree_, std::move(v)); }
    Rec& Entered(int v) { return Set(entered_, v); }
    Rec& Code(std::string v) { return Set(code_, std::move(v)); }
    // Text at position 300 (200 for DM), to tell versions of a record apart.
    Rec& Body(std::string v) { return Set(body_, std::move(v)); }

    // The record image, CR LF included.
    std::string Record() const {
        using text::PutField;
        namespace head = layout::head;
        std::string rec(static_cast<size_t>(layout::LineLength(type_)), ' ');
        PutField(rec, head::kRecordType, layout::RecordTypeId(type_));
        PutField(rec, head::kDataKind, kind_);
        PutField(rec, head::kCreationDate, "20250103");
        switch (type_) {
            case layout::RecordType::UM:
                PutField(rec, layout::um::kKey, pedigree_);
                break;
            case layout::RecordType::KS:
                PutField(rec, layout::ks::kKey, code_);
                break;
            case layout::RecordType::CH:
                PutField(rec, layout::ch::kKey, code_);
                break;
            default:
                PutField(rec, head::kRaceKey,
                         date_ + venue_ + "0101" + text::Format("%02d", race_));
        }
        if (type_ == layout::RecordType::SE) {
            PutField(rec, layout::se::kHorseNumber, text::Format("%02d", horse_));
            PutField(rec, layout::se::kPedigree, pedigree_);
        }
        if (type_ == layout::RecordType::RA) {
            PutField(rec, layout::ra::kEntered, text::Format("%02d", entered_));
        }
        if (!body_.empty()) {
            const int at = type_ == layout::RecordType::DM ? 200 : 300;
            PutField(rec, {at, static_cast<int>(body_.size())}, body_);
        }
        return rec + "\r\n";
    }
    // The line as received (no CR LF) and as normalised (positions 3-11 zero).
    std::string Line() const {
        std::string r = Record();
        return r.substr(0, r.size() - 2);
    }
    std::string Normal() const { return std::string(Line()).replace(2, 9, "000000000"); }

  private:
    template <typename T, typename V>
    Rec& Set(T& field, V&& v) {
        field = std::forward<V>(v);
        return *this;
    }

    layout::RecordType type_;
    std::string kind_ = "7";
    std::string date_ = "20250105";
    std::string venue_ = "06";
    int race_ = 1;
    int horse_ = 1;
    std::string pedigree_ = "2019105123";
    int entered_ = 16;
    std::string code_ = "01155";
    std::string body_;
};

}  // namespace quindle::store::testing
