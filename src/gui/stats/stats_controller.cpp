#include "stats/stats_controller.h"

#include <QPushButton>

#include "common/wiring.h"
#include "stats/stats_page.h"

namespace quindle::gui {

StatsController::StatsController(FeatureContext context, StatsPage& page, QObject* parent)
    : QObject(parent), context_(context), page_(page) {
    using S = StatsController;
    WireButtons<S>(this, {
                             {page_.Shukei2Btn, &S::Shukei2BtnClick},
                             {page_.SaveBtn, &S::SaveBtnClick},
                             {page_.LoadBtn, &S::LoadBtnClick},
                             {page_.CalcBtn2, &S::CalcBtn2Click},
                         });
}

// The work of these comes with the statistics.
void StatsController::Shukei2BtnClick() {}
void StatsController::SaveBtnClick() {}
void StatsController::LoadBtnClick() {}
void StatsController::CalcBtn2Click() {}

}  // namespace quindle::gui
