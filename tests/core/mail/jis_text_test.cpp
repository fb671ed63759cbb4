#include "core/mail/jis_text.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <iconv.h>
#endif

#include <string>
#include <vector>

#include "core/text/cp932.h"

namespace quindle::mail {
namespace {

using text::Sj;

const std::string kIn = "\x1B$B";
const std::string kOut = "\x1B(J";

#if !defined(_WIN32)  // iconv is the reference, and Linux has it

// iconv's ISO-2022-JP form of CP932 `bytes`, or nothing when it has none.
std::optional<std::string> IconvJis(iconv_t cd, const std::string& bytes) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in[8];
    char out[32];
    bytes.copy(in, bytes.size());
    char* src = in;
    char* dst = out;
    size_t srcLeft = bytes.size();
    size_t dstLeft = sizeof out;
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) return {};
    if (iconv(cd, nullptr, nullptr, &dst, &dstLeft) == static_cast<size_t>(-1)) return {};
    return std::string(out, static_cast<size_t>(dst - out));
}

// Every Shift_JIS code of the JIS X 0208 rows (leads 0x81-0xEA; not the NEC
// special characters of lead 0x87, which CP932 puts outside JIS X 0208)
// that iconv's ISO-2022-JP can write gives the same JIS bytes, the run closed
// by ESC ( J where iconv writes ESC ( B.
TEST(ToJisText, AgreesWithIconvOnEveryJisX0208Character) {
    iconv_t cd = iconv_open("ISO-2022-JP", "CP932");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    int compared = 0;
    for (int lead = 0x81; lead <= 0xEA; ++lead) {
        if ((lead >= 0xA0 && lead < 0xE0) || lead == 0x87) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            const std::string sjis{static_cast<char>(lead), static_cast<char>(trail)};
            const std::optional<std::string> expected = IconvJis(cd, sjis);
            if (!expected || expected->size() != 8 || expected->substr(0, 3) != kIn) continue;
            ++compared;
            ASSERT_EQ(ToJisText(sjis), expected->substr(0, 5) + kOut)
                << std::hex << lead << " " << trail;
        }
    }
    iconv_close(cd);
    // JIS X 0208 has 6879 characters; a few CP932 maps to other code points.
    EXPECT_GT(compared, 6800);
}

#endif  // !_WIN32

TEST(ToJisText, Cases) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"", ""},
        {"abc 123", "abc 123"},
        {Sj("[Starling]テスト送信"), "[Starling]" + kIn + "%F%9%HAw?." + kOut},
        // Half-width katakana: the full-width character, voiced marks apart.
        {Sj("ｶﾞ"), kIn + "%+!+" + kOut},
        {Sj("｡ｱﾝﾟ"), kIn + "!#%\"%s!," + kOut},
        {Sj("aｱb"), "a" + kIn + "%\"" + kOut + "b"},
        // Other high bytes, a lead byte without a trail byte, and rows that
        // have no 7-bit JIS form become "?".
        {"\x80\xA0\xFD\xFE\xFF", "?????"},
        {"x\x82", "x?"},
        {"\x82 ", "? "},
        {Sj("あ") + "\x82", kIn + "$\"" + kOut + "?"},
        {"\xF0\x40", "?"},
        // Line breaks leave Japanese mode, so every line ends in ASCII.
        {Sj("あ\r\nい"), kIn + "$\"" + kOut + "\r\n" + kIn + "$$" + kOut},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToJisText(c.in), c.out) << text::ToUtf8(c.in);
    }
}

// Every double-byte CP932 character the encoder writes as JIS (the JIS X 0208
// rows and the NEC rows that share their 7-bit range) and every ASCII
// character decodes back to what the CP932 text says.
TEST(JisTextToUtf8, DecodesBackEverythingTheEncoderWrites) {
    int compared = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead < 0xE0) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            const std::string sjis{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string jis = ToJisText(sjis);
            if (jis.rfind(kIn, 0) != 0) continue;
            ++compared;
            ASSERT_EQ(JisTextToUtf8(jis), text::ToUtf8(sjis)) << std::hex << lead << " " << trail;
        }
    }
    EXPECT_GT(compared, 8000);
    std::string ascii;
    for (char c = 0x20; c < 0x7F; ++c) ascii += c;
    ascii += "\t\r\n";
    EXPECT_EQ(JisTextToUtf8(ToJisText(ascii)), ascii);
}

TEST(JisTextToUtf8, Cases) {
    const std::string kFffd = "\xEF\xBF\xBD";
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"", ""},
        {"a\\b~", "a\\b~"},
        // Both JIS X 0208 escapes, both ways back to one-byte text.
        {"x" + kIn + "%F%9%H" + kOut + "y\x1B$@$\"\x1B(Bz", "xテストyあz"},
        // A run left open at the end, and a line break inside one.
        {kIn + "$\"\r\n$$", "あ\r\nい"},
        // JIS X 0201 katakana stay half-width.
        {"\x1B(I1]\x1B(B!", "ｱﾝ!"},
        // What cannot be read: a cut-off character, a high byte, an unknown
        // escape (skipped whole), and a byte outside the katakana range.
        {kIn + "$\"$", "あ" + kFffd},
        {"a\x80"
         "b",
         "a" + kFffd + "b"},
        {"a\x1B$(Db", "a" + kFffd + "b"},
        {"\x1B(Ia", kFffd},
    };
    for (const auto& c : cases) EXPECT_EQ(JisTextToUtf8(c.in), c.out) << c.in;
}

TEST(Base64, RfcVectors) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {"\xFB\xFF\xBF", "+/+/"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(Base64(in), out) << in;
}

TEST(EncodeMimeWord, EncodesEachEscapedRun) {
    const std::string run = kIn + "%F%9%H" + kOut;
    const std::string oldRun = "\x1B$@%F\x1B(B";
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"[Starling]", "[Starling]"},
        {run, "=?ISO-2022-JP?B?" + Base64(run) + "?="},
        {"a" + run + "b" + oldRun,
         "a=?ISO-2022-JP?B?" + Base64(run) + "?=b=?ISO-2022-JP?B?" + Base64(oldRun) + "?="},
        // A run left open is encoded up to the end.
        {"x" + kIn + "%F", "x=?ISO-2022-JP?B?" + Base64(kIn + "%F") + "?="},
    };
    for (const auto& c : cases) EXPECT_EQ(EncodeMimeWord(c.in), c.out);
}

TEST(EncodeHeaderText, WordsFitAndDecodeBack) {
    EXPECT_EQ(EncodeHeaderText("plain subject"), "plain subject");
    const std::string utf8 =
        "-【中山11R】- とても長い件名で一つの符号化語には収まらないｶﾀｶﾅと ASCII を含む";
    const std::string encoded = EncodeHeaderText(Sj(utf8));
    size_t start = 0;
    int words = 0;
    while (start < encoded.size()) {
        size_t end = encoded.find("\r\n ", start);
        if (end == std::string::npos) end = encoded.size();
        const std::string word = encoded.substr(start, end - start);
        EXPECT_LE(word.size(), 75u) << word;
        EXPECT_EQ(word.rfind("=?ISO-2022-JP?B?", 0), 0u) << word;
        ++words;
        start = end + 3;
    }
    EXPECT_GT(words, 1);
    // Half-width katakana come back full-width.
    EXPECT_EQ(DecodeHeaderText(encoded),
              "-【中山11R】- とても長い件名で一つの符号化語には収まらないカタカナと ASCII を含む");
}

}  // namespace
}  // namespace quindle::mail
