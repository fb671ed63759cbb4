// The program clock as the command line chooses it, and the substitute
// serving the data of the simulated clock's moment.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/jvlink_source.h"
#include "core/fixtures/race_day_fixture.h"
#include "core/jvlink/jvlink_start.h"
#include "core/store/record_layout.h"
#include "core/util/temp_folder.h"
#include "jvsim/store/store_writer.h"

namespace quindle::app {
namespace {

TEST(ClockOptions, AreTakenBesideTheJvLinkOptionsAndRefusedWhenTheyCannotHold) {
    struct Case {
        std::vector<std::string> args;
        std::string error;  // part of the message; "" accepted
    };
    const Case kCases[] = {
        {{"--clock", "2025/03/30 09:25:00", "--clock-speed", "max", "--day", "x"}, ""},
        {{"--clock=2025/03/30 09:25:00", "--clock-speed=60"}, ""},
        {{"--clock", "2025/03/30 09:25:00"}, ""},
        {{"--clock", "2025/03/30"}, "--clock wants \"yyyy/mm/dd hh:nn:ss\""},
        {{"--clock"}, "--clock"},
        {{"--clock-speed", "fast", "--clock", "2025/03/30 09:25:00"}, "--clock-speed wants"},
        {{"--clock-speed", "60"}, "--clock-speed needs --clock"},
        {{"--clock", "2025/03/30 09:25:00", "--now", "202503300925"}, "not both"},
        {{"--clock", "2025/03/30 09:25:00", "--jvsim-now", "202503300925"}, "not both"},
    };
    for (const Case& c : kCases) {
        std::vector<std::string> args = c.args;
        auto options = TakeJvLinkOptions(args);
        ASSERT_EQ(static_cast<bool>(options), c.error.empty()) << c.args.front();
        if (!options) {
            EXPECT_NE(options.error().find(c.error), std::string::npos) << options.error();
            continue;
        }
        EXPECT_EQ(FormatDateTime(*options->clock.start), "2025/03/30 09:25:00");
        EXPECT_EQ(args.size(), c.args.front() == "--clock" && c.args.size() == 6 ? 2u : 0u);
    }
    std::vector<std::string> none;
    auto plain = TakeJvLinkOptions(none);
    ASSERT_TRUE(plain);
    EXPECT_FALSE(MakeProgramClock(plain->clock)->Simulated());
}

// A store with the odds of one race announced at 09:30 and at 09:45, whose
// own "now" is noon.
class ClockedSubstituteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        jvsim::StoreWriter writer(store_.path());
        for (std::string_view at : {"0930", "0945"}) {
            const std::string record =
                testing::O1Rec("20250330", "06", 1, {}, "0330" + std::string(at)).Record();
            ASSERT_TRUE(writer.AddRealtime("0B30", kKey, "20250330" + std::string(at), {record}));
        }
        writer.SetFact("now", "202503301200");
        ASSERT_TRUE(writer.Finish());
        options_.store = store_.path();
    }

    // The announcement time (hhmm) of the odds a new session is served.
    std::string ServedAt(const JvLinkSource& source) {
        auto link = source.Open();
        EXPECT_TRUE(link) << link.error();
        if (!link) return {};
        jvlink::JvLink& jv = *link->link;
        EXPECT_EQ(jv.JVRTOpen("0B30", kKey), jvlink::code::kOk);
        std::string buffer, file;
        int size = 0;
        std::string announced;
        while (jv.JVRead(buffer, size, file) != 0) {
            if (buffer.substr(0, 2) == "O1") {
                announced = buffer.substr(store::layout::o1::kAnnouncedHour.pos - 1, 4);
            }
        }
        jv.JVClose();
        return announced;
    }

    static constexpr std::string_view kKey = "2025033006010101";
    testing::TempFolder store_;
    JvLinkOptions options_;
};

TEST_F(ClockedSubstituteTest, ServesWhatWasAnnouncedByTheSimulatedClocksMoment) {
    auto clock = std::make_shared<SimulatedClock>(LocalDateTime{2025, 3, 30, 9, 35, 0},
                                                  ClockSpeed{1.0, true});
    auto source = JvLinkSource::Resolve(store_.path(), options_, WithoutStore::kRefuse, clock);
    ASSERT_TRUE(source) << source.error();
    EXPECT_EQ(ServedAt(*source), "0930");
    EXPECT_EQ(FormatDateTime(source->Open()->now), "2025/03/30 09:35:00");
    clock->WaitUntil({2025, 3, 30, 9, 45, 0});
    EXPECT_EQ(ServedAt(*source), "0945");

    // The computer's clock leaves the substitute at its store's moment.
    auto plain =
        JvLinkSource::Resolve(store_.path(), options_, WithoutStore::kRefuse, MakeProgramClock({}));
    ASSERT_TRUE(plain);
    EXPECT_EQ(ServedAt(*plain), "0945");
    EXPECT_EQ(FormatDateTime(plain->Open()->now), "2025/03/30 12:00:00");
}

}  // namespace
}  // namespace quindle::app
