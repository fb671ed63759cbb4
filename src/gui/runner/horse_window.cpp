#include "gui/runner/horse_window.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

#include "core/text/cp932.h"
#include "gui/common/controls.h"
#include "gui/common/grid_colours.h"
#include "gui/common/qt_text.h"
#include "gui/common/string_grid.h"
#include "gui/common/window_geometry.h"
#include "gui/runner/master_labels.h"

namespace quindle::gui {
namespace {

using masterdata::HorseView;
using masterdata::PastRunDetail;

constexpr int kRowHeight = 15;
constexpr int kBlockRowHeight = 70;
constexpr int kBlockHeadingHeight = 20;
constexpr int kBlockColumnWidth = 600;
constexpr int kBlockLines = 6;
// The type of the blocks and the table: small enough for six lines in a
// block and the narrow columns of the table.
constexpr int kSmallPixels = 11;
// Where the pieces of a block's sixth line start at the least, from the
// line's start; a piece wider than its room pushes the next one on.
constexpr int kPieceXs[] = {0, 60, 120, 180};
constexpr int kPieceGap = 6;

QColor PlaceColor(analysis::Ink ink) {
    return InkColor(ink);
}

void ColourByPlace(QLabel* label, analysis::Ink ink) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, PlaceColor(ink));
    label->setPalette(palette);
}

// The 過去走2 blocks: every data cell of column 1 painted as six lines from
// the detail of its run.
class BlockDelegate : public QStyledItemDelegate {
  public:
    BlockDelegate(const std::optional<HorseView>& view, QObject* parent)
        : QStyledItemDelegate(parent), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (index.column() != 1 || !view_ ||
            index.row() >= static_cast<int>(view_->details.size())) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const PastRunDetail& d = view_->details[static_cast<size_t>(index.row())];
        painter->save();
        painter->setClipRect(option.rect);
        painter->fillRect(option.rect, QToolTip::palette().color(QPalette::ToolTipBase));
        QFont font = FixedPitchFont(option.font);
        font.setPixelSize(kSmallPixels);
        painter->setFont(font);
        const QFontMetrics metrics(font);
        // Six lines in the row, however tall the type's own line is.
        const int step = std::min(metrics.height(), (option.rect.height() - 2) / kBlockLines);
        const int left = option.rect.left() + 2;
        int baseline = option.rect.top() + 1 + metrics.ascent();
        painter->setPen(Qt::black);
        for (const std::string* line :
             {&d.blockTitle, &d.Labelkaisai, &d.Labelcource, &d.LabelUma, &d.Labeluma2}) {
            painter->drawText(left, baseline, FromCp932(*line));
            baseline += step;
        }
        const std::pair<std::string, analysis::Ink> pieces[] = {
            {d.Label3Dj12, d.finishInk},
            {d.Label3Dj14, d.passingInk},
            {d.Label3Dj15, d.popularityInk},
            {d.LabelUma3 + d.blockWinner, analysis::Ink::Black}};
        int x = 0;
        for (size_t i = 0; i < std::size(pieces); ++i) {
            const QString text = FromCp932(pieces[i].first);
            x = std::max(x, kPieceXs[i]);
            painter->setPen(PlaceColor(pieces[i].second));
            painter->drawText(left + x, baseline, text);
            x += metrics.horizontalAdvance(text) + kPieceGap;
        }
        painter->restore();
    }

  private:
    const std::optional<HorseView>& view_;
};

}  // namespace

