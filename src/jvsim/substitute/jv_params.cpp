#include "jvsim/substitute/jv_params.h"

#include "core/jvlink/jvlink.h"
#include "jvsim/store/store_format.h"

namespace quindle::jvsim {
namespace {

namespace code = jvlink::code;

// The accumulated data spec ids and the options they offer: normal (1),
// this week's data (2), set-up (3 and 4).
struct SpecInfo {
    std::string_view id;
    bool thisWeek;
    bool setup;
};

constexpr SpecInfo kSpecs[] = {
    {"TOKU", true, true},  {"RACE", true, true},  {"DIFF", false, true}, {"DIFN", false, true},
    {"BLOD", false, true}, {"BLDN", false, true}, {"MING", false, true}, {"SNAP", true, true},
    {"SNPN", true, true},  {"SLOP", false, true}, {"WOOD", false, true}, {"YSCH", false, true},
    {"HOSE", false, true}, {"HOSN", false, true}, {"HOYU", false, true}, {"COMM", false, true},
    {"TCOV", true, false}, {"TCVN", true, false}, {"RCOV", true, false}, {"RCVN", true, false},
};

// Real-time ids: the odds and vote-count specs are asked per race, the others
// per day or per race.
struct RealtimeInfo {
    std::string_view id;
    bool raceKeyOnly;
};

constexpr RealtimeInfo kRealtimeSpecs[] = {
    {"0B11", false}, {"0B12", false}, {"0B13", false}, {"0B14", false}, {"0B15", false},
    {"0B16", false}, {"0B17", false}, {"0B51", false}, {"0B20", true},  {"0B30", true},
    {"0B31", true},  {"0B32", true},  {"0B33", true},  {"0B34", true},  {"0B35", true},
    {"0B36", true},  {"0B41", true},  {"0B42", true},
};

const SpecInfo* FindSpec(std::string_view id) {
    for (const auto& s : kSpecs) {
        if (s.id == id) return &s;
    }
    return nullptr;
}

}  // namespace

int CheckOpenRequest(std::string_view dataSpec, std::string_view fromTime, int option,
                     OpenRequest& out) {
    out = {};
    if (dataSpec.empty() || dataSpec.size() % 4 != 0) return code::kBadDataSpec;
    std::vector<const SpecInfo*> infos;
    for (size_t i = 0; i < dataSpec.size(); i += 4) {
        const SpecInfo* info = FindSpec(dataSpec.substr(i, 4));
        if (!info) return code::kBadDataSpec;
        infos.push_back(info);
        out.specs.emplace_back(info->id);
    }

    std::string_view from = fromTime.substr(0, 14);
    std::string_view to;
    if (fromTime.size() == 29 && fromTime[14] == '-') {
        to = fromTime.substr(15);
    } else if (fromTime.size() != 14) {
        return code::kBadFromTime;
    }
    if (!IsTimestamp14(from) || (!to.empty() && (!IsTimestamp14(to) || to < from))) {
        return code::kBadFromTime;
    }
    out.from = std::string(from);
    out.to = std::string(to);

    if (option < jvlink::option::kNormal || option > jvlink::option::kSetupNoDialog) {
        return code::kBadOption;
    }
    for (const SpecInfo* info : infos) {
        bool fits = option == jvlink::option::kNormal ||
                    (option == jvlink::option::kThisWeek ? info->thisWeek : info->setup);
        if (!fits) return code::kBadSpecOption;
    }
    out.option = option;
    return code::kOk;
}

int CheckRealtimeRequest(std::string_view dataSpec, std::string_view key) {
    for (const auto& r : kRealtimeSpecs) {
        if (r.id != dataSpec) continue;
        bool keyOk = r.raceKeyOnly ? IsRaceKey(key) : IsAnnouncementKey(key);
        return keyOk ? code::kOk : code::kBadKey;
    }
    return code::kBadDataSpec;
}

}  // namespace quindle::jvsim
