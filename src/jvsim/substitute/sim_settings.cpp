#include "jvsim/substitute/sim_settings.h"

#include <charconv>
#include <cstdlib>

#include "core/text/fields.h"
#include "core/util/utf8_path.h"
#include "jvsim/store/ini_file.h"
#include "jvsim/store/store_format.h"

namespace quindle::jvsim {
namespace {

constexpr std::array<std::string_view, kJvOpCount> kOpNames = {
    "JVInit", "JVSetUIProperties", "JVOpen", "JVStatus", "JVRTOpen", "JVRead",
    "JVSkip", "JVCancel",          "JVClose"};

constexpr const char* kIniSection = "jvsim";
constexpr const char* kEnvPrefix = "QUINDLE_JVSIM_";

std::optional<int> ParseInt(std::string_view s) {
    s = text::TrimBlanks(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    int v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

std::vector<std::string_view> SplitList(std::string_view s) {
    std::vector<std::string_view> items;
    size_t start = 0;
    while (start <= s.size()) {
        size_t comma = s.find(',', start);
        if (comma == std::string_view::npos) comma = s.size();
        auto item = text::TrimBlanks(s.substr(start, comma - start));
        if (!item.empty()) items.push_back(item);
        start = comma + 1;
    }
    return items;
}

Error BadValue(std::string_view name, std::string_view value, std::string_view expected) {
    return Error{"substitute setting " + std::string(name) + ": '" + std::string(value) +
                 "' is not " + std::string(expected)};
}

Status SetInt(int& target, std::string_view name, std::string_view value, int min) {
    auto v = ParseInt(value);
    if (!v || *v < min) return BadValue(name, value, "a number of at least " + std::to_string(min));
    target = *v;
    return Status::Ok();
}

Status SetFaults(SimSettings& s, std::string_view name, std::string_view value) {
    std::vector<FaultRule> faults;
    if (text::TrimBlanks(value) != "none") {
        for (auto item : SplitList(value)) {
            auto rule = ParseFaultRule(item);
            if (!rule)
                return Error{"substitute setting " + std::string(name) + ": " + rule.error()};
            faults.push_back(*rule);
        }
    }
    s.faults = std::move(faults);
    return Status::Ok();
}

Status SetDelays(SimSettings& s, std::string_view name, std::string_view value) {
    std::array<int, kJvOpCount> delays{};
    for (auto item : SplitList(value)) {
        size_t colon = item.find(':');
        auto op = JvOpFromName(item.substr(0, colon));
        auto ms = colon == std::string_view::npos ? std::nullopt : ParseInt(item.substr(colon + 1));
        if (!op || !ms || *ms < 0) return BadValue(name, item, "OP:MILLISECONDS");
        delays[static_cast<size_t>(*op)] = *ms;
    }
    s.delayMs = delays;
    return Status::Ok();
}

struct Option {
    std::string_view name;
    Status (*apply)(SimSettings&, std::string_view name, std::string_view value);
};

constexpr Option kOptions[] = {
    {"store",
     [](SimSettings& s, std::string_view, std::string_view v) {
         s.store = PathFromUtf8(text::TrimBlanks(v));
         return Status::Ok();
     }},
    {"now",
     [](SimSettings& s, std::string_view n, std::string_view v) {
         v = text::TrimBlanks(v);
         if (!v.empty() && !IsMinute12(v)) return Status(BadValue(n, v, "yyyymmddhhnn"));
         s.now = std::string(v);
         return Status::Ok();
     }},
    {"version",
     [](SimSettings& s, std::string_view n, std::string_view v) {
         v = text::TrimBlanks(v);
         if (v.size() != 4) return Status(BadValue(n, v, "four characters"));
         s.version = std::string(v);
         return Status::Ok();
     }},
    {"download_step", [](SimSettings& s, std::string_view n,
                         std::string_view v) { return SetInt(s.downloadStep, n, v, 1); }},
    {"download_ms", [](SimSettings& s, std::string_view n,
                       std::string_view v) { return SetInt(s.downloadFileMs, n, v, 0); }},
    {"predownloaded",
     [](SimSettings& s, std::string_view n, std::string_view v) {
         int flag = 0;
         if (auto st = SetInt(flag, n, v, 0); !st || flag > 1) {
             return Status(BadValue(n, v, "0 or 1"));
         }
         s.preDownloaded = flag == 1;
         return Status::Ok();
     }},
    {"realtime_wait_reads",
     [](SimSettings& s, std::string_view n, std::string_view v) {
         return SetInt(s.realtimeWaitReads, n, v, 0);
     }},
    {"fault", SetFaults},
    {"delay", SetDelays},
};

std::string EnvName(std::string_view option) {
    std::string name = kEnvPrefix;
    for (char c : option) name += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    return name;
}

}  // namespace

std::string_view JvOpName(JvOp op) {
    return kOpNames[static_cast<size_t>(op)];
}

std::optional<JvOp> JvOpFromName(std::string_view name) {
    for (size_t i = 0; i < kOpNames.size(); ++i) {
        if (kOpNames[i] == text::TrimBlanks(name)) return static_cast<JvOp>(i);
    }
    return std::nullopt;
}

Result<FaultRule> ParseFaultRule(std::string_view text) {
    auto bad = [&] {
        return Error{"'" + std::string(text) + "' is not a fault OP:CODE[@AFTER][xTIMES]"};
    };
    size_t colon = text.find(':');
    if (colon == std::string_view::npos) return bad();
    auto op = JvOpFromName(text.substr(0, colon));
    if (!op) return bad();
    std::string_view rest = text.substr(colon + 1);
    size_t at = rest.find('@');
    size_t x = rest.find('x');
    auto code = ParseInt(rest.substr(0, std::min(at, x)));
    if (!code) return bad();
    FaultRule rule{*op, *code, 0, 0};
    if (at != std::string_view::npos) {
        auto after = ParseInt(rest.substr(at + 1, x == std::string_view::npos ? x : x - at - 1));
        if (!after || *after < 0 || (x != std::string_view::npos && x < at)) return bad();
        rule.after = *after;
    }
    if (x != std::string_view::npos) {
        auto times = ParseInt(rest.substr(x + 1));
        if (!times || *times < 1) return bad();
        rule.times = *times;
    }
    return rule;
}

Status ApplySimOption(SimSettings& settings, std::string_view name, std::string_view value) {
    for (const auto& o : kOptions) {
        if (o.name == name) {
            SimSettings changed = settings;
            if (auto s = o.apply(changed, name, value); !s) return s;
            settings = std::move(changed);
            return Status::Ok();
        }
    }
    return Error{"unknown substitute setting '" + std::string(name) + "'"};
}

Status ApplySimIni(SimSettings& settings, const std::filesystem::path& iniFile) {
    auto entries = ReadIniFile(iniFile);
    if (!entries) return Error{entries.error()};
    SimSettings changed = settings;
    for (const auto& e : *entries) {
        if (e.section != kIniSection) continue;
        if (auto s = ApplySimOption(changed, e.key, e.value); !s) {
            return Error{iniFile.string() + ": " + s.error()};
        }
        if (e.key == "store" && changed.store.is_relative() && !changed.store.empty()) {
            changed.store = iniFile.parent_path() / changed.store;
        }
    }
    settings = std::move(changed);
    return Status::Ok();
}

Status ApplySimEnvironment(SimSettings& settings) {
    SimSettings changed = settings;
    if (const char* ini = std::getenv("QUINDLE_JVSIM_INI"); ini && *ini) {
        if (auto s = ApplySimIni(changed, ini); !s) return s;
    }
    for (const auto& o : kOptions) {
        std::string env = EnvName(o.name);
        if (const char* value = std::getenv(env.c_str())) {
            if (auto s = ApplySimOption(changed, o.name, value); !s) {
                return Error{env + ": " + s.error()};
            }
        }
    }
    settings = std::move(changed);
    return Status::Ok();
}

Status TakeSimArgs(SimSettings& settings, std::vector<std::string>& args) {
    constexpr std::string_view kArgPrefix = "--jvsim-";
    SimSettings changed = settings;
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (arg.substr(0, kArgPrefix.size()) != kArgPrefix) {
            rest.push_back(args[i]);
            continue;
        }
        arg.remove_prefix(kArgPrefix.size());
        size_t eq = arg.find('=');
        std::string name(arg.substr(0, eq));
        for (char& c : name) {
            if (c == '-') c = '_';
        }
        std::string value;
        if (eq != std::string_view::npos) {
            value = std::string(arg.substr(eq + 1));
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return Error{"--jvsim-" + std::string(arg) + " needs a value"};
        }
        if (auto s = ApplySimOption(changed, name, value); !s) return s;
    }
    settings = std::move(changed);
    args = std::move(rest);
    return Status::Ok();
}

}  // namespace quindle::jvsim
