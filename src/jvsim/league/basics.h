#pragma once
// Small vocabulary shared by the league's parts.

#include <cstdint>

namespace quindle::jvsim::league {

enum class Surface : std::uint8_t { Turf, Dirt };
enum class Turn : std::uint8_t { Straight, Right, Left };
enum class Centre : std::uint8_t { East = 1, West = 2 };  // 美浦, 栗東
enum class JockeyKind : std::uint8_t { Central, Foreign, Local, Overseas };
enum class Location : std::uint8_t { Central, Local, Abroad, Retired };

// How today's jockey stands to the horse, as the judgement will see it.
enum class Pattern : std::uint8_t { None, TenNori, Renzoku, NoriModori };

}  // namespace quindle::jvsim::league
