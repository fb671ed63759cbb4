#pragma once
// A record image: one JV-Data record held byte for byte in a fixed array, its
// CR LF included, exactly as wide as the record type. Fields are read through
// the named positions of store/record_layout.h.

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/store/record_layout.h"
#include "core/text/fields.h"

namespace quindle::model {

namespace detail {
// Fills the image with half-width blanks (0x20), line end included.
void BlankImage(std::span<char> image);
// Whole-record copy of `record` (a record with CR LF or a stored line without
// it) into `image`: the bytes of the record, blanks for any bytes a short
// record lacks, and CR LF at the end. True when `record` had exactly the
// record's length or line length.
bool CopyRecord(std::span<char> image, std::string_view record);
bool IsBlankImage(std::span<const char> image);
}  // namespace detail

template <store::layout::RecordType Type>
class RecordImage {
  public:
    static constexpr store::layout::RecordType kType = Type;
    static constexpr int kLength = store::layout::RecordLength(Type);

    RecordImage() { Blank(); }

    void Blank() { detail::BlankImage(bytes_); }
    bool IsBlank() const { return detail::IsBlankImage(bytes_); }
    // Replaces the whole image by `record` (see detail::CopyRecord).
    bool Assign(std::string_view record) { return detail::CopyRecord(bytes_, record); }

    // The whole image, CR LF included.
    std::string_view View() const { return {bytes_.data(), bytes_.size()}; }
    // The image as a line of a local file (without CR LF).
    std::string_view Line() const {
        return View().substr(0, kLength - store::layout::kLineEndLength);
    }

    std::string_view Field(text::FieldPos f) const { return text::FieldAt(View(), f); }
    // The field trimmed of half-width blanks.
    std::string_view Text(text::FieldPos f) const { return text::TrimBlanks(Field(f)); }
    std::int64_t Int(text::FieldPos f) const { return text::ReadInt(Field(f)); }
    int Int32(text::FieldPos f) const { return static_cast<int>(Int(f)); }
    // Writes a field; `value` must have the field's length.
    void Put(text::FieldPos f, std::string_view value) {
        // Field positions are checked against the image before the write.
        if (f.pos < 1 || f.End() > kLength || static_cast<int>(value.size()) != f.len) {
            throw std::logic_error("RecordImage::Put: value does not fit the field");
        }
        value.copy(bytes_.data() + (f.pos - 1), value.size());
    }

    char* data() { return bytes_.data(); }
    const char* data() const { return bytes_.data(); }
    static constexpr std::size_t size() { return kLength; }

    bool operator==(const RecordImage&) const = default;

  private:
    std::array<char, kLength> bytes_;
};

using RaImage = RecordImage<store::layout::RecordType::RA>;
using SeImage = RecordImage<store::layout::RecordType::SE>;
using HrImage = RecordImage<store::layout::RecordType::HR>;
using O1Image = RecordImage<store::layout::RecordType::O1>;
using O5Image = RecordImage<store::layout::RecordType::O5>;

// Copies the race key (year, month-day, venue, meeting, day, race number) of
// `from` into the same positions of `to`; the rest of `to` is untouched.
template <store::layout::RecordType A, store::layout::RecordType B>
void CopyRaceKey(const RecordImage<A>& from, RecordImage<B>& to) {
    to.Put(store::layout::head::kRaceKey, from.Field(store::layout::head::kRaceKey));
}

}  // namespace quindle::model
