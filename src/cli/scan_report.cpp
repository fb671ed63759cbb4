#include "scan_report.h"

#include <cstdio>
#include <iostream>

#include "core/load/day_files.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"
#include "day_options.h"
#include "stderr_progress.h"
#include "text_table.h"

namespace quindle::cli {
namespace {

std::string Percent(double v) {
    return text::Format("%.1f", v);
}

void AddRate(std::vector<std::string>& cells, const analysis::RateEstimate& r) {
    cells.push_back(Percent(r.low));
    cells.push_back(Percent(r.high));
}

}  // namespace

Result<int> ParsePeriodDate(const std::string& value) {
    std::string digits;
    if (auto ymd = load::YmdOfDateText(value)) {
        digits = *ymd;
    } else {
        for (char c : value) {
            if (c != '-' && c != '/') digits += c;
        }
    }
    const bool eightDigits =
        digits.size() == 8 && digits.find_first_not_of("0123456789") == std::string::npos;
    const int ymd = eightDigits ? std::stoi(digits) : 0;
    const int month = ymd / 100 % 100;
    const int day = ymd % 100;
    if (!eightDigits || month < 1 || month > 12 || day < 1 || day > 31) {
        return Error{"'" + value + "' is no date (20250105, 2025-01-05 or 2025年01月05日)"};
    }
    return ymd;
}

Result<ScanOptions> ParseScanOptions(const Args& args, std::span<const ValueOption> extra) {
    ScanOptions options;
    std::string from;
    std::string to;
    std::vector<ValueOption> values{
        StoreOption("home", options.home),
        StoreOption("from", from),
        StoreOption("to", to),
        {"format",
         [&options](const std::string& value) -> Status {
             const std::pair<const char*, ReportFormat> formats[] = {{"text", ReportFormat::Text},
                                                                     {"tsv", ReportFormat::Tsv},
                                                                     {"json", ReportFormat::Json}};
             for (const auto& [name, format] : formats) {
                 if (value == name) {
                     options.format = format;
                     return Status::Ok();
                 }
             }
             return Error{"--format is text, tsv or json, not '" + value + "'"};
         }},
    };
    values.insert(values.end(), extra.begin(), extra.end());
    auto rest = TakeOptions(args, values);
    if (!rest) return Error{rest.error()};
    if (!rest->empty()) return Error{"unknown argument '" + rest->front() + "'"};
    if (from.empty() || to.empty()) return Error{"--from DATE and --to DATE are needed"};
    auto fromDate = ParsePeriodDate(from);
    if (!fromDate) return Error{"--from: " + fromDate.error()};
    auto toDate = ParsePeriodDate(to);
    if (!toDate) return Error{"--to: " + toDate.error()};
    if (*fromDate > *toDate) return Error{"--from is after --to"};
    options.from = *fromDate;
    options.to = *toDate;
    return options;
}

Result<load::HistoryScan> RunScan(const ScanOptions& options, std::filesystem::path* programFolder,
                                  load::TrioOdds trioOdds) {
    auto session = OpenSession(options.home);
    if (!session) return Error{session.error()};
    if (programFolder) *programFolder = session->ProgramFolder();
    StderrProgress progress;
    auto scan =
        load::ScanHistory(session->ProgramFolder(), options.from, options.to, progress, trioOdds);
    if (!scan) return scan;
    for (const std::string& problem : scan->problems) {
        std::fprintf(stderr, "quindle-cli: %s\n", problem.c_str());
    }
    return scan;
}

RateTable PatternTable(std::span<const analysis::GroupTally> groups) {
    RateTable table;
    table.columns = {"runners",
                     "wins",
                     "places",
                     "win_hit",
                     "place_hit",
                     "win_return",
                     "place_return",
                     "win_hit_low",
                     "win_hit_high",
                     "place_hit_low",
                     "place_hit_high",
                     "win_return_low",
                     "win_return_high",
                     "place_return_low",
                     "place_return_high",
                     "win_tickets",
                     "place_tickets"};
    for (const analysis::GroupTally& g : groups) {
        const analysis::BetTally& t = g.tally;
        RateTable::Row row{g.group, {}};
        auto& c = row.cells;
        c.push_back(std::to_string(t.runners));
        c.push_back(std::to_string(t.win.hits));
        c.push_back(std::to_string(t.place.hits));
        c.push_back(Percent(t.WinHit().value));
        c.push_back(Percent(t.PlaceHit().value));
        c.push_back(Percent(t.win.Return().value));
        c.push_back(Percent(t.place.Return().value));
        AddRate(c, t.WinHit());
        AddRate(c, t.PlaceHit());
        AddRate(c, t.win.Return());
        AddRate(c, t.place.Return());
        c.push_back(std::to_string(t.win.tickets));
        c.push_back(std::to_string(t.place.tickets));
        table.rows.push_back(std::move(row));
    }
    return table;
}

void PrintRateTable(const RateTable& table, ReportFormat format) {
    switch (format) {
        case ReportFormat::Tsv: {
            std::cout << "group";
            for (const auto& c : table.columns) std::cout << '\t' << c;
            std::cout << "\n";
            for (const auto& row : table.rows) {
                std::cout << row.group;
                for (const auto& cell : row.cells) std::cout << '\t' << cell;
                std::cout << "\n";
            }
            return;
        }
        case ReportFormat::Json: {
            std::cout << "[\n";
            for (size_t r = 0; r < table.rows.size(); ++r) {
                const auto& row = table.rows[r];
                std::cout << "  {\"group\": " << JsonString(row.group);
                for (size_t c = 0; c < row.cells.size(); ++c) {
                    std::cout << ", \"" << table.columns[c] << "\": " << row.cells[c];
                }
                std::cout << (r + 1 < table.rows.size() ? "},\n" : "}\n");
            }
            std::cout << "]\n";
            return;
        }
        case ReportFormat::Text:
            break;
    }
    // Text: each rate with its interval in one cell, "12.3 [10.1-14.8]".
    const auto index = [&table](const std::string& name) -> int {
        for (size_t c = 0; c < table.columns.size(); ++c) {
            if (table.columns[c] == name) return static_cast<int>(c);
        }
        return -1;
    };
    std::vector<bool> folded(table.columns.size(), false);
    std::vector<std::pair<int, int>> bounds(table.columns.size(), {-1, -1});
    for (size_t c = 0; c < table.columns.size(); ++c) {
        const int low = index(table.columns[c] + "_low");
        const int high = index(table.columns[c] + "_high");
        if (low < 0 || high < 0) continue;
        bounds[c] = {low, high};
        folded[static_cast<size_t>(low)] = folded[static_cast<size_t>(high)] = true;
    }
    std::vector<std::vector<std::string>> grid{{"group"}};
    for (size_t c = 0; c < table.columns.size(); ++c) {
        if (!folded[c]) grid.front().push_back(table.columns[c]);
    }
    for (const auto& row : table.rows) {
        std::vector<std::string> cells{text::ToCp932(row.group)};
        for (size_t c = 0; c < row.cells.size(); ++c) {
            if (folded[c]) continue;
            const auto [low, high] = bounds[c];
            cells.push_back(low < 0 ? row.cells[c]
                                    : row.cells[c] + " [" + row.cells[static_cast<size_t>(low)] +
                                          "-" + row.cells[static_cast<size_t>(high)] + "]");
        }
        grid.push_back(std::move(cells));
    }
    for (const std::string& line : AlignColumns(grid)) std::cout << line << "\n";
}

}  // namespace quindle::cli
