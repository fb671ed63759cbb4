#include "jvsim/store/store_writer.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "core/util/file_io.h"
#include "core/util/utf8_path.h"
#include "jvsim/store/ini_file.h"
#include "jvsim/store/store_format.h"

namespace quindle::jvsim {
namespace {

// Records are kept one per line, so a record must end in its CR LF and hold
// no other line break; anything else would split or merge records on reading.
Status CheckRecords(std::string_view where, const std::vector<std::string>& records) {
    for (size_t i = 0; i < records.size(); ++i) {
        const std::string& r = records[i];
        bool endsCrLf = r.size() > 2 && r.compare(r.size() - 2, 2, "\r\n") == 0;
        if (!endsCrLf || r.find_first_of("\r\n") != r.size() - 2) {
            return Error{std::string(where) + ": record " + std::to_string(i + 1) +
                         " is not one line ending in CR LF"};
        }
    }
    return Status::Ok();
}

Status WriteRecords(const std::filesystem::path& path, const std::vector<std::string>& records) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& r : records) out.write(r.data(), static_cast<std::streamsize>(r.size()));
    out.close();
    if (!out) return Error{"cannot write " + path.string()};
    return Status::Ok();
}

}  // namespace

StoreWriter::StoreWriter(std::filesystem::path root) : root_(std::move(root)) {}

Status StoreWriter::EnsureFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) return Error{"cannot create " + folder.string() + ": " + ec.message()};
    return Status::Ok();
}

Status StoreWriter::AddFile(std::string_view spec, std::string_view timestamp14,
                            std::string_view fileName, const std::vector<std::string>& records) {
    if (!IsSpecId(spec)) return Error{"bad data spec '" + std::string(spec) + "'"};
    if (!IsTimestamp14(timestamp14)) {
        return Error{"bad file time stamp '" + std::string(timestamp14) + "'"};
    }
    if (!IsPlainFileName(fileName)) return Error{"bad file name '" + std::string(fileName) + "'"};
    if (fileNames_.count(std::string(fileName)) != 0) {
        return Error{"file '" + std::string(fileName) + "' added twice"};
    }
    if (auto s = CheckRecords(fileName, records); !s) return s;
    if (auto s = EnsureFolder(root_ / kFilesFolder); !s) return s;
    if (auto s = WriteRecords(PathBelow(root_ / kFilesFolder, fileName), records); !s) return s;

    fileNames_.insert(std::string(fileName));
    std::string line =
        std::string(spec) + "\t" + std::string(timestamp14) + "\t" + std::string(fileName);
    fileLines_.push_back({std::string(timestamp14), std::string(fileName), std::move(line)});
    return Status::Ok();
}

Status StoreWriter::AddRealtime(std::string_view spec, std::string_view key,
                                std::string_view availableFrom12,
                                const std::vector<std::string>& records) {
    if (!IsSpecId(spec)) return Error{"bad real-time spec '" + std::string(spec) + "'"};
    if (!IsAnnouncementKey(key)) return Error{"bad real-time key '" + std::string(key) + "'"};
    if (!IsMinute12(availableFrom12)) {
        return Error{"bad announcement time '" + std::string(availableFrom12) + "'"};
    }
    std::string name = std::string(key.substr(0, 8)) + "/" + std::string(spec) + "_" +
                       std::string(key) + "_" + std::string(availableFrom12) + ".txt";
    if (realtimeNames_.count(name) != 0) {
        return Error{"announcement " + std::string(spec) + " " + std::string(key) + " at " +
                     std::string(availableFrom12) + " added twice"};
    }
    if (auto s = CheckRecords(name, records); !s) return s;
    auto path = PathBelow(root_ / kRealtimeFolder, name);
    if (auto s = EnsureFolder(path.parent_path()); !s) return s;
    if (auto s = WriteRecords(path, records); !s) return s;

    realtimeNames_.insert(name);
    std::string sortKey =
        std::string(spec) + "\t" + std::string(key) + "\t" + std::string(availableFrom12);
    realtimeLines_.push_back({sortKey, sortKey + "\t" + name});
    return Status::Ok();
}

void StoreWriter::SetFact(std::string_view key, std::string_view value) {
    if (key.empty() || key.find_first_of("=\r\n") != std::string_view::npos ||
        value.find_first_of("\r\n") != std::string_view::npos) {
        throw std::invalid_argument("StoreWriter::SetFact: key or value unfit for an ini line");
    }
    for (auto& [k, v] : facts_) {
        if (k == key) {
            v = std::string(value);
            return;
        }
    }
    facts_.emplace_back(std::string(key), std::string(value));
}

Status StoreWriter::Finish() {
    if (auto s = EnsureFolder(root_); !s) return s;

    std::stable_sort(fileLines_.begin(), fileLines_.end(), [](const auto& a, const auto& b) {
        return a.timestamp != b.timestamp ? a.timestamp < b.timestamp : a.name < b.name;
    });
    std::string files;
    for (const auto& f : fileLines_) files += f.line + "\n";

    std::stable_sort(realtimeLines_.begin(), realtimeLines_.end(),
                     [](const auto& a, const auto& b) { return a.sortKey < b.sortKey; });
    std::string realtime;
    for (const auto& r : realtimeLines_) realtime += r.line + "\n";

    if (auto s = ReplaceFileAtomically(root_ / kFilesIndex, files); !s) return s;
    if (auto s = ReplaceFileAtomically(root_ / kRealtimeIndex, realtime); !s) return s;
    return ReplaceFileAtomically(root_ / kStoreIni, FormatIniSection(kStoreSection, facts_));
}

}  // namespace quindle::jvsim
