#pragma once
// The main menu (MainMenu). The menus "メール設定" and "開発用" and the item
// "勝ち上り馬" show only by a feature switch; the developer menu's items carry
// no operation.

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;

namespace quindle::gui {

struct MainMenu {
    QMenuBar* bar = nullptr;
    QMenu* FileMenu = nullptr;     // "ﾌｧｲﾙ(&F)"
    QMenu* CsvMenu = nullptr;      // "CSV出力"
    QMenu* OptionMenu = nullptr;   // "ｵﾌﾟｼｮﾝ(&O)"
    QMenu* MailMenu = nullptr;     // "メール設定"
    QMenu* FolderMenu = nullptr;   // "ﾌｫﾙﾀﾞ指定(&F)"
    QMenu* ViewMenu = nullptr;     // "表示(&V)", filled by BuildDisplayMenu
    QMenu* HelpMenu = nullptr;     // "ﾍﾙﾌﾟ(&H)"
    QMenu* DevelopMenu = nullptr;  // "開発用"

    QAction* TimeSeriesOddsItem = nullptr;    // "時系列オッズより取得(&T)"
    QAction* AllOddsItem = nullptr;           // "1日分の全オッズを一括取得(&O)"
    QAction* TrackedHorsesItem = nullptr;     // "追跡馬一覧(&H)"
    QAction* CsvRecommendItem = nullptr;      // "単推奨・複推奨"
    QAction* CsvGetGiveItem = nullptr;        // "Get・Give"
    QAction* CsvWinnersItem = nullptr;        // "勝ち上り馬"
    QAction* QuitItem = nullptr;              // "終了(&X)"
    QAction* OzGetTimeItem = nullptr;         // "データ自動取得時刻設定(&T)"
    QAction* MailSetItem = nullptr;           // "ﾒｰﾙ設定"
    QAction* ForwardMailItem = nullptr;       // "携帯へ転送する" (check item)
    QAction* TimeSeriesFolderItem = nullptr;  // "時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定(&T)"
    QAction* CsvFolderItem = nullptr;         // "CSVﾌｧｲﾙ出力先ﾌｫﾙﾀﾞ指定"
    QAction* ManualItem = nullptr;            // "使用解説書(&C)"
    QAction* VersionItem = nullptr;           // "ﾊﾞｰｼﾞｮﾝ情報(&A)..."
};

// Builds the menus into `window`'s menu bar.
MainMenu BuildMainMenu(QMainWindow* window);

}  // namespace quindle::gui
