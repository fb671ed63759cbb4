#pragma once
// The labelled lines of the horse, jockey and trainer views, as plain data
// both front ends print: the window puts each line into the label of its
// name, the terminal prints it under its heading. Texts are CP932.

#include <string>
#include <string_view>
#include <vector>

namespace quindle::masterdata {

struct ViewItem {
    enum class Kind { kHeading, kSubHeading, kLine };
    Kind kind = Kind::kLine;
    std::string name;  // the label's control name ("chakSogo"); empty for headings
    std::string text;  // CP932
};

ViewItem Heading(std::string_view utf8);
ViewItem SubHeading(std::string_view utf8);
ViewItem Line(std::string name, std::string cp932);

// The text of the line named `name` in `items`; empty when there is none.
std::string LineText(const std::vector<ViewItem>& items, std::string_view name);

// Whether the separators before "[2着]" ... "[6着～]" of a finish-count line
// are two full-width blanks (the lines of the overall counts) or one.
enum class Separator { kWide, kNarrow };

// A finish-count line: `prefixUtf8` (ending in "[1着]"), then the six counts
// each "%6d", separated by "[2着]", "[3着]", "[4着]", "[5着]" and "[6着～]",
// each after its full-width blanks.
std::string FinishCountLine(std::string_view prefixUtf8, const std::vector<long long>& counts,
                            Separator separator);

// A number of hundreds of yen in thousands ("%8d" of the value divided by 10,
// the remainder dropped).
std::string ThousandsOfYen(long long hundredsOfYen);

// A text field trimmed of half-width blanks with every full-width blank
// removed (names, regions, breeders, owners).
std::string CleanText(std::string_view field);

}  // namespace quindle::masterdata
