#pragma once
// The top bar of the main window (SpeedBar): the command buttons, the clock,
// the race-day selector and the race header; and the buttons of the internal
// operations, which other operations and the timers run and the user never
// sees (the bulk load shows only by its feature switch).

#include "gui/raceview/race_header.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace quindle::gui {

struct TopBar {
    QFrame* SpeedBar = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* JVBtn = nullptr;
    QPushButton* VerButton1 = nullptr;
    QPushButton* QuitButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QPushButton* KekkaGetBtn = nullptr;
    QPushButton* SokuhoOddsBtn = nullptr;
    QPushButton* NextRaceBtn = nullptr;
    QPushButton* ZnesoMemberBtn = nullptr;
    QComboBox* DateCombo = nullptr;
    QLabel* NowTimLabel = nullptr;
    RaceHeader header;

    // Internal operations.
    QPushButton* MakeDataListBtn = nullptr;
    QPushButton* IniBtn = nullptr;
    QPushButton* OzReadBtn = nullptr;
    QPushButton* HrReadBtn = nullptr;
    QPushButton* CalcBtn = nullptr;
    QPushButton* sisushutubaBtn = nullptr;
    QPushButton* SortDeHyoBtn = nullptr;
    QPushButton* OzGetLoopBtn = nullptr;
    QPushButton* GetDMBtn = nullptr;
    QPushButton* DeliverBtn = nullptr;
    QPushButton* DispZensoBtn = nullptr;
    QPushButton* DirectReadBtn = nullptr;
    QCheckBox* AutoOzCheck = nullptr;
};

TopBar BuildTopBar(QWidget* parent);

}  // namespace quindle::gui
