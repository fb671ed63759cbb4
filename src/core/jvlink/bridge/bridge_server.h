#pragma once
// The serving side of the bridge protocol (bridge_protocol.h): one JvLink
// answers the requests read from `in`, the replies go to `out`.

#include <string>
#include <string_view>

#include "jvlink/bridge/bridge_protocol.h"
#include "jvlink/jvlink.h"
#include "util/result.h"

namespace quindle::jvlink::bridge {

// Sends the greeting with `now` (the served data's moment, yyyymmddhhnn, or
// empty), then serves requests until QUIT or the end of `in`. A request that
// cannot be read is answered with an error message and ends the serving with
// that error; so does a reply that cannot be sent.
Status ServeJvLink(JvLink& link, std::string_view now, ByteSource& in, ByteSink& out);

}  // namespace quindle::jvlink::bridge
