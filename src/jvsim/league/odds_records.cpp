#include <algorithm>

#include "jvsim/league/extra_layout.h"
#include "jvsim/league/record_builder.h"
#include "jvsim/league/records.h"

namespace quindle::jvsim::league {
namespace layout = store::layout;

namespace {

std::string OneChar(char c) {
    return std::string(1, c);
}

// An odds field: the tenths, or dashes for a runner without odds.
void PutOdds(RecordBuilder& b, FieldPos f, int tenths) {
    if (tenths < 0) {
        b.Fill(f, '-');
    } else {
        b.Number(f, tenths);
    }
}

void PutPopularity(RecordBuilder& b, FieldPos f, int rank) {
    if (rank <= 0) {
        b.Fill(f, '-');
    } else {
        b.Number(f, rank);
    }
}

std::string Announced(const OddsBoard& board) {
    return MonthDay4(board.day) + text::Format("%04d", board.hhmm);
}

}  // namespace

std::string BuildO1(const Race& race, const OddsBoard& board) {
    namespace o1 = layout::o1;
    RecordBuilder b(RecordType::O1);
    b.Head(OneChar(board.kind), Date8(board.day)).RaceKey(race.info.Key());
    b.Put(o1::kAnnounced, Announced(board));
    b.Number(extra::o1::kEntered, board.entered);
    b.Number(extra::o1::kStarters, board.starters);
    b.Number(extra::o1::kSaleWin, 7);
    b.Number(extra::o1::kSalePlace, 7);
    b.Number(extra::o1::kSaleBracket, board.bracketSold ? 7 : 0);
    b.Number(extra::o1::kPlacePaysTo, board.starters <= 7 ? 2 : 3);
    for (int i = 0; i < board.entered && i < o1::kWinEntries; ++i) {
        auto u = static_cast<std::size_t>(i);
        b.Number(o1::kWinHorse(i), i + 1);
        PutOdds(b, o1::kWinOdds(i), board.win[u]);
        PutPopularity(b, o1::kWinPopularity(i), board.winPop[u]);
        b.Number(o1::kPlaceHorse(i), i + 1);
        PutOdds(b, o1::kPlaceOddsLow(i), board.placeLow[u]);
        PutOdds(b, o1::kPlaceOddsHigh(i), board.placeHigh[u]);
        PutPopularity(b, o1::kPlacePopularity(i), board.placePop[u]);
    }
    if (board.bracketSold) {
        for (int x = 1, i = 0; x <= 8; ++x) {
            for (int y = x; y <= 8; ++y, ++i) {
                int odds = board.bracket[static_cast<std::size_t>(i)];
                if (odds < 0) continue;
                b.Number(extra::o1::BracketCombo(i), x * 10 + y);
                b.Number(extra::o1::BracketOdds(i), odds);
                b.Number(extra::o1::BracketPopularity(i),
                         board.bracketPop[static_cast<std::size_t>(i)]);
            }
        }
    }
    b.Number(extra::o1::kWinVotes, board.winVotes);
    b.Number(extra::o1::kPlaceVotes, board.placeVotes);
    b.Number(extra::o1::kBracketVotes, board.bracketVotes);
    return b.Finish();
}

std::string BuildO5(const Race& race, const OddsBoard& board) {
    namespace o5 = layout::o5;
    RecordBuilder b(RecordType::O5);
    b.Head(OneChar(board.kind), Date8(board.day)).RaceKey(race.info.Key());
    b.Put(o5::kAnnounced, Announced(board));
    b.Number(extra::o5::kEntered, board.entered);
    b.Number(extra::o5::kStarters, board.starters);
    b.Number(extra::o5::kSaleTrio, 7);
    const int n = board.entered;
    int entry = 1;
    for (int a = 0; a < n; ++a) {
        for (int c2 = a + 1; c2 < n; ++c2) {
            for (int c3 = c2 + 1; c3 < n && entry <= o5::kTrioEntries; ++c3, ++entry) {
                auto idx = static_cast<std::size_t>(TrioIndex(a, c2, c3, n));
                b.Number(o5::kTrioCombo(entry), (a + 1) * 10000 + (c2 + 1) * 100 + (c3 + 1));
                PutOdds(b, o5::kTrioOdds(entry), board.trio[idx]);
                PutPopularity(b, o5::kTrioPopularity(entry), board.trioPop[idx]);
            }
        }
    }
    b.Number(extra::o5::kTrioVotes, board.trioVotes);
    return b.Finish();
}

std::string BuildDM(const Race& race, char kind, std::string_view created8, int madeAt) {
    RecordBuilder b(RecordType::DM);
    b.Head(OneChar(kind), created8).RaceKey(race.info.Key());
    b.Number(extra::dm::kMadeAt, madeAt);
    // The prediction ranks the runners by the market's view: a standard
    // time for the course, a tenth or two per rank behind.
    const RaceInfo& s = race.info;
    double km = s.distance / 1000.0;
    double perKm = s.surface == Surface::Turf ? 58.0 + 1.3 * (km - 1.0) : 61.2 + 1.6 * (km - 1.0);
    const int baseHundredths = static_cast<int>(km * perKm * 100.0);
    std::vector<int> order;
    for (int i = 0; i < static_cast<int>(race.runners.size()); ++i) order.push_back(i);
    std::sort(order.begin(), order.end(), [&](int x, int y) {
        double mx = race.runners[static_cast<std::size_t>(x)].market,
               my = race.runners[static_cast<std::size_t>(y)].market;
        return mx != my ? mx > my : x < y;
    });
    std::vector<int> rank(order.size(), 0);
    for (std::size_t k = 0; k < order.size(); ++k)
        rank[static_cast<std::size_t>(order[k])] = static_cast<int>(k);
    for (int i = 0; i < static_cast<int>(race.runners.size()) && i < extra::dm::kEntries; ++i) {
        int t = baseHundredths + rank[static_cast<std::size_t>(i)] * 14 + (i * 7) % 9;
        int minutes = t / 6000;
        int rest = t % 6000;
        b.Number(extra::dm::HorseNumber(i), race.runners[static_cast<std::size_t>(i)].horseNumber);
        b.Number(extra::dm::PredictedTime(i), minutes * 10000 + rest);
        b.Number(extra::dm::ErrorPlus(i), 30 + rank[static_cast<std::size_t>(i)] * 4);
        b.Number(extra::dm::ErrorMinus(i), 20 + rank[static_cast<std::size_t>(i)] * 3);
    }
    return b.Finish();
}

}  // namespace quindle::jvsim::league
