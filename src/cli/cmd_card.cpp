// quindle-cli card: the race card of one race, the cells exactly as the card
// grid shows them, optionally reordered by heading clicks.
//   --sort COL       one click on the heading of column COL (0-based); give it
//                    again for another click, in order
//   --format FORMAT  text (aligned columns, the default), tsv, json, or
//                    clipboard (the text "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ" puts on the clipboard:
//                    the four heading lines, then the grid, tab-separated, CR LF)
//   --encoding ENC   utf8 (the default) or cp932, the bytes the clipboard
//                    gets; only for --format clipboard

#include <iostream>
#include <string>
#include <vector>

#include "command.h"
#include "core/analysis/race_card.h"
#include "core/analysis/race_card_header.h"
#include "core/analysis/riding_pattern.h"
#include "core/exports/clipboard_text.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"
#include "day_options.h"
#include "text_table.h"

namespace quindle::cli {
namespace {

namespace se = store::layout::se;
using analysis::CardRow;

enum class Format { Text, Tsv, Json, Clipboard };

struct CardOptions {
    DayOptions day;
    std::vector<int> sortClicks;
    Format format = Format::Text;
    bool cp932 = false;  // --encoding cp932
    bool encodingGiven = false;
};

std::string SortableColumns() {
    std::string list;
    for (int c = 0; c < analysis::kCardColumns; ++c) {
        if (!analysis::IsSortableCardColumn(c)) continue;
        if (!list.empty()) list += ", ";
        list += std::to_string(c);
    }
    return list;
}

Result<int> SortColumn(const std::string& value) {
    const bool digits = !value.empty() && value.size() <= 2 &&
                        value.find_first_not_of("0123456789") == std::string::npos;
    const int column = digits ? std::stoi(value) : -1;
    if (!analysis::IsSortableCardColumn(column)) {
        return Error{"--sort " + value + ": the card sorts by the columns " + SortableColumns()};
    }
    return column;
}

Result<CardOptions> ParseCardOptions(const Args& args) {
    auto day = ParseDayOptions(args);
    if (!day) return Error{day.error()};
    CardOptions options;
    options.day = std::move(*day);
    const ValueOption values[] = {
        {"sort",
         [&options](const std::string& value) -> Status {
             auto column = SortColumn(value);
             if (!column) return Error{column.error()};
             options.sortClicks.push_back(*column);
             return Status::Ok();
         }},
        {"format",
         [&options](const std::string& value) -> Status {
             const std::pair<const char*, Format> formats[] = {{"text", Format::Text},
                                                               {"tsv", Format::Tsv},
                                                               {"json", Format::Json},
                                                               {"clipboard", Format::Clipboard}};
             for (const auto& [name, format] : formats) {
                 if (value == name) {
                     options.format = format;
                     return Status::Ok();
                 }
             }
             return Error{"--format is text, tsv, json or clipboard, not '" + value + "'"};
         }},
        {"encoding",
         [&options](const std::string& value) -> Status {
             if (value != "utf8" && value != "cp932") {
                 return Error{"--encoding is utf8 or cp932, not '" + value + "'"};
             }
             options.cp932 = value == "cp932";
             options.encodingGiven = true;
             return Status::Ok();
         }},
    };
    auto rest = TakeOptions(options.day.rest, values);
    if (!rest) return Error{rest.error()};
    if (!rest->empty()) return Error{"unknown argument '" + rest->front() + "'"};
    if (options.encodingGiven && options.format != Format::Clipboard) {
        return Error{"--encoding goes with --format clipboard"};
    }
    return options;
}

std::vector<std::string> Row(const CardRow& row) {
    return analysis::StandardCells(row);
}

void PrintText(const analysis::RaceHeader& header, const std::vector<CardRow>& rows) {
    std::string heading;
    for (const std::string& label : header.CardHeading()) {
        if (!heading.empty()) heading += "  ";
        heading += Shown(label);
    }
    std::cout << heading << "\n";
    std::vector<std::vector<std::string>> table{Row(analysis::CardHeadings())};
    for (const CardRow& row : rows) table.push_back(Row(row));
    for (const std::string& line : AlignColumns(table)) std::cout << line << "\n";
}

void PrintTsvRow(const CardRow& row) {
    for (size_t c = 0; c < analysis::kCardStandardColumns; ++c) {
        if (c > 0) std::cout << '\t';
        std::cout << text::ToUtf8(row[c]);
    }
    std::cout << "\n";
}

std::string JsonCells(const CardRow& row) {
    std::string out = "[";
    for (size_t c = 0; c < analysis::kCardStandardColumns; ++c) {
        if (c > 0) out += ", ";
        out += JsonString(text::ToUtf8(row[c]));
    }
    return out + "]";
}

// The cells of a row by the columns' JSON names.
std::string JsonCardCells(const CardRow& row) {
    std::string out = "{";
    for (const analysis::CardColumnSpec& column : analysis::kCardColumnTable) {
        if (column.jsonName.empty()) continue;
        if (out.size() > 1) out += ", ";
        out += JsonString(std::string(column.jsonName)) + ": " +
               JsonString(text::ToUtf8(row[static_cast<size_t>(column.id)]));
    }
    return out + "}";
}

// The model values behind a row, as JSON members.
std::string JsonRunner(const model::RaceDay& day, int race, int slot, const CardRow& row) {
    const model::SeImage& se = day.RunnerSE(race, slot);
    const model::TOutData& out = day.OutData(race);
    const auto s = static_cast<size_t>(slot);
    const auto number = [](const char* name, long long v) {
        return "\"" + std::string(name) + "\": " + std::to_string(v);
    };
    const auto real = [](const char* name, double v) {
        return "\"" + std::string(name) + "\": " + text::Format("%.1f", v);
    };
    const auto string = [](const char* name, std::string_view cp932) {
        return "\"" + std::string(name) + "\": " + JsonString(Shown(cp932));
    };
    const std::vector<std::string> members{
        number("slot", slot),
        "\"cells\": " + JsonCells(row),
        "\"card\": " + JsonCardCells(row),
        number("bracket", se.Int(se::kBracket)),
        number("horseNumber", se.Int(se::kHorseNumber)),
        string("name", se.Field(se::kHorseName)),
        string("pedigree", se.Field(se::kPedigree)),
        string("jockeyCode", se.Field(se::kJockeyCode)),
        string("jockey", se.Field(se::kJockeyShort)),
        string("trainerCode", se.Field(se::kTrainerCode)),
        string("trainer", se.Field(se::kTrainerShort)),
        string("prevJockeyCode", out.PrevJockeyCode[s].View()),
        string("prevJockey", out.PrevJockeyName[s].View()),
        number("pastRunCount", out.PastRunCount[s]),
        string("pattern", analysis::PatternText(out, slot)),
        number("tenNori", out.TenNori[s]),
        number("renzokuKijo", out.RenzokuKijo[s]),
        number("noriModori", out.NoriModori[s]),
        number("getMark", out.GetMark[s]),
        number("giveMark", out.GiveMark[s]),
        number("winRecommend", out.WinRecommend[s]),
        number("placeRecommend", out.PlaceRecommend[s]),
        real("winOdds", out.WinOdds[s]),
        number("winPopRank", out.WinPopRank[s]),
        real("placeOddsLow", out.PlaceOddsLow[s]),
        real("placeOddsHigh", out.PlaceOddsHigh[s]),
        number("placePopRank", out.PlacePopRank[s]),
        number("classMove", out.ClassMove[s]),
        number("tracked", out.Tracked[s]),
        number("finish", se.Int(se::kFinish)),
        number("popularity", se.Int(se::kWinPopularity)),
        number("finalOddsTenths", se.Int(se::kWinOdds)),
    };
    std::string json = "    {";
    for (size_t i = 0; i < members.size(); ++i) json += (i > 0 ? ", " : "") + members[i];
    return json + "}";
}

void PrintJson(const analysis::RaceHeader& header, const model::RaceDay& day, int race,
               const std::vector<CardRow>& rows, const std::vector<int>& slots) {
    std::cout << "{\n  \"race\": " << race << ",\n  \"header\": [";
    const auto labels = header.CardHeading();
    for (size_t i = 0; i < labels.size(); ++i) {
        std::cout << (i > 0 ? ", " : "") << JsonString(Shown(labels[i]));
    }
    std::cout << "],\n  \"columns\": " << JsonCells(analysis::CardHeadings())
              << ",\n  \"runners\": [\n";
    for (size_t i = 0; i < rows.size(); ++i) {
        std::cout << JsonRunner(day, race, slots[i], rows[i]) << (i + 1 < rows.size() ? "," : "")
                  << "\n";
    }
    std::cout << "  ]\n}\n";
}

int RunCard(const Args& args) {
    auto options = ParseCardOptions(args);
    if (!options) return Fail(options.error());
    auto loaded = OpenDay(options->day, /*needRace=*/true);
    if (!loaded) return Fail(loaded.error());
    const model::RaceDay& day = *loaded->day;
    const int race = loaded->race;

    std::vector<CardRow> rows = analysis::CardRows(day, race);
    std::vector<int> slots(rows.size());
    for (size_t i = 0; i < slots.size(); ++i) slots[i] = static_cast<int>(i);
    analysis::CardSortState sort;  // as after showing the race
    for (int column : options->sortClicks) {
        sort.Click(column);
        const std::vector<int> order = analysis::CardSortOrder(rows, sort);
        std::vector<CardRow> sortedRows;
        std::vector<int> sortedSlots;
        for (int i : order) {
            sortedRows.push_back(rows[static_cast<size_t>(i)]);
            sortedSlots.push_back(slots[static_cast<size_t>(i)]);
        }
        rows = std::move(sortedRows);
        slots = std::move(sortedSlots);
    }

    const analysis::RaceHeader header = analysis::RaceHeaderOf(day, race);
    switch (options->format) {
        case Format::Text:
            PrintText(header, rows);
            break;
        case Format::Tsv:
            PrintTsvRow(analysis::CardHeadings());
            for (const CardRow& row : rows) PrintTsvRow(row);
            break;
        case Format::Json:
            PrintJson(header, day, race, rows, slots);
            break;
        case Format::Clipboard: {
            const std::string text = exports::CardClipboardText(header, rows);
            std::cout << (options->cp932 ? text : text::ToUtf8(text));
            break;
        }
    }
    return 0;
}

const CommandRegistration kRegistration({
    "card",
    "[--home DIR] --day DATE --race RACE [--sort COL]... [--format text|tsv|json|clipboard] "
    "[--encoding utf8|cp932] [--strict]",
    "print the race card (出馬表) of a race; each --sort COL is one click on the heading of "
    "column COL",
    RunCard,
});

}  // namespace
}  // namespace quindle::cli
