#pragma once
// Shared pieces of the GUI tests: a fresh program folder, a message sink that
// records instead of showing boxes, and the program started in that folder.

#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "gui/common/message_sink.h"
#include "gui/common/user_dialogs.h"
#include "gui/document/day_document.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/shell/program.h"

namespace quindle::gui {

// The loaded day as a test fixture sets it up by hand: the window itself
// changes it only through the document's operations.
struct DayDocumentTestAccess {
    static model::RaceDay& Day(DayDocument& document) { return *document.day_; }
};

}  // namespace quindle::gui

namespace quindle::gui::testing {

// A named control below `root`; a missing one is reported, so that a renamed
// control reads as such rather than as a crash on a null pointer.
template <typename T>
T* NamedChild(const QObject& root, const char* name) {
    T* child = root.findChild<T*>(QString::fromLatin1(name));
    if (!child) qWarning("no control %s", name);
    return child;
}

inline model::RaceDay& WritableDay(MainWindow& window) {
    return DayDocumentTestAccess::Day(window.Document());
}

struct Shown {
    QString text;
    Beep beep;
};

class RecordingSink : public MessageSink {
  public:
    void Inform(const QString& text, Beep beep) override { shown.push_back({text, beep}); }
    bool Ask(const QString& text) override {
        asked.push_back(text);
        return answer;
    }
    void SystemBeep() override { ++beeps; }
    std::vector<Shown> shown;
    std::vector<QString> asked;
    bool answer = true;  // the answer to every question
    int beeps = 0;       // beeps without a message
};

// Dialogs answered by the test: each answer as set, every question recorded.
class ScriptedDialogs : public UserDialogs {
  public:
    std::optional<QString> ChooseFolder(const QString& caption, const QString& start) override {
        questions.push_back(caption);
        folderStart = start;
        return folder;
    }
    std::optional<QString> ChooseOpenFile(const QString& folder, const QString& filter) override {
        questions.push_back(filter);
        openFolder = folder;
        return openFile;
    }

    std::optional<QString> folder;    // nothing: cancelled
    std::optional<QString> openFile;  // nothing: cancelled
    std::vector<QString> questions;   // captions and filters shown
    QString folderStart;
    QString openFolder;
};

// The fixed moment the tests' clock reads.
inline LocalDateTime FixedNow() {
    return {2025, 1, 5, 9, 30, 15};
}

class TempHome {
  public:
    TempHome() { QVERIFY(dir_.isValid()); }
    std::filesystem::path path() const { return dir_.path().toStdString(); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path() / name, std::ios::binary) << bytes;
    }

  private:
    QTemporaryDir dir_;
};

// StartProgram with "--home <home>" and `extraArgs`, its messages going to
// `sink`, its questions to `dialogs` (nullptr: the platform's dialogs) and
// its clock `clock`.
inline Result<std::unique_ptr<MainWindow>> Start(const std::filesystem::path& home,
                                                 RecordingSink& sink,
                                                 std::vector<std::string> extraArgs = {},
                                                 UserDialogs* dialogs = nullptr,
                                                 LocalClock clock = FixedNow) {
    std::vector<std::string> args = {"--home", home.string()};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    auto line = ParseCommandLine(args);
    if (!line) return Error{line.error()};
    ProgramSetup setup;
    setup.commandLine = std::move(*line);
    setup.messages = &sink;
    setup.dialogs = dialogs;
    setup.clock = std::move(clock);
    return StartProgram(setup);
}

inline Result<std::unique_ptr<MainWindow>> Start(const std::filesystem::path& home,
                                                 RecordingSink& sink,
                                                 std::vector<std::string> extraArgs,
                                                 LocalClock clock) {
    return Start(home, sink, std::move(extraArgs), nullptr, std::move(clock));
}

inline Result<std::unique_ptr<MainWindow>> Start(const TempHome& home, RecordingSink& sink,
                                                 std::vector<std::string> extraArgs = {}) {
    return Start(home.path(), sink, std::move(extraArgs));
}

inline std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace quindle::gui::testing
