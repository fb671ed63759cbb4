// Any bytes as the jockey recommendation table "jockdata.kcsv": the encoding
// test and the table reader take every input, and every row has its fields.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/analysis/jockey_recommend_table.h"
#include "core/text/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)quindle::text::LooksLikeUtf8(bytes);
    const auto table = quindle::analysis::JockeyRecommendTable::FromText(bytes);
    for (size_t i = 0; i < table.size(); ++i) (void)table[i];
    return 0;
}
