#include "jvsim/league/record_builder.h"

#include <array>
#include <stdexcept>

#include "core/text/cp932.h"

namespace quindle::jvsim::league {
namespace layout = store::layout;

namespace {

const std::string& BlankLine(RecordType type) {
    static const auto kTemplates = [] {
        std::array<std::string, layout::kRecordTypeCount> t;
        for (const auto& info : layout::kRecordTypes) {
            std::string line(static_cast<std::size_t>(info.length - layout::kLineEndLength), ' ');
            line.replace(0, info.id.size(), info.id);
            t[static_cast<std::size_t>(info.type)] = std::move(line);
        }
        return t;
    }();
    return kTemplates[static_cast<std::size_t>(type)];
}

void CheckField(const std::string& line, FieldPos f) {
    if (f.pos < 1 || f.len <= 0 || static_cast<std::size_t>(f.End()) > line.size()) {
        throw std::logic_error("RecordBuilder: field outside the record");
    }
}

}  // namespace

std::string_view CutCp932(std::string_view s, std::size_t width) {
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t step = text::IsLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
        if (i + step > width) break;
        i += step;
    }
    return s.substr(0, i);
}

RecordBuilder::RecordBuilder(RecordType type) : type_(type), line_(BlankLine(type)) {}

RecordBuilder& RecordBuilder::Head(std::string_view kind, std::string_view creationDate8) {
    Put(layout::head::kDataKind, kind);
    return Put(layout::head::kCreationDate, creationDate8);
}

RecordBuilder& RecordBuilder::RaceKey(std::string_view key16) {
    return Put(layout::head::kRaceKey, key16);
}

RecordBuilder& RecordBuilder::Put(FieldPos f, std::string_view value) {
    text::PutField(line_, f, value);
    return *this;
}

RecordBuilder& RecordBuilder::Number(FieldPos f, std::int64_t value) {
    CheckField(line_, f);
    if (value < 0) throw std::logic_error("RecordBuilder: negative number");
    char* out = line_.data() + (f.pos - 1);
    std::int64_t v = value;
    for (int i = f.len - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + v % 10);
        v /= 10;
    }
    if (v != 0) {
        for (int i = 0; i < f.len; ++i) out[i] = '9';
    }
    return *this;
}

RecordBuilder& RecordBuilder::Text(FieldPos f, std::string_view cp932) {
    CheckField(line_, f);
    auto width = static_cast<std::size_t>(f.len);
    return Put(f, text::PadRight(CutCp932(cp932, width), width));
}

RecordBuilder& RecordBuilder::Name(FieldPos f, std::string_view cp932) {
    CheckField(line_, f);
    auto width = static_cast<std::size_t>(f.len);
    return Put(f, text::PadRightFullWidth(CutCp932(cp932, width), width));
}

RecordBuilder& RecordBuilder::Fill(FieldPos f, char c) {
    CheckField(line_, f);
    line_.replace(static_cast<std::size_t>(f.pos - 1), static_cast<std::size_t>(f.len),
                  static_cast<std::size_t>(f.len), c);
    return *this;
}

std::string RecordBuilder::Finish() const {
    if (static_cast<int>(line_.size()) != layout::LineLength(type_)) {
        throw std::logic_error("RecordBuilder: record of the wrong length");
    }
    std::string record;
    record.reserve(line_.size() + 2);
    record.append(line_);
    record.append("\r\n");
    return record;
}

}  // namespace quindle::jvsim::league
