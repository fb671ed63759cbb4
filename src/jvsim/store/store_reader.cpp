#include "jvsim/store/store_reader.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "core/util/file_io.h"
#include "core/util/utf8_path.h"
#include "jvsim/store/store_format.h"

namespace quindle::jvsim {
namespace {

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return parts;
        start = tab + 1;
    }
}

// Reads an index file line by line (LF or CR LF ends); `onLine` gets the line
// number and the line without its end, and may refuse it with an error.
template <typename OnLine>
Status ReadIndex(const std::filesystem::path& path, OnLine onLine) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Error{"cannot read " + path.string()};
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (auto s = onLine(lineNo, std::string_view(line)); !s) {
            return Error{path.filename().string() + " line " + std::to_string(lineNo) + ": " +
                         s.error()};
        }
    }
    return Status::Ok();
}

// A name below realtime/: plain names separated by '/', never leaving the folder.
bool IsRelativeStoreName(std::string_view name) {
    size_t start = 0;
    for (;;) {
        size_t slash = name.find('/', start);
        if (!IsPlainFileName(
                name.substr(start, slash == std::string_view::npos ? slash : slash - start))) {
            return false;
        }
        if (slash == std::string_view::npos) return true;
        start = slash + 1;
    }
}

template <size_t N>
void CopyInto(std::array<char, N>& to, std::string_view from) {
    to.fill('\0');
    std::copy_n(from.begin(), std::min(N, from.size()), to.begin());
}

}  // namespace

Result<StoreReader> StoreReader::Open(std::filesystem::path root) {
    std::error_code ec;
    if (!std::filesystem::is_directory(root, ec)) {
        return Error{"the substitute store " + root.string() + " is not a folder"};
    }
    StoreReader reader(std::move(root));
    auto ini = reader.root_ / kStoreIni;
    if (std::filesystem::exists(ini, ec)) {
        auto facts = ReadIniFile(ini);
        if (!facts) return Error{facts.error()};
        reader.facts_ = std::move(*facts);
    }
    return reader;
}

std::string StoreReader::Fact(std::string_view key) const {
    const std::string* v = FindIniValue(facts_, kStoreSection, key);
    return v ? *v : std::string();
}

Result<std::vector<StoreFile>> StoreReader::Files() const {
    std::vector<StoreFile> files;
    auto path = root_ / kFilesIndex;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return files;
    auto status = ReadIndex(path, [&](int, std::string_view line) -> Status {
        auto parts = SplitTabs(line);
        if (parts.size() != 3 || !IsSpecId(parts[0]) || !IsTimestamp14(parts[1]) ||
            !IsPlainFileName(parts[2])) {
            return Error{"not \"spec<TAB>time stamp<TAB>file name\""};
        }
        files.push_back({std::string(parts[0]), std::string(parts[1]), std::string(parts[2])});
        return Status::Ok();
    });
    if (!status) return Error{status.error()};
    return files;
}

