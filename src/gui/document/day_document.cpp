#include "document/day_document.h"

namespace quindle::gui {

DayDocument::DayDocument(app::Session& session, QObject* parent)
    : QObject(parent), session_(session), day_(std::make_unique<model::RaceDay>()) {}

DayDocument::~DayDocument() = default;

void DayDocument::RefreshRaceDays() {
    raceDays_ = session_.RaceDays();
    emit raceDaysChanged();
}

Status DayDocument::LoadDay(const std::string& dateText, ProgressSink& progress) {
    dateText_.clear();
    outcome_ = {};
    loading_ = true;
    auto outcome = session_.LoadDay(*day_, dateText, progress);
    loading_ = false;
    if (!outcome) return Error{outcome.error()};
    dateText_ = dateText;
    outcome_ = std::move(*outcome);
    emit dayLoaded();
    return Status::Ok();
}

void DayDocument::ShowRace(int race) {
    currentRace_ = race;
    emit raceShown(race);
}

void DayDocument::SelectZensoRow(int row) {
    zensoRow_ = row;
    emit zensoRowChanged(row);
}

}  // namespace quindle::gui
