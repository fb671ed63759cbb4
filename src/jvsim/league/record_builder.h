#pragma once
// Builds one JV-Data record from a blank template: every writer of the league
// puts its fields through the same few operations, so every record has its
// exact length, digits right-aligned with leading zeros and texts padded the
// way the service pads them.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/store/record_layout.h"
#include "core/text/fields.h"

namespace quindle::jvsim::league {

using store::layout::RecordType;
using text::FieldPos;

class RecordBuilder {
  public:
    // A record of `type`: half-width blanks after the two-character type id.
    explicit RecordBuilder(RecordType type);

    // Data kind (one character) and creation date yyyymmdd of the head.
    RecordBuilder& Head(std::string_view kind, std::string_view creationDate8);
    // The 16-character race key (RA, SE, HR, O1, O5, DM).
    RecordBuilder& RaceKey(std::string_view key16);

    // `value` exactly as wide as the field.
    RecordBuilder& Put(FieldPos f, std::string_view value);
    // A non-negative number right-aligned with leading zeros; a number too
    // wide for the field becomes all nines (the service's "or more").
    RecordBuilder& Number(FieldPos f, std::int64_t value);
    // CP932 text padded with half-width blanks, cut at a character boundary
    // when too long (codes, half-width kana, mixed text).
    RecordBuilder& Text(FieldPos f, std::string_view cp932);
    // CP932 full-width text padded with full-width blanks (names).
    RecordBuilder& Name(FieldPos f, std::string_view cp932);
    // One character repeated over the field ("----" for a runner without odds).
    RecordBuilder& Fill(FieldPos f, char c);

    std::string_view Line() const { return line_; }
    // The record with its CR LF. Throws std::logic_error when the length is
    // not the type's record length (a builder bug, never data).
    std::string Finish() const;

  private:
    RecordType type_;
    std::string line_;
};

// The leading bytes of CP932 `s` that fit in `width` bytes without cutting a
// two-byte character.
std::string_view CutCp932(std::string_view s, std::size_t width);

}  // namespace quindle::jvsim::league
