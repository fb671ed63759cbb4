#pragma once
// Parameter checks of JVOpen and JVRTOpen as the component makes them: which
// data spec ids exist, which options each allows, and the shape of from-times
// and keys. The results are the component's codes (0 or -111 .. -116).

#include <string>
#include <string_view>
#include <vector>

namespace quindle::jvsim {

struct OpenRequest {
    std::vector<std::string> specs;  // the four-letter ids, in the order given
    std::string from;                // yyyymmddhhnnss
    std::string to;                  // yyyymmddhhnnss, or empty: no end
    int option = 0;
};

// Checks, in this order, the data spec (-111: empty, not made of known
// four-letter ids), the from-time (-112: not "yyyymmddhhnnss" or
// "yyyymmddhhnnss-yyyymmddhhnnss" with valid times in order), the option
// (-115: not 1 to 4) and the pairing of spec and option (-116: an id that
// does not offer this week's data with option 2, or set-up data with 3 or 4).
int CheckOpenRequest(std::string_view dataSpec, std::string_view fromTime, int option,
                     OpenRequest& out);

// Checks a real-time spec (-111: not a known real-time id) and its key (-114:
// the odds specs take a race key only, the others a day yyyymmdd or a race key).
int CheckRealtimeRequest(std::string_view dataSpec, std::string_view key);

}  // namespace quindle::jvsim
