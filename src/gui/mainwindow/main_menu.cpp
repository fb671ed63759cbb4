#include "gui/mainwindow/main_menu.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace quindle::gui {
namespace {

struct MenuSpec {
    QMenu* MainMenu::*slot;
    const char* name;
    const char* caption;
    QMenu* MainMenu::*parent;  // nullptr: a menu of the bar
};

constexpr MenuSpec kMenus[] = {
    {&MainMenu::FileMenu, "FileMenu", "ﾌｧｲﾙ(&F)", nullptr},
    {&MainMenu::OptionMenu, "OptionMenu", "ｵﾌﾟｼｮﾝ(&O)", nullptr},
    {&MainMenu::MailMenu, "MailMenu", "メール設定", nullptr},
    {&MainMenu::FolderMenu, "FolderMenu", "ﾌｫﾙﾀﾞ指定(&F)", nullptr},
    {&MainMenu::ViewMenu, "ViewMenu", "表示(&V)", nullptr},
    {&MainMenu::HelpMenu, "HelpMenu", "ﾍﾙﾌﾟ(&H)", nullptr},
    {&MainMenu::DevelopMenu, "DevelopMenu", "開発用", nullptr},
};

struct ItemSpec {
    QAction* MainMenu::*slot;
    const char* name;
    const char* caption;
    QMenu* MainMenu::*menu;
};

// In menu order; the CSV submenu is placed in the file menu before "終了(&X)".
constexpr ItemSpec kFileItems[] = {
    {&MainMenu::TimeSeriesOddsItem, "TimeSeriesOddsItem", "時系列オッズより取得(&T)",
     &MainMenu::FileMenu},
    {&MainMenu::AllOddsItem, "AllOddsItem", "1日分の全オッズを一括取得(&O)", &MainMenu::FileMenu},
    {&MainMenu::TrackedHorsesItem, "TrackedHorsesItem", "追跡馬一覧(&H)", &MainMenu::FileMenu},
};
constexpr ItemSpec kItems[] = {
    {&MainMenu::CsvRecommendItem, "CsvRecommendItem", "単推奨・複推奨", &MainMenu::CsvMenu},
    {&MainMenu::CsvGetGiveItem, "CsvGetGiveItem", "Get・Give", &MainMenu::CsvMenu},
    {&MainMenu::CsvWinnersItem, "CsvWinnersItem", "勝ち上り馬", &MainMenu::CsvMenu},
    {&MainMenu::QuitItem, "QuitItem", "終了(&X)", &MainMenu::FileMenu},
    {&MainMenu::OzGetTimeItem, "OzGetTimeItem", "データ自動取得時刻設定(&T)",
     &MainMenu::OptionMenu},
    {&MainMenu::MailSetItem, "MailSetItem", "ﾒｰﾙ設定", &MainMenu::MailMenu},
    {&MainMenu::ForwardMailItem, "ForwardMailItem", "携帯へ転送する", &MainMenu::MailMenu},
    {&MainMenu::TimeSeriesFolderItem, "TimeSeriesFolderItem", "時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定(&T)",
     &MainMenu::FolderMenu},
    {&MainMenu::CsvFolderItem, "CsvFolderItem", "CSVﾌｧｲﾙ出力先ﾌｫﾙﾀﾞ指定", &MainMenu::FolderMenu},
    {&MainMenu::ManualItem, "ManualItem", "使用解説書(&C)", &MainMenu::HelpMenu},
    {&MainMenu::VersionItem, "VersionItem", "ﾊﾞｰｼﾞｮﾝ情報(&A)...", &MainMenu::HelpMenu},
};

// The developer menu: two odds-distribution submenus and one plain item.
constexpr const char* kOddsDistributionMenus[] = {"オッズ分布単日", "オッズ分布全期間"};
constexpr const char* kOddsMoments[] = {"朝オッズ", "中間オッズ", "直前オッズ"};
constexpr const char* kBetCheckItem = "検証用買い目設定";

QAction* AddItem(MainMenu& menu, const ItemSpec& spec) {
    QAction* action = (menu.*spec.menu)->addAction(QString::fromUtf8(spec.caption));
    action->setObjectName(QString::fromLatin1(spec.name));
    menu.*spec.slot = action;
    return action;
}

}  // namespace

MainMenu BuildMainMenu(QMainWindow* window) {
    MainMenu menu;
    menu.bar = window->menuBar();
    menu.bar->setObjectName(QStringLiteral("MainMenu"));
    for (const MenuSpec& spec : kMenus) {
        QMenu* created = menu.bar->addMenu(QString::fromUtf8(spec.caption));
        created->setObjectName(QString::fromLatin1(spec.name));
        menu.*spec.slot = created;
    }
    for (const ItemSpec& spec : kFileItems) AddItem(menu, spec);
    menu.CsvMenu = menu.FileMenu->addMenu(QStringLiteral("CSV出力"));
    menu.CsvMenu->setObjectName(QStringLiteral("CsvMenu"));
    for (const ItemSpec& spec : kItems) AddItem(menu, spec);
    menu.ForwardMailItem->setCheckable(true);

    for (const char* caption : kOddsDistributionMenus) {
        QMenu* sub = menu.DevelopMenu->addMenu(QString::fromUtf8(caption));
        for (const char* moment : kOddsMoments) sub->addAction(QString::fromUtf8(moment));
    }
    menu.DevelopMenu->addAction(QString::fromUtf8(kBetCheckItem));
    return menu;
}

}  // namespace quindle::gui
