#include "gui/runner/person_window.h"

#include <QEvent>
#include <QLabel>
#include <QTabBar>
#include <QVBoxLayout>

#include "gui/common/controls.h"
#include "gui/common/qt_text.h"
#include "gui/common/window_geometry.h"
#include "gui/runner/master_labels.h"

namespace quindle::gui {
namespace {

using masterdata::ViewItem;

const env::GeometryKeys& KeysOf(PersonWindow::Person person) {
    return person == PersonWindow::Person::kJockey ? env::settings::kJockeyWindow
                                                   : env::settings::kTrainerWindow;
}

}  // namespace

PersonWindow::PersonWindow(Person person, env::SettingsFile& settings, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), person_(person), settings_(settings), keys_(KeysOf(person)) {
    const bool jockey = person == Person::kJockey;
    setObjectName(jockey ? QStringLiteral("KishuForm") : QStringLiteral("ChokForm"));
    setWindowTitle(jockey ? QStringLiteral("騎手データ") : QStringLiteral("調教師データ"));
    NameLabel = MakeLabel(this, "NameLabel");
    StyleHeadingLabel(NameLabel);
    NameLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    MessageLabel = MakeLabel(this, "MessageLabel");
    MessageLabel->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    MessageLabel->hide();

    auto* head = new QWidget(this);
    headLines_ = new QVBoxLayout(head);
    headLines_->setContentsMargins(0, 0, 0, 0);
    headLines_->setSpacing(1);

    TabControl1 = new QTabBar(this);
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    for (const char* caption : masterdata::kResultTabCaptions) {
        TabControl1->addTab(QString::fromUtf8(caption));
    }
    connect(TabControl1, &QTabBar::currentChanged, this, &PersonWindow::TabControl1Change);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(NameLabel);
    layout->addWidget(MessageLabel);
    layout->addWidget(head);
    layout->addWidget(TabControl1);
    layout->addWidget(MakeLinesPage(this, resultLines_), 1);
}

void PersonWindow::Open(const Result<masterdata::PersonView>& view,
                        const std::vector<std::string>& problems) {
    view_.reset();
    NameLabel->clear();
    NameLabel->setToolTip({});
    if (view) {
        ShowMessages(MessageLabel, problems);
        view_ = *view;
        NameLabel->setText(FromCp932(view->NameLabel));
        NameLabel->setToolTip(FromCp932(view->tooltip));
        std::vector<ViewItem> head = view->firstRides;
        head.push_back(masterdata::Heading("【近走重賞勝鞍】"));
        head.insert(head.end(), view->gradedWins.begin(), view->gradedWins.end());
        FillItemLabels(headLines_, head);
    } else {
        ShowMessages(MessageLabel, {view.error()});
        FillItemLabels(headLines_, {});
    }
    TabControl1Change();
    if (!placed_) {
        RestoreWindowGeometry(*this, settings_, keys_);
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
}

void PersonWindow::TabControl1Change() {
    const int tab = TabControl1->currentIndex();
    if (!view_ || tab < 0 || tab >= masterdata::kResultTabs) {
        FillItemLabels(resultLines_, {});
        return;
    }
    FillItemLabels(resultLines_, view_->results[static_cast<size_t>(tab)]);
}

void PersonWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible()) {
        SaveGeometry();
    }
}

void PersonWindow::hideEvent(QHideEvent* event) {
    SaveGeometry();
    QWidget::hideEvent(event);
}

void PersonWindow::SaveGeometry() {
    // A place that cannot be kept only costs the window its place next time.
    (void)SaveWindowGeometry(*this, settings_, keys_);
}

}  // namespace quindle::gui
