// Runners that do not run (異常区分 出走取消 or 発走除外, or withdrawn win
// odds): the card shows why in place of the odds and greys the row, the
// runner keeps its pattern but gets no mark, and the race mail never names
// it. Runners that start and then fail (競走除外, 競走中止) run.

#include "core/analysis/scratched.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/analysis/race_card.h"
#include "core/analysis/riding_pattern.h"
#include "core/fixtures/race_day_fixture.h"
#include "core/mail/race_mail.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::testing {
namespace {

namespace se = layout::se;
using namespace analysis;
using text::Sj;
using text::ToUtf8;

class ScratchedRunners : public RaceDayTest {};

TEST_F(ScratchedRunners, ShowWhyGetNoMarkAndNoMailLine) {
    struct Case {
        const char* what;
        const char* abnormality;
        double winOdds;
        const char* oddsCell;  // UTF-8; the card's 単ｵｯｽﾞ
    } const cases[] = {
        {"runs", "0", 3.5, "  3.5"},
        {"出走取消", "1", 0.0, "出走取消"},
        {"発走除外", "2", 0.0, "発走除外"},
        {"win odds \"----\" before the SE record says so", "0", model::kOddsWithdrawn, "取消"},
        {"競走除外: started", "3", 12.0, " 12.0"},
        {"競走中止: started", "4", 8.0, "  8.0"},
    };
    const int n = static_cast<int>(std::size(cases));
    SetRace(0, RaRec(kToday, kVenue, kRaceNumber).Entered(n));
    model::TOutData& out = day().OutData(0);
    for (int slot = 0; slot < n; ++slot) {
        SetRunner(0, slot,
                  Runner(slot + 1, "2020100001", "01001", "武豊")
                      .Put(se::kAbnormality, cases[slot].abnormality));
        out.NoriModori[slot] = 1;  // a mail line for every runner that runs
        out.WinOdds[slot] = cases[slot].winOdds;
        out.WinPopRank[slot] = 1;
    }
    const auto table =
        JockeyRecommendTable::FromText(text::ToCp932("#heading\r\n武豊,A,乗り戻り,◎,◎\r\n"));
    MarkRecommendations(day(), 0, table);
    const std::vector<std::string> mail = [&] {
        std::vector<std::string> lines;
        for (const auto& l : mail::PredictionLines(day(), 0)) lines.push_back(ToUtf8(l));
        return lines;
    }();

    for (int slot = 0; slot < n; ++slot) {
        const Case& c = cases[slot];
        SCOPED_TRACE(c.what);
        const bool runs = slot == 0 || slot >= 4;
        EXPECT_EQ(Scratched(day(), 0, slot), !runs);
        const CardRow row = CardRowOf(day(), 0, slot);
        EXPECT_EQ(ToUtf8(row[kCardWinOdds]), c.oddsCell);
        EXPECT_EQ(ToUtf8(row[kCardPattern]), "乗り戻り");  // kept either way
        EXPECT_EQ(ToUtf8(row[kCardWinMark]), runs ? "◎" : "");
        EXPECT_EQ(ToUtf8(row[kCardPlaceMark]), runs ? "◎" : "");
        if (!runs) {
            EXPECT_EQ(row[kCardPlaceOdds], "     ");
        }
        // Grey but for its bracket colour.
        EXPECT_EQ(CardCellStyle(out, row, kCardName).ink, runs ? Ink::Default : Ink::Grey);
        EXPECT_EQ(CardCellStyle(out, row, kCardPattern).ink, runs ? Ink::Default : Ink::Grey);
        EXPECT_EQ(CardCellStyle(out, row, kCardBracket).ink, Ink::Default);
        const std::string number = text::Format("%2d", slot + 1);
        const bool named = std::any_of(mail.begin(), mail.end(), [&](const std::string& line) {
            return line.starts_with(number + " ");
        });
        EXPECT_EQ(named, runs);
    }
}

}  // namespace
}  // namespace quindle::testing
