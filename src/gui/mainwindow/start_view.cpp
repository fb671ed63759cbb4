// The start options that open the window on a race day, a race and a tab
// (--day, --race, --search, --runner, --tab): for demonstrations and screenshots, they
// do what the user would do by hand.

#include <QComboBox>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>
#include <cctype>

#include "common/qt_text.h"
#include "mainwindow/MainWindow.h"
#include "model/day_files.h"

namespace quindle::gui {
namespace {

std::string WithoutBlanks(const QString& text) {
    QString out = text;
    out.remove(QLatin1Char(' '));
    return ToUtf8(out);
}

bool AllDigits(const std::string& s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

}  // namespace

Status MainWindow::ShowStartView(const StartView& view) {
    if (!view.day.empty()) {
        const auto& days = day_->State().RaceDays;
        std::string date = view.day;
        if (date == "newest") {
            if (days.empty()) return Error{"no race day in " + ProgramFolder().string()};
            date = days.front();
        } else if (auto text = model::DateTextOfYmd(date)) {
            date = *text;
        }
        if (Status selected = SelectDay(date); !selected) return selected;
    }

    if (!view.race.empty()) {
        int line = -1;
        if (AllDigits(view.race)) {
            const int race = std::stoi(view.race);
            const auto it = std::find(raceIndexes_.begin(), raceIndexes_.end(), race);
            if (it != raceIndexes_.end()) line = static_cast<int>(it - raceIndexes_.begin());
        } else {
            const std::string wanted = WithoutBlanks(FromUtf8(view.race));
            for (int i = 0; i < DatList_->count(); ++i) {
                if (WithoutBlanks(DatList_->item(i)->text()) == wanted) line = i;
            }
        }
        if (line < 0) return Error{"no race " + view.race + " on the loaded day"};
        DatList_->setCurrentRow(line);
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