Status StoreReader::LoadRealtimeIndex() {
    auto path = root_ / kRealtimeIndex;
    std::error_code ec;
    bool exists = std::filesystem::exists(path, ec);
    auto time =
        exists ? std::filesystem::last_write_time(path, ec) : std::filesystem::file_time_type{};
    auto size = exists ? std::filesystem::file_size(path, ec) : 0;
    if (realtimeLoaded_ && time == realtimeTime_ && size == realtimeSize_) return Status::Ok();

    std::vector<RtEntry> entries;
    std::string names;
    if (exists) {
        auto status = ReadIndex(path, [&](int, std::string_view line) -> Status {
            auto parts = SplitTabs(line);
            if (parts.size() != 4 || !IsSpecId(parts[0]) || !IsAnnouncementKey(parts[1]) ||
                !IsMinute12(parts[2]) || !IsRelativeStoreName(parts[3])) {
                return Error{"not \"spec<TAB>key<TAB>yyyymmddhhnn<TAB>file name\""};
            }
            RtEntry e{};
            CopyInto(e.spec, parts[0]);
            CopyInto(e.key, parts[1]);
            e.keyLen = static_cast<std::uint8_t>(parts[1].size());
            CopyInto(e.time, parts[2]);
            e.nameOffset = static_cast<std::uint32_t>(names.size());
            e.nameLen = static_cast<std::uint32_t>(parts[3].size());
            names += parts[3];
            entries.push_back(e);
            return Status::Ok();
        });
        if (!status) return status;
    }
    // Sorted by spec, key and time; equal times keep their line order, so the
    // later line of two announcements for the same minute wins.
    std::stable_sort(entries.begin(), entries.end(), [](const RtEntry& a, const RtEntry& b) {
        if (a.Spec() != b.Spec()) return a.Spec() < b.Spec();
        if (a.Key() != b.Key()) return a.Key() < b.Key();
        return a.Time() < b.Time();
    });
    realtime_ = std::move(entries);
    realtimeNames_ = std::move(names);
    realtimeLoaded_ = true;
    realtimeTime_ = time;
    realtimeSize_ = size;
    return Status::Ok();
}

void StoreReader::AddLatest(std::string_view spec, std::string_view key, bool prefix,
                            std::string_view now12, std::vector<Announcement>& out) const {
    auto it = std::lower_bound(realtime_.begin(), realtime_.end(), std::make_pair(spec, key),
                               [](const RtEntry& e, const auto& k) {
                                   if (e.Spec() != k.first) return e.Spec() < k.first;
                                   return e.Key() < k.second;
                               });
    auto matches = [&](const RtEntry& e) {
        return e.Spec() == spec && (prefix ? e.Key().substr(0, key.size()) == key : e.Key() == key);
    };
    const RtEntry* latest = nullptr;
    auto flush = [&] {
        if (!latest) return;
        out.push_back({std::string(latest->Spec()), std::string(latest->Key()),
                       std::string(latest->Time()),
                       realtimeNames_.substr(latest->nameOffset, latest->nameLen)});
        latest = nullptr;
    };
    for (; it != realtime_.end() && matches(*it); ++it) {
        if (latest && latest->Key() != it->Key()) flush();
        if (now12.empty() || it->Time() <= now12) latest = &*it;
    }
    flush();
}

Result<std::vector<Announcement>> StoreReader::Realtime(std::string_view spec, std::string_view key,
                                                        std::string_view now12) {
    if (auto s = LoadRealtimeIndex(); !s) return Error{s.error()};
    std::vector<Announcement> out;
    // A race asked for is also served from an announcement of its whole day.
    if (key.size() > 8) AddLatest(spec, key.substr(0, 8), false, now12, out);
    AddLatest(spec, key, true, now12, out);
    return out;
}

std::filesystem::path StoreReader::FilePath(std::string_view name) const {
    return PathBelow(root_ / kFilesFolder, name);
}

std::filesystem::path StoreReader::AnnouncementPath(std::string_view fileName) const {
    return PathBelow(root_ / kRealtimeFolder, fileName);
}

Status RecordCursor::Open(const std::filesystem::path& path) {
    Close();
    if (ReadFileInto(path, bytes_) != FileRead::kRead) return Error{"cannot read " + path.string()};
    open_ = true;
    return Status::Ok();
}

bool RecordCursor::Next(std::string& record) {
    // CP932 trail bytes are never 0x0A or 0x0D, so a line break always ends a record.
    while (open_ && next_ < bytes_.size()) {
        const std::string_view rest = std::string_view(bytes_).substr(next_);
        const size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, end);
        next_ += end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        record.assign(line);
        record += "\r\n";
        return true;
    }
    Close();
    return false;
}

void RecordCursor::Close() {
    open_ = false;
    next_ = 0;
    bytes_.clear();  // the capacity serves the next file
}

}  // namespace quindle::jvsim
