#include "core/masterdata/tracked_horses.h"

#include <algorithm>

#include "core/store/record_layout.h"
#include "core/text/fields.h"
#include "core/util/file_io.h"

namespace quindle::masterdata {

namespace se = store::layout::se;

namespace {

constexpr size_t kPedigreeLength = static_cast<size_t>(se::kPedigree.len);

}  // namespace

std::string TrackedHorseEntry(std::string_view record) {
    return std::string(text::FieldAt(record, se::kPedigree)) +
           std::string(text::FieldAt(record, se::kHorseName));
}

std::string_view EntryPedigree(std::string_view entry) {
    return entry.substr(0, std::min(entry.size(), kPedigreeLength));
}

std::string_view EntryName(std::string_view entry) {
    return entry.size() > kPedigreeLength ? entry.substr(kPedigreeLength) : std::string_view();
}

Result<TrackedHorses> TrackedHorses::Read(const std::filesystem::path& programFolder,
                                          std::vector<std::string>& problems) {
    TrackedHorses list;
    auto bytes = ReadFileIfExists(programFolder / kTrackedHorsesFile);
    if (!bytes) return Error{"追跡馬を読み込めません: " + bytes.error()};
    if (!*bytes) return list;
    std::string_view rest = **bytes;
    int lineNumber = 0;
    while (!rest.empty()) {
        const size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (text::TrimBlanks(line).empty()) continue;
        if (line.size() <= kPedigreeLength || !text::AllDigits(EntryPedigree(line))) {
            problems.push_back(std::string(kTrackedHorsesFile) + " " + std::to_string(lineNumber) +
                               "行目は追跡馬の行ではないため読み飛ばしました");
            continue;
        }
        list.entries_.emplace(line);
    }
    return list;
}

Status TrackedHorses::Save(const std::filesystem::path& programFolder) const {
    std::string bytes;
    for (const std::string& entry : entries_) bytes += entry + "\r\n";
    if (Status s = ReplaceFileAtomically(programFolder / kTrackedHorsesFile, bytes); !s) {
        return Error{"追跡馬を保存できません: " + s.error()};
    }
    return Status::Ok();
}

Status TrackedHorses::Add(std::string_view record, const std::filesystem::path& programFolder) {
    entries_.insert(TrackedHorseEntry(record));
    return Save(programFolder);
}

Status TrackedHorses::Remove(std::string_view pedigree,
                             const std::filesystem::path& programFolder) {
    std::vector<std::string> removed;
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (EntryPedigree(*it) == pedigree) {
            removed.push_back(*it);
            it = entries_.erase(it);
        } else {
            ++it;
        }
    }
    if (removed.empty()) return Status::Ok();
    if (Status saved = Save(programFolder); !saved) {
        entries_.insert(removed.begin(), removed.end());
        return saved;
    }
    return Status::Ok();
}

bool TrackedHorses::Contains(std::string_view pedigree) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const std::string& e) { return EntryPedigree(e) == pedigree; });
}

}  // namespace quindle::masterdata
