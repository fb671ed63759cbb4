#include "jvsim/league/venues.h"

#include <stdexcept>

namespace quindle::jvsim::league {
namespace {

// Track codes: 10 turf straight, 11/12 turf left (outer), 17/18/20 turf right
// (outer, outer to inner), 23 dirt left, 24 dirt right.
constexpr Course kSapporoTurf[] = {{1200, 17}, {1500, 17}, {1800, 17}, {2000, 17}, {2600, 17}};
constexpr Course kHakodateTurf[] = {{1200, 17}, {1800, 17}, {2000, 17}, {2600, 17}};
constexpr Course kFukushimaTurf[] = {{1200, 17}, {1800, 17}, {2000, 17}, {2600, 17}};
constexpr Course kNiigataTurf[] = {{1000, 10}, {1200, 11}, {1400, 11}, {1600, 12},
                                   {1800, 12}, {2000, 11}, {2200, 11}, {2400, 11}};
constexpr Course kTokyoTurf[] = {{1400, 11}, {1600, 11}, {1800, 11}, {2000, 11},
                                 {2300, 11}, {2400, 11}, {2500, 11}, {3400, 11}};
constexpr Course kNakayamaTurf[] = {{1200, 18}, {1600, 18}, {1800, 17}, {2000, 17},
                                    {2200, 18}, {2500, 17}, {3600, 17}};
constexpr Course kChukyoTurf[] = {{1200, 11}, {1400, 11}, {1600, 11}, {2000, 11}, {2200, 11}};
constexpr Course kKyotoTurf[] = {{1200, 17}, {1400, 18}, {1600, 18}, {1800, 18}, {2000, 17},
                                 {2200, 18}, {2400, 18}, {3000, 18}, {3200, 20}};
constexpr Course kHanshinTurf[] = {{1200, 17}, {1400, 17}, {1600, 18}, {1800, 18}, {2000, 17},
                                   {2200, 17}, {2400, 18}, {3000, 17}, {3200, 20}};
constexpr Course kKokuraTurf[] = {{1200, 17}, {1700, 17}, {1800, 17}, {2000, 17}, {2600, 17}};

constexpr Course kNorthDirt[] = {{1000, 24}, {1700, 24}, {2400, 24}};
constexpr Course kFukushimaDirt[] = {{1150, 24}, {1700, 24}, {2400, 24}};
constexpr Course kNiigataDirt[] = {{1200, 23}, {1800, 23}, {2500, 23}};
constexpr Course kTokyoDirt[] = {{1300, 23}, {1400, 23}, {1600, 23}, {2100, 23}};
constexpr Course kNakayamaDirt[] = {{1200, 24}, {1800, 24}, {2400, 24}, {2500, 24}};
constexpr Course kChukyoDirt[] = {{1200, 23}, {1400, 23}, {1800, 23}, {1900, 23}};
constexpr Course kKyotoDirt[] = {{1200, 24}, {1400, 24}, {1800, 24}, {1900, 24}};
constexpr Course kHanshinDirt[] = {{1200, 24}, {1400, 24}, {1800, 24}, {2000, 24}};

constexpr CentralVenue kCentral[] = {
    {"01", Centre::East, Turn::Right, kSapporoTurf, kNorthDirt},
    {"02", Centre::East, Turn::Right, kHakodateTurf, kNorthDirt},
    {"03", Centre::East, Turn::Right, kFukushimaTurf, kFukushimaDirt},
    {"04", Centre::East, Turn::Left, kNiigataTurf, kNiigataDirt},
    {"05", Centre::East, Turn::Left, kTokyoTurf, kTokyoDirt},
    {"06", Centre::East, Turn::Right, kNakayamaTurf, kNakayamaDirt},
    {"07", Centre::West, Turn::Left, kChukyoTurf, kChukyoDirt},
    {"08", Centre::West, Turn::Right, kKyotoTurf, kKyotoDirt},
    {"09", Centre::West, Turn::Right, kHanshinTurf, kHanshinDirt},
    {"10", Centre::West, Turn::Right, kKokuraTurf, kNorthDirt},
};

constexpr int kMonbetsu[] = {1000, 1200, 1700, 1800};
constexpr int kMorioka[] = {1200, 1400, 1600, 1800, 2000};
constexpr int kMizusawa[] = {1300, 1400, 1600, 1800};
constexpr int kUrawa[] = {1400, 1500, 2000};
constexpr int kFunabashi[] = {1200, 1500, 1600, 1800};
constexpr int kOi[] = {1200, 1400, 1600, 1800, 2000};
constexpr int kKawasaki[] = {900, 1400, 1500, 1600, 2100};
constexpr int kKanazawa[] = {1400, 1500, 1700, 2000};
constexpr int kKasamatsu[] = {1400, 1600, 1800};
constexpr int kNagoya[] = {1400, 1500, 1700, 2000};
constexpr int kSonoda[] = {1230, 1400, 1700, 1870};
constexpr int kHimeji[] = {1400, 1500, 1800};
constexpr int kKochi[] = {1300, 1400, 1600, 1900};
constexpr int kSaga[] = {1300, 1400, 1800, 2000};

constexpr LocalVenue kLocal[] = {
    {"30", Turn::Right, kMonbetsu}, {"35", Turn::Left, kMorioka},   {"36", Turn::Right, kMizusawa},
    {"42", Turn::Left, kUrawa},     {"43", Turn::Left, kFunabashi}, {"44", Turn::Right, kOi},
    {"45", Turn::Left, kKawasaki},  {"46", Turn::Right, kKanazawa}, {"47", Turn::Right, kKasamatsu},
    {"48", Turn::Right, kNagoya},   {"50", Turn::Right, kSonoda},   {"51", Turn::Right, kHimeji},
    {"54", Turn::Right, kKochi},    {"55", Turn::Right, kSaga},
};

// Saudi Arabia, Dubai, Hong Kong, Britain, France, the United States, Australia.
constexpr OverseasRace kOverseas[] = {
    {2, 6, 2, "K6", Surface::Dirt, 1800, 12}, {2, 6, 2, "K6", Surface::Turf, 2100, 10},
    {3, 6, -1, "C7", Surface::Dirt, 2000, 9}, {3, 6, -1, "C7", Surface::Turf, 2410, 8},
    {3, 6, -1, "C7", Surface::Turf, 1800, 7}, {4, 0, -1, "G0", Surface::Turf, 2000, 8},
    {6, 3, 3, "A6", Surface::Turf, 2000, 4},  {7, 6, -1, "A6", Surface::Turf, 2400, 4},
    {10, 0, 1, "A8", Surface::Turf, 2400, 4}, {11, 6, 1, "A4", Surface::Dirt, 2000, 12},
    {11, 6, 1, "A4", Surface::Turf, 1600, 9}, {11, 2, 1, "B6", Surface::Turf, 3200, 7},
    {12, 0, 2, "G0", Surface::Turf, 1600, 7}, {12, 0, 2, "G0", Surface::Turf, 2000, 8},
    {12, 0, 2, "G0", Surface::Turf, 2400, 5},
};

constexpr int kPostTimes[] = {1005, 1035, 1105, 1135, 1225, 1255,
                              1325, 1355, 1425, 1500, 1540, 1620};

}  // namespace

const CentralVenue& CentralVenueAt(int venue) {
    if (venue < 1 || venue > 10) throw std::out_of_range("CentralVenueAt: venue 1..10");
    return kCentral[venue - 1];
}

std::span<const LocalVenue> LocalVenues() {
    return kLocal;
}

std::span<const OverseasRace> OverseasRaces() {
    return kOverseas;
}

int PostTime(int raceNumber, int slot) {
    int t = kPostTimes[(raceNumber - 1) % 12];
    int minutes = t / 100 * 60 + t % 100 - 10 * slot;
    return minutes / 60 * 100 + minutes % 60;
}

int DirtTrack(Turn turn) {
    return turn == Turn::Left ? 23 : 24;
}
int TurfTrack(Turn turn) {
    return turn == Turn::Left ? 11 : 17;
}

}  // namespace quindle::jvsim::league
