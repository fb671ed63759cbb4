#pragma once
// The race header in the top bar (Panel3): the facts of the race on show,
// and the time left until its start.

class QFrame;
class QLabel;
class QWidget;

namespace quindle::analysis {
struct RaceHeader;
}

namespace quindle::gui {

struct RaceHeader {
    QFrame* Panel3 = nullptr;         // background: green on turf, maroon otherwise
    QLabel* BashoLabel = nullptr;     // venue
    QLabel* RaceLabel = nullptr;      // race number
    QLabel* Label1 = nullptr;         // date, meeting, race, post time, weather, going
    QLabel* Label2 = nullptr;         // edition and race name
    QLabel* Label3 = nullptr;         // field, distance, track, grade, race type
    QLabel* Label4 = nullptr;         // weight type and race conditions
    QLabel* Label6 = nullptr;         // prize money
    QLabel* Label7 = nullptr;         // added prize money
    QLabel* RestTimeLabel = nullptr;  // time left until the post time
};

RaceHeader BuildRaceHeader(QWidget* parent);

// Shows the texts of a race's header, Panel3 green for a race on turf and
// maroon otherwise, and the race's odds time in `oddsTimeLabel`
// (TFWtimeLabel, on the race card's tab).
void ShowRaceHeader(const RaceHeader& header, const analysis::RaceHeader& texts,
                    QLabel* oddsTimeLabel);

// Empties the header and `oddsTimeLabel`, as before the first race: no race
// is on show.
void ClearRaceHeader(const RaceHeader& header, QLabel* oddsTimeLabel);

}  // namespace quindle::gui
