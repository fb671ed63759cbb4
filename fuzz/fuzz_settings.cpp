// Any bytes as a settings file: parsing, reading keys, setting one and
// writing the text back never fail, and a key set is read back as set.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/env/ini_text.h"
#include "core/env/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto ini = quindle::env::IniText::Parse(bytes);
    for (auto [section, key] : {std::pair{"Time", "AutoOzGet"}, std::pair{"JvDataGet", "LastTime"},
                                std::pair{"jvsim", "store"}}) {
        if (auto v = ini.Value(section, key)) (void)quindle::env::ParseSettingInt(*v, 10);
    }
    ini.Set("Time", "AutoOzGet", "15");
    const std::string written = ini.Bytes();
    const auto again = quindle::env::IniText::Parse(written);
    if (again.Value("Time", "AutoOzGet") != std::optional<std::string>("15")) std::abort();
    return 0;
}
