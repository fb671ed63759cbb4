#pragma once
// Small factories for the named controls the windows are built from: the Qt
// object name carries the control's name, the caption and hint its texts.

#include <string_view>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace quindle::gui {

// A button of a window. An empty hint leaves the status line alone.
struct ButtonSpec {
    const char* name;
    const char* caption;    // UTF-8
    const char* hint = "";  // UTF-8
};

QPushButton* MakeButton(QWidget* parent, const ButtonSpec& spec);
QCheckBox* MakeCheckBox(QWidget* parent, const ButtonSpec& spec);
QLabel* MakeLabel(QWidget* parent, const char* name, std::string_view caption = {});

// Sets the hint that the status line shows while the mouse is over `widget`.
void SetHint(QWidget* widget, const char* hint);

}  // namespace quindle::gui
