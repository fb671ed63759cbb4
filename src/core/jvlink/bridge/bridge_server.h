#pragma once
// The serving side of the bridge protocol (bridge_protocol.h): one JvLink
// answers the requests read from `in`, the replies go to `out`.

#include <chrono>
#include <string>
#include <string_view>

#include "core/jvlink/bridge/bridge_protocol.h"
#include "core/jvlink/jvlink.h"
#include "core/util/result.h"

namespace quindle::jvlink::bridge {

// Sends the greeting with `now` (the served data's moment, yyyymmddhhnn, or
// empty), then serves requests until QUIT or the end of `in`. A request that
// cannot be read is answered with an error message and ends the serving with
// that error; so does a reply that cannot be sent. The bridge waits for the
// next request as long as its client likes, but a request that has begun must
// be whole within `requestLimit` (zero: no limit).
Status ServeJvLink(JvLink& link, std::string_view now, ByteSource& in, ByteSink& out,
                   std::chrono::milliseconds requestLimit = std::chrono::milliseconds{0});

// Tells the client, in place of the greeting, why there is no JV-Link to serve.
void RefuseToServe(std::string_view reason, ByteSink& out);

}  // namespace quindle::jvlink::bridge
