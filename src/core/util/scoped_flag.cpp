#include "core/util/scoped_flag.h"

namespace quindle {

ScopedFlag::ScopedFlag(bool& flag) : flag_(flag) {
    flag_ = true;
}

ScopedFlag::~ScopedFlag() {
    flag_ = false;
}

}  // namespace quindle
