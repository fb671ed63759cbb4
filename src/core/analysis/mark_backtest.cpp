#include "core/analysis/mark_backtest.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "core/analysis/riding_pattern.h"
#include "core/model/out_data.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::analysis {
namespace {

constexpr double kStake = 100.0;
constexpr int kDaysOfMonth = 100;  // yyyymmdd / 100 is yyyymm

std::string MonthName(int date) {
    const int yyyymm = date / kDaysOfMonth;
    return text::Format("%04d-%02d", yyyymm / 100, yyyymm % 100);
}

void AddIf(bool selected, BetTally& tally, const ScannedRunner& runner) {
    if (selected) tally.Add(runner);
}

}  // namespace

std::vector<RunnerMarks> MarkRunners(std::span<const ScannedRunner> runners,
                                     const JockeyRecommendTable& table) {
    std::vector<RunnerMarks> marks;
    marks.reserve(runners.size());
    for (const ScannedRunner& runner : runners) {
        const RecommendMarks m =
            RecommendRunner(table, runner.jockeyShort.View(), PatternTextOf(runner.pattern),
                            runner.popularity, runner.trioFavouriteOdds);
        marks.push_back({m.win, m.place});
    }
    return marks;
}

std::vector<BacktestRow> Backtest(std::span<const ScannedRunner> runners,
                                  std::span<const RunnerMarks> marks) {
    BacktestRow any{"◎☆", {}, {}};
    BacktestRow recommended{"◎", {}, {}};
    BacktestRow upgraded{"☆", {}, {}};
    BacktestRow unmarked{"印なし", {}, {}};
    std::map<int, BacktestRow> months;
    for (size_t i = 0; i < runners.size() && i < marks.size(); ++i) {
        const ScannedRunner& r = runners[i];
        const RunnerMarks& m = marks[i];
        AddIf(m.win > 0, any.win, r);
        AddIf(m.place > 0, any.place, r);
        AddIf(m.win == model::kMarkRecommend, recommended.win, r);
        AddIf(m.place == model::kMarkRecommend, recommended.place, r);
        AddIf(m.win == model::kMarkUpgraded, upgraded.win, r);
        AddIf(m.place == model::kMarkUpgraded, upgraded.place, r);
        AddIf(m.win == 0, unmarked.win, r);
        AddIf(m.place == 0, unmarked.place, r);
        if (m.win == 0 && m.place == 0) continue;
        BacktestRow& month = months[r.date / kDaysOfMonth];
        if (month.group.empty()) month.group = MonthName(r.date);
        AddIf(m.win > 0, month.win, r);
        AddIf(m.place > 0, month.place, r);
    }
    std::vector<BacktestRow> rows{any, recommended, upgraded, unmarked};
    for (auto& [yyyymm, row] : months) rows.push_back(std::move(row));
    return rows;
}

std::vector<CumulativePoint> CumulativeReturn(std::span<const ScannedRunner> runners,
                                              std::span<const RunnerMarks> marks) {
    std::vector<size_t> order;
    for (size_t i = 0; i < runners.size() && i < marks.size(); ++i) {
        if (runners[i].Ran() && runners[i].winPayout) order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return runners[a].date < runners[b].date; });
    std::vector<CumulativePoint> points;
    CumulativePoint now;
    for (size_t i : order) {
        const ScannedRunner& r = runners[i];
        if (now.date != 0 && r.date != now.date) points.push_back(now);
        now.date = r.date;
        const double paid = *r.winPayout;
        if (marks[i].win > 0) {
            now.markedStake += kStake;
            now.markedPaid += paid;
        } else {
            now.unmarkedStake += kStake;
            now.unmarkedPaid += paid;
        }
    }
    if (now.date != 0) points.push_back(now);
    return points;
}

std::string LearnTable(std::span<const ScannedRunner> runners, const LearnOptions& options) {
    // jockey, popularity letter, pattern text (CP932)
    using Key = std::tuple<std::string, std::string, std::string>;
    std::map<Key, BetTally> tallies;
    for (const ScannedRunner& runner : runners) {
        if (!runner.Ran() || runner.pattern == RidingPattern::kNone) continue;
        std::string jockey = JockeyTableName(runner.jockeyShort.View());
        std::string letter = PopularityLetter(runner.popularity);
        if (jockey.empty() || letter.empty()) continue;
        tallies[{std::move(jockey), std::move(letter), PatternTextOf(runner.pattern)}].Add(runner);
    }
    const auto clears = [&](const TicketTally& t) {
        return t.tickets >= options.minRides && t.tickets > 0 &&
               t.Return().value >= options.minReturn;
    };
    const std::string& mark = text::Sj("◎");
    std::vector<std::string> lines;
    for (const auto& [key, tally] : tallies) {
        const bool win = clears(tally.win);
        const bool place = clears(tally.place);
        if (!win && !place) continue;
        const auto& [jockey, letter, pattern] = key;
        lines.push_back(jockey + "," + letter + "," + pattern + "," + (win ? mark : "") + "," +
                        (place ? mark : ""));
    }
    std::sort(lines.begin(), lines.end(),
              [](const std::string& a, const std::string& b) { return LessIgnoringCase(a, b); });
    // A heading beginning with an ASCII character sorts before every jockey name.
    std::string out = text::ToCp932("#騎手名,人気,騎乗パターン,単推奨,複推奨") + "\r\n";
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

}  // namespace quindle::analysis