HorseWindow::HorseWindow(env::SettingsFile& settings, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), settings_(settings) {
    setObjectName(QStringLiteral("UmaForm"));
    setWindowTitle(QStringLiteral("馬情報"));
    NameLabel = MakeLabel(this, "NameLabel");
    NameLabel2 = MakeLabel(this, "NameLabel2");
    for (QLabel* label : {NameLabel, NameLabel2}) {
        StyleHeadingLabel(label);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    MessageLabel = MakeLabel(this, "MessageLabel");
    MessageLabel->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    MessageLabel->hide();

    TabControl = new QTabWidget(this);
    TabControl->setObjectName(QStringLiteral("TabControl"));
    TabControl->addTab(MakeLinesPage(TabControl, infoLines_), QStringLiteral("馬情報"));
    BuildPastRunsTab();
    BuildBlocksTab();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(NameLabel);
    layout->addWidget(NameLabel2);
    layout->addWidget(MessageLabel);
    layout->addWidget(TabControl, 1);
}

void HorseWindow::BuildPastRunsTab() {
    Splitter1 = new QSplitter(Qt::Vertical, TabControl);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    DetailPanel = new QWidget(Splitter1);
    DetailPanel->setObjectName(QStringLiteral("DetailPanel"));
    DetailPanel->setAutoFillBackground(true);
    QPalette palette = DetailPanel->palette();
    palette.setColor(QPalette::Window, QToolTip::palette().color(QPalette::ToolTipBase));
    DetailPanel->setPalette(palette);
    const std::pair<QLabel * HorseWindow::*, const char*> labels[] = {
        {&HorseWindow::LabelUmaTitle, "LabelUmaTitle"}, {&HorseWindow::Labelkaisai, "Labelkaisai"},
        {&HorseWindow::Labelcource, "Labelcource"},     {&HorseWindow::LabelUma, "LabelUma"},
        {&HorseWindow::Labeluma2, "Labeluma2"},         {&HorseWindow::Label3Dj12, "Label3Dj12"},
        {&HorseWindow::Label3Dj14, "Label3Dj14"},       {&HorseWindow::Label3Dj15, "Label3Dj15"},
        {&HorseWindow::LabelUma3, "LabelUma3"},         {&HorseWindow::LabelAvTime, "LabelAvTime"}};
    for (const auto& [member, name] : labels) {
        this->*member = MakeLabel(DetailPanel, name);
        (this->*member)->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    StyleHeadingLabel(LabelUmaTitle);
    for (QLabel* label : {Label3Dj12, Label3Dj14, Label3Dj15}) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    auto* panel = new QVBoxLayout(DetailPanel);
    panel->setContentsMargins(4, 2, 4, 2);
    panel->setSpacing(1);
    auto* title = new QHBoxLayout;
    title->addWidget(LabelUmaTitle);
    title->addWidget(Labelkaisai, 1);
    panel->addLayout(title);
    for (QLabel* label : {Labelcource, LabelUma, Labeluma2}) panel->addWidget(label);
    auto* places = new QHBoxLayout;
    for (QLabel* label : {Label3Dj12, Label3Dj14, Label3Dj15, LabelUma3, LabelAvTime}) {
        places->addWidget(label);
    }
    places->addStretch(1);
    panel->addLayout(places);

    QStringList headings;
    std::vector<int> widths;
    for (const auto& column : masterdata::PastRunColumns()) {
        headings.append(QString::fromUtf8(column.heading));
        widths.push_back(column.width);
    }
    StringGrid2 = MakeStringGrid(Splitter1, {"StringGrid2", masterdata::kPastRunColumns, 0,
                                             headings, widths, 64, kRowHeight, true});
    QFont small = FixedPitchFont(StringGrid2->font());
    small.setPixelSize(kSmallPixels);
    StringGrid2->setFont(small);
    StringGrid2->setTextElideMode(Qt::ElideNone);
    StyleHeadingRow(StringGrid2->horizontalHeader());
    StringGrid2->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu3 = new QMenu(StringGrid2);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    MenuItem2 = PopupMenu3->addAction(QStringLiteral("馬過去走リストをｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ"));
    MenuItem2->setObjectName(QStringLiteral("MenuItem2"));
    connect(MenuItem2, &QAction::triggered, this, &HorseWindow::MenuItem2Click);
    connect(StringGrid2, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu3->popup(StringGrid2->viewport()->mapToGlobal(at));
    });
    connect(StringGrid2, &QTableWidget::cellPressed, this,
            [this](int row, int) { StringGrid2MouseDown(row); });
    Splitter1->setStretchFactor(1, 1);
    TabControl->addTab(Splitter1, QStringLiteral("過去走1"));
}

void HorseWindow::BuildBlocksTab() {
    auto* sheet = new QWidget(TabControl);
    UmameiKakosoLabel = MakeLabel(sheet, "UmameiKakosoLabel");
    UmameiKakosoLabel->setAutoFillBackground(true);
    UmameiKakosoLabel->setStyleSheet(
        QStringLiteral("color: white; background: blue; font-weight: bold; padding: 2px;"));
    StringGrid3 = MakeStringGrid(sheet, {"StringGrid3",
                                         2,
                                         0,
                                         {QStringLiteral("No"), QStringLiteral("詳細")},
                                         {25, 600},
                                         64,
                                         kBlockRowHeight,
                                         true});
    StringGrid3->horizontalHeader()->setFixedHeight(kBlockHeadingHeight);
    StyleHeadingRow(StringGrid3->horizontalHeader());
    StringGrid3->setItemDelegate(new BlockDelegate(view_, StringGrid3));
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(UmameiKakosoLabel);
    layout->addWidget(StringGrid3, 1);
    TabControl->addTab(sheet, QStringLiteral("過去走2"));
}

void HorseWindow::Clear() {
    view_.reset();
    for (QLabel* label :
         {NameLabel, NameLabel2, UmameiKakosoLabel, LabelUmaTitle, Labelkaisai, Labelcource,
          LabelUma, Labeluma2, Label3Dj12, Label3Dj14, Label3Dj15, LabelUma3, LabelAvTime}) {
        label->clear();
    }
    FillItemLabels(infoLines_, {});
    StringGrid2->setRowCount(0);
    StringGrid3->setRowCount(0);
}

void HorseWindow::Open(const Result<masterdata::HorseView>& view,
                       const std::vector<std::string>& problems) {
    Clear();
    if (view) {
        ShowMessages(MessageLabel, problems);
        ShowView(*view);
    } else {
        ShowMessages(MessageLabel, {view.error()});
    }
    if (!placed_) {
        RestoreWindowGeometry(*this, settings_, env::settings::kHorseWindow);
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
}

void HorseWindow::ShowView(const HorseView& view) {
    view_ = view;
    NameLabel->setText(FromCp932(view.NameLabel));
    NameLabel2->setText(FromCp932(view.NameLabel2));
    FillItemLabels(infoLines_, view.info);
    const int rows = static_cast<int>(view.rows.size());
    StringGrid2->setRowCount(rows);
    StringGrid3->setRowCount(rows);
    const QFont base = StringGrid2->font();
    for (int r = 0; r < rows; ++r) {
        const auto& cells = view.rows[static_cast<size_t>(r)];
        for (int c = 0; c < masterdata::kPastRunColumns; ++c) {
            auto* item = new QTableWidgetItem(FromCp932(cells[static_cast<size_t>(c)]));
            analysis::CellStyle style;
            style.align = analysis::Align::Left;
            if (c == 0) style.fill = analysis::Fill::Heading;
            if (c >= masterdata::kFirstPlaceColumn && c <= masterdata::kLastPlaceColumn) {
                style.bold = true;
                style.ink = analysis::PlaceInk(text::ReadInt32(cells[static_cast<size_t>(c)]));
            }
            ApplyCellStyle(*item, style, base);
            StringGrid2->setItem(r, c, item);
        }
        StringGrid3->setItem(r, 0, new QTableWidgetItem(FromCp932(cells[0])));
        StringGrid3->setItem(r, 1, new QTableWidgetItem);
    }
    // The widths are those of the system's type; a wider type widens a
    // column rather than cutting its texts.
    const auto& columns = masterdata::PastRunColumns();
    for (int c = 0; c < masterdata::kPastRunColumns; ++c) {
        StringGrid2->resizeColumnToContents(c);
        const int least = columns[static_cast<size_t>(c)].width;
        if (StringGrid2->columnWidth(c) < least) StringGrid2->setColumnWidth(c, least);
    }
    UmameiKakosoLabel->setText(FromCp932(view.UmameiKakosoLabel));
    // The block column is as wide as its longest line.
    QFont blockFont = FixedPitchFont(StringGrid3->font());
    blockFont.setPixelSize(kSmallPixels);
    const QFontMetrics metrics(blockFont);
    int widest = kBlockColumnWidth;
    for (const PastRunDetail& d : view.details) {
        for (const std::string* line :
             {&d.Labelkaisai, &d.Labelcource, &d.LabelUma, &d.Labeluma2}) {
            widest = std::max(widest, metrics.horizontalAdvance(FromCp932(*line)) + 8);
        }
        const QString last = FromCp932(d.LabelUma3 + d.blockWinner);
        widest = std::max(widest, kPieceXs[3] + metrics.horizontalAdvance(last) + 8);
    }
    StringGrid3->setColumnWidth(1, widest);
}

void HorseWindow::StringGrid2MouseDown(int row) {
    if (!view_ || row < 0 || row >= static_cast<int>(view_->details.size())) return;
    const PastRunDetail& d = view_->details[static_cast<size_t>(row)];
    const std::pair<QLabel*, const std::string*> texts[] = {
        {LabelUmaTitle, &d.LabelUmaTitle}, {Labelkaisai, &d.Labelkaisai},
        {Labelcource, &d.Labelcource},     {LabelUma, &d.LabelUma},
        {Labeluma2, &d.Labeluma2},         {Label3Dj12, &d.Label3Dj12},
        {Label3Dj14, &d.Label3Dj14},       {Label3Dj15, &d.Label3Dj15},
        {LabelUma3, &d.LabelUma3},         {LabelAvTime, &d.LabelAvTime}};
    for (const auto& [label, text] : texts) label->setText(FromCp932(*text));
    ColourByPlace(Label3Dj12, d.finishInk);
    ColourByPlace(Label3Dj14, d.passingInk);
    ColourByPlace(Label3Dj15, d.popularityInk);
}

void HorseWindow::MenuItem2Click() {
    if (!view_) return;
    QApplication::clipboard()->setText(FromCp932(masterdata::PastRunsClipboardText(*view_)));
}

void HorseWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible()) {
        SaveGeometry();
    }
}

void HorseWindow::hideEvent(QHideEvent* event) {
    SaveGeometry();
    QWidget::hideEvent(event);
}

void HorseWindow::SaveGeometry() {
    // A place that cannot be kept only costs the window its place next time.
    (void)SaveWindowGeometry(*this, settings_, env::settings::kHorseWindow);
}

}  // namespace quindle::gui
