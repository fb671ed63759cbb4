#pragma once
// Printing the horse, jockey and trainer views on a terminal, shared by the
// horse, jockey and trainer commands: the labelled lines of the windows as
// text (headings, then each line) or as JSON (named fields and the lines).
//   quindle-cli jockey --home DIR [--format text|json] CODE

#include <filesystem>
#include <string>

#include "command.h"
#include "core/masterdata/horse_view.h"
#include "core/masterdata/person_view.h"
#include "core/util/result.h"

namespace quindle::cli {

enum class ViewFormat { kText, kJson };

struct MasterOptions {
    std::filesystem::path home;
    std::string code;  // pedigree number, jockey or trainer code
    ViewFormat format = ViewFormat::kText;
    bool strict = false;  // --strict: a damaged record read on the way fails the command
};

// --home DIR, --format text|json, --strict and the one code argument.
Result<MasterOptions> ParseMasterOptions(const Args& args);

void PrintHorse(const masterdata::HorseView& view, const std::string& pedigree, ViewFormat format);
// `titleUtf8` is the window's caption ("騎手データ", "調教師データ").
void PrintPerson(const masterdata::PersonView& view, const std::string& code, const char* titleUtf8,
                 ViewFormat format);

}  // namespace quindle::cli
