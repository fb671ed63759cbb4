// The start options that open the window on a race day, a race and a tab
// (--day, --race, --search, --runner, --tab): for demonstrations and screenshots, they
// do what the user would do by hand.

#include <QComboBox>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>

#include "app/session.h"
#include "common/qt_text.h"
#include "document/day_document.h"
#include "mainwindow/MainWindow.h"

namespace quindle::gui {

Status MainWindow::ShowStartView(const StartView& view) {
    if (!view.day.empty()) {
        auto date = Session().ResolveDay(view.day, document_->RaceDays());
        if (!date) return Error{date.error()};
        if (Status selected = SelectDay(*date); !selected) return selected;
    }

    if (!view.race.empty()) {
        if (document_->DateText().empty()) return Error{"no race day is loaded"};
        auto race = app::ResolveRace(document_->Outcome(), view.race);
        if (!race) return Error{race.error()};
        const auto& indexes = document_->RaceIndexes();
        const auto line = std::find(indexes.begin(), indexes.end(), *race) - indexes.begin();
        DatList_->setCurrentRow(static_cast<int>(line));
        DatListClick();
    }

    if (view.search) ZnesoMemberBtnClick();

    if (view.runner != 0) {
        if (view.runner < 1 || view.runner > pages_.StringGrid13->rowCount()) {
            return Error{"no runner row " + std::to_string(view.runner) + " in the shown race"};
        }
        pages_.StringGrid13->selectRow(view.runner - 1);
        StringGrid13MouseDown(view.runner - 1);
    }

    if (!view.tab.empty()) {
        const std::pair<const char*, QWidget*> tabs[] = {
            {"card", pages_.TabSheet11},
            {"past", pages_.TabSheet12},
            {"zenso", pages_.TabSheet18},
            {"result", pages_.results.TabSheet16},
        };
        QWidget* sheet = nullptr;
        for (const auto& [name, widget] : tabs) {
            const int index = pages_.PageControl1->indexOf(widget);
            if (view.tab == name || FromUtf8(view.tab) == pages_.PageControl1->tabText(index)) {
                sheet = widget;
            }
        }
        if (!sheet) return Error{"no tab " + view.tab + " (card, past, zenso, result)"};
        pages_.PageControl1->setCurrentWidget(sheet);
    }
    return Status::Ok();
}

}  // namespace quindle::gui
