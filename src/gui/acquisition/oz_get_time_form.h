#pragma once
// The acquisition-time dialog (TOzGetTimeForm, "データ自動取得時刻指定"):
// the lead time of the automatic odds retrieval, the interval of the results
// refresh, and the kept body-weight value, each a two-digit number box bound
// to a key of section "Time". OK writes every box back; closing otherwise
// writes nothing. New values take effect at the next day load.
//
// The boxes come from one table (kOzGetTimeRows): a new setting is one more
// row there.

#include <QDialog>
#include <span>
#include <vector>

#include "core/env/settings_file.h"

class QPushButton;
class QSpinBox;

namespace quindle::gui {

class MessageSink;

// One number box of the dialog.
struct OzGetTimeRow {
    const char* name;      // the box's control name
    env::IntKey key;       // where its value is kept
    int minimum, maximum;  // what the box accepts
    const char* heading;   // UTF-8; empty: no heading
    const char* text;      // the explanation under the heading (UTF-8)
    const char* before;    // caption before the box (UTF-8)
    const char* after;     // caption after the box (UTF-8)
    bool visible = true;
};

// The dialog's rows, in their order.
std::span<const OzGetTimeRow> OzGetTimeRows();

class OzGetTimeForm : public QDialog {
    Q_OBJECT
  public:
    OzGetTimeForm(env::SettingsFile& settings, MessageSink& messages, QWidget* parent = nullptr);

  private:
    // OK: every box to its key.
    void BitBtn1Click();

    env::SettingsFile& settings_;
    MessageSink& messages_;
    std::vector<QSpinBox*> boxes_;  // one per row of OzGetTimeRows()
    QPushButton* BitBtn1_ = nullptr;
};

}  // namespace quindle::gui
