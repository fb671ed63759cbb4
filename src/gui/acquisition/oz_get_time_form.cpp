#include "gui/acquisition/oz_get_time_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/common/controls.h"
#include "gui/common/message_sink.h"
#include "gui/common/qt_text.h"

namespace quindle::gui {

namespace {

constexpr OzGetTimeRow kRows[] = {
    {"SpinEdit3", env::settings::kAutoOddsMinutes, 3, 59, "オッズ自動取得時刻指定",
     "ｵｯｽﾞを自動取得する際に各ﾚｰｽ発走何分前に取得機能を起動するかを指定します。", "発走", "分前"},
    {"SpinEdit1", env::settings::kAutoRaceDataMinutes, 5, 59, "結果情報自動取得時刻指定",
     "随時更新されるﾚｰｽ結果情報を何分おきに自動取得するか指定します。", "", "分間隔"},
    {"SpinEdit2", env::settings::kAutoBodyWeightMinutes, 2, 59, "", "", "", "", false},
    {"SpinEdit4", env::settings::kMailLeadMinutes, 1, 59, "", "", "メール送信", "分前"},
};

}  // namespace

std::span<const OzGetTimeRow> OzGetTimeRows() {
    return kRows;
}

OzGetTimeForm::OzGetTimeForm(env::SettingsFile& settings, MessageSink& messages, QWidget* parent)
    : QDialog(parent), settings_(settings), messages_(messages) {
    setObjectName(QStringLiteral("OzGetTimeForm"));
    setWindowTitle(QString::fromUtf8("データ自動取得時刻指定"));
    auto* layout = new QVBoxLayout(this);
    for (const OzGetTimeRow& row : kRows) {
        auto* box = new QSpinBox(this);
        box->setObjectName(QString::fromLatin1(row.name));
        box->setRange(row.minimum, row.maximum);
        box->setValue(std::clamp(settings_.Read(row.key), row.minimum, row.maximum));
        box->setVisible(row.visible);
        boxes_.push_back(box);
        if (!row.visible) continue;
        if (*row.heading) {
            QLabel* heading = MakeLabel(this, "", row.heading);
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            layout->addWidget(heading);
        }
        if (*row.text) {
            QLabel* text = MakeLabel(this, "", row.text);
            text->setWordWrap(true);
            layout->addWidget(text);
        }
        auto* line = new QHBoxLayout;
        if (*row.before) line->addWidget(MakeLabel(this, "", row.before));
        line->addWidget(box);
        line->addWidget(MakeLabel(this, "", row.after));
        line->addStretch();
        layout->addLayout(line);
    }
    BitBtn1_ = MakeButton(this, {"BitBtn1", "OK"});
    layout->addWidget(BitBtn1_, 0, Qt::AlignRight);
    connect(BitBtn1_, &QPushButton::clicked, this, &OzGetTimeForm::BitBtn1Click);
}

void OzGetTimeForm::BitBtn1Click() {
    for (size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i]->interpretText();
        const Status written = settings_.Write(kRows[i].key, boxes_[i]->value());
        if (!written) {
            messages_.Inform(FromUtf8(written.error()), Beep::Yes);
            return;
        }
    }
    accept();
}

}  // namespace quindle::gui
