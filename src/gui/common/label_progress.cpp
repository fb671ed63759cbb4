#include "gui/common/label_progress.h"

#include <QLabel>

#include "gui/common/qt_text.h"

namespace quindle::gui {

LabelProgress::LabelProgress(QLabel* label) : label_(label) {}

void LabelProgress::SetDetail(std::string_view text) {
    pending_ = FromUtf8(text);
}

void LabelProgress::Pump() {
    if (!pump_.Due()) return;
    if (label_->text() != pending_) label_->setText(pending_);
    pump_.PumpNow();
}

}  // namespace quindle::gui
