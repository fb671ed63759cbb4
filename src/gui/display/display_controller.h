#pragma once
// How the race grids look: the zoom of their type, rows and columns, the
// optional columns of the race card, and the legend of the marks and
// colours. The zoom and the columns are kept in the settings file and
// applied at the start and whenever the user changes them.

#include <QObject>
#include <vector>

#include "core/analysis/race_card.h"
#include "gui/common/feature_context.h"
#include "gui/display/display_menu.h"

class QTableView;
class QTableWidget;

namespace quindle::gui {

class LegendDialog;
class PastRideDelegate;
class RaceCardView;

class DisplayController : public QObject {
    Q_OBJECT
  public:
    struct Controls {
        DisplayMenu menu;
        RaceCardView* card;
        QTableWidget* StringGrid2;  // the past rides
        QTableView* StringGrid2Fixed;
        PastRideDelegate* pastRides;
        QTableWidget* StringGrid12;  // the previous race's horses
    };
    DisplayController(FeatureContext context, Controls controls, QObject* parent = nullptr);

    // The zoom in force and the optional card columns shown, as the
    // settings file holds them.
    int Zoom() const;
    std::vector<analysis::CardColumn> ExtraColumns() const;

    void ZoomInItemClick();
    void ZoomOutItemClick();
    void ZoomResetItemClick();
    void LegendItemClick();

  private:
    void SetZoom(int percent);
    void CardColumnItemClick();
    // Sizes every grid and shows the chosen columns.
    void Apply();

    FeatureContext context_;
    Controls controls_;
    LegendDialog* legend_ = nullptr;
};

}  // namespace quindle::gui
