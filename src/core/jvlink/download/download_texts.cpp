#include "core/jvlink/download/download_texts.h"

#include <chrono>

#include "core/store/codes.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::jvlink {
namespace {

namespace head = store::layout::head;
using store::WriterRow;
using text::FieldAt;
using text::Sj;

// Days back from the present time that a first download starts at.
constexpr int kFirstDownloadDays = 1000;

bool AllDigits(std::string_view s) {
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// A valid calendar date and time of day.
bool ValidTime(int y, int mo, int d, int h, int mi, int s) {
    using namespace std::chrono;
    const year_month_day ymd{year{y}, month{static_cast<unsigned>(mo)},
                             day{static_cast<unsigned>(d)}};
    return ymd.ok() && h >= 0 && h < 24 && mi >= 0 && mi < 60 && s >= 0 && s < 60;
}

// year "年" month "月" day "日" of a race record (CP932).
std::string DateInWords(std::string_view r) {
    return std::string(FieldAt(r, head::kYear)) + Sj("年") + std::string(FieldAt(r, head::kMonth)) +
           Sj("月") + std::string(FieldAt(r, head::kDay)) + Sj("日");
}
// year "/" month "/" day of a race record.
std::string DateWithSlashes(std::string_view r) {
    return std::string(FieldAt(r, head::kYear)) + "/" + std::string(FieldAt(r, head::kMonth)) +
           "/" + std::string(FieldAt(r, head::kDay));
}
// Venue name and race number, "中山11".
std::string VenueRace(std::string_view r) {
    return store::VenueName(FieldAt(r, head::kVenue), 2) +
           std::string(FieldAt(r, head::kRaceNumber));
}
// "R/" then the circled horse number and the horse name of an SE record.
std::string Runner(std::string_view r) {
    namespace se = store::layout::se;
    return "R/" + store::CircledNumberText(FieldAt(r, se::kHorseNumber)) +
           std::string(FieldAt(r, se::kHorseName));
}

}  // namespace

std::string FromTimeDisplay(std::string_view t) {
    if (t.size() < 14) return std::string(t);
    std::string out;
    out.reserve(19);
    out.append(t.substr(0, 4)).append("/").append(t.substr(4, 2)).append("/");
    out.append(t.substr(6, 2)).append(" ").append(t.substr(8, 2)).append(":");
    out.append(t.substr(10, 2)).append(":").append(t.substr(12, 2));
    return out;
}

std::optional<std::string> FromTimeDigits(std::string_view d) {
    d = text::TrimBlanks(d);
    if (d.size() != 19 || d[4] != '/' || d[7] != '/' || d[10] != ' ' || d[13] != ':' ||
        d[16] != ':') {
        return std::nullopt;
    }
    std::string digits;
    for (size_t at : {0, 5, 8, 11, 14, 17}) {
        const size_t len = at == 0 ? 4 : 2;
        digits.append(d.substr(at, len));
    }
    if (!AllDigits(digits)) return std::nullopt;
    auto n = [&](size_t at, size_t len) { return text::ReadInt32(digits.substr(at, len)); };
    if (!ValidTime(n(0, 4), n(4, 2), n(6, 2), n(8, 2), n(10, 2), n(12, 2))) return std::nullopt;
    return digits;
}

bool IsFileTimestamp(std::string_view t) {
    t = text::TrimBlanks(t);
    return t.size() == 14 && AllDigits(t) && t != "00000000000000";
}

std::string TimeDigits(const LocalDateTime& t) {
    return text::Format("%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute,
                        t.second);
}

LocalDateTime DaysBefore(const LocalDateTime& t, int days) {
    using namespace std::chrono;
    const sys_days date = year_month_day{year{t.year}, month{static_cast<unsigned>(t.month)},
                                         day{static_cast<unsigned>(t.day)}};
    const year_month_day back{date - std::chrono::days{days}};
    LocalDateTime out = t;
    out.year = static_cast<int>(back.year());
    out.month = static_cast<int>(static_cast<unsigned>(back.month()));
    out.day = static_cast<int>(static_cast<unsigned>(back.day()));
    return out;
}

DownloadDefaults DownloadDialogDefaults(const env::SettingsFile& settings,
                                        const LocalDateTime& now) {
    const std::string stored = settings.Read(env::settings::kDownloadLastTime);
    if (auto digits = FromTimeDigits(stored)) return {*digits, false};
    // No time stored (or one that cannot be a time): a first download.
    return {TimeDigits(DaysBefore(now, kFirstDownloadDays)), true};
}

std::string FromTimeInFutureText(std::string_view time14) {
    return "取得開始日時 " + FromTimeDisplay(time14) +
           " が現在より後です。設定ファイルの [JvDataGet] LastTime を確かめてください。";
}

std::string StartConfirmationText(std::string_view t) {
    if (t.size() < 14) return std::string(t);
    std::string out;
    out.append(t.substr(0, 4)).append("年").append(t.substr(4, 2)).append("月");
    out.append(t.substr(6, 2)).append("日").append(t.substr(8, 2)).append("時");
    out.append(t.substr(10, 2)).append("分").append(t.substr(12, 2)).append("秒");
    out.append(
        "以降のデータ取込を開始します。データ作成が終了するまで本ソフトを操作したり他のアプリケー"
        "ションを操作することは極力避けてください。");
    return out;
}

std::string ReadCountText(int readCount, int downloadCount) {
    return "ReadCount:" + std::to_string(readCount) +
           ", DownloadCount:" + std::to_string(downloadCount);
}

std::string DownloadingText(int downloaded, int downloadCount) {
    return "ダウンロード中．．．(" + std::to_string(downloaded) + "/" +
           std::to_string(downloadCount) + ")";
}

std::string ReadingText(int filesPassed, int readCount) {
    return "データ読込み中．．．(" + std::to_string(filesPassed) + "/" + std::to_string(readCount) +
           ")";
}

std::string StoringText(size_t stored, size_t total) {
    return "ファイル保存中．．．(" + std::to_string(stored) + "/" + std::to_string(total) + ")";
}

std::string ReadDoneText(int filesPassed, int readCount) {
    return "データ読込み完了(" + std::to_string(filesPassed) + "/" + std::to_string(readCount) +
           ")";
}

std::string MkDataLabelText(WriterRow row, std::string_view r, const std::filesystem::path& file) {
    std::string sj;
    switch (row) {
        case WriterRow::DownloadRa:
            sj = Sj("開催:") + DateInWords(r) + VenueRace(r) + "R";
            break;
        case WriterRow::DownloadSeDay:
            sj = Sj("馬毎:") + VenueRace(r) + Runner(r);
            break;
        case WriterRow::DownloadSeHistory:
            sj = Sj("過去走:") + DateWithSlashes(r) + VenueRace(r) + Runner(r);
            break;
        case WriterRow::DownloadHr:
            sj = Sj("払戻:") + DateInWords(r) + VenueRace(r) + "R";
            break;
        case WriterRow::DownloadFinalOdds: {
            const bool win = FieldAt(r, head::kRecordType) == "O1";
            sj = Sj(win ? "単勝確定ｵｯｽﾞ:" : "3連複確定ｵｯｽﾞ:") +
                 std::string(FieldAt(r, head::kRaceNumber)) + "R/";
            return text::ToUtf8(sj) + file.filename().string();
        }
        default:
            return {};
    }
    return text::ToUtf8(sj);
}

}  // namespace quindle::jvlink
