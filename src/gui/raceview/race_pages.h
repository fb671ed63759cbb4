#pragma once
// The page control of the race view (PageControl1) with the tabs the user
// sees once a race day is loaded: "出馬表", "過去騎乗表", "前走勝ち上り表" and
// "結果". The statistics tab is added by its own builder.

#include "gui/raceview/result_labels.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace quindle::gui {

struct RacePages {
    QTabWidget* PageControl1 = nullptr;

    QWidget* TabSheet11 = nullptr;  // "出馬表"
    QTableWidget* StringGrid10 = nullptr;
    QPushButton* LbSpeedButton1 = nullptr;
    QLabel* TFWtimeLabel = nullptr;  // odds announcement time of the race

    QWidget* TabSheet12 = nullptr;  // "過去騎乗表"
    QTableWidget* StringGrid2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* ChaseHorseItem = nullptr;  // "追跡馬に登録(&R)"
    QAction* HorseItem = nullptr;       // "馬名"
    QAction* JockeyItem = nullptr;      // "騎手名"
    QAction* TrainerItem = nullptr;     // "調教氏名"

    QWidget* TabSheet18 = nullptr;  // "前走勝ち上り表"
    QTableWidget* StringGrid13 = nullptr;
    QTableWidget* StringGrid12 = nullptr;
    QLabel* SelUmaLabel = nullptr;
    QLabel* SelUmaZensoLabel = nullptr;
    QLabel* kachiAgariLabel = nullptr;
    QLabel* ZensoKatiagariLabel = nullptr;

    ResultLabels results;  // "結果"
};

RacePages BuildRacePages(QWidget* parent);

}  // namespace quindle::gui
