#pragma once
// The jockey recommendation table, loaded once at start-up from the optional
// file "jockdata.kcsv" of the program folder (CP932; load/jockey_table_file.h). Each line is comma
// text whose first five fields are: jockey short name without blanks, popularity letter "A" to "F",
// pattern text, 単推奨 mark, 複推奨 mark.
//
// The lines are held in ascending order of the whole line compared without
// regard to letter case; row 0 of that order is the heading and is never
// looked up. The lines are compared as CP932 bytes with ASCII letters folded;
// a heading that begins with an ASCII character sorts before lines that
// begin with a jockey name.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/result.h"

namespace quindle::analysis {

inline constexpr std::string_view kJockeyTableFileName = "jockdata.kcsv";

// A line of the table that no lookup can use as it stands.
struct TableLineProblem {
    size_t line = 0;   // 1-based, in the file's order
    std::string what;  // UTF-8
};

class JockeyRecommendTable {
  public:
    static constexpr size_t kFieldCount = 5;
    using Row = std::array<std::string, kFieldCount>;  // CP932 fields, missing ones empty

    // The table of the file's bytes. Lines past the heading that cannot be
    // used as they stand (bytes that are no CP932, fewer than five fields, a
    // popularity letter other than "A" to "F", a pattern other than the three
    // and the empty one, a mark other than "◎" and the empty one) are kept as
    // they are, since such a line never gives a mark, and are named in
    // `problems` when it is given: a table edited by hand must not lose its
    // marks without a word.
    static JockeyRecommendTable FromText(std::string_view cp932Bytes,
                                         std::vector<TableLineProblem>* problems = nullptr);

    const std::vector<Row>& Rows() const;
    size_t size() const;
    bool empty() const;
    const Row& operator[](size_t i) const;

  private:
    std::vector<Row> rows_;
};

// The comma-text splitting of one line: fields end at commas and at unquoted
// blanks (and control characters); blanks around fields are dropped; a field
// in double quotes keeps its commas and blanks, "" inside it is one quote; a
// comma at the very end adds an empty field.
std::vector<std::string> SplitCommaText(std::string_view line);

// Case-insensitive order of CP932 text: bytes compared with ASCII letters
// folded; second bytes of double-byte characters are never folded.
bool LessIgnoringCase(std::string_view a, std::string_view b);

}  // namespace quindle::analysis
