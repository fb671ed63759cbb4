#include "gui/runner/tracked_horse_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/common/controls.h"
#include "gui/common/qt_text.h"
#include "gui/common/string_grid.h"

namespace quindle::gui {
namespace {

enum Column { kName = 0, kLastRun = 1, kEntry = 2, kColumns = 3 };

constexpr const char* kEmptyHint =
    "追跡馬はまだいません。過去騎乗表で馬を右クリックし「追跡馬に登録」を選ぶと、"
    "ここに並びます。";

}  // namespace

TrackedHorseWindow::TrackedHorseWindow(QWidget* mainWindow) : QWidget(mainWindow, Qt::Window) {
    setObjectName(QStringLiteral("TrackedHorseForm"));
    setWindowTitle(QStringLiteral("追跡馬一覧"));
    HintLabel = MakeLabel(this, "HintLabel");
    HintLabel->setWordWrap(true);
    MessageLabel = MakeLabel(this, "MessageLabel");
    MessageLabel->setWordWrap(true);
    MessageLabel->setVisible(false);
    TrackedGrid = MakeStringGrid(
        this, {"TrackedGrid",
               kColumns,
               0,
               {QStringLiteral("馬名"), QStringLiteral("前走"), QStringLiteral("出走予定")},
               {170, 260, 170},
               64,
               0,
               true});
    TrackedGrid->horizontalHeader()->setStretchLastSection(true);
    OpenHorseBtn = MakeButton(this, {"OpenHorseBtn", "馬情報を開く"});
    UntrackBtn = MakeButton(this, {"UntrackBtn", "追跡を解除"});
    CloseBtn = MakeButton(this, {"CloseBtn", "閉じる"});

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(OpenHorseBtn);
    buttons->addWidget(UntrackBtn);
    buttons->addStretch(1);
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(HintLabel);
    layout->addWidget(MessageLabel);
    layout->addWidget(TrackedGrid, 1);
    layout->addLayout(buttons);
    resize(680, 360);

    connect(TrackedGrid, &QTableWidget::itemSelectionChanged, this,
            &TrackedHorseWindow::FollowSelection);
    const auto openSelected = [this] {
        if (const std::string pedigree = SelectedPedigree(); !pedigree.empty()) {
            emit horseWanted(pedigree);
        }
    };
    connect(TrackedGrid, &QTableWidget::cellDoubleClicked, this, openSelected);
    connect(OpenHorseBtn, &QPushButton::clicked, this, openSelected);
    connect(UntrackBtn, &QPushButton::clicked, this, [this] {
        if (const std::string pedigree = SelectedPedigree(); !pedigree.empty()) {
            emit untrackWanted(pedigree, SelectedName());
        }
    });
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
    FollowSelection();
}

void TrackedHorseWindow::Fill(const std::vector<masterdata::TrackedHorseRow>& rows,
                              const std::string& dayText,
                              const std::vector<std::string>& problems) {
    const std::string keep = SelectedPedigree();
    pedigrees_.clear();
    TrackedGrid->clearContents();
    TrackedGrid->setRowCount(static_cast<int>(rows.size()));
    int selectRow = rows.empty() ? -1 : 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        const masterdata::TrackedHorseRow& row = rows[r];
        pedigrees_.push_back(row.pedigree);
        if (row.pedigree == keep) selectRow = static_cast<int>(r);
        QString entry;
        for (const masterdata::TrackedEntry& e : row.entries) {
            if (!entry.isEmpty()) entry += QStringLiteral("、");
            entry += FromUtf8(e.label);
        }
        if (entry.isEmpty()) entry = QStringLiteral("－");
        const QString lastRun =
            row.lastRun.empty() ? QStringLiteral("（出走記録なし）") : FromUtf8(row.lastRun);
        const QString cells[kColumns] = {FromUtf8(row.name), lastRun, entry};
        for (int c = 0; c < kColumns; ++c) {
            TrackedGrid->setItem(static_cast<int>(r), c, new QTableWidgetItem(cells[c]));
        }
    }
    TrackedGrid->setHorizontalHeaderItem(
        kEntry,
        new QTableWidgetItem(dayText.empty() ? QStringLiteral("出走予定（開催日未選択）")
                                             : QStringLiteral("出走予定（") + FromUtf8(dayText) +
                                                   QStringLiteral("）")));
    HintLabel->setText(rows.empty()
                           ? QString::fromUtf8(kEmptyHint)
                           : QStringLiteral("追跡馬 %1頭。馬を選んで「馬情報を開く」"
                                            "（またはダブルクリック）で馬情報を表示します。")
                                 .arg(rows.size()));
    QString damaged;
    for (const std::string& problem : problems) {
        if (!damaged.isEmpty()) damaged += QLatin1Char('\n');
        damaged += FromUtf8(problem);
    }
    MessageLabel->setText(damaged);
    MessageLabel->setVisible(!damaged.isEmpty());
    if (selectRow >= 0) TrackedGrid->selectRow(selectRow);
    FollowSelection();
}

std::string TrackedHorseWindow::SelectedPedigree() const {
    const int row = TrackedGrid->currentRow();
    const QList<QTableWidgetItem*> selected = TrackedGrid->selectedItems();
    if (selected.isEmpty() || row < 0 || row >= static_cast<int>(pedigrees_.size())) return {};
    return pedigrees_[static_cast<size_t>(row)];
}

QString TrackedHorseWindow::SelectedName() const {
    const QTableWidgetItem* item = TrackedGrid->item(TrackedGrid->currentRow(), kName);
    return item ? item->text() : QString();
}

void TrackedHorseWindow::FollowSelection() {
    const bool any = !SelectedPedigree().empty();
    OpenHorseBtn->setEnabled(any);
    UntrackBtn->setEnabled(any);
}

}  // namespace quindle::gui
