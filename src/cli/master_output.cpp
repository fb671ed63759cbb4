#include "master_output.h"

#include <iostream>

#include "core/text/cp932.h"
#include "core/text/fields.h"
#include "day_options.h"
#include "text_table.h"

namespace quindle::cli {
namespace {

using masterdata::ViewItem;

const char* KindName(ViewItem::Kind kind) {
    switch (kind) {
        case ViewItem::Kind::kHeading:
            return "heading";
        case ViewItem::Kind::kSubHeading:
            return "subheading";
        case ViewItem::Kind::kLine:
            return "line";
    }
    return "";
}

void PrintItems(const std::vector<ViewItem>& items) {
    for (const ViewItem& item : items) {
        switch (item.kind) {
            case ViewItem::Kind::kHeading:
                std::cout << Shown(item.text) << "\n";
                break;
            case ViewItem::Kind::kSubHeading:
                std::cout << " " << Shown(item.text) << "\n";
                break;
            case ViewItem::Kind::kLine:
                std::cout << "    " << Shown(item.text) << "\n";
                break;
        }
    }
}

std::string JsonItems(const std::vector<ViewItem>& items, const std::string& indent) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        const ViewItem& item = items[i];
        out += (i > 0 ? ",\n" : "\n") + indent + "  {\"kind\": " + JsonString(KindName(item.kind));
        if (!item.name.empty()) out += ", \"name\": " + JsonString(item.name);
        out += ", \"text\": " + JsonString(Shown(item.text)) + "}";
    }
    return out + "\n" + indent + "]";
}

std::string JsonField(const char* name, const std::string& cp932) {
    return std::string("\"") + name + "\": " + JsonString(Shown(cp932));
}

std::string JsonCells(const std::array<std::string, masterdata::kPastRunColumns>& cells) {
    std::string out = "[";
    for (std::size_t c = 0; c < cells.size(); ++c) {
        out += (c > 0 ? ", " : "") + JsonString(Shown(cells[c]));
    }
    return out + "]";
}

// The six lines of a run's 過去走2 block.
std::vector<std::string> BlockLines(const masterdata::PastRunDetail& d) {
    return {Shown(d.blockTitle),
            Shown(d.Labelkaisai),
            Shown(d.Labelcource),
            Shown(d.LabelUma),
            Shown(d.Labeluma2),
            Shown(d.Label3Dj12) + "  " + Shown(d.Label3Dj14) + "  " + Shown(d.Label3Dj15) + "  " +
                Shown(d.LabelUma3) + Shown(d.blockWinner)};
}

void PrintHorseText(const masterdata::HorseView& v) {
    std::cout << "馬情報\n" << Shown(v.NameLabel) << "\n" << Shown(v.NameLabel2) << "\n\n";
    std::cout << "[馬情報]\n";
    PrintItems(v.info);
    std::cout << "\n[過去走1]\n";
    std::vector<std::vector<std::string>> table(1);
    for (const auto& column : masterdata::PastRunColumns()) {
        table[0].push_back(text::Sj(column.heading));
    }
    for (const auto& row : v.rows) table.emplace_back(row.begin(), row.end());
    for (const std::string& line : AlignColumns(table)) std::cout << line << "\n";
    std::cout << "\n[過去走2]\n" << Shown(v.UmameiKakosoLabel) << "\n";
    for (std::size_t k = 0; k < v.details.size(); ++k) {
        std::cout << text::Format("%3d", static_cast<int>(k + 1)) << "\n";
        for (const std::string& line : BlockLines(v.details[k]))
            std::cout << "    " << line << "\n";
    }
}

