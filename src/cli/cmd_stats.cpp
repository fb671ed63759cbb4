// quindle-cli stats: the summary ("計算" of the statistics tab) of a
// statistics comma file: per rank position of two rankings the wins, first
// two and first three, their rates and the average payouts.
//   --format FORMAT  text (aligned columns, the default), tsv or json

#include <iostream>
#include <string>
#include <vector>

#include "command.h"
#include "core/stats/rank_summary.h"
#include "core/text/cp932.h"
#include "core/util/utf8_path.h"
#include "text_table.h"

namespace quindle::cli {
namespace {

enum class Format { Text, Tsv, Json };

Status ParseFormat(const std::string& value, Format& format) {
    const std::pair<const char*, Format> formats[] = {
        {"text", Format::Text}, {"tsv", Format::Tsv}, {"json", Format::Json}};
    for (const auto& [name, f] : formats) {
        if (value == name) {
            format = f;
            return Status::Ok();
        }
    }
    return Error{"--format is text, tsv or json, not '" + value + "'"};
}

void PrintJson(const stats::RankSummary& summary) {
    std::cout << "{\n  \"countedRaces\": " << summary.countedRaces << ",\n  \"rows\": [\n";
    for (std::size_t r = 0; r < summary.grid.size(); ++r) {
        std::cout << "    [";
        const auto& row = summary.grid[r];
        for (std::size_t c = 0; c < row.size(); ++c) {
            std::cout << (c > 0 ? ", " : "") << JsonString(text::ToUtf8(row[c]));
        }
        std::cout << "]" << (r + 1 < summary.grid.size() ? "," : "") << "\n";
    }
    std::cout << "  ]\n}\n";
}

int RunStats(const Args& args) {
    Format format = Format::Text;
    const ValueOption values[] = {
        {"format", [&format](const std::string& value) { return ParseFormat(value, format); }}};
    auto rest = TakeOptions(args, values);
    if (!rest) return Fail(rest.error());
    if (rest->size() != 1) return Fail("name one statistics file");
    auto data = stats::LoadStatsFile(PathFromUtf8(rest->front()));
    if (!data) return Fail(data.error());
    auto summary = stats::ComputeRankSummary(*data);
    if (!summary) return Fail(summary.error());

    switch (format) {
        case Format::Text: {
            // The blank rows below the second ranking are left out.
            std::vector<std::vector<std::string>> table;
            for (int r = 0; r < stats::kSecondRankingRow + stats::kBlockRows; ++r) {
                const auto& row = summary->grid[static_cast<std::size_t>(r)];
                table.emplace_back(row.begin(), row.end());
            }
            for (const std::string& line : AlignColumns(table)) std::cout << line << "\n";
            break;
        }
        case Format::Tsv:
            for (const auto& row : summary->grid) {
                for (std::size_t c = 0; c < row.size(); ++c) {
                    std::cout << (c > 0 ? "\t" : "") << text::ToUtf8(row[c]);
                }
                std::cout << "\n";
            }
            break;
        case Format::Json:
            PrintJson(*summary);
            break;
    }
    return 0;
}

const CommandRegistration kRegistration({
    "stats",
    "FILE [--format text|tsv|json]",
    "print the rank statistics summary (統計 › 計算) of a statistics comma file",
    RunStats,
});

}  // namespace
}  // namespace quindle::cli
