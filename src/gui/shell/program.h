#pragma once
// The start of the program, before its message loop: the JV-Link presence
// test, the start-up work of the program folder, and the main window.

#include <memory>

#include "core/env/registry.h"
#include "core/util/local_time.h"
#include "core/util/result.h"
#include "gui/common/document_opener.h"
#include "gui/shell/command_line.h"

namespace quindle::gui {

class MainWindow;
class MessageSink;
class UserDialogs;

struct ProgramSetup {
    CommandLine commandLine;
    MessageSink* messages = nullptr;          // nullptr: message boxes
    UserDialogs* dialogs = nullptr;           // nullptr: the platform's dialogs
    const env::Registry* registry = nullptr;  // nullptr: the platform's registry
    LocalClock clock = CurrentLocalDateTime;
    DocumentOpener openDocument;  // empty: the desktop's opener
};

// Tests for JV-Link (absent: beep, the message, and an error), runs the
// start-up of the program folder, makes the program folder the current
// folder and creates the main window with its JV-Link. The window is not
// shown yet.
Result<std::unique_ptr<MainWindow>> StartProgram(const ProgramSetup& setup);

// main(): the application object, the command line, StartProgram and the
// message loop. Returns the process's exit code.
int RunProgram(int argc, char* argv[]);

}  // namespace quindle::gui
