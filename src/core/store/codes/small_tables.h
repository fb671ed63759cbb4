#pragma once
// The small code tables of race, horse, person and result codes. Every
// operation takes the code as it stands in the record (CP932 bytes) and
// returns CP932 text; what an unknown code gives is noted with each.

#include <string>
#include <string_view>

namespace quindle::store {

// Race: weight rule ("ﾊﾝﾃﾞ", "別定", ...; empty otherwise).
std::string WeightTypeName(std::string_view code);
// Race: weekday of a meeting day, the code read as a number (0 "　", 1 "土",
// ... 8 "金"). Any other number leaves the caller's text as it was: the
// result is `unchanged`.
std::string WeekdayName(std::string_view code, std::string_view unchanged = {});
// Race: weather ("晴", "曇", ...; empty otherwise).
std::string WeatherName(std::string_view code);
// Race: going; style 0 "良", style 1 "芝:良", style 2 "ダ:良"; empty otherwise.
std::string GoingName(std::string_view code, int style);
// Race: track and direction, the code read as a number ("芝 右回り 外回り").
std::string TrackName(std::string_view code);
// Race: surface and direction in two characters ("芝左", "ダ右", "障害").
std::string TrackShortName(std::string_view code);

// Horse: sex ("牡", "牝", "ｾﾝ"; empty otherwise).
std::string SexName(std::string_view code);
// Person: sex ("男", "女"; "　" otherwise).
std::string PersonSexName(std::string_view code);
// Horse: breed ("サラ", "アラブ", ...; empty otherwise).
std::string BreedName(std::string_view code);
// Horse: coat colour ("栗毛", "鹿毛", ...; "－" otherwise).
std::string CoatColourName(std::string_view code);
// Horse: origin and auction marks, the code read as a number ("(市)(地)";
// "　" otherwise).
std::string HorseSymbolName(std::string_view code);

// Jockey and trainer: stable region ("美浦", "栗東", "招待"; "－" otherwise).
std::string AffiliationName(std::string_view code);
// Jockey: licence ("平・障", "平地", "障害"; "－" otherwise).
std::string JockeyKindName(std::string_view code);
// Jockey: apprentice allowance with its mark ("1kg減(☆)"; "－" otherwise).
std::string ApprenticeName(std::string_view code);
// Jockey: apprentice allowance alone ("1kg減"; "　" otherwise).
std::string ApprenticeReduction(std::string_view code);

// Result: abnormality of a runner ("出走取消", "失格", ...) in 8 bytes; 8
// half-width blanks for a normal finish.
std::string AbnormalityName(std::string_view code);
// Result: margin to the horse in front ("1_1/2馬身", "ハナ"), the code trimmed
// first, padded with half-width blanks to 9 bytes; 9 blanks otherwise.
std::string MarginName(std::string_view code);
// Result: a set flag as "○", anything else "－".
std::string FlagMark(std::string_view code);
// Horse number as a circled digit "①" to "⑱"; "－" for other numbers.
std::string CircledNumberText(std::string_view text);

}  // namespace quindle::store
