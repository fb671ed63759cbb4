#include "gui/raceview/race_header.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/analysis/race_card_header.h"
#include "gui/common/controls.h"
#include "gui/common/qt_text.h"

namespace quindle::gui {
namespace {

// Maroon ($000080): the header's colour until a race on turf turns it green.
const QColor kHeaderBackground(0x80, 0x00, 0x00);
// Green ($008000): the header of a race on turf.
const QColor kTurfBackground(0x00, 0x80, 0x00);

QLabel* HeaderLabel(QWidget* parent, const char* name, int pointSize, bool bold) {
    QLabel* label = MakeLabel(parent, name);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    // A long race name or prize line is cut at the window's edge; it never
    // widens the window.
    label->setMinimumWidth(1);
    return label;
}

}  // namespace

RaceHeader BuildRaceHeader(QWidget* parent) {
    RaceHeader h;
    h.Panel3 = new QFrame(parent);
    h.Panel3->setObjectName(QStringLiteral("Panel3"));
    h.Panel3->setFrameShape(QFrame::StyledPanel);
    h.Panel3->setAutoFillBackground(true);
    QPalette palette = h.Panel3->palette();
    palette.setColor(QPalette::Window, kHeaderBackground);
    palette.setColor(QPalette::WindowText, Qt::white);
    h.Panel3->setPalette(palette);

    h.BashoLabel = HeaderLabel(h.Panel3, "BashoLabel", 18, true);
    h.RaceLabel = HeaderLabel(h.Panel3, "RaceLabel", 18, true);
    // The race number stands on a background of its own once a race shows
    // (autoFillBackground); until then the empty label stays unseen.
    QPalette numberPalette = h.RaceLabel->palette();
    numberPalette.setColor(QPalette::Window, Qt::white);
    numberPalette.setColor(QPalette::WindowText, Qt::black);
    h.RaceLabel->setPalette(numberPalette);
    h.RaceLabel->setMinimumWidth(36);
    h.RaceLabel->setAlignment(Qt::AlignCenter);
    h.Label1 = HeaderLabel(h.Panel3, "Label1", 10, false);
    h.Label2 = HeaderLabel(h.Panel3, "Label2", 12, true);
    h.Label3 = HeaderLabel(h.Panel3, "Label3", 9, false);
    h.Label4 = HeaderLabel(h.Panel3, "Label4", 9, false);
    h.Label6 = HeaderLabel(h.Panel3, "Label6", 9, false);
    h.Label7 = HeaderLabel(h.Panel3, "Label7", 9, false);
    h.RestTimeLabel = HeaderLabel(h.Panel3, "RestTimeLabel", 10, true);

    auto* title = new QHBoxLayout;
    title->addWidget(h.BashoLabel);
    title->addWidget(h.RaceLabel);
    auto* firstLines = new QVBoxLayout;
    firstLines->addWidget(h.Label1);
    firstLines->addWidget(h.Label2);
    title->addLayout(firstLines, 1);
    title->addWidget(h.RestTimeLabel, 0, Qt::AlignRight | Qt::AlignTop);

    auto* layout = new QVBoxLayout(h.Panel3);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(0);
    layout->addLayout(title);
    for (QLabel* line : {h.Label3, h.Label4, h.Label6, h.Label7}) layout->addWidget(line);
    return h;
}

void ShowRaceHeader(const RaceHeader& header, const analysis::RaceHeader& texts,
                    QLabel* oddsTimeLabel) {
    QPalette palette = header.Panel3->palette();
    palette.setColor(QPalette::Window, texts.turfPanel ? kTurfBackground : kHeaderBackground);
    header.Panel3->setPalette(palette);
    const std::pair<QLabel*, const std::string*> labels[] = {
        {header.BashoLabel, &texts.bashoLabel}, {header.RaceLabel, &texts.raceLabel},
        {header.Label1, &texts.label1},         {header.Label2, &texts.label2},
        {header.Label3, &texts.label3},         {header.Label4, &texts.label4},
        {header.Label6, &texts.label6},         {header.Label7, &texts.label7},
        {oddsTimeLabel, &texts.tfwTimeLabel},
    };
    for (const auto& [label, text] : labels) label->setText(FromCp932(*text));
    // The race number stands on its own opaque background.
    header.RaceLabel->setAutoFillBackground(true);
}

void ClearRaceHeader(const RaceHeader& header, QLabel* oddsTimeLabel) {
    ShowRaceHeader(header, analysis::RaceHeader{}, oddsTimeLabel);
    header.RaceLabel->setAutoFillBackground(false);
    header.RestTimeLabel->clear();
}

}  // namespace quindle::gui