void PrintHorseJson(const masterdata::HorseView& v, const std::string& pedigree) {
    std::cout << "{\n  \"pedigree\": " << JsonString(pedigree) << ",\n  "
              << JsonField("NameLabel", v.NameLabel) << ",\n  "
              << JsonField("NameLabel2", v.NameLabel2)
              << ",\n  \"info\": " << JsonItems(v.info, "  ") << ",\n  "
              << JsonField("UmameiKakosoLabel", v.UmameiKakosoLabel) << ",\n  \"columns\": [";
    const auto& columns = masterdata::PastRunColumns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        std::cout << (c > 0 ? ", " : "") << JsonString(columns[c].heading);
    }
    std::cout << "],\n  \"runs\": [";
    for (std::size_t k = 0; k < v.rows.size(); ++k) {
        const masterdata::PastRunDetail& d = v.details[k];
        std::cout << (k > 0 ? "," : "") << "\n    {\"cells\": " << JsonCells(v.rows[k])
                  << ",\n     \"detail\": {" << JsonField("LabelUmaTitle", d.LabelUmaTitle) << ", "
                  << JsonField("Labelkaisai", d.Labelkaisai) << ", "
                  << JsonField("Labelcource", d.Labelcource) << ", "
                  << JsonField("LabelUma", d.LabelUma) << ", "
                  << JsonField("Labeluma2", d.Labeluma2) << ", "
                  << JsonField("Label3Dj12", d.Label3Dj12) << ", "
                  << JsonField("Label3Dj14", d.Label3Dj14) << ", "
                  << JsonField("Label3Dj15", d.Label3Dj15) << ", "
                  << JsonField("LabelUma3", d.LabelUma3) << ", "
                  << JsonField("LabelAvTime", d.LabelAvTime) << "}}";
    }
    std::cout << "\n  ]\n}\n";
}

}  // namespace

Result<MasterOptions> ParseMasterOptions(const Args& args) {
    MasterOptions options;
    std::string home;
    const ValueOption values[] = {
        StoreOption("home", home),
        {"format",
         [&options](const std::string& value) -> Status {
             if (value == "text") {
                 options.format = ViewFormat::kText;
             } else if (value == "json") {
                 options.format = ViewFormat::kJson;
             } else {
                 return Error{"--format is text or json, not '" + value + "'"};
             }
             return Status::Ok();
         }},
    };
    const FlagOption flags[] = {{"strict", [&options] { options.strict = true; }}};
    auto rest = TakeOptions(args, values, flags);
    if (!rest) return Error{rest.error()};
    if (rest->size() != 1) return Error{"one code is needed, not " + std::to_string(rest->size())};
    options.home = home;
    options.code = rest->front();
    return options;
}

void PrintHorse(const masterdata::HorseView& view, const std::string& pedigree, ViewFormat format) {
    if (format == ViewFormat::kJson) {
        PrintHorseJson(view, pedigree);
    } else {
        PrintHorseText(view);
    }
}

void PrintPerson(const masterdata::PersonView& v, const std::string& code, const char* titleUtf8,
                 ViewFormat format) {
    if (format == ViewFormat::kText) {
        std::cout << titleUtf8 << "\n" << Shown(v.NameLabel) << "\n";
        if (!v.tooltip.empty()) std::cout << "    (" << Shown(v.tooltip) << ")\n";
        for (const ViewItem& item : v.firstRides) std::cout << Shown(item.text) << "\n";
        std::cout << "【近走重賞勝鞍】\n";
        for (const ViewItem& item : v.gradedWins) std::cout << "    " << Shown(item.text) << "\n";
        for (std::size_t tab = 0; tab < v.results.size(); ++tab) {
            std::cout << "\n[" << masterdata::kResultTabCaptions[tab] << "]\n";
            PrintItems(v.results[tab]);
        }
        return;
    }
    std::cout << "{\n  \"code\": " << JsonString(code) << ",\n  "
              << JsonField("NameLabel", v.NameLabel) << ",\n  " << JsonField("tooltip", v.tooltip)
              << ",\n  \"firstRides\": " << JsonItems(v.firstRides, "  ")
              << ",\n  \"gradedWins\": " << JsonItems(v.gradedWins, "  ") << ",\n  \"results\": [";
    for (std::size_t tab = 0; tab < v.results.size(); ++tab) {
        std::cout << (tab > 0 ? "," : "")
                  << "\n    {\"tab\": " << JsonString(masterdata::kResultTabCaptions[tab])
                  << ", \"lines\": " << JsonItems(v.results[tab], "    ") << "}";
    }
    std::cout << "\n  ]\n}\n";
}

}  // namespace quindle::cli
