#include "gui/analysis/analysis_page.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/analysis/return_chart.h"
#include "gui/common/controls.h"

namespace quindle::gui {
namespace {

QDateEdit* MakeDate(QWidget* parent, const char* name) {
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    return edit;
}

QTableWidget* MakeTable(QWidget* parent, const char* name) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    return table;
}

}  // namespace

AnalysisPage BuildAnalysisPage(QTabWidget* pages) {
    AnalysisPage a;
    a.AnalysisSheet = new QWidget(pages);
    a.AnalysisSheet->setObjectName(QStringLiteral("AnalysisSheet"));
    a.FromDate = MakeDate(a.AnalysisSheet, "FromDate");
    a.ToDate = MakeDate(a.AnalysisSheet, "ToDate");
    a.GroupCombo = new QComboBox(a.AnalysisSheet);
    a.GroupCombo->setObjectName(QStringLiteral("GroupCombo"));
    for (const char* name : {"騎乗パターン", "騎手", "場", "人気", "クラス", "Get/Give"}) {
        a.GroupCombo->addItem(QString::fromUtf8(name));
    }
    a.ScanBtn = MakeButton(a.AnalysisSheet, {"ScanBtn", "集計"});
    a.CancelBtn = MakeButton(a.AnalysisSheet, {"CancelBtn", "中止"});
    a.CancelBtn->setEnabled(false);
    a.ScanBar = new QProgressBar(a.AnalysisSheet);
    a.ScanBar->setObjectName(QStringLiteral("ScanBar"));
    a.ScanBar->setMaximumWidth(200);
    a.ScanStatus = new QLabel(a.AnalysisSheet);
    a.ScanStatus->setObjectName(QStringLiteral("ScanStatus"));

    a.PatternGrid = MakeTable(a.AnalysisSheet, "PatternGrid");
    a.BacktestGrid = MakeTable(a.AnalysisSheet, "BacktestGrid");
    a.Chart = new ReturnChart(a.AnalysisSheet);

    auto* tools = new QHBoxLayout;
    tools->addWidget(new QLabel(QString::fromUtf8("期間"), a.AnalysisSheet));
    tools->addWidget(a.FromDate);
    tools->addWidget(new QLabel(QString::fromUtf8("～"), a.AnalysisSheet));
    tools->addWidget(a.ToDate);
    tools->addWidget(new QLabel(QString::fromUtf8("集計単位"), a.AnalysisSheet));
    tools->addWidget(a.GroupCombo);
    tools->addWidget(a.ScanBtn);
    tools->addWidget(a.CancelBtn);
    tools->addWidget(a.ScanBar);
    tools->addWidget(a.ScanStatus, 1);

    auto* lower = new QSplitter(Qt::Horizontal, a.AnalysisSheet);
    lower->addWidget(a.BacktestGrid);
    lower->addWidget(a.Chart);
    auto* split = new QSplitter(Qt::Vertical, a.AnalysisSheet);
    split->addWidget(a.PatternGrid);
    split->addWidget(lower);

    auto* layout = new QVBoxLayout(a.AnalysisSheet);
    layout->addLayout(tools);
    layout->addWidget(split, 1);

    const int index = pages->addTab(a.AnalysisSheet, QString::fromUtf8("分析"));
    pages->setTabVisible(index, false);
    return a;
}

}  // namespace quindle::gui
