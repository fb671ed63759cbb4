#include "gui/document/day_document.h"

#include "core/load/previous_race_search.h"
#include "core/model/payout_calc.h"

namespace quindle::gui {

DayDocument::DayDocument(app::Session& session, QObject* parent)
    : QObject(parent), session_(session), day_(std::make_unique<model::RaceDay>()) {}

DayDocument::~DayDocument() = default;

void DayDocument::RefreshRaceDays() {
    raceDays_ = session_.RaceDays();
    emit raceDaysChanged();
}

Status DayDocument::LoadDay(const std::string& dateText, ProgressSink& progress) {
    emit dayLoadStarted();
    dateText_.clear();
    outcome_ = {};
    auto outcome = [&] {
        const ScopedFlag loading(loading_);
        return session_.LoadDay(*day_, dateText, progress);
    }();
    if (!outcome) return Error{outcome.error()};
    dateText_ = dateText;
    outcome_ = std::move(*outcome);
    emit dayLoaded();
    return Status::Ok();
}

// --- Changes of the loaded day -----------------------------------------------------

app::RetrievalDay DayDocument::Loaded() {
    return {*day_, dateText_, outcome_, currentRace_};
}

void DayDocument::FollowImport(const app::Imported& imported, bool showEachRace) {
    if (imported.what == app::ImportKind::Payouts) {
        emit dayChanged(kWholeDay, Change::Results);
        return;
    }
    // The message of a race without runners has no one to go to here: such a
    // race is passed over.
    if (showEachRace) (void)ShowRace(imported.race);
    emit dayChanged(imported.race, Change::Odds);
}

app::RetrievalReport DayDocument::Retrieve(app::DayRetrieval& retrieval, app::Retrieval what,
                                           std::vector<load::RaceRef> queue) {
    const bool showEachRace = what == app::Retrieval::DayOdds;
    return retrieval.Run(
        what, Loaded(),
        [this, showEachRace](const app::Imported& imported) {
            FollowImport(imported, showEachRace);
        },
        std::move(queue));
}

Status DayDocument::ImportOdds() {
    const Status imported = app::ImportRetrievedOdds(session_, Loaded(), currentRace_);
    if (imported) emit dayChanged(currentRace_, Change::Odds);
    return imported;
}

Status DayDocument::ImportPayouts() {
    jvlink::RealtimeOutcome payouts;
    payouts.payoutImport = true;
    return app::ImportAfterRetrieval(session_, Loaded(), payouts,
                                     [this](const app::Imported& i) { FollowImport(i, false); });
}

void DayDocument::ClearDerivedData() {
    day_->ClearDerivedData();
    emit dayChanged(kWholeDay, Change::Cleared);
}

void DayDocument::CalculatePayouts() {
    model::CalculatePayouts(*day_);
    emit dayChanged(kWholeDay, Change::Payouts);
}

Status DayDocument::SearchPreviousRaceWinners(ProgressSink& progress) {
    const Status searched = [&] {
        const ScopedFlag searching(searching_);
        return load::SearchPreviousRaceWinners(*day_, session_.ProgramFolder(), progress);
    }();
    if (searched) emit dayChanged(kWholeDay, Change::PreviousRaces);
    return searched;
}

void DayDocument::TrackRunner(int race, int slot) {
    day_->OutData(race).Tracked[static_cast<std::size_t>(slot)] = 1;
    emit dayChanged(race, Change::Tracked);
}

void DayDocument::SetTrackedRunners(const std::vector<std::pair<int, int>>& runners) {
    for (int race = 0; race < model::kRaces; ++race) day_->OutData(race).Tracked.items.fill(0);
    for (const auto& [race, slot] : runners) {
        day_->OutData(race).Tracked[static_cast<std::size_t>(slot)] = 1;
    }
    emit dayChanged(kWholeDay, Change::Tracked);
}

void DayDocument::MarkDelivered(int race) {
    day_->State().Delivered[static_cast<std::size_t>(race)] = 1;
    emit dayChanged(race, Change::Delivered);
}

// --- The selection -----------------------------------------------------------------

std::optional<std::string> DayDocument::ShowRace(int race) {
    if (auto noRunners = app::NoRunnersMessage(*day_, race)) return noRunners;
    currentRace_ = race;
    emit raceShown(race);
    return std::nullopt;
}

void DayDocument::SelectZensoRow(int row) {
    zensoRow_ = row;
    emit zensoRowChanged(row);
}

}  // namespace quindle::gui
