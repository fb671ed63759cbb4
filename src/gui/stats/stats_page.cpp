#include "gui/stats/stats_page.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/stats/stats_file.h"
#include "gui/common/controls.h"
#include "gui/common/qt_text.h"
#include "gui/common/string_grid.h"

namespace quindle::gui {
namespace {

constexpr int kDataColumns = 39;
constexpr int kSummaryColumns = 19;
constexpr int kSummaryRows = 30;  // the heading row included

}  // namespace

StatsPage BuildStatsPage(QTabWidget* pages) {
    StatsPage s;
    s.TabSheet1 = new QWidget(pages);
    s.TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    s.Shukei2Btn = MakeButton(s.TabSheet1, {"Shukei2Btn", "集計"});
    s.SaveBtn = MakeButton(s.TabSheet1, {"SaveBtn", "保存"});
    s.LoadBtn = MakeButton(s.TabSheet1, {"LoadBtn", "読込"});
    s.CalcBtn2 = MakeButton(s.TabSheet1, {"CalcBtn2", "計算"});
    s.Edit1 = new QLineEdit(FromUtf8(stats::kDefaultStatsFileName), s.TabSheet1);
    s.Edit1->setObjectName(QStringLiteral("Edit1"));

    s.StatsTabs = new QTabWidget(s.TabSheet1);
    s.StatsTabs->setObjectName(QStringLiteral("StatsTabs"));
    s.StringGrid22 = MakeStringGrid(s.StatsTabs, {"StringGrid22", kDataColumns});
    s.StringGrid4 = MakeStringGrid(s.StatsTabs, {"StringGrid4", kSummaryColumns, kSummaryRows - 1});
    s.StatsTabs->addTab(s.StringGrid22, QString::fromUtf8("データ"));
    s.StatsTabs->addTab(s.StringGrid4, QString::fromUtf8("集計"));

    auto* tools = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(s.Shukei2Btn), static_cast<QWidget*>(s.SaveBtn),
                       static_cast<QWidget*>(s.LoadBtn), static_cast<QWidget*>(s.CalcBtn2),
                       static_cast<QWidget*>(s.Edit1)}) {
        tools->addWidget(w);
    }
    tools->addStretch(1);
    auto* layout = new QVBoxLayout(s.TabSheet1);
    layout->addLayout(tools);
    layout->addWidget(s.StatsTabs, 1);

    const int index = pages->addTab(s.TabSheet1, QString::fromUtf8("統計"));
    pages->setTabVisible(index, false);
    return s;
}

}  // namespace quindle::gui
