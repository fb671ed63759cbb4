#pragma once
// How one line is merged into the lines of a record file, in memory.
//
// This is the one implementation of the merge rules: storing a record straight
// to disk loads the file, merges here and writes the file back; a FileBatch
// keeps the merged lines in memory across many records and writes once.
//
// Keyed files (one line per key): the first line with an equal key is replaced,
// or the line is appended; then all lines are ordered by their whole text
// ignoring letter case; optionally a blank first line is dropped.
// Slot files (SE day files): the line replaces slot race × 18 + horse − 19 of
// 216 slots; no ordering.
// Replacing merge (odds taken over from the time-series viewer): every line
// with an equal key becomes the new line, or the line is appended; no
// ordering, no blank-line drop.

#include <string>
#include <string_view>
#include <vector>

#include "core/store/record_layout.h"
#include "core/text/fields.h"

namespace quindle::store {

struct KeyedLineOptions {
    // The key field: the race key for race records, the master key (pedigree
    // number, jockey or trainer code) for master files.
    text::FieldPos key = layout::head::kRaceKey;
    // Store only into a file that exists already.
    bool existingFilesOnly = false;
    // After ordering, drop the first line when it holds nothing but blanks.
    bool dropBlankHead = false;
};

struct SlotLineOptions {
    // Store only into a file that exists already.
    bool existingFilesOnly = false;
};

// The lines of one file as held in memory.
struct LineList {
    std::vector<std::string> lines;
    // True once the lines are known to be in LineOrderLess order (after the
    // first keyed merge); later merges then insert at the ordered position
    // instead of ordering the whole list again, with the same result.
    bool ordered = false;
};

// Three-way comparison of two lines ignoring the case of ASCII letters.
// The second byte of a two-byte CP932 character is compared as it is, so
// "ア" (83 41) never equals "チ" (83 60) by case folding.
int CompareLinesIgnoringCase(std::string_view a, std::string_view b);

// The order of keyed files: CompareLinesIgnoringCase, lines equal but for
// letter case by their bytes, so the order of any set of lines is one.
bool LineOrderLess(std::string_view a, std::string_view b);

// Merges `line` into a keyed file's lines.
void MergeKeyedLine(LineList& file, std::string line, text::FieldPos key, bool dropBlankHead);

// Replaces every line of `file` whose key equals the key of `line` by `line`,
// or appends `line` when none does.
void ReplaceKeyedLines(LineList& file, std::string line, text::FieldPos key);

// A fresh SE day file: every slot a line of `lineLength` blanks.
std::vector<std::string> BlankSlotLines(size_t lineLength);

// Puts `line` into slot `slot` (0..215) of an SE day file's lines. A damaged
// file with fewer lines is first filled up with blank slots.
void PlaceSlotLine(LineList& file, std::string line, int slot);

}  // namespace quindle::store
