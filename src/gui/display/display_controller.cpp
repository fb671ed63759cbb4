#include "gui/display/display_controller.h"

#include <QAction>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>
#include <QTableWidget>
#include <algorithm>

#include "app/session.h"
#include "core/analysis/past_rides.h"
#include "core/env/settings_file.h"
#include "gui/common/grid_colours.h"
#include "gui/common/grid_zoom.h"
#include "gui/common/message_sink.h"
#include "gui/common/qt_text.h"
#include "gui/common/wiring.h"
#include "gui/display/legend_dialog.h"
#include "gui/raceview/past_ride_delegate.h"
#include "gui/raceview/race_card_view.h"
#include "gui/raceview/race_grids.h"

namespace quindle::gui {
namespace {

namespace settings = env::settings;

// The first line of a past run at its longest: date, venue and a race name
// of nine full-width characters. The run columns are as wide as it needs.
constexpr const char* kLongestRunLine = "250330中山 ９文字のレース名です";
// Pixels around a past run's texts: the grid line and a margin each side.
constexpr int kRunMargins = 6;
// The past rides' small type, in points at the standard zoom.
constexpr int kRunTextPoints = 8;

}  // namespace

DisplayController::DisplayController(FeatureContext context, Controls controls, QObject* parent)
    : QObject(parent), context_(context), controls_(std::move(controls)) {
    using D = DisplayController;
    WireActions<D>(this, {
                             {controls_.menu.ZoomInItem, &D::ZoomInItemClick},
                             {controls_.menu.ZoomOutItem, &D::ZoomOutItemClick},
                             {controls_.menu.ZoomResetItem, &D::ZoomResetItemClick},
                             {controls_.menu.LegendItem, &D::LegendItemClick},
                         });
    const std::vector<analysis::CardColumn> extra = ExtraColumns();
    for (const auto& [column, item] : controls_.menu.CardColumnItems) {
        item->setChecked(std::find(extra.begin(), extra.end(), column) != extra.end());
        connect(item, &QAction::triggered, this, &D::CardColumnItemClick);
    }
    Apply();
}

int DisplayController::Zoom() const {
    return ClampZoom(context_.session.Settings().Read(settings::kGridZoom));
}

std::vector<analysis::CardColumn> DisplayController::ExtraColumns() const {
    std::vector<analysis::CardColumn> columns;
    const QString stored = FromUtf8(context_.session.Settings().Read(settings::kCardExtraColumns));
    for (const QString& name : stored.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (auto column = analysis::OptionalCardColumn(ToUtf8(name.trimmed()))) {
            columns.push_back(*column);
        }
    }
    return columns;
}

void DisplayController::ZoomInItemClick() {
    SetZoom(StepZoom(Zoom(), 1));
}

void DisplayController::ZoomOutItemClick() {
    SetZoom(StepZoom(Zoom(), -1));
}

void DisplayController::ZoomResetItemClick() {
    SetZoom(kStandardZoom);
}

void DisplayController::SetZoom(int percent) {
    if (Status s = context_.session.Settings().Write(settings::kGridZoom, percent); !s) {
        context_.messages.Inform(FromUtf8(s.error()), Beep::Yes);
        return;
    }
    Apply();
}

void DisplayController::CardColumnItemClick() {
    std::string names;
    for (const auto& [column, item] : controls_.menu.CardColumnItems) {
        if (!item->isChecked()) continue;
        if (!names.empty()) names += ",";
        names += analysis::kCardColumnTable[column].heading;
    }
    if (Status s = context_.session.Settings().Write(settings::kCardExtraColumns, names); !s) {
        context_.messages.Inform(FromUtf8(s.error()), Beep::Yes);
    }
    Apply();
}

void DisplayController::LegendItemClick() {
    if (!legend_) legend_ = new LegendDialog(context_.window);
    legend_->show();
    legend_->raise();
    legend_->activateWindow();
}

void DisplayController::Apply() {
    const int zoom = Zoom();
    controls_.menu.ZoomLabelItem->setText(QStringLiteral("文字の大きさ: %1%").arg(zoom));
    controls_.card->SetLayout(zoom, ExtraColumns());
    ZoomGrid(controls_.StringGrid12, ZensoGridShape(), zoom);

    // The past rides: the runs as wide as their longest first line.
    QTableWidget* rides = controls_.StringGrid2;
    GridShape shape = PastRideGridShape();
    const QFontMetrics runText(GridFont(rides->font(), kRunTextPoints, false));
    shape.defaultWidth =
        std::max(shape.defaultWidth,
                 runText.horizontalAdvance(QString::fromUtf8(kLongestRunLine)) + kRunMargins);
    ZoomGrid(rides, shape, zoom);
    controls_.pastRides->SetZoom(zoom);
    const int headingHeight = Zoomed(analysis::kPastRideHeadingHeight, zoom);
    rides->horizontalHeader()->setFixedHeight(headingHeight);
    QTableView* fixed = controls_.StringGrid2Fixed;
    fixed->horizontalHeader()->setFont(rides->horizontalHeader()->font());
    fixed->horizontalHeader()->setFixedHeight(headingHeight);
    fixed->verticalHeader()->setDefaultSectionSize(rides->verticalHeader()->defaultSectionSize());
    for (int r = 0; r < rides->rowCount(); ++r) {
        rides->setRowHeight(r, rides->verticalHeader()->defaultSectionSize());
        fixed->setRowHeight(r, rides->rowHeight(r));
    }
    for (int c = 0; c < analysis::kPastRideFixedColumns; ++c) {
        fixed->setColumnWidth(c, rides->columnWidth(c));
    }
    rides->viewport()->update();
    fixed->viewport()->update();
}

}  // namespace quindle::gui
