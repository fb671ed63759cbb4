#include "gui/common/grid_colours.h"

#include <QHeaderView>
#include <QPalette>
#include <QTableWidgetItem>
#include <QToolTip>
#include <cmath>

namespace quindle::gui {
namespace {

QColor ToQColor(const analysis::Rgb& rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

// Backgrounds below this luminance (0 to 255) take white default text.
constexpr double kDarkLuminance = 100.0;

constexpr double kGridDotsPerInch = 96.0;
constexpr double kPointsPerInch = 72.0;

// The grids' texts are fixed-width CP932 texts sized for a Japanese UI font
// with narrow half-width characters; a Western default font with a Japanese
// fallback makes the digits too wide for the 100-pixel past-run cells.
const QStringList& GridFamilies() {
    static const QStringList kFamilies = {QStringLiteral("Noto Sans CJK JP"),
                                          QStringLiteral("MS UI Gothic"),
                                          QStringLiteral("Yu Gothic UI")};
    return kFamilies;
}

}  // namespace

QColor FillColor(analysis::Fill fill) {
    if (auto rgb = analysis::FillColour(fill)) return ToQColor(*rgb);
    return QToolTip::palette().color(QPalette::ToolTipBase);
}

QColor InkColor(analysis::Ink ink, analysis::Fill fill) {
    if (auto rgb = analysis::InkColour(ink)) return ToQColor(*rgb);
    const QColor background = FillColor(fill);
    const double luminance =
        0.299 * background.red() + 0.587 * background.green() + 0.114 * background.blue();
    return luminance < kDarkLuminance ? QColor(Qt::white) : QColor(Qt::black);
}

int PointsToPixels(int points) {
    // Rounded down, as the platform's fonts of 8 points are 10 pixels high:
    // three lines of them fill a 35-pixel row.
    return static_cast<int>(points * kGridDotsPerInch / kPointsPerInch);
}

QFont GridFont(const QFont& base, int points, bool bold) {
    QFont font = base;
    font.setFamilies(GridFamilies());
    if (points > 0) font.setPixelSize(PointsToPixels(points));
    font.setBold(bold);
    return font;
}

void ApplyCellStyle(QTableWidgetItem& item, const analysis::CellStyle& style, const QFont& base) {
    item.setData(kFillRole, static_cast<int>(style.fill));
    item.setData(kInkRole, static_cast<int>(style.ink));
    item.setBackground(FillColor(style.fill));
    item.setForeground(InkColor(style.ink, style.fill));
    item.setFont(GridFont(base, 0, style.bold));
    item.setTextAlignment(
        Qt::AlignVCenter |
        (style.align == analysis::Align::Left ? Qt::AlignLeft : Qt::AlignHCenter));
}

void StyleHeadingRow(QHeaderView* header) {
    const QColor silver = FillColor(analysis::Fill::Heading);
    header->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: %1;"
                                         " color: black; border: none;"
                                         " border-right: 1px solid gray;"
                                         " border-bottom: 1px solid black; padding: 0px 2px; }")
                              .arg(silver.name()));
}

}  // namespace quindle::gui
