#include <array>
#include <map>

#include "core/store/codes/race_texts.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::store {
namespace {

// Race symbols are composed from the three characters of the code: who may
// run (mixed, sire-line, auction, lottery, region), which sexes, and the
// jockey condition.
struct SymbolPart {
    char c;
    std::string_view utf8;
};

constexpr SymbolPart kFirst[] = {
    {'0', ""},
    {'A', "(混合)"},
    {'B', "(父)"},
    {'C', "(市)"},
    {'D', "(抽)"},
    {'E', "[抽]"},
    {'F', "(市)(抽)"},
    {'G', "(抽)関西配布馬"},
    {'H', "(抽)関東配布馬"},
    {'I', "[抽]関西配布馬"},
    {'J', "[抽]関東配布馬"},
    {'K', "(市)(抽)関西配布馬"},
    {'L', "(市)(抽)関東配布馬"},
    {'M', "九州産馬"},
    {'N', "(国際)"},
};
constexpr SymbolPart kSecond[] = {
    {'0', ""}, {'1', "牡"}, {'2', "牝"}, {'3', "牡・ｾﾝ"}, {'4', "牡・牝"},
};
constexpr SymbolPart kThird[] = {
    {'0', ""}, {'1', "(指定)"}, {'2', "若手騎手"}, {'3', "[指定]"}, {'4', "(特指)"},
};

constexpr std::string_view kSymbolCodes[] = {
    "001", "002", "003", "004", "020", "021", "023", "024", "030", "031", "033", "034", "040",
    "041", "043", "044", "A00", "A01", "A02", "A03", "A04", "A10", "A11", "A13", "A14", "A20",
    "A21", "A23", "A24", "A30", "A31", "A33", "A34", "A40", "A41", "B00", "B01", "B03", "B04",
    "C00", "C01", "C03", "C04", "D00", "D01", "D03", "E00", "E01", "E03", "F00", "F01", "F03",
    "F04", "G00", "G01", "G03", "H00", "H01", "I00", "I01", "I03", "J00", "J01", "K00", "K01",
    "K03", "L00", "L01", "L03", "M00", "M01", "M03", "M04", "N00", "N01", "N03", "N04", "N20",
    "N21", "N23", "N24", "N30", "N31", "N40", "N41", "N44",
};

constexpr std::size_t kSymbolWidth = 24;

template <std::size_t N>
std::string_view PartOf(const SymbolPart (&parts)[N], char c) {
    for (const auto& p : parts) {
        if (p.c == c) return p.utf8;
    }
    return {};
}

std::string ComposeSymbol(std::string_view code) {
    std::string utf8;
    utf8 += PartOf(kFirst, code[0]);
    utf8 += PartOf(kSecond, code[1]);
    utf8 += PartOf(kThird, code[2]);
    return text::ToCp932(utf8);
}

const std::map<std::string_view, std::string, std::less<>>& SymbolTable() {
    static const auto table = [] {
        std::map<std::string_view, std::string, std::less<>> t;
        for (std::string_view code : kSymbolCodes) {
            t.emplace(code, text::PadRightFullWidth(ComposeSymbol(code), kSymbolWidth));
        }
        return t;
    }();
    return table;
}

}  // namespace

std::string RaceSymbolName(std::string_view code) {
    const auto& table = SymbolTable();
    auto it = table.find(code);
    if (it == table.end()) return text::PadRightFullWidth("", kSymbolWidth);
    return it->second;
}

std::span<const std::string_view> RaceSymbolCodes() {
    return kSymbolCodes;
}

}  // namespace quindle::store
