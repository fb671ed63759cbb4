#include "gui/analysis/analysis_controller.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include "app/session.h"
#include "core/analysis/bet_stats.h"
#include "core/analysis/mark_backtest.h"
#include "core/load/day_files.h"
#include "core/load/history_scan.h"
#include "gui/analysis/analysis_page.h"
#include "gui/analysis/return_chart.h"
#include "gui/common/qt_text.h"

namespace quindle::gui {
namespace {

using analysis::GroupBy;
using analysis::RateEstimate;

constexpr GroupBy kGroupings[] = {GroupBy::kPattern,    GroupBy::kJockey,    GroupBy::kVenue,
                                  GroupBy::kPopularity, GroupBy::kClassMove, GroupBy::kGetGive};

// The bar and the cancel button of the page as the scan's progress.
class PageProgress : public ProgressSink {
  public:
    PageProgress(QProgressBar* bar, const bool& cancel) : bar_(bar), cancel_(cancel) {}
    void SetRange(int maximum) override { bar_->setRange(0, maximum); }
    void SetPosition(int position) override { bar_->setValue(position); }
    void Pump() override { pump_.Pump(); }
    bool CancelRequested() const override { return cancel_; }

  private:
    QProgressBar* bar_;
    const bool& cancel_;
    EventPump pump_;
};

int Ymd(const QDate& d) {
    return d.year() * 10000 + d.month() * 100 + d.day();
}

QString Rate(const RateEstimate& r) {
    return QStringLiteral("%1 [%2-%3]")
        .arg(r.value, 0, 'f', 1)
        .arg(r.low, 0, 'f', 1)
        .arg(r.high, 0, 'f', 1);
}

void Fill(QTableWidget* table, const QStringList& headings, const std::vector<QStringList>& rows) {
    table->clear();
    table->setColumnCount(static_cast<int>(headings.size()));
    table->setHorizontalHeaderLabels(headings);
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < rows[static_cast<size_t>(r)].size(); ++c) {
            auto* item = new QTableWidgetItem(rows[static_cast<size_t>(r)][c]);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                          : Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    }
    table->resizeColumnsToContents();
}

}  // namespace

AnalysisController::AnalysisController(FeatureContext context, AnalysisPage& page, QObject* parent)
    : QObject(parent), context_(context), page_(page) {
    connect(page_.ScanBtn, &QPushButton::clicked, this, [this] { ScanBtnClick(); });
    connect(page_.CancelBtn, &QPushButton::clicked, this, &AnalysisController::CancelBtnClick);
    connect(page_.GroupCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (!scanning_) ShowGroups();
    });
    SetDefaultPeriod();
}

// The newest year of race days the program folder holds.
void AnalysisController::SetDefaultPeriod() {
    const auto& days = context_.session.RaceDays();
    QDate to = QDate::currentDate();
    if (!days.empty()) {
        if (auto ymd = load::YmdOfDateText(days.front())) {
            to = QDate::fromString(QString::fromStdString(*ymd), QStringLiteral("yyyyMMdd"));
        }
    }
    page_.ToDate->setDate(to);
    page_.FromDate->setDate(to.addYears(-1).addDays(1));
}

bool AnalysisController::ScanBtnClick() {
    if (scanning_) return false;
    scanning_ = true;
    cancelRequested_ = false;
    page_.ScanBtn->setEnabled(false);
    page_.CancelBtn->setEnabled(true);
    page_.ScanStatus->setText(QString::fromUtf8("集計中…"));
    PageProgress progress(page_.ScanBar, cancelRequested_);
    auto scan = load::ScanHistory(context_.session.ProgramFolder(), Ymd(page_.FromDate->date()),
                                  Ymd(page_.ToDate->date()), progress);
    scanning_ = false;
    page_.ScanBtn->setEnabled(true);
    page_.CancelBtn->setEnabled(false);
    if (!scan) {
        page_.ScanStatus->setText(FromUtf8(scan.error()));
        return false;
    }
    runners_ = std::move(scan->runners);
    page_.ScanStatus->setText(
        QString::fromUtf8("%1頭の結果（馬の履歴 %2件）%3")
            .arg(runners_.size())
            .arg(scan->historyFiles)
            .arg(scan->problems.empty()
                     ? QString()
                     : QString::fromUtf8("、読めないファイル %1件").arg(scan->problems.size())));
    ShowGroups();
    ShowBacktest();
    return true;
}

void AnalysisController::CancelBtnClick() {
    if (scanning_) cancelRequested_ = true;
}

void AnalysisController::ShowGroups() {
    const int index = std::max(0, page_.GroupCombo->currentIndex());
    const auto groups = analysis::TallyBy(runners_, kGroupings[index]);
    std::vector<QStringList> rows;
    for (const auto& g : groups) {
        const auto& t = g.tally;
        rows.push_back({FromUtf8(g.group), QString::number(t.runners), QString::number(t.win.hits),
                        QString::number(t.place.hits), Rate(t.WinHit()), Rate(t.PlaceHit()),
                        Rate(t.win.Return()), Rate(t.place.Return())});
    }
    Fill(page_.PatternGrid,
         {page_.GroupCombo->currentText(), QString::fromUtf8("頭数"), QString::fromUtf8("1着"),
          QString::fromUtf8("複勝圏"), QString::fromUtf8("勝率%"), QString::fromUtf8("複勝率%"),
          QString::fromUtf8("単回収率%"), QString::fromUtf8("複回収率%")},
         rows);
}

void AnalysisController::ShowBacktest() {
    const auto marks = analysis::MarkRunners(runners_, context_.session.JockeyTable());
    std::vector<QStringList> rows;
    for (const auto& b : analysis::Backtest(runners_, marks)) {
        rows.push_back({FromUtf8(b.group), QString::number(b.win.runners),
                        QString::number(b.win.win.hits), Rate(b.win.WinHit()),
                        Rate(b.win.win.Return()), QString::number(b.place.runners),
                        QString::number(b.place.place.hits), Rate(b.place.PlaceHit()),
                        Rate(b.place.place.Return())});
    }
    Fill(page_.BacktestGrid,
         {QString::fromUtf8("印"), QString::fromUtf8("単点数"), QString::fromUtf8("的中"),
          QString::fromUtf8("的中率%"), QString::fromUtf8("単回収率%"), QString::fromUtf8("複点数"),
          QString::fromUtf8("的中"), QString::fromUtf8("的中率%"), QString::fromUtf8("複回収率%")},
         rows);
    page_.Chart->SetPoints(analysis::CumulativeReturn(runners_, marks));
}

}  // namespace quindle::gui
