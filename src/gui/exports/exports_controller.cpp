#include "gui/exports/exports_controller.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QTableWidget>

#include "core/analysis/race_card.h"
#include "core/exports/clipboard_text.h"
#include "core/text/cp932.h"
#include "gui/common/message_sink.h"
#include "gui/common/qt_text.h"
#include "gui/common/user_dialogs.h"
#include "gui/common/wiring.h"
#include "gui/document/day_document.h"
#include "gui/raceview/race_header.h"

namespace quindle::gui {
namespace {

constexpr const char* kCsvFolderCaption = "CSVﾌｧｲﾙ出力先ﾌｫﾙﾀﾞの指定";

// The card as shown, in its standard layout whatever the window adds: the
// standard headings, then every row's standard cells in the shown order
// (UTF-8).
std::vector<std::vector<std::string>> ShownCells(const QTableWidget* grid) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> heading;
    for (const std::string& cp932 : analysis::StandardCells(analysis::CardHeadings())) {
        heading.push_back(text::ToUtf8(cp932));
    }
    rows.push_back(std::move(heading));
    for (int r = 0; r < grid->rowCount(); ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < analysis::kCardStandardColumns; ++c) {
            const QTableWidgetItem* item = grid->item(r, c);
            cells.push_back(item ? ToUtf8(item->text()) : std::string());
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

}  // namespace

ExportsController::ExportsController(FeatureContext context, Controls controls,
                                     UserDialogs& dialogs, QObject* parent)
    : QObject(parent), context_(context), controls_(controls), dialogs_(dialogs) {
    using E = ExportsController;
    WireButtons<E>(this, {{controls_.LbSpeedButton1, &E::LbSpeedButton1Click}});
    WireActions<E>(this, {
                             {controls_.CsvRecommendItem, &E::CsvRecommendItemClick},
                             {controls_.CsvGetGiveItem, &E::CsvGetGiveItemClick},
                             {controls_.CsvWinnersItem, &E::CsvWinnersItemClick},
                             {controls_.CsvFolderItem, &E::CsvFolderItemClick},
                         });
}

bool ExportsController::DayReady() const {
    // A load or search pumps events: the model may be half filled.
    return !context_.document.DateText().empty() && !context_.document.Busy();
}

void ExportsController::ExportDay(exports::DayExport kind) {
    if (!DayReady()) return;
    auto written =
        exports::WriteDayExport(context_.document.Day(), context_.document.RaceIndexes(), kind,
                                exports::CsvExportFolder(context_.session.Settings()));
    if (!written) {
        context_.messages.Inform(FromUtf8(written.error()), Beep::Yes);
        return;
    }
    context_.messages.Inform(FromUtf8(exports::ExportDoneMessage(*written, kind)), Beep::No);
}

void ExportsController::CsvRecommendItemClick() {
    ExportDay(exports::DayExport::Recommend);
}

void ExportsController::CsvGetGiveItemClick() {
    ExportDay(exports::DayExport::GetGive);
}

void ExportsController::CsvWinnersItemClick() {
    if (!DayReady()) return;
    if (context_.document.Day().State().ZensoExtracted == 0) {
        if (!context_.messages.Ask(FromUtf8(exports::kZensoExtractQuestion))) return;
        // The export goes on whatever the search's outcome; the search tells
        // its own failure.
        emit previousRaceSearchWanted();
        if (!DayReady()) return;
    }
    ExportDay(exports::DayExport::PreviousRaceWinners);
}

void ExportsController::CsvFolderItemClick() {
    env::SettingsFile& settings = context_.session.Settings();
    const QString current = FromUtf8(settings.Read(env::settings::kCsvExportFolder));
    const auto chosen = dialogs_.ChooseFolder(FromUtf8(kCsvFolderCaption), current);
    if (!chosen) return;
    if (Status s = settings.Write(env::settings::kCsvExportFolder, ToUtf8(*chosen)); !s) {
        context_.messages.Inform(FromUtf8(s.error()), Beep::Yes);
    }
}

void ExportsController::LbSpeedButton1Click() {
    std::vector<std::string> heading;
    for (const QLabel* label : {controls_.header.Label1, controls_.header.Label2,
                                controls_.header.Label3, controls_.header.Label4}) {
        heading.push_back(ToUtf8(label->text()));
    }
    const std::string text =
        exports::GridClipboardText(heading, ShownCells(controls_.StringGrid10));
    QGuiApplication::clipboard()->setText(FromUtf8(text));
}

}  // namespace quindle::gui
