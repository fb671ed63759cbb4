#include "core/mail/race_mail.h"

#include <algorithm>

#include "core/analysis/race_card.h"
#include "core/analysis/riding_pattern.h"
#include "core/analysis/scratched.h"
#include "core/store/codes.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::mail {
namespace {

namespace layout = store::layout;
using text::Sj;

// `s` without half-width and full-width blanks at either end (CP932, walked
// by character so that a trail byte is never taken for a blank).
std::string TrimAllBlanks(std::string_view s) {
    const std::string& wide = Sj("　");
    std::size_t first = std::string_view::npos;
    std::size_t end = 0;
    for (std::size_t i = 0; i < s.size();) {
        const bool pair = text::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size();
        const std::size_t n = pair ? 2 : 1;
        const std::string_view c = s.substr(i, n);
        const bool blank = c == " " || c == wide || static_cast<unsigned char>(c[0]) < 0x20;
        if (!blank) {
            if (first == std::string_view::npos) first = i;
            end = i + n;
        }
        i += n;
    }
    if (first == std::string_view::npos) return {};
    return std::string(s.substr(first, end - first));
}

std::string VenueAndRace(const model::RaImage& ra) {
    const std::string venue(text::TrimBlanks(store::VenueName(ra.Field(layout::head::kVenue), 2)));
    const int number = ra.Int32(layout::head::kRaceNumber);
    return venue + (number == 0 ? std::string("  ") : text::Format("%2d", number)) + "R";
}

bool WorthALook(const model::TOutData& out, std::size_t s) {
    return out.WinRecommend[s] != model::kMarkNone || out.PlaceRecommend[s] != model::kMarkNone ||
           out.GetMark[s] == 1 || out.GiveMark[s] == 1 || out.NoriModori[s] != 0;
}

std::string PredictionLine(const model::RaceDay& day, int race, int slot) {
    const model::SeImage& se = day.RunnerSE(race, slot);
    const model::TOutData& out = day.OutData(race);
    const auto s = static_cast<std::size_t>(slot);
    std::vector<std::string> parts{
        analysis::HorseNumberText(se),
        TrimAllBlanks(se.Field(layout::se::kHorseName)),
        TrimAllBlanks(se.Field(layout::se::kJockeyShort)),
        analysis::PatternText(out, slot),
    };
    if (out.WinRecommend[s] != model::kMarkNone) {
        parts.push_back(Sj("単") + analysis::MarkText(out.WinRecommend[s]));
    }
    if (out.PlaceRecommend[s] != model::kMarkNone) {
        parts.push_back(Sj("複") + analysis::MarkText(out.PlaceRecommend[s]));
    }
    if (out.GetMark[s] == 1) parts.emplace_back("Get");
    if (out.GiveMark[s] == 1) parts.emplace_back("Give");
    if (out.WinOdds[s] > 0.0) parts.push_back(text::Format("%.1f", out.WinOdds[s]) + Sj("倍"));
    if (out.WinPopRank[s] >= 1) parts.push_back(std::to_string(out.WinPopRank[s]) + Sj("人気"));
    std::string line;
    for (const std::string& part : parts) {
        if (part.empty()) continue;
        if (!line.empty()) line += ' ';
        line += part;
    }
    return line;
}

}  // namespace

std::string RaceMailHeading(const model::RaImage& ra) {
    return Sj("【") + VenueAndRace(ra) + Sj("】");
}

std::vector<std::string> PredictionLines(const model::RaceDay& day, int race) {
    const model::TOutData& out = day.OutData(race);
    std::vector<std::pair<int, int>> runners;  // horse number, slot
    const int slots = analysis::EnteredSlots(day.RaceRA(race));
    for (int slot = 0; slot < slots; ++slot) {
        const int horse = day.RunnerSE(race, slot).Int32(layout::se::kHorseNumber);
        if (horse < 1 || !WorthALook(out, static_cast<std::size_t>(slot))) continue;
        // Never a line for a horse that does not run, whatever its pattern.
        if (analysis::Scratched(day, race, slot)) continue;
        runners.emplace_back(horse, slot);
    }
    std::sort(runners.begin(), runners.end());
    std::vector<std::string> lines;
    for (const auto& [horse, slot] : runners) lines.push_back(PredictionLine(day, race, slot));
    return lines;
}

std::vector<std::string> RaceMailLines(const model::RaceDay& day, int race) {
    std::vector<std::string> lines{"<<" + VenueAndRace(day.RaceRA(race)) + ">>"};
    for (std::string& line : PredictionLines(day, race)) lines.push_back(std::move(line));
    return lines;
}

std::optional<MailMessage> RaceMail(const model::RaceDay& day, int race) {
    const std::vector<std::string> lines = RaceMailLines(day, race);
    if (lines.size() <= 1) return std::nullopt;
    MailMessage m;
    m.fromName = std::string(kSenderName);
    m.subject = "-" + RaceMailHeading(day.RaceRA(race)) + "-";
    m.body = JoinLines(lines);
    return m;
}

std::vector<int> DueDeliveries(const model::RaceDay& day, std::string_view now) {
    std::vector<int> due;
    const std::string_view hhmm = text::TrimBlanks(now);
    for (int r = 0; r < model::kRaces; ++r) {
        if (day.RaceO1(r).Int(layout::head::kRaceNumber) <= 0) continue;
        if (day.State().Delivered[static_cast<std::size_t>(r)] != 0) continue;
        const std::string_view deliver = text::TrimBlanks(day.OutData(r).DeliverTime.View());
        const std::string_view post = text::TrimBlanks(day.RaceRA(r).Field(layout::ra::kPostTime));
        if (deliver.empty() || hhmm < deliver || (!post.empty() && hhmm >= post)) continue;
        due.push_back(r);
    }
    return due;
}

}  // namespace quindle::mail
