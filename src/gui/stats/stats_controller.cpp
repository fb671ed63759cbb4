#include "gui/stats/stats_controller.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "app/session.h"
#include "core/stats/rank_summary.h"
#include "gui/common/message_sink.h"
#include "gui/common/qt_text.h"
#include "gui/common/user_dialogs.h"
#include "gui/common/wiring.h"
#include "gui/stats/stats_page.h"

namespace quindle::gui {
namespace {

constexpr const char* kStatsFileFilter = "統計ファイル (*.csv)";

// Row 0 of `cells` as the grid's heading row, the others as its rows.
template <typename Rows>
void FillGrid(QTableWidget* grid, const Rows& cells, bool alignNumbersRight) {
    grid->clearContents();
    const int columns = grid->columnCount();
    const int rows = cells.empty() ? 0 : static_cast<int>(cells.size()) - 1;
    grid->setRowCount(rows);
    QStringList headings;
    for (int c = 0; c < columns; ++c) {
        headings << (cells.empty() ? QString() : FromCp932(cells[0][static_cast<size_t>(c)]));
    }
    grid->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < rows; ++r) {
        const auto& row = cells[static_cast<size_t>(r) + 1];
        for (int c = 0; c < columns; ++c) {
            const std::string& text = row[static_cast<size_t>(c)];
            if (text.empty()) continue;
            auto* item = new QTableWidgetItem(FromCp932(text));
            if (alignNumbersRight && c > 0) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            grid->setItem(r, c, item);
        }
    }
}

}  // namespace

StatsController::StatsController(FeatureContext context, StatsPage& page, UserDialogs& dialogs,
                                 QObject* parent)
    : QObject(parent), context_(context), page_(page), dialogs_(dialogs) {
    using S = StatsController;
    WireButtons<S>(this, {
                             {page_.Shukei2Btn, &S::Shukei2BtnClick},
                             {page_.SaveBtn, &S::SaveBtnClick},
                             {page_.LoadBtn, &S::LoadBtnClick},
                             {page_.CalcBtn2, &S::CalcBtn2Click},
                         });
}

// "集計" carries no operation.
void StatsController::Shukei2BtnClick() {}

void StatsController::ShowData() {
    FillGrid(page_.StringGrid22, data_, /*alignNumbersRight=*/false);
}

void StatsController::LoadBtnClick() {
    data_.clear();
    ShowData();
    const auto folder = stats::StatsFolder(context_.session.ProgramFolder());
    const auto chosen =
        dialogs_.ChooseOpenFile(PathText(folder), QString::fromUtf8(kStatsFileFilter));
    if (!chosen) return;
    auto loaded = stats::LoadStatsFile(PathOf(*chosen));
    if (!loaded) {
        context_.messages.Inform(FromUtf8(loaded.error()), Beep::Yes);
        return;
    }
    data_ = std::move(*loaded);
    ShowData();
}

void StatsController::CalcBtn2Click() {
    auto summary = stats::ComputeRankSummary(data_);
    // On an error the grid keeps its captions only: no half-counted figures.
    FillGrid(page_.StringGrid4, summary ? summary->grid : stats::SummaryCaptions(),
             /*alignNumbersRight=*/true);
    if (!summary) context_.messages.Inform(FromUtf8(summary.error()), Beep::Yes);
}

void StatsController::SaveBtnClick() {
    const auto folder = stats::StatsFolder(context_.session.ProgramFolder());
    auto saved = stats::SaveStatsFile(folder, ToUtf8(page_.Edit1->text()), data_);
    if (!saved) context_.messages.Inform(FromUtf8(saved.error()), Beep::Yes);
}

}  // namespace quindle::gui
