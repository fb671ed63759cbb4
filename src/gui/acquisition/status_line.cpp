#include "gui/acquisition/status_line.h"

#include <QLabel>

#include "gui/common/qt_text.h"

namespace quindle::gui {

void StatusLine::SetStatusLine(std::string_view text) {
    label_->setText(FromUtf8(text));
    pump_.Restart();
}

void StatusLine::Pump() {
    pump_.Pump();
}

}  // namespace quindle::gui
