#pragma once
// The choosers the commands put to the user: a folder chooser and a file-open
// dialog (Yes/No questions go through the MessageSink). Every command asks
// through a UserDialogs, so tests can answer instead of a person.

#include <QString>
#include <optional>

namespace quindle::gui {

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;
    // A folder chooser with `caption`, starting at `start`; nothing when
    // cancelled.
    virtual std::optional<QString> ChooseFolder(const QString& caption, const QString& start) = 0;
    // A file-open dialog in `folder` offering `filter` ("(*.csv)" style);
    // nothing when cancelled.
    virtual std::optional<QString> ChooseOpenFile(const QString& folder, const QString& filter) = 0;
};

// The platform's boxes and dialogs, over the active window.
class BoxUserDialogs : public UserDialogs {
  public:
    std::optional<QString> ChooseFolder(const QString& caption, const QString& start) override;
    std::optional<QString> ChooseOpenFile(const QString& folder, const QString& filter) override;
};

// `dialogs` when given, else a process-wide BoxUserDialogs.
UserDialogs& DialogsOrDefault(UserDialogs* dialogs);

}  // namespace quindle::gui
