#pragma once
// The legend of the race grids ("印と色の説明"): what the marks ◎ ☆ ○ × mean
// and every colour of the race card and the past-ride table, each shown in
// the colour the grids paint it.

#include <QDialog>

namespace quindle::gui {

class LegendDialog : public QDialog {
    Q_OBJECT
  public:
    explicit LegendDialog(QWidget* parent);

    // The legend as rich text (a table per grid).
    static QString LegendHtml();
};

}  // namespace quindle::gui
