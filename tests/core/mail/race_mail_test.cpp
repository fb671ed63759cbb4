#include "core/mail/race_mail.h"

#include <gtest/gtest.h>

#include "core/fixtures/race_day_fixture.h"
#include "core/load/day_loader.h"
#include "core/text/cp932.h"

namespace quindle::mail {
namespace {

namespace ra = store::layout::ra;
namespace se = store::layout::se;
using testing::kToday;
using testing::kVenue;
using testing::O1Rec;
using testing::RaRec;
using testing::SeRec;
using text::Sj;
using text::ToUtf8;

class RaceMailTest : public testing::RaceDayTest {
  protected:
    void Runner(int slot, int horse, const char* name, const char* jockey) {
        SetRunner(0, slot,
                  SeRec(kToday, kVenue, 1, horse)
                      .Put(se::kHorseName, Sj(name))
                      .Put(se::kJockeyShort, Sj(jockey)));
    }
    // Race 0 at 中山 with odds loaded and DeliverTime 1535 before a 15:40 post.
    void OddsLoaded(int race, const char* deliver = "1535", const char* announced = "01050930") {
        day().RaceO1(race).Assign(
            O1Rec(kToday, kVenue, race + 1, {{"0035", "0012", "0020"}}, announced).Line());
        day().OutData(race).DeliverTime = std::string_view(deliver);
    }
    std::vector<std::string> Lines(int race) {
        std::vector<std::string> out;
        for (const std::string& l : RaceMailLines(day(), race)) out.push_back(ToUtf8(l));
        return out;
    }
};

// Only runners with a mark, a jockey move or 乗り戻り get a line, in horse
// number order, names trimmed of both kinds of blank.
TEST_F(RaceMailTest, PredictionLinesOfMarkedRunnersInHorseOrder) {
    SetRace(0, RaRec(kToday, kVenue, 1).Entered(5));
    Runner(0, 7, "ナナバン", "騎手ア");
    Runner(1, 3, "　サンバン　", "騎手イ");
    Runner(2, 12, "ジュウニ", "騎手ウ");
    Runner(3, 1, "イチバン", "騎手エ");
    Runner(4, 2, "トリケシ", "騎手オ");
    model::TOutData& out = day().OutData(0);
    out.WinRecommend[0] = model::kMarkRecommend;
    out.WinOdds[0] = 12.3;
    out.WinPopRank[0] = 5;
    out.NoriModori[1] = 1;
    out.PlaceRecommend[1] = model::kMarkUpgraded;
    out.GiveMark[1] = 1;
    out.RenzokuKijo[2] = 1;  // a pattern alone is no reason for a line
    out.GetMark[3] = 1;
    out.TenNori[3] = 1;
    out.GetMark[4] = 1;
    out.WinOdds[4] = model::kOddsWithdrawn;  // scratched: never a line, whatever its marks

    EXPECT_EQ(Lines(0), (std::vector<std::string>{
                            "<<中山 1R>>",
                            " 1 イチバン 騎手エ テン乗り Get",
                            " 3 サンバン 騎手イ 乗り戻り 複☆ Give",
                            " 7 ナナバン 騎手ア 単◎ 12.3倍 5人気",
                        }));
    const std::optional<MailMessage> mail = RaceMail(day(), 0);
    ASSERT_TRUE(mail);
    EXPECT_EQ(ToUtf8(mail->subject), "-【中山 1R】-");
}

TEST_F(RaceMailTest, RaceWithoutPredictionLinesSendsNothing) {
    SetRace(0, RaRec(kToday, kVenue, 11).Entered(1));
    Runner(0, 1, "イチバン", "騎手");
    day().OutData(0).TenNori[0] = 1;
    EXPECT_EQ(Lines(0), std::vector<std::string>{"<<中山11R>>"});
    EXPECT_EQ(ToUtf8(RaceMailHeading(day().RaceRA(0))), "【中山11R】");
    EXPECT_FALSE(RaceMail(day(), 0));
}

TEST_F(RaceMailTest, DueDeliveriesNeedOddsTheTimeAndNoEarlierSend) {
    for (int r = 0; r < 4; ++r) {
        SetRace(r, RaRec(kToday, kVenue, r + 1).Put(ra::kPostTime, "1540"));
    }
    OddsLoaded(0);
    OddsLoaded(1);
    day().State().Delivered[1] = 1;                           // sent already
    day().OutData(2).DeliverTime = std::string_view("1535");  // no odds
    OddsLoaded(3, "1537", "00000000");  // final odds: no announcement time, due all the same
    const struct {
        const char* now;
        std::vector<int> due;
    } cases[] = {
        {"1534", {}}, {"1535", {0}}, {"1537", {0, 3}}, {"1539", {0, 3}}, {"1540", {}}, {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(DueDeliveries(day(), c.now), c.due) << c.now;
}

TEST(DeliverTimeOf, LeadBeforePostAfterTheOddsHadTheirChance) {
    const struct {
        const char* post;
        int lead;
        int odds;
        const char* deliver;
    } cases[] = {
        {"1540", 5, 10, "1535"},  {"1540", 1, 10, "1539"},
        {"1540", 0, 10, "1539"},   // at least a minute before the post
        {"1540", 80, 80, "1441"},  // at most 59 minutes
        {"1540", 9, 10, "1532"},   // odds at 15:30 and 15:31: mail from 15:32
        {"1540", 5, 3, "1539"},   {"    ", 5, 10, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(load::DeliverTimeOf(c.post, c.lead, c.odds), c.deliver)
            << c.post << " " << c.lead << " " << c.odds;
    }
}

}  // namespace
}  // namespace quindle::mail
