#include "gui/common/progress_window.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/common/qt_text.h"

namespace quindle::gui {
namespace {

constexpr int kWidth = 420;

}  // namespace

ProgressWindow::ProgressWindow(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("prgrsForm"));
    setWindowModality(Qt::ApplicationModal);
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("CaptionLabel"));
    detail_ = new QLabel(this);
    detail_->setObjectName(QStringLiteral("DetailLabel"));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_);
    layout->addWidget(detail_);
    layout->addWidget(bar_);
    setFixedWidth(kWidth);
}

void ProgressWindow::Begin() {
    if (QWidget* owner = parentWidget()) {
        const QPoint centre = owner->geometry().center();
        adjustSize();
        move(centre - rect().center());
    }
    show();
    pump_.Restart();
    Pump();
}

void ProgressWindow::End() {
    Apply();
    hide();
}

void ProgressWindow::SetCaption(std::string_view text) {
    caption_->setText(FromUtf8(text));
    setWindowTitle(caption_->text());
    // The work shows the window with its caption: work that ends before it
    // (a day without its race file) shows none.
    if (!isVisible()) Begin();
}

void ProgressWindow::SetDetail(std::string_view text) {
    pendingDetail_ = FromUtf8(text);
}

void ProgressWindow::SetRange(int maximum) {
    pendingMaximum_ = maximum;
}

void ProgressWindow::SetPosition(int position) {
    pendingPosition_ = position;
}

void ProgressWindow::Pump() {
    if (!pump_.Due()) return;
    Apply();
    pump_.PumpNow();
}

QString ProgressWindow::Caption() const {
    return caption_->text();
}

QString ProgressWindow::Detail() const {
    return pendingDetail_;
}

void ProgressWindow::Apply() {
    if (detail_->text() != pendingDetail_) detail_->setText(pendingDetail_);
    if (bar_->maximum() != pendingMaximum_) bar_->setRange(0, pendingMaximum_);
    // The load may step the bar once past its maximum; the bar stops there.
    bar_->setValue(std::min(pendingPosition_, pendingMaximum_));
}

}  // namespace quindle::gui
