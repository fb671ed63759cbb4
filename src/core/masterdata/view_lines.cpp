#include "core/masterdata/view_lines.h"

#include "core/store/codes/formatting.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::masterdata {

ViewItem Heading(std::string_view utf8) {
    return {ViewItem::Kind::kHeading, {}, text::Sj(utf8)};
}

ViewItem SubHeading(std::string_view utf8) {
    return {ViewItem::Kind::kSubHeading, {}, text::Sj(utf8)};
}

ViewItem Line(std::string name, std::string cp932) {
    return {ViewItem::Kind::kLine, std::move(name), std::move(cp932)};
}

std::string LineText(const std::vector<ViewItem>& items, std::string_view name) {
    for (const ViewItem& item : items) {
        if (item.kind == ViewItem::Kind::kLine && item.name == name) return item.text;
    }
    return {};
}

std::string FinishCountLine(std::string_view prefixUtf8, const std::vector<long long>& counts,
                            Separator separator) {
    static constexpr const char* kPlaces[] = {"[2着]", "[3着]", "[4着]", "[5着]", "[6着～]"};
    const std::string& gap = text::Sj(separator == Separator::kWide ? "　　" : "　");
    std::string out = text::Sj(prefixUtf8);
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (i > 0 && i - 1 < std::size(kPlaces)) out += gap + text::Sj(kPlaces[i - 1]);
        out += text::Format("%6lld", counts[i]);
    }
    return out;
}

std::string ThousandsOfYen(long long hundredsOfYen) {
    return text::Format("%8lld", hundredsOfYen / 10);
}

std::string CleanText(std::string_view field) {
    return std::string(text::TrimBlanks(store::StripFullWidthSpaces(field)));
}

}  // namespace quindle::masterdata
