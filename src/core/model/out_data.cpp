#include "core/model/out_data.h"

#include <type_traits>

namespace quindle::model {
namespace {

static_assert(std::is_trivially_copyable_v<TOutData>, "a clear is a block copy");

TOutData MakeCleared() {
    TOutData out{};
    for (auto& members : out.ZensoMembers) {
        members.NextFinish.fill(kUnknownFinish);
        members.PrevFinish.fill(kUnknownFinish);
    }
    return out;
}

}  // namespace

void ClearOutData(TOutData& out) {
    // One prototype, copied: the record is trivially copyable, so this is a
    // plain block copy with no allocation.
    static const TOutData kCleared = MakeCleared();
    out = kCleared;
}

}  // namespace quindle::model
