#include "core/analysis/scratched.h"

#include "core/store/codes.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::analysis {
namespace {

namespace se = store::layout::se;

// 異常区分 codes of a runner that does not start (those that start and then
// fail to finish, 競走除外 and after, run).
constexpr std::string_view kCancelledCode = "1";  // 出走取消
constexpr std::string_view kExcludedCode = "2";   // 発走除外

bool NotStartingCode(std::string_view code) {
    return code == kCancelledCode || code == kExcludedCode;
}

const std::string& OddsOnlyText() {
    return text::Sj("取消");
}

}  // namespace

bool Scratched(const model::RaceDay& day, int race, int slot) {
    return !ScratchText(day, race, slot).empty();
}

std::string ScratchText(const model::RaceDay& day, int race, int slot) {
    const std::string_view code = day.RunnerSE(race, slot).Field(se::kAbnormality);
    if (NotStartingCode(code)) return std::string(text::TrimBlanks(store::AbnormalityName(code)));
    if (day.OutData(race).WinOdds[static_cast<std::size_t>(slot)] == model::kOddsWithdrawn) {
        return OddsOnlyText();
    }
    return {};
}

bool IsScratchText(std::string_view winOddsCell) {
    return winOddsCell == OddsOnlyText() ||
           winOddsCell == text::TrimBlanks(store::AbnormalityName(kCancelledCode)) ||
           winOddsCell == text::TrimBlanks(store::AbnormalityName(kExcludedCode));
}

}  // namespace quindle::analysis
