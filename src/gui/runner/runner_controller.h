#pragma once
// Actions on one runner of the past-ride table: its pop-up menu (tracked
// horses, the horse, jockey and trainer windows) and the clicks that select it.

#include <QObject>

#include "common/feature_context.h"

class QPoint;

namespace quindle::gui {

struct RacePages;

class RunnerController : public QObject {
    Q_OBJECT
  public:
    RunnerController(FeatureContext context, RacePages& pages, QObject* parent = nullptr);

  private:
    void StringGrid2MouseUp();
    void StringGrid2Popup(const QPoint& position);
    void ChaseHorseItemClick();
    void HorseItemClick();
    void JockeyItemClick();
    void TrainerItemClick();

    FeatureContext context_;
    RacePages& pages_;
};

}  // namespace quindle::gui
