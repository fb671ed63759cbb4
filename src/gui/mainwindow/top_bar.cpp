#include "gui/mainwindow/top_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "gui/common/controls.h"

namespace quindle::gui {
namespace {

struct BarButton {
    QPushButton* TopBar::*slot;
    ButtonSpec spec;
    int row;  // row of the button group; -1: an internal operation
};

constexpr BarButton kButtons[] = {
    {&TopBar::SpeedButton1, {"SpeedButton1", "F", "レースリストの表示/非表示を行います"}, 0},
    {&TopBar::JVBtn, {"JVBtn", "JVデータ取得", "JVデータの取得を行います"}, 0},
    {&TopBar::VerButton1, {"VerButton1", "ﾊﾞｰｼﾞｮﾝ情報", "ﾊﾞｰｼﾞｮﾝ情報を表示します"}, 0},
    {&TopBar::QuitButton, {"QuitButton", "終了", "本ソフトを終了します"}, 0},
    {&TopBar::HelpButton, {"HelpButton", "ヘルプ", "本ソフトのヘルプを表示します"}, 0},
    {&TopBar::KekkaGetBtn, {"KekkaGetBtn", "結果情報", "レース結果データを取得します"}, 1},
    {&TopBar::SokuhoOddsBtn, {"SokuhoOddsBtn", "速報ｵｯｽﾞ", "速報オッズを取得します"}, 1},
    {&TopBar::NextRaceBtn, {"NextRaceBtn", "直前ﾚｰｽ"}, 1},
    {&TopBar::ZnesoMemberBtn, {"ZnesoMemberBtn", "前走勝ち上り"}, 1},
    {&TopBar::DirectReadBtn, {"DirectReadBtn", "一気読み"}, 1},
    {&TopBar::MakeDataListBtn, {"MakeDataListBtn", "リスト作成"}, -1},
    {&TopBar::IniBtn, {"IniBtn", "初期化"}, -1},
    {&TopBar::OzReadBtn, {"OzReadBtn", "オッズ取込"}, -1},
    {&TopBar::HrReadBtn, {"HrReadBtn", "払戻取込"}, -1},
    {&TopBar::CalcBtn, {"CalcBtn", "Calc"}, -1},
    {&TopBar::sisushutubaBtn, {"sisushutubaBtn", "出馬表作成"}, -1},
    {&TopBar::SortDeHyoBtn, {"SortDeHyoBtn", "指数表Sort"}, -1},
    {&TopBar::OzGetLoopBtn, {"OzGetLoopBtn", "ｵｯｽﾞ取得（自動）"}, -1},
    {&TopBar::GetDMBtn, {"GetDMBtn", "ﾏｲﾆﾝｸﾞ"}, -1},
    {&TopBar::DeliverBtn, {"DeliverBtn", "配信"}, -1},
    {&TopBar::DispZensoBtn, {"DispZensoBtn", "前走表示"}, -1},
};

constexpr int kButtonColumns = 5;

}  // namespace

TopBar BuildTopBar(QWidget* parent) {
    TopBar bar;
    bar.SpeedBar = new QFrame(parent);
    bar.SpeedBar->setObjectName(QStringLiteral("SpeedBar"));
    bar.SpeedBar->setFrameShape(QFrame::StyledPanel);

    auto* left = new QWidget(bar.SpeedBar);
    auto* grid = new QGridLayout(left);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(2);
    // The internal operations live in a container that is never shown.
    auto* internal = new QWidget(bar.SpeedBar);
    internal->setObjectName(QStringLiteral("InternalOperations"));
    internal->setVisible(false);

    int column[2] = {0, 0};
    for (const BarButton& b : kButtons) {
        QPushButton* button = MakeButton(b.row < 0 ? internal : left, b.spec);
        bar.*b.slot = button;
        if (b.row >= 0) grid->addWidget(button, b.row, column[b.row]++);
    }
    bar.DirectReadBtn->setVisible(false);  // shown by its feature switch
    bar.AutoOzCheck = MakeCheckBox(internal, {"AutoOzCheck", "ｵｯｽﾞ自動取得"});

    bar.NowTimLabel = MakeLabel(left, "NowTimLabel");
    QFont clockFont = bar.NowTimLabel->font();
    clockFont.setBold(true);
    clockFont.setPointSize(12);
    bar.NowTimLabel->setFont(clockFont);
    bar.DateCombo = new QComboBox(left);
    bar.DateCombo->setObjectName(QStringLiteral("DateCombo"));
    bar.DateCombo->setMinimumWidth(160);
    grid->addWidget(bar.NowTimLabel, 2, 0, 1, 2);
    grid->addWidget(bar.DateCombo, 2, 2, 1, kButtonColumns - 2);

    bar.header = BuildRaceHeader(bar.SpeedBar);

    auto* layout = new QHBoxLayout(bar.SpeedBar);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(left, 0, Qt::AlignTop);
    layout->addWidget(bar.header.Panel3, 1);
    return bar;
}

}  // namespace quindle::gui
