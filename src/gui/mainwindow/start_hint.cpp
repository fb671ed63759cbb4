#include "gui/mainwindow/start_hint.h"

#include <QEvent>

#include "gui/document/day_document.h"

namespace quindle::gui {
namespace {

constexpr const char* kNoDaysHint =
    "開催日のデータがまだありません。\n\n"
    "上の「JVデータ取得」ボタンでJRA-VANのデータを取り込むと、開催日を選べるようになります。\n"
    "初めて取り込むときは「セットアップデータ」を選び、取得開始日付を一年ほど前にしてください。";
constexpr const char* kChooseDayHint =
    "開催日を選んでください。\n\n"
    "上の開催日の一覧から日付を選ぶと、左にその日のレース一覧が、ここに出馬表が表示されます。\n"
    "新しい開催日のデータは「JVデータ取得」ボタンで取り込めます。";

}  // namespace

StartHint::StartHint(DayDocument& document, QWidget* pages, QWidget* parent)
    : QLabel(parent), document_(document), pages_(pages) {
    setObjectName(QStringLiteral("StartHintLabel"));
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setMargin(24);
    QFont larger = font();
    larger.setPointSizeF(larger.pointSizeF() * 1.2);
    setFont(larger);
    pages_->installEventFilter(this);
    connect(&document_, &DayDocument::raceDaysChanged, this, &StartHint::Follow);
    Follow();
}

bool StartHint::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pages_ &&
        (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)) {
        Follow();
    }
    return QLabel::eventFilter(watched, event);
}

void StartHint::Follow() {
    setText(QString::fromUtf8(document_.RaceDays().empty() ? kNoDaysHint : kChooseDayHint));
    setVisible(pages_->isHidden());
}

}  // namespace quindle::gui
