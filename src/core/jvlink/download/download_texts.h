#pragma once
// Texts and times of the accumulated download: the from-time in its two
// spellings, the dialog's start values, the progress texts and the
// "作成データ" line telling what was stored last. Every text is UTF-8.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/env/settings_file.h"
#include "core/store/files/record_writers.h"
#include "core/util/local_time.h"

namespace quindle::jvlink {

// The dialog's fixed texts.
namespace download_text {
inline constexpr std::string_view kCaption = "ＪＶデータ取込";
inline constexpr std::string_view kNoNewData = "最新のデータがありません。";
// JV-Link has nothing to serve at all (the substitute's store is empty): no
// from-time would find anything.
inline constexpr std::string_view kNoSource =
    "データの取得元がありません。JV-Linkの設定（利用キーとデータの取得元）を確かめてください。";
inline constexpr std::string_view kOpenOk = "JVOpen正常:";
inline constexpr std::string_view kDownloadStarted = "ダウンロード中・・・";
inline constexpr std::string_view kEndOfFile = "JVRead EndOfFile :";
inline constexpr std::string_view kCompleted = "データ作成が完了しました。";
inline constexpr std::string_view kCancelQuestion = "データ取込を中止します。実行しますか？";
inline constexpr std::string_view kCancelled = "JVCancel:キャンセルされました";
inline constexpr std::string_view kOpenError = "JVOpenエラー:";
inline constexpr std::string_view kStatusError = "JVStatusエラー:";
inline constexpr std::string_view kReadError = "JVReadエラー:";
inline constexpr std::string_view kCloseError = "JVCloseエラー:";
inline constexpr std::string_view kSetUIPropertiesError = "JVSetUIPropertiesエラー：";
}  // namespace download_text

// "yyyymmddhhnnss" as "yyyy/mm/dd hh:nn:ss" (how "LastTime" stores it).
std::string FromTimeDisplay(std::string_view time14);

// "yyyy/mm/dd hh:nn:ss" back to "yyyymmddhhnnss"; nothing for text that is
// not a valid date and time in that spelling.
std::optional<std::string> FromTimeDigits(std::string_view display);

// A time stamp JV-Link gave for the newest file: 14 digits, not all zero.
bool IsFileTimestamp(std::string_view text);

// `t` as "yyyymmddhhnnss".
std::string TimeDigits(const LocalDateTime& t);

// `t` moved back by `days` calendar days.
LocalDateTime DaysBefore(const LocalDateTime& t, int days);

// What the download dialog starts with: the from-time and whether the set-up
// option is ticked.
struct DownloadDefaults {
    std::string fromTime;  // "yyyymmddhhnnss"
    bool setup = false;
};

// "LastTime" when it holds a time; otherwise `now` minus 1000 days and the
// set-up option ticked (a first download is a set-up download).
DownloadDefaults DownloadDialogDefaults(const env::SettingsFile& settings,
                                        const LocalDateTime& now);

// The question before the start: the from-time in words and the request to
// leave the computer alone while the data are made.
// The hint after "nothing new" when the from-time (`time14`) lies after the
// clock: a "LastTime" in the future hides every newer file.
std::string FromTimeInFutureText(std::string_view time14);

std::string StartConfirmationText(std::string_view time14);

// Progress texts.
std::string ReadCountText(int readCount, int downloadCount);
std::string DownloadingText(int downloaded, int downloadCount);
std::string ReadingText(int filesPassed, int readCount);
std::string ReadDoneText(int filesPassed, int readCount);
// While the records read are written to the local files.
std::string StoringText(size_t stored, size_t total);

// The "作成データ" text after `record` was stored by `row` into `file`;
// empty for rows that have no text of their own.
std::string MkDataLabelText(store::WriterRow row, std::string_view record,
                            const std::filesystem::path& file);

}  // namespace quindle::jvlink
