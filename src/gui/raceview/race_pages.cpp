#include "gui/raceview/race_pages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/common/controls.h"
#include "gui/common/string_grid.h"
#include "gui/raceview/race_grids.h"

namespace quindle::gui {
namespace {

// Room for a vertical scroll bar beside a grid's columns.
constexpr int kScrollBarAllowance = 20;

QWidget* Sheet(QTabWidget* pages, const char* name, const char* caption) {
    auto* sheet = new QWidget(pages);
    sheet->setObjectName(QString::fromLatin1(name));
    pages->addTab(sheet, QString::fromUtf8(caption));
    return sheet;
}

void BuildCardSheet(RacePages& p) {
    p.TabSheet11 = Sheet(p.PageControl1, "TabSheet11", "出馬表");
    p.LbSpeedButton1 = MakeButton(p.TabSheet11, {"LbSpeedButton1", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ"});
    QLabel* oddsTimeCaption = MakeLabel(p.TabSheet11, "OddsTimeCaption", "ｵｯｽﾞ取得時刻");
    p.TFWtimeLabel = MakeLabel(p.TabSheet11, "TFWtimeLabel");
    p.StringGrid10 = MakeStringGrid(p.TabSheet11, RaceCardGridShape());
    // Small enough type for the card's low rows.
    QFont font = p.StringGrid10->font();
    font.setPixelSize(11);
    p.StringGrid10->setFont(font);

    auto* tools = new QHBoxLayout;
    tools->addWidget(p.LbSpeedButton1);
    tools->addSpacing(16);
    tools->addWidget(oddsTimeCaption);
    tools->addWidget(p.TFWtimeLabel);
    tools->addStretch(1);
    auto* layout = new QVBoxLayout(p.TabSheet11);
    layout->addLayout(tools);
    layout->addWidget(p.StringGrid10, 1);
}

void BuildPastRideSheet(RacePages& p) {
    p.TabSheet12 = Sheet(p.PageControl1, "TabSheet12", "過去騎乗表");
    p.StringGrid2 = MakeStringGrid(p.TabSheet12, PastRideGridShape());
    p.StringGrid2->setContextMenuPolicy(Qt::CustomContextMenu);
    p.PopupMenu1 = new QMenu(p.StringGrid2);
    p.PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    struct Item {
        QAction* RacePages::*slot;
        const char* name;
        const char* caption;
    };
    constexpr Item kItems[] = {
        {&RacePages::ChaseHorseItem, "ChaseHorseItem", "追跡馬に登録(&R)"},
        {&RacePages::HorseItem, "HorseItem", "馬名"},
        {&RacePages::JockeyItem, "JockeyItem", "騎手名"},
        {&RacePages::TrainerItem, "TrainerItem", "調教氏名"},
    };
    for (const Item& item : kItems) {
        QAction* action = p.PopupMenu1->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        p.*item.slot = action;
        // The tracked-horse item stands apart from the three windows.
        if (item.slot == &RacePages::ChaseHorseItem) {
            p.PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N2"));
        }
    }
    auto* layout = new QVBoxLayout(p.TabSheet12);
    layout->addWidget(p.StringGrid2);
}

void BuildZensoSheet(RacePages& p) {
    p.TabSheet18 = Sheet(p.PageControl1, "TabSheet18", "前走勝ち上り表");
    p.StringGrid13 = MakeStringGrid(p.TabSheet18, RunnerListGridShape());
    p.StringGrid12 = MakeStringGrid(p.TabSheet18, ZensoGridShape());
    p.SelUmaLabel = MakeLabel(p.TabSheet18, "SelUmaLabel");
    p.SelUmaZensoLabel = MakeLabel(p.TabSheet18, "SelUmaZensoLabel");
    p.kachiAgariLabel = MakeLabel(p.TabSheet18, "kachiAgariLabel");
    p.ZensoKatiagariLabel = MakeLabel(p.TabSheet18, "ZensoKatiagariLabel");
    p.ZensoKatiagariLabel->setWordWrap(true);  // the hint before the search is long

    // Each value label stands after its caption.
    auto* facts = new QGridLayout;
    const std::pair<const char*, QLabel*> rows[] = {{"選択馬名", p.SelUmaLabel},
                                                    {"前走", p.SelUmaZensoLabel},
                                                    {"勝ち上り馬頭数", p.kachiAgariLabel}};
    int row = 0;
    for (const auto& [caption, value] : rows) {
        facts->addWidget(new QLabel(QString::fromUtf8(caption), p.TabSheet18), row, 0);
        facts->addWidget(value, row++, 1);
    }
    facts->setColumnStretch(1, 1);
    auto* right = new QVBoxLayout;
    right->addLayout(facts);
    right->addWidget(p.StringGrid12, 1);
    right->addWidget(p.ZensoKatiagariLabel);
    // The runner list is as wide as its columns; the previous race takes the rest.
    int listWidth = 2 * p.StringGrid13->frameWidth() + kScrollBarAllowance;
    for (int c = 0; c < p.StringGrid13->columnCount(); ++c) {
        listWidth += p.StringGrid13->columnWidth(c);
    }
    p.StringGrid13->setFixedWidth(listWidth);
    auto* layout = new QHBoxLayout(p.TabSheet18);
    layout->addWidget(p.StringGrid13);
    layout->addLayout(right, 1);
}

}  // namespace

RacePages BuildRacePages(QWidget* parent) {
    RacePages p;
    p.PageControl1 = new QTabWidget(parent);
    p.PageControl1->setObjectName(QStringLiteral("PageControl1"));
    BuildCardSheet(p);
    BuildPastRideSheet(p);
    BuildZensoSheet(p);
    p.results = BuildResultLabels(p.PageControl1);
    p.PageControl1->addTab(p.results.TabSheet16, QStringLiteral("結果"));
    return p;
}

}  // namespace quindle::gui
