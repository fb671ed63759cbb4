#include "gui/raceview/race_grids.h"

#include "core/analysis/past_rides.h"
#include "core/analysis/race_card.h"
#include "core/analysis/zenso.h"
#include "gui/common/qt_text.h"

namespace quindle::gui {
namespace {

template <typename Texts>
QStringList Headings(const Texts& cp932) {
    QStringList list;
    for (const std::string& text : cp932) list.append(FromCp932(text));
    return list;
}

template <typename Widths>
std::vector<int> WidthList(const Widths& widths, size_t count) {
    return std::vector<int>(widths.begin(), widths.begin() + static_cast<std::ptrdiff_t>(count));
}

// The card's rows are 15 pixels high; its text is sized to fit them.
constexpr int kCardRowHeight = 15;

}  // namespace

GridShape RaceCardGridShape() {
    GridShape shape{"StringGrid10", analysis::kCardColumns};
    // The window's own, clearer headings; the optional columns start hidden.
    for (const analysis::CardColumnSpec& column : analysis::kCardColumnTable) {
        const std::string_view heading =
            column.gridHeading.empty() ? column.heading : column.gridHeading;
        shape.headings.append(
            QString::fromUtf8(heading.data(), static_cast<qsizetype>(heading.size())));
        shape.widths.push_back(column.optional ? 0 : column.width);
    }
    shape.rowHeight = kCardRowHeight;
    shape.wholeRowSelect = true;
    return shape;
}

GridShape PastRideGridShape() {
    GridShape shape{"StringGrid2", analysis::kPastRideColumns};
    shape.headings = Headings(analysis::PastRideHeadings());
    shape.widths = WidthList(analysis::kPastRideFixedWidths, analysis::kPastRideFixedWidths.size());
    shape.defaultWidth = analysis::kPastRideDefaultWidth;
    shape.rowHeight = analysis::kPastRideRowHeight;
    return shape;
}

GridShape RunnerListGridShape() {
    GridShape shape{"StringGrid13", analysis::kRunnerListColumns};
    shape.headings = Headings(analysis::RunnerListHeadings());
    shape.widths = analysis::CardColumnWidths(analysis::kRunnerListColumns);
    shape.wholeRowSelect = true;
    return shape;
}

GridShape ZensoGridShape() {
    GridShape shape{"StringGrid12", analysis::kZensoColumns};
    shape.headings = Headings(analysis::ZensoHeadings());
    shape.widths = WidthList(analysis::kZensoColumnWidths, analysis::kZensoColumnWidths.size());
    return shape;
}

}  // namespace quindle::gui
